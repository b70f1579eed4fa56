// The replaced allocation functions live in their own file, so the compiler never inlines one into
// a caller. Counting at malloc takes in operator new (which allocates through it) and the C
// allocations of the libraries the frame calls on this thread, the GL driver's included.
#include <cstddef>

#include "support/alloc_count.h"

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
}

extern "C" void* malloc(size_t size) noexcept
{
    CountAllocation();
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size) noexcept
{
    CountAllocation();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* p, size_t size) noexcept
{
    CountAllocation();
    return __libc_realloc(p, size);
}

extern "C" void free(void* p) noexcept
{
    __libc_free(p);
}
