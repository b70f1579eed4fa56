// The game class on a real graphics device: its render target, the registering pass of its
// loaders, the kinds, the requests it sends, and the fixed time base.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CButtonSinHo.h"
#include "CGameDeck.h"
#include "CMorvane.h"
#include "CMorvaneMain.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXFileLoad.h"
#include "CXString.h"
#include "GameFactory.h"
#include "MachineTable.h"
#include "cxlib/error_log_capture.h"
#include "morvane_fakes.h"
#include "morvane_winning_spin.h"
#include "platform/files.h"
#include "support/gfx_device.h"

using namespace morvane_test;

namespace {

class MorvaneGameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        s_pDevice = test_support::StartGfxDevice(800, 600, false, error);
        s_strError = error;
    }
    static void TearDownTestSuite() { test_support::StopGfxDevice(s_pDevice); }

    void SetUp() override
    {
        ASSERT_NE(s_pDevice, nullptr) << s_strError;
        g_MachineTable.Reset();
    }
    void TearDown() override { g_MachineTable.Reset(); }

    static inline CXGfxDevice* s_pDevice = nullptr;
    static inline std::string s_strError;
};

}  // namespace

TEST_F(MorvaneGameTest, RegisteringPassRegistersEveryImageAndSound)
{
    CXFileLoad registry;
    g_pFileLoad = &registry;
    registry.SetRegisterOnly(true);
    {
        CMorvane game(nullptr, 0, 2, true);
        RecordingSender sender;
        game.SetSender(&sender);
        ASSERT_TRUE(game.Initialize(nullptr, false));
        EXPECT_TRUE(sender.m_Sent.empty());
        EXPECT_EQ(game.GetMain()->m_byNetworked, 0);
        for (CX2DSprite* sprite : game.GetMain()->m_apSprite)
            EXPECT_EQ(sprite, nullptr);
    }
    g_pFileLoad = nullptr;
    EXPECT_EQ(registry.GetRegisteredCount(),
              size_t(MorvaneImageSlotCount() + kMorvaneSoundRows - 1));
    EXPECT_NE(registry.GetRegistered().Find("./data_morvane/image/item/item_a.bmp"), nullptr);
    EXPECT_NE(registry.GetRegistered().Find("./data_morvane/Image/Rock/RockLock/key&lock0016.bmp"),
              nullptr);
    EXPECT_NE(registry.GetRegistered().Find("./data_morvane/SoundData/reelstop3.wav"), nullptr);
}

TEST_F(MorvaneGameTest, KindsAndTheEnterRequest)
{
    struct Case {
        int kind;
        bool ok;
        int bet;
    };
    for (const Case& c :
         {Case{2, true, 100}, Case{4, true, 200}, Case{3, false, 0}, Case{1, false, 0}}) {
        CMorvane game(nullptr, 12, c.kind, false);
        RecordingIO io;
        RecordingSender sender;
        game.SetIO(&io);
        game.SetSender(&sender);
        EXPECT_EQ(game.Initialize(nullptr, true), c.ok) << c.kind;
        if (!c.ok)
            continue;
        EXPECT_EQ(game.GetMain()->m_nBet, c.bet);
        EXPECT_EQ(sender.m_Sent, std::vector<MorvaneRequest>{MorvaneRequest::Enter});
        EXPECT_EQ(sender.m_nKind, c.kind);
        EXPECT_EQ(sender.m_nMachineNo, 12);
        EXPECT_NE(game.m_pTargetSprite, nullptr);
        EXPECT_EQ(game.m_pTargetSprite->GetWidth(), 800.0f);
    }
    EXPECT_DOUBLE_EQ(CMorvane(nullptr, 1, 2, false).m_dCurSpeed, 1.272);
    EXPECT_DOUBLE_EQ(CMorvane(nullptr, 1, 4, false).m_dCurSpeed, 1.172);
}

