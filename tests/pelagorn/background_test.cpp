// The background: its file and records, the layer and sign change machines, thunder with its lamp
// commands and shake preset, scroll speed targets and group dimming through the scene.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CXDrawFRAME.h"
#include "background_fixture.h"

namespace {

using namespace background_test;

class PelagornBackground : public BackgroundTest {};

TEST_F(PelagornBackground, ReadsLayersStripsMusicObjectsSignsWeatherAndScrollKeys)
{
    ReelWaitPresets().SetWait(21, 7.5f);
    CXDrawBG bg(nullptr);
    Load(bg);
    ASSERT_EQ(bg.m_Layers.GetSize(), 3u);
    CXDrawBGInfo& layer0 = *bg.GetLayer(0);
    ASSERT_EQ(layer0.m_Strips.GetSize(), 2u);
    const CXDrawScrollObject& back = *layer0.m_Strips.GetAt(0);
    EXPECT_EQ(back.m_nGroup, 1);
    EXPECT_EQ(back.m_fY, 100.0f);
    EXPECT_FLOAT_EQ(back.m_fSpeed, 2.0f) << "60 over the default divisor 30";
    EXPECT_EQ(back.m_nMode, 0);
    EXPECT_EQ(back.m_bFront, 0);
    EXPECT_EQ(back.m_Images.GetCount(), 2u);
    EXPECT_EQ(back.m_fLength, 800.0f);
    EXPECT_EQ(back.m_pScene, &m_scene);
    const CXDrawScrollObject& front = *layer0.m_Strips.GetAt(1);
    EXPECT_FLOAT_EQ(front.m_fSpeed, -1.0f);
    EXPECT_EQ(front.m_nMode, 1);
    EXPECT_EQ(front.m_nTimeRate, 2);
    EXPECT_EQ(front.m_nAmplitude, 40);
    EXPECT_EQ(front.m_nWaveCount, 3);
    EXPECT_EQ(front.m_nTimeRate0, 5);
    EXPECT_EQ(front.m_nAmplitude0, 80);
    EXPECT_EQ(front.m_nWaveCount0, 1);
    EXPECT_EQ(front.m_bFront, 1);
    EXPECT_NE(front.m_Mesh.GetGrid(), nullptr);

    ASSERT_EQ(layer0.m_Music.GetSize(), 2u);
    const CXDrawBGMusicInfo& first = Music(bg, 0, 0);
    EXPECT_FLOAT_EQ(first.m_fPlayLimit, 5.0f);
    EXPECT_EQ(first.m_nMinCount, 1);
    EXPECT_EQ(first.m_nMaxCount, 3);
    EXPECT_EQ(first.m_nVolume, 80);
    EXPECT_EQ(first.m_Music.GetPan(), 10);
    EXPECT_FLOAT_EQ(first.m_Music.GetPitch(), 1.5f);
    EXPECT_TRUE(first.m_Music.GetLoop());
    EXPECT_EQ(first.m_bGroup0, 0);
    EXPECT_NE(first.m_Music.GetSound(), nullptr);
    const CXDrawBGMusicInfo& plain = Music(bg, 0, 1);
    EXPECT_EQ(plain.m_nVolume, 100)
        << "an entry without fields 5 to 9 plays at 100, pan 0, pitch 1, once";
    EXPECT_EQ(plain.m_Music.GetPan(), 0);
    EXPECT_FLOAT_EQ(plain.m_Music.GetPitch(), 1.0f);
    EXPECT_FALSE(plain.m_Music.GetLoop());
    for (uint32_t l = 0; l < 2; ++l)
        for (uint32_t m = 0; m < bg.GetLayer(l)->m_Music.GetSize(); ++m)
            EXPECT_EQ(Music(bg, l, m).m_nVolumePercent, 100) << l << "," << m;

    ASSERT_EQ(layer0.m_Definitions.GetSize(), 2u);
    EXPECT_EQ(layer0.m_Slots.GetSize(), 2u);
    ASSERT_NE(layer0.m_Slots.GetAt(1), nullptr) << "display slots are made with the layer";
    const CXDrawMOInfo& mo = *layer0.GetDefinition(0);
    EXPECT_EQ(mo.m_nGroup, 1);
    EXPECT_EQ(mo.m_nDepth, 5);
    EXPECT_EQ(mo.m_nStartGroup, 0);
    EXPECT_EQ(mo.m_bVertical, 0);
    EXPECT_EQ(mo.m_bySideSign, 1);
    EXPECT_EQ(mo.m_nStartMin, 100);
    EXPECT_EQ(mo.m_nStartMax, 300);
    EXPECT_EQ(mo.m_nAngleMin, 10);
    EXPECT_EQ(mo.m_nAngleMax, 20);
    EXPECT_EQ(mo.m_bySideMode, 1);
    EXPECT_EQ(mo.m_nSpeedMin, 50);
    EXPECT_EQ(mo.m_nSpeedMax, 150);
    EXPECT_EQ(mo.m_nScaleMin, 80);
    EXPECT_EQ(mo.m_nScaleMax, 120);
    EXPECT_FLOAT_EQ(mo.m_fReservedTime, 2.5f);
    EXPECT_EQ(mo.m_nReserved, 1);
    EXPECT_TRUE(mo.HasImage()) << "the name is used as it stands, without the folder";
    const CXDrawMOInfo& single = *layer0.GetDefinition(1);
    EXPECT_EQ(single.m_bVertical, -1);
    EXPECT_EQ(single.m_bySideSign, 2);
    EXPECT_EQ(single.m_bSingle, 1);
    EXPECT_EQ(single.m_nPass, 1);
    EXPECT_EQ(single.m_nStartGroup, 7);
    EXPECT_EQ(single.m_nReserved, 0);
    EXPECT_EQ(bg.GetLayer(1)->m_Definitions.GetSize(), 0u);
    EXPECT_EQ(bg.GetLayer(1)->m_Slots.GetSize(), 0u) << "no objects: BG_MO_DISPLAY is not read";

    EXPECT_EQ(bg.m_byDimLevel, 128);
    EXPECT_EQ(bg.m_fDimSpeed, 1000.0f);
    EXPECT_EQ(bg.m_fLayerChangeSpeed, 500.0f);
    EXPECT_EQ(bg.m_fSignFadeSpeed, 500.0f);
    ASSERT_EQ(bg.m_Signs.GetSize(), 2u);
    EXPECT_EQ(bg.GetSign(0)->m_nXMin, 100);
    EXPECT_EQ(bg.GetSign(0)->m_nYMax, 260);
    EXPECT_EQ(bg.GetSign(1)->m_bFront, 1);
    EXPECT_NE(bg.GetSign(1)->m_Animation.GetCore(), nullptr);
    EXPECT_FLOAT_EQ(bg.m_TurnGauges[0].m_fX, 10.5f);
    EXPECT_FLOAT_EQ(bg.m_TurnGauges[1].m_fY, 40.0f);
    EXPECT_NE(bg.m_TurnGauges[1].m_Animation.GetCore(), nullptr);
    EXPECT_EQ(bg.m_Rain.GetSize(), 1u);
    EXPECT_EQ(bg.m_Thunder.GetSize(), 2u);
    EXPECT_NE(bg.m_Thunder.GetAt(1)->GetCore(), nullptr);

    // Thunder m fills preset 20 + m like a reel shake; its wait value is left alone and the
    // (value, flag) pairs stop at ten.
    const CXReelWaitPreset& shake0 = *ReelWaitPresets().Get(20);
    EXPECT_EQ(shake0.nIndex, 20);
    EXPECT_EQ(shake0.byRepeat, 1);
    EXPECT_EQ(shake0.nShakeWidth, 4);
    EXPECT_EQ(shake0.nShakeHeight, 6);
    EXPECT_EQ(shake0.nShakeInterval, 50);
    ASSERT_EQ(shake0.nCount, 2);
    EXPECT_EQ(shake0.entries[1].nDuration, 200);
    EXPECT_EQ(shake0.entries[1].byShake, 0);
    const CXReelWaitPreset& shake1 = *ReelWaitPresets().Get(21);
    EXPECT_EQ(shake1.nIndex, 21);
    EXPECT_EQ(shake1.nCount, 10);
    EXPECT_EQ(shake1.entries[9].nDuration, 10);
    EXPECT_FLOAT_EQ(shake1.fWait, 7.5f);

    EXPECT_EQ(bg.m_fScrollFactorRate, 4.0f);
    EXPECT_EQ(bg.m_fScrollFactorDiv, 30.0f);
    EXPECT_EQ(bg.m_nSpeedChangeMinTime, 5000);
    EXPECT_EQ(bg.m_nSpeedChangeMaxTime, 8000);
    EXPECT_EQ(bg.m_nTurnMinTime, 20000);
    EXPECT_EQ(bg.m_nTurnMaxTime, 20000) << "an absent turn maximum is the minimum";

    // After reading: layer 0 fades in and every strip aims at 0.5 x rate + 0.5.
    EXPECT_EQ(bg.m_dwCurrentLayer, 0u);
    EXPECT_EQ(bg.m_dwIncomingLayer, CXDrawBG::kNone);
    EXPECT_EQ(bg.m_fScrollSpeed, 0.5f);
    EXPECT_FLOAT_EQ(back.m_fTargetSpeed, 2.5f);
    EXPECT_TRUE(StripImage(bg, 0, 0).IsFading());
}

TEST_F(PelagornBackground, AbsentKeysGiveZeroOrKeepTheirDefaults)
{
    CXDrawBG bg(nullptr);
    Load(bg, "BG_COUNT=1\nBG_LAYER_0=1\nBG_ANF_0_0=0,0,30,0,0,0,0,0,0,0,0,red.anf\n"
             "SCROLL_FACTOR_DIV=0\nSCROLL_TURN_MAX_TIME=45000\n");
    EXPECT_EQ(bg.m_byDimLevel, 0);
    EXPECT_EQ(bg.m_fDimSpeed, 0.0f);
    EXPECT_EQ(bg.m_fLayerChangeSpeed, 0.0f);
    EXPECT_EQ(bg.m_fSignFadeSpeed, 0.0f);
    EXPECT_EQ(bg.m_fScrollFactorRate, 10.0f);
    EXPECT_EQ(bg.m_fScrollFactorDiv, 30.0f) << "a zero divisor is refused";
    EXPECT_EQ(bg.m_nSpeedChangeMinTime, 5000);
    EXPECT_EQ(bg.m_nSpeedChangeMaxTime, 10000);
    EXPECT_EQ(bg.m_nTurnMinTime, 30000);
    EXPECT_EQ(bg.m_nTurnMaxTime, 45000);
    EXPECT_FLOAT_EQ(bg.GetLayer(0)->m_Strips.GetAt(0)->m_fTargetSpeed, 0.5f * 10.0f + 0.5f);
}

TEST_F(PelagornBackground, MissingFileOrCountsNeverDereferenceNull)
{
    {
        CXDrawBG bg(nullptr);
        bg.m_pScene = &m_scene;
        bg.Init();  // no file
        EXPECT_EQ(bg.m_Layers.GetSize(), 0u);
        EXPECT_EQ(bg.m_dwCurrentLayer, CXDrawBG::kNone) << "no layer change without a file";
        EXPECT_EQ(bg.m_fScrollSpeed, 0.0f);
        bg.ChangeBG(0);
        bg.ChangeSign(0);
        bg.m_nRainIndex = 3;
        bg.Update(0.1f);
        DrawFrame([&] { bg.Draw(); });
        bg.SetObjectGroupVisible(1, true);
        EXPECT_EQ(bg.StopAllSigns(), CXDrawBG::kNone);
    }
    // A layer without BG_MUSIC, and no RAIN_COUNT, THUNDER_COUNT or SIGN_COUNT.
    CXDrawBG bg(nullptr);
    Load(bg, "BG_COUNT=2\nBG_LAYER_0=1\nBG_ANF_0_0=0,0,30,0,0,0,0,0,0,0,0,red.anf\nBG_MO_0=1\n"
             "BG_MO_DISPLAY_0=1\nBG_MO_ANF_0_0=0,0,0\nBG_CHANGE_SPEED=500\n");
    EXPECT_EQ(bg.GetLayer(0)->m_Music.GetSize(), 0u);
    EXPECT_FALSE(bg.GetLayer(0)->GetDefinition(0)->HasImage())
        << "missing fields read as an empty name";
    bg.m_nRainIndex = 2;
    bg.m_nThunderIndex = 5;
    for (int i = 0; i < 3; ++i) {
        bg.Update(0.1f);
        DrawFrame([&] { bg.Draw(); });
    }
    bg.ChangeBG(1);
    Settle(bg);
    EXPECT_EQ(bg.m_dwCurrentLayer, 1u) << "layer 1 was never described: it has nothing to fade";
    bg.ChangeThunder(1);
    EXPECT_TRUE(m_scene.commands.empty());
    EXPECT_EQ(m_scene.reelWaits, std::vector<uint32_t>{21});
    bg.GetLayer(0)->StartMoveObject(0, 3);
    EXPECT_EQ(bg.GetLayer(0)->m_Moving.GetCount(), 0u);

    // Without a scene the background still runs.
    CXDrawBG alone(nullptr);
    WriteText("image/bg/bg.cfg", Standard());
    alone.Init();
    alone.Update(0.1f);
    alone.ChangeThunder(1);
    alone.SetObjectGroupVisible(1, true);
    DrawFrame([&] { alone.Draw(); });
}

TEST_F(PelagornBackground, LayerChangeCrossFadesAndTheDroppedLayersMusicStops)
{
    CXDrawBG bg(nullptr);
    Load(bg);
    bg.Update(0.01f);
    ASSERT_GE(bg.GetLayer(0)->m_nCurrentMusic, 0) << "the shown layer's music starts";
    CXDrawBGMusicInfo& music0 =
        Music(bg, 0, static_cast<uint32_t>(bg.GetLayer(0)->m_nCurrentMusic));
    EXPECT_TRUE(music0.m_Music.IsPlaying());

    bg.ChangeBG(0);
    EXPECT_EQ(bg.m_dwIncomingLayer, CXDrawBG::kNone) << "the shown layer is not changed to itself";
    bg.ChangeBG(7);
    EXPECT_EQ(bg.m_dwIncomingLayer, CXDrawBG::kNone) << "no such layer";
    Settle(bg);
    bg.ChangeBG(1);
    EXPECT_EQ(bg.m_dwCurrentLayer, 0u);
    EXPECT_EQ(bg.m_dwIncomingLayer, 1u);
    EXPECT_EQ(StripImage(bg, 1, 0).GetAlpha(0), 0) << "the incoming layer starts transparent";
    EXPECT_TRUE(StripImage(bg, 1, 0).IsFading());
    EXPECT_TRUE(StripImage(bg, 0, 0).IsFading());
    bg.ChangeBG(1);
    EXPECT_EQ(bg.m_dwIncomingLayer, 1u);
    bg.Update(0.1f);
    EXPECT_EQ(bg.m_dwIncomingLayer, 1u) << "still fading";
    EXPECT_TRUE(music0.m_Music.IsPlaying());
    Settle(bg);
    EXPECT_EQ(bg.m_dwCurrentLayer, 1u);
    EXPECT_EQ(StripImage(bg, 1, 0).GetAlpha(0), 255);
    EXPECT_EQ(StripImage(bg, 0, 0).GetAlpha(0), 0);
    EXPECT_FALSE(music0.m_Music.IsPlaying()) << "the old layer's music stops when the change ends";
    bg.Update(0.01f);
    EXPECT_TRUE(Music(bg, 1, 0).m_Music.IsPlaying()) << "the new layer's music starts";

    // A third layer asked for mid-change: the incoming layer becomes current and fades out, and
    // the layer dropped half-way stops its music.
    bg.ChangeBG(0);
    bg.Update(0.1f);
    EXPECT_EQ(bg.m_dwIncomingLayer, 0u);
    EXPECT_TRUE(Music(bg, 1, 0).m_Music.IsPlaying());
    bg.ChangeBG(2);
    EXPECT_EQ(bg.m_dwCurrentLayer, 0u);
    EXPECT_EQ(bg.m_dwIncomingLayer, 2u);
    EXPECT_FALSE(Music(bg, 1, 0).m_Music.IsPlaying()) << "the dropped layer's music stops";
    EXPECT_TRUE(StripImage(bg, 0, 0).IsFading());
    EXPECT_EQ(StripImage(bg, 2, 0).GetAlpha(0), 0);
    Settle(bg);
    EXPECT_EQ(bg.m_dwCurrentLayer, 2u);
}

TEST_F(PelagornBackground, SignChangeFadesAcrossAndStopAllSignsTakesTheIncomingOne)
{
    CXDrawBG bg(nullptr);
    Load(bg);
    Settle(bg);
    m_random.Script({100, 230});
    bg.ChangeSign(0);
    CXDrawSignInfo& sign0 = *bg.GetSign(0);
    EXPECT_EQ(bg.m_dwCurrentSign, 0u);
    EXPECT_EQ(bg.m_dwIncomingSign, CXDrawBG::kNone);
    EXPECT_EQ(sign0.m_fX, 100.0f);
    EXPECT_EQ(sign0.m_fY, 230.0f);
    EXPECT_EQ(sign0.m_Animation.GetAlpha(0), 0);
    EXPECT_TRUE(sign0.m_Animation.IsFading());
    EXPECT_FALSE(sign0.m_Animation.IsAlphaTrackEnabled());
    bg.ChangeSign(0);
    EXPECT_EQ(bg.m_dwIncomingSign, CXDrawBG::kNone);
    for (int i = 0; i < 20; ++i)
        bg.Update(0.05f);
    EXPECT_EQ(sign0.m_Animation.GetAlpha(0), 255);
    EXPECT_TRUE(sign0.m_Animation.IsAlphaTrackEnabled())
        << "a settled sign follows its alpha track again";

    m_random.Script({40, 20});
    bg.ChangeSign(1);
    CXDrawSignInfo& sign1 = *bg.GetSign(1);
    EXPECT_EQ(bg.m_dwCurrentSign, 0u);
    EXPECT_EQ(bg.m_dwIncomingSign, 1u);
    EXPECT_EQ(sign1.m_fX, 40.0f);
    EXPECT_TRUE(sign0.m_Animation.IsFading());
    EXPECT_FALSE(sign0.m_Animation.IsAlphaTrackEnabled());
    EXPECT_EQ(bg.StopAllSigns(), 1u) << "the incoming sign becomes current";
    EXPECT_FALSE(sign1.m_Animation.IsPlaying());
    EXPECT_EQ(bg.m_dwIncomingSign, CXDrawBG::kNone);

    bg.ChangeSign(0);
    EXPECT_EQ(bg.m_dwIncomingSign, 0u);
    Settle(bg);
    EXPECT_EQ(bg.m_dwCurrentSign, 0u);
    EXPECT_FALSE(sign1.m_Animation.IsPlaying()) << "the outgoing sign stops when the change ends";
    EXPECT_EQ(sign1.m_Animation.GetAlpha(0), 0);
    EXPECT_EQ(bg.StopAllSigns(), CXDrawBG::kNone);
    bg.ChangeSign(2);
    EXPECT_EQ(bg.m_dwCurrentSign, CXDrawBG::kNone) << "no such sign";
}

TEST_F(PelagornBackground, ThunderSendsLampCommandsAndStartsItsShakePreset)
{
    CXDrawBG bg(nullptr);
    Load(bg);
    bg.ChangeThunder(0);
    EXPECT_TRUE(m_scene.commands.empty()) << "thunder 0 is already in use after Init";
    EXPECT_TRUE(m_scene.reelWaits.empty());

    bg.ChangeThunder(1);
    EXPECT_EQ(m_scene.commands, (std::vector<std::string>{"L501\r", "L500\r", "L101\r"}));
    EXPECT_EQ(m_scene.reelWaits, std::vector<uint32_t>{21});
    EXPECT_EQ(bg.m_nThunderIndex, 1);
    EXPECT_TRUE(bg.m_Thunder.GetAt(1)->IsPlaying());

    bg.ChangeThunder(7);  // no animation: no lamps, but its preset runs
    EXPECT_EQ(m_scene.commands.size(), 3u);
    EXPECT_EQ(m_scene.reelWaits, (std::vector<uint32_t>{21, 27}));
    EXPECT_FALSE(bg.m_Thunder.GetAt(1)->IsPlaying());
    bg.Update(0.1f);
    DrawFrame([&] { bg.Draw(); });

    bg.ChangeThunder(20);  // its preset would lie past the table
    bg.ChangeThunder(0xFFFFFFFF);
    EXPECT_EQ(bg.m_nThunderIndex, 7);
    EXPECT_EQ(m_scene.reelWaits.size(), 2u);
}

TEST_F(PelagornBackground, ScrollSpeedTargetsNeverStopDead)
{
    CXDrawBG bg(nullptr);
    Load(bg);
    const CXDrawScrollObject& strip = *bg.GetLayer(2)->m_Strips.GetAt(0);
    struct Step {
        float speed, previous, target;
    };
    const Step steps[] = {
        {2.0f, 2.5f, 10.0f},   // 2 x 4 + 2
        {0.0f, 10.0f, 2.0f},   // zero keeps the forward direction: rate / 2
        {-1.0f, 2.0f, -5.0f},  // -1 x 4 - 1
        {0.0f, -5.0f, -2.0f},  // ... and the backward one
    };
    for (const Step& step : steps) {
        bg.SetScrollSpeed(step.speed);
        EXPECT_EQ(strip.m_fPrevTargetSpeed, step.previous) << step.speed;
        EXPECT_EQ(strip.m_fTargetSpeed, step.target) << step.speed;
    }
    bg.SetScrollSpeed(0.0f);
    EXPECT_EQ(strip.m_fPrevTargetSpeed, -5.0f) << "the same speed again changes nothing";
}

TEST_F(PelagornBackground, ObjectGroupsDimThroughTheSceneAndSyncTheTitle)
{
    CXDrawBG bg(nullptr);
    Load(bg);
    for (int i = 0; i < 12; ++i)
        bg.Update(0.05f);  // layer 0 has faded in
    CXDrawFRAME frame;
    frame.m_pScene = &m_scene;
    m_scene.frame = &frame;
    CXDrawBGInfo& layer = *bg.GetLayer(0);
    CX2DAnimation& dimmed = StripImage(bg, 0, 0);
    CX2DAnimation& other = StripImage(bg, 0, 1);
    EXPECT_EQ(layer.GetDefinition(0)->m_Animation.GetAlpha(0), 255)
        << "definitions fade in with their layer";
    dimmed.SetAlpha(200);

    bg.SetObjectGroupVisible(1, true);
    EXPECT_TRUE(m_scene.secondGroup);
    EXPECT_EQ(frame.m_bTitlePlaying, 1) << "the frame's title follows the second group";
    EXPECT_EQ(layer.m_Strips.GetAt(0)->m_Dim.fTarget, 128.0f);
    EXPECT_EQ(layer.m_Strips.GetAt(0)->m_Dim.fDirection, 1.0f);
    EXPECT_EQ(layer.m_Strips.GetAt(1)->m_Dim.fDirection, 0.0f) << "another group";
    EXPECT_EQ(layer.GetDefinition(0)->m_Dim.fDirection, 1.0f);
    EXPECT_EQ(layer.GetDefinition(1)->m_Dim.fDirection, 0.0f) << "pass-1 objects are not dimmed";

    bg.Update(0.05f);  // 1000 levels a second
    EXPECT_EQ(layer.m_Strips.GetAt(0)->m_Dim.fLevel, 50.0f);
    EXPECT_EQ(dimmed.GetAnimationColor() & 0xFFFFFF, 0xCDCDCDu);
    EXPECT_EQ(dimmed.GetAlpha(0), 200) << "the tint leaves the alpha alone";
    for (int i = 0; i < 5; ++i)
        bg.Update(0.05f);
    EXPECT_EQ(layer.m_Strips.GetAt(0)->m_Dim.fLevel, 128.0f);
    EXPECT_EQ(layer.m_Strips.GetAt(0)->m_Dim.fDirection, 0.0f);
    EXPECT_EQ(dimmed.GetAnimationColor() & 0xFFFFFF, 0x7F7F7Fu)
        << "the tint reaches the target level";
    EXPECT_EQ(other.GetAnimationColor() & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(layer.GetDefinition(0)->m_Animation.GetAnimationColor() & 0xFFFFFF, 0x7F7F7Fu);

    bg.SetObjectGroupVisible(1, false);
    EXPECT_FALSE(m_scene.secondGroup);
    EXPECT_EQ(frame.m_bTitlePlaying, 0);
    for (int i = 0; i < 6; ++i)
        bg.Update(0.05f);
    EXPECT_EQ(dimmed.GetAnimationColor() & 0xFFFFFF, 0xFFFFFFu);

    frame.m_bTitlePlaying = 7;
    bg.SetObjectGroupVisible(0, true);
    EXPECT_TRUE(m_scene.firstGroup);
    EXPECT_EQ(frame.m_bTitlePlaying, 7) << "only the second group syncs the title";
    m_scene.frame = nullptr;
}

}  // namespace

namespace {

using namespace background_test;

class PelagornBackgroundDraw : public BackgroundTest {};

// Back strips over back signs, pass-0 objects over back strips, front signs over pass 0, pass-1
// objects over front signs, front strips over them all, rain and thunder last.
TEST_F(PelagornBackgroundDraw, LayersSignsObjectsAndWeatherDrawInOrder)
{
    WriteAnf("image/bg/white_sign.anf", 40, 40, {kWhite});
    WriteAnf("image/bg/wide_red.anf", 768, 100, {kRed});
    WriteAnf("image/bg/wide_blue.anf", 768, 20, {kBlue});
    WriteAnf("image/bg/small_rain.anf", 10, 10, {0xFFFFFF00});
    CXDrawBG bg(nullptr);
    Load(bg, "BG_COUNT=1\nBG_LAYER_0=2\n"
             "BG_ANF_0_0=0,0,0,0,0,0,0,0,0,0,0,wide_red.anf\n"
             "BG_ANF_0_1=0,80,0,0,0,0,0,0,0,0,1,wide_blue.anf\n"
             "BG_MO_0=2\nBG_MO_DISPLAY_0=0\n"
             "BG_MO_ANF_0_0=0,0,1,0,0,+0,0,0,0,0,1,100,100,100,100,0,image/bg/mo_green.anf\n"
             "BG_MO_ANF_0_1=0,0,1,0,1,+0,0,0,0,0,1,100,100,100,100,0,image/bg/mo_blue.anf\n"
             "BG_CHANGE_SPEED=100000\nSIGN_FADE_SPEED=100000\nSIGN_COUNT=2\n"
             "SIGN_0=10,10,10,10,0,white_sign.anf\nSIGN_1=300,300,10,10,1,white_sign.anf\n"
             "RAIN_COUNT=1\nRAIN_0=small_rain.anf\n");
    bg.Update(0.01f);
    CXDrawBGInfo& layer = *bg.GetLayer(0);
    for (uint32_t d = 0; d < 2; ++d)
        layer.GetDefinition(d)->m_Animation.SetAlpha(255);
    auto place = [&](uint32_t definition, float x, float y) {
        auto* object = new CXDrawBGMoveObjectInfo;
        object->m_pAnimation = &layer.GetDefinition(definition)->m_Animation;
        object->m_nPass = layer.GetDefinition(definition)->m_nPass;
        object->m_fScale = 1.0f;
        object->m_fX = x;
        object->m_fY = y;
        ASSERT_TRUE(layer.m_Moving.AddTail(object));
    };
    place(0, 20, 20);  // green, pass 0: over the back strip, under the front sign at 300
    place(0, 300, 20);
    place(1, 320, 40);  // blue, pass 1: over the front sign
    place(0, 500, 70);  // green under the front strip at y 80..99
    m_random.Script({10, 10});
    bg.ChangeSign(0);
    bg.Update(0.01f);
    bg.m_Rain.GetAt(0)->Play(false);

    DrawFrame([&] { bg.Draw(); });
    EXPECT_EQ(Pixel(12, 12), 0xFF0000u) << "a back sign lies under the back strips";
    EXPECT_EQ(Pixel(25, 25), 0x00FF00u) << "pass 0 over the back strips";
    EXPECT_EQ(Pixel(505, 85), 0x0000FFu) << "front strips over the objects";
    EXPECT_EQ(Pixel(5, 5), 0xFFFF00u) << "rain over everything while it plays";

    m_random.Script({300, 10});
    bg.ChangeSign(1);
    bg.Update(0.01f);
    bg.Update(0.01f);
    ASSERT_EQ(bg.m_dwCurrentSign, 1u);
    DrawFrame([&] { bg.Draw(); });
    EXPECT_EQ(Pixel(305, 25), 0xFFFFFFu) << "a front sign over pass 0";
    EXPECT_EQ(Pixel(325, 45), 0x0000FFu) << "pass 1 over a front sign";
    bg.m_Rain.GetAt(0)->Stop();
    DrawFrame([&] { bg.Draw(); });
    EXPECT_EQ(Pixel(5, 5), 0xFF0000u) << "a stopped rain is not drawn";
}

}  // namespace
