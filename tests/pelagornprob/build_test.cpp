// Spin making and log building on the small hand-made tables, with seeded random sources.
#include <gtest/gtest.h>

#include "cxlib/error_log_capture.h"
#include "prob_fixture.h"

namespace {

TEST(ProbBuild, APrizeSpinPaysExactlyThePrize)
{
    CXProb prob;
    FillTables(prob);
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        ScriptedRandom random(seed);
        RandomScope scope(&random);
        for (uint16_t prize : {300, 1000, 2000, 3000, 5000, 10000, 15000, 20000}) {
            for (bool strict : {false, true}) {
                CXProbDataObject log;
                ASSERT_TRUE(prob.AddReelInfoFromPrize(&log, 0, prize, CXProbDataInfo::TYPE_BASE, 0,
                                                      0, 0, strict))
                    << prize << " seed " << seed;
                const CXProbDataInfo& r = *log.GetAt(0);
                EXPECT_EQ(r.m_wTotalWin, prize);
                EXPECT_EQ(r.m_wLineWin[0] + r.m_wLineWin[1] + r.m_wLineWin[2], prize);
                EXPECT_EQ(r.m_byReach, 0);
                EXPECT_EQ(r.m_byType, CXProbDataInfo::TYPE_BASE);
                EXPECT_EQ(log.m_dwCount, 1u);
                EXPECT_EQ(log.m_dwTotalWin, prize);
                // The record's own evaluation agrees with the stored lines.
                CXProbDataInfo again = r;
                for (uint32_t row = 0; row < 3; ++row)
                    prob.EvaluateLine(&again, row);
                EXPECT_EQ(0, std::memcmp(again.m_wLineWin, r.m_wLineWin, sizeof r.m_wLineWin));
            }
        }
    }
}

TEST(ProbBuild, ALosingSpinPaysNothingAndShowsNoLowReach)
{
    CXProb prob;
    FillTables(prob);
    ScriptedRandom random(7);
    RandomScope scope(&random);
    for (int i = 0; i < 50; ++i) {
        CXProbDataObject log;
        ASSERT_TRUE(
            prob.AddReelInfoFromPrize(&log, 0, 0, CXProbDataInfo::TYPE_LOSE, 0, 0, 0, true));
        const CXProbDataInfo& r = *log.GetAt(0);
        EXPECT_EQ(r.m_wTotalWin, 0);
        uint8_t symbol = 0, code = 0;
        EXPECT_FALSE(prob.FindReach(&r, &symbol, &code) && symbol < 6);
    }
}

TEST(ProbBuild, AWantedPrizeAbove20000IsMadeAs20000)
{
    CXProb prob;
    FillTables(prob);
    ScriptedRandom random(5);
    RandomScope scope(&random);
    CXProbDataInfo out;
    ASSERT_TRUE(prob.BuildEventData(&out, 30000));
    EXPECT_EQ(out.m_wTotalWin, 20000);
    EXPECT_EQ(out.m_byType, CXProbDataInfo::TYPE_RANDOM);
}

TEST(ProbBuild, MissingPrizesAndImpossibleOptionsFailWithTheirMessages)
{
    CXProb prob;
    FillTables(prob);
    ScriptedRandom random(5);
    RandomScope scope(&random);
    ErrorLogCapture log;
    CXProbDataObject scratch;
    EXPECT_FALSE(prob.AddReelInfoFromPrize(&scratch, 0, 700, 1, 0, 0, 0, false));
    EXPECT_EQ(log.Count("Prize not found. [wPrize=700]"), 1);
    EXPECT_FALSE(prob.AddReelInfoFromPrize(&scratch, 0, 1000, 1, 0, 0, 0x0B, false));
    EXPECT_EQ(log.Count("Invalid Option data. [wPrize=1000, dwOption=B]"), 1);
    // A forced count above the pattern's reel count.
    EXPECT_FALSE(prob.AddReelInfoFromPrize(&scratch, 0, 1000, 1, 0, 0, 0x0405, false));
    EXPECT_EQ(log.Count("Invalid variables. [bCount=3, bItemForceCount=4]"), 1);
    CXProbDataInfo out;
    EXPECT_FALSE(prob.BuildEventData(&out, 700));
    EXPECT_EQ(log.Count("BuildEventData fail. [wPrize=700]"), 1);
}