TEST_F(MorvaneGameTest, CoinInRequests)
{
    CMorvane game(nullptr, 3, 2, false);
    RecordingIO io;
    RecordingSender sender;
    game.SetIO(&io);
    game.SetSender(&sender);
    ASSERT_TRUE(game.Initialize(nullptr, false));
    EXPECT_TRUE(game.IsIdle());
    EXPECT_TRUE(game.RequestCoinIn(false));
    EXPECT_FALSE(game.IsIdle());
    EXPECT_FALSE(game.RequestCoinIn(false));
    EXPECT_TRUE(game.RequestCoinIn(true));
    EXPECT_EQ(Count(sender.m_Sent, MorvaneRequest::CoinIn), 2);

    // A request the connection refused leaves nothing pending.
    CMorvane other(nullptr, 4, 2, false);
    RecordingSender refusing;
    refusing.m_bAccept = false;
    other.SetIO(&io);
    other.SetSender(&refusing);
    ASSERT_TRUE(other.Initialize(nullptr, false));
    EXPECT_FALSE(other.RequestCoinIn(false));
    EXPECT_TRUE(other.IsIdle());

    CMorvane demo(nullptr, 0, 2, true);
    demo.SetIO(&io);
    demo.SetSender(&sender);
    ASSERT_TRUE(demo.Initialize(nullptr, true));
    EXPECT_FALSE(demo.IsIdle());
    EXPECT_FALSE(demo.RequestCoinIn(true));
    EXPECT_EQ(Count(sender.m_Sent, MorvaneRequest::CoinIn), 2) << "a demo game never sends";
    EXPECT_EQ(Count(sender.m_Sent, MorvaneRequest::Enter), 0);
}

TEST_F(MorvaneGameTest, AutoPlayNeedsSomethingToPlay)
{
    CGameDeck deck(0);
    CMorvane game(&deck, 3, 2, false);
    RecordingIO io;
    RecordingSender sender;
    game.SetIO(&io);
    game.SetSender(&sender);
    ASSERT_TRUE(game.Initialize(nullptr, false));
    EXPECT_FALSE(game.SetAutoPlay(true));
    EXPECT_EQ(game.m_bAutoPlay, 0);
    EXPECT_TRUE(game.IsOutOfCredit());
    game.SetCredit(100);
    EXPECT_EQ(game.GetMain()->m_abyCreditDigit[2], 1);
    EXPECT_TRUE(game.SetAutoPlay(true));
    EXPECT_FALSE(game.IsOutOfCredit());
}

TEST_F(MorvaneGameTest, OnlyTheLastStepOfAFrameDraws)
{
    CMorvane game(nullptr, 0, 2, true);
    RecordingIO io;
    game.SetIO(&io);
    ASSERT_TRUE(game.Initialize(nullptr, false));
    CMorvaneMain& main = *game.GetMain();
    game.RunSteps(1);
    EXPECT_EQ(main.m_nTopState, 5);
    io.m_dwNow += 999;
    game.RunSteps(1);
    EXPECT_EQ(main.m_nTopState, 5);
    io.m_dwNow += 1;
    game.RunSteps(1);
    EXPECT_EQ(main.m_nTopState, 10);
    main.m_nCredit = 1000;
    main.m_byAutoPlay = 1;
    game.RunSteps(3);
    // The step that arms the spin moves nothing: the next one starts the reels from rest.
    EXPECT_EQ(main.SpinStep, 2);
    EXPECT_EQ(main.m_byDrawFlag, 1);
    // The reels are drawn once, on the last step: seven symbols per spinning copy, and each
    // reel's landing strip.
    size_t symbolDraws = 0;
    for (const DrawCall& d : io.m_Draws)
        symbolDraws += d.slot >= MorvaneImageSlot(MorvaneImageSet::Symbols) &&
                       d.slot < MorvaneImageSlot(MorvaneImageSet::Symbols, 11);
    const size_t perFrame = (2 + 3 + 4 + 5) * 7 + (13 + 15 + 20 + 26);  // copies, landing strips
    EXPECT_EQ(symbolDraws, perFrame);
}

