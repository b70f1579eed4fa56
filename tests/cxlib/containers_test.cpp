// Lists, arrays, the AVL tree and the owning map: ownership, order and growth.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "CXAVLTreeTmpl.h"
#include "CXArrayExTmpl.h"
#include "CXArrayTmpl.h"
#include "CXListExTmpl.h"
#include "CXListTmpl.h"
#include "CXLockTmpl.h"
#include "CXPtrMapTempl.h"
#include "CXString.h"
#include "CXStringIndex.h"
#include "CXThread.h"
#include "cxlib/error_log_capture.h"
#include "cxlib/failing_allocation.h"

namespace {

// Counts its own destructions, so tests see exactly which objects a container deleted.
struct Tracked {
    explicit Tracked(std::string name = "", int* pDeaths = nullptr)
        : m_strName(name.c_str()), m_pDeaths(pDeaths)
    {}
    virtual ~Tracked()
    {
        if (m_pDeaths)
            ++*m_pDeaths;
    }
    const CXString& GetName() const { return m_strName; }
    const CXString& GetKey() const { return m_strName; }

    CXString m_strName;
    int* m_pDeaths;
};

std::vector<std::string> Names(const CXListTmpl<Tracked>& list)
{
    std::vector<std::string> names;
    for (auto* p = list.m_pHead; p; p = p->m_pNext)
        names.push_back(p->m_pData->m_strName.GetString());
    return names;
}

std::vector<std::string> InOrder(const CXAVLTreeTmpl<Tracked>& tree)
{
    std::vector<std::string> keys;
    tree.ForEach([&](Tracked* p) { keys.push_back(p->m_strName.GetString()); });
    return keys;
}

}  // namespace

