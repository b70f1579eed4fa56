#include "CXMemoryPoolBase.h"

#include <new>

#include "CXAutoLock.h"
#include "CXLog.h"

namespace {

constexpr size_t kChunkHeader = CXMemoryPoolBase::kAlign;

void*& LinkOf(void* p)
{
    return *static_cast<void**>(p);
}

} // namespace

CXMemoryPoolBase::~CXMemoryPoolBase()
{
    FreeAll();
}

void CXMemoryPoolBase::SetSize(uint32_t dwChunkBase, uint32_t dwElementSize)
{
    CXAutoLock guard(m_Lock);
    m_dwElementSize = dwElementSize;
    uint32_t slot = dwElementSize < kAlign ? kAlign : dwElementSize;
    m_dwSlotSize = (slot + kAlign - 1) / kAlign * kAlign;
    m_dwSlotsPerChunk = dwChunkBase / m_dwSlotSize + 1;
    m_dwChunkSize = static_cast<uint32_t>(kChunkHeader) + m_dwSlotsPerChunk * m_dwSlotSize;
}

void* CXMemoryPoolBase::AllocateMemory(size_t tSize)
{
    if (tSize != m_dwElementSize) {
        CX_LOG_ERROR("CXMemoryPoolBase::AllocateMemory",
                     "tSize is not m_dwElementSize. [tSize=%zu, m_dwElementSize=%u]", tSize,
                     m_dwElementSize);
        return nullptr;
    }
    CXAutoLock guard(m_Lock);
    if (m_pFreeList == nullptr && !AddChunk())
        return nullptr;
    void* slot = m_pFreeList;
    m_pFreeList = LinkOf(slot);
    return slot;
}

void CXMemoryPoolBase::FreeMemory(void* pBlock)
{
    if (pBlock == nullptr) {
        CX_LOG_ERROR("CXMemoryPoolBase::FreeMemory", "Memory is NULL");
        return;
    }
    CXAutoLock guard(m_Lock);
    LinkOf(pBlock) = m_pFreeList;
    m_pFreeList = pBlock;
}

bool CXMemoryPoolBase::AddChunk()
{
    void* chunk = ::operator new(m_dwChunkSize, std::align_val_t{kAlign}, std::nothrow);
    if (chunk == nullptr) {
        CX_LOG_ERROR("CXMemoryPoolBase::AddChunk", "Chunk create fail. [m_dwChunkSize=%u]", m_dwChunkSize);
        return false;
    }
    LinkOf(chunk) = m_pChunkList;
    m_pChunkList = chunk;
    // Pushed from the last slot to the first, so consecutive allocations ascend.
    char* first = static_cast<char*>(chunk) + kChunkHeader;
    for (uint32_t i = m_dwSlotsPerChunk; i-- > 0;) {
        void* slot = first + static_cast<size_t>(i) * m_dwSlotSize;
        LinkOf(slot) = m_pFreeList;
        m_pFreeList = slot;
    }
    return true;
}

void CXMemoryPoolBase::FreeAll()
{
    CXAutoLock guard(m_Lock);
    while (m_pChunkList != nullptr) {
        void* chunk = m_pChunkList;
        m_pChunkList = LinkOf(chunk);
        ::operator delete(chunk, std::align_val_t{kAlign});
    }
    m_pFreeList = nullptr;
}

uint32_t CXMemoryPoolBase::GetChunkCount()
{
    CXAutoLock guard(m_Lock);
    uint32_t count = 0;
    for (void* chunk = m_pChunkList; chunk != nullptr; chunk = LinkOf(chunk))
        ++count;
    return count;
}
