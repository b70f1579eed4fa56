// Morvane spins in a lobby deck against the dev server's play mode over loopback TCP: the answers
// reach the game through the program's protocol client, the player's presses go through the main
// window's messages to the deck panel's buttons, and the game's clock is the only stand-in (one
// 1/60 s step of game time per step run).
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "CDXButton.h"
#include "CDXRadioButton.h"
#include "CMorvane.h"
#include "CMorvaneIO.h"
#include "CMorvaneMain.h"
#include "CWndDeck.h"
#include "CWndGame.h"
#include "CWndMain.h"
#include "GameFactory.h"
#include "PlayMachineKey.h"
#include "PlayMorvane.h"
#include "PlayServer.h"
#include "netclient_lobby_fixture.h"

using namespace netclient_test;
using devserver::MorvaneCannedSpin;

namespace {

constexpr int kDeck = 1;
constexpr int32_t kKind = 2;
constexpr uint16_t kMachine = 42;

class SteppedClock : public CMorvaneIO {
public:
    uint32_t Now() override { return m_dwNow; }
    uint32_t m_dwNow = 1000;
};
SteppedClock s_clock;

CGameBase* CreateClockedMorvane(CGameDeck* deck, int32_t machine, bool demo)
{
    auto* game = new CMorvane(deck, machine, kKind, demo);
    game->SetIO(&s_clock);
    return game;
}

// Stops on reel set 0 whose rows recognise nothing; a win only in the middle row.
const MorvaneCannedSpin kLoss = {"loss", {3, 7, 12, 19}, 0, {0, 0, 0}, 0, 0, 0, 0, 0, 0, 0, 0};
const MorvaneCannedSpin kWin = {"win", {3, 7, 12, 19}, 0, {0, 2000, 0}, 2000, 0, 0, 0, 0, 0, 0, 0};
const MorvaneCannedSpin kSmallWin = {
    "small win", {3, 7, 12, 19}, 0, {0, 300, 0}, 300, 0, 0, 0, 0, 300, 0, 0};
const MorvaneCannedSpin kFeverStart = {
    "fever start", {3, 7, 12, 19}, 0, {0, 0, 0}, 0, 0, 0, 0, 0, 0, 1, 0};
const MorvaneCannedSpin kFeverEnd = {
    "fever end", {3, 7, 12, 19}, 0, {0, 0, 0}, 0, 0, 0, 0, 0, 0, 0, 1};

// The deck panel's three Morvane buttons.
enum Button { kOffer = 1, kFirstChoice = 2, kSecondChoice = 3 };

class MorvaneLobbyRoundTest : public NetClientLobbyTest {
protected:
    void SetUp() override
    {
        NetClientLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        RegisterGameType(kKind, CreateClockedMorvane);
        SetRow(kDeck, 0,
               0);  // the player's empty row for the deck, filled by the machine selection
        m_lobby = EnterLobby();
        ASSERT_NE(m_lobby, nullptr);
        m_panel = m_lobby->GetDeckPanel(kDeck);
        ASSERT_NE(m_panel, nullptr);
    }

    // The play mode with the spins served in the given order (the last one again after them);
    // answers 30 may come as the n-th test double-up answer wants.
    devserver::PlayAnswers Answers()
    {
        devserver::PlayAnswers answers = devserver::DefaultPlayAnswers();
        devserver::PlayAnswers morvane;
        devserver::AddMorvaneAnswers(morvane);
        answers.On(25, [this](devserver::PlaySession& s, devserver::BodyReader& r) {
            ++m_requests[25];
            const size_t n = m_served++;
            devserver::ServeMorvaneSpin(s, r, m_spins[std::min(n, m_spins.size() - 1)]);
        });
        for (uint16_t id : {26, 29, 31, 33}) {
            answers.On(id,
                       [this, morvane, id](devserver::PlaySession& s, devserver::BodyReader& r) {
                           ++m_requests[id];
                           devserver::Bytes body = devserver::ByteBuilder().U16(id).Take();
                           while (r.Remaining() > 0)
                               body.push_back(r.U8());
                           morvane.Answer(s, body);
                       });
        }
        answers.On(30, [this](devserver::PlaySession& s, devserver::BodyReader& r) {
            ++m_requests[30];
            const devserver::MachineKey key = devserver::ReadMachineKey(r);
            const size_t n = m_valuesServed++;
            auto body = devserver::KeyedAnswer(30, key);
            if (n < m_valueAnswers.size() && m_valueAnswers[n] == ValueAnswer::Refused)
                body.U8(0);
            else  // a won card (7) of 600, filed under an index the game has no entry for
                body.U8(1).U32(5).U32(7).U8(1).U32(600);
            s.Send(body.Take());
        });
        return answers;
    }

