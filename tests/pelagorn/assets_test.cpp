// The generated data tree: every display object finds its file and every image it names, and the
// whole game loads from it and plays a coin onto the item belt.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CXDrawBG.h"
#include "CXDrawBGInfo.h"
#include "CXDrawCOIN.h"
#include "CXDrawDP.h"
#include "CXDrawFRAME.h"
#include "CXDrawITEM.h"
#include "CXDrawPIN.h"
#include "CXDrawPRIZE.h"
#include "CXDrawREEL.h"
#include "CXDrawWINTABLE.h"
#include "pelagorn_game_fixture.h"

namespace {

class PelagornAssets : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        g_strResourceBase = std::string(CX_ASSETS_DIR) + "/DATA_PELAGORN/";
    }
};

TEST_F(PelagornAssets, EveryObjectLoadsItsFileAndImages)
{
    CXDrawFRAME frame;
    frame.m_pScene = &m_scene;
    frame.Init();
    ASSERT_EQ(frame.m_Pieces.GetSize(), 5u);
    for (uint32_t i = 0; i < frame.m_Pieces.GetSize(); ++i) {
        CXDrawFrameInfo* piece = frame.m_Pieces.GetAt(i);
        ASSERT_NE(piece, nullptr) << i;
        for (uint32_t s = 0; s < piece->m_Animations.GetSize(); ++s)
            EXPECT_NE(piece->m_Animations.GetAt(s)->GetCore(), nullptr)
                << "piece " << i << " state " << s;
    }
    EXPECT_EQ(frame.m_Pieces.GetAt(3)->m_Animations.GetSize(), 5u) << "the title lamp is state 4";
    for (uint32_t i = 0; i < 4; ++i) {
        ASSERT_NE(frame.m_Scores.GetAt(i), nullptr) << i;
        EXPECT_EQ(frame.m_Scores.GetAt(i)->m_Digits.GetFrameCount(), 10) << i;
    }
    EXPECT_NE(frame.m_Title.GetCore(), nullptr);

    CXDrawWINTABLE table;
    table.Init();
    ASSERT_EQ(table.m_Tables.GetSize(), 3u);
    ASSERT_EQ(table.m_StackedTables.GetSize(), 3u);
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_NE(table.m_Tables.GetAt(i)->GetCore(), nullptr) << i;
        EXPECT_NE(table.m_StackedTables.GetAt(i)->GetCore(), nullptr) << i;
    }

    CXDrawDP dropper;
    dropper.Init();
    EXPECT_NE(dropper.m_Dropper.GetCore(), nullptr);
    EXPECT_LT(dropper.m_fLeft, dropper.m_fRight);

    CXDrawPRIZE prizes;
    prizes.Init();
    EXPECT_EQ(prizes.m_Prizes.GetCount(), 7u + 9u + 5u);
    for (auto* element = prizes.m_Prizes.m_pHead; element; element = element->m_pNext)
        EXPECT_NE(element->m_pData->m_Animation.GetCore(), nullptr)
            << element->m_pData->GetName().GetString();

    // A frame of the whole set, with the gauges half full and a score counting.
    frame.m_dLeftOilShown = 50.0;
    frame.SetScore(2, 12345, false, 0);
    for (int i = 0; i < 3; ++i) {
        frame.Update(1.0f / 60);
        table.Update(1.0f / 60);
        dropper.Update(1.0f / 60);
        DrawFrame([&] {
            table.Draw();
            dropper.Draw();
            frame.Draw();
        });
    }
    EXPECT_NE(Pixel(28, 700), 0u) << "the left oil gauge's lower half is filled";
}

// The game on the generated tree, as a lobby deck starts it.
class PelagornGeneratedGame : public PelagornGameTest {
protected:
    void MakeGeneratedGame()
    {
        m_game = std::make_unique<CPelagorn>(nullptr, 7, 3, false);
        m_game->SetClock(&m_clock);
        m_game->SetSender(&m_sender);
        m_game->SetDataFolder(std::string(CX_ASSETS_DIR) + "/DATA_PELAGORN/");
        EXPECT_TRUE(m_game->Initialize(nullptr, false)) << "the scenes load every file they need";
    }
};

