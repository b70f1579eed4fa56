// The frame display: its file, gauges drawn from the bottom, scores with demo blanking and the
// falling-credit rule, the road indicator and the title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CXDrawFRAME.h"
#include "pelagorn_fixture.h"

namespace {

constexpr uint32_t kBlue = 0xFF0000FF, kGreen = 0xFF00FF00, kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF;

class PelagornFrame : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        const std::string dir = "image/interface/frame/";
        WriteAnf(dir + "frame.anf", 20, 20, {kBlue});
        WriteAnf(dir + "gauge.anf", 10, 200, {kGreen});
        WriteAnf(dir + "title.anf", 16, 16, {kWhite}, 4, "RENDER_X=700\nRENDER_Y=10\n");
        WriteAnf(dir + "digits.anf", 8, 12, {kRed}, 10);
        for (int s = 0; s < 5; ++s)
            WriteAnf(dir + "s" + std::to_string(s) + ".anf", 4, 4, {kWhite});
    }
    void WriteConfig(const std::string& text)
    {
        WriteText("image/interface/frame/frame.cfg", text);
    }
    static std::string Standard()
    {
        return "SPEED=50\n"
               "OIL_GAUGE=0,1\n"
               "SIGN_FRAME=7,8\n"
               "CREDIT_GAUGE=5,10000\n"
               "GIFT_GAUGE=6\n"
               "ROAD_GAUGE=2,3\n"
               "FRAME_COUNT=5\n"
               "FRAME_0=100,100,frame.anf,gauge.anf\n"
               "FRAME_1=300,100,frame.anf,gauge.anf\n"
               "FRAME_2=500,100,s0.anf,s1.anf,s2.anf,s3.anf\n"
               "FRAME_3=600,100,s0.anf,s1.anf,, s2.anf ,s3.anf,s4.anf\n"
               "FRAME_4=10,10\n"
               "SCORE_COUNT=5\n"
               "SCORE_0=10,400,1,10,digits.anf,%d\n"
               "SCORE_1=10,420,1,10,digits.anf,%d\n"
               "SCORE_2=10,440,1,10,digits.anf,%d\n"
               "SCORE_3=10,460,1,10,digits.anf,%d\n"
               "SCORE_4=10,480,1,10,digits.anf\n";
    }
    void Load(const std::string& text = Standard())
    {
        WriteConfig(text);
        m_scene.frame = &m_frame;
        m_frame.m_pScene = &m_scene;
        m_frame.Init();
    }
    CXDrawFRAME m_frame;
};

TEST_F(PelagornFrame, ReadsPiecesScoresAndGaugeKeys)
{
    Load();
    EXPECT_EQ(m_frame.m_fSpeed, 50.0f);
    EXPECT_EQ(m_frame.m_nLeftOilPiece, 0);
    EXPECT_EQ(m_frame.m_nRightOilPiece, 1);
    EXPECT_EQ(m_frame.m_nSignPieces[0], 7);
    EXPECT_EQ(m_frame.m_nSignPieces[1], 8);
    EXPECT_EQ(m_frame.m_nCreditPiece, 5);
    EXPECT_EQ(m_frame.m_fCreditGaugeMax, 10000.0f);
    EXPECT_EQ(m_frame.m_nGiftPiece, 6);
    EXPECT_EQ(m_frame.m_nRoadPieceBelow, 2);
    EXPECT_EQ(m_frame.m_nRoadPieceAbove, 3);
    ASSERT_NE(m_frame.m_Pieces.GetAt(3), nullptr);
    // The empty name is skipped: the states are the non-empty names in order.
    EXPECT_EQ(m_frame.m_Pieces.GetAt(3)->m_Animations.GetSize(), 5u);
    EXPECT_EQ(m_frame.m_Pieces.GetAt(4), nullptr)
        << "an entry of fewer than 3 fields makes no piece";
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_NE(m_frame.m_Scores.GetAt(i), nullptr) << i;
    EXPECT_EQ(m_frame.m_Scores.GetAt(4), nullptr)
        << "an entry of fewer than 6 fields makes no number";
    EXPECT_NE(m_frame.m_Title.GetCore(), nullptr) << "the title loads from the frame's folder";
}

