#pragma once
// The background on the real device: its images, animations and music under "image/bg" and
// "music" in the scratch resource base, a standard bg.cfg, and a scripted random source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CXDrawBG.h"
#include "CXDrawBGRandom.h"
#include "CXReelWaitPreset.h"
#include "engine/sound_files.h"
#include "pelagorn_fixture.h"

namespace background_test {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

// Answers each draw with the next scripted value (0 once the script is used up) and counts them.
class ScriptedRandom : public CXDrawBGRandom {
public:
    int32_t Range(int32_t, int32_t) override
    {
        ++draws;
        return next < values.size() ? values[next++] : 0;
    }
    void Script(std::vector<int32_t> v)
    {
        values = std::move(v);
        next = 0;
        draws = 0;
    }

    std::vector<int32_t> values;
    size_t next = 0;
    int draws = 0;
};

class BackgroundTest : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        ReelWaitPresets().Clear();
        CXDrawBGSetRandomSource(&m_random);
        const std::string dir = "image/bg/";
        WriteAnf(dir + "red.anf", 300, 64, {kRed});
        WriteAnf(dir + "green.anf", 500, 64, {kGreen});
        WriteAnf(dir + "blue.anf", 200, 64, {kBlue});
        WriteAnf(dir + "mo.anf", 40, 20, {kWhite});
        WriteAnf(dir + "mo_red.anf", 40, 20, {kRed});
        WriteAnf(dir + "mo_green.anf", 40, 20, {kGreen});
        WriteAnf(dir + "mo_blue.anf", 40, 20, {kBlue});
        WriteAnf(dir + "sign.anf", 30, 30, {kWhite});
        WriteAnf(dir + "gauge.anf", 10, 10, {kWhite});
        WriteAnf(dir + "rain.anf", 16, 16, {kBlue});
        WriteAnf(dir + "thunder.anf", 16, 16, {kWhite});
        for (const char* name : {"music/a.wav", "music/b.wav", "music/c.wav"})
            m_folder.Write(name, sound_test::SilentWave(44100 * 5));
    }
    void TearDown() override
    {
        CXDrawBGSetRandomSource(nullptr);
        ReelWaitPresets().Clear();
        PelagornTest::TearDown();
    }

    static std::string Standard()
    {
        return "BG_COUNT=3\n"
               "BG_LAYER_0=2\n"
               "BG_ANF_0_0=1,100,60,0,0,0,0,0,0,0,0,red.anf, green.anf \n"
               "BG_ANF_0_1=2,300,-30,1,2,40,3,5,80,1,1,blue.anf\n"
               "BG_MUSIC_0=2\n"
               "BG_MUSIC_0_0=5000,1,3,music/a.wav,80,10,1.5,1,0\n"
               "BG_MUSIC_0_1=0,0,0,music/b.wav\n"
               "BG_MO_0=2\n"
               "BG_MO_DISPLAY_0=2\n"
               "BG_MO_ANF_0_0=1,5,0,0,0,+0,100,300,10,20,1,50,150,80,120,2500,image/bg/mo.anf,0\n"
               "BG_MO_ANF_0_1=1,2,7,1,1,-1,0,0,0,0,0,100,100,100,100,0,image/bg/mo.anf,3\n"
               "BG_LAYER_1=1\n"
               "BG_ANF_1_0=1,0,30,0,0,0,0,0,0,0,0,green.anf\n"
               "BG_MUSIC_1=1\n"
               "BG_MUSIC_1_0=0,0,0,music/c.wav\n"
               "BG_MO_1=0\n"
               "BG_MO_DISPLAY_1=4\n"
               "BG_LAYER_2=1\n"
               "BG_ANF_2_0=0,0,30,0,0,0,0,0,0,0,0,blue.anf\n"
               "SIGN_ALPHA=128\n"
               "SIGN_SPEED=1000\n"
               "BG_CHANGE_SPEED=500\n"
               "SIGN_FADE_SPEED=500\n"
               "SIGN_COUNT=2\n"
               "SIGN_0=100,100,200,260,0,sign.anf\n"
               "SIGN_1=10,50,20,20,1,sign.anf\n"
               "RTURN_PRIZE_GAUGE_0=10.5,20,gauge.anf\n"
               "RTURN_PRIZE_GAUGE_1=30,40,gauge.anf\n"
               "RAIN_COUNT=1\n"
               "RAIN_0=rain.anf\n"
               "THUNDER_COUNT=2\n"
               "THUNDER_0=thunder.anf\n"
               "THUNDER_SHAKE_0=1,4,6,50,100,1,200,0\n"
               "THUNDER_1=thunder.anf\n"
               "THUNDER_SHAKE_1=0,2,2,30,1,1,2,0,3,1,4,0,5,1,6,0,7,1,8,0,9,1,10,0,11,1,12,0,13,1\n"
               "SCROLL_FACTOR_RATE=4\n"
               "SCROLL_SPEED_MAX_TIME=8000\n"
               "SCROLL_TURN_MIN_TIME=20000\n";
    }

    // Writes the file and initialises the background with the recording scene.
    void Load(CXDrawBG& bg, const std::string& text = Standard())
    {
        WriteText("image/bg/bg.cfg", text);
        bg.m_pScene = &m_scene;
        bg.Init();
    }
    // Updates in steps of dt until the layer and sign changes have settled (at most `steps`).
    static void Settle(CXDrawBG& bg, float dt = 0.05f, int steps = 200)
    {
        for (int i = 0; i < steps && (bg.m_dwIncomingLayer != CXDrawBG::kNone ||
                                      bg.m_dwIncomingSign != CXDrawBG::kNone);
             ++i)
            bg.Update(dt);
    }
    static CX2DAnimation& StripImage(CXDrawBG& bg, uint32_t layer, uint32_t strip)
    {
        return *bg.GetLayer(layer)->m_Strips.GetAt(strip)->m_Images.m_pHead->m_pData;
    }
    static CXDrawBGMusicInfo& Music(CXDrawBG& bg, uint32_t layer, uint32_t entry)
    {
        return *bg.GetLayer(layer)->m_Music.GetAt(entry);
    }

    ScriptedRandom m_random;
};

}  // namespace background_test
