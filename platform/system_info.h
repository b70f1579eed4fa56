#pragma once
// What the engine's start-up log says about the machine.
// Stands in for: GetVersionEx (the kernel release as major.minor.build), GlobalMemoryStatus
//   (physical memory in KB).
// Not here: processor or display details.

namespace platform {

struct OsVersion {
    long major = 0;
    long minor = 0;
    long build = 0;
};

struct MemoryStatus {
    long totalKB = 0;
    long freeKB = 0;
};

// Zeros where the system does not say.
OsVersion GetOsVersion();
MemoryStatus GetMemoryStatus();

}  // namespace platform
