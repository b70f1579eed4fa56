// Key tracks of animations: timing, delays, speeds, jumps and loops, stepped at 60 updates a
// second.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CX2DAnimationTrack.h"

namespace {

struct Checkpoint {
    float time;  // seconds after Start
    float x;
    float tolerance;
    bool active;
};

struct Case {
    const char* name;
    const char* keys;
    float defaultSpeed;
    uint32_t loopMode;
    int loopCount;
    std::vector<Checkpoint> checks;
};

TEST(AnimTrack, KeysAreWalkedAtTheirSpeedsAfterTheirDelays)
{
    const Case cases[] = {
        {"0 to 100 at 50/s in about 2 s, then stops there",
         "0:0:0:0,100:0:0:0",
         50.0f,
         0,
         1,
         {{1.0f, 50.0f, 1.5f, true},
          {1.9f, 95.0f, 1.5f, true},
          {2.1f, 100.0f, 0.0f, false},
          {4.0f, 100.0f, 0.0f, false}}},
        {"a delay on key 0 holds the start",
         "0:0:250:0,100:0:0:0",
         100.0f,
         0,
         1,
         {{0.2f, 0.0f, 0.0f, true}, {0.5f, 25.0f, 2.0f, true}}},
        {"a delay on key 2 waits at key 1",
         "0:0:0:0,100:0:0:0,200:0:250:0",
         100.0f,
         0,
         1,
         {{1.1f, 100.0f, 0.0f, true}, {1.2f, 100.0f, 0.0f, true}, {1.5f, 125.0f, 2.0f, true}}},
        {"no speed anywhere: jumps key to key after each delay",
         "0:0:0:0,100:0:500:0,200:0:500:0",
         0.0f,
         0,
         1,
         {{0.02f, 100.0f, 0.0f, true}, {0.45f, 100.0f, 0.0f, true}, {0.6f, 200.0f, 0.0f, false}}},
        {"a key speed overrides the default",
         "0:0:0:200,100:0:0:0",
         10.0f,
         0,
         1,
         {{0.25f, 50.0f, 2.0f, true}}},
        {"loop mode repeats: back toward key 0 after key 1",
         "0:0:0:0,100:0:0:0",
         100.0f,
         1,
         0,
         {{1.5f, 50.0f, 2.5f, true}, {10.0f, 0.0f, 100.0f, true}}},
        {"loop count 2 runs the keys twice",
         "0:0:0:0,100:0:0:0",
         100.0f,
         0,
         2,
         {{2.5f, 50.0f, 2.5f, true}, {4.2f, 100.0f, 0.0f, false}}},
    };
    for (const Case& c : cases) {
        CX2DAnimationTrack track;
        track.ParseKeys(c.keys, 2, 1.0f);
        track.m_fDefaultSpeed = c.defaultSpeed;
        track.m_dwLoopMode = c.loopMode;
        track.m_nLoopCount = c.loopCount;
        track.Start();
        float time = 0.0f;
        for (const Checkpoint& check : c.checks) {
            while (time + 1e-4f < check.time) {
                track.Update(1.0f / 60.0f);
                time += 1.0f / 60.0f;
            }
            EXPECT_NEAR(track.m_Value.x, check.x, check.tolerance)
                << c.name << " at " << check.time;
            EXPECT_EQ(track.m_bActive, check.active) << c.name << " at " << check.time;
        }
    }
}

TEST(AnimTrack, EqualKeysGiveNoVelocityOnEitherAxis)
{
    CX2DAnimationTrack track;
    track.ParseKeys("5:7:0:50,5:7:0:50,10:7:0:50", 2, 1.0f);
    track.m_nLoopCount = 1;
    track.Start();
    EXPECT_EQ(track.m_Velocity.x, 0.0f);
    EXPECT_EQ(track.m_Velocity.y, 0.0f);
    track.Update(1.0f / 60.0f);  // jumps onto key 1, then heads for key 2 along x only
    EXPECT_EQ(track.m_nKey, 2);
    EXPECT_FLOAT_EQ(track.m_Velocity.x, 50.0f);
    EXPECT_EQ(track.m_Velocity.y, 0.0f);
}

TEST(AnimTrack, KeysParseDelaysInMillisecondsAndScaleValues)
{
    struct ParseCase {
        const char* text;
        int values;
        float scale;
        size_t count;
        CX2D_POINT_tag first;
        float delay;
        float speed;
    };
    const ParseCase cases[] = {
        {"50:40:250:200", 2, 0.01f, 1, {0.5f, 0.4f}, 0.25f, 2.0f},
        {" 90 : 500 : 30 , 180", 1, 1.0f, 2, {90.0f, 0.0f}, 0.5f, 30.0f},
        {"3", 2, 1.0f, 1, {3.0f, 0.0f}, 0.0f, 0.0f},
        {"", 2, 1.0f, 0, {}, 0.0f, 0.0f},
    };
    for (const ParseCase& c : cases) {
        CX2DAnimationTrack track;
        track.ParseKeys(c.text, c.values, c.scale);
        ASSERT_EQ(track.m_Keys.size(), c.count) << c.text;
        if (!c.count)
            continue;
        EXPECT_FLOAT_EQ(track.m_Keys[0].x, c.first.x) << c.text;
        EXPECT_FLOAT_EQ(track.m_Keys[0].y, c.first.y) << c.text;
        EXPECT_FLOAT_EQ(track.m_Delays[0], c.delay) << c.text;
        EXPECT_FLOAT_EQ(track.m_Speeds[0], c.speed) << c.text;
    }
}

}  // namespace
