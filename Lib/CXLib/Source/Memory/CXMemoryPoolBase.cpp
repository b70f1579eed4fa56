#include "CXMemoryPoolBase.h"

#include <mutex>
#include <new>
#include <unordered_set>

#include "CXLog.h"

namespace {

constexpr size_t kChunkHeader = CXMemoryPoolBase::kAlign;

std::atomic<uint64_t> g_qwNextGeneration{1};

// The generations of the pools alive; a thread that ends returns its cached blocks only to these.
struct LivePools {
    std::mutex mutex;
    std::unordered_set<uint64_t> generations;
};

LivePools& Live()
{
    static LivePools* const pLive =
        new LivePools;  // never destroyed: pools outlive static destruction
    return *pLive;
}

uint64_t NewGeneration()
{
    const uint64_t generation = g_qwNextGeneration.fetch_add(1, std::memory_order_relaxed);
    LivePools& live = Live();
    std::lock_guard<std::mutex> guard(live.mutex);
    live.generations.insert(generation);
    return generation;
}

void RetireGeneration(uint64_t generation)
{
    LivePools& live = Live();
    std::lock_guard<std::mutex> guard(live.mutex);
    live.generations.erase(generation);
}

}  // namespace

// One thread's free blocks, per pool. A pool is found by address and generation, so the blocks of
// a pool that was emptied or destroyed (and perhaps another made at its address) are never handed
// out. Without a free entry, a pool is served from its shared list alone.
struct CXMemoryPoolThreadCache {
    struct Entry {
        CXMemoryPoolBase* pPool = nullptr;
        uint64_t qwGeneration = 0;
        void* pHead = nullptr;
        uint32_t dwCount = 0;
    };
    static constexpr int kEntries = 16;
    Entry entries[kEntries];

    Entry* Find(CXMemoryPoolBase* pPool)
    {
        const uint64_t generation = pPool->m_qwGeneration.load(std::memory_order_relaxed);
        for (Entry& e : entries) {
            if (e.pPool == pPool) {
                if (e.qwGeneration != generation)
                    e = Entry{pPool, generation, nullptr,
                              0};  // its blocks went with the old chunks
                return &e;
            }
        }
        for (Entry& e : entries) {
            if (e.pPool == nullptr) {
                e = Entry{pPool, generation, nullptr, 0};
                return &e;
            }
        }
        return ReuseRetired(pPool, generation);
    }

    // An entry of a pool no longer alive, taken over for pPool; null when every pool is alive.
    Entry* ReuseRetired(CXMemoryPoolBase* pPool, uint64_t generation)
    {
        LivePools& live = Live();
        std::lock_guard<std::mutex> guard(live.mutex);
        for (Entry& e : entries) {
            if (live.generations.count(e.qwGeneration) == 0) {
                e = Entry{pPool, generation, nullptr, 0};
                return &e;
            }
        }
        return nullptr;
    }

    ~CXMemoryPoolThreadCache()
    {
        LivePools& live = Live();
        std::lock_guard<std::mutex> guard(live.mutex);  // holds off a pool's destruction meanwhile
        for (Entry& e : entries) {
            if (e.pHead == nullptr || live.generations.count(e.qwGeneration) == 0)
                continue;
            void* tail = e.pHead;
            while (CXMemoryPoolBase::LinkOf(tail) != nullptr)
                tail = CXMemoryPoolBase::LinkOf(tail);
            e.pPool->GiveChain(e.pHead, tail);
        }
    }
};

namespace {

thread_local CXMemoryPoolThreadCache t_Cache;

}  // namespace

CXMemoryPoolBase::CXMemoryPoolBase() : m_qwGeneration(NewGeneration()) {}

CXMemoryPoolBase::~CXMemoryPoolBase()
{
    FreeAll();
    RetireGeneration(m_qwGeneration.load(std::memory_order_relaxed));
}

void* CXMemoryPoolBase::TakeBlock()
{
    CXMemoryPoolThreadCache::Entry* entry = t_Cache.Find(this);
    if (entry == nullptr) {
        void* slot;
        {
            CXLockSpin::Guard guard(m_Lock);
            slot = m_pFreeList;
            if (slot != nullptr)
                m_pFreeList = LinkOf(slot);
        }
        return slot != nullptr ? slot : AddChunk();
    }
    if (entry->pHead == nullptr) {
        entry->pHead = TakeBatch(entry->dwCount);
        if (entry->pHead == nullptr)
            return AddChunk();
    }
    void* slot = entry->pHead;
    entry->pHead = LinkOf(slot);
    --entry->dwCount;
    return slot;
}

