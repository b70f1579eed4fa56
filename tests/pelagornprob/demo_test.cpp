// Handing out events: no main data gives zero records; the demo cursor wraps; the demo spin
// asks again past reach records, a bounded number of times.
#include <gtest/gtest.h>

#include <cstring>

#include "main_data.h"
#include "prob_fixture.h"
#include "support/temp_folder.h"

namespace {

bool IsZero(const CXProbDataInfo& r)
{
    uint8_t bytes[64];
    r.Write(bytes);
    for (uint8_t b : bytes)
        if (b)
            return false;
    return true;
}

void FillDemoLog(CXProb& prob, std::vector<uint8_t> reaches)
{
    prob.m_pDemoLog->Clear();
    for (uint32_t i = 0; i < reaches.size(); ++i) {
        CXProbDataInfo r;
        r.m_dwEventNo = i + 1;
        r.m_byReach = reaches[i];
        r.m_wTotalWin = uint16_t(100 * (i + 1));
        ASSERT_TRUE(prob.m_pDemoLog->AddDataObject(i, r));
    }
}

TEST(ProbDemo, WithoutMainDataEveryRequestGivesFalseAndAZeroRecord)
{
    CXProb prob;
    FillDemoLog(prob, {0, 0});
    for (bool demo : {true, false}) {
        CXProbDataInfo out;
        out.m_dwEventNo = 9;
        out.m_byFOb = 3;
        EXPECT_FALSE(prob.GetEventData(&out, demo));
        EXPECT_TRUE(IsZero(out));
    }
    CXProbDataInfo spin;
    EXPECT_FALSE(prob.GetDemoSpinData(&spin));
    EXPECT_EQ(spin.m_byType, 9);
    spin.m_byType = 0;
    EXPECT_TRUE(IsZero(spin));
}

class ProbDemoLoaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        prob.m_strDataFolder = folder.String().c_str();
        folder.Write("data.0.paf", MainData(3, 1, {}).Bytes());
        ASSERT_TRUE(prob.LoadMainData());
    }
    TempFolder folder{"prob_demo"};
    CXProb prob;
};

TEST_F(ProbDemoLoaded, TheDemoCursorWrapsAndAnEmptyLogGivesFalse)
{
    CXProbDataInfo out;
    EXPECT_FALSE(prob.GetEventData(&out, true));
    FillDemoLog(prob, {0, 0, 0});
    for (uint32_t expected : {1u, 2u, 3u, 1u, 2u}) {
        ASSERT_TRUE(prob.GetEventData(&out, true));
        EXPECT_EQ(out.m_dwEventNo, expected);
    }
}

TEST_F(ProbDemoLoaded, TheDemoSpinSkipsReachRecordsAndMarksType9)
{
    FillDemoLog(prob, {2, 3, 0, 2});
    CXProbDataInfo out;
    ASSERT_TRUE(prob.GetDemoSpinData(&out));
    EXPECT_EQ(out.m_dwEventNo, 3u);
    EXPECT_EQ(out.m_byType, 9);
    // Every record carries a reach mark: one pass over the log, then the last one.
    FillDemoLog(prob, {2, 2, 3});
    prob.m_dwDemoCursor = 0;
    ASSERT_TRUE(prob.GetDemoSpinData(&out));
    EXPECT_EQ(out.m_dwEventNo, 3u);
    EXPECT_EQ(prob.m_dwDemoCursor, 3u);
}

}  // namespace

namespace {

TEST(ProbThread, ALoopStepDrawsOneValueAndContinues)
{
    ScriptedRandom random;
    RandomScope scope(&random);
    random.m_Queue = {5, 6};
    CXProb prob;
    EXPECT_EQ(prob.OnThreadLoop(), CXThread::LOOP_CONTINUE);
    ASSERT_EQ(random.m_Queue.size(), 1u);
    EXPECT_EQ(random.m_Queue.front(), 6u);
}

}  // namespace