TEST(MorvaneTimeBaseTest, WholeStepsOfScaledTime)
{
    {
        // 1.272 at a steady 60 frames a second: one step, and two about every fourth frame.
        CMorvane game(nullptr, 0, 2, true);
        std::vector<int> steps;
        for (int frame = 0; frame < 12; ++frame)
            steps.push_back(game.AdvanceTime(1.0 / 60.0));
        EXPECT_EQ(steps, (std::vector<int>{1, 1, 1, 2, 1, 1, 1, 2, 1, 1, 1, 2}));
    }
    {
        // A frame that scales to less than a step leaves the steps at 0 and the time owed grows.
        CMorvane game(nullptr, 0, 4, true);
        EXPECT_EQ(game.AdvanceTime(0.005), 0);
        EXPECT_EQ(game.AdvanceTime(0.005), 0);
        EXPECT_NEAR(game.m_dAccumulator, 2 * 0.005 * 1.172, 1e-12);
        EXPECT_EQ(game.AdvanceTime(0.005), 1);
        EXPECT_EQ(game.m_dAccumulator, 0.0);
        EXPECT_LT(game.m_dFraction, 1.0);
    }
    {
        // A slow frame owes several steps at once.
        CMorvane game(nullptr, 0, 2, true);
        EXPECT_EQ(game.AdvanceTime(0.1), 7);  // 0.1 x 1.272 x 60 = 7.632
        EXPECT_NEAR(game.m_dFraction, 0.632, 1e-9);
    }
}

TEST(MorvaneTargetLogTest, AMissingTargetIsLoggedUnderTheGamesFileAndLine)
{
    ASSERT_EQ(g_pGfxDevice, nullptr) << "no graphics device: the target cannot be made";
    ErrorLogCapture errors;
    testing::internal::CaptureStderr();
    CMorvane game(nullptr, 1, 2, false);
    const bool ok = game.Initialize(nullptr, false);
    const std::string debug = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(ok);
    EXPECT_EQ(errors.Count("-[CMorvane::CreateTarget] : m_pTarget create fail.\r\n"), 1)
        << errors.Text();
    EXPECT_NE(debug.find("source_morvane\\CMorvane(43) : "), std::string::npos) << debug;
}

// A picture that cannot be read and a sprite that cannot be made are told apart on the debugger
// output; a loaded picture's sprite covers the whole picture.
TEST_F(MorvaneGameTest, ImageLoadFailuresNameTheirCause)
{
    const std::string saved = g_strResourceBase;
    g_strResourceBase = std::string(CX_ASSETS_DIR) + "/";
    struct Case {
        const char* name;
        bool refuseSprites;
        const char* line;  // null: loaded
    };
    const Case cases[] = {
        {"image/no-such-picture", false,
         "texture load error: ./data_morvane/image/no-such-picture.bmp\n"},
        {"image/no-such-picture", true,
         "texture load error: ./data_morvane/image/no-such-picture.bmp\n"},
        {"image/back", true, "surface create error: ./data_morvane/image/back.bmp\n"},
        {"image/back", false, nullptr},
    };
    for (const Case& c : cases) {
        FakeOwner owner;
        RecordingIO io;
        io.m_bRefuseSprites = c.refuseSprites;
        CMorvaneMain main{&owner, 100, &io};
        testing::internal::CaptureStderr();
        CX2DSprite* sprite = main.LoadImage(c.name);
        const std::string debug = testing::internal::GetCapturedStderr();
        const size_t texture = debug.find("texture load error");
        const size_t surface = debug.find("surface create error");
        if (c.line) {
            EXPECT_EQ(sprite, nullptr) << c.name;
            EXPECT_NE(debug.find(c.line), std::string::npos) << debug;
            EXPECT_EQ(texture == std::string::npos || surface == std::string::npos, true)
                << "one cause: " << debug;
        } else {
            ASSERT_NE(sprite, nullptr) << c.name;
            EXPECT_EQ(texture, std::string::npos) << debug;
            EXPECT_EQ(surface, std::string::npos) << debug;
            EXPECT_EQ(sprite->GetWidth(), 800.0f);
            EXPECT_EQ(sprite->GetHeight(), 600.0f);
        }
        delete sprite;
    }
    g_strResourceBase = saved;
}

TEST(MorvaneFactoryTest, TypesTwoAndFourMakeMorvaneGames)
{
    RegisterMorvaneGameType();
    for (int type : {2, 4}) {
        GameCreator creator = FindGameCreator(type);
        ASSERT_NE(creator, nullptr) << type;
        CGameBase* game = creator(nullptr, 9, true);
        auto* morvane = dynamic_cast<CMorvane*>(game);
        ASSERT_NE(morvane, nullptr);
        EXPECT_EQ(morvane->GetGameType(), type);
        EXPECT_EQ(morvane->GetMachineNo(), 9);
        EXPECT_TRUE(morvane->IsDemo());
        delete game;
    }
    ClearGameTypes();
}

