// Frame timing of animations: seconds per frame = 1 / fps, and without a rate the frame stays
// where it was put.
#include <gtest/gtest.h>

#include <string>

#include "CX2DAnimation.h"
#include "CXSpriteCore.h"
#include "anim_fixture.h"

namespace {

// Frames a core shows after each of `updates` updates of dt, after a first update that only
// starts its clock.
std::string FramesAfter(CXAnimationCore& core, int updates, float dt)
{
    core.Play();
    core.Update(0.0f);
    std::string frames;
    for (int i = 0; i < updates; ++i) {
        core.Update(dt);
        frames += std::to_string(core.m_nCurFrame);
    }
    return frames;
}

}  // namespace

TEST(AnimFps, CoreWithoutAPositiveRateKeepsItsFrame)
{
    struct Case {
        const char* name;
        float fps;
        std::string frames;  // after five updates of 0.5 s
    };
    const Case cases[] = {
        {"10 fps: one frame per update", 10.0f, "12340"},
        {"no rate", 0.0f, "00000"},
        {"a negative rate", -5.0f, "00000"},
    };
    for (const Case& c : cases) {
        // No texture: a 1 x 1 texture of five 1 x 1 frames, which the grid wraps into rows.
        CXAnimationCore core;
        core.Create(nullptr, 5, c.fps, 0, 0, 1, 1);
        EXPECT_EQ(FramesAfter(core, 5, 0.5f), c.frames) << c.name;
    }
}

TEST(AnimFps, AFrameSetByHandStaysUntilARateIsGiven)
{
    CXAnimationCore core;
    core.Create(nullptr, 5, 0.0f, 0, 0, 1, 1);
    core.Play();
    core.SetFrame(3);
    for (int i = 0; i < 10; ++i)
        core.Update(1.0f);
    EXPECT_EQ(core.m_nCurFrame, 3);
    EXPECT_TRUE(core.m_bPlaying);
    core.SetFPS(2.0f);
    core.Update(0.5f);
    EXPECT_EQ(core.m_nCurFrame, 4);
}

using AnimFpsFile = AnimTest;

TEST_F(AnimFpsFile, AnAnimationWithoutFpsStaysOnItsFrame)
{
    WriteSolidPng("strip.png", 32, 8, 0xFFFF0000);
    WriteText("still.anf", "TEX=strip.png\nCOUNT=4\nW=8\nH=8\n");
    WriteText("moving.anf", "TEX=strip.png\nCOUNT=4\nFPS=10\nW=8\nH=8\n");
    CX2DAnimation still, moving;
    ASSERT_TRUE(still.Load("still.anf"));
    ASSERT_TRUE(moving.Load("moving.anf"));
    still.Play(false);
    moving.Play(false);
    still.SetFrame(2);
    for (int i = 0; i < 3; ++i) {
        still.Update(0.1f);
        moving.Update(0.1f);
    }
    EXPECT_EQ(still.GetFrame(), 2);
    EXPECT_TRUE(still.IsPlaying());
    EXPECT_EQ(moving.GetFrame(), 2) << "the first update starts the clock, then one frame each";
    still.SetFPS(10.0f);
    still.Update(0.1f);
    EXPECT_EQ(still.GetFrame(), 3);
}
