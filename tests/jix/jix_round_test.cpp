// A full Jix round against the dev server's play mode over loopback TCP: enter, coin-in, play
// start, bonus, a spin without a win, a winning spin, and the ticket-out it calls for. The game's
// main tick runs (opening switched off); the driver fixes the coin's bonus level at its 53rd
// flight tick, before the coin reaches the wheel, and the client hands each answer to the game as
// the program's protocol handlers do.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CJix.h"
#include "CXFileLoad.h"
#include "JixSender.h"
#include "MessageIds.h"
#include "NetworkClient.h"
#include "PlayServer.h"
#include "jix_test_support.h"
#include "support/gfx_device.h"

using namespace netmsg;

namespace {

constexpr uint16_t kMachine = 101;

// Answers of the Jix family go to the one game; the rest of the protocol is the base class's.
class JixTestClient : public NetworkClient {
public:
    using NetworkClient::NetworkClient;
    ~JixTestClient() override { Close(); }
    CJix* game = nullptr;
    std::vector<uint16_t> answers;

protected:
    void OnJixEnter(int32_t, int32_t, const uint8_t* block) override
    {
        answers.push_back(MsgJixEnter);
        game->OnAnsEnter(block);
    }
    void OnJixCoinIn(int32_t, int32_t, int32_t) override
    {
        answers.push_back(MsgJixCoinIn);
        const CMachineState* row = g_MachineTable.Find(1, kMachine);
        if (row)
            game->OnAnsCoinIn(row->m_nCredit);
    }
    void OnJixPlayStart(int32_t, int32_t, bool granted, uint32_t value) override
    {
        answers.push_back(MsgJixPlayStart);
        game->GetEngine()->GetLink()->OnAnsPlayStart(granted, value);
    }
    void OnJixBonus(int32_t, int32_t, bool granted, uint32_t value) override
    {
        answers.push_back(MsgJixBonus);
        game->GetEngine()->GetLink()->OnAnsBonus(granted, value);
    }
    void OnJixSpinData(int32_t, int32_t, bool granted, const uint8_t* block) override
    {
        answers.push_back(MsgJixSpinData);
        game->OnAnsSpinData(granted, block);
    }
    void OnJixSpinEnd(int32_t, int32_t, bool ok) override
    {
        answers.push_back(MsgJixSpinEnd);
        game->OnAnsSpinEnd(ok);
    }
    void OnJixTicketOut(int32_t, int32_t, int32_t result) override
    {
        answers.push_back(MsgJixTicketOut);
        game->OnAnsTicketOut(result != 0);
    }
    void OnJixGameFin(int32_t, int32_t, bool ok) override
    {
        answers.push_back(MsgJixGameFin);
        game->OnAnsGameFin(ok);
    }
};

class JixRound : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        m_device = test_support::StartGfxDevice(640, 480, false, error);
        ASSERT_NE(m_device, nullptr) << error;
        g_MachineTable.Reset();
    }
    void TearDown() override
    {
        g_MachineTable.Reset();
        test_support::StopGfxDevice(m_device);
    }
    CXGfxDevice* m_device = nullptr;
};

