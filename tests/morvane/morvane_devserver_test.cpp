// The spin cycle over a real connection: the protocol client talks to the dev server on a
// loopback address, and a driver stands in for the game's per-tick process (one network pass and
// one game step per loop) and for the protocol object's Morvane handlers.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ByteBuilder.h"
#include "CMorvaneMain.h"
#include "CMorvaneSender.h"
#include "DevServer.h"
#include "MachineTable.h"
#include "NetworkClient.h"
#include "PlayMorvane.h"
#include "PlayServer.h"
#include "morvane_answer_client.h"
#include "morvane_fakes.h"
#include "support/hex.h"

using namespace morvane_test;
using namespace std::chrono_literals;
using devserver::ByteBuilder;
using devserver::Bytes;
using test_support::Hex;

namespace {

constexpr uint8_t kKind = 2;
constexpr uint16_t kMachine = 7;

// Records every request on its way to the protocol client.
class ForwardingSender : public RecordingSender {
public:
    explicit ForwardingSender(NetworkClient* client) : m_Net(client) {}
    bool Send(MorvaneRequest request, uint8_t kind, uint16_t machineNo) override
    {
        m_bAccept = m_Net.Send(request, kind, machineNo);
        return RecordingSender::Send(request, kind, machineNo);
    }
    bool SendPerformanceValue(uint8_t kind, uint16_t machineNo, uint32_t stage,
                              uint8_t choice) override
    {
        const bool sent = m_Net.SendPerformanceValue(kind, machineNo, stage, choice);
        m_Values.push_back({stage, choice});
        m_Sent.push_back(MorvaneRequest::PerformanceValue);
        return sent;
    }

private:
    CMorvaneNetSender m_Net;
};

class MorvaneDevServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SeatMorvaneMachine(kKind, kMachine);
        m_Main.GetLink().SetSender(&m_Sender);
    }
    void TearDown() override
    {
        m_Client.Close();
        g_MachineTable.Reset();
    }

    bool Connect(const char* address, uint16_t port)
    {
        if (!m_Client.Connect(address, port))
            return false;
        return Drive([&] { return m_Client.IsConnected(); }, false);
    }

    // One network pass and, once the enter answer made the game active, one game step per loop,
    // until the condition holds (bounded).
    template <class Condition>
    bool Drive(Condition condition, bool autoPlay = true, std::chrono::milliseconds bound = 20000ms)
    {
        const auto end = std::chrono::steady_clock::now() + bound;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            m_Client.Process();
            if (m_Owner.m_bActive) {
                m_Main.m_byAutoPlay = autoPlay ? 1 : 0;
                m_Main.Process();
            }
            std::this_thread::sleep_for(200us);
        }
        return true;
    }

    FakeOwner m_Owner{kKind, kMachine};
    RecordingIO m_IO;
    CMorvaneMain m_Main{&m_Owner, 100, &m_IO};
    MorvaneAnswerClient m_Client{m_Main};
    ForwardingSender m_Sender{&m_Client};
};

Bytes Key(uint16_t id)
{
    return ByteBuilder().U16(id).U8(kKind).U16(kMachine).Take();
}

}  // namespace

// The exact requests of one spin and their order, against a script.
TEST_F(MorvaneDevServerTest, OneSpinRequestByRequest)
{
    devserver::DevServer server("127.0.0.21", 0);
    const auto spin = devserver::MorvaneCannedSpins()[1];
    devserver::Script script;
    script.ExpectBody(Hex("1700 02 0700"))
        .Send(ByteBuilder()
                  .Raw(Key(23))
                  .U32(5000)
                  .U32(0)
                  .Raw(devserver::MorvaneSpinRecord(devserver::MorvaneCannedSpins()[0]))
                  .Take())
        .ExpectBody(Hex("1900 02 0700"))
        .Send(ByteBuilder()
                  .Raw(Key(25))
                  .U32(4900)
                  .U32(20000)
                  .U8(1)
                  .Raw(devserver::MorvaneSpinRecord(spin))
                  .Take())
        .ExpectBody(Hex("2000 02 0700"))
        .ExpectBody(Hex("1a00 02 0700 00"))
        .ExpectBody(Hex("2100 02 0700"))
        .Send(ByteBuilder().Raw(Key(26)).U8(1).Take())
        .Send(ByteBuilder().Raw(Key(33)).U8(1).U32(4900).U32(0).Take())
        .ExpectBody(Hex("1900 02 0700"))
        .Send(ByteBuilder().Raw(Key(25)).U32(4900).U32(0).U8(0).Take())  // refused
        .ExpectBody(Hex("1900 02 0700"))                                 // asked again
        .ExpectClose();
    ASSERT_TRUE(server.Start(script));
    ASSERT_TRUE(Connect("127.0.0.21", server.Port()));
    m_Main.GetLink().ReqEnter();
    ASSERT_TRUE(Drive([&] { return m_Owner.m_bActive; }));
    EXPECT_EQ(m_Main.m_nCredit, 5000);

    ASSERT_TRUE(Drive([&] { return m_Main.m_nSpinCount == 1; }));
    EXPECT_EQ(m_Main.m_Rec.Array[1], 13);
    EXPECT_EQ(m_Main.m_nCredit, 4900);
    EXPECT_EQ(m_Main.m_nScore, 20000);
    // The next spin's data is refused and asked for again.
    ASSERT_TRUE(Drive([&] { return Count(m_Sender.m_Sent, MorvaneRequest::SpinData) == 3; }));
    m_Client.Close();
    const auto outcome = server.Wait(10000ms);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->ok) << outcome->message;
}

