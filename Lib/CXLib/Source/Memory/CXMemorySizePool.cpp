#include "CXMemorySizePool.h"

#include <cstring>
#include <new>

#include "CXAutoLock.h"
#include "CXLog.h"

namespace {

constexpr size_t kHeader = 16;
constexpr std::align_val_t kAlign{16};
constexpr uint32_t kBlockTag = 0x50535843u; // "CXSP"

// The header in front of every block: tag, class.
struct BlockHeader
{
    uint32_t dwTag;
    uint32_t dwClass;
};

BlockHeader ReadHeader(const void* pBlock)
{
    BlockHeader header;
    std::memcpy(&header, static_cast<const char*>(pBlock) - kHeader, sizeof(header));
    return header;
}

void* RawOf(void* pBlock)
{
    return static_cast<char*>(pBlock) - kHeader;
}

} // namespace

CXMemorySizePool::CXMemorySizePool(uint32_t dwMaxSize, uint32_t dwShift)
    : m_dwMaxSize(dwMaxSize),
      m_dwElementSize((dwMaxSize >> dwShift) + 1),
      m_bShiftByteAlign(static_cast<uint8_t>(dwShift))
{
    if (!m_FreeLists.SetSize(m_dwElementSize, 1)) {
        CX_LOG_ERROR("CXMemorySizePool::CXMemorySizePool", "Free list create fail. [m_dwElementSize=%u]",
                     m_dwElementSize);
    }
}

CXMemorySizePool::~CXMemorySizePool()
{
    for (uint32_t k = 0; k < m_FreeLists.GetSize(); ++k) {
        FreeList* list = m_FreeLists.GetAt(k);
        if (list == nullptr)
            continue;
        CXAutoLock guard(list);
        for (auto* element = list->m_Data.m_pHead; element != nullptr; element = element->m_pNext)
            ::operator delete(RawOf(element->m_pData), kAlign);
        list->m_Data.RemoveAll(0);
    }
}

CXMemorySizePool& CXMemorySizePool::GetGlobal()
{
    static CXMemorySizePool* const pPool = new CXMemorySizePool(4096, 7);
    return *pPool;
}

bool CXMemorySizePool::ClassOf(size_t tSize, uint32_t& dwClass, const char* pszFunction, int nLine) const
{
    const size_t k = (tSize - 1) >> m_bShiftByteAlign;
    const char* problem = nullptr;
    if (k >= m_dwElementSize)
        problem = "Invalid memory size.";
    else if (m_FreeLists.GetAt(static_cast<uint32_t>(k)) == nullptr)
        problem = "pElement is NULL.";
    if (problem != nullptr) {
        // The texts end without a closing bracket, as the library has always written them.
        CXLog::ErrorLog().Write(__FILE__, pszFunction, nLine,
                                "%s [tSize=%zu, dwElement=%zu, m_bShiftByteAlign=%u, m_dwElementSize=%u, m_dwMaxSize=%u",
                                problem, tSize, k, unsigned(m_bShiftByteAlign), m_dwElementSize, m_dwMaxSize);
        return false;
    }
    dwClass = static_cast<uint32_t>(k);
    return true;
}

void* CXMemorySizePool::AllocateMemory(size_t tSize)
{
    uint32_t k;
    if (tSize == 0 || !ClassOf(tSize, k, "CXMemorySizePool::AllocateMemory", __LINE__))
        return nullptr;
    FreeList* list = m_FreeLists.GetAt(k);
    CXAutoLock guard(list);
    if (auto* oldest = list->m_Data.m_pHead) {
        void* block = oldest->m_pData;
        list->m_Data.DelList(oldest);
        return block;
    }
    void* raw = ::operator new(kHeader + GetClassSize(k), kAlign, std::nothrow);
    if (raw == nullptr) {
        CX_LOG_ERROR("CXMemorySizePool::AllocateMemory",
                     "Memory create fail. [tSize=%zu, dwElement=%u, m_bShiftByteAlign=%u, m_dwElementSize=%u, m_dwMaxSize=%u",
                     tSize, k, unsigned(m_bShiftByteAlign), m_dwElementSize, m_dwMaxSize);
        return nullptr;
    }
    const BlockHeader header{kBlockTag, k};
    std::memcpy(raw, &header, sizeof(header));
    return static_cast<char*>(raw) + kHeader;
}

void CXMemorySizePool::FreeMemory(void* pBlock, size_t tSize)
{
    if (pBlock == nullptr)
        return;
    const BlockHeader header = ReadHeader(pBlock);
    if (header.dwTag != kBlockTag || header.dwClass >= m_dwElementSize) {
        CX_LOG_ERROR("CXMemorySizePool::FreeMemory", "Not a block of this pool. [pBlock=%p, tSize=%zu]",
                     pBlock, tSize);
        return;
    }
    const uint32_t k = header.dwClass;
    if (tSize == 0 || ((tSize - 1) >> m_bShiftByteAlign) != k) {
        CX_LOG_ERROR("CXMemorySizePool::FreeMemory",
                     "Size does not match the block. [tSize=%zu, dwElement=%u, m_bShiftByteAlign=%u]", tSize, k,
                     unsigned(m_bShiftByteAlign));
    }
    FreeList* list = m_FreeLists.GetAt(k);
    CXAutoLock guard(list);
    if (!list->m_Data.AddTail(static_cast<unsigned char*>(pBlock), 0)) {
        // Not cached: give it back to the heap rather than lose it.
        CX_LOG_ERROR("CXMemorySizePool::FreeMemory",
                     "Memory Pool add fail. [tSize=%zu, dwElement=%u, m_bShiftByteAlign=%u, m_dwElementSize=%u, m_dwMaxSize=%u",
                     tSize, k, unsigned(m_bShiftByteAlign), m_dwElementSize, m_dwMaxSize);
        ::operator delete(RawOf(pBlock), kAlign);
    }
}

uint32_t CXMemorySizePool::GetCachedCount(uint32_t dwClass)
{
    FreeList* list = dwClass < m_dwElementSize ? m_FreeLists.GetAt(dwClass) : nullptr;
    if (list == nullptr)
        return 0;
    CXAutoLock guard(list);
    return list->m_Data.GetCount();
}
