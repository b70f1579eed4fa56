// One tick of the game scene on a real game: the error-window branches, the cabinet's credit and
// gift-out notices, the resend of a gift-out announced before a restart, the reel-wait presets,
// the background shake and the no-credit window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "CXAutoLock.h"
#include "CXDrawBG.h"
#include "CXDrawCOIN.h"
#include "CXReelWaitPreset.h"
#include "pelagorn_game_fixture.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace {

class PelagornTick : public PelagornGameTest {
protected:
    // One tick of 0.1 s of wall time (110 ms of game time).
    void Tick() { Frames(1, 0.1); }
    size_t QueuedCommands()
    {
        CXAutoLock lock(Scene().m_WriteQueue);
        return Scene().m_WriteQueue.m_Data.GetCount();
    }
};

}  // namespace

TEST_F(PelagornTick, ErrorWindowBranches)
{
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    s.m_iCredit = 5000;
    m_game->SetAutoPlay(true);

    struct Case {
        const char* name;
        uint8_t error;
        int32_t commGift;
        bool windowPlays;  // after the tick
        bool frameRuns;    // the tick went on to the frame
        bool coinAsked;    // auto play asked for a coin
    };
    const Case cases[] = {
        {"no error", 0, 0, false, true, true},
        {"a board error with nothing owed shows the window", 12, 0, true, false, false},
        {"the window stays while the error stays", 12, 0, true, false, false},
        {"the error cleared: the window stops, the frame runs", 0, 0, false, true, false},
        {"a board error while a gift-out is owed lets the frame run", 12, 5000, false, true, false},
        {"an unanswered gift-out shows the window", CXSerialComm::ERROR_GIFT_UNANSWERED, 5000, true,
         false, false},
    };
    for (const Case& c : cases) {
        s.m_byError = c.error;
        s.m_iCommGift = c.commGift;
        m_game->GetProbClient()->m_bCoinDropPending = 0;
        s.m_pCoins->m_dwLastDrop = 0;
        const double elapsed = s.m_dElapsed;
        const int drops = m_sender.Count(PelagornRequest::CoinDrop);
        Tick();
        EXPECT_EQ(s.m_ErrorWindow.IsPlaying(), c.windowPlays) << c.name;
        EXPECT_EQ(s.m_dElapsed != elapsed, c.frameRuns) << c.name;
        EXPECT_EQ(m_sender.Count(PelagornRequest::CoinDrop) - drops, c.coinAsked ? 1 : 0) << c.name;
    }
    // An unanswered gift-out whose gifts are all paid becomes error 255.
    s.m_ErrorWindow.Stop();
    s.m_iCommGift = 0;
    s.m_byError = CXSerialComm::ERROR_GIFT_UNANSWERED;
    Tick();
    EXPECT_EQ(s.m_byError.load(), 255);
}

TEST_F(PelagornTick, ErrorWindowCountsTheGiftsInTheItemBeltsDigits)
{
    WriteAnf("DATA_PELAGORN/image/item/digits.anf", 10, 12, {0xFF20C0E0}, 10);
    WriteText("DATA_PELAGORN/image/item/item.cfg",
              "SMALL_PRIZE_FONT=image/item/digits.anf\nSMALL_PRIZE_FONT_SIZE=1\n");
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    s.m_iCommGift = 10000;
    s.m_byError = CXSerialComm::ERROR_GIFT_UNANSWERED;
    DrawFrame([&] { m_game->RunScene(0.01f); });
    ASSERT_TRUE(s.m_ErrorWindow.IsPlaying());
    // Two gifts owed: "2" at (335, 403), scaled by 0.9.
    EXPECT_EQ(Pixel(338, 408), 0x20C0E0u);
}

TEST_F(PelagornTick, CabinetCreditReachesCreditAndInputMoney)
{
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    s.m_iCredit = 300;
    // A bill of 10 and a board credit of 5, as the board's frames bring them.
    s.OnReceive("10\ra5\r", 6);
    s.OnProcess(1);
    Tick();
    EXPECT_EQ(s.m_iCredit, 1800);
    EXPECT_EQ(s.m_SaveData.m_aiAccounts[ACCOUNT_INPUT_MONEY], 1500);
    EXPECT_EQ(s.m_bCreditArrived, 1);
    Tick();
    EXPECT_EQ(s.m_iCredit, 1800) << "taken once";
}

