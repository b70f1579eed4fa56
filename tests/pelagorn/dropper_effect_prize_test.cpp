// The dropper's sweep, the effect queue's entries and the prize store's keys.
#include <gtest/gtest.h>

#include <string>

#include "CXDrawDP.h"
#include "CXDrawEFFECT.h"
#include "CXDrawPRIZE.h"
#include "pelagorn_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                   kYellow = 0xFFFFFF00;

class PelagornDropper : public PelagornTest {
protected:
    void Load(const std::string& text)
    {
        WriteAnf("image/dropper/sub/dropper.anf", 40, 20, {kGreen});
        WriteText("image/dropper/dropper.cfg", text);
        m_dropper.Init();
    }
    CXDrawDP m_dropper;
};

TEST_F(PelagornDropper, SweepsBetweenItsLimitsAndReversesExactlyAtThem)
{
    Load("DROPPER=sub\\dropper.anf\nSPEED=100\nX_MARGIN=50\nY_POS=30\nALPHA=128\n");
    ASSERT_NE(m_dropper.m_Dropper.GetCore(), nullptr) << "backslashes in the name become '/'";
    EXPECT_EQ(m_dropper.m_fLeft, 50.0f);
    EXPECT_EQ(m_dropper.m_fRight, 768.0f - 50.0f - 40.0f);
    EXPECT_EQ(m_dropper.m_fY, 30.0f);
    EXPECT_EQ(m_dropper.m_byAlpha, 128);
    for (int vertex = 0; vertex < 4; ++vertex)
        EXPECT_EQ(m_dropper.m_Dropper.GetAlpha(vertex), 128) << vertex;
    EXPECT_GE(m_dropper.m_fX, m_dropper.m_fLeft);
    EXPECT_LE(m_dropper.m_fX, m_dropper.m_fRight);
    EXPECT_TRUE(m_dropper.m_fDirection == 1.0f || m_dropper.m_fDirection == -1.0f);
    EXPECT_TRUE(m_dropper.m_Dropper.IsPlaying());

    int reversals = 0;
    for (int i = 0; i < 2000; ++i) {
        const float direction = m_dropper.m_fDirection;
        m_dropper.Update(0.1f);
        ASSERT_GE(m_dropper.m_fX, m_dropper.m_fLeft) << i;
        ASSERT_LE(m_dropper.m_fX, m_dropper.m_fRight) << i;
        if (m_dropper.m_fDirection != direction) {
            ++reversals;
            EXPECT_EQ(m_dropper.m_fX, direction > 0 ? m_dropper.m_fRight : m_dropper.m_fLeft) << i;
        }
    }
    EXPECT_GE(reversals, 20);
}

TEST_F(PelagornDropper, TheHalfSquareTermIsAddedInBothDirections)
{
    Load("DROPPER=sub/dropper.anf\nSPEED=100\nX_MARGIN=0\nY_POS=30\n");
    for (const auto& [direction, moved] : {std::pair{-1.0f, -9.995f}, std::pair{1.0f, 10.005f}}) {
        m_dropper.m_fX = 300.0f;
        m_dropper.m_fDirection = direction;
        m_dropper.Update(0.1f);
        EXPECT_NEAR(m_dropper.m_fX - 300.0f, moved, 1e-4) << direction;
    }
    m_dropper.m_fX = 300.0f;
    EXPECT_EQ(m_dropper.GetDropX(), 320.0f);
    DrawFrame([&] { m_dropper.Draw(); });
    EXPECT_EQ(Pixel(301, 31), kGreen & 0xFFFFFF);
    EXPECT_EQ(Pixel(339, 49), kGreen & 0xFFFFFF);
    EXPECT_EQ(Pixel(341, 31), 0u);
}

TEST_F(PelagornDropper, AbsentKeysFollowTheReadingRule)
{
    Load("DROPPER=sub/dropper.anf\n");
    EXPECT_EQ(m_dropper.m_fSpeed, 10.0f) << "SPEED is conditional";
    EXPECT_EQ(m_dropper.m_byAlpha, 255) << "ALPHA is conditional";
    EXPECT_EQ(m_dropper.m_fLeft, 0.0f);
    EXPECT_EQ(m_dropper.m_fY, 0.0f);
}

