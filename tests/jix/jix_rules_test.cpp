// Money, score and ticket rules of the Jix engine, with the link's requests recorded.
#include <gtest/gtest.h>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CJix.h"
#include "MessageIds.h"

using namespace netmsg;
#include "jix_test_support.h"

using jix_test::MachineRow;
using jix_test::RecordingSender;

namespace {

struct OnlineEngine {
    CJix host{nullptr, 7, false};
    CDemo demo{&host};
    CDemoLink& link = *demo.GetLink();
};

TEST(JixRules, PlayableOutOfCreditAndTicketTable)
{
    struct Case {
        int32_t credit, score, winSum;
        bool canPlay, outOfCredit, ticket;
    };
    const Case cases[] = {
        {100, 0, 0, true, false, false},
        {99, 99, 0, false, true, false},
        {99, 99, 5, false, false, false},  // a win pending is not out of credit
        {0, 5100, 0, true, false, false},  // remainder 100
        {0, 5099, 0, false, false, false},
        {0, 10000, 0, false, false, true},  // a positive multiple of 5000 with no credit
        {50, 10000, 0, false, false, true},
        {100, 10000, 0, true, false, false},
        {50, 10050, 0, false, false, false},  // remainder 50, not a multiple
        {0, 19999, 0, true, false, false},    // remainder 4999
        {500, 20000, 0, true, false, true},   // the cap asks for a ticket whatever the credit
        {0, 0, 0, false, true, false},        // zero is no multiple that asks for a ticket
        {0, -5000, 0, false, true, false},
    };
    for (const Case& c : cases) {
        OnlineEngine e;
        e.demo.m_nCredit = c.credit;
        e.demo.m_nScore = c.score;
        e.demo.m_nWinSum = c.winSum;
        const std::string label = "credit " + std::to_string(c.credit) + ", score " +
                                  std::to_string(c.score) + ", win " + std::to_string(c.winSum);
        // The host's CanPlay and IsOutOfCredit answer with these.
        EXPECT_EQ(e.demo.IsPlayable(), c.canPlay) << label;
        EXPECT_EQ(e.demo.IsOutOfCredit(), c.outOfCredit) << label;
        EXPECT_EQ(e.demo.NeedsTicketOut(), c.ticket) << label;
        e.demo.TicketTest();
        EXPECT_EQ(e.demo.m_bTicketWanted != 0, c.ticket) << label;
        EXPECT_EQ(e.demo.CheckPlayable(), c.canPlay) << label;
        EXPECT_EQ(e.demo.m_bPlayWanted != 0, c.canPlay && !c.ticket) << label;
    }
}

TEST(JixRules, DigitDisplaysCapTheScoreAndShowNegativesAsZero)
{
    OnlineEngine e;
    e.demo.SetScore(25000);
    EXPECT_EQ(e.demo.m_nScoreShown, 20000);
    const int32_t digits25000[5] = {0, 0, 0, 5, 2};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(e.demo.m_anScoreDigit[i], digits25000[i]) << i;
    EXPECT_EQ(e.demo.m_anScoreQuot[4], 2);
    EXPECT_EQ(e.demo.m_anScoreQuot[5], 0);

    e.demo.SetCredit(-1234);
    EXPECT_EQ(e.demo.m_nCreditShown, -1234);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(e.demo.m_anCreditDigit[i], 0) << i;
        EXPECT_EQ(e.demo.m_anCreditQuot[i], 0) << i;
    }
    e.demo.SetWin(987654);
    const int32_t spins[6] = {4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(e.demo.m_anSpinsDigit[i], spins[i]) << i;
}

TEST(JixRules, ChooseWalkActionBands)
{
    struct Case {
        int32_t height, code;
    };
    const Case cases[] = {{0, 125},   {69, 125},  {70, 135},  {79, 135},  {80, 150},  {99, 150},
                          {100, 165}, {130, 200}, {149, 200}, {150, 215}, {290, 350}, {530, 600},
                          {549, 600}, {550, 615}, {559, 615}, {560, 625}, {586, 625}};
    for (const Case& c : cases) {
        OnlineEngine e;
        e.demo.m_nLaunchHeight = c.height;
        e.demo.ChooseWalkAction();
        EXPECT_EQ(e.demo.m_nPathCode, c.code) << "height " << c.height;
        EXPECT_EQ(e.demo.m_nLaunchTarget, c.height + 60);
        EXPECT_EQ(e.demo.m_bFlying, 1);
    }
    // A target of 650 or more keeps the code it had.
    OnlineEngine e;
    e.demo.m_nPathCode = 335;
    e.demo.m_nLaunchHeight = 590;
    e.demo.ChooseWalkAction();
    EXPECT_EQ(e.demo.m_nPathCode, 335);
    EXPECT_EQ(e.demo.m_bFlying, 1);
    // Every code owns its band: 41 codes from 125 to 625.
    int codes = 0;
    int32_t last = 0;
    for (int32_t t = 0; t < 650; ++t) {
        const int32_t code = CDemo::PathCodeForTarget(t);
        if (code != last)
            ++codes;
        EXPECT_GE(code, last);
        last = code;
    }
    EXPECT_EQ(codes, 41);
}

TEST(JixRules, LaunchMarkerTurnsAtBothEnds)
{
    struct Case {
        int32_t height, direction;
        std::vector<int32_t> drawn;  // heights at the start of successive ticks
    };
    const Case cases[] = {
        {584, 0, {584, 586, 582, 580}},
        {2, 1, {2, 0, -2, 4, 6}},
    };
    for (const Case& c : cases) {
        CJix host(nullptr, 0, true);
        CDemo demo(&host);
        demo.m_nLaunchHeight = c.height;
        demo.m_nLaunchDir = c.direction;
        for (size_t i = 0; i < c.drawn.size(); ++i) {
            EXPECT_EQ(demo.m_nLaunchHeight, c.drawn[i]) << "from " << c.height << ", tick " << i;
            demo.TickGame();
        }
    }
}

TEST(JixRules, CountUpMovesHundredsThenTensAndNeverPastThePending)
{
    OnlineEngine e;
    e.demo.m_nPresentationLength = 300;
    e.demo.m_nStopTick = 394;
    e.demo.m_nPendingWin = 1250;
    e.demo.CountUpScore();
    EXPECT_EQ(e.demo.m_nPendingWin, 1250) << "before stop tick 395 only the digits are split";
    EXPECT_EQ(e.demo.m_anPendingDigit[3], 1);

    e.demo.m_nStopTick = 395;
    std::vector<int32_t> steps;
    while (e.demo.m_nPendingWin > 0) {
        const int32_t before = e.demo.m_nPendingWin;
        e.demo.CountUpScore();
        steps.push_back(before - e.demo.m_nPendingWin);
        ASSERT_LT(steps.size(), 200u);
    }
    // 1250 -> 950 in hundreds, then tens.
    ASSERT_EQ(steps.size(), 3u + 95u);
    EXPECT_EQ(steps[0], 100);
    EXPECT_EQ(steps[2], 100);
    EXPECT_EQ(steps[3], 10);
    EXPECT_EQ(e.demo.m_nSavedScore, 1250);
    EXPECT_EQ(e.demo.m_nScoreShown, 1250);

    // A pending win that is not a multiple of the step ends exactly at 0.
    e.demo.m_nPendingWin = 5;
    e.demo.m_nSavedScore = 19998;
    e.demo.CountUpScore();
    EXPECT_EQ(e.demo.m_nPendingWin, 0);
    EXPECT_EQ(e.demo.m_nSavedScore, 20000) << "capped";

    // 50000 and above never counts.
    e.demo.m_nPendingWin = 50000;
    e.demo.CountUpScore();
    EXPECT_EQ(e.demo.m_nPendingWin, 50000);
    // Nothing before the presentation length.
    e.demo.m_nPendingWin = 500;
    e.demo.m_nPresentationLength = 400;
    e.demo.CountUpScore();
    EXPECT_EQ(e.demo.m_nPendingWin, 500);
}

TEST(JixRules, SeriesMultiplier)
{
    OnlineEngine e;
    const int32_t expected[] = {1, 2, 3, 5, 10, 1};
    for (int level = 0; level < 6; ++level) {
        e.demo.m_anSeries[0] = level;
        EXPECT_EQ(e.demo.GetSeriesMultiplier(), expected[level]) << level;
    }
    e.demo.m_anSeries[0] = -1;
    EXPECT_EQ(e.demo.GetSeriesMultiplier(), 1);
}

TEST(JixRules, BonusAnswerAddsToTheShownScoreWhilePlayingElseRunsTheTicketTest)
{
    RecordingSender sender;
    MachineRow row(7, 0, 0, 10000);
    OnlineEngine e;
    e.host.SetSender(&sender);

    e.demo.DecideBonus(3);
    EXPECT_EQ(sender.Count(MsgJixBonus), 1);
    EXPECT_EQ(sender.sent.back().dwValue, 3u);
    e.demo.DecideBonus(5);
    EXPECT_EQ(sender.Count(MsgJixBonus), 1) << "one bonus request while one is pending";

    e.link.m_bPlaying = 1;
    e.demo.m_nScoreShown = 1200;
    e.link.OnAnsBonus(true, 300);
    EXPECT_EQ(e.link.m_bBonusPending, 0);
    EXPECT_EQ(e.demo.m_nScoreShown, 1500);
    EXPECT_EQ(e.demo.m_bTicketWanted, 0);
    EXPECT_EQ(e.demo.m_nScore, 10000) << "refreshed from the table";

    e.link.m_bPlaying = 0;
    e.link.OnAnsBonus(true, 300);
    EXPECT_EQ(e.demo.m_nScoreShown, 10000);
    EXPECT_EQ(e.demo.m_bTicketWanted, 1);

    e.demo.m_bTicketWanted = 0;
    e.link.OnAnsBonus(false, 0);
    EXPECT_EQ(e.demo.m_bTicketWanted, 0) << "a refused bonus runs no ticket test";
    e.link.OnAnsBonus(true, 0);
    EXPECT_EQ(e.demo.m_bTicketWanted, 1);

    // Standalone levels reward on the spot.
    CJix demoHost(nullptr, 0, true);
    CDemo standalone(&demoHost);
    standalone.DecideBonus(1);
    standalone.DecideBonus(4);
    EXPECT_EQ(standalone.m_nSpinsLeft, 1);
    EXPECT_EQ(standalone.m_nScore, 100);
}

TEST(JixRules, ActionMessageOnlyWhenTheActionStartsFromNone)
{
    RecordingSender sender;
    OnlineEngine e;
    e.host.SetSender(&sender);
    e.demo.SetActionCode(2);
    EXPECT_EQ(sender.Count(MsgJixAction), 1);
    e.demo.SetActionCode(3);
    EXPECT_EQ(sender.Count(MsgJixAction), 1) << "the old action is not 0";
    e.demo.SetActionCode(0);
    e.demo.SetActionCode(1);
    EXPECT_EQ(sender.Count(MsgJixAction), 1) << "already sent for this spin";
    e.link.m_bActionSent = 0;
    e.demo.SetActionCode(0);
    e.demo.SetActionCode(-1);
    EXPECT_EQ(sender.Count(MsgJixAction), 1) << "a new action of 0 or less sends nothing";
    e.demo.SetActionCode(0);
    e.demo.SetActionCode(4);
    EXPECT_EQ(sender.Count(MsgJixAction), 2);

    CJix demoHost(nullptr, 0, true);
    CDemo standalone(&demoHost);
    standalone.SetActionCode(1);
    EXPECT_EQ(sender.Count(MsgJixAction), 2) << "standalone sends nothing";
    EXPECT_EQ(standalone.m_nActionJix, 1);
}

}  // namespace

namespace {

TEST(JixRules, DebugOverlayShowsTheLinkAndTheBlock)
{
    OnlineEngine e;
    e.link.m_bSpinDataRequested = 1;
    e.link.m_bTicketOutPending = 1;
    e.demo.m_bTicketWanted = 1;
    e.demo.m_nScore = 5000;
    e.demo.m_nSavedScore = 4100;
    e.demo.m_nScoreAfterWin = 5600;
    e.demo.m_anHint[6] = 3;
    e.demo.m_nActionJix = 4;
    const std::vector<std::string> lines = e.demo.DebugLines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "Block Spin: 0, SpinEnd: 1, SpinReq: 1");
    EXPECT_EQ(lines[1], "playing: 0, FinReq: 0, , ticketReq: 1, giftflag: 1");
    EXPECT_EQ(lines[2], "save=5000, imsisave=4100, imsidatat=5600");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[8], "hint   : 0:0, 1:0, 2:0, 3:0, 4:0, 5:0, 6:3, 7:0");
    EXPECT_EQ(lines[10], "ActionJix => 4");
}

}  // namespace
