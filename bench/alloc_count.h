#pragma once
// Counts the calling thread's operator new calls between a start and a stop (other threads, such as
// the sound device's mixer or the GL rasteriser's, allocate on their own and are not counted). A
// bench that links alloc_count.cpp has the global operator new and delete replaced.

// Zeroes the count and starts counting this thread's allocations.
void StartCountingAllocations();
// Stops counting; returns the allocations since the start.
long StopCountingAllocations();
