// The process heap, over glibc's malloc_trim.

#include "platform/heap.h"

#include <malloc.h>

namespace platform {

void ReleaseFreeHeapMemory()
{
    ::malloc_trim(0);
}

}  // namespace platform
