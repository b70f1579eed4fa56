// The spin cycle and the server link: phase timings, request guards, the retry wait, ticket-out
// cadence and the range checks on received blocks. The main tick is stood in for by calling the
// engine's steps directly.
#include <gtest/gtest.h>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CDemoTrace.h"
#include "CJix.h"
#include "JixReelStrips.h"
#include "MessageIds.h"
#include "NetClientGlobal.h"
#include "jix_test_support.h"

using namespace netmsg;
using jix_test::FakeClock;
using jix_test::MachineRow;
using jix_test::RecordingSender;

namespace {

constexpr int32_t kMachine = 7;

struct OnlineEngine {
    CJix host{nullptr, kMachine, false};
    CDemo demo{&host};
    CDemoLink& link = *demo.GetLink();
};

// An online engine over its machine's row of the table (credit, spins left, score), sending
// through its own recorder.
struct RecordedEngine {
    RecordedEngine(int32_t credit, int32_t spins, int32_t score)
        : row(kMachine, credit, spins, score)
    {
        e.host.SetSender(&sender);
    }
    RecordingSender sender;
    MachineRow row;
    OnlineEngine e;
};

std::vector<uint8_t> Block(const CJixSpinData& data)
{
    std::vector<uint8_t> bytes(CJixSpinData::kSize);
    data.Write(bytes.data());
    return bytes;
}

// One online round from phase 0: the spin-data request is answered with the block after the
// first tick. Returns the stop tick on which the spin ended (phase 40), or -1.
int RunRound(OnlineEngine& e, const CJixSpinData& data)
{
    e.link.RefreshMachine(true);
    e.demo.TickSpin();
    if (!e.link.m_bSpinDataRequested)
        return -1;
    e.link.m_bSpinDataRequested = 0;
    const std::vector<uint8_t> block = Block(data);
    e.link.OnAnsSpinData(block.data());
    for (int tick = 0; tick < 5000; ++tick) {
        const int32_t before = e.demo.m_nStopTick;
        e.demo.TickSpin();
        if (e.demo.m_nSpinPhase == 40)
            return before + 1;
    }
    return -1;
}

TEST(JixSpin, RoundEndsByWinAndPresentationLength)
{
    struct Case {
        const char* name;
        int32_t winSum, fever0, length;
        int endTick;
        int spinEnds;  // 19 requests in the round
    };
    const Case cases[] = {
        {"no win", 0, 0, 0, 266, 1},
        {"win 600, length 300", 600, 0, 300, 401, 1},
        {"win 5000, length 510", 5000, 0, 510, 711, 1},
        {"win 12000, length 1010", 12000, 0, 1010, 1311, 1},
        {"fever only, length 500", 0, 50, 500, 601, 1},
    };
    for (const Case& c : cases) {
        RecordedEngine engine(1000, 3, 0);
        auto& [sender, row, e] = engine;
        CJixSpinData data;
        data.WinSum = c.winSum;
        data.TotalWin = c.winSum;
        data.Fever[0] = c.fever0;
        data.PresentationLength = c.length;
        data.ReelStop[0] = 3;
        EXPECT_EQ(RunRound(e, data), c.endTick) << c.name;
        EXPECT_EQ(sender.Count(MsgJixSpinData), 1) << c.name;
        EXPECT_EQ(sender.Count(MsgJixSpinEnd), c.spinEnds) << c.name;
        EXPECT_EQ(sender.Count(MsgJixGameFin), 1) << c.name;
        EXPECT_EQ(e.demo.m_nWinSum, 0) << c.name;
        EXPECT_EQ(e.demo.m_nStopTick, 0) << c.name;
        EXPECT_EQ(e.demo.m_anReelStop[0], 3) << c.name;

        // Phase 40 holds until the game-fin answer; the next spin waits for the spin-end answer.
        for (int i = 0; i < 10; ++i)
            e.demo.TickSpin();
        EXPECT_EQ(e.demo.m_nSpinPhase, 40) << c.name;
        e.link.m_bGameFinPending = 0;
        e.link.OnAnsGameFin();
        EXPECT_EQ(e.demo.m_nSpinPhase, 0) << c.name;
        EXPECT_EQ(e.link.m_bPlaying, 0) << c.name;
        e.demo.TickSpin();
        EXPECT_EQ(sender.Count(MsgJixSpinData), 1) << c.name << ": spin end not yet answered";
        e.link.m_bSpinEnded = 1;
        e.demo.TickSpin();
        EXPECT_EQ(sender.Count(MsgJixSpinData), 2) << c.name;
    }
}

TEST(JixSpin, PhasesRunTheirTickCounts)
{
    RecordedEngine engine(1000, 3, 0);
    auto& [sender, row, e] = engine;
    e.link.RefreshMachine(true);
    e.demo.TickSpin();
    e.link.m_bSpinDataRequested = 0;
    CJixSpinData data;
    const std::vector<uint8_t> block = Block(data);
    e.link.OnAnsSpinData(block.data());
    int ticks = 1;
    while (e.demo.m_nSpinPhase == 0 && ticks < 100) {
        e.demo.TickSpin();
        ++ticks;
    }
    EXPECT_EQ(ticks, 51) << "the 51st counting tick applies the block";
    EXPECT_EQ(e.demo.m_nScrollOffset, 796);
    int phase10 = 0;
    while (e.demo.m_nSpinPhase == 10) {
        e.demo.TickSpin();
        ++phase10;
    }
    EXPECT_EQ(phase10, 11);
    int phase20 = 0;
    while (e.demo.m_nSpinPhase == 20) {
        e.demo.TickSpin();
        ++phase20;
    }
    EXPECT_EQ(phase20, 31);
    EXPECT_EQ(e.demo.m_nSpinPhase, 30);
}

TEST(JixSpin, ClosingSequenceStepsEveryFifteenTicksAndChangesTheStripSet)
{
    struct Case {
        int32_t specialMode;
        int32_t setAfter;
        int32_t specialAfter;
    };
    const Case cases[] = {{0, 0, 0}, {5, 2, 0}};
    for (const Case& c : cases) {
        RecordedEngine engine(1000, 3, 0);
        auto& [sender, row, e] = engine;
        CJixSpinData data;
        data.EventKind = 6;
        data.Hint[1] = 10000;
        data.Hint[6] = 4;
        data.SpecialMode = c.specialMode;
        // No win: the closing counter steps at 270, 285, ... and ends at its 22nd step.
        EXPECT_EQ(RunRound(e, data), 270 + 21 * 15) << c.specialMode;
        EXPECT_EQ(e.demo.StripSet(), c.setAfter) << c.specialMode;
        EXPECT_EQ(e.demo.m_nSpecialMode, c.specialAfter) << c.specialMode;
        EXPECT_EQ(e.demo.m_nClosingImage, 7);
        EXPECT_EQ(e.demo.m_nClosingCounter, 0);
    }
}

TEST(JixSpin, PreviewedSpinClearsTheCharacterActionBeforeTheEnd)
{
    RecordedEngine engine(1000, 3, 0);
    auto& [sender, row, e] = engine;
    CJixSpinData data;
    data.Hint[1] = 25;
    data.Hint[3] = 5;
    data.ActionJix = 2;
    ASSERT_EQ(RunRound(e, data), 266);
    EXPECT_EQ(e.demo.m_nActionJix, 0);
    EXPECT_EQ(e.demo.m_nClosingImage, 7);
    EXPECT_EQ(sender.Count(MsgJixAction), 1) << "sent when the block's action started";
}

TEST(JixSpin, ReceivedStopsAndStripSetAreRangeChecked)
{
    RecordingSender sender;
    struct Case {
        int32_t stops[4];
        int32_t set;
        int32_t expectStops[4];
        int32_t expectSet;
    };
    const Case cases[] = {
        {{0, 22, 5, 11}, 7, {0, 22, 5, 11}, 7},
        {{23, -1, 1000, INT32_MIN}, 8, {0, 0, 0, 0}, 0},
        {{4, 4, 4, 4}, -3, {4, 4, 4, 4}, 0},
    };
    for (const Case& c : cases) {
        OnlineEngine e;
        e.host.SetSender(&sender);
        CJixSpinData data;
        for (int r = 0; r < 4; ++r)
            data.ReelStop[r] = c.stops[r];
        data.Hint[6] = c.set;
        const std::vector<uint8_t> block = Block(data);
        e.link.m_SpinData.Read(block.data(), block.size());
        e.demo.ApplySpinData(false);
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(e.demo.m_anReelStop[r], c.expectStops[r]) << "set " << c.set << " reel " << r;
        EXPECT_EQ(e.demo.StripSet(), c.expectSet);
    }
    // Cells above and below a stop wrap round the strip, never to a negative index.
    OnlineEngine e;
    EXPECT_EQ(e.demo.Symbol(0, -1), kJixReelStrips[0][0][22]);
    EXPECT_EQ(e.demo.Symbol(3, -24), kJixReelStrips[0][3][22]);
    EXPECT_EQ(e.demo.Symbol(2, 23), kJixReelStrips[0][2][0]);
    e.demo.m_anHint[6] = 99;  // set directly, past the check: still read as set 0
    EXPECT_EQ(e.demo.Symbol(1, 5), kJixReelStrips[0][1][5]);
}

TEST(JixSpin, CellsWrapAndOnlyTheRightPartIsDrawn)
{
    struct Case {
        int x, shown;
    };
    const Case cases[] = {{679, 679}, {678, -1},   {1279, 1279}, {1280, -1},
                          {1290, -1}, {1959, 679}, {-1, 1279},   {-602, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(CDemo::CellScreenX(c.x), c.shown) << c.x;
}

TEST(JixLink, RefusedPlayStartWaitsTheRetryTime)
{
    FakeClock clock(5000);
    RecordedEngine engine(1000, 0, 0);
    auto& [sender, row, e] = engine;
    e.host.SetClock(&clock);
    e.link.RefreshMachine(true);

    EXPECT_TRUE(e.link.ReqPlayStart());
    EXPECT_FALSE(e.link.ReqPlayStart()) << "pending";
    e.link.OnAnsPlayStart(false, 0);
    EXPECT_EQ(e.link.m_bPlayStartPending, 0);
    clock.Advance(999);
    EXPECT_FALSE(e.link.ReqPlayStart()) << "999 ms after the refusal";
    EXPECT_NE(e.link.m_dwRefusedAt, 0u);
    clock.Advance(1);
    EXPECT_TRUE(e.link.ReqPlayStart()) << "1000 ms after the refusal";
    EXPECT_EQ(e.link.m_dwRefusedAt, 0u);
    EXPECT_EQ(sender.Count(MsgJixPlayStart), 2);

    // Across the clock's wrap the wait is still measured unsigned.
    e.link.OnAnsPlayStart(false, 0);
    clock.Set(0xFFFFFF00u);
    e.link.OnAnsPlayStart(false, 0);
    clock.Set(0x000002E7u);  // 999 ms later
    EXPECT_FALSE(e.link.ReqPlayStart());
    clock.Set(0x000002E8u);
    EXPECT_TRUE(e.link.ReqPlayStart());

    // Granted: the coin starts from the marker.
    e.demo.m_nLaunchHeight = 100;
    e.link.OnAnsPlayStart(true, 0);
    EXPECT_EQ(e.demo.m_bFlying, 1);
    EXPECT_EQ(e.demo.m_nPathCode, 165);

    // The ticket rule blocks the request.
    row.Set(50, 0, 10000);
    e.link.RefreshMachine(true);
    EXPECT_FALSE(e.link.ReqPlayStart());
    row.Set(50, 0, 20000);
    e.link.RefreshMachine(true);
    EXPECT_FALSE(e.link.ReqPlayStart());
}

TEST(JixLink, PendingBytesAreSetOnlyWhenTheSendSucceeded)
{
    RecordedEngine engine(1000, 3, 10000);
    auto& [sender, row, e] = engine;
    sender.accept = false;
    e.link.RefreshMachine(true);
    EXPECT_FALSE(e.link.ReqPlayStart());
    EXPECT_FALSE(e.link.ReqSpinData());
    EXPECT_FALSE(e.link.ReqTicketOut());
    EXPECT_FALSE(e.link.ReqGameFin());
    EXPECT_FALSE(e.link.ReqBonus(2));
    EXPECT_FALSE(e.link.ReqCoinIn());
    EXPECT_EQ(e.link.m_bPlayStartPending, 0);
    EXPECT_EQ(e.link.m_bSpinDataRequested, 0);
    EXPECT_EQ(e.link.m_bTicketOutPending, 0);
    EXPECT_EQ(e.link.m_bGameFinPending, 0);
    EXPECT_EQ(e.link.m_bBonusPending, 0);
    EXPECT_EQ(e.link.m_bCoinInPending, 0);
    sender.accept = true;
    EXPECT_TRUE(e.link.ReqTicketOut());
    EXPECT_FALSE(e.link.ReqTicketOut());
    EXPECT_EQ(sender.sent.back().byGameType, 1);
    EXPECT_EQ(sender.sent.back().wMachineNo, kMachine);

    // A standalone game sends nothing at all.
    CJix demoHost(nullptr, 0, true);
    CDemo standalone(&demoHost);
    const size_t before = sender.sent.size();
    EXPECT_FALSE(standalone.GetLink()->ReqPlayStart());
    EXPECT_FALSE(standalone.GetLink()->ReqSpinData());
    EXPECT_FALSE(standalone.GetLink()->ReqTicketOut());
    EXPECT_EQ(sender.sent.size(), before);
}

TEST(JixLink, EachGameSendsThroughItsOwnSenderAndRunsOnItsOwnClock)
{
    RecordingSender senderA;
    RecordingSender senderB;
    FakeClock clockA(5000);
    FakeClock clockB(5000);
    MachineRow row(kMachine, 1000, 0, 0);
    OnlineEngine a;
    OnlineEngine b;
    a.host.SetSender(&senderA);
    a.host.SetClock(&clockA);
    b.host.SetSender(&senderB);
    b.host.SetClock(&clockB);
    EXPECT_TRUE(a.link.ReqCoinIn());
    ASSERT_EQ(senderA.sent.size(), 1u);
    EXPECT_TRUE(senderB.sent.empty());
    EXPECT_TRUE(b.link.ReqEnter());
    EXPECT_EQ(senderA.sent.size(), 1u);
    ASSERT_EQ(senderB.sent.size(), 1u);
    EXPECT_EQ(senderB.sent[0].wId, MsgJixEnter);

    // Both play starts are refused at 5000; only game A's clock moves past the retry wait.
    a.link.OnAnsPlayStart(false, 0);
    b.link.OnAnsPlayStart(false, 0);
    clockA.Advance(CDemoLink::kRetryWaitMs);
    EXPECT_TRUE(a.link.ReqPlayStart());
    EXPECT_FALSE(b.link.ReqPlayStart()) << "game B's clock stands";
}

TEST(JixLink, WithoutASenderOfItsOwnRequestsGoToTheProgramsClient)
{
    MachineRow row(kMachine, 1000, 0, 10000);
    OnlineEngine e;
    e.link.RefreshMachine(true);
    ASSERT_FALSE(g_NetClient);
    EXPECT_FALSE(e.link.ReqTicketOut()) << "no client";
    HiPointer<NetworkClient> saved = g_NetClient;
    g_NetClient = HiPointer<NetworkClient>(new NetworkClient(g_MachineTable));
    EXPECT_FALSE(e.link.ReqTicketOut()) << "a client that is not connected";
    EXPECT_EQ(e.link.m_bTicketOutPending, 0);
    g_NetClient = saved;
}

TEST(JixLink, SpinEndIsRequestedOnceWhileThePresentationAsksEveryTick)
{
    RecordedEngine engine(1000, 3, 0);
    auto& [sender, row, e] = engine;
    CJixSpinData data;
    data.WinSum = 600;
    data.TotalWin = 600;
    data.PresentationLength = 300;
    ASSERT_EQ(RunRound(e, data), 401);
    EXPECT_EQ(sender.Count(MsgJixSpinEnd), 1);
    EXPECT_EQ(e.link.m_bSpinEnded, 0);
    EXPECT_EQ(e.link.m_bSpinEndRequested, 1);
}

TEST(JixTicketOut, RequestsEvery200TicksAndEndsAfterTheScoreFallsBelowOneTicket)
{
    struct Case {
        int32_t score;
        int tickets;
    };
    // 30000 pays six tickets: the end does not depend on fewer than five being counted.
    const Case cases[] = {{10000, 2}, {30000, 6}};
    for (const Case& c : cases) {
        RecordedEngine engine(0, 3, c.score);
        auto& [sender, row, e] = engine;
        e.link.RefreshMachine(true);
        e.demo.TicketTest();
        ASSERT_EQ(e.demo.m_bTicketWanted, 1);

        std::vector<int> requestTicks;
        int endTick = -1;
        for (int tick = 1; tick < 3000 && endTick < 0; ++tick) {
            const size_t before = sender.sent.size();
            e.demo.TickGame();
            ASSERT_EQ(e.demo.m_nTickCount, tick);
            for (size_t i = before; i < sender.sent.size(); ++i) {
                ASSERT_EQ(sender.sent[i].wId, MsgJixTicketOut)
                    << "nothing else while a ticket is due";
                requestTicks.push_back(tick);
                // The server pays one ticket and takes 5000 off the score.
                row.Set(0, 0, e.demo.m_nScore - 5000);
                e.link.OnAnsTicketOut(true);
            }
            if (!e.demo.m_bTicketWanted)
                endTick = tick;
        }
        ASSERT_EQ(int(requestTicks.size()), c.tickets) << c.score;
        for (int i = 0; i < c.tickets; ++i)
            EXPECT_EQ(requestTicks[i], 1 + 200 * i) << c.score;
        EXPECT_EQ(endTick, requestTicks.back() + 51) << c.score;
        EXPECT_EQ(e.host.m_nTotalTicket, c.tickets);
        EXPECT_EQ(e.demo.m_nScoreOverflow, 300) << "the spins left were cashed once";
        EXPECT_EQ(e.demo.m_nSpinsLeft, 0);
        EXPECT_EQ(e.demo.m_nTicketsPaid, 0);
    }
}

TEST(JixTicketOut, AnUnansweredRequestIsNotRepeatedAndAnInvalidAnswerRetestsTheScore)
{
    RecordedEngine engine(0, 0, 10000);
    auto& [sender, row, e] = engine;
    e.link.RefreshMachine(true);
    e.demo.TicketTest();
    for (int tick = 1; tick <= 450; ++tick)
        e.demo.TickGame();
    EXPECT_EQ(sender.Count(MsgJixTicketOut), 1);
    e.link.OnAnsTicketOut(false);
    EXPECT_EQ(e.demo.m_bTicketWanted, 1) << "the score still calls for a ticket";
    row.Set(200, 0, 10000);
    e.link.OnAnsTicketOut(false);
    EXPECT_EQ(e.demo.m_bTicketWanted, 0) << "credit 200: no ticket is due";
}

TEST(JixLink, TraceLinesGoToAnAttachedSinkOnly)
{
    RecordingSender sender;
    OnlineEngine e;
    e.host.SetSender(&sender);
    e.link.Trace("dropped %d", 1);
    auto* sink = new CDemoTrace(0, "");
    e.link.SetTraceSink(sink);
    e.demo.m_nScore = 4321;
    e.link.ReqTicketOut();
    EXPECT_TRUE(sink->LastLine().empty()) << "no output enabled, nothing formatted";

    const std::string path = testing::TempDir() + "jix_trace.log";
    std::remove(path.c_str());
    sink = new CDemoTrace(CDemoTrace::kFile, path);
    e.link.SetTraceSink(sink);
    e.link.m_bTicketOutPending = 0;
    e.link.ReqTicketOut();
    EXPECT_NE(sink->LastLine().find(" > ReqTicketOut: save=4321\n"), std::string::npos);
    // A line longer than the buffer is cut, not overrun.
    e.link.Trace("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(sink->LastLine().size(), std::string("2026-01-01 00:00:00 > ").size() + 1023 + 1);
    std::FILE* file = std::fopen(path.c_str(), "r");
    ASSERT_NE(file, nullptr);
    char text[64] = {};
    ASSERT_NE(std::fgets(text, sizeof(text), file), nullptr);
    std::fclose(file);
    EXPECT_NE(std::string(text).find("ReqTicketOut: save=4321"), std::string::npos);
    std::remove(path.c_str());
}

}  // namespace
