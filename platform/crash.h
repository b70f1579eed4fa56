#pragma once
// Crash reports.
// Stands in for: SetUnhandledExceptionFilter with a filter that writes a minidump through
//   DbgHelp's MiniDumpWriteDump, and SetErrorMode(SEM_FAILCRITICALERRORS).
// Not here: minidump contents (the report is text: the signal and a backtrace).
//
// Handlers for SIGSEGV, SIGBUS, SIGILL, SIGFPE and SIGABRT run on an alternate stack, write
// "<folder>%d-%d-%d %d_%d_%d.dmp" (year, month, day, hour, minute, second) with async-signal-safe
// calls only, then put the previous handler back and raise the signal again.

#include <string>

namespace platform {

// Installs the handlers; the report goes to the folder (with its trailing '/'; empty: the working
// directory). Returns false when they could not be installed. Installing twice keeps the first
// previous handlers.
bool InstallCrashReport(const std::string& folder = std::string());
// Puts the previous handlers back.
void RemoveCrashReport();
// The report's file name for a time (what a crash at that moment would write).
std::string CrashReportName(int year, int month, int day, int hour, int minute, int second);

}  // namespace platform