TEST_F(PelagornGeneratedGame, LoadsReelsCoinsItemsAndBackgroundAndACoinReachesTheBelt)
{
    MakeGeneratedGame();
    EnterGame();
    CXSceneGAME& s = Scene();

    // Every symbol of the built-in belts has its still and its marked look.
    for (uint32_t r = 0; r < CXDrawREEL::kReelCount; ++r) {
        const CXDrawReelBeltInfo* belt = s.m_pReel->GetBelt(r);
        ASSERT_NE(belt, nullptr) << r;
        ASSERT_GT(belt->GetCount(), 0u) << r;
        for (uint32_t i = 0; i < belt->GetCount(); ++i) {
            const CXDrawReelBeltObject* symbol = belt->m_Symbols.GetAt(i);
            ASSERT_TRUE(symbol && symbol->m_pInfo) << "reel " << r << " position " << i;
            EXPECT_NE(symbol->m_pInfo->m_Normal.GetCore(), nullptr)
                << "symbol " << symbol->m_nSymbol;
            EXPECT_NE(symbol->m_pInfo->m_Prize.GetCore(), nullptr)
                << "symbol " << symbol->m_nSymbol;
        }
    }
    EXPECT_EQ(s.m_pCoins->m_Animations.GetSize(), 2u);
    EXPECT_GT(s.m_pPins->m_Pins.GetCount(), 0u);
    // The belt's cells reach across the field, so every coin that comes down lands on one.
    float covered = 0.0f;
    for (auto* e = s.m_pItem->m_Belt.m_pHead; e; e = e->m_pNext) {
        ASSERT_NE(e->m_pData->m_pPicture, nullptr);
        covered += s.m_pItem->m_fWidth;
    }
    EXPECT_GE(covered, CXDrawITEM::kFieldWidth + s.m_pItem->m_fWidth);
    const CXDrawBGInfo* layer = s.m_pBG->GetLayer(0);
    ASSERT_NE(layer, nullptr);
    ASSERT_GT(layer->m_Strips.GetSize(), 0u);
    for (uint32_t i = 0; i < layer->m_Strips.GetSize(); ++i)
        EXPECT_NE(layer->m_Strips.GetAt(i)->m_Images.m_pHead, nullptr) << "strip " << i;

    // A paid coin falls from the dropper through the pins onto the belt and reports its hit.
    s.m_iCredit = 1000;
    s.ApplyCoinDrop(true);
    ASSERT_EQ(s.m_pCoins->m_Coins.GetCount(), 1u);
    for (int i = 0; i < 400 && m_sender.Count(PelagornRequest::ItemHit) == 0; ++i)
        Frames(1, 0.025);
    EXPECT_EQ(m_sender.Count(PelagornRequest::ItemHit), 1);
    EXPECT_EQ(s.m_pCoins->m_Coins.GetCount(), 0u);
}

TEST_F(PelagornGeneratedGame, MembersTheSceneKeepsAndTheHighPrizeRule)
{
    MakeGeneratedGame();
    CXSceneGAME& s = Scene();
    for (const CXDrawNUMBER& number : s.m_aNumbers)
        EXPECT_EQ(number.m_Digits.GetFrameCount(), 10) << "the digits of image/number/no_be.anf";
    EXPECT_FLOAT_EQ(s.m_FirstFade.m_fAlpha, 255.0f);
    // game.paf: HIGH_PRIZE_SKIP=3, HIGH_PRIZE_REPEAT=2,10,20.
    EXPECT_EQ(s.m_iHighPrizeSkip, 3);
    EXPECT_EQ(s.m_iHighPrizeRepeat, 2);
    EXPECT_EQ(s.m_HighPrizeRepeatIndex.GetCount(), 2u);
    EXPECT_TRUE(s.m_HighPrizeRepeatIndex.HasKey("10"));
    EXPECT_TRUE(s.m_HighPrizeRepeatIndex.HasKey("20"));
    EXPECT_NE(m_game->GetOverlaySprite(), nullptr);
    EXPECT_NE(m_game->GetOverlayText(), nullptr);
    m_game->Release();
    EXPECT_EQ(m_game->GetOverlaySprite(), nullptr);
    EXPECT_EQ(m_game->GetOverlayText(), nullptr);
}

}  // namespace
