#pragma once
// The process heap.
// Stands in for: HeapCompact on the process heap.
// Not here: allocation itself (the C and C++ allocators).

namespace platform {

// Gives the free pages the heap holds back to the system, so that buffers freed after a burst of
// work (the decoded pictures of the loading walk) stop counting as the process's memory.
void ReleaseFreeHeapMemory();

}  // namespace platform
