// Files and folders over POSIX.
// Stands in for: GetModuleFileNameA, CreateDirectoryA, DeleteFileA, MoveFileExA,
//   FindFirstFileA/FindNextFileA, GetFileAttributesA, whole-file reads, the C runtime's
//   _open/_write/_close, and the case-insensitive lookup of Windows file systems.
// Not here: share modes, overlapped I/O, file locks, file times.

#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <mutex>
#include <unordered_map>

#include "platform/thread_name.h"

namespace platform {

namespace {

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' any run, '?' one byte, ASCII case ignored; iterative with one back-track point.
bool MatchWildcard(const std::string& pattern, const std::string& name)
{
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool StatPath(const std::string& path, struct stat& st)
{
    return ::stat(path.c_str(), &st) == 0;
}

std::string LowerAsciiText(const std::string& text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

// Folder listings for the case-insensitive lookup, by folder: each name on disk under its
// lower-cased form (the first of names differing only in case), with the folder's modification
// time when it was read. A folder that changed since is read again, and so is one where a name is
// not found, so a listing never hides a file.
struct FolderListing {
    timespec modified{};
    std::unordered_map<std::string, std::string> names;
};
std::mutex g_listingLock;
std::unordered_map<std::string, FolderListing> g_listings;

bool ReadListing(const std::string& dirPath, const timespec& modified, FolderListing& out)
{
    DIR* dir = ::opendir(dirPath.c_str());
    if (dir == nullptr)
        return false;
    out.modified = modified;
    out.names.clear();
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        out.names.emplace(LowerAsciiText(name), std::move(name));
    }
    ::closedir(dir);
    return true;
}

// The name in the folder that equals the component ignoring case; the component itself when it
// exists as given or nothing matches.
std::string MatchComponent(const std::string& folder, const std::string& component)
{
    std::string dirPath = folder.empty() ? std::string(".") : folder;
    struct stat st;
    std::string exact = folder.empty() ? component : folder + component;
    if (StatPath(exact, st))
        return component;
    struct stat folderStat;
    if (!StatPath(dirPath, folderStat) || !S_ISDIR(folderStat.st_mode))
        return component;
    const std::string key = LowerAsciiText(component);
    std::lock_guard<std::mutex> guard(g_listingLock);
    auto [at, added] = g_listings.try_emplace(dirPath);
    FolderListing& listing = at->second;
    const bool same = !added && listing.modified.tv_sec == folderStat.st_mtim.tv_sec &&
                      listing.modified.tv_nsec == folderStat.st_mtim.tv_nsec;
    if (!same && !ReadListing(dirPath, folderStat.st_mtim, listing)) {
        g_listings.erase(at);
        return component;
    }
    auto found = listing.names.find(key);
    if (found == listing.names.end() && same) {
        if (!ReadListing(dirPath, folderStat.st_mtim, listing)) {
            g_listings.erase(at);
            return component;
        }
        found = listing.names.find(key);
    }
    return found == listing.names.end() ? component : found->second;
}

// The running program's file, from /proc/self/exe; empty when it cannot be read.
std::string ProgramPath()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace

std::string ProgramFolder()
{
    const std::string path = ProgramPath();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string ProgramName()
{
    std::string name = ProgramPath();
    const size_t slash = name.rfind('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::string ToSlashes(const std::string& path)
{
    std::string result = path;
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

std::string ResolvePath(const std::string& path)
{
    std::string slashed = ToSlashes(path);
    if (slashed.empty())
        return slashed;
    std::string result;
    size_t pos = 0;
    if (slashed[0] == '/') {
        result = "/";
        pos = 1;
    }
    while (pos <= slashed.size()) {
        size_t next = slashed.find('/', pos);
        if (next == std::string::npos)
            next = slashed.size();
        std::string component = slashed.substr(pos, next - pos);
        if (component.empty() || component == "." || component == "..")
            result += component;
        else
            result += MatchComponent(result, component);
        if (next < slashed.size())
            result += '/';
        pos = next + 1;
    }
    return result;
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return StatPath(ResolvePath(path), st) && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path)
{
    struct stat st;
    return StatPath(ResolvePath(path), st) && S_ISDIR(st.st_mode);
}

std::optional<uint64_t> FileSize(const std::string& path)
{
    struct stat st;
    if (!StatPath(ResolvePath(path), st) || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

bool CreateFolder(const std::string& path)
{
    std::string resolved = ResolvePath(path);
    if (resolved.empty())
        return false;
    for (size_t pos = 1; pos <= resolved.size(); ++pos) {
        if (pos == resolved.size() || resolved[pos] == '/') {
            std::string part = resolved.substr(0, pos);
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
    }
    return FolderExists(resolved);
}

bool DeleteFile(const std::string& path)
{
    return ::unlink(ResolvePath(path).c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    return ::rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

std::vector<FoundFile> FindFiles(const std::string& pattern)
{
    std::string slashed = ToSlashes(pattern);
    size_t slash = slashed.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : slashed.substr(0, slash + 1);
    std::string namePattern = slash == std::string::npos ? slashed : slashed.substr(slash + 1);
    std::string resolvedFolder = folder.empty() ? std::string() : ResolvePath(folder);

    std::vector<FoundFile> found;
    DIR* dir = ::opendir(resolvedFolder.empty() ? "." : resolvedFolder.c_str());
    if (dir == nullptr)
        return found;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == ".." || !MatchWildcard(namePattern, name))
            continue;
        struct stat st;
        if (!StatPath(resolvedFolder + name, st))
            continue;
        bool isFolder = S_ISDIR(st.st_mode);
        found.push_back(
            FoundFile{name, isFolder, isFolder ? 0 : static_cast<uint64_t>(st.st_size)});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const FoundFile& a, const FoundFile& b) { return a.strName < b.strName; });
    return found;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path)
{
    int fd = ::open(ResolvePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> data(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::read(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    if (done != data.size())
        return std::nullopt;
    return data;
}

bool WriteFileAtomic(const std::string& path, const void* pData, size_t nSize)
{
    std::string target = ResolvePath(path);
    if (target.empty())
        return false;
    // One temporary per thread and process, so concurrent saves of one target never share it.
    std::string temp =
        target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(CurrentThreadId());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = WriteDescriptor(fd, pData, nSize);
    ok = (::fsync(fd) == 0) && ok;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

int OpenAppend(const std::string& path)
{
    return ::open(ResolvePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}

bool WriteDescriptor(int fd, const void* pData, size_t nSize)
{
    const char* p = static_cast<const char*>(pData);
    while (nSize > 0) {
        ssize_t n = ::write(fd, p, nSize);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        nSize -= static_cast<size_t>(n);
    }
    return true;
}

void CloseDescriptor(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

}  // namespace platform
