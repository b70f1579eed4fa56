#pragma once

#include <cstddef>

#include "CXMemoryPoolBase.h"

// The pool of one class T. The pool is made on first use and never destroyed, so objects may be
// allocated during static initialisation and freed during static destruction.
template <class T, uint32_t CHUNK_BASE = 8192>
class CXMemoryPoolTmpl : public CXMemoryPoolBase {
public:
    CXMemoryPoolTmpl() { SetSize(CHUNK_BASE, sizeof(T)); }

    static CXMemoryPoolTmpl& GetPool()
    {
        static CXMemoryPoolTmpl* const pPool = new CXMemoryPoolTmpl;
        return *pPool;
    }
};

// Inside the class body of a pooled class T: its objects come from CXMemoryPoolTmpl<T, 8192>.
// The allocation operator is noexcept, so a refused or exhausted pool makes `new T` yield null
// without running the constructor. A derived class needs its own line, or its larger size is
// refused by the base's pool.
#define CX_DECLARE_MEMORY_POOL(T)                                                                  \
    static void* operator new(std::size_t tSize) noexcept                                          \
    {                                                                                              \
        return CXMemoryPoolTmpl<T, 8192>::GetPool().AllocateMemory(tSize);                         \
    }                                                                                              \
    static void operator delete(void* pBlock) noexcept                                             \
    {                                                                                              \
        if (pBlock != nullptr)                                                                     \
            CXMemoryPoolTmpl<T, 8192>::GetPool().FreeMemory(pBlock);                               \
    }
