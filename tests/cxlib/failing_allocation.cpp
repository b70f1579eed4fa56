// Replaces the non-throwing forms of operator new for this test program. They take their memory
// from the ordinary operator new, so every block still meets the matching delete.

#include "cxlib/failing_allocation.h"

#include <cstddef>
#include <new>

namespace {

thread_local int t_nSkip = 0;
thread_local int t_nFail = 0;
thread_local int t_nRefused = 0;

bool Refuse()
{
    if (t_nFail == 0)
        return false;
    if (t_nSkip > 0) {
        --t_nSkip;
        return false;
    }
    --t_nFail;
    ++t_nRefused;
    return true;
}

}  // namespace

FailingAllocations::FailingAllocations(int nCount, int nSkip)
{
    t_nSkip = nSkip;
    t_nFail = nCount;
    t_nRefused = 0;
}

FailingAllocations::~FailingAllocations()
{
    t_nSkip = t_nFail = 0;
}

int FailingAllocations::GetRefused() const
{
    return t_nRefused;
}

void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    if (Refuse())
        return nullptr;
    try {
        return ::operator new(n);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    if (Refuse())
        return nullptr;
    try {
        return ::operator new[](n);
    } catch (...) {
        return nullptr;
    }
}