void CXMemoryPoolBase::GiveBlock(void* pBlock)
{
    CXMemoryPoolThreadCache::Entry* entry = t_Cache.Find(this);
    if (entry == nullptr) {
        LinkOf(pBlock) = nullptr;
        GiveChain(pBlock, pBlock);
        return;
    }
    LinkOf(pBlock) = entry->pHead;
    entry->pHead = pBlock;
    if (++entry->dwCount <= kCacheMax)
        return;
    // Keeps the most recently freed half, which is likeliest still in the processor's cache.
    void* keepTail = entry->pHead;
    for (uint32_t i = 1; i < entry->dwCount - kBatch; ++i)
        keepTail = LinkOf(keepTail);
    void* giveHead = LinkOf(keepTail);
    void* giveTail = giveHead;
    while (LinkOf(giveTail) != nullptr)
        giveTail = LinkOf(giveTail);
    LinkOf(keepTail) = nullptr;
    entry->dwCount -= kBatch;
    GiveChain(giveHead, giveTail);
}

void* CXMemoryPoolBase::TakeBatch(uint32_t& dwCount)
{
    CXLockSpin::Guard guard(m_Lock);
    void* head = m_pFreeList;
    if (head == nullptr) {
        dwCount = 0;
        return nullptr;
    }
    void* tail = head;
    dwCount = 1;
    while (dwCount < kBatch && LinkOf(tail) != nullptr) {
        tail = LinkOf(tail);
        ++dwCount;
    }
    m_pFreeList = LinkOf(tail);
    LinkOf(tail) = nullptr;
    return head;
}

void CXMemoryPoolBase::GiveChain(void* pHead, void* pTail)
{
    CXLockSpin::Guard guard(m_Lock);
    LinkOf(pTail) = m_pFreeList;
    m_pFreeList = pHead;
}

void CXMemoryPoolBase::SetSize(uint32_t dwChunkBase, uint32_t dwElementSize)
{
    CXLockSpin::Guard guard(m_Lock);
    m_dwElementSize = dwElementSize;
    uint32_t slot = dwElementSize < kAlign ? kAlign : dwElementSize;
    m_dwSlotSize = (slot + kAlign - 1) / kAlign * kAlign;
    m_dwSlotsPerChunk = dwChunkBase / m_dwSlotSize + 1;
    m_dwChunkSize = static_cast<uint32_t>(kChunkHeader) + m_dwSlotsPerChunk * m_dwSlotSize;
}

void* CXMemoryPoolBase::RefuseSize(size_t tSize) const
{
    CX_LOG_ERROR("CXMemoryPoolBase::AllocateMemory",
                 "tSize is not m_dwElementSize. [tSize=%zu, m_dwElementSize=%u]", tSize,
                 m_dwElementSize);
    return nullptr;
}

void CXMemoryPoolBase::ReportNullFree()
{
    CX_LOG_ERROR("CXMemoryPoolBase::FreeMemory", "Memory is NULL");
}

void* CXMemoryPoolBase::AddChunk()
{
    // Allocated and cut outside the lock; other threads keep allocating meanwhile. Two threads
    // that find the list empty at once each add a chunk, which costs one spare chunk at most.
    void* chunk = ::operator new (m_dwChunkSize, std::align_val_t{kAlign}, std::nothrow);
    if (chunk == nullptr) {
        CX_LOG_ERROR("CXMemoryPoolBase::AddChunk", "Chunk create fail. [m_dwChunkSize=%u]",
                     m_dwChunkSize);
        return nullptr;
    }
    char* first = static_cast<char*>(chunk) + kChunkHeader;
    void* rest = nullptr;  // slots 1..n-1, linked in ascending order
    void* last = nullptr;
    if (m_dwSlotsPerChunk > 1) {
        rest = first + m_dwSlotSize;
        last = first + static_cast<size_t>(m_dwSlotsPerChunk - 1) * m_dwSlotSize;
        for (char* slot = static_cast<char*>(rest); slot != last; slot += m_dwSlotSize)
            LinkOf(slot) = slot + m_dwSlotSize;
    }

    CXLockSpin::Guard guard(m_Lock);
    LinkOf(chunk) = m_pChunkList;
    m_pChunkList = chunk;
    if (rest != nullptr) {
        LinkOf(last) = m_pFreeList;
        m_pFreeList = rest;
    }
    return first;
}

void CXMemoryPoolBase::FreeAll()
{
    void* chunks;
    {
        CXLockSpin::Guard guard(m_Lock);
        chunks = m_pChunkList;
        m_pChunkList = nullptr;
        m_pFreeList = nullptr;
    }
    RetireGeneration(m_qwGeneration.exchange(NewGeneration(), std::memory_order_relaxed));
    while (chunks != nullptr) {
        void* chunk = chunks;
        chunks = LinkOf(chunk);
        ::operator delete (chunk, std::align_val_t{kAlign});
    }
}

uint32_t CXMemoryPoolBase::GetChunkCount()
{
    CXLockSpin::Guard guard(m_Lock);
    uint32_t count = 0;
    for (void* chunk = m_pChunkList; chunk != nullptr; chunk = LinkOf(chunk))
        ++count;
    return count;
}
