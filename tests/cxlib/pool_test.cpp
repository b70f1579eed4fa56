#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CXMemoryPoolTmpl.h"
#include "CXMemorySizePool.h"

namespace {

size_t CountLines(const std::string& text, const std::string& needle)
{
    size_t count = 0;
    for (size_t pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1))
        ++count;
    return count;
}

bool Aligned16(const void* p)
{
    return reinterpret_cast<uintptr_t>(p) % 16 == 0;
}

struct Record16 {
    char bytes[16];
};

class PooledBase {
public:
    CX_DECLARE_MEMORY_POOL(PooledBase)
    PooledBase() { ++s_nConstructed; }
    virtual ~PooledBase() = default;
    static int s_nConstructed;
    int32_t m_nValue = 1;
};
int PooledBase::s_nConstructed = 0;

// Larger than its base and without a pool of its own: refused.
class UnpooledDerived : public PooledBase {
public:
    double m_Extra[4] = {};
};

class PooledDerived : public PooledBase {
public:
    CX_DECLARE_MEMORY_POOL(PooledDerived)
    double m_Extra[4] = {};
};

// A pooled record whose constructor sets one member and leaves the others to the pool's zeros.
class PooledRecord {
public:
    CX_DECLARE_MEMORY_POOL(PooledRecord)
    PooledRecord() : m_nSet(5) {}
    int32_t m_nSet;
    int32_t m_nLeft;
    char m_szName[40];
    PooledRecord* m_pNext;
};

}  // namespace

TEST(CXMemoryPoolTest, ChunksAreCutIntoAscendingAlignedSlots)
{
    struct Case {
        uint32_t element;
        uint32_t slot;
    };
    const Case cases[] = {{1, 16}, {16, 16}, {17, 32}, {24, 32}, {100, 112}, {8192, 8192}};
    for (const Case& c : cases) {
        CXMemoryPoolBase pool;
        pool.SetSize(8192, c.element);
        EXPECT_EQ(pool.GetSlotSize(), c.slot) << "element " << c.element;
        EXPECT_EQ(pool.GetSlotsPerChunk(), 8192 / c.slot + 1) << "element " << c.element;
        EXPECT_EQ(pool.GetChunkSize(), 16 + pool.GetSlotsPerChunk() * c.slot)
            << "element " << c.element;
        char* first = static_cast<char*>(pool.AllocateMemory(c.element));
        char* second = static_cast<char*>(pool.AllocateMemory(c.element));
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(Aligned16(first));
        EXPECT_EQ(second - first, static_cast<ptrdiff_t>(c.slot)) << "element " << c.element;
        EXPECT_EQ(pool.GetChunkCount(), 1u);
    }
}

TEST(CXMemoryPoolTest, GrowsByChunksAndReusesTheLastFreedBlock)
{
    CXMemoryPoolBase pool;
    pool.SetSize(8192, 16);
    EXPECT_EQ(pool.GetSlotsPerChunk(), 513u);
    std::vector<void*> blocks;
    for (uint32_t i = 0; i < pool.GetSlotsPerChunk(); ++i)
        blocks.push_back(pool.AllocateMemory(16));
    EXPECT_EQ(pool.GetChunkCount(), 1u);
    void* next = pool.AllocateMemory(16);
    EXPECT_EQ(pool.GetChunkCount(), 2u);
    for (void* b : blocks)
        EXPECT_NE(b, next);

    pool.FreeMemory(blocks[7]);
    pool.FreeMemory(blocks[3]);
    EXPECT_EQ(pool.AllocateMemory(16), blocks[3]);
    EXPECT_EQ(pool.AllocateMemory(16), blocks[7]);
}

