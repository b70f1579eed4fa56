// The running program's own file name, read from /proc/self/exe.
// Stands in for: GetModuleFileNameA when only the name is wanted.
// Not here: the program's folder (files.cpp).

#include "platform/program_name.h"

#include <limits.h>
#include <unistd.h>

namespace platform {

std::string ProgramName()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    std::string name(path, static_cast<size_t>(n));
    const size_t slash = name.rfind('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

} // namespace platform
