// The generated data tree: every display object finds its file and every image it names.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CXDrawDP.h"
#include "CXDrawFRAME.h"
#include "CXDrawPRIZE.h"
#include "CXDrawWINTABLE.h"
#include "pelagorn_fixture.h"

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
            EXPECT_NE(piece->m_Animations.GetAt(s)->GetCore(), nullptr) << "piece " << i << " state " << s;
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
        EXPECT_NE(element->m_pData->m_Animation.GetCore(), nullptr) << element->m_pData->GetName().GetString();

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

}  // namespace