// Pumps the client until the condition holds or five seconds pass.
template <class Condition>
bool PumpUntil(NetworkClient& client, Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
        client.Process();
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

TEST_F(JixRound, EnterCoinInPlayBonusTwoSpinsAndTicketsAgainstTheDevServer)
{
    devserver::PlayServer server({"127.0.0.31"}, 0, devserver::DefaultPlayAnswers());
    server.Start();
    HiPointer<JixTestClient> client(new JixTestClient(g_MachineTable));
    CJixNetSender sender(client.Get());
    ASSERT_TRUE(client->Connect("127.0.0.31", server.Port()));
    ASSERT_TRUE(PumpUntil(*client, [&] { return client->IsConnected(); }));

    // The player's seat: log in, take machine 101 in deck 2, and read the machine table.
    ASSERT_TRUE(client->ReqLogin("tester", "pw"));
    ASSERT_TRUE(client->ReqMachineSelect(2, 1, kMachine));
    ASSERT_TRUE(client->ReqUserInfo());
    ASSERT_TRUE(PumpUntil(*client, [&] { return g_MachineTable.Find(1, kMachine) != nullptr; }));

    // The game, without its files (register-only), sends its enter request on Initialize.
    CXFileLoad registry;
    registry.SetRegisterOnly(true);
    g_pFileLoad = &registry;
    CJix jix(nullptr, kMachine, false);
    jix.SetSender(&sender);
    client->game = &jix;
    const bool initialized = jix.Initialize(nullptr, true);
    g_pFileLoad = nullptr;
    ASSERT_TRUE(initialized);
    CDemo& demo = *jix.GetEngine();
    CDemoLink& link = *demo.GetLink();
    ASSERT_TRUE(PumpUntil(*client, [&] { return jix.IsStarted(); }));

    EXPECT_TRUE(jix.RequestCoinIn(false));
    EXPECT_FALSE(jix.RequestCoinIn(false)) << "one coin-in while one is pending";
    ASSERT_TRUE(PumpUntil(*client, [&] { return jix.IsIdle(); }));
    EXPECT_EQ(demo.m_nCredit, 10000);
    EXPECT_EQ(jix.m_nCreditIn, 10000);
    EXPECT_TRUE(jix.CanPlay());
    EXPECT_TRUE(jix.SetAutoPlay(true));

    // The driver: the frame's auto-play check, then one game tick; a launched coin decides bonus
    // level 3 (one more spin).
    demo.m_nEngineState = CDemo::kEngineGame;
    bool bonusSent = false;
    int roundsEnded = 0;
    int ticketsPaid = 0;
    bool ticketOutEnded = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end && !ticketOutEnded) {
        client->Process();
        for (int i = 0; i < 8; ++i) {
            if (jix.m_bAutoPlay)
                demo.CheckPlayable();
            const int32_t phaseBefore = demo.m_nSpinPhase;
            const uint8_t ticketBefore = demo.m_bTicketWanted;
            demo.TickGame();
            if (demo.m_bFlying && !bonusSent && demo.m_nFlightCounter == 53) {
                demo.DecideBonus(3);
                bonusSent = true;
            }
            if (phaseBefore == 30 && demo.m_nSpinPhase == 40)
                ++roundsEnded;
            if (ticketBefore && !demo.m_bTicketWanted && ticketsPaid > 0)
                ticketOutEnded = true;
            ticketsPaid = jix.m_nTotalTicket;
            // After the first play, no more: the round and the tickets run out on their own.
            if (bonusSent)
                jix.m_bAutoPlay = 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    EXPECT_TRUE(ticketOutEnded) << "rounds " << roundsEnded << ", tickets " << ticketsPaid
                                << ", phase " << demo.m_nSpinPhase << ", score " << demo.m_nScore;
    EXPECT_EQ(roundsEnded, 2);
    EXPECT_EQ(jix.m_nCreditPlayed, 200) << "two spins granted";
    EXPECT_EQ(jix.m_nTotalGift, 20000) << "the second spin's win, booked at its spin end";
    EXPECT_EQ(ticketsPaid, 4) << "20000 paid out in tickets of 5000";
    EXPECT_EQ(demo.m_nScore, 0);
    EXPECT_EQ(demo.m_nCredit, 9900);
    EXPECT_EQ(demo.m_nSpinPhase, 0);
    EXPECT_EQ(link.m_bPlaying, 0);
    EXPECT_EQ(link.m_bSpinEnded, 1);
    int count[23] = {};
    for (uint16_t id : client->answers)
        ++count[id];
    EXPECT_EQ(count[MsgJixEnter], 1);
    EXPECT_EQ(count[MsgJixCoinIn], 1);
    EXPECT_EQ(count[MsgJixPlayStart], 1);
    EXPECT_EQ(count[MsgJixBonus], 1);
    EXPECT_EQ(count[MsgJixSpinData], 2);
    EXPECT_EQ(count[MsgJixSpinEnd], 2);
    EXPECT_EQ(count[MsgJixGameFin], 2);
    EXPECT_EQ(count[MsgJixTicketOut], 4);
    client->game = nullptr;
    client->Close();
    server.Stop();
}

}  // namespace
