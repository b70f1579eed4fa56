// The preview rules that start a character action from the block's preview data, and the devil
// crossing.
#include <gtest/gtest.h>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CJix.h"
#include "MessageIds.h"
#include "jix_test_support.h"

using jix_test::RecordingDrawSink;
using jix_test::RecordingSender;

namespace {

struct OnlineGame {
    OnlineGame() : host(nullptr, 3, false), demo(&host)
    {
        demo.CreateResources();
        demo.m_nEngineState = CDemo::kEngineGame;
    }
    CJix host;
    CDemo demo;
};

TEST(JixPreview, RulesStartTheCharacterActionOfThePreview)
{
    struct Case {
        const char* name;
        int32_t series4, mode, spin, kind, comesAt;  // series 4, hints 0, 1, 2, 3
        int32_t action, eventKind, previewStage;
    };
    const Case cases[] = {
        {"mode 1, kind 0", 165, 1, 0, 0, 0, 2, 0, 0},
        {"mode 1, kind 2, series 365", 365, 1, 0, 2, 0, 2, 2, 0},
        {"mode 1, kind 4", 165, 1, 0, 4, 0, 3, 4, 0},
        {"mode 1, kind 7", 165, 1, 0, 7, 0, 4, 7, 0},
        {"mode 1, kind 8", 165, 1, 0, 8, 0, 1, 8, 10},
        {"mode 1, kind 9", 165, 1, 0, 9, 0, 1, 9, 0},
        {"mode 1, kind 10: no action", 165, 1, 0, 10, 0, 0, 0, 0},
        {"mode 1 before 165", 164, 1, 0, 4, 0, 0, 0, 0},
        {"mode 10, kind 8 at 165", 165, 10, 0, 8, 0, 1, 10, 10},
        {"mode 10, kind 8 after 165", 170, 10, 0, 8, 0, 0, 10, 10},
        {"mode 5, kind 9, spin before the event", 170, 5, 19, 9, 0, 1, 9, 0},
        {"mode 5, kind 9, spin at the event", 170, 5, 20, 9, 0, 0, 0, 0},
        {"mode 5 before 165", 164, 5, 0, 9, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        RecordingSender sender;
        OnlineGame g;
        g.host.SetSender(&sender);
        CDemo& d = g.demo;
        d.m_anSeries[4] = c.series4;
        d.m_anHint[0] = c.mode;
        d.m_anHint[1] = c.spin;
        d.m_anHint[2] = c.kind;
        d.m_anHint[3] = c.comesAt;
        d.RunTick();
        EXPECT_EQ(d.m_nActionJix, c.action) << c.name;
        EXPECT_EQ(d.m_nEventKind, c.eventKind) << c.name;
        EXPECT_EQ(d.m_nPreviewStage, c.previewStage) << c.name;
        EXPECT_EQ(sender.Count(netmsg::MsgJixAction), c.action > 0 ? 1 : 0) << c.name;
        d.RunTick();
        EXPECT_EQ(sender.Count(netmsg::MsgJixAction), c.action > 0 ? 1 : 0)
            << c.name << ": sent once";
    }
}

TEST(JixPreview, ClockAt100ClearsTheThirdCompanionsCounters)
{
    OnlineGame g;
    CDemo& d = g.demo;
    d.m_anSeries[4] = 300;
    d.m_anHint[2] = 6;
    d.m_nPreviewCounter = 90;
    d.m_anHoldCounter[0] = 12;
    d.m_anHoldCounter[1] = 3;
    d.m_nDevilAction = 1;
    d.m_nDevilCount = 40;
    d.RunTick();
    EXPECT_EQ(d.m_nPreviewCounter, 0);
    EXPECT_EQ(d.m_anHoldCounter[0], 0);
    EXPECT_EQ(d.m_anHoldCounter[1], 0);
    EXPECT_EQ(d.m_nDevilAction, 0) << "the devil leaves too";
    EXPECT_EQ(d.m_bDevilBlock, 0);
}

TEST(JixDevil, CrossesTheFieldStopsToLaughAndLeavesPast2500)
{
    OnlineGame g;
    CDemo& d = g.demo;
    d.m_nDevilAction = 1;
    d.m_anFever[5] = 1;
    d.m_anHint[0] = 1;
    RecordingDrawSink sink(g.host, d);
    d.RunTick();
    ASSERT_EQ(sink.Of(90, 94).size(), 1u);
    EXPECT_EQ(sink.Of(90, 94)[0].x, 1279);
    EXPECT_EQ(sink.Of(90, 94)[0].y, 71);
    for (int i = 0; i < 1400; ++i)
        d.RunTick();
    EXPECT_EQ(d.m_nDevilFlag, 1);
    EXPECT_EQ(d.m_nDevilCount, 1380) << "it stops once past 1379";
    EXPECT_EQ(d.m_nSmileFlag, 2);

    // A character action sends it on its way from the next tick.
    d.m_nActionJix = 3;
    for (int i = 0; i < 1121; ++i)
        d.RunTick();
    EXPECT_EQ(d.m_nDevilCount, 2500);
    d.RunTick();
    EXPECT_EQ(d.m_nDevilAction, 0);
    EXPECT_EQ(d.m_nDevilCount, 0);
    EXPECT_EQ(d.m_bDevilBlock, 1) << "a devil that crossed blocks the next for fever 2 and 3";
}

TEST(JixBigWin, DigitsStepEvery9thTickAndTheLevelFollowsTheFrames)
{
    OnlineGame g;
    CDemo& d = g.demo;
    d.m_nShownWin = 10000;
    d.m_nCredit = 100;
    for (int i = 0; i < 8; ++i)
        d.RunTick();
    EXPECT_EQ(d.m_anBigWinDigit[0], 0);
    d.RunTick();
    EXPECT_EQ(d.m_anBigWinDigit[0], 1);
    EXPECT_EQ(d.m_anBigWinDigit[1], 0) << "level 0: only the first steps";
    EXPECT_EQ(d.m_nBigWinLevel, 5);
    for (int i = 0; i < 9; ++i)
        d.RunTick();
    for (int k = 1; k < 5; ++k)
        EXPECT_EQ(d.m_anBigWinDigit[k], 1) << k;

    // Drawn by level once the reels stand.
    d.m_nSpinPhase = 40;
    d.m_nStopTick = 261;
    d.m_nBigWinLevel = 2;
    RecordingDrawSink sink(g.host, d);
    d.RunTick();
    const auto digits = sink.Of(477, 571);
    ASSERT_EQ(digits.size(), 2u);
    EXPECT_EQ(digits[0].x, 100);
    EXPECT_EQ(digits[1].slot, 477 + 19 + d.m_anBigWinDigit[1]);
    EXPECT_EQ(digits[1].y, 100);
}

}  // namespace
