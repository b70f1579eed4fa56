// ANF files built in a scratch folder, loaded and played on a real device (under Xvfb).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DAnimationFile.h"
#include "CX2DTexture.h"
#include "anim_fixture.h"
#include "sound_files.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

class AnimAnf : public AnimTest {
protected:
    // Four 8 x 8 frames side by side: red, green, blue, white.
    void WriteStrip(const std::string& name)
    {
        std::vector<uint32_t> px(32 * 8);
        const uint32_t colours[4] = {kRed, kGreen, kBlue, kWhite};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 32; ++x)
                px[size_t(y) * 32 + x] = colours[x / 8];
        WritePng(name, 32, 8, px);
    }
    // A strip animation of four frames at 10 fps with extra lines.
    void WriteStripAnf(const std::string& name, const std::string& extra)
    {
        WriteStrip("strip.png");
        WriteText(name, "TEX=strip.png\nCOUNT=4\nFPS=10\nW=8\nH=8\n" + extra);
    }
    static void Run(CX2DAnimation& anim, int updates, float dt = 0.1f)
    {
        for (int i = 0; i < updates; ++i)
            anim.Update(dt);
    }
};

TEST_F(AnimAnf, LoopModeDecidesWhetherFramesRepeat)
{
    struct Case {
        const char* line;  // LOOP_MODE line, or none
        bool playingAfter;
        int frameAfter;  // -1: any
    };
    const Case cases[] = {
        {"", true, -1},
        {"LOOP_MODE=\n", true, -1},
        {"LOOP_MODE=FWD|NOLOOP\n", false, 3},
        {"LOOP_MODE= rev | noloop \n", false, 0},
        {"LOOP_MODE=PINGPONG|LOOP\n", true, -1},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "mode" + std::to_string(n++) + ".anf";
        WriteStripAnf(name, c.line);
        CX2DAnimation anim;
        ASSERT_TRUE(anim.Load(name.c_str())) << c.line;
        anim.Play(false);
        EXPECT_TRUE(anim.IsPlaying()) << c.line;
        Run(anim, 20);
        EXPECT_EQ(anim.IsPlaying(), c.playingAfter) << c.line;
        if (c.frameAfter >= 0) {
            EXPECT_EQ(anim.GetFrame(), c.frameAfter) << c.line;
        }
    }
}

