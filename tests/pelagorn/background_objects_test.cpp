// The background's moving objects (spawn geometry, slots, starts on request, the stable draw
// order) and its music (volume arithmetic, fade-out steps, choice and the end of a piece).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "background_fixture.h"

namespace {

using namespace background_test;

float Radians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

class PelagornBackgroundObjects : public BackgroundTest {
protected:
    // One layer without strips: definitions 0..5 for the geometry, 6..8 coloured for the draw
    // order, and two display slots.
    void LoadObjects(CXDrawBG& bg)
    {
        Load(bg,
             "BG_COUNT=1\nBG_LAYER_0=0\nBG_MO_0=9\nBG_MO_DISPLAY_0=2\n"
             "BG_MO_ANF_0_0=1,0,0,0,0,+0,100,300,30,30,1,100,100,50,150,0,image/bg/mo.anf\n"
             "BG_MO_ANF_0_1=1,0,0,0,0,0,0,0,30,30,0,50,50,200,200,0,image/bg/mo.anf\n"
             "BG_MO_ANF_0_2=1,0,0,0,0,-1,40,60,20,20,2,100,100,100,100,0,image/bg/mo.anf\n"
             "BG_MO_ANF_0_3=1,0,0,0,0,+1,0,0,45,45,1,100,100,100,100,0,image/bg/mo.anf\n"
             "BG_MO_ANF_0_4=1,0,0,1,0,+0,100,300,0,0,1,100,100,100,100,0,image/bg/mo_green.anf\n"
             "BG_MO_ANF_0_5=1,0,3,0,0,+0,100,100,0,0,1,1000,1000,100,100,0,image/bg/mo_blue.anf\n"
             "BG_MO_ANF_0_6=0,0,4,0,1,+0,0,0,0,0,1,100,100,100,100,0,image/bg/mo_red.anf\n"
             "BG_MO_ANF_0_7=0,0,4,0,1,+0,0,0,0,0,1,100,100,100,100,0,image/bg/mo_green.anf\n"
             "BG_MO_ANF_0_8=0,0,4,1,1,+0,0,0,0,0,1,100,100,100,100,0,image/bg/mo_blue.anf\n"
             "BG_CHANGE_SPEED=500\n");
        m_layer = bg.GetLayer(0);
        ASSERT_NE(m_layer, nullptr);
        ASSERT_EQ(m_layer->m_Definitions.GetSize(), 9u);
    }
    CXDrawBGInfo* m_layer = nullptr;
};

TEST_F(PelagornBackgroundObjects, SpawnGeometryFollowsSideAngleAndDirection)
{
    CXDrawBG bg(nullptr);
    LoadObjects(bg);
    struct Case {
        const char* what;
        int32_t definition;
        std::vector<int32_t>
            draws;  // frame offset, scale, speed, [side], angle, [flip], [negate], [start]
        float x, y, angleDegrees, vx, vy, scale, speed;
        uint8_t flipH, flipV;
    };
    const float c30 = std::cos(Radians(30)), s30 = std::sin(Radians(30));
    const Case cases[] = {
        {"from the left, '+' side, fixed side mode 1",
         0,
         {0, 100, 100, 30, 50},
         -20.0f,
         150.0f,
         30.0f,
         c30 * 120,
         s30 * 120,
         1.0f,
         120.0f,
         1,
         0},
        {"random side (even: from the right), mode 0 negates on an odd draw",
         1,
         {0, 200, 50, 4, 30, 7, 0},
         768.0f + 40.0f,
         0.0f,
         330.0f,
         std::cos(Radians(210)) * 60,
         -std::sin(Radians(210)) * 60,
         2.0f,
         60.0f,
         0,
         0},
        {"vertical from below, '-' side, mode 2 negates",
         2,
         {0, 100, 100, 20, 3, 10},
         50.0f,
         1280.0f,
         430.0f,
         std::sin(Radians(200)) * 120,
         std::cos(Radians(200)) * 120,
         1.0f,
         120.0f,
         0,
         1},
        {"vertical from the top, '+' side, mode 1 negates",
         3,
         {0, 100, 100, 45, 2, 0},
         0.0f,
         -20.0f,
         405.0f,
         -std::sin(Radians(315)) * 120,
         std::cos(Radians(315)) * 120,
         1.0f,
         120.0f,
         1,
         0},
    };
    for (const Case& c : cases) {
        m_random.Script(c.draws);
        CXDrawBGMoveObjectInfo object;
        ASSERT_TRUE(m_layer->Spawn(object, c.definition, 0)) << c.what;
        EXPECT_EQ(m_random.draws, static_cast<int>(c.draws.size())) << c.what;
        EXPECT_NEAR(object.m_fX, c.x, 1e-3) << c.what;
        EXPECT_NEAR(object.m_fY, c.y, 1e-3) << c.what;
        EXPECT_NEAR(object.m_fAngle, Radians(c.angleDegrees), 1e-5) << c.what;
        EXPECT_NEAR(object.m_fVX, c.vx, 1e-3) << c.what;
        EXPECT_NEAR(object.m_fVY, c.vy, 1e-3) << c.what;
        EXPECT_FLOAT_EQ(object.m_fScale, c.scale) << c.what;
        EXPECT_FLOAT_EQ(object.m_fSpeed, c.speed) << c.what;
        EXPECT_EQ(object.m_bFlipH, c.flipH) << c.what;
        EXPECT_EQ(object.m_bFlipV, c.flipV) << c.what;
        EXPECT_EQ(object.m_nDefinition, c.definition);
        EXPECT_EQ(object.m_pAnimation, &m_layer->GetDefinition(c.definition)->m_Animation);
    }

    m_random.Script({0, 100, 100, 0});
    CXDrawBGMoveObjectInfo single;
    single.m_fX = single.m_fY = 99.0f;
    ASSERT_TRUE(m_layer->Spawn(single, 4, 0));
    EXPECT_EQ(single.m_fX, 0.0f) << "a single object stays in place";
    EXPECT_EQ(single.m_fY, 0.0f);
}

TEST_F(PelagornBackgroundObjects, SlotRefillsSkipRequestOnlySingleInUseAndGroupZeroTimes)
{
    CXDrawBG bg(nullptr);
    LoadObjects(bg);
    CXDrawBGMoveObjectInfo& slot0 = *m_layer->m_Slots.GetAt(0);
    CXDrawBGMoveObjectInfo& slot1 = *m_layer->m_Slots.GetAt(1);
    m_random.Script({5});
    EXPECT_FALSE(m_layer->Spawn(slot0, -1, 0)) << "definition 5 starts only on request";
    m_random.Script({4, 0, 100, 100, 0});
    ASSERT_TRUE(m_layer->Spawn(slot0, -1, 0));
    m_random.Script({4});
    EXPECT_FALSE(m_layer->Spawn(slot1, -1, 0))
        << "a single definition already shown by another slot";
    m_scene.firstGroup = true;
    m_random.Script({0});
    EXPECT_FALSE(m_layer->Spawn(slot1, -1, 0))
        << "no refills while the scene's group-0 flag is set";

    // An object that leaves the area ends; its slot refills in the next update, not while the
    // group-0 flag is set.
    m_scene.firstGroup = false;
    m_random.Script({0, 100, 100, 30, 50});
    ASSERT_TRUE(m_layer->Spawn(slot1, 0, 0));
    slot1.m_fX = 768.0f + 80.0f + 0.5f;  // just past twice its width beyond the right edge
    m_random.Script({});
    m_scene.firstGroup = true;
    bg.Update(0.01f);
    EXPECT_FALSE(slot1.IsLive());
    bg.Update(0.01f);
    EXPECT_FALSE(slot1.IsLive());
    m_scene.firstGroup = false;
    m_random.Script({0, 0, 100, 100, 30, 50});
    bg.Update(0.01f);
    EXPECT_TRUE(slot1.IsLive());
    EXPECT_EQ(slot1.m_fX, -20.0f) << "refilled, moving from the next update on";
}

TEST_F(PelagornBackgroundObjects, StartMoveObjectStartsOnRequestAndObjectsLeaveTheList)
{
    CXDrawBG bg(nullptr);
    LoadObjects(bg);
    CXDrawBGSetRandomSource(nullptr);  // the engine's draws: definition 5 has fixed ranges
    m_scene.now = 4242;
    m_layer->StartMoveObject(0, 3);
    EXPECT_EQ(m_layer->m_Moving.GetCount(), 0u) << "start group 0 fills slots only";
    m_layer->StartMoveObject(99, 3);
    EXPECT_EQ(m_layer->m_Moving.GetCount(), 0u);
    m_layer->StartMoveObject(5, 3);
    ASSERT_EQ(m_layer->m_Moving.GetCount(), 3u);
    EXPECT_EQ(m_layer->m_Moving.m_pHead->m_pData->m_nStartTime, 4242);
    m_layer->StartMoveObject(5, 100000);
    EXPECT_EQ(m_layer->m_Moving.GetCount(), 3u + CXDrawBGInfo::kMaxStartCount)
        << "a request is bounded";

    // A single definition replays instead of starting a second object.
    m_layer->StartMoveObject(8, 5);
    EXPECT_EQ(m_layer->m_Moving.GetCount(), 4u + CXDrawBGInfo::kMaxStartCount);
    m_layer->StartMoveObject(8, 5);
    EXPECT_EQ(m_layer->m_Moving.GetCount(), 4u + CXDrawBGInfo::kMaxStartCount);
    m_layer->GetDefinition(8)->m_Animation.Stop();

    // 1200 pixels a second from x 0: out past 768 + 2 x 40 within a second; the stopped single
    // object ends at once.
    for (int i = 0; i < 12 && m_layer->m_Moving.GetCount(); ++i)
        bg.Update(0.1f);
    EXPECT_EQ(m_layer->m_Moving.GetCount(), 0u);
}

TEST_F(PelagornBackgroundObjects, PassDrawsInStableDepthScaleAndStartOrder)
{
    CXDrawBG bg(nullptr);
    LoadObjects(bg);
    for (int d = 6; d <= 8; ++d)
        m_layer->GetDefinition(d)->m_Animation.SetAlpha(255);
    struct Object {
        int definition;  // 6 red, 7 green, 8 blue
        int32_t depth;
        float scale;
        int64_t start;
    };
    struct Case {
        const char* what;
        std::vector<Object> list;
        uint32_t top;
    };
    const Case cases[] = {
        {"equal depth and scale: the later start on top",
         {{6, 0, 1.0f, 20}, {7, 0, 1.0f, 10}},
         0xFF0000},
        {"depth first", {{6, 1, 1.0f, 10}, {7, 0, 2.0f, 20}}, 0xFF0000},
        {"then scale", {{6, 0, 2.0f, 10}, {7, 0, 1.0f, 20}}, 0xFF0000},
        {"all equal: list order kept",
         {{6, 0, 1.0f, 5}, {7, 0, 1.0f, 5}, {8, 0, 1.0f, 5}},
         0x0000FF},
        {"all equal, other order", {{8, 0, 1.0f, 5}, {6, 0, 1.0f, 5}, {7, 0, 1.0f, 5}}, 0x00FF00},
    };
    for (const Case& c : cases) {
        m_layer->m_Moving.RemoveAll(1);
        for (const Object& o : c.list) {
            auto* object = new CXDrawBGMoveObjectInfo;
            object->m_nDepth = o.depth;
            object->m_fScale = o.scale;
            object->m_nStartTime = o.start;
            object->m_nPass = 1;
            object->m_fX = 100.0f;
            object->m_fY = 100.0f;
            object->m_pAnimation =
                &m_layer->GetDefinition(static_cast<uint32_t>(o.definition))->m_Animation;
            ASSERT_TRUE(m_layer->m_Moving.AddTail(object));
        }
        DrawFrame([&] { m_layer->DrawSorted(0); });
        EXPECT_EQ(Pixel(110, 110), 0x000000u) << "pass 0 holds none of them: " << c.what;
        DrawFrame([&] { m_layer->DrawSorted(1); });
        EXPECT_EQ(Pixel(110, 110), c.top) << c.what;
    }
    m_layer->m_Moving.RemoveAll(1);
}

TEST_F(PelagornBackgroundObjects, MusicVolumeArithmetic)
{
    struct Case {
        int32_t percent, volume;
        uint8_t fading;
        int32_t steps, expected;
    };
    const Case cases[] = {
        {100, 80, 0, 0, 80}, {10, 80, 0, 0, 8},   {33, 70, 0, 0, 23},
        {50, 80, 1, 30, 12}, {33, 70, 1, 50, 11}, {100, 100, 1, 0, 0},
    };
    for (const Case& c : cases) {
        CXDrawBGMusicInfo entry;
        entry.m_nVolumePercent = c.percent;
        entry.m_nVolume = c.volume;
        entry.m_bFading = c.fading;
        entry.m_nFadeSteps = c.steps;
        EXPECT_EQ(entry.Volume(), c.expected) << c.percent << " " << c.volume << " " << c.steps;
    }
}

TEST_F(PelagornBackgroundObjects, MusicFadesOutInStepsChoosesByGroupAndEndsAfterItsCount)
{
    CXDrawBG bg(nullptr);
    Load(bg, "BG_COUNT=1\nBG_LAYER_0=0\nBG_MUSIC_0=3\n"
             "BG_MUSIC_0_0=0,2,2,music/a.wav,80\n"
             "BG_MUSIC_0_1=0,0,0,music/b.wav,50,0,1.0,0,1\n"
             "BG_MUSIC_0_2=100000,0,0,music/c.wav,100,0,1.0,1,0\n");
    CXDrawBGInfo& layer = *bg.GetLayer(0);
    bg.SetMusicVolume(50);
    m_random.Script({0, 2});  // the first of the entries outside group 0, then its count
    layer.UpdateMusic(0.01f);
    ASSERT_EQ(layer.m_nCurrentMusic, 0);
    CXDrawBGMusicInfo& a = Music(bg, 0, 0);
    EXPECT_TRUE(a.m_Music.IsPlaying());
    EXPECT_EQ(a.m_nChosenCount, 2);
    layer.UpdateMusic(0.01f);
    EXPECT_EQ(a.m_Music.GetVolume(), 40) << "50 percent of 80";

    // Past its play limit of 0 each update counts; at the chosen count the piece ends and the
    // next update chooses again.
    EXPECT_EQ(a.m_nCounter, 1);
    layer.UpdateMusic(0.01f);
    EXPECT_FALSE(a.m_Music.IsPlaying());
    EXPECT_EQ(a.m_nCounter, 0);
    EXPECT_EQ(a.m_nChosenCount, 0);
    m_random.Script({1, 0});  // entry 2
    layer.UpdateMusic(0.01f);
    EXPECT_EQ(layer.m_nCurrentMusic, 2);
    CXDrawBGMusicInfo& c = Music(bg, 0, 2);
    EXPECT_TRUE(c.m_Music.IsPlaying());

    // The scene starts a fade-out: one step per 100 ms of game clock; a stamp in the future is
    // pulled back first.
    m_scene.now = 1000;
    c.m_bFading = 1;
    c.m_dwFadeStamp = 5000;
    c.m_nFadeSteps = 2;
    layer.UpdateMusic(0.01f);
    EXPECT_EQ(c.m_dwFadeStamp, 1000u);
    EXPECT_EQ(c.m_Music.GetVolume(), 50 * 100 / 100 * 2 / 100);
    m_scene.now = 1100;
    layer.UpdateMusic(0.01f);
    EXPECT_EQ(c.m_nFadeSteps, 2) << "100 ms is not yet more than 100";
    m_scene.now = 1101;
    layer.UpdateMusic(0.01f);
    EXPECT_EQ(c.m_nFadeSteps, 1);
    EXPECT_EQ(c.m_dwFadeStamp, 1101u);
    // The last step ends the fade and chooses again: with the group-0 flag set, among group 0.
    m_scene.firstGroup = true;
    m_random.Script({0, 0});
    m_scene.now = 1300;
    layer.UpdateMusic(0.01f);
    EXPECT_EQ(c.m_bFading, 0);
    EXPECT_FALSE(c.m_Music.IsPlaying());
    EXPECT_EQ(layer.m_nCurrentMusic, 1) << "the only group-0 entry";
    EXPECT_TRUE(Music(bg, 0, 1).m_Music.IsPlaying());
    EXPECT_EQ(Music(bg, 0, 1).m_Music.GetVolume(), 25);
    m_scene.firstGroup = false;
}

}  // namespace
