#include "net_alloc_count.h"

#include <cstdlib>
#include <new>

namespace {
thread_local bool t_bCounting = false;
thread_local long t_nAllocations = 0;
}  // namespace

void StartCountingAllocations()
{
    t_nAllocations = 0;
    t_bCounting = true;
}

long StopCountingAllocations()
{
    t_bCounting = false;
    return t_nAllocations;
}

void* operator new(std::size_t size)
{
    if (t_bCounting)
        ++t_nAllocations;
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