TEST_F(PelagornTick, ResumedGiftOutIsSentWhenTheCountsMatch)
{
    auto pty = platform::OpenPseudoTerminal();
    ASSERT_TRUE(pty.has_value());
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    ASSERT_TRUE(s.AttachPort(platform::OpenSerialPort(pty->strLinePath, 9600)));

    struct Case {
        const char* name;
        int32_t commGift;
        int32_t sendCount;
        size_t queued;   // commands queued by the resume
        uint8_t resend;  // the flag left for the tick
        uint8_t error;
    };
    const Case cases[] = {
        {"announced and owed agree", 10000, 2, 2, 0, CXSerialComm::ERROR_GIFT_UNANSWERED},
        {"the counts differ: sent by a later tick", 10000, 1, 0, 1,
         CXSerialComm::ERROR_GIFT_UNANSWERED},
        {"nothing owed arms nothing", 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        {
            CXAutoLock lock(s.m_WriteQueue);
            s.m_WriteQueue.m_Data.RemoveAll(1);
        }
        s.m_byError = 0;
        s.m_iCommGift = c.commGift;
        s.m_iGiftSendCount = c.sendCount;
        s.ResumeGiftOut();
        EXPECT_EQ(QueuedCommands(), c.queued) << c.name;
        EXPECT_EQ(s.m_bResend, c.resend) << c.name;
        EXPECT_EQ(s.m_byError.load(), c.error) << c.name;
    }

    // The resend waits for the counts to match, then goes out once.
    s.m_iCommGift = 10000;
    s.m_iGiftSendCount = 1;
    s.ResumeGiftOut();
    s.m_byError = 0;
    Frames(1, 0.1);
    EXPECT_EQ(QueuedCommands(), 0u);
    s.m_iGiftSendCount = 2;
    Frames(1, 0.1);
    EXPECT_EQ(QueuedCommands(), 2u);
    EXPECT_EQ(s.m_bResend, 0);
    Frames(1, 0.1);
    EXPECT_EQ(QueuedCommands(), 2u);

    // With nothing owed at the restart a later ordinary gift-out is not sent a second time.
    {
        CXAutoLock lock(s.m_WriteQueue);
        s.m_WriteQueue.m_Data.RemoveAll(1);
    }
    s.m_iCommGift = 0;
    s.m_iGiftSendCount = 0;
    s.ResumeGiftOut();
    s.m_iCredit = 0;
    s.m_iGift = 5000;
    s.StartGiftOut(1, false);
    ASSERT_EQ(s.m_iCommGift, 5000);
    EXPECT_EQ(QueuedCommands(), 1u);
    Frames(1, 0.1);
    EXPECT_EQ(QueuedCommands(), 1u) << "one gift, one command";
}

TEST_F(PelagornTick, EchoedGiftOutIsSavedByTheTick)
{
    auto pty = platform::OpenPseudoTerminal();
    ASSERT_TRUE(pty.has_value());
    platform::SerialPort& board = *pty->pFarEnd;
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    // Offline, so that the game data is written, into the scratch folder.
    s.m_SaveData.m_bOnline = 0;
    s.m_SaveData.m_GameFile = CXSnapshotFile(m_folder.Slashed() + "__GAME_DATA_%d__");
    const auto newestSendCount = [&] {
        CXFileConfig newest;
        s.m_SaveData.m_GameFile.LoadNewest(&newest);
        return newest.HasKey("GIFT_SEND_COUNT") ? newest.GetValue("GIFT_SEND_COUNT").ToInteger()
                                                : -1;
    };
    ASSERT_TRUE(s.AttachPort(platform::OpenSerialPort(pty->strLinePath, 9600)));
    ASSERT_TRUE(s.StartThread());

    s.SendGiftOut(1);
    EXPECT_EQ(newestSendCount(), 1);
    // The command is due after its delay of game time; the board echoes it.
    std::string received;
    for (int i = 0; i < 200 && received.find("g001\r") == std::string::npos; ++i) {
        Tick();
        char buffer[64];
        const int64_t n = board.Read(buffer, sizeof buffer);
        if (n > 0)
            received.append(buffer, size_t(n));
        platform::SleepMs(5);
    }
    ASSERT_NE(received.find("g001\r"), std::string::npos) << received;
    ASSERT_EQ(board.Write("g001\r", 5), 5);
    bool saved = false;
    for (int i = 0; i < 400 && !saved; ++i) {
        platform::SleepMs(5);
        Tick();
        saved = newestSendCount() == 0;
    }
    EXPECT_EQ(s.m_iGiftSendCount.load(), 0);
    EXPECT_TRUE(saved) << "the lowered GIFT_SEND_COUNT is written by the scene's tick";
}

TEST_F(PelagornTick, ReelWaitPresetsRunTheirEntries)
{
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    // Index 3: no repeat, shake 8 x 6 every 100 ms; 200 ms shaking, then 300 ms still.
    ASSERT_TRUE(ReelWaitPresets().FillShake(3, "0,8,6,100,200,1,300,0"));
    // Index 4: the same entries, repeating.
    ASSERT_TRUE(ReelWaitPresets().FillShake(4, "1,8,6,100,200,1,300,0"));

    s.StartReelWait(3);
    Tick();
    EXPECT_EQ(s.m_byShake, 1) << "entry 0 shakes";
    const uint32_t shakeStamp = s.m_dwShakeStamp;
    Tick();
    EXPECT_NE(s.m_dwShakeStamp, shakeStamp) << "shaken again after the interval";
    Tick();
    Tick();
    EXPECT_EQ(s.m_iReelWaitEntry, 1);
    EXPECT_EQ(s.m_byShake, 0) << "entry 1 is still";
    for (int i = 0; i < 4; ++i)
        Tick();
    EXPECT_EQ(s.m_ReelWait.nIndex, 0) << "the preset ends after its last entry";
    EXPECT_EQ(s.m_byShake, 0);

    s.StartReelWait(4);
    for (int i = 0; i < 6; ++i)
        Tick();
    EXPECT_EQ(s.m_ReelWait.nIndex, 4) << "a repeating preset goes on";
    EXPECT_EQ(s.m_iReelWaitEntry, 0);
    EXPECT_EQ(s.m_byShake, 1);

    s.StartReelWait(CXReelWaitPresetTable::kSize);  // outside the table: nothing changes
    EXPECT_EQ(s.m_ReelWait.nIndex, 4);
}

TEST_F(PelagornTick, BackgroundShakeStaysWithinTheAmplitude)
{
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    ASSERT_NE(s.m_pBG, nullptr);
    s.m_pBG->m_nSpeedChangeMinTime = 200;
    s.m_pBG->m_nSpeedChangeMaxTime = 200;

    s.m_iShakeAmplitude = 0;
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(s.m_iBGShake, 0) << "no amplitude, no shake";

    s.m_iShakeAmplitude = 2;
    bool moved = false;
    uint32_t lastStamp = s.m_dwBGShakeStamp;
    int steps = 0;
    for (int i = 0; i < 300; ++i) {
        Tick();
        EXPECT_LE(std::abs(s.m_iBGShake), 2);
        EXPECT_FLOAT_EQ(s.m_pBG->m_fScrollSpeed, 0.5f + static_cast<float>(s.m_iBGShake));
        moved = moved || s.m_iBGShake != 0;
        if (s.m_dwBGShakeStamp != lastStamp) {
            ++steps;
            lastStamp = s.m_dwBGShakeStamp;
        }
    }
    EXPECT_TRUE(moved);
    // 300 ticks of 110 ms with a step at most every 200 ms: at most one step every second tick.
    EXPECT_LE(steps, 150);
    EXPECT_GT(steps, 0);
}

TEST_F(PelagornTick, NoCreditWindowShowsUpToACreditOf1000)
{
    MakeGame();
    CXSceneGAME& s = Scene();
    const struct {
        int32_t credit;
        bool shown;
    } cases[] = {{0, true}, {1000, true}, {1001, false}};
    for (const auto& c : cases) {
        s.m_iCredit = c.credit;
        DrawFrame([&] { s.DrawOverlays(); });
        // The window is an 8 x 8 grey picture at (10, 20).
        EXPECT_EQ(Pixel(13, 23), c.shown ? 0x808080u : 0u) << c.credit;
    }
}
