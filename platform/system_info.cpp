// What the engine's start-up log says about the machine.
// Stands in for: GetVersionEx (the kernel release), GlobalMemoryStatus (physical memory).
// Not here: processor or display details.

#include "platform/system_info.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <cstdio>

namespace platform {

OsVersion GetOsVersion()
{
    OsVersion v;
    utsname name{};
    if (uname(&name) == 0)
        std::sscanf(name.release, "%ld.%ld.%ld", &v.major, &v.minor, &v.build);
    return v;
}

MemoryStatus GetMemoryStatus()
{
    MemoryStatus m;
    struct sysinfo info {};
    if (sysinfo(&info) == 0) {
        const unsigned long long unit = info.mem_unit ? info.mem_unit : 1;
        m.totalKB = static_cast<long>(info.totalram * unit / 1024);
        m.freeKB = static_cast<long>(info.freeram * unit / 1024);
    }
    return m;
}

}  // namespace platform
