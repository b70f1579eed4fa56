#pragma once
// Identity and names of threads, and the machine's processors.
// Stands in for: GetCurrentThreadId, the debugger's thread-naming exception, GetSystemInfo's
//   processor count.
// Not here: creating, suspending or waiting for threads (std::thread in the foundation library).

#include <cstdint>
#include <string>

namespace platform {

// Kernel id of the calling thread; never 0.
uint32_t CurrentThreadId();

// Names the calling thread for debuggers and ps; names longer than 15 bytes are cut.
void SetCurrentThreadName(const std::string& name);

// Name of the calling thread as the system holds it (at most 15 bytes).
std::string CurrentThreadName();

// The system's handle of a thread, as the thread itself reads it; 0 is never a handle. A handle
// stays usable by other threads until its thread has been joined (or, when detached, has ended).
using ThreadHandle = std::uintptr_t;
ThreadHandle GetCurrentThreadHandle();

// Names the thread of that handle (names longer than 15 bytes are cut); false when the system
// refuses, e.g. for a thread that has already ended.
bool SetThreadName(ThreadHandle thread, const std::string& name);

// Name of the thread of that handle as the system holds it; empty when it cannot be read.
std::string GetThreadName(ThreadHandle thread);

// Number of processors this process may run on; at least 1.
unsigned ProcessorCount();

}  // namespace platform