    // Logs in, takes the machine into the deck, enters it, inserts a coin with the insert button
    // and switches auto-play on with its radio button.
    void Seat(devserver::PlayServer& server, const char* address)
    {
        server.Start();
        ASSERT_TRUE(Client().Connect(address, server.Port()));
        ASSERT_TRUE(ProcessUntil([] { return Client().IsConnected(); }));
        ASSERT_TRUE(Client().ReqLogin("kim", "pw"));
        ASSERT_TRUE(Client().ReqMachineSelect(kDeck, kKind, kMachine));
        ASSERT_TRUE(Run([&] { return Game() && Game()->m_bFlag; }));
        Send(WM_DX_PRESS, m_panel->GetInsertButton()->GetId());
        ASSERT_TRUE(Run([&] { return Main().m_nCredit == 10000; }));
        m_panel->GetAutoPlayRadio()->SetChecked(true);
        Send(WM_DX_RADIO_SELECT, m_panel->GetAutoPlayRadio()->GetId());
        ASSERT_EQ(Game()->m_bAutoPlay, 1);
    }

    CMorvane* Game() const { return dynamic_cast<CMorvane*>(NetClientLobbyTest::Game(kDeck)); }
    CMorvaneMain& Main() const { return *Game()->GetMain(); }

    void Send(UINT message, int widget)
    {
        g_pWndMain->DispatchMessage(message, DXPackWidgetIds(m_panel->GetId(), widget), 0);
    }
    void Press(Button button) { Send(WM_DX_CLICK, m_panel->GetMorvaneButton(button)->GetId()); }

    // One frame: the answers in, then one game step as the game's time base runs it.
    void Frame()
    {
        Client().Process();
        CMorvane* game = Game();
        if (!game || !game->m_bFlag)
            return;
        game->GetMain()->m_byAutoPlay = game->m_bAutoPlay;
        s_clock.m_dwNow += 17;
        game->RunSteps(1);
    }
    // Frames until the condition holds (false after 60 s).
    template <class Condition>
    bool Run(Condition done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            Frame();
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return true;
    }

    enum class ValueAnswer { IndexFive, Refused };

    CWndGame* m_lobby = nullptr;
    CWndDeck* m_panel = nullptr;
    std::vector<MorvaneCannedSpin> m_spins;
    std::vector<ValueAnswer> m_valueAnswers;
    std::atomic<size_t> m_served{0};
    std::atomic<size_t> m_valuesServed{0};
    std::array<std::atomic<int>, 40> m_requests{};
};

}  // namespace

// The quick end (the third button) pressed at any tick of a spin, with and without a win, at a
// fever's start and end: the spin ends with one spin end (26) and one game finish (33), and the
// next spin starts. Without a win the end comes as soon as the fourth reel's settle counter has
// passed the settle wait + 10, 14 ticks before the plain pause ends.
TEST_F(MorvaneLobbyRoundTest, QuickEndEndsEverySpinOnce)
{
    struct Case {
        const char* name;
        MorvaneCannedSpin spin;
        int pressAt;    // spin step of the press; 0 for none
        int endSettle;  // the fourth reel's settle count when the spin ended; 0: not checked
    };
    // clang-format off
    const Case cases[] = {
        {"no win, no press", kLoss, 0, 46},
        {"no win, first tick", kLoss, 1, 32},
        {"no win, reels running", kLoss, 120, 32},
        {"no win, last settle tick", kLoss, 255, 32},
        {"no win, reels at rest", kLoss, 264, 32},
        {"win", kWin, 150, 0},
        {"win, reels at rest", kWin, 262, 0},
        {"fever start", kFeverStart, 100, 0},
        {"fever end", kFeverEnd, 100, 0},
        {"after them, a plain spin", kLoss, 0, 46},
    };
    // clang-format on
    for (const Case& c : cases)
        m_spins.push_back(c.spin);
    devserver::PlayServer server({"127.0.0.71"}, 0, Answers());
    Seat(server, "127.0.0.71");
    if (HasFatalFailure())
        return;

    int spins = 0;
    for (const Case& c : cases) {
        bool pressed = c.pressAt == 0;
        const bool ended = Run([&] {
            if (!pressed && Main().m_bySpinInProgress && Main().SpinStep >= c.pressAt) {
                Press(kSecondChoice);
                EXPECT_EQ(Main().DeckQuickEnd, 1) << c.name << ": the press is taken";
                pressed = true;
            }
            return Main().m_nSpinCount > spins;
        });
        ASSERT_TRUE(ended) << c.name << ": stuck at spin step " << Main().SpinStep << ", settle "
                           << Main().ReelSettle[3] << ", phase " << Main().SpinPhase;
        ++spins;
        if (c.endSettle) {
            EXPECT_EQ(Main().ReelSettle[3], c.endSettle) << c.name;
        }
        // Both answers in: the next spin may start.
        ASSERT_TRUE(Run([&] {
            return !Main().GetLink().Playing() && Main().GetLink().SpinEnded();
        })) << c.name;
        EXPECT_EQ(m_requests[26].load(), spins) << c.name;
        EXPECT_EQ(m_requests[33].load(), spins) << c.name;
        EXPECT_EQ(Main().DeckQuickEnd, 0) << c.name;
    }
    ASSERT_TRUE(Run([&] {
        return m_requests[25].load() == spins + 1 && Main().GetLink().SpinDataReceived();
    })) << "the next spin asks for its data";
    EXPECT_EQ(Main().m_nCredit, 10000 - 100 * (spins + 1));
    server.Stop();
}