TEST(ProbBuild, RandomSpinsStayWithinTheCapAndStrictOnesAvoidTheRefusedWins)
{
    CXProb prob;
    FillTables(prob);
    ScriptedRandom random(11);
    RandomScope scope(&random);
    CXProbDataObject log;
    ASSERT_TRUE(log.m_Records.SetSize(400, 1));
    for (uint32_t i = 0; i < 400; ++i) {
        const bool strict = i % 2 == 1;
        ASSERT_TRUE(prob.AddReelInfoFromRandom(&log, i, strict));
        const CXProbDataInfo& r = *log.GetAt(i);
        EXPECT_LE(r.m_wTotalWin, 20000);
        if (strict && r.m_wTotalWin != 0) {
            EXPECT_EQ(r.m_byReach, 0);
            for (uint32_t row = 0; row < 3; ++row) {
                if (r.m_wLineWin[row] == 0)
                    continue;
                EXPECT_NE(r.m_bySymbol[row], 12);
                EXPECT_FALSE(r.m_byCount[row] == 4 && r.m_bySymbol[row] == 6);
                EXPECT_EQ(prob.CountWilds(&r, row), 0u);
            }
        }
    }
    EXPECT_EQ(log.m_dwCount, 400u);
}

// Reels 1 and 2 show wilds but for three stops, reels 3 and 4 only wilds: every draw of stop 0
// wins 40000, above the cap; a spin loses only when reel 2 shows its three non-wilds.
TEST(ProbBuild, ARandomSpinThatCannotBeMadeFallsBackOnALosingOneNeverAboveTheCap)
{
    CXProb prob;
    ScriptedRandom random(2);
    RandomScope scope(&random);
    ErrorLogCapture errors;
    std::vector<uint8_t> strip(30, 12);
    strip.insert(strip.end(), {0, 0, 0});
    SetStrip(prob, 0, strip);
    SetStrip(prob, 1, strip);
    SetStrip(prob, 2, {12});
    SetStrip(prob, 3, {12});
    random.m_Queue.assign(200 * 40, 0);
    CXProbDataObject log;
    ASSERT_TRUE(log.m_Records.SetSize(1, 1));
    ASSERT_TRUE(prob.AddReelInfoFromRandom(&log, 0, false));
    EXPECT_EQ(errors.Count("Random create fail."), 1);
    const CXProbDataInfo& r = *log.GetAt(0);
    EXPECT_EQ(r.m_wTotalWin, 0);
    EXPECT_EQ(r.m_byStop[1], 30);
    EXPECT_EQ(log.m_dwTotalWin, 0u);

    // No losing spin exists at all: refused, not a spin over the cap.
    for (int reel = 0; reel < 4; ++reel)
        SetStrip(prob, reel, {12});
    EXPECT_FALSE(prob.AddReelInfoFromRandom(&log, 0, false));
    EXPECT_EQ(errors.Count("Random create fail."), 2);
}

TEST(ProbBuild, ADemoLogIsABlockOf100WhoseTotalsAreTheSumOfItsRecords)
{
    CXProb prob;
    FillTables(prob);
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        ScriptedRandom random(seed);
        RandomScope scope(&random);
        ASSERT_TRUE(prob.CreateDemoPDO(true)) << seed;
        const CXProbDataObject& log = *prob.m_pDemoLog;
        ASSERT_EQ(log.GetSize(), 100u);
        uint32_t count = 0, total = 0;
        ASSERT_TRUE(SumLog(log, &count, &total));
        EXPECT_EQ(log.m_dwCount, count);
        EXPECT_EQ(log.m_dwTotalWin, total);
        int base = 0, randoms = 0;
        for (uint32_t i = 0; i < 100; ++i) {
            const CXProbDataInfo& r = *log.GetAt(i);
            EXPECT_EQ(r.m_byBlockStart, i == 0 ? 1 : 0);
            EXPECT_LE(r.m_wTotalWin, 20000);
            base += r.m_byType == CXProbDataInfo::TYPE_BASE;
            randoms += r.m_byType == CXProbDataInfo::TYPE_RANDOM;
            if (r.m_byType == CXProbDataInfo::TYPE_LOSE) {
                EXPECT_EQ(r.m_wTotalWin, 0);
            }
        }
        EXPECT_EQ(base, 2);      // the unit {1000, 2000}
        EXPECT_EQ(randoms, 10);  // share 0.1
    }
}

