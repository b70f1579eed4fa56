// Crash reports over POSIX signals (see crash.h).
#include "platform/crash.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace platform {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

struct sigaction g_previous[kSignalCount];
bool g_installed = false;
bool g_ownStack = false;  // the alternate stack is ours (none was set before)
char g_folder[512];
alignas(16) char g_altStack[64 * 1024];

// Decimal digits of a non-negative value into buffer; returns the end.
char* PutNumber(char* p, char* end, long value)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && n < 24);
    while (n > 0 && p < end)
        *p++ = digits[--n];
    return p;
}

char* PutText(char* p, char* end, const char* text)
{
    while (*text && p < end)
        *p++ = *text++;
    return p;
}

void OnCrash(int signal)
{
    // localtime_r is not on the async-signal-safe list but does not allocate after the first call
    // (tzset ran when the handlers were installed).
    const time_t now = time(nullptr);
    struct tm t;
    localtime_r(&now, &t);
    char path[700];
    char* end = path + sizeof path - 1;
    char* p = PutText(path, end, g_folder);
    p = PutNumber(p, end, t.tm_year + 1900);
    p = PutText(p, end, "-");
    p = PutNumber(p, end, t.tm_mon + 1);
    p = PutText(p, end, "-");
    p = PutNumber(p, end, t.tm_mday);
    p = PutText(p, end, " ");
    p = PutNumber(p, end, t.tm_hour);
    p = PutText(p, end, "_");
    p = PutNumber(p, end, t.tm_min);
    p = PutText(p, end, "_");
    p = PutNumber(p, end, t.tm_sec);
    p = PutText(p, end, ".dmp");
    *p = '\0';
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        char line[64];
        char* q = PutText(line, line + sizeof line - 1, "signal ");
        q = PutNumber(q, line + sizeof line - 1, signal);
        q = PutText(q, line + sizeof line - 1, "\n");
        ssize_t ignored = write(fd, line, static_cast<size_t>(q - line));
        (void)ignored;
        void* frames[64];
        const int count = backtrace(frames, 64);
        backtrace_symbols_fd(frames, count, fd);
        close(fd);
    }
    for (int i = 0; i < kSignalCount; ++i)
        if (kSignals[i] == signal)
            sigaction(signal, &g_previous[i], nullptr);
    raise(signal);
}

}  // namespace

bool InstallCrashReport(const std::string& folder)
{
    std::snprintf(g_folder, sizeof g_folder, "%s", folder.c_str());
    if (g_installed)
        return true;
    tzset();
    // Loads the unwinder now: backtrace's first call may allocate.
    void* warm[1];
    backtrace(warm, 1);
    // An alternate stack set before (a sanitizer's runtime sets its own and frees it at thread
    // exit) is used as it is; replacing it would hand ours to whoever frees theirs.
    stack_t current{};
    if (sigaltstack(nullptr, &current) != 0)
        return false;
    if (current.ss_flags & SS_DISABLE) {
        stack_t stack{};
        stack.ss_sp = g_altStack;
        stack.ss_size = sizeof g_altStack;
        if (sigaltstack(&stack, nullptr) != 0)
            return false;
        g_ownStack = true;
    }
    struct sigaction action {};
    action.sa_handler = OnCrash;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i)
        if (sigaction(kSignals[i], &action, &g_previous[i]) != 0)
            return false;
    g_installed = true;
    return true;
}

void RemoveCrashReport()
{
    if (!g_installed)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
    if (g_ownStack) {
        stack_t none{};
        none.ss_flags = SS_DISABLE;
        sigaltstack(&none, nullptr);
        g_ownStack = false;
    }
    g_installed = false;
}

std::string CrashReportName(int year, int month, int day, int hour, int minute, int second)
{
    char name[96];
    std::snprintf(name, sizeof name, "%d-%d-%d %d_%d_%d.dmp", year, month, day, hour, minute,
                  second);
    return name;
}

}  // namespace platform
