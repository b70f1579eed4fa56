#pragma once
// Counts the calling thread's allocations between a start and a stop (other threads, such as the
// sound device's mixer or the GL rasteriser's, allocate on their own and are not counted). A
// program that counts links one replaced allocator that calls CountAllocation, in a file of its
// own so the compiler never inlines it into a caller: bench/alloc_count.cpp replaces malloc and its
// kin, tests/net/net_alloc_count.cpp replaces operator new.

namespace alloc_count_detail {
inline thread_local bool counting = false;
inline thread_local long allocations = 0;
}  // namespace alloc_count_detail

// Zeroes the count and starts counting this thread's allocations.
inline void StartCountingAllocations()
{
    alloc_count_detail::allocations = 0;
    alloc_count_detail::counting = true;
}

// Stops counting; returns the allocations since the start.
inline long StopCountingAllocations()
{
    alloc_count_detail::counting = false;
    return alloc_count_detail::allocations;
}

// One allocation by this thread, counted while counting is on.
inline void CountAllocation()
{
    if (alloc_count_detail::counting)
        ++alloc_count_detail::allocations;
}