TEST_F(PelagornFrame, SpeedIsConditionalAndAMissingFileBuildsNothing)
{
    Load("FRAME_COUNT=1\nFRAME_0=0,0,frame.anf\n");
    EXPECT_EQ(m_frame.m_fSpeed, 100.0f);

    CXDrawFRAME unloaded;
    g_strResourceBase = m_folder.Slashed() + "nowhere/";
    unloaded.Init();
    EXPECT_EQ(unloaded.m_fSpeed, 10.0f);
    EXPECT_EQ(unloaded.m_Pieces.GetSize(), 0u);
    EXPECT_EQ(unloaded.m_Title.GetCore(), nullptr);
    unloaded.Update(0.1f);
    DrawFrame([&] { unloaded.Draw(); });
    unloaded.SetScore(2, 10, false, 0);
}

TEST_F(PelagornFrame, OilGaugesFillFromTheBottomOfTheirPiece)
{
    Load();
    struct Case {
        double percent;
        int topOfGreen;  // first green row, or -1 for none
    };
    // The gauge image is 200 rows high and its piece's top is at y 100.
    const Case cases[] = {{150.0, 100}, {100.0, 100}, {50.0, 200}, {0.4, -1},
                          {0.9, -1},    {1.0, 298},   {-30.0, -1}};
    for (const Case& c : cases) {
        m_frame.m_dLeftOilShown = c.percent;
        DrawFrame([&] { m_frame.Draw(); });
        if (c.topOfGreen < 0) {
            EXPECT_EQ(Pixel(105, 299), 0u) << c.percent;
            EXPECT_EQ(Pixel(105, 110), kBlue & 0xFFFFFF) << c.percent << ": the frame piece itself";
            continue;
        }
        EXPECT_EQ(Pixel(105, c.topOfGreen), kGreen & 0xFFFFFF) << c.percent;
        EXPECT_EQ(Pixel(105, 299), kGreen & 0xFFFFFF) << c.percent;
        EXPECT_EQ(Pixel(105, 300), 0u) << c.percent;
        if (c.topOfGreen > 120) {
            EXPECT_EQ(Pixel(105, c.topOfGreen - 1), 0u) << c.percent;
        }
    }
    EXPECT_EQ(Pixel(305, 299), 0u) << "the right gauge is empty";
}

TEST_F(PelagornFrame, GaugesStepTowardTheirTargets)
{
    Load();
    m_frame.m_dLeftOilTarget = 100.0;
    m_frame.m_dRightOilShown = 80.0;
    m_frame.m_fCreditGaugeTarget = 10.0f;
    m_frame.Update(0.1f);
    EXPECT_NEAR(m_frame.m_dLeftOilShown, 50 * 0.1 * 0.5 + 0.005, 1e-5);
    EXPECT_NEAR(m_frame.m_dRightOilShown, 80.0 - (50 * 0.1 * 0.5 + 0.005), 1e-5);
    EXPECT_NEAR(m_frame.m_fCreditGaugeShown, 50 * 0.1 * 0.3 + 0.005, 1e-5);
    for (int i = 0; i < 500; ++i)
        m_frame.Update(0.1f);
    EXPECT_NEAR(m_frame.m_dLeftOilShown, 100.0, 2.6);
    EXPECT_NEAR(m_frame.m_dRightOilShown, 0.0, 2.6);
}

TEST_F(PelagornFrame, ScoresBlankInTheDemoAndFallingCreditJumps)
{
    Load();
    CXDrawNUMBER& credit = *m_frame.m_Scores.GetAt(2);

    m_scene.demoUnderTitle = true;
    m_frame.SetScore(2, 5000, false, 0);
    EXPECT_EQ(credit.m_dwTarget, 0u);
    m_scene.demoUnderTitle = false;
    m_frame.SetScore(2, 5000, false, 0);
    EXPECT_EQ(credit.m_dwTarget, 5000u);
    EXPECT_FLOAT_EQ(m_frame.m_fCreditGaugeTarget, 50.0f);

    struct Case {
        uint32_t from, to;
        uint8_t immediate;
        bool atOnce;
    };
    const Case cases[] = {
        {8000, 3000, 0, true},   // a settled credit that falls shows at once
        {3000, 8000, 0, false},  // a rising one counts
        {3000, 8000, 1, true},   // unless the immediate flag is set
    };
    for (const Case& c : cases) {
        m_frame.SetScore(2, c.from, true, 1);
        ASSERT_EQ(credit.m_dShown, double(c.from));
        m_frame.SetScore(2, c.to, false, c.immediate);
        EXPECT_EQ(credit.m_dShown == double(c.to), c.atOnce) << c.from << " -> " << c.to;
        for (int i = 0; i < 600; ++i)
            m_frame.Update(1.0f / 60);
        EXPECT_EQ(credit.m_dShown, double(c.to)) << c.from << " -> " << c.to;
    }
}