// The play mode serves the four canned spins in turn; the window each one shows gives its code,
// and the score they win is paid out in tickets while it stays at 5000 or more.
TEST_F(MorvaneDevServerTest, PlayModeSpinsAndTicketOuts)
{
    devserver::PlayServer server({"127.0.0.22"}, 0, devserver::DefaultPlayAnswers());
    server.Start();
    ASSERT_TRUE(Connect("127.0.0.22", server.Port()));
    // The player logs in (money) and takes the machine; the answers come in order on one
    // connection, so the coin-in answer arrives after both.
    ASSERT_TRUE(m_Client.ReqLogin("player", "pw"));
    ASSERT_TRUE(m_Client.ReqMachineSelect(0, kKind, kMachine));
    ASSERT_TRUE(m_Main.GetLink().ReqCoinIn(false));
    ASSERT_TRUE(Drive([&] { return !m_Main.GetLink().CoinInPending(); }, false));
    EXPECT_EQ(m_Main.m_nCredit, 10000);
    EXPECT_EQ(m_Owner.m_nInserted, 10000);

    m_Main.GetLink().ReqEnter();
    ASSERT_TRUE(Drive([&] { return m_Owner.m_bActive; }, false));

    struct Expected {
        int32_t code, mark;
        bool fever;
    };
    const Expected expected[] = {{0, 0, false}, {724, 71, false}, {20, 0, false}, {0, 0, true}};
    for (int spin = 0; spin < 4; ++spin) {
        // Wait for the reels to rest, then evaluate as the presentation's first step does.
        ASSERT_TRUE(Drive([&] { return m_Main.ReelSettle[3] > 20 && m_Main.m_bySpinInProgress; }))
            << spin;
        m_Main.m_nEvalBaseStep = m_Main.SpinStep - 100;
        m_Main.m_nAnimTick = 10;
        m_Main.EvaluateReelWindow();
        EXPECT_EQ(m_Main.m_nWinCode, expected[spin].code) << spin;
        EXPECT_EQ(m_Main.m_nCaptionMark, expected[spin].mark) << spin;
        EXPECT_EQ(m_Main.m_byDrawFeverOverlay != 0, expected[spin].fever) << spin;
        ASSERT_TRUE(Drive([&] { return m_Main.m_nSpinCount == spin + 1; })) << spin;
        if (spin < 3) {
            ASSERT_TRUE(
                Drive([&] { return !m_Main.GetLink().Playing() && m_Main.GetLink().SpinEnded(); }));
        }
    }
    // 23000 won: four tickets of 5000, one after another, then the spins go on from 3000.
    ASSERT_TRUE(Drive([&] { return !m_Main.GetLink().Playing(); }));
    ASSERT_TRUE(Drive([&] { return m_Main.m_nTicketsPaid == 4 && m_Main.TicketFlag == 0; }, false));
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::TicketOut), 4);
    EXPECT_EQ(m_Main.m_nScore, 3000);
    EXPECT_EQ(g_MachineTable.m_nGiftTickets, 4 + 3);
    EXPECT_EQ(m_Main.m_nCredit, 10000 - 4 * 100);
    EXPECT_FALSE(Drive([&] { return false; }, false, 300ms));
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::TicketOut), 4) << "no ticket below 5000";
    m_Client.Close();
    server.Stop();
}

