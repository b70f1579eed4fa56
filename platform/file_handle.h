#pragma once
// Open file handles with 64-bit size and seek.
// Stands in for: CreateFileA (access, creation disposition), ReadFile, WriteFile,
//   SetFilePointerEx, GetFileSizeEx, CloseHandle.
// Not here: share modes (files are never locked against other openers), overlapped I/O,
//   attributes and flags beyond a normal file.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

enum FileAccess : uint32_t {
    kFileRead = 0x80000000u,   // GENERIC_READ
    kFileWrite = 0x40000000u,  // GENERIC_WRITE
};

enum FileDisposition : uint32_t {
    kCreateNew = 1,     // fails when the file exists
    kCreateAlways = 2,  // creates or truncates
    kOpenExisting = 3,
    kOpenAlways = 4,  // opens or creates
    kTruncateExisting = 5,
};

enum FileSeekFrom : int { kSeekBegin = 0, kSeekCurrent = 1, kSeekEnd = 2 };

// Opens the path (resolved case-insensitively, '\\' accepted); -1 on failure.
int OpenFileHandle(const std::string& path, uint32_t access, uint32_t disposition);
bool CloseFileHandle(int handle);
// Size in bytes; -1 on failure.
int64_t FileHandleSize(int handle);
// New position; -1 on failure.
int64_t SeekFileHandle(int handle, int64_t distance, int from);
// Bytes transferred (retrying short transfers until done or end of file); -1 on failure.
int64_t ReadFileHandle(int handle, void* pBuffer, size_t count);
int64_t WriteFileHandle(int handle, const void* pBuffer, size_t count);

}  // namespace platform
