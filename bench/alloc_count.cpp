// The replaced operators live in their own file, so the compiler never inlines one into a caller
// and pairs a malloc or free it can see with an operator new or delete it cannot.
#include "alloc_count.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool g_counting = false;
thread_local long g_allocations = 0;

}  // namespace

void StartCountingAllocations()
{
    g_allocations = 0;
    g_counting = true;
}

long StopCountingAllocations()
{
    g_counting = false;
    return g_allocations;
}

void* operator new(std::size_t size)
{
    if (g_counting)
        ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