TEST(CXListTmpl, AddsAtBothEndsAndWalksBackwardsToo)
{
    CXListTmpl<Tracked> list;
    EXPECT_EQ(list.AddTail(nullptr), 0);
    EXPECT_EQ(list.m_dwCount, 0u);
    EXPECT_EQ(list.m_pHead, nullptr);

    ASSERT_EQ(list.AddTail(new Tracked("b")), 1);
    ASSERT_EQ(list.AddHead(new Tracked("a")), 1);
    ASSERT_EQ(list.AddTail(new Tracked("c")), 1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(list.m_dwCount, 3u);
    EXPECT_STREQ(list.m_pTail->m_pData->m_strName.GetString(), "c");
    EXPECT_STREQ(list.m_pTail->m_pPrev->m_pPrev->m_pData->m_strName.GetString(), "a");
    EXPECT_EQ(list.m_pHead->m_pPrev, nullptr);
}

TEST(CXListTmpl, OwnershipDecidesWhatRemovalDeletes)
{
    int deaths = 0;
    Tracked kept1("k1", &deaths), kept2("k2", &deaths);
    {
        CXListTmpl<Tracked> list;
        list.AddTail(&kept1, 0);
        list.AddTail(new Tracked("owned", &deaths), 1);
        list.AddTail(&kept2, 0);
        list.RemoveAll(0);
        EXPECT_EQ(deaths, 1) << "RemoveAll(0) deletes only the owned object";
        EXPECT_EQ(list.m_dwCount, 0u);
        EXPECT_EQ(list.m_pHead, nullptr);
        EXPECT_EQ(list.m_pTail, nullptr);

        list.AddTail(new Tracked("x", &deaths), 0);
        list.AddTail(new Tracked("y", &deaths), 0);
        list.RemoveAll(1);
        EXPECT_EQ(deaths, 3) << "RemoveAll(1) deletes every object";

        list.AddTail(new Tracked("z", &deaths));
    }
    EXPECT_EQ(deaths, 4) << "the destructor deletes owned objects";
}

TEST(CXListTmpl, DelListAndDelLinkUnlinkFromAnyPosition)
{
    int deaths = 0;
    CXListTmpl<Tracked> list;
    Tracked* a = new Tracked("a", &deaths);
    Tracked* b = new Tracked("b", &deaths);
    Tracked* c = new Tracked("c", &deaths);
    list.AddTail(a);
    list.AddTail(b);
    list.AddTail(c);

    EXPECT_EQ(list.DelLink(b), 1);
    EXPECT_EQ(deaths, 0) << "DelLink never deletes the object";
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c"}));
    delete b;
    deaths = 0;
    EXPECT_EQ(list.DelLink(b), 0);

    EXPECT_EQ(list.DelList(list.m_pTail), 1);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(list.m_pTail->m_pData, a);
    EXPECT_EQ(list.m_pTail->m_pNext, nullptr);
    EXPECT_EQ(list.DelList(list.m_pHead), 1);
    EXPECT_EQ(list.m_pHead, nullptr);
    EXPECT_EQ(list.m_pTail, nullptr);
    EXPECT_EQ(list.DelList(nullptr), 0);

    Tracked loose("loose", &deaths);
    list.AddTail(&loose, 0);
    EXPECT_EQ(list.DelList(list.m_pHead, 0), 1);
    EXPECT_EQ(deaths, 2) << "only the owned object was deleted";
}

TEST(CXListExTmpl, NamesAreUniqueAndIndexed)
{
    int deaths = 0;
    CXListExTmpl<Tracked> list;
    ASSERT_EQ(list.AddTail(new Tracked("ONE", &deaths)), 1);
    ASSERT_EQ(list.AddHead(new Tracked("TWO", &deaths)), 1);
    Tracked duplicate("ONE", &deaths);
    EXPECT_EQ(list.AddTail(&duplicate), 0);
    EXPECT_EQ(list.AddHead(&duplicate), 0);
    EXPECT_EQ(deaths, 0) << "a refused object is not deleted";
    EXPECT_EQ(list.m_dwCount, 2u);

    Tracked* one = list.FindByName("ONE");
    ASSERT_NE(one, nullptr);
    EXPECT_NE(one, &duplicate);
    EXPECT_EQ(list.DelLink(one), 1);
    EXPECT_EQ(list.FindByName("ONE"), nullptr);
    EXPECT_EQ(list.m_Index.GetCount(), 1u);
    ASSERT_EQ(list.AddTail(one), 1) << "the name is free again";

    list.DelList(list.m_pHead);
    EXPECT_EQ(list.FindByName("TWO"), nullptr);
    list.RemoveAll(0);
    EXPECT_EQ(list.m_Index.GetCount(), 0u);
    EXPECT_EQ(deaths, 2);
}

TEST(CXArrayTmpl, GrowsShrinksAndKeepsObjects)
{
    int deaths = 0;
    CXArrayTmpl<Tracked> array;
    ASSERT_EQ(array.SetSize(3, 1, 4), 1);
    EXPECT_EQ(array.m_dwMaxSize, 3u);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_NE(array.GetAt(i), nullptr) << "created object " << i;
    Tracked* second = array.GetAt(1);

    ASSERT_EQ(array.SetSize(1, 0, 4), 1);
    EXPECT_EQ(array.m_dwMaxSize, 3u) << "shrinking keeps the capacity";
    EXPECT_EQ(array.GetAt(1), nullptr) << "beyond the size";
    ASSERT_EQ(array.SetSize(2, 0, 4), 1);
    EXPECT_EQ(array.GetAt(1), second) << "the object survived the shrink";

    array.SetAt(1, new Tracked("x", &deaths));
    EXPECT_STREQ(array.GetAt(1)->m_strName.GetString(), "x");
    array.SetAt(1, new Tracked("y", &deaths));
    EXPECT_EQ(deaths, 1) << "the replaced owned object is deleted";

    Tracked fallback("default");
    array.SetDefault(&fallback, 0);
    EXPECT_EQ(array.GetAt(99), &fallback);
    array.RemoveAll(0);
    EXPECT_EQ(array.GetAt(0), &fallback) << "an empty slot reads as the default";
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(array.GetSize(), 2u);

    array.DeleteAll();
    EXPECT_EQ(array.m_dwMaxSize, 0u);
    EXPECT_EQ(array.m_dwGrowStep, 4u);
}

struct ThrowsOnThird {
    ThrowsOnThird()
    {
        if (++s_nMade == 3)
            throw 3;
    }
    virtual ~ThrowsOnThird() { ++s_nDeleted; }
    static inline int s_nMade = 0;
    static inline int s_nDeleted = 0;
};

TEST(CXArrayTmpl, AFailedGrowthIsReportedAndLeavesTheArrayAsItWas)
{
    ErrorLogCapture log;
    CXArrayTmpl<ThrowsOnThird> array;
    ASSERT_EQ(array.SetSize(2, 1, 4), 1);
    ThrowsOnThird* first = array.GetAt(0);
    EXPECT_EQ(array.SetSize(5, 1, 4), 0);
    EXPECT_EQ(array.GetSize(), 2u);
    EXPECT_EQ(array.m_dwMaxSize, 2u);
    EXPECT_EQ(array.GetAt(0), first);
    EXPECT_EQ(ThrowsOnThird::s_nDeleted, 0) << "nothing was made, so nothing was deleted";
    EXPECT_EQ(log.Count("[CXArrayTmpl<class ThrowsOnThird>::SetSize] : SetSize fail."), 1)
        << log.Text();
    EXPECT_EQ(array.SetSize(5, 1, 4), 1) << "the next try succeeds";
    EXPECT_NE(array.GetAt(4), nullptr);
}

TEST(CXArrayTmpl, StoreAtIndexGrowsByTheGrowStep)
{
    struct Case {
        uint32_t grow;
        uint32_t index;
        uint32_t wantCapacity;
    };
    const Case cases[] = {{4, 0, 4}, {4, 9, 10}, {16, 2, 16}, {0, 5, 6}};
    for (const Case& c : cases) {
        CXArrayTmpl<Tracked> array;
        array.SetSize(0, 0, c.grow);
        Tracked item("i");
        ASSERT_EQ(array.SetAt(c.index, &item, 0), 1) << "grow " << c.grow << " index " << c.index;
        EXPECT_EQ(array.GetSize(), c.index + 1) << "grow " << c.grow << " index " << c.index;
        EXPECT_EQ(array.m_dwMaxSize, c.wantCapacity) << "grow " << c.grow << " index " << c.index;
        EXPECT_EQ(array.GetAt(c.index), &item);
        if (c.index > 0) {
            EXPECT_EQ(array.GetAt(c.index - 1), nullptr) << "slots before stay empty";
        }
    }
}

TEST(CXArrayExTmpl, OutOfRangeReadsTheDefaultNeverNull)
{
    CXArrayExTmpl<uint32_t> values;
    EXPECT_EQ(*values.GetAt(0), 0u);
    values.SetDefault(77);
    const uint32_t* pDefault = values.GetAt(5);
    ASSERT_NE(pDefault, nullptr);
    EXPECT_EQ(*pDefault, 77u);

    ASSERT_TRUE(values.SetSize(3));
    EXPECT_EQ(*values.GetAt(2), 0u) << "new slots are zero";
    EXPECT_EQ(values.GetAt(3), pDefault);
    ASSERT_TRUE(values.SetAt(6, 600));
    EXPECT_EQ(values.GetSize(), 7u);
    EXPECT_EQ(*values.GetAt(6), 600u);
    EXPECT_EQ(*values.GetAt(4), 0u);

    ASSERT_TRUE(values.SetSize(2));
    EXPECT_EQ(values.GetAt(6), pDefault);
    static_assert(std::is_same_v<decltype(values.GetAt(0)), const uint32_t*>, "read-only lookup");

    CXArrayExTmpl<uint8_t> bytes;
    bytes.SetAt(0, 255);
    EXPECT_EQ(*bytes.GetAt(0), 255);
}

TEST(CXAVLTreeTmpl, OrdersByLengthThenBytes)
{
    CXAVLTreeTmpl<Tracked> tree;
    for (const char* key : {"B", "AA", "A", "\xB0\xA1", "b", "AB"})
        ASSERT_EQ(tree.Insert(new Tracked(key)), 1) << key;
    EXPECT_EQ(InOrder(tree), (std::vector<std::string>{"A", "B", "b", "AA", "AB", "\xB0\xA1"}));
    EXPECT_EQ(tree.GetCount(), 6u);
    ASSERT_NE(tree.FindNode("AB"), nullptr);
    EXPECT_EQ(tree.FindNode("ab"), nullptr);
    EXPECT_EQ(tree.FindNode(""), nullptr);
}

TEST(CXAVLTreeTmpl, InsertingAnExistingKeyReplacesItsData)
{
    int deaths = 0;
    CXAVLTreeTmpl<Tracked> tree;
    tree.Insert(new Tracked("K", &deaths));
    tree.Insert(new Tracked("L", &deaths));
    Tracked* newer = new Tracked("K", &deaths);
    EXPECT_EQ(tree.Insert(newer), 1);
    EXPECT_EQ(tree.GetCount(), 2u);
    EXPECT_EQ(deaths, 1) << "the owned old data is deleted";
    EXPECT_EQ(tree.FindNode("K"), newer);
    EXPECT_EQ(tree.Insert(newer), 1) << "the same data again changes nothing";
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(tree.Insert(nullptr), 0);

    Tracked kept("K", &deaths);
    tree.Insert(&kept, 0);
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(tree.DeleteNode("K"), 1);
    EXPECT_EQ(deaths, 2) << "unowned data survives its node";
    EXPECT_EQ(tree.DeleteNode("K"), 0);
}

namespace {

// Checks order, parent links, balance marks and heights; returns the height.
int CheckSubtree(const CXAVLNodeTmpl<Tracked>* node, const CXAVLNodeTmpl<Tracked>* parent,
                 int& nodes)
{
    if (!node)
        return 0;
    ++nodes;
    EXPECT_EQ(node->m_pParent, parent);
    if (node->m_pLeft) {
        EXPECT_LT(CXCompareAVLKey(CXAVLKeyOf(*node->m_pLeft->m_pData), CXAVLKeyOf(*node->m_pData)),
                  0);
    }
    if (node->m_pRight) {
        EXPECT_GT(CXCompareAVLKey(CXAVLKeyOf(*node->m_pRight->m_pData), CXAVLKeyOf(*node->m_pData)),
                  0);
    }
    const int left = CheckSubtree(node->m_pLeft, node, nodes);
    const int right = CheckSubtree(node->m_pRight, node, nodes);
    const uint8_t want = left == right ? 0 : (left > right ? 1 : 2);
    EXPECT_EQ(node->m_byBalance, want);
    EXPECT_LE(std::abs(left - right), 1);
    return std::max(left, right) + 1;
}

}  // namespace

TEST(CXAVLTreeTmpl, StaysBalancedThroughRandomInsertsAndDeletes)
{
    CXAVLTreeTmpl<Tracked> tree;
    std::map<std::string, int> model;
    std::mt19937 rng(12345);
    for (int step = 0; step < 6000; ++step) {
        const std::string key = std::to_string(rng() % 700);
        if (rng() % 3 == 0) {
            EXPECT_EQ(tree.DeleteNode(key.c_str()), model.erase(key) ? 1 : 0) << "delete " << key;
        } else {
            tree.Insert(new Tracked(key));
            model[key] = 1;
        }
        if (step % 500 == 0 || step == 5999) {
            int nodes = 0;
            CheckSubtree(tree.m_pRoot, nullptr, nodes);
            ASSERT_EQ(static_cast<size_t>(nodes), model.size()) << "step " << step;
            ASSERT_EQ(tree.GetCount(), model.size()) << "step " << step;
            if (HasFailure())
                FAIL() << "tree invalid at step " << step;
        }
    }
    for (const auto& entry : model)
        EXPECT_NE(tree.FindNode(entry.first.c_str()), nullptr) << entry.first;
    tree.RemoveAll();
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.m_pRoot, nullptr);
}

