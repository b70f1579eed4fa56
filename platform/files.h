#pragma once
// Files and folders.
// Stands in for: GetModuleFileNameA (the program's folder and name), CreateDirectoryA, DeleteFileA,
//   MoveFileExA, FindFirstFileA/FindNextFileA, GetFileAttributesA, whole-file reads, the C
//   runtime's _open/_write/_close for append-only logs, and the case-insensitive, '\\'-accepting
//   path lookup of Windows file systems.
// Not here: overlapped I/O, share modes, file locks.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The folder of the running program, with a trailing '/' ("./" when it cannot be read).
std::string ProgramFolder();
// The program's file name without folder and extension ("client" for /opt/x/client.bin); empty
// when it cannot be read.
std::string ProgramName();

// Replaces every '\\' with '/'.
std::string ToSlashes(const std::string& path);

// The path as it exists on disk: '\\' becomes '/', and each existing component is matched
// case-insensitively (ASCII letters only). Components that do not exist are kept as given, so the
// result also names a file about to be created. Empty in, empty out.
std::string ResolvePath(const std::string& path);

bool FileExists(const std::string& path);    // a regular file (after ResolvePath)
bool FolderExists(const std::string& path);  // a directory (after ResolvePath)
std::optional<uint64_t> FileSize(const std::string& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolder(const std::string& path);
// Deletes one file; false when it did not exist or could not be removed.
bool DeleteFile(const std::string& path);
// Renames, replacing an existing target.
bool RenameFile(const std::string& from, const std::string& to);

struct FoundFile {
    std::string strName;  // name only, as on disk
    bool bFolder;
    uint64_t nSize;  // 0 for folders
};

// Entries of a folder whose names match the last component of the pattern, where '*' matches any
// run of bytes and '?' one byte, ignoring ASCII case ("data\\*.png", "LOG/ERROR_*.LOG").
// "." and ".." are not listed. Sorted by name. Empty when the folder does not exist.
std::vector<FoundFile> FindFiles(const std::string& pattern);

// The whole content of a file; nullopt when it cannot be opened or read completely.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

// Writes the bytes to a temporary file beside the target, then renames it over the target, so the
// target holds either the old or the complete new content.
bool WriteFileAtomic(const std::string& path, const void* pData, size_t nSize);

// Append-only descriptor files (logs): open creates the file when missing; -1 on failure.
int OpenAppend(const std::string& path);
// Writes all bytes; false on any error.
bool WriteDescriptor(int fd, const void* pData, size_t nSize);
void CloseDescriptor(int fd);

}  // namespace platform