class PelagornEffect : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        WriteAnf("fx/five.anf", 10, 10, {kRed, kGreen, kBlue, kWhite, kYellow}, 5, "FPS=10\n");
        WriteAnf("fx/once.anf", 10, 10, {kRed, kGreen, kBlue, kWhite, kYellow}, 5,
                 "FPS=10\nLOOP_MODE=FWD|NOLOOP\n");
        m_effects.Init();
    }
    // One frame of the scene: the holder advances the animation, then the queue runs and draws.
    void Frame(CX2DAnimation& animation, float dt = 0.1f)
    {
        animation.Update(dt);
        m_effects.Update(dt);
        DrawFrame([&] { m_effects.Draw(); });
    }
    // Frames run until the queue holds no more than `left` entries, at most 100; how many ran.
    int FramesUntilEntriesLeft(CX2DAnimation& animation, uint32_t left)
    {
        int frames = 0;
        for (; m_effects.m_Entries.GetCount() > left && frames < 100; ++frames)
            Frame(animation);
        return frames;
    }
    CXDrawEFFECT m_effects;
};

// Also when the entry waits for its sound: a silent one ends with the first pass.
TEST_F(PelagornEffect, AnEntryLastsFiveFrameChangesOfAFiveFrameAnimation)
{
    for (int waitSound : {0, 1}) {
        CX2DAnimation animation;
        ASSERT_TRUE(animation.Load("fx/five.anf"));
        m_effects.AddAnimation(100.0f, 100.0f, &animation, waitSound);
        ASSERT_EQ(m_effects.m_Entries.GetCount(), 1u) << "waiting for the sound: " << waitSound;
        EXPECT_TRUE(animation.IsPlaying()) << "waiting for the sound: " << waitSound;
        // The first update after Play starts the animation's clock; five changes are drawn, and
        // the entry goes on the update after the fifth.
        EXPECT_EQ(FramesUntilEntriesLeft(animation, 0), 7)
            << "waiting for the sound: " << waitSound;
    }
}

TEST_F(PelagornEffect, EachEntryDrawsItsOwnFrameOfTheSharedAnimation)
{
    CX2DAnimation animation;
    ASSERT_TRUE(animation.Load("fx/five.anf"));
    m_effects.AddAnimation(100.0f, 100.0f, &animation, 0);
    Frame(animation);
    Frame(animation);
    m_effects.AddAnimation(300.0f, 100.0f, &animation, 0);
    Frame(animation);
    // The animation itself is on its third frame (blue); the first entry drew its second frame,
    // the new one its first.
    EXPECT_EQ(animation.GetFrame(), 2);
    EXPECT_EQ(Pixel(105, 105), kGreen & 0xFFFFFF);
    EXPECT_EQ(Pixel(305, 105), kRed & 0xFFFFFF);
}

TEST_F(PelagornEffect, AnAnimationThatStopsByItselfEndsItsEntry)
{
    CX2DAnimation animation;
    ASSERT_TRUE(animation.Load("fx/once.anf"));
    m_effects.AddAnimation(100.0f, 100.0f, &animation, 0);
    const int frames = FramesUntilEntriesLeft(animation, 0);
    EXPECT_LT(frames, 100) << "the entry would wait for a fifth change that never comes";
    EXPECT_FALSE(animation.IsPlaying()) << "and the animation is not played again";
}

TEST_F(PelagornEffect, AFinishedEntryIsTakenAgainFreshAtTheTail)
{
    CX2DAnimation animation;
    ASSERT_TRUE(animation.Load("fx/five.anf"));
    m_effects.AddAnimation(1.0f, 100.0f, &animation, 1);
    Frame(animation);
    Frame(animation);
    m_effects.AddAnimation(2.0f, 100.0f, &animation, 0);
    FramesUntilEntriesLeft(animation, 1);
    ASSERT_EQ(m_effects.m_Entries.GetCount(), 1u);
    CXDrawEffectAniInfo* finished = m_effects.m_Entries.m_pHead->m_pData;
    EXPECT_EQ(finished->m_fX, 2.0f) << "the first entry went first";

    m_effects.AddAnimation(300.0f, 100.0f, &animation, 0);
    ASSERT_EQ(m_effects.m_Entries.GetCount(), 2u);
    EXPECT_EQ(m_effects.m_Entries.m_pHead->m_pData->m_fX, 2.0f);
    const CXDrawEffectAniInfo& added = *m_effects.m_Entries.m_pTail->m_pData;
    EXPECT_EQ(added.m_fX, 300.0f) << "a new effect is drawn over the older ones";
    EXPECT_EQ(added.m_nFrame, 0);
    EXPECT_EQ(added.m_bDone, 0);
    EXPECT_EQ(added.m_bWrapped, 0);
    EXPECT_EQ(added.m_bWaitSound, 0) << "nothing of the finished entry is left";
    Frame(animation);
    EXPECT_EQ(Pixel(305, 105), kRed & 0xFFFFFF) << "it starts on the first frame";
}

