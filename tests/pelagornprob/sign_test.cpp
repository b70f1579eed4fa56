// Sign runs and scene-object placement on hand-made logs.
#include <gtest/gtest.h>

#include "cxlib/error_log_capture.h"
#include "prob_fixture.h"

namespace {

// A log of n losing records; the listed indices get the given types.
void MakeLog(CXProbDataObject& log, uint32_t n)
{
    log.Clear();
    for (uint32_t i = 0; i < n; ++i) {
        CXProbDataInfo r;
        r.m_dwEventNo = i + 1;
        ASSERT_TRUE(log.AddDataObject(i, r));
    }
}

CXProbMovingObject* Object(uint8_t slot, uint8_t lo, uint8_t hi)
{
    auto* p = new CXProbMovingObject;
    p->m_bySlot = slot;
    p->m_byValueMin = lo;
    p->m_byValueMax = hi;
    p->m_byNumberMin = 1;
    p->m_byNumberMax = 1;
    p->m_byPercent[0] = p->m_byPercent[1] = 100;
    return p;
}

TEST(ProbSign, SignAwarePlacementOnASecondSignOnlyRecordWritesNothing)
{
    CXProb prob;
    ScriptedRandom random(1);
    RandomScope scope(&random);
    CXProbDataObject log;
    MakeLog(log, 5);
    log.GetAt(2)->m_bySign = CXProbDataInfo::SIGN_SECOND;
    std::unique_ptr<CXProbMovingObject> object(Object(CXProbMovingObject::SLOT_FIRST, 4, 4));
    EXPECT_TRUE(prob.SetEventObject(&log, 2, object.get(), true));
    EXPECT_EQ(log.GetAt(2)->m_byMO1, 0);
    EXPECT_TRUE(prob.SetEventObject(&log, 2, object.get(), false));
    EXPECT_EQ(log.GetAt(2)->m_byMO1, 4);
    EXPECT_EQ(log.GetAt(2)->m_byMN1, 1);

    ErrorLogCapture errors;
    EXPECT_FALSE(prob.SetEventObject(&log, 5, object.get(), false));
    EXPECT_EQ(errors.Count("Invalid event object. dwIndex=5, MAX=5]"), 1);
}

TEST(ProbSign, SlotsCyclingAndTheClearingWindow)
{
    CXProb prob;
    ScriptedRandom random(1);
    RandomScope scope(&random);
    CXProbDataObject log;
    MakeLog(log, 6);
    std::unique_ptr<CXProbMovingObject> field(Object(CXProbMovingObject::SLOT_FIELD, 7, 9));
    field->m_bCycle = 1;
    for (uint32_t i = 0; i < 4; ++i)
        ASSERT_TRUE(prob.SetEventObject(&log, i, field.get(), false));
    EXPECT_EQ(log.GetAt(0)->m_byFOb, 7);
    EXPECT_EQ(log.GetAt(1)->m_byFOb, 8);
    EXPECT_EQ(log.GetAt(2)->m_byFOb, 9);
    EXPECT_EQ(log.GetAt(3)->m_byFOb, 7);

    std::unique_ptr<CXProbMovingObject> second(Object(CXProbMovingObject::SLOT_SECOND, 3, 3));
    log.GetAt(4)->m_byMO1 = 5;
    log.GetAt(4)->m_byMN1 = 2;
    second->m_dwClearMin = second->m_dwClearMax = 1;
    ASSERT_TRUE(prob.SetEventObject(&log, 5, second.get(), false));
    EXPECT_EQ(log.GetAt(5)->m_byMO2, 3);
    EXPECT_EQ(log.GetAt(4)->m_byMO1, 0);
    EXPECT_EQ(log.GetAt(4)->m_byMN1, 0);
}

TEST(ProbSign, AnObjectWhoseExclusionWindowHoldsItsValueGivesWayToTheNext)
{
    CXProb prob;
    ScriptedRandom random(1);
    RandomScope scope(&random);
    CXProbDataObject log;
    MakeLog(log, 3);
    for (uint32_t i = 0; i < 3; ++i)
        log.GetAt(i)->m_byFOb = uint8_t(i == 1 ? 0 : 6);
    CXProbMovingObject* pBlocked = Object(CXProbMovingObject::SLOT_FIRST, 5, 6);
    pBlocked->m_dwExcludeMin = pBlocked->m_dwExcludeMax = 1;
    EXPECT_FALSE(prob.SetEventObject(&log, 1, pBlocked, false));
    EXPECT_EQ(log.GetAt(1)->m_byMO1, 0);

    prob.m_MovingObject[0].SetAt(0, pBlocked);
    prob.m_MovingObject[0].SetAt(1, Object(CXProbMovingObject::SLOT_SECOND, 2, 2));
    ASSERT_TRUE(prob.MakeEventObject(&log));
    EXPECT_EQ(log.GetAt(1)->m_byMO1, 0);
    EXPECT_EQ(log.GetAt(1)->m_byMO2, 2);
}

TEST(ProbSign, SignRunsHighLeadsAndHighSequences)
{
    CXProb prob;
    CXProbDataObject log;
    MakeLog(log, 400);
    // A high sequence at 300..303 of table 5 with a lead of 4 to 6 records.
    for (uint32_t i = 300; i <= 303; ++i) {
        CXProbDataInfo* p = log.GetAt(i);
        p->m_byType = uint8_t(i == 300 ? 3 : (i == 303 ? 6 : 5));
        p->m_byHighTable = 5;
        p->m_byHighKind = 1;
    }
    auto* pEntry = new CXProbHighTableObject;
    pEntry->m_byNumber = 5;
    pEntry->m_LeadMin.SetAt(0, 4);
    pEntry->m_LeadMax.SetAt(0, 6);
    prob.m_HighTable.SetAt(0, pEntry);
    CXProbSignSetting& s = prob.m_SignSetting;
    s.dwPer100Min = 5;
    s.dwPer100Max = 8;
    s.dwRunMin = 2;
    s.dwRunMax = 4;
    s.dwGapMin = 10;
    s.dwGapMax = 20;
    s.byThuStartPercent = 100;
    s.NoSign.dwMinLength = 1;
    s.NoSign.byPercent = 100;
    s.NoSign.dwLengthMin = s.NoSign.dwLengthMax = 1;

    for (uint32_t seed = 1; seed <= 10; ++seed) {
        ScriptedRandom random(seed);
        RandomScope scope(&random);
        for (uint32_t i = 0; i < 400; ++i) {
            CXProbDataInfo* p = log.GetAt(i);
            p->m_bySign = p->m_byRai = p->m_byThu = 0;
        }
        ASSERT_TRUE(prob.MakeEventSign(&log)) << seed;
        uint32_t signs = 0;
        for (uint32_t i = 0; i < 400; ++i) {
            const CXProbDataInfo& r = *log.GetAt(i);
            if (i >= 300 && i <= 303) {
                EXPECT_EQ(r.m_bySign, CXProbDataInfo::SIGN_SECOND) << i;
                EXPECT_EQ(r.m_byRai + r.m_byThu, 0) << i;
            } else if (i >= 294 && i < 300) {
                if (i >= 296) {
                    EXPECT_EQ(r.m_bySign & 7, 7) << i;
                }
            } else {
                signs += r.HasBothSigns();
                EXPECT_EQ(r.m_bySign & CXProbDataInfo::SIGN_HIGH, 0) << i;
            }
            // A run's first record gets a thunder of 1 or 2.
            if (r.HasBothSigns() && (i == 0 || !log.GetAt(i - 1)->HasBothSigns())) {
                EXPECT_TRUE(r.m_byThu == 1 || r.m_byThu == 2) << i;
            }
            if (r.m_byRai) {
                EXPECT_EQ(r.m_bySign & 3, 0) << i;
            }
        }
        // 4 x 5 .. 4 x 8 sign records, some possibly under the high lead.
        EXPECT_LE(signs, 32u) << seed;
        EXPECT_GE(signs + 6, 20u) << seed;
    }
}

TEST(ProbSign, AHighEventWithoutItsTableEntryFails)
{
    CXProb prob;
    ScriptedRandom random(1);
    RandomScope scope(&random);
    ErrorLogCapture errors;
    CXProbDataObject log;
    MakeLog(log, 10);
    log.GetAt(4)->m_byType = CXProbDataInfo::TYPE_HIGH_SIGN;
    log.GetAt(4)->m_byHighTable = 9;
    EXPECT_FALSE(prob.MakeEventSign(&log));
    EXPECT_EQ(errors.Count("Invalid HighPrize Object."), 1);
}

}  // namespace