// The placeholder tree holds every file the loaders ask for, at the size the tables give.
TEST_F(MorvaneGameTest, PlaceholderTreeHoldsEveryImageAndSound)
{
    const std::string saved = g_strResourceBase;
    g_strResourceBase = std::string(CX_ASSETS_DIR) + "/";
    {
        FakeOwner owner;
        RecordingIO io;
        CMorvaneMain main{&owner, 100, &io};
        EXPECT_TRUE(main.LoadGameImages());
        EXPECT_TRUE(main.LoadDoubleGameImages());
        EXPECT_TRUE(main.LoadEffectImages());
        EXPECT_TRUE(main.LoadAnimationImages());
        EXPECT_TRUE(main.m_pSinHo->LoadImages());
        for (const MorvaneImageSetDef& def : g_MorvaneImageSets)
            for (int32_t i = 0; i < def.nCount; ++i) {
                const CX2DSprite* sprite = main.m_apSprite[size_t(MorvaneImageSlot(def.eSet, i))];
                ASSERT_NE(sprite, nullptr) << MorvaneImageFile(def, i);
                int width = 0;
                int height = 0;
                MorvaneImageSize(def, i, &width, &height);
                EXPECT_EQ(sprite->GetWidth(), float(width)) << MorvaneImageFile(def, i);
                EXPECT_EQ(sprite->GetHeight(), float(height)) << MorvaneImageFile(def, i);
            }
    }
    g_strResourceBase = saved;
    for (const MorvaneSoundRow& row : g_MorvaneSoundList) {
        if (!row.bLoaded)
            continue;
        EXPECT_TRUE(
            platform::FileExists(std::string(CX_ASSETS_DIR) + "/data_morvane/" + row.pszFile))
            << row.pszFile;
    }
}

// A winning spin at rest on the real device: the first presentation step draws the middle row's
// four 7 highlight over the placeholder pictures, and the rows above and below stay without it.
TEST_F(MorvaneGameTest, WinningSpinHighlightsTheMiddleRow)
{
    const std::string saved = g_strResourceBase;
    g_strResourceBase = std::string(CX_ASSETS_DIR) + "/";
    {
        CMorvane game(nullptr, 0, 2, true);
        ASSERT_TRUE(game.Initialize(nullptr, false));
        ASSERT_NE(game.m_pTarget, nullptr);
        CMorvaneMain& main = *game.GetMain();
        SetWinningSpinAtRest(main);

        ASSERT_TRUE(s_pDevice->Gfx_BeginScene(game.m_pTarget->GetTarget()));
        s_pDevice->Gfx_Clear(0);
        main.m_byInStep = 1;
        main.m_byDrawFlag = 1;
        main.Process();
        s_pDevice->Gfx_EndScene(false);
        ASSERT_FALSE(main.m_Hits.empty());
        EXPECT_EQ(main.m_Hits[0].nRow, 1);

        std::vector<uint32_t> pixels(800 * 600);
        GpuRect all{0, 0, 800, 600};
        ASSERT_TRUE(s_pDevice->GetGpu()->ReadPixels(
            s_pDevice->Target_GetTexture(game.m_pTarget->GetTarget()), &all, pixels.data()));
        auto at = [&](int x, int y) { return pixels[size_t(y) * 800 + size_t(x)] & 0xFFFFFF; };
        // The placeholder fill of the highlighted-symbol pictures.
        const int set = static_cast<int>(MorvaneImageSet::HighlightedSymbols);
        const uint32_t fill = uint32_t((set * 0x3B) & 0xFF) << 16 |
                              uint32_t((set * 0x71 + 0x40) & 0xFF) << 8 |
                              uint32_t((set * 0x2F + 0x80) & 0xFF);
        // Cells of every reel (the strips stand over the big picture), each drawn with its own
        // source from the same sprite; clear of the win digits drawn over them.
        for (int x : {57, 170, 250, 300, 440, 540, 640, 738}) {
            EXPECT_EQ(at(x, 257), fill) << "middle row at x " << x;
            EXPECT_EQ(at(x, 380), fill) << "middle row at x " << x;
            EXPECT_NE(at(x, 160), fill) << "top row at x " << x;
            EXPECT_NE(at(x, 420), fill) << "bottom row at x " << x;
        }
    }
    g_strResourceBase = saved;
}