TEST(ProbBuild, WithEmptyTablesTheDemoBuildFailsWithTwoLines)
{
    ErrorLogCapture errors;
    CXProb prob;
    EXPECT_FALSE(prob.CreateDemoPDO(false));
    const std::string text = errors.Text();
    EXPECT_EQ(errors.Count("BuildLogNormal fail"), 1);
    EXPECT_EQ(errors.Count("Demo log build fail."), 1);
    EXPECT_NE(text.find("CXProb::BuildLog"), std::string::npos);
    EXPECT_NE(text.find("CXProb::CreateDemoPDO"), std::string::npos);
    EXPECT_EQ(errors.Count("\r\n"), 2);

    CXProbDataObject high;
    CXProbSetting setting;
    EXPECT_TRUE(prob.BuildLogHigh(&high, &setting));
    EXPECT_EQ(high.GetSize(), 0u);
    EXPECT_FALSE(prob.BuildLogNormal(&high, &setting, 0, false));
    EXPECT_EQ(errors.Count("\r\n"), 2);
}

// One high table entry of type 2 (sign prize: four wilds; second prize: four wilds at top
// grade), steps of 20000 from the 20000 entry.
void FillHigh(CXProb& prob, uint32_t dwTotal)
{
    auto* pEntry = new CXProbHighTableObject;
    pEntry->m_byNumber = 5;
    pEntry->m_byType = 2;
    pEntry->m_dwTotal = dwTotal;
    pEntry->m_wSignPrize = 20000;
    pEntry->m_byTop = 4;
    pEntry->m_LeadMin.SetAt(0, 2);
    pEntry->m_LeadMax.SetAt(0, 4);
    prob.m_HighTable.SetAt(0, pEntry);

    auto* pConfig = new CXProbHighConfigObject;
    pConfig->m_byNumber = 3;
    pConfig->m_Units.SetAt(0, MakeUnit({0}, dwTotal));
    SetBytes(pConfig->m_Pick, {1});
    auto* pIndex = new CXProbHighConfigIndex;
    pIndex->m_Configs.SetAt(0, pConfig);
    SetBytes(pIndex->m_Pick, {1});
    prob.m_HighConfig.SetAt(0, pIndex);

    auto* pStep = new CXProbBasePrizeObject;
    pStep->m_Units.SetAt(0, MakeUnit({20000}));
    SetBytes(pStep->m_Pick, {1});
    prob.m_HighPrize.SetAt(0, pStep);
    SetBytes(prob.m_Gap, {1, 2});
    // The first event lands beyond the second block: the log grows by two blocks at once.
    prob.m_byFirstGapMin = 230;
    prob.m_byFirstGapMax = 240;
}

TEST(ProbBuild, AForcedHighPrizeIsSpreadOverALogThatGrowsAsNeeded)
{
    CXProb prob;
    FillTables(prob);
    FillHigh(prob, 100000);
    ScriptedRandom random(9);
    RandomScope scope(&random);
    CXProbSetting setting = prob.m_Setting;
    setting.dwForcedHighAmount = 100000;
    CXProbDataObject log;
    ASSERT_TRUE(prob.BuildLog(&log, &setting));
    EXPECT_EQ(log.GetSize() % 100, 0u);
    EXPECT_GE(log.GetSize(), 300u);
    EXPECT_EQ(log.m_dwHighAmount, 100000u);
    EXPECT_EQ(log.m_byHighIndex, 1);
    EXPECT_EQ(log.m_byHighNumber, 3);
    uint32_t count = 0, total = 0;
    ASSERT_TRUE(SumLog(log, &count, &total));
    EXPECT_EQ(log.m_dwCount, count);
    EXPECT_EQ(log.m_dwTotalWin, total);
    // Sign prize, second prize, then the rest in steps of 20000, the last one closing.
    std::vector<uint8_t> types;
    uint32_t highWin = 0;
    for (uint32_t i = 0; i < log.GetSize(); ++i) {
        const CXProbDataInfo& r = *log.GetAt(i);
        if (r.IsHighType()) {
            types.push_back(r.m_byType);
            highWin += r.m_wTotalWin;
            EXPECT_EQ(r.m_byHighKind, 2);
            EXPECT_EQ(r.m_byHighTable, 5);
        }
    }
    EXPECT_EQ(types, (std::vector<uint8_t>{3, 4, 5, 5, 6}));
    EXPECT_EQ(highWin, 100000u);
}

TEST(ProbBuild, AHighRemainderUnder10000Fails)
{
    CXProb prob;
    FillTables(prob);
    FillHigh(prob, 45000);
    ScriptedRandom random(9);
    RandomScope scope(&random);
    ErrorLogCapture errors;
    CXProbSetting setting;
    setting.dwForcedHighAmount = 45000;
    CXProbDataObject log;
    EXPECT_FALSE(prob.BuildLogHigh(&log, &setting));
    EXPECT_EQ(
        errors.Count(
            "Invalid high prize. [dwHighPrize=45000, wSignPrize=20000, HIGH_PRIZE_MONEY=10000]"),
        1);
}

}  // namespace