// A double-up card answered with an index past the game's five entries, then a refused card:
// each answer clears the pending request, so the player's next choice is taken and each double-up
// ends (31) and its spin finishes; the win left by the last card is the one split.
TEST_F(MorvaneLobbyRoundTest, DoubleUpGoesOnAfterAnIndexPastItsCardsAndAfterARefusal)
{
    m_spins = {kSmallWin, kSmallWin, kLoss};
    m_valueAnswers = {ValueAnswer::IndexFive, ValueAnswer::Refused};
    devserver::PlayServer server({"127.0.0.72"}, 0, Answers());
    Seat(server, "127.0.0.72");
    if (HasFatalFailure())
        return;

    struct Case {
        const char* name;
        bool won;
        int32_t win;        // after the card
        int32_t sizeClass;  // of the win split as the double-up ends
    };
    const Case cases[] = {{"index 5", true, 600, 1}, {"refused", false, 0, 0}};
    int spins = 0;
    for (const Case& c : cases) {
        ASSERT_TRUE(Run([&] { return Main().m_byDoubleUpOffer == 1; })) << c.name;
        Press(kOffer);
        ASSERT_TRUE(Run([&] { return Main().m_byDoubleDue == 1 && Main().m_nDoubleSteps > 20; }))
            << c.name;
        Press(kFirstChoice);
        ASSERT_TRUE(Run([&] {
            return m_requests[30].load() == spins + 1 && !Main().GetLink().ValueRequested();
        })) << c.name;
        EXPECT_EQ(Main().m_nValueState, 2) << c.name;
        EXPECT_EQ(Main().m_nValueFlag, c.won ? 1 : 0) << c.name;
        for (int32_t card : Main().m_anValueTable)
            EXPECT_EQ(card, 0) << c.name << ": no entry takes the card";
        if (c.won) {
            EXPECT_EQ(Main().m_nWinAmount, 600);
            // The won card waits for the player: the second button takes the win.
            ASSERT_TRUE(Run([&] { return Main().m_nStageSteps >= 150; })) << c.name;
            Press(kSecondChoice);
        }
        ASSERT_TRUE(Run([&] { return Main().m_byDoubleDue == 0; })) << c.name;
        EXPECT_EQ(m_requests[31].load(), spins + 1) << c.name;
        EXPECT_EQ(Main().m_nWinAmount, c.win) << c.name;
        EXPECT_EQ(Main().m_nWinSizeClass, c.sizeClass) << c.name;
        ASSERT_TRUE(Run([&] { return Main().m_nSpinCount == spins + 1; })) << c.name;
        ++spins;
        ASSERT_TRUE(Run([&] {
            return !Main().GetLink().Playing() && Main().GetLink().SpinEnded();
        })) << c.name;
        EXPECT_EQ(m_requests[33].load(), spins) << c.name;
    }
    ASSERT_TRUE(Run([&] { return m_requests[25].load() == spins + 1; }))
        << "the next spin asks for its data";
    server.Stop();
}