TEST(CXMemoryPoolTest, WrongSizesAndNullAreRefusedAndReported)
{
    CXMemoryPoolBase pool;
    pool.SetSize(8192, 24);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pool.AllocateMemory(25), nullptr);
    EXPECT_EQ(pool.AllocateMemory(23), nullptr);
    std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountLines(out, "[CXMemoryPoolBase::AllocateMemory] : tSize is not m_dwElementSize. "
                              "[tSize=25, m_dwElementSize=24]"),
              1u)
        << out;
    EXPECT_EQ(CountLines(out, "tSize is not m_dwElementSize."), 2u) << out;
    EXPECT_EQ(pool.GetChunkCount(), 0u);

    ::testing::internal::CaptureStderr();
    pool.FreeMemory(nullptr);
    out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountLines(out, "[CXMemoryPoolBase::FreeMemory] : Memory is NULL\r\n"), 1u) << out;
}

TEST(CXMemoryPoolTest, PooledClassesTakeTheirBlocksFromTheirOwnPool)
{
    auto& basePool = CXMemoryPoolTmpl<PooledBase, 8192>::GetPool();
    EXPECT_EQ(basePool.GetElementSize(), sizeof(PooledBase));
    EXPECT_EQ(&basePool, &CXMemoryPoolTmpl<PooledBase>::GetPool()) << "one pool per class";

    PooledBase* a = new PooledBase;
    PooledBase* b = new PooledBase;
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(Aligned16(a));
    EXPECT_EQ(reinterpret_cast<char*>(b) - reinterpret_cast<char*>(a),
              static_cast<ptrdiff_t>(basePool.GetSlotSize()));
    delete b;
    EXPECT_EQ(new PooledBase, b) << "the freed block comes back first";
    delete b;
    delete a;

    const int constructed = PooledBase::s_nConstructed;
    ::testing::internal::CaptureStderr();
    PooledBase* refused = new UnpooledDerived;
    const std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(PooledBase::s_nConstructed, constructed) << "no constructor runs on a refused block";
    EXPECT_NE(out.find("tSize is not m_dwElementSize."), std::string::npos);

    PooledBase* derived = new PooledDerived;
    ASSERT_NE(derived, nullptr);
    EXPECT_TRUE(Aligned16(derived));
    delete derived;  // through the base: back to the derived class's pool
    EXPECT_EQ(static_cast<PooledBase*>(new PooledDerived), derived);
    delete derived;
}

// Blocks come zero-filled whether fresh (from a new chunk or the heap) or reused after their last
// user filled them.
TEST(CXMemoryPoolTest, BlocksAreZeroFilledFreshAndReused)
{
    CXMemoryPoolBase pool;
    pool.SetSize(8192, 40);
    CXMemorySizePool sizePool(4096, 7);
    const size_t sizes[] = {1, 128, 129, 4224};
    auto allZero = [](const void* p, size_t n) {
        const auto* bytes = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i)
            if (bytes[i] != 0)
                return false;
        return true;
    };
    std::vector<void*> fixed, sized;
    for (const char* pass : {"fresh", "reused"}) {
        for (int i = 0; i < 3; ++i) {
            void* p = pool.AllocateMemory(40);
            ASSERT_NE(p, nullptr);
            EXPECT_TRUE(allZero(p, 40)) << pass << " fixed block " << i;
            std::memset(p, 0xCD, 40);
            fixed.push_back(p);
        }
        for (size_t size : sizes) {
            void* p = sizePool.AllocateMemory(size);
            ASSERT_NE(p, nullptr);
            const size_t usable = sizePool.GetClassSize(static_cast<uint32_t>((size - 1) >> 7));
            EXPECT_TRUE(allZero(p, usable)) << pass << " size-pool block of " << size;
            std::memset(p, 0xCD, usable);
            sized.push_back(p);
        }
        for (void* p : fixed)
            pool.FreeMemory(p);
        for (size_t i = 0; i < sized.size(); ++i)
            sizePool.FreeMemory(sized[i], sizes[i]);
        fixed.clear();
        sized.clear();
    }

    PooledRecord* first = new PooledRecord;
    ASSERT_NE(first, nullptr);
    std::memset(static_cast<void*>(first), 0xEE, sizeof(PooledRecord));
    delete first;
    PooledRecord* again = new PooledRecord;
    ASSERT_EQ(again, first) << "the same block comes back";
    EXPECT_EQ(again->m_nSet, 5);
    EXPECT_EQ(again->m_nLeft, 0);
    EXPECT_EQ(again->m_szName[0], '\0');
    EXPECT_EQ(again->m_szName[39], '\0');
    EXPECT_EQ(again->m_pNext, nullptr);
    delete again;
}

