// The looping frame animation: which frame shows after how much time.
#include <gtest/gtest.h>

#include "CUIAni.h"
#include "CUIFrames.h"

namespace {

// A set of n empty places: the animation only counts them.
void Fill(CUIFrames& frames, int n)
{
    for (int i = 0; i < n; ++i)
        frames.Add(nullptr);
}

TEST(UIAni, FrameFollowsTimeWithinTheLoop)
{
    struct Case {
        float duration;
        int frames;
        std::vector<float> steps;
        int frame;
        float time;
    };
    const Case cases[] = {
        {1.0f, 5, {0.5f}, 2, 0.5f},
        {1.0f, 5, {0.5f, 0.5f}, 0, 0.0f},  // wraps to the first frame after one loop
        {1.0f, 5, {2.75f}, 3, 0.75f},      // several loops in one step
        {3.0f, 25, {1.0f, 1.0f}, 16, 2.0f},
        {1.0f, 1, {0.3f}, 0, 0.3f},
        {0.0f, 5, {0.5f}, 0, 0.0f},  // no duration: never moves
        {-1.0f, 5, {0.5f}, 0, 0.0f},
    };
    for (const Case& c : cases) {
        CUIFrames frames;
        Fill(frames, c.frames);
        CUIAni ani;
        ani.Set(&frames, c.duration, 0.0f, 0.0f);
        for (float step : c.steps)
            ani.Update(step);
        EXPECT_EQ(ani.GetFrameIndex(), c.frame)
            << "duration " << c.duration << ", frames " << c.frames;
        EXPECT_NEAR(ani.GetTime(), c.time, 1e-5f)
            << "duration " << c.duration << ", frames " << c.frames;
    }
}

TEST(UIAni, WithoutFramesNothingMoves)
{
    CUIFrames empty;
    CUIAni ani;
    ani.Set(&empty, 1.0f, 0.0f, 0.0f);
    ani.Update(0.5f);
    EXPECT_EQ(ani.GetTime(), 0.0f);
    ani.Set(nullptr, 1.0f, 0.0f, 0.0f);
    ani.Update(0.5f);
    EXPECT_EQ(ani.GetTime(), 0.0f);
    ani.Draw();  // nothing to draw, and no device needed for that
}

TEST(UIFrames, MissingEntriesSizeToZero)
{
    CUIFrames frames;
    EXPECT_EQ(frames.Add(nullptr), 0);
    for (int index : {-1, 0, 1, 100}) {
        EXPECT_EQ(frames.Get(index), nullptr) << index;
        EXPECT_EQ(frames.GetWidth(index), 0) << index;
        EXPECT_EQ(frames.GetHeight(index), 0) << index;
        frames.Draw(index, 0.0f, 0.0f);
    }
}

}  // namespace
