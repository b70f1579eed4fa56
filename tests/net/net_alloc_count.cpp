// The replaced operator new and delete live in their own file, so the compiler never inlines one
// into a caller and pairs a malloc or free it can see with an operator new or delete it cannot.
#include <cstdlib>
#include <new>

#include "support/alloc_count.h"

void* operator new(std::size_t size)
{
    CountAllocation();
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