TEST_F(PelagornFrame, GiftGaugeFollowsTheScenesMaximumAndSavesEachScore)
{
    Load();
    m_frame.SetScore(3, 10000, false, 0);
    EXPECT_FLOAT_EQ(m_frame.m_fGiftGaugeTarget, 50.0f);
    m_scene.giftMaximum = 0;  // refused: the gauge keeps its values
    m_frame.SetScore(3, 500, false, 0);
    EXPECT_FLOAT_EQ(m_frame.m_fGiftGaugeTarget, 50.0f);
    EXPECT_EQ(m_frame.m_Scores.GetAt(3)->m_dwTarget, 500u);
    EXPECT_EQ(m_scene.saves, 2);

    m_frame.SetScore(4, 10, false, 0);
    m_frame.SetScore(99, 10, false, 0);
    EXPECT_EQ(m_scene.saves, 2) << "an index without a number changes and saves nothing";
}

TEST_F(PelagornFrame, AMissingCreditMaximumKeepsTheGaugeFinite)
{
    Load("SCORE_COUNT=3\nSCORE_2=0,0,1,10,digits.anf,%d\n");
    EXPECT_EQ(m_frame.m_fCreditGaugeMax, 1.0f);
    m_frame.SetScore(2, 30, false, 0);
    EXPECT_FLOAT_EQ(m_frame.m_fCreditGaugeTarget, 3000.0f);
}

TEST_F(PelagornFrame, RoadIndicatorShowsBelowOrAbove)
{
    Load();
    struct Case {
        int32_t road;
        int32_t below, above;
    };
    const Case cases[] = {{-2, 2, 0}, {3, 0, 3}, {0, 0, 0}, {1, 0, 1}, {INT32_MIN, INT32_MAX, 0}};
    for (const Case& c : cases) {
        m_scene.road = c.road;
        m_frame.Update(0.0f);
        EXPECT_EQ(m_frame.m_Pieces.GetAt(2)->m_nState, c.below) << c.road;
        EXPECT_EQ(m_frame.m_Pieces.GetAt(3)->m_nState, c.above) << c.road;
        DrawFrame([&] { m_frame.Draw(); });  // states past the animations draw nothing
    }
}

TEST_F(PelagornFrame, OverlaysRunAtTheFramesPlace)
{
    Load();
    m_frame.Update(0.1f);
    DrawFrame([&] { m_frame.Draw(); });
    EXPECT_EQ(m_scene.calls, (std::vector<std::string>{"UpdateOverlays", "DrawOverlays"}));
}

TEST_F(PelagornFrame, TitlePlaysWhileTheSecondGroupShows)
{
    Load();
    m_scene.secondGroup = true;
    m_frame.SyncTitleAnimation();
    EXPECT_EQ(m_frame.m_bTitlePlaying, 1);
    EXPECT_TRUE(m_frame.m_Title.IsPlaying());
    EXPECT_EQ(m_frame.m_Pieces.GetAt(3)->m_nState, 4);
    DrawFrame([&] { m_frame.Draw(); });
    EXPECT_EQ(Pixel(705, 15), kWhite & 0xFFFFFF);
    m_scene.highEffect = 1;
    DrawFrame([&] { m_frame.Draw(); });
    EXPECT_EQ(Pixel(705, 15), 0u) << "the title hides in the high-effect mode";

    m_scene.secondGroup = false;
    m_frame.SyncTitleAnimation();
    EXPECT_EQ(m_frame.m_bTitlePlaying, 0);
    EXPECT_FALSE(m_frame.m_Title.IsPlaying());
    EXPECT_EQ(m_frame.m_Pieces.GetAt(3)->m_nState, 0);
}

}  // namespace
