// The trace writer's list-box output: one entry per line, the last one selected, the oldest
// dropped when the list is full.
#include <gtest/gtest.h>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CDemoTrace.h"
#include "CDemoTraceList.h"
#include "CJix.h"
#include "jix_test_support.h"

namespace {

TEST(JixTrace, ListBoxOutputAddsEachLineAndSelectsIt)
{
    jix_test::RecordingSender sender;
    CJix host(nullptr, 7, false);
    host.SetSender(&sender);
    CDemo demo(&host);
    CDemoTraceList list;
    demo.GetLink()->SetTraceSink(new CDemoTrace(CDemoTrace::kListBox, "", &list));
    demo.m_nScore = 5000;
    demo.GetLink()->ReqTicketOut();
    demo.GetLink()->Trace("AnsTicketOut: ticketValid=%d", 1);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetCurSel(), 1);
    const std::string first = list.GetString(0);
    EXPECT_EQ(first.substr(first.find(" > ")), " > ReqTicketOut: save=5000");
    EXPECT_EQ(list.GetString(1).find('\n'), std::string::npos) << "an entry has no line end";

    // Without a list box the output is skipped; the line is still formatted.
    auto* noList = new CDemoTrace(CDemoTrace::kListBox, "");
    demo.GetLink()->SetTraceSink(noList);
    demo.GetLink()->Trace("kept %d", 3);
    EXPECT_NE(noList->LastLine().find(" > kept 3\n"), std::string::npos);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(JixTrace, AFullListDropsItsOldestEntry)
{
    CDemoTraceList list;
    CDemoTrace trace(CDemoTrace::kListBox, "", &list);
    for (size_t i = 0; i < CDemoTraceList::kMaxLines + 5; ++i) {
        const std::u16string text = u"line " + std::u16string(1, char16_t(u'A' + i % 26));
        trace.WriteLine(text.c_str());
    }
    EXPECT_EQ(size_t(list.GetCount()), CDemoTraceList::kMaxLines);
    EXPECT_EQ(list.GetCurSel(), list.GetCount() - 1);
    EXPECT_NE(list.GetString(0).find("line F"), std::string::npos) << "entries 0..4 dropped";
    EXPECT_EQ(list.GetString(list.GetCount()), "");
    list.SetCurSel(-3);
    EXPECT_EQ(list.GetCurSel(), -1);
}

}  // namespace
