// Open file handles with 64-bit size and seek, over POSIX descriptors.
// Stands in for: CreateFileA (access, creation disposition), ReadFile, WriteFile,
//   SetFilePointerEx, GetFileSizeEx, CloseHandle.
// Not here: share modes, overlapped I/O, attributes.

#include "platform/file_handle.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace platform {

int OpenFileHandle(const std::string& path, uint32_t access, uint32_t disposition)
{
    if (path.empty())
        return -1;
    const bool bRead = (access & kFileRead) != 0;
    const bool bWrite = (access & kFileWrite) != 0;
    int flags = O_CLOEXEC;
    if (bRead && bWrite)
        flags |= O_RDWR;
    else if (bWrite)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    switch (disposition) {
    case kCreateNew:
        flags |= O_CREAT | O_EXCL;
        break;
    case kCreateAlways:
        flags |= O_CREAT | O_TRUNC;
        break;
    case kOpenExisting:
        break;
    case kOpenAlways:
        flags |= O_CREAT;
        break;
    case kTruncateExisting:
        flags |= O_TRUNC;
        break;
    default:
        return -1;
    }
    if ((flags & O_TRUNC) && !bWrite)
        return -1;
    const std::string resolved = ResolvePath(path);
    int fd;
    do {
        fd = ::open(resolved.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool CloseFileHandle(int handle)
{
    return handle >= 0 && ::close(handle) == 0;
}

int64_t FileHandleSize(int handle)
{
    struct stat st;
    if (handle < 0 || fstat(handle, &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

int64_t SeekFileHandle(int handle, int64_t distance, int from)
{
    int whence;
    switch (from) {
    case kSeekBegin:
        whence = SEEK_SET;
        break;
    case kSeekCurrent:
        whence = SEEK_CUR;
        break;
    case kSeekEnd:
        whence = SEEK_END;
        break;
    default:
        return -1;
    }
    if (handle < 0)
        return -1;
    const off_t pos = ::lseek(handle, static_cast<off_t>(distance), whence);
    return pos < 0 ? -1 : static_cast<int64_t>(pos);
}

int64_t ReadFileHandle(int handle, void* pBuffer, size_t count)
{
    if (handle < 0 || !pBuffer)
        return -1;
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(handle, static_cast<char*>(pBuffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

int64_t WriteFileHandle(int handle, const void* pBuffer, size_t count)
{
    if (handle < 0 || !pBuffer)
        return -1;
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(handle, static_cast<const char*>(pBuffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

}  // namespace platform