TEST(CXPtrMapTempl, OwnsItsObjects)
{
    int deaths = 0;
    {
        CXPtrMapTempl<std::string, Tracked> map;
        EXPECT_FALSE(map.Insert("a", nullptr));
        map.Insert("a", new Tracked("a1", &deaths));
        map.Insert("a", new Tracked("a2", &deaths));
        EXPECT_EQ(deaths, 1) << "replacing deletes the earlier object";
        EXPECT_STREQ(map.Find("a")->m_strName.GetString(), "a2");
        EXPECT_EQ(map.Find("b"), nullptr);

        Tracked* handedBack = map.Remove("a", false);
        ASSERT_NE(handedBack, nullptr);
        EXPECT_EQ(deaths, 1);
        delete handedBack;

        Tracked kept("k", &deaths);
        map.Insert("k", &kept);
        map.RemoveAll(false);
        EXPECT_EQ(map.GetCount(), 0u);
        EXPECT_EQ(deaths, 2);

        map.Insert("z", new Tracked("z", &deaths));
    }
    EXPECT_EQ(deaths, 4) << "the destructor deletes every mapped object";
}

TEST(CXTmplReport, SpellsTypeArgumentsTheLibraryWay)
{
    EXPECT_STREQ(CXTmplArgName<uint32_t>(), "unsigned long");
    EXPECT_STREQ(CXTmplArgName<uint64_t>(), "unsigned __int64");
    EXPECT_STREQ(CXTmplArgName<unsigned char>(), "unsigned char");
    EXPECT_STREQ(CXTmplArgName<CXString>(), "class CXString");
    // Nested instances name every class and keep closing brackets apart.
    EXPECT_STREQ(CXTmplArgName<CXLockTmpl<CXListTmpl<unsigned char>>>(),
                 "class CXLockTmpl<class CXListTmpl<unsigned char> >");
    EXPECT_STREQ(CXTmplArgName<CXListElementTmpl<CXListTmpl<uint32_t>>>(),
                 "class CXListElementTmpl<class CXListTmpl<unsigned long> >");
}

