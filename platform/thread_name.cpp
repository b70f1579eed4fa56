// Thread identity and processor count over Linux.
// Stands in for: GetCurrentThreadId, the debugger's thread-naming convention, GetSystemInfo's
//   dwNumberOfProcessors.
// Not here: thread creation and control.

#include "platform/thread_name.h"

#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

uint32_t CurrentThreadId()
{
    thread_local const uint32_t id = static_cast<uint32_t>(::syscall(SYS_gettid));
    return id;
}

void SetCurrentThreadName(const std::string& name)
{
    // The kernel keeps 15 bytes plus the terminator.
    std::string cut = name.substr(0, 15);
    ::pthread_setname_np(::pthread_self(), cut.c_str());
}

std::string CurrentThreadName()
{
    char buffer[16] = {};
    if (::pthread_getname_np(::pthread_self(), buffer, sizeof(buffer)) != 0)
        return std::string();
    return std::string(buffer);
}

unsigned ProcessorCount()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof(set), &set) == 0) {
        int n = CPU_COUNT(&set);
        if (n > 0)
            return static_cast<unsigned>(n);
    }
    long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<unsigned>(n) : 1u;
}

} // namespace platform
