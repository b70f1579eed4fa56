#pragma once
// Identity of the running thread and of the machine's processors.
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

// Number of processors this process may run on; at least 1.
unsigned ProcessorCount();

} // namespace platform
