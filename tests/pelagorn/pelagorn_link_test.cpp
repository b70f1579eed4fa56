// The Pelagorn server link against a recording sender and game side: the spin cycle's pending
// and state bytes, refused answers and the resends after a delay, ticket-out pacing.
#include <gtest/gtest.h>

#include "CPelagornProbClient.h"
#include "pelagorn_link_fakes.h"

namespace {

using R = PelagornRequest;

class PelagornLink : public ::testing::Test {
protected:
    void SetUp() override { link.SetKey(3, 7); }

    CPelagornSpinRecord Spin(int32_t credit)
    {
        std::vector<uint8_t> bytes(CPelagornSpinRecord::kSize, 0);
        bytes[4] = static_cast<uint8_t>(credit);
        bytes[5] = static_cast<uint8_t>(credit >> 8);
        CPelagornSpinRecord r;
        r.Read(bytes.data(), bytes.size());
        return r;
    }
    CPelagornResultRecord Result(uint8_t status)
    {
        std::vector<uint8_t> bytes(CPelagornResultRecord::kSize, 0);
        bytes[0] = status;
        CPelagornResultRecord r;
        r.Read(bytes.data(), bytes.size());
        return r;
    }
    CPelagornGameFinRecord Fin()
    {
        const uint8_t bytes[12] = {50};
        CPelagornGameFinRecord r;
        r.Read(bytes, sizeof bytes);
        return r;
    }
    // Runs one cycle up to the point where the reels ask for results.
    void StartCycle()
    {
        ASSERT_TRUE(link.RequestSpinData());
        link.OnSpinData(true, Spin(100));
    }

    RecordingPelagornSender sender;
    RecordingPelagornHost host;
    CPelagornProbClient link{&host, &sender};
};

}  // namespace

TEST_F(PelagornLink, FullCycleSendsEachRequestInOrder)
{
    StartCycle();
    EXPECT_EQ(sender.lastKind, 3);
    EXPECT_EQ(sender.lastMachine, 7);
    EXPECT_TRUE(link.RequestReelsStopped());
    EXPECT_FALSE(link.RequestReelsStopped()) << "42 once per cycle";
    EXPECT_TRUE(link.RequestResult());
    EXPECT_FALSE(link.RequestResult()) << "no second 39 while one is pending";
    link.OnSpinResult(true, nullptr);  // empty: the spin is over
    EXPECT_FALSE(link.RequestGameFin()) << "43 waits for the accepted 40";
    link.OnSpinEnd(true);
    EXPECT_TRUE(link.RequestGameFin());
    link.OnGameFin(true, Fin());
    EXPECT_EQ(sender.sent, (std::vector<int>{38, 42, 39, 40, 43}));
    EXPECT_EQ(host.calls.back(), "fin 50");
    EXPECT_TRUE(link.RequestSpinData()) << "a new cycle may start";
}

TEST_F(PelagornLink, NoSecondSpinDataBeforeAnAcceptedGameFin)
{
    ASSERT_TRUE(link.RequestSpinData());
    EXPECT_FALSE(link.RequestSpinData()) << "pending";
    link.OnSpinData(true, Spin(100));
    EXPECT_FALSE(link.RequestSpinData()) << "held";
    link.OnSpinResult(false, nullptr);
    link.OnSpinEnd(true);
    ASSERT_TRUE(link.RequestGameFin());
    link.OnGameFin(false, Fin());
    EXPECT_FALSE(link.RequestSpinData()) << "a refused 43 keeps the spin data held";
    EXPECT_EQ(sender.Count(R::SpinData), 1);
}

TEST_F(PelagornLink, SpinEndOnlyAfterAFailedResultAndOncePerCycle)
{
    link.OnSpinResult(false, nullptr);
    EXPECT_EQ(sender.Count(R::SpinEnd), 0) << "no open cycle";

    StartCycle();
    link.OnSpinEnd(true);
    EXPECT_EQ(link.m_bSpinEndConfirmed, 0) << "an answer 40 nobody asked for is ignored";
    EXPECT_FALSE(link.RequestGameFin());
    link.OnSpinResult(false, nullptr);
    link.OnSpinEnd(true);
    EXPECT_TRUE(link.RequestGameFin());
    link.OnGameFin(true, Fin());
    sender.sent.clear();

    StartCycle();
    const CPelagornResultRecord good = Result(0);
    link.OnSpinResult(true, &good);
    EXPECT_EQ(sender.Count(R::SpinEnd), 0) << "an accepted result with status 0 needs no 40";
    EXPECT_EQ(host.calls.back(), "result 0");

    const CPelagornResultRecord failed = Result(2);
    link.OnSpinResult(true, &failed);
    link.OnSpinResult(false, nullptr);
    EXPECT_EQ(sender.Count(R::SpinEnd), 1) << "two failed 39s send one 40";
    EXPECT_EQ(link.m_bResultFailed, 1);
}

