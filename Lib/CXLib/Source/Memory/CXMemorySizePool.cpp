#include "CXMemorySizePool.h"

#include <new>

#include "CXLog.h"

namespace {

constexpr std::align_val_t kAlign{16};

}  // namespace

CXMemorySizePool::CXMemorySizePool(uint32_t dwMaxSize, uint32_t dwShift)
    : m_dwMaxSize(dwMaxSize), m_dwElementSize((dwMaxSize >> dwShift) + 1),
      m_bShiftByteAlign(static_cast<uint8_t>(dwShift)),
      m_FreeLists(new (std::nothrow) FreeList[m_dwElementSize])
{
    if (m_FreeLists == nullptr) {
        CX_LOG_ERROR("CXMemorySizePool::CXMemorySizePool",
                     "Free list create fail. [m_dwElementSize=%u]", m_dwElementSize);
    }
}

CXMemorySizePool::~CXMemorySizePool()
{
    if (m_FreeLists == nullptr)
        return;
    for (uint32_t k = 0; k < m_dwElementSize; ++k) {
        FreeList& list = m_FreeLists[k];
        CXLockSpin::Guard guard(list.m_Lock);
        while (void* block = list.m_pHead) {
            list.m_pHead = NextOf(block);
            ::operator delete(static_cast<char*>(block) - kHeader, kAlign);
        }
        list.m_pTail = nullptr;
        list.m_dwCount = 0;
    }
}

CXMemorySizePool& CXMemorySizePool::GetGlobal()
{
    static CXMemorySizePool* const pPool = new CXMemorySizePool(4096, 7);
    return *pPool;
}

void* CXMemorySizePool::RefuseSize(size_t tSize) const
{
    if (tSize == 0)
        return nullptr;
    const size_t k = (tSize - 1) >> m_bShiftByteAlign;
    // The texts end without a closing bracket, as the library has always written them.
    CX_LOG_ERROR(
        "CXMemorySizePool::AllocateMemory",
        "%s [tSize=%zu, dwElement=%zu, m_bShiftByteAlign=%u, m_dwElementSize=%u, m_dwMaxSize=%u",
        k >= m_dwElementSize ? "Invalid memory size." : "pElement is NULL.", tSize, k,
        unsigned(m_bShiftByteAlign), m_dwElementSize, m_dwMaxSize);
    return nullptr;
}

void* CXMemorySizePool::AllocateFromHeap(size_t tSize, uint32_t k)
{
    void* raw = ::operator new(kHeader + GetClassSize(k), kAlign, std::nothrow);
    if (raw == nullptr) {
        CX_LOG_ERROR("CXMemorySizePool::AllocateMemory",
                     "Memory create fail. [tSize=%zu, dwElement=%u, m_bShiftByteAlign=%u, "
                     "m_dwElementSize=%u, m_dwMaxSize=%u",
                     tSize, k, unsigned(m_bShiftByteAlign), m_dwElementSize, m_dwMaxSize);
        return nullptr;
    }
    const uint32_t header[2] = {kBlockTag, k};
    std::memcpy(raw, header, sizeof(header));
    return static_cast<char*>(raw) + kHeader;
}

bool CXMemorySizePool::CheckFreed(void* pBlock, size_t tSize, uint32_t dwTag,
                                  uint32_t dwClass) const
{
    if (dwTag != kBlockTag || dwClass >= m_dwElementSize || m_FreeLists == nullptr) {
        CX_LOG_ERROR("CXMemorySizePool::FreeMemory",
                     "Not a block of this pool. [pBlock=%p, tSize=%zu]", pBlock, tSize);
        return false;
    }
    CX_LOG_ERROR("CXMemorySizePool::FreeMemory",
                 "Size does not match the block. [tSize=%zu, dwElement=%u, m_bShiftByteAlign=%u]",
                 tSize, dwClass, unsigned(m_bShiftByteAlign));
    return true;
}

uint32_t CXMemorySizePool::GetCachedCount(uint32_t dwClass)
{
    if (dwClass >= m_dwElementSize || m_FreeLists == nullptr)
        return 0;
    FreeList& list = m_FreeLists[dwClass];
    CXLockSpin::Guard guard(list.m_Lock);
    return list.m_dwCount;
}