TEST_F(PelagornEffect, RefusesAnimationsWithoutAnImageAndRemovesTheFirstMatch)
{
    CX2DAnimation empty;
    m_effects.AddAnimation(0.0f, 0.0f, nullptr, 0);
    m_effects.AddAnimation(0.0f, 0.0f, &empty, 0);
    EXPECT_EQ(m_effects.m_Entries.GetCount(), 0u);

    CX2DAnimation a, b;
    ASSERT_TRUE(a.Load("fx/five.anf"));
    ASSERT_TRUE(b.Load("fx/five.anf"));
    m_effects.AddAnimation(1.0f, 0.0f, &a, 0);
    m_effects.AddAnimation(2.0f, 0.0f, &b, 0);
    m_effects.AddAnimation(3.0f, 0.0f, &a, 0);
    m_effects.RemoveAnimation(&a);
    ASSERT_EQ(m_effects.m_Entries.GetCount(), 2u);
    EXPECT_EQ(m_effects.m_Entries.m_pHead->m_pData->m_fX, 2.0f);
    EXPECT_EQ(m_effects.m_Entries.m_pTail->m_pData->m_fX, 3.0f);
}

class PelagornPrize : public PelagornTest {};

TEST_F(PelagornPrize, PrizesAreKeyedByGroupAndValue)
{
    WriteAnf("image/prize/p.anf", 10, 10, {kRed}, 2, "FPS=10\n");
    WriteText("image/prize/prize.cfg", "PRIZE_INDEX_0= big \n"
                                       "PRIZE_INDEX_1=item\n"
                                       "BIG_PRIZE_0500=p.anf,,1,2,3,4\n"
                                       "ITEM_PRIZE_10000=p.anf,,5,6,7,8\n"
                                       "ITEM_PRIZE_0050= p.anf ,,9,10\n"
                                       "ITEM_PRIZE_050=p.anf,,99,99,99,99\n");
    CXDrawPRIZE prizes;
    prizes.Init();
    EXPECT_EQ(prizes.m_Prizes.GetCount(), 7u + 9u) << "every value of a named group gets an entry";
    struct Case {
        int32_t group, value;
        bool loaded;
        float places[4];
    };
    const Case cases[] = {
        {0, 500, true, {1, 2, 3, 4}},
        {1, 10000, true, {5, 6, 7, 8}},  // "%04d" gives five digits here
        {1, 50, true, {9, 10, 0, 0}},    // and "0050" here; missing fields read 0
        {0, 0, false, {0, 0, 0, 0}},     // a group's value without a key: no images
    };
    for (const Case& c : cases) {
        CXDrawPrizeInfo* info = prizes.FindPrize(c.group, c.value);
        ASSERT_NE(info, nullptr) << c.group << ":" << c.value;
        EXPECT_STREQ(info->GetName().GetString(),
                     (std::to_string(c.group) + ":" + std::to_string(c.value)).c_str());
        EXPECT_EQ(info->m_Animation.GetCore() != nullptr, c.loaded) << c.group << ":" << c.value;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(info->m_fPlace[i], c.places[i])
                << c.group << ":" << c.value << " place " << i;
    }
    for (const auto& [group, value] :
         {std::pair{2, 100}, std::pair{3, 0}, std::pair{0, 7}, std::pair{1, 10001}})
        EXPECT_EQ(prizes.FindPrize(group, value), nullptr) << group << ":" << value;

    CXDrawPrizeInfo* info = prizes.FindPrize(0, 500);
    info->m_Animation.Play(false);
    prizes.Update(0.15f);
    prizes.Update(0.15f);
    EXPECT_EQ(info->m_Animation.GetFrame(), 1) << "the store advances its animations";
}

}  // namespace
