// What a standalone game clears between rounds and spins: the round reset the script asks for
// with its empty credit, the show's frames at a spin's start, and the win split at the spin end.
#include <gtest/gtest.h>

#include <algorithm>

#include "CMorvaneMain.h"
#include "morvane_fakes.h"

using namespace morvane_test;

namespace {

class MorvaneRoundStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Main.m_byNetworked = 0;
        m_Main.m_byAutoPlay = 1;
    }
    void Tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            m_Main.m_byAutoPlay = 1;
            m_Main.Process();
        }
    }
    // From the arming step to the pattern's tick 30, when the spin takes its result over.
    void RunToResult()
    {
        for (int i = 0; i < 40 && !m_Main.ResultTaken; ++i)
            Tick();
        ASSERT_EQ(m_Main.ResultTaken, 1);
    }
    static bool AllZero(const uint8_t* digits, int n)
    {
        return std::all_of(digits, digits + n, [](uint8_t d) { return d == 0; });
    }

    FakeOwner m_Owner{2, 0, true};
    RecordingIO m_IO;
    CMorvaneMain m_Main{&m_Owner, 100, &m_IO};
};

}  // namespace

// The script's step 47 empties the credit and asks for a reset; once money is back the whole
// round starts over.
TEST_F(MorvaneRoundStateTest, EmptyCreditResetClearsTheRoundOnceMoneyIsBack)
{
    m_Main.m_nCredit = 100;
    m_Main.m_nScriptStep = 46;
    RunToResult();
    EXPECT_EQ(m_Main.m_nCredit, 0);
    EXPECT_EQ(m_Main.m_byResetRequest, 1) << "nothing to clear while credit and score are 0";

    // The round goes on: money, fever, series, wins, smoke and jackpot state.
    m_Owner.m_nBetTotal = 500;
    m_Owner.m_nWinTotal = 7000;
    m_Owner.m_nInserted = 10000;
    m_Main.m_nScore = 7000;
    m_Main.SetScore(7000, true);
    m_Main.SetFeverSpin(12);
    CMorvaneSpinData& rec = m_Main.m_Rec;
    rec.ImsiFeverSpin = 3;
    rec.FeverSpinStart = 2;
    rec.MoFever = 2;
    rec.MoSumState = 21;
    rec.Seriescount = 3;
    m_Main.ImsiSeries = 4;
    rec.Win[1] = 4000;
    rec.Free[2] = 32;
    rec.WinMark = 2;
    m_Main.SetWinAmount(4000);
    m_Main.m_nPendingWin = 4000;
    std::fill(std::begin(m_Main.m_aSmokeState), std::end(m_Main.m_aSmokeState), 6);
    rec.jackValue = 300;
    rec.jackpottrue = 1;
    rec.nReelSet = 2;
    m_IO.m_Stopped.clear();
    m_Main.m_nCredit = 5000;  // money is back
    Tick();

    EXPECT_EQ(m_Main.m_byResetRequest, 0);
    EXPECT_EQ(m_Owner.m_nBetTotal + m_Owner.m_nWinTotal + m_Owner.m_nInserted, 0);
    EXPECT_EQ(m_Main.m_nCredit, 0);
    EXPECT_EQ(m_Main.m_nScore, 0);
    EXPECT_EQ(m_Main.m_nDispScore, 0);
    EXPECT_TRUE(AllZero(m_Main.m_abyCreditDigit, CMorvaneMain::kDigits));
    EXPECT_TRUE(AllZero(m_Main.m_abyScoreDigit, CMorvaneMain::kDigits));
    EXPECT_EQ(rec.FeverSpin, 0);
    EXPECT_TRUE(AllZero(m_Main.m_abyFeverDigit, 3));
    struct Field {
        const char* name;
        int32_t value;
    };
    const Field cleared[] = {
        {"ImsiFeverSpin", rec.ImsiFeverSpin},
        {"FeverSpinStart", rec.FeverSpinStart},
        {"MoFever", rec.MoFever},
        {"MoSumState", rec.MoSumState},
        {"Seriescount", rec.Seriescount},
        {"ImsiSeries", m_Main.ImsiSeries},
        {"Win[1]", rec.Win[1]},
        {"Free[2]", rec.Free[2]},
        {"WinMark", rec.WinMark},
        {"win amount", m_Main.m_nWinAmount},
        {"pending win", m_Main.m_nPendingWin},
        {"jackValue", rec.jackValue},
        {"jackpottrue", rec.jackpottrue},
        {"reel set", rec.nReelSet},
    };
    for (const Field& f : cleared)
        EXPECT_EQ(f.value, 0) << f.name;
    EXPECT_TRUE(AllZero(m_Main.m_abyWinDigit, CMorvaneMain::kDigits));
    for (int32_t state : m_Main.m_aSmokeState)
        EXPECT_EQ(state, 0);
    for (int32_t row : {0, 3, 7, 15, 17, 37})
        EXPECT_GE(Count(m_IO.m_Stopped, row), 1) << "sound row " << row;
}

// A new spin shows its presentations from their first frames and with the dancers going forward.
TEST_F(MorvaneRoundStateTest, SpinStartResetsTheShowFrames)
{
    m_Main.m_nCredit = 10000;
    m_Main.m_nScriptStep = 59;  // the script's step 0 changes nothing
    m_Main.m_nNeonFrame = 2;
    m_Main.m_nBannerRow = 7;
    m_Main.m_nLightFrame = 9;
    m_Main.m_nDanceFrame = 30;
    m_Main.m_byDanceBack = 1;
    m_Main.m_nFireFrame = 24;
    Tick(2);  // arms the spin, then starts its reels from rest
    ASSERT_EQ(m_Main.m_nReelPhase, 1);
    const int32_t frames[] = {m_Main.m_nNeonFrame,  m_Main.m_nBannerRow,  m_Main.m_nLightFrame,
                              m_Main.m_nDanceFrame, m_Main.m_byDanceBack, m_Main.m_nFireFrame};
    for (int32_t frame : frames)
        EXPECT_EQ(frame, 0);
}

// The win is filed by size (from 1000, from 300, below) when it is split; a standalone spin
// splits the script's win as it takes its result.
TEST_F(MorvaneRoundStateTest, WinSplitFilesTheSizeClass)
{
    struct Case {
        int32_t win, sizeClass;
    };
    const Case cases[] = {{0, 0}, {299, 0}, {300, 1}, {999, 1}, {1000, 2}, {125000, 2}};
    for (const Case& c : cases) {
        m_Main.m_nWinAmount = c.win;
        m_Main.SplitWin();
        EXPECT_EQ(m_Main.m_nWinSizeClass, c.sizeClass) << c.win;
        EXPECT_EQ(m_Main.m_nPendingWin, c.win) << c.win;
    }

    m_Main.m_nWinAmount = 0;
    m_Main.SplitWin();
    m_Main.m_nCredit = 10000;
    m_Main.m_nScriptStep = 0;  // step 1: 2000 in the middle row
    RunToResult();
    EXPECT_EQ(m_Main.m_nWinAmount, 2000);
    EXPECT_EQ(m_Main.m_nWinSizeClass, 2);
    EXPECT_EQ(m_Main.m_nPendingWin, 2000);
    EXPECT_EQ(m_Main.m_abyWinDigit[3], 2);
}
