// Thread identity and processor count over Linux.
// Stands in for: GetCurrentThreadId, the debugger's thread-naming convention, GetSystemInfo's
//   dwNumberOfProcessors.
// Not here: thread creation and control.

#include "platform/thread_name.h"

#include <cstddef>

#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

static_assert(sizeof(pthread_t) <= sizeof(ThreadHandle), "a thread handle holds a pthread_t");

// The kernel keeps 15 bytes of a thread's name plus the terminator.
constexpr std::size_t kThreadNameMax = 15;

pthread_t ToPthread(ThreadHandle thread)
{
    return static_cast<pthread_t>(thread);
}

}  // namespace

uint32_t CurrentThreadId()
{
    thread_local const uint32_t id = static_cast<uint32_t>(::syscall(SYS_gettid));
    return id;
}

void SetCurrentThreadName(const std::string& name)
{
    SetThreadName(GetCurrentThreadHandle(), name);
}

std::string CurrentThreadName()
{
    return GetThreadName(GetCurrentThreadHandle());
}

ThreadHandle GetCurrentThreadHandle()
{
    return static_cast<ThreadHandle>(::pthread_self());
}

bool SetThreadName(ThreadHandle thread, const std::string& name)
{
    const std::string cut = name.substr(0, kThreadNameMax);
    return ::pthread_setname_np(ToPthread(thread), cut.c_str()) == 0;
}

std::string GetThreadName(ThreadHandle thread)
{
    char buffer[kThreadNameMax + 1] = {};
    if (::pthread_getname_np(ToPthread(thread), buffer, sizeof(buffer)) != 0)
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

}  // namespace platform