TEST(CXMemorySizePoolTest, SizeClassesOfTheGlobalPool)
{
    CXMemorySizePool& pool = CXMemorySizePool::GetGlobal();
    EXPECT_EQ(pool.m_dwMaxSize, 4096u);
    EXPECT_EQ(pool.m_dwElementSize, 33u);
    EXPECT_EQ(pool.m_bShiftByteAlign, 7);
    EXPECT_EQ(pool.GetClassSize(32), 4224u);
}

TEST(CXMemorySizePoolTest, AllocatesByClassAndRefusesOutOfRange)
{
    CXMemorySizePool pool(4096, 7);
    struct Case {
        size_t size;
        uint32_t cls;
    };
    const Case cases[] = {{1, 0}, {128, 0}, {129, 1}, {256, 1}, {4096, 31}, {4224, 32}};
    for (const Case& c : cases) {
        void* block = pool.AllocateMemory(c.size);
        ASSERT_NE(block, nullptr) << c.size;
        EXPECT_TRUE(Aligned16(block));
        std::memset(block, 0xAB, pool.GetClassSize(c.cls));  // the whole class size is usable
        pool.FreeMemory(block, c.size);
        EXPECT_EQ(pool.GetCachedCount(c.cls), 1u) << c.size;
        EXPECT_EQ(pool.AllocateMemory(c.size), block) << c.size;
        pool.FreeMemory(block, c.size);
    }

    EXPECT_EQ(pool.AllocateMemory(0), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pool.AllocateMemory(4225), nullptr);
    const std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(
        out.find(
            "[CXMemorySizePool::AllocateMemory] : Invalid memory size. [tSize=4225, dwElement=33, "
            "m_bShiftByteAlign=7, m_dwElementSize=33, m_dwMaxSize=4096\r\n"),
        std::string::npos)
        << out;
}

TEST(CXMemorySizePoolTest, ReusesTheOldestFreedBlockOfAClass)
{
    CXMemorySizePool pool(4096, 7);
    void* first = pool.AllocateMemory(200);
    void* second = pool.AllocateMemory(256);
    pool.FreeMemory(first, 200);
    pool.FreeMemory(second, 129);
    EXPECT_EQ(pool.AllocateMemory(130), first);
    EXPECT_EQ(pool.AllocateMemory(255), second);
    EXPECT_EQ(pool.GetCachedCount(1), 0u);
    pool.FreeMemory(first, 200);
    pool.FreeMemory(second, 200);
}

TEST(CXMemorySizePoolTest, FreeFilesABlockByItsOwnClassNotTheCallersSize)
{
    CXMemorySizePool pool(4096, 7);
    void* big = pool.AllocateMemory(1000);  // class 7
    ::testing::internal::CaptureStderr();
    pool.FreeMemory(big, 10);  // a wrong size would file it under class 0
    const std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("Size does not match the block."), std::string::npos) << out;
    EXPECT_EQ(pool.GetCachedCount(0), 0u);
    EXPECT_EQ(pool.GetCachedCount(7), 1u);
    void* small = pool.AllocateMemory(100);
    EXPECT_NE(small, big) << "a small request must not get the block back under the wrong class";
    EXPECT_EQ(pool.AllocateMemory(1000), big);
    pool.FreeMemory(small, 100);
    pool.FreeMemory(big, 1000);

    alignas(16) char foreign[64] = {};
    ::testing::internal::CaptureStderr();
    pool.FreeMemory(foreign + 16, 16);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Not a block of this pool."),
              std::string::npos);
    for (uint32_t k = 0; k < pool.m_dwElementSize; ++k)
        EXPECT_EQ(pool.GetCachedCount(k), k == 0 || k == 7 ? 1u : 0u) << "class " << k;
}