TEST_F(AnimAnf, LoopCountThreePlaysThreeTimesWithItsSoundThenStops)
{
    WriteBytes("snd/beep.wav", sound_test::SilentWave(44100 * 5));
    WriteStripAnf("three.anf",
                  "LOOP_MODE=FWD|NOLOOP\nLOOP_COUNT=3\nSOUND=snd/beep.wav,80,0,1.0,0\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("three.anf"));
    ASSERT_NE(anim.GetSound().GetSound(), nullptr);
    EXPECT_EQ(anim.GetSound().GetVolume(), 80);

    anim.Play(true);
    EXPECT_TRUE(anim.GetSound().IsPlaying());
    int starts = 1, last = anim.GetFrame();
    for (int i = 0; i < 100 && anim.IsPlaying(); ++i) {
        anim.Update(0.1f);
        if (anim.GetFrame() < last) {
            ++starts;
            EXPECT_TRUE(anim.GetSound().IsPlaying()) << "play " << starts;
        }
        last = anim.GetFrame();
    }
    EXPECT_EQ(starts, 3);
    EXPECT_EQ(anim.m_nPlays, 3);
    EXPECT_FALSE(anim.IsPlaying());
    Run(anim, 20);
    EXPECT_FALSE(anim.IsPlaying());
    EXPECT_EQ(anim.GetFrame(), 3);
}

TEST_F(AnimAnf, PlayTimeStopsTheAnimation)
{
    WriteStripAnf("timed.anf", "PLAY_TIME=500\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("timed.anf"));
    anim.Play(false);
    Run(anim, 4);
    EXPECT_TRUE(anim.IsPlaying());
    Run(anim, 2);
    EXPECT_FALSE(anim.IsPlaying());
    EXPECT_FALSE(anim.GetAnimationCore()->m_bPlaying);
}

TEST_F(AnimAnf, TracksFromTheFileDriveTheTransform)
{
    WriteStripAnf("tracks.anf", "PA_SPEED=50\nPA_LOOP_COUNT=1\nPA_POINT=0:0:0:0,100:0:0:0\n"
                                "SA_POINT=50:50:0:0\n"
                                "RA_POINT=90:0:0\n"
                                "AA_SPEED=255\nAA_LOOP_COUNT=1\nAA_POINT=255:0:0,0:0:0\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("tracks.anf"));
    anim.Play(false);
    EXPECT_FLOAT_EQ(anim.m_fHScale, 0.5f);
    EXPECT_FLOAT_EQ(anim.m_fVScale, 0.5f);
    EXPECT_FLOAT_EQ(anim.m_fRotation, 90.0f);
    EXPECT_EQ(anim.m_fOffsetX, 0.0f);

    Run(anim, 30, 1.0f / 60.0f);
    EXPECT_NEAR(anim.m_fOffsetX, 25.0f, 1.0f);
    EXPECT_NEAR(anim.GetAlpha(0), 127, 2);

    anim.SetAlphaTrackEnabled(false);
    const int held = anim.GetAlpha(0);
    Run(anim, 15, 1.0f / 60.0f);
    EXPECT_EQ(anim.GetAlpha(0), held);

    Run(anim, 90, 1.0f / 60.0f);
    EXPECT_FLOAT_EQ(anim.m_fOffsetX, 100.0f);
    EXPECT_FALSE(anim.m_Tracks[CX2DAnimation::TRACK_POSITION].m_bActive);
}

TEST_F(AnimAnf, SpriteKeysBlendHotSpotAndRenderOffset)
{
    struct Case {
        const char* extra;
        uint32_t blend;
        float hotX, hotY, renderX;
    };
    const Case cases[] = {
        {"", BLEND_DEFAULT, 4.0f, 4.0f, 0.0f},
        {"BLEND=alphaadd|colorAdd\n", 1, 4.0f, 4.0f, 0.0f},
        {"BLEND=ALPHABLEND | ZWRITE | SHINY\nHOT_SPOT_X=1\nHOT_SPOT_Y=2.5\nRENDER_X=12\n", 6, 1.0f,
         2.5f, 12.0f},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "keys" + std::to_string(n++) + ".anf";
        WriteStripAnf(name, c.extra);
        CX2DAnimation anim;
        ASSERT_TRUE(anim.Load(name.c_str())) << c.extra;
        EXPECT_EQ(anim.GetCore()->m_Quad.blend, c.blend) << c.extra;
        float x = 0, y = 0;
        anim.GetHotSpot(&x, &y);
        EXPECT_FLOAT_EQ(x, c.hotX) << c.extra;
        EXPECT_FLOAT_EQ(y, c.hotY) << c.extra;
        EXPECT_FLOAT_EQ(anim.m_fX, c.renderX) << c.extra;
    }
}

TEST_F(AnimAnf, FramesOfTheStripAreDrawn)
{
    WriteStripAnf("draw.anf", "HOT_SPOT_X=0\nHOT_SPOT_Y=0\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("draw.anf"));
    anim.SetFrame(2);
    Begin();
    anim.Render(10, 10);
    anim.SetFrame(1);
    anim.SetFlip(false, false);
    anim.Render(30, 10);
    End();
    EXPECT_EQ(Pixel(13, 13), kBlue);
    EXPECT_EQ(Pixel(33, 13), kGreen);
    EXPECT_EQ(Pixel(20, 13), 0xFF000000u);
}

TEST_F(AnimAnf, TexListGivesOneTexturePerFrame)
{
    WriteSolidPng("f/f0.png", 8, 8, kRed);
    WriteSolidPng("f/f1.png", 8, 8, kGreen);
    WriteText("f/list.anf", "TEX_LIST=f%d.png\nCOUNT=2\nFPS=10\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("f/list.anf"));
    EXPECT_EQ(anim.GetFrameCount(), 2);
    ASSERT_EQ(anim.m_TexList.size(), 2u);
    EXPECT_EQ(anim.GetTexture(), anim.m_TexList[0]->GetTexture());
    anim.Play(false);
    Run(anim, 2);
    EXPECT_EQ(anim.GetFrame(), 1);
    EXPECT_EQ(anim.GetTexture(), anim.m_TexList[1]->GetTexture());
    EXPECT_FLOAT_EQ(anim.GetWidth(), 8.0f);
}

TEST_F(AnimAnf, TexListMustHoldExactlyOneIntegerConversion)
{
    WriteSolidPng("p/f0.png", 8, 8, kRed);
    WriteSolidPng("p/f1.png", 8, 8, kGreen);
    WriteSolidPng("p/f.png", 8, 8, kGreen);
    struct Case {
        const char* pattern;
        bool loads;
    };
    const Case cases[] = {
        {"f%d.png", true},
        {"f%1d.png", true},
        {"f%x.png", true},
        {"f%s.png", false},
        {"f%d%d.png", false},
        {"f.png", false},
        {"f%ld.png", false},
        {"f%*d.png", false},
        {"f%n.png", false},
        {"f%", false},
        {"f%.1d.png", true},
        {"f%33d.png", false},
        {"f%.999999999d.png", false},
        {"f%99999999999999999999d.png", false},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "p/pattern" + std::to_string(n++) + ".anf";
        WriteText(name, std::string("TEX_LIST=") + c.pattern + "\nCOUNT=2\n");
        CX2DAnimation anim;
        EXPECT_EQ(anim.Load(name.c_str()), c.loads) << c.pattern;
        EXPECT_EQ(anim.GetCore() != nullptr, c.loads) << c.pattern;
    }

    // The folder of the file is not part of the pattern: a '%' there is plain text.
    WriteSolidPng("100%s/f0.png", 8, 8, kRed);
    WriteText("100%s/list.anf", "TEX_LIST=f%d.png\nCOUNT=1\n");
    CX2DAnimation inFolder;
    EXPECT_TRUE(inFolder.Load("100%s/list.anf"));
}

TEST_F(AnimAnf, LoadFailsWithoutFileOrTexture)
{
    WriteText("notex.anf", "TEX=missing.png\nCOUNT=1\n");
    WriteText("nofirst.anf", "TEX_LIST=none%d.png\nCOUNT=2\n");
    for (const char* name : {"", "   ", "absent.anf", "notex.anf", "nofirst.anf"}) {
        CX2DAnimation anim;
        EXPECT_FALSE(anim.Load(name)) << name;
        EXPECT_EQ(anim.GetCore(), nullptr) << name;
        anim.Play(true);
        anim.Update(0.1f);
        EXPECT_FALSE(anim.IsPlaying()) << name;
    }
}

TEST_F(AnimAnf, FramesNarrowerThanAPixelDoNotStep)
{
    WriteStrip("strip.png");
    WriteText("thin.anf", "TEX=strip.png\nCOUNT=4\nFPS=10\nW=0.5\nH=8\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("thin.anf"));
    anim.SetFrame(3);
    anim.Play(false);
    Run(anim, 5);
    EXPECT_EQ(anim.GetFrame(), 0);
}

TEST_F(AnimAnf, TransColorMakesThatColourTransparent)
{
    WritePng("key.png", 2, 1, {0xFFFF00FF, kGreen});
    WriteText("key.anf", "TEX=key.png\nCOUNT=1\nTRANS_COLOR=0xFF00FF\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("key.anf"));
    uint32_t px[2] = {};
    GpuRect all{0, 0, 2, 1};
    ASSERT_TRUE(s_dev->GetGpu()->ReadPixels(anim.GetTexture(), &all, px));
    EXPECT_EQ(px[0] >> 24, 0u);
    EXPECT_EQ(px[1], kGreen);
}

TEST_F(AnimAnf, ChildrenDrawRelativeOrAbsoluteByKey)
{
    WriteSolidPng("fx/star.png", 4, 4, kWhite);
    WriteText("fx/star.anf", "TEX=star.png\nCOUNT=1\n");
    WriteStripAnf("parent.anf",
                  "ANF_COUNT=2\nANF_0=0,10,20,fx/star.anf,7\nANF_1=1,5,6,fx/star.anf,3\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("parent.anf"));
    ASSERT_EQ(anim.GetChildCount(), 2u);
    CX2DAnimation* relative = anim.GetChild(0)->m_pAnimation;
    CX2DAnimation* absolute = anim.GetChild(1)->m_pAnimation;
    ASSERT_NE(relative->GetCore(), nullptr);

    struct Case {
        int key;
        float relX, relY, absX, absY;
    };
    const Case cases[] = {{7, 110, 120, -1, -1}, {8, -1, -1, -1, -1}, {3, -1, -1, 5, 6}};
    for (const Case& c : cases) {
        relative->m_fLastX = relative->m_fLastY = absolute->m_fLastX = absolute->m_fLastY = -1;
        anim.RenderChildren(100, 100, c.key);
        EXPECT_EQ(relative->m_fLastX, c.relX) << c.key;
        EXPECT_EQ(relative->m_fLastY, c.relY) << c.key;
        EXPECT_EQ(absolute->m_fLastX, c.absX) << c.key;
        EXPECT_EQ(absolute->m_fLastY, c.absY) << c.key;
    }
    // Drawing the parent draws every child relative to where the parent went.
    anim.Render(50, 40);
    EXPECT_EQ(relative->m_fLastX, 60);
    EXPECT_EQ(relative->m_fLastY, 60);
}

TEST_F(AnimAnf, ChildAlreadyOnTheLoadChainIsSkipped)
{
    WriteStripAnf("self.anf", "ANF_COUNT=1\nANF_0=0,0,0,SELF.ANF,0\n");
    WriteStripAnf("a.anf", "ANF_COUNT=1\nANF_0=0,0,0,b.anf,0\n");
    WriteStripAnf("b.anf", "ANF_COUNT=2\nANF_0=0,0,0,a.anf,0\nANF_1=0,0,0,c.anf,0\n");
    WriteStripAnf("c.anf", "");

    CX2DAnimation self;
    ASSERT_TRUE(self.Load("self.anf"));
    EXPECT_EQ(self.GetChildCount(), 0u);

    CX2DAnimation a;
    ASSERT_TRUE(a.Load("a.anf"));
    ASSERT_EQ(a.GetChildCount(), 1u);
    CX2DAnimation* b = a.GetChild(0)->m_pAnimation;
    ASSERT_EQ(b->GetChildCount(), 1u);  // a skipped, c kept
    EXPECT_NE(b->GetChild(0)->m_pAnimation->GetCore(), nullptr);

    // The chain is empty again: b loaded on its own takes a as a child.
    CX2DAnimation alone;
    ASSERT_TRUE(alone.Load("b.anf"));
    EXPECT_EQ(alone.GetChildCount(), 2u);
}

TEST_F(AnimAnf, FadeMovesAlphaAndChildrenFollow)
{
    WriteSolidPng("fx/star.png", 4, 4, kWhite);
    WriteText("fx/star.anf", "TEX=star.png\nCOUNT=1\n");
    WriteStripAnf("fade.anf", "ANF_COUNT=1\nANF_0=0,0,0,fx/star.anf,0\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("fade.anf"));
    anim.Play(false);
    anim.FadeStart(0.0f, 255.0f, -1);
    EXPECT_TRUE(anim.IsFading());
    Run(anim, 5);
    EXPECT_NEAR(anim.GetAlpha(0), 127, 2);
    EXPECT_LE(anim.GetChild(0)->m_pAnimation->GetAlpha(0), anim.GetAlpha(0));
    Run(anim, 6);
    EXPECT_FALSE(anim.IsFading());
    EXPECT_EQ(anim.GetAlpha(0), 0);

    anim.FadeStart(200.0f, 1000.0f);
    Run(anim, 3);
    EXPECT_EQ(anim.GetAlpha(0), 200);
}

TEST_F(AnimAnf, AnimationColourKeepsItsHueUnderAlphaChanges)
{
    WriteStripAnf("tint.anf", "AA_SPEED=1000\nAA_LOOP_COUNT=1\nAA_POINT=255:0:0,100:0:0\n");
    CX2DAnimation anim;
    ASSERT_TRUE(anim.Load("tint.anf"));
    anim.SetAnimationColor(0x80FF0000);
    EXPECT_EQ(anim.GetCore()->m_Quad.v[2].color, 0x80FF0000u);
    anim.Play(false);
    Run(anim, 5);
    // The track stopped on its last key (alpha 100) and that alpha was applied.
    EXPECT_FALSE(anim.m_Tracks[CX2DAnimation::TRACK_ALPHA].m_bActive);
    EXPECT_EQ(anim.GetCore()->m_Quad.v[0].color, 0x64FF0000u);
}

TEST(AnimFile, BlendWordsAndSoundFields)
{
    struct BlendCase {
        const char* text;
        uint32_t bits;
    };
    for (const BlendCase& c :
         {BlendCase{"alphaadd|colorAdd", 1}, BlendCase{"COLORMUL|ALPHABLEND|NOZWRITE", 2},
          BlendCase{" zwrite | colorADD | alphablend ", 7}, BlendCase{"", 0}})
        EXPECT_EQ(CX2DParseBlend(c.text), c.bits) << c.text;

    CX2DSoundSpec spec;
    ASSERT_TRUE(CX2DParseSound("s\\a.wav, 50, -20, 1.5, 1", spec));
    EXPECT_EQ(spec.strFile, "s/a.wav");
    EXPECT_EQ(spec.nVolume, 50);
    EXPECT_EQ(spec.nPan, -20);
    EXPECT_FLOAT_EQ(spec.fPitch, 1.5f);
    EXPECT_TRUE(spec.bLoop);
    ASSERT_TRUE(CX2DParseSound("only.wav", spec));
    EXPECT_EQ(spec.nVolume, 100);
    EXPECT_FLOAT_EQ(spec.fPitch, 1.0f);
    EXPECT_FALSE(spec.bLoop);
    EXPECT_FALSE(CX2DParseSound(",50", spec));

    EXPECT_EQ(CX2DRelativePath("data\\fx\\a.anf", "b\\c.png"), "data/fx/b/c.png");
    EXPECT_EQ(CX2DRelativePath("a.anf", "c.png"), "c.png");
}

}  // namespace
