// An event record's background part on a real game with a real background: the object groups
// fade, the rain and thunder animations change (the thunder's shake preset starts), moving
// objects start, and the music fades out when the first group switches.
#include <gtest/gtest.h>

#include "CXDrawBG.h"
#include "CXDrawBGInfo.h"
#include "CXDrawFRAME.h"
#include "CXDrawScrollObject.h"
#include "engine/sound_files.h"
#include "pelagorn_game_fixture.h"

namespace {

class PelagornEventBackground : public PelagornGameTest {
protected:
    // Two layers whose first strip is in group 0 and second in group 1; layer 0 has a music entry
    // for each music set, a group-0 definition that fills no slot and one started on request
    // only; two rains and two thunders, the second with a shake preset.
    void WriteBackground()
    {
        const std::string dir = "DATA_PELAGORN/image/bg/";
        WriteAnf(dir + "strip.anf", 256, 32, {0xFF406080});
        WriteAnf(dir + "mo.anf", 32, 16, {0xFFFFFFFF});
        WriteAnf(dir + "sign.anf", 16, 16, {0xFFFFFF00});
        WriteAnf(dir + "rain.anf", 16, 16, {0xFF0000FF}, 2);
        WriteAnf(dir + "thunder.anf", 16, 16, {0xFFFFFFFF}, 2);
        for (const char* name : {"DATA_PELAGORN/music/a.wav", "DATA_PELAGORN/music/b.wav"})
            m_folder.Write(name, sound_test::SilentWave(44100 * 20));
        WriteText(
            dir + "bg.cfg",
            "BG_COUNT=2\n"
            "BG_LAYER_0=2\n"
            "BG_ANF_0_0=0,0,30,0,0,0,0,0,0,0,0,strip.anf\n"
            "BG_ANF_0_1=1,200,30,0,0,0,0,0,0,0,0,strip.anf\n"
            "BG_MUSIC_0=2\n"
            "BG_MUSIC_0_0=0,0,0,music/a.wav\n"
            "BG_MUSIC_0_1=0,0,0,music/b.wav,100,0,1.0,0,1\n"
            "BG_MO_0=2\n"
            "BG_MO_DISPLAY_0=0\n"
            "BG_MO_ANF_0_0=0,1,0,0,0,+0,100,300,0,0,0,100,100,100,100,0,image/bg/mo.anf,0\n"
            "BG_MO_ANF_0_1=1,1,5,0,0,+0,100,300,0,0,0,100,100,100,100,0,image/bg/mo.anf,0\n"
            "BG_LAYER_1=2\n"
            "BG_ANF_1_0=0,0,30,0,0,0,0,0,0,0,0,strip.anf\n"
            "BG_ANF_1_1=1,200,30,0,0,0,0,0,0,0,0,strip.anf\n"
            "SIGN_ALPHA=128\nSIGN_SPEED=1000\nBG_CHANGE_SPEED=500\nSIGN_FADE_SPEED=500\n"
            "SIGN_COUNT=2\nSIGN_0=100,100,200,200,0,sign.anf\nSIGN_1=300,300,400,400,0,sign.anf\n"
            "RAIN_COUNT=2\nRAIN_0=rain.anf\nRAIN_1=rain.anf\n"
            "THUNDER_COUNT=2\nTHUNDER_0=thunder.anf\nTHUNDER_1=thunder.anf\n"
            "THUNDER_SHAKE_1=1,4,6,50,100,1\n");
    }
    // Dim target and direction of the strip of `group` in each layer.
    void ExpectStripDims(CXDrawBG& bg, int group, float target, float direction, const char* what)
    {
        for (uint32_t i = 0; i < bg.m_Layers.GetSize(); ++i) {
            const CXDrawBGDim& dim =
                bg.GetLayer(i)->m_Strips.GetAt(static_cast<uint32_t>(group))->m_Dim;
            EXPECT_EQ(dim.fTarget, target) << what << ", layer " << i << ", group " << group;
            EXPECT_EQ(dim.fDirection, direction) << what << ", layer " << i << ", group " << group;
        }
    }
};

}  // namespace