TEST_F(PelagornLink, RefusedSpinEndAndGameFinAreSentAgainAfterTheDelay)
{
    StartCycle();
    link.OnSpinResult(false, nullptr);
    link.OnSpinEnd(false);
    host.now += CPelagornProbClient::kRetryDelayMs - 1;
    link.Process();
    EXPECT_EQ(sender.Count(R::SpinEnd), 1);
    host.now += 1;
    link.Process();
    EXPECT_EQ(sender.Count(R::SpinEnd), 2) << "the refused 40 goes out again";

    link.OnSpinEnd(true);
    ASSERT_TRUE(link.RequestGameFin());
    link.OnGameFin(false, Fin());
    EXPECT_FALSE(link.RequestGameFin()) << "not at once after a refusal";
    host.now += CPelagornProbClient::kRetryDelayMs;
    link.Process();
    EXPECT_EQ(sender.Count(R::GameFin), 2);
    link.OnGameFin(true, Fin());
    host.now += 10 * CPelagornProbClient::kRetryDelayMs;
    link.Process();
    EXPECT_EQ(sender.Count(R::GameFin), 2);
    EXPECT_EQ(sender.Count(R::SpinEnd), 2);
}

TEST_F(PelagornLink, UnsentRequestsSetNoPendingByte)
{
    sender.accept = false;
    EXPECT_FALSE(link.RequestSpinData());
    EXPECT_FALSE(link.RequestCoinDrop());
    EXPECT_FALSE(link.RequestCoinIn(false));
    EXPECT_EQ(link.m_bSpinDataPending, 0);
    EXPECT_EQ(link.m_bCoinDropPending, 0);
    EXPECT_EQ(link.m_bCoinInPending, 0);
    sender.accept = true;
    EXPECT_TRUE(link.RequestSpinData());

    // A 40 that could not be sent is tried again after the delay.
    link.OnSpinData(true, Spin(1));
    sender.accept = false;
    link.OnSpinResult(false, nullptr);
    EXPECT_EQ(link.m_bSpinEndSent, 0);
    sender.accept = true;
    host.now += CPelagornProbClient::kRetryDelayMs;
    link.Process();
    EXPECT_EQ(sender.Count(R::SpinEnd), 1);
    EXPECT_EQ(link.m_bSpinEndSent, 1);

    CPelagornProbClient keyless(&host, &sender);
    EXPECT_FALSE(keyless.RequestCoinIn(true)) << "no machine key, nothing is sent";
}

TEST_F(PelagornLink, CoinInPendingUnlessForced)
{
    EXPECT_TRUE(link.RequestCoinIn(false));
    EXPECT_FALSE(link.RequestCoinIn(false));
    EXPECT_TRUE(link.RequestCoinIn(true));
    link.OnCoinIn(1234);
    EXPECT_EQ(link.m_bCoinInPending, 0);
    EXPECT_EQ(host.calls.back(), "coinin 1234");
    EXPECT_EQ(sender.Count(R::CoinIn), 2);
}

TEST_F(PelagornLink, TicketOutEvery1500MsUntilPaid)
{
    host.now = 10000;
    link.StampTicketOut();
    EXPECT_FALSE(link.RequestTicketOut(5000));
    host.now += 1499;
    EXPECT_FALSE(link.RequestTicketOut(5000));
    host.now += 1;
    EXPECT_TRUE(link.RequestTicketOut(5000));
    host.now += 1500;
    EXPECT_FALSE(link.RequestTicketOut(5000)) << "the answer is not in yet";
    const uint8_t bytes[28] = {};
    CPelagornTicketOutRecord paid;
    paid.Read(bytes, sizeof bytes);
    link.OnTicketOut(true, paid);
    EXPECT_EQ(host.calls.back(), "ticket ok 0");
    host.now += 1499;
    EXPECT_FALSE(link.RequestTicketOut(5000)) << "the pending try restarted the interval";
    host.now += 1;
    EXPECT_TRUE(link.RequestTicketOut(5000));
    EXPECT_FALSE(link.RequestTicketOut(0));
    EXPECT_EQ(sender.Count(R::TicketOut), 2);

    // A stamp later than now (the clock went back) is pulled back to now.
    host.now = 100;
    link.OnTicketOut(true, paid);
    EXPECT_FALSE(link.RequestTicketOut(5000));
    host.now = 1600;
    EXPECT_TRUE(link.RequestTicketOut(5000));
}

