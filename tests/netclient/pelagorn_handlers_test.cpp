// The Pelagorn answers through the program's protocol client: a lobby whose deck hosts a real
// CPelagorn (made from the generated data tree, its requests recorded at the sender seam), and
// answer bodies as the server sends them.
#include <gtest/gtest.h>

#include <string>

#include "CNetClient.h"
#include "CPelagorn.h"
#include "CPelagornProbClient.h"
#include "CWndLogin.h"
#include "CXSceneGAME.h"
#include "GameFactory.h"
#include "netclient_lobby_fixture.h"
#include "pelagorn/pelagorn_link_fakes.h"

using net_test::Bytes;
using namespace netclient_test;

namespace {

using R = PelagornRequest;

constexpr uint16_t kMachine = 42;

// The answer's head: id, then the machine key (kind 3 unless another game's key is wanted).
Bytes Head(uint16_t id, uint8_t kind = 3, uint16_t machine = kMachine)
{
    Bytes b;
    U16(b, id);
    U8(b, kind);
    U16(b, machine);
    return b;
}

// A record of n bytes with little-endian 32-bit values at the given offsets.
Bytes Record(size_t n, std::initializer_list<std::pair<size_t, uint32_t>> values = {})
{
    Bytes r(n, 0);
    for (const auto& [at, v] : values)
        for (int k = 0; k < 4; ++k)
            r[at + k] = uint8_t(v >> (8 * k));
    return r;
}

Bytes Join(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The answers, with the key of kind `kind` and machine `machine`.
struct Answers {
    uint8_t kind = 3;
    uint16_t machine = kMachine;

    Bytes Enter(uint32_t credit) const
    {
        return Join(Head(34, kind, machine),
                    Record(117, {{0, credit}, {12, 100}, {16, 20000}, {20, 5000}, {24, 4}}));
    }
    // Result 0, the player's money, the key, the new credit.
    Bytes CoinIn(uint32_t credit) const
    {
        Bytes b;
        U16(b, 35);
        U8(b, 0);
        U32(b, 40000);
        U8(b, kind);
        U16(b, machine);
        U32(b, credit);
        return b;
    }
    Bytes CoinDrop(bool ok, uint32_t credit, uint32_t gift) const
    {
        return Join(Join(Head(36, kind, machine), {uint8_t(ok)}),
                    Record(16, {{0, credit}, {4, gift}, {8, 1}}));
    }
    Bytes ItemHit(bool ok, uint32_t credit, uint32_t gift, uint32_t spin) const
    {
        Bytes r = Record(42, {{12, credit}, {16, gift}});
        for (int k = 0; k < 4; ++k)
            r[21 + k] = uint8_t(spin >> (8 * k));
        return Join(Join(Head(37, kind, machine), {uint8_t(ok)}), r);
    }
    Bytes SpinData(uint32_t credit, uint32_t spin) const
    {
        return Join(Join(Head(38, kind, machine), {1}), Record(227, {{4, credit}, {12, spin}}));
    }
    Bytes ResultRefused() const { return Join(Head(39, kind, machine), {0}); }
    // An accepted result: status 0, total win `win` in the result state.
    Bytes Result(uint32_t win) const
    {
        return Join(Join(Head(39, kind, machine), {1}), Record(200, {{5 + 33, win}}));
    }
    Bytes SpinEnd(bool ok) const
    {
        return ok ? Join(Head(40, kind, machine), {1, 7}) : Join(Head(40, kind, machine), {0});
    }
    Bytes TicketOut(uint32_t commGift, uint32_t credit) const
    {
        Bytes b =
            Join(Join(Head(41, kind, machine), {1}), Record(28, {{0, commGift}, {8, credit}}));
        U32(b, 3);
        return b;
    }
    Bytes GameFin(bool ok, uint32_t credit) const
    {
        return ok ? Join(Join(Head(43, kind, machine), {1}), Record(12, {{0, credit}}))
                  : Join(Head(43, kind, machine), {0});
    }
};

class PelagornHandlersTest : public NetClientLobbyTest {
protected:
    static inline double s_seconds = 100.0;
    static inline RecordingPelagornSender* s_sender = nullptr;
    // The game's clock: s_seconds.
    struct Clock : CPelagornClock {
        double Seconds() override { return s_seconds; }
    };
    static inline Clock s_clock;

    // The deck's creator of type 3: the game reads the generated tree and sends through the
    // test's sender.
    static CGameBase* CreateGame(CGameDeck* deck, int32_t machine, bool demo)
    {
        auto* game = new CPelagorn(deck, machine, 3, demo);
        game->SetClock(&s_clock);
        game->SetSender(s_sender);
        game->SetDataFolder(std::string(CX_ASSETS_DIR) + "/DATA_PELAGORN/");
        return game;
    }

    void SetUp() override
    {
        NetClientLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        s_seconds = 100.0;
        s_sender = &m_sender;
        RegisterGameType(3, CreateGame);
        SetRow(1, 3, kMachine, 1000);
        SetRow(2, 1, kMachine + 1, 500);
        ASSERT_NE(EnterLobby(), nullptr);
        m_game = dynamic_cast<CPelagorn*>(Game(1));
        ASSERT_NE(m_game, nullptr) << "the deck hosts the Pelagorn game";
        ASSERT_NE(m_game->GetSceneGAME(), nullptr);
    }
    void TearDown() override
    {
        NetClientLobbyTest::TearDown();
        s_sender = nullptr;
    }

    CPelagornProbClient& Link() { return *m_game->GetProbClient(); }
    CXSceneGAME& Scene() { return *m_game->GetSceneGAME(); }
    // Moves the clock past the resend delay and lets the link resend.
    void AfterRetryDelay()
    {
        s_seconds += 1.0;
        Link().Process();
    }
    // A spin cycle opened by an accepted 38 whose reels have asked for a result.
    void OpenCycle()
    {
        ASSERT_TRUE(Link().RequestSpinData());
        Client().Deliver(m_answers.SpinData(900, 5));
        ASSERT_EQ(Link().m_bSpinDataHeld, 1);
        ASSERT_TRUE(Link().RequestResult());
    }
    // Ends the cycle: 43 goes out once the spin end is confirmed and its answer closes the cycle.
    void FinishCycle()
    {
        ASSERT_TRUE(Link().RequestGameFin());
        Client().Deliver(m_answers.GameFin(true, 800));
        EXPECT_EQ(Link().m_bSpinDataHeld, 0);
    }

    RecordingPelagornSender m_sender;
    CPelagorn* m_game = nullptr;
    Answers m_answers;
};

TEST_F(PelagornHandlersTest, SpinEndAnswersInEveryOrder)
{
    // 39 accepted: no 40 is asked for, and a 40 answer nobody asked for confirms nothing.
    OpenCycle();
    Client().Deliver(m_answers.Result(0));
    EXPECT_EQ(m_sender.Count(R::SpinEnd), 0);
    Client().Deliver(m_answers.SpinEnd(true));
    EXPECT_EQ(Link().m_bSpinEndConfirmed, 0);
    EXPECT_FALSE(Link().RequestGameFin());

    // 39 refused, 40 accepted: the spin end is confirmed and 43 closes the cycle.
    ASSERT_TRUE(Link().RequestResult());
    Client().Deliver(m_answers.ResultRefused());
    EXPECT_EQ(m_sender.Count(R::SpinEnd), 1);
    Client().Deliver(m_answers.SpinEnd(true));
    EXPECT_EQ(Link().m_bSpinEndConfirmed, 1);
    FinishCycle();
    EXPECT_EQ(Scene().m_iCredit, 800);

    // A 40 answered after a later accepted 39 still confirms the spin end; a further refused 39
    // asks for no second 40 in the cycle.
    m_sender.sent.clear();
    OpenCycle();
    Client().Deliver(m_answers.ResultRefused());
    ASSERT_TRUE(Link().RequestResult());
    Client().Deliver(m_answers.Result(0));
    Client().Deliver(m_answers.SpinEnd(true));
    EXPECT_EQ(Link().m_bSpinEndConfirmed, 1) << "the answer confirms whenever it comes";
    ASSERT_TRUE(Link().RequestResult());
    Client().Deliver(m_answers.ResultRefused());
    EXPECT_EQ(m_sender.Count(R::SpinEnd), 1);
    FinishCycle();

    // A coin drop answered between the 40 and its answer changes nothing of the cycle.
    m_sender.sent.clear();
    OpenCycle();
    Client().Deliver(m_answers.ResultRefused());
    ASSERT_TRUE(Link().RequestCoinDrop());
    Client().Deliver(m_answers.CoinDrop(false, 700, 60));
    EXPECT_EQ(Scene().m_iCredit, 700);
    Client().Deliver(m_answers.SpinEnd(true));
    EXPECT_EQ(Link().m_bSpinEndConfirmed, 1);
    FinishCycle();
    EXPECT_EQ(m_sender.Count(R::SpinEnd), 1);
}

TEST_F(PelagornHandlersTest, ARefusedSpinEndIsSentAgainThreeTimesThenTheGameStopsAsking)
{
    OpenCycle();
    Client().Deliver(m_answers.ResultRefused());
    for (int refusal = 1; refusal <= 4; ++refusal) {
        Client().Deliver(m_answers.SpinEnd(false));
        AfterRetryDelay();
    }
    EXPECT_EQ(m_sender.Count(R::SpinEnd), 4) << "the 40 and three resends";
    for (int i = 0; i < 10; ++i)
        AfterRetryDelay();
    ASSERT_TRUE(Link().RequestResult());
    Client().Deliver(m_answers.ResultRefused());
    EXPECT_EQ(m_sender.Count(R::SpinEnd), 4) << "no further 40 in this cycle";
    EXPECT_EQ(Link().m_bSpinEndGivenUp, 1);
    EXPECT_FALSE(Link().RequestGameFin());
    EXPECT_FALSE(Link().RequestSpinData()) << "the spin stays held: the reels rest";

    // The rest of the machine goes on: coin drops are still asked for and answered.
    ASSERT_TRUE(Link().RequestCoinDrop());
    Client().Deliver(m_answers.CoinDrop(false, 600, 0));
    EXPECT_EQ(Scene().m_iCredit, 600);
}

TEST_F(PelagornHandlersTest, EachAnswerReachesThePelagornGameOfItsMachine)
{
    // 34 (slot 75).
    Client().Deliver(m_answers.Enter(1234));
    EXPECT_EQ(Scene().m_iCredit, 1234);
    // 35 (76).
    ASSERT_TRUE(Link().RequestCoinIn(false));
    Client().Deliver(m_answers.CoinIn(11234));
    EXPECT_EQ(Link().m_bCoinInPending, 0);
    EXPECT_EQ(Scene().m_iCredit, 11234);
    // 36 (77), refused: the meters come from the record.
    ASSERT_TRUE(Link().RequestCoinDrop());
    Client().Deliver(m_answers.CoinDrop(false, 11000, 300));
    EXPECT_EQ(Link().m_bCoinDropPending, 0);
    EXPECT_EQ(Scene().m_iGift, 300);
    // 37 (78), refused with no spin held: credit, gift and spin from the record.
    Client().Deliver(m_answers.ItemHit(false, 10900, 200, 4));
    EXPECT_EQ(Scene().m_iSpin, 4);
    // 38 (79).
    ASSERT_TRUE(Link().RequestSpinData());
    Client().Deliver(m_answers.SpinData(10800, 3));
    EXPECT_EQ(Link().m_bSpinDataHeld, 1);
    EXPECT_EQ(Scene().m_iSpin, 3);
    // 39 (80).
    ASSERT_TRUE(Link().RequestResult());
    Client().Deliver(m_answers.Result(150));
    EXPECT_EQ(Link().m_bResultPending, 0);
    EXPECT_EQ(Scene().m_Result.iTotalWin, 150);
    ASSERT_TRUE(Link().RequestResult());
    Client().Deliver(m_answers.ResultRefused());
    // 40 (81).
    Client().Deliver(m_answers.SpinEnd(true));
    EXPECT_EQ(Link().m_bSpinEndConfirmed, 1);
    // 41 (82).
    s_seconds += 10.0;
    ASSERT_TRUE(Link().RequestTicketOut(5000));
    Client().Deliver(m_answers.TicketOut(5000, 10700));
    EXPECT_EQ(Link().m_bTicketOutPending, 0);
    EXPECT_EQ(Scene().m_iCommGift, 5000);
    // 43 (83).
    ASSERT_TRUE(Link().RequestGameFin());
    Client().Deliver(m_answers.GameFin(true, 10600));
    EXPECT_EQ(Link().m_bGameFinPending, 0);
    EXPECT_EQ(Scene().m_iCredit, 10600);
}

TEST_F(PelagornHandlersTest, AnswersForAnotherGameOrAwayFromTheLobbyAreDropped)
{
    ASSERT_TRUE(Link().RequestSpinData());
    ASSERT_TRUE(Link().RequestCoinDrop());
    const auto every = [](const Answers& a) {
        return std::vector<Bytes>{a.CoinDrop(false, 1, 2),
                                  a.ItemHit(false, 1, 2, 3),
                                  a.SpinData(1, 2),
                                  a.ResultRefused(),
                                  a.Result(9),
                                  a.SpinEnd(true),
                                  a.TicketOut(5000, 1),
                                  a.GameFin(true, 1),
                                  a.CoinIn(1)};
    };
    const auto unchanged = [&](const char* what) {
        EXPECT_EQ(Link().m_bSpinDataPending, 1) << what;
        EXPECT_EQ(Link().m_bCoinDropPending, 1) << what;
        EXPECT_EQ(Link().m_bSpinDataHeld, 0) << what;
        EXPECT_EQ(Scene().m_iCredit, 1000) << what;
        EXPECT_EQ(Scene().m_iCommGift, 0) << what;
    };
    Scene().m_iCredit = 1000;

    // The key of deck 2, which hosts a game of another kind.
    Answers other;
    other.kind = 1;
    other.machine = kMachine + 1;
    for (const Bytes& body : every(other))
        Client().Deliver(body);
    Client().Deliver(other.Enter(5));
    unchanged("another game's key");

    // A key no deck hosts.
    Answers nobody;
    nobody.machine = 99;
    for (const Bytes& body : every(nobody))
        Client().Deliver(body);
    unchanged("no deck");

    // Away from the lobby only the enter answer is taken.
    g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
    ASSERT_NE(dynamic_cast<CWndLogin*>(g_pWndMain->GetCurrentScreen()), nullptr);
    for (const Bytes& body : every(m_answers))
        Client().Deliver(body);
    unchanged("login screen");
    Client().Deliver(m_answers.Enter(4321));
    EXPECT_EQ(Scene().m_iCredit, 4321) << "the enter answer needs no screen";
}

}  // namespace