TEST_F(PelagornEventBackground, EventDrivesGroupsRainThunderObjectsAndMusic)
{
    WriteBackground();
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    CXDrawBG& bg = *s.m_pBG;
    ASSERT_EQ(bg.m_Layers.GetSize(), 2u) << "the background is built";
    CXDrawBGInfo& layer = *bg.GetLayer(0);
    ASSERT_EQ(layer.m_nCurrentMusic, 0) << "the ordinary music plays";
    CXDrawBGMusicInfo& music = *layer.m_Music.GetAt(0);

    // First group on, rain 1, thunder 1, two objects of the request-only kind, sign 1.
    CXProbDataInfo e;
    e.m_bySign = 1;
    e.m_byRai = 1;
    e.m_byThu = 1;
    e.m_byMO1 = 1;
    e.m_byMN1 = 2;
    e.m_byMO2 = 0;  // a kind that fills slots is never started on request
    e.m_byMN2 = 3;
    e.m_byFOb = 1;
    s.ApplyEventData(e);
    EXPECT_TRUE(s.IsFirstGroupShown());
    EXPECT_FALSE(s.IsSecondGroupShown());
    ExpectStripDims(bg, 0, 128.0f, 1.0f, "first group on");
    ExpectStripDims(bg, 1, 0.0f, 0.0f, "second group untouched");
    EXPECT_EQ(layer.m_Definitions.GetAt(0)->m_Dim.fTarget, 128.0f)
        << "the group-0 moving objects dim too";
    EXPECT_EQ(bg.m_nRainIndex, 1);
    EXPECT_TRUE(bg.m_Rain.GetAt(1)->IsPlaying());
    EXPECT_EQ(bg.m_nThunderIndex, 1);
    EXPECT_TRUE(bg.m_Thunder.GetAt(1)->IsPlaying());
    EXPECT_EQ(s.m_ReelWait.nIndex, 21) << "the thunder's shake preset runs";
    EXPECT_EQ(layer.m_Moving.GetCount(), 2u);
    EXPECT_EQ(bg.m_dwCurrentSign, 1u);
    EXPECT_EQ(music.m_bFading, 1) << "the first group switching fades the music out";
    EXPECT_EQ(music.m_nFadeSteps, 100);

    // The same group again: the fade runs on; the rain goes back to 0 and the thunder stays.
    Frames(3, 0.05);
    ASSERT_EQ(music.m_nFadeSteps, 99);
    e.m_byRai = 0;
    e.m_byMN1 = 0;
    s.ApplyEventData(e);
    EXPECT_EQ(music.m_nFadeSteps, 99) << "an unchanged first group does not restart the fade";
    EXPECT_EQ(bg.m_nRainIndex, 0);
    EXPECT_TRUE(bg.m_Rain.GetAt(0)->IsPlaying());
    EXPECT_FALSE(bg.m_Rain.GetAt(1)->IsPlaying());
    EXPECT_TRUE(bg.m_Thunder.GetAt(1)->IsPlaying());

    // First group off, second on: the dims run back and the other way, the frame's title plays,
    // and the music fades again.
    Frames(40, 0.05);
    e.m_bySign = 2;
    s.ApplyEventData(e);
    EXPECT_FALSE(s.IsFirstGroupShown());
    EXPECT_TRUE(s.IsSecondGroupShown());
    ExpectStripDims(bg, 0, 0.0f, -1.0f, "first group off");
    ExpectStripDims(bg, 1, 128.0f, 1.0f, "second group on");
    EXPECT_EQ(s.m_pFrame->m_bTitlePlaying, 1);
    CXDrawBGMusicInfo& now = *layer.m_Music.GetAt(static_cast<uint32_t>(layer.m_nCurrentMusic));
    EXPECT_EQ(now.m_bFading, 1);
    EXPECT_EQ(now.m_nFadeSteps, 100);
}