// The double-up against the play mode, which serves only its small win here: a won card taken,
// a lost card, and five won cards that end the game by themselves after stage 4.
TEST_F(MorvaneDevServerTest, DoubleUpWinLoseTakeAndStageFour)
{
    devserver::PlayAnswers answers = devserver::DefaultPlayAnswers();
    devserver::PlayAnswers morvane;
    devserver::AddMorvaneAnswers(morvane);
    answers.On(25, [morvane](devserver::PlaySession& s, devserver::BodyReader& r) {
        s.state.counters[devserver::kMorvaneSpinCounter] = 4;  // the small win
        const uint8_t type = r.U8();
        const uint16_t number = r.U16();
        morvane.Answer(s, ByteBuilder().U16(25).U8(type).U16(number).Take());
    });
    devserver::PlayServer server({"127.0.0.23"}, 0, std::move(answers));
    server.Start();
    ASSERT_TRUE(Connect("127.0.0.23", server.Port()));
    ASSERT_TRUE(m_Client.ReqLogin("player", "pw"));
    ASSERT_TRUE(m_Client.ReqMachineSelect(0, kKind, kMachine));
    ASSERT_TRUE(m_Main.GetLink().ReqCoinIn(false));
    ASSERT_TRUE(Drive([&] { return !m_Main.GetLink().CoinInPending(); }, false));
    m_Main.GetLink().ReqEnter();
    ASSERT_TRUE(Drive([&] { return m_Owner.m_bActive; }, false));

    const auto& cards = devserver::MorvaneDoubleCards();
    size_t dealt = 0;
    // Presses the button of a choice: the first (1) bets on red, the second (0) on black.
    auto choose = [&](bool red) { (red ? m_Main.DeckKeyRequest : m_Main.DeckQuickEnd) = 1; };
    // One card: waits out the game's first 19 steps, chooses, and waits for the answer.
    auto playCard = [&](bool win) {
        const bool red = cards[dealt % cards.size()] < 28;
        ++dealt;
        EXPECT_TRUE(Drive([&] { return m_Main.m_nDoubleSteps > 20 && m_Main.m_nValueState == 0; }));
        choose(win ? red : !red);
        EXPECT_TRUE(Drive([&] { return m_Main.m_nValueState == 2; }));
        EXPECT_EQ(m_Main.m_nValueFlag, win ? 1 : 0);
        EXPECT_EQ(m_Main.m_anValueTable[m_Main.m_nDoubleStage], cards[(dealt - 1) % cards.size()]);
    };
    // A spin with the small win, the offer taken with the first button.
    auto startDoubleUp = [&](int spin) {
        ASSERT_TRUE(Drive([&] { return m_Main.m_byDoubleUpOffer == 1; })) << spin;
        EXPECT_EQ(m_Main.m_nWinAmount, 300);
        m_Main.DeckKeyRequest = 1;
        ASSERT_TRUE(Drive([&] { return m_Main.m_byDoubleDue == 1; })) << spin;
        EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::DoubleUp), spin);
    };
    auto endOfGame = [&](int spin, int32_t score) {
        ASSERT_TRUE(Drive([&] {
            return m_Main.m_nSpinCount == spin && !m_Main.GetLink().Playing();
        })) << spin;
        EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::PerformanceEnd), spin);
        EXPECT_EQ(m_Main.m_nScore, score) << spin;
    };

    // Win, then take: the stake of 300 doubled stays won.
    startDoubleUp(1);
    playCard(true);
    EXPECT_EQ(m_Main.m_nWinAmount, 600);
    ASSERT_TRUE(Drive([&] { return m_Main.m_nStageSteps >= 150; }));
    m_Main.DeckQuickEnd = 1;
    ASSERT_TRUE(Drive([&] { return m_Main.m_byDoubleDue == 0; }));
    endOfGame(1, 600);

    // Lose: the win is gone and the game ends by itself.
    startDoubleUp(2);
    playCard(false);
    EXPECT_EQ(m_Main.m_nWinAmount, 0);
    endOfGame(2, 600);

    // Five won cards: after stage 4 the game ends with 300 doubled five times.
    startDoubleUp(3);
    for (int stage = 0; stage <= 4; ++stage) {
        EXPECT_EQ(m_Main.m_nDoubleStage, stage);
        playCard(true);
        EXPECT_EQ(m_Main.m_nWinAmount, 300 << (stage + 1));
        if (stage < 4) {
            ASSERT_TRUE(Drive([&] { return m_Main.m_nStageSteps >= 150; }));
            m_Main.DeckKeyRequest = 1;  // the next card
            ASSERT_TRUE(Drive([&] { return m_Main.m_nStageSteps == 0; }));
        }
    }
    ASSERT_TRUE(Drive([&] { return m_Main.m_byDoubleDue == 0; }));
    endOfGame(3, 600 + 300 + (9600 - 300));
    std::vector<uint32_t> stages;
    for (const auto& v : m_Sender.m_Values)
        stages.push_back(v.stage);
    EXPECT_EQ(stages, (std::vector<uint32_t>{0, 0, 0, 1, 2, 3, 4}));
    m_Client.Close();
    server.Stop();
}