TEST_F(PelagornLink, RefusedAnswersWriteMetersOnlyFromWholeRecords)
{
    struct Case {
        const char* name;
        std::size_t length;
        bool expectMeters;
    };
    const Case cases[] = {{"whole", 42, true}, {"short", 20, false}};
    for (const Case& c : cases) {
        host.calls.clear();
        std::vector<uint8_t> bytes(42, 0);
        bytes[12] = 9;  // credit
        bytes[16] = 8;  // gift
        bytes[21] = 7;  // spin
        CPelagornItemRecord item;
        item.Read(bytes.data(), c.length);
        link.OnItemHit(false, item);
        if (c.expectMeters)
            EXPECT_EQ(host.calls, (std::vector<std::string>{"meters 9 8 7", "refresh spin"}))
                << c.name;
        else
            EXPECT_TRUE(host.calls.empty()) << c.name;
    }

    // After an accepted 38 a refused 37 leaves the meters alone.
    StartCycle();
    host.calls.clear();
    std::vector<uint8_t> bytes(42, 1);
    CPelagornItemRecord item;
    item.Read(bytes.data(), bytes.size());
    link.OnItemHit(false, item);
    EXPECT_TRUE(host.calls.empty());

    // Refused 36 and 38.
    const uint8_t drop[16] = {44, 0, 0, 0, 55};
    CPelagornCoinDropRecord dropRecord;
    dropRecord.Read(drop, sizeof drop);
    link.OnCoinDrop(false, dropRecord);
    EXPECT_EQ(host.calls.back(), "meters 44 55");
    CPelagornCoinDropRecord shortDrop;
    shortDrop.Read(drop, 7);
    host.calls.clear();
    link.OnCoinDrop(false, shortDrop);
    EXPECT_TRUE(host.calls.empty());
    dropRecord.dwFromCredit = 1;
    link.OnCoinDrop(true, dropRecord);
    EXPECT_EQ(host.calls.back(), "drop credit");
}

TEST_F(PelagornLink, AcceptedSpinDataOpensTheCycleAndKeepsTheRecord)
{
    ASSERT_TRUE(link.RequestSpinData());
    link.OnSpinData(true, Spin(321));
    EXPECT_EQ(host.calls.back(), "spin 321");
    EXPECT_EQ(link.m_bSpinDataHeld, 1);
    EXPECT_EQ(link.m_bSpinCycleOpen, 1);
    EXPECT_EQ(link.m_bSpinEndConfirmed, 0);
    EXPECT_EQ(link.m_LastSpinData.iCredit, 321);

    // An accepted answer without its record starts nothing; the next spin asks again.
    CPelagornProbClient other(&host, &sender);
    other.SetKey(3, 8);
    ASSERT_TRUE(other.RequestSpinData());
    std::vector<uint8_t> cut(100, 0);
    CPelagornSpinRecord shortSpin;
    shortSpin.Read(cut.data(), cut.size());
    host.calls.clear();
    other.OnSpinData(true, shortSpin);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(other.m_bSpinDataHeld, 0);
    EXPECT_TRUE(other.RequestSpinData());
}

TEST_F(PelagornLink, SpinEndIsAskedOncePerCycleAndItsResendsAreBounded)
{
    StartCycle();
    link.OnSpinResult(false, nullptr);
    const CPelagornResultRecord good = Result(0);
    link.OnSpinResult(true, &good);
    link.OnSpinResult(false, nullptr);
    EXPECT_EQ(sender.Count(R::SpinEnd), 1) << "a later refused 39 does not ask again";
    for (int refusal = 1; refusal <= 4; ++refusal) {
        link.OnSpinEnd(false);
        host.now += CPelagornProbClient::kRetryDelayMs;
        link.Process();
    }
    EXPECT_EQ(sender.Count(R::SpinEnd), 4) << "the first 40 and three resends";
    EXPECT_EQ(link.m_bSpinEndGivenUp, 1);
    host.now += 10 * CPelagornProbClient::kRetryDelayMs;
    link.Process();
    link.OnSpinResult(false, nullptr);
    EXPECT_EQ(sender.Count(R::SpinEnd), 4);
    EXPECT_FALSE(link.RequestGameFin());

    // The same bound for a refused 43.
    CPelagornProbClient other(&host, &sender);
    other.SetKey(3, 8);
    ASSERT_TRUE(other.RequestSpinData());
    other.OnSpinData(true, Spin(1));
    other.OnSpinResult(false, nullptr);
    other.OnSpinEnd(true);
    ASSERT_TRUE(other.RequestGameFin());
    sender.sent.clear();
    for (int refusal = 1; refusal <= 5; ++refusal) {
        other.OnGameFin(false, Fin());
        host.now += CPelagornProbClient::kRetryDelayMs;
        other.Process();
    }
    EXPECT_EQ(sender.Count(R::GameFin), 3) << "three resends after the first refusal";
    EXPECT_EQ(other.m_bGameFinGivenUp, 1);
    EXPECT_FALSE(other.RequestGameFin());
}