// Each template instance below runs out of memory on its real path; the record must name the
// instance as the library always has, at the template's header and the reporting line.
TEST(CXTmplReport, AFailureNamesTheFullTemplateAndMethod)
{
    struct Case {
        const char* what;
        std::function<bool()> fail;  // true when the operation reported failure
        const char* header;
        const char* record;
    };
    CXListTmpl<CXThread> threads;
    CXThread thread;
    CXArrayExTmpl<uint32_t> dwords;
    CXArrayExTmpl<uint64_t> qwords;
    CXArrayTmpl<CXLockTmpl<CXListTmpl<unsigned char>>> lists;
    CXAVLTreeTmpl<CXStringIndexData> tree;
    CXStringIndexData keyed("KEY", "value", 0);
    const Case cases[] = {
        {"list", [&] { return threads.AddTail(&thread, 0) == 0; },
         "Lib\\CXLib\\Include\\Base/CXListTmpl(",
         "-[CXListTmpl<class CXThread>::AddTail] : AddTail fail.\r\n"},
        {"32-bit values", [&] { return !dwords.SetSize(3); },
         "Lib\\CXLib\\Include\\Base/CXArrayExTmpl(",
         "-[CXArrayExTmpl<unsigned long>::SetSize] : SetSize fail. [dwMaxArraySize=3]\r\n"},
        {"64-bit values", [&] { return !qwords.SetAt(4, 1); },
         "Lib\\CXLib\\Include\\Base/CXArrayExTmpl(",
         "-[CXArrayExTmpl<unsigned __int64>::SetSize] : SetSize fail. [dwMaxArraySize=5]\r\n"},
        {"locked lists", [&] { return lists.SetSize(2, 1) == 0; },
         "Lib\\CXLib\\Include\\Base/CXArrayTmpl(",
         "-[CXArrayTmpl<class CXLockTmpl<class CXListTmpl<unsigned char> > >::SetSize] : "
         "CXArrayElementTmpl double array create fail. [dwMaxArraySize=2]\r\n"},
        {"tree", [&] { return tree.Insert(&keyed, 0) == 0; },
         "Lib\\CXLib\\Include\\Base/CXAVLTreeTmpl(",
         "-[CXAVLTreeTmpl<class CXStringIndexData>::Insert] : Insert fail.\r\n"},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        bool failed;
        {
            FailingAllocations refuse(1);
            failed = c.fail();
            EXPECT_EQ(refuse.GetRefused(), 1) << c.what;
        }
        const std::string out = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(failed) << c.what;
        EXPECT_EQ(out.rfind(c.header, 0), 0u) << c.what << ": " << out;
        EXPECT_NE(out.find(c.record), std::string::npos) << c.what << ": " << out;
    }
    EXPECT_EQ(threads.GetCount(), 0u);
    EXPECT_EQ(dwords.GetSize(), 0u);
    EXPECT_EQ(qwords.GetSize(), 0u);
    EXPECT_EQ(lists.GetSize(), 0u);
    EXPECT_EQ(tree.GetCount(), 0u);
}
