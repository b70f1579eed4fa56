// Animation and particle files with hostile counts and numbers: huge counts, files that name
// themselves under other spellings, values outside the int range, NaN. Each once hung, looped for
// hours, or converted a float out of range; now each loads (or is refused) at once.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DParticle.h"
#include "anim_fixture.h"
#include "support/deadline.h"

namespace {

using Clock = std::chrono::steady_clock;

// Animations in the tree below (and including) a.
int TreeSize(const CX2DAnimation& a)
{
    int n = 1;
    for (uint32_t i = 0; i < a.GetChildCount(); ++i)
        if (const CX2DAnimation* child = a.GetChild(i)->m_pAnimation)
            n += TreeSize(*child);
    return n;
}

class AnimLimits : public AnimTest {
protected:
    void SetUp() override
    {
        AnimTest::SetUp();
        WriteSolidPng("t.png", 8, 4, 0xFFFFFFFF);
        WriteSolidPng("t0.png", 8, 4, 0xFFFFFFFF);
        WriteSolidPng("t1.png", 8, 4, 0xFFFFFFFF);
    }
};

TEST_F(AnimLimits, HugeCountsCostOnlyWhatTheFileHolds)
{
    WriteText("child.anf", "TEX=t.png\n");
    struct Case {
        const char* what;
        std::string text;
        bool loads;
        uint32_t children;
        size_t frames;  // texture list size
    };
    const Case cases[] = {
        {"ANF_COUNT of 2e9 with two children",
         "TEX=t.png\nANF_COUNT=2000000000\nANF_0=0,0,0,child.anf\nANF_7=0,0,0,child.anf\n", true, 2,
         0},
        {"children past ANF_COUNT are not read",
         "TEX=t.png\nANF_COUNT=1\nANF_0=0,0,0,child.anf\nANF_1=0,0,0,child.anf\n", true, 1, 0},
        {"keys that only look like children",
         "TEX=t.png\nANF_COUNT=99\nANF_01=0,0,0,child.anf\nANF_X=0,0,0,child.anf\n", true, 0, 0},
        {"TEX_LIST COUNT of 2e9", "TEX_LIST=x%d.png\nCOUNT=2000000000\n", false, 0, 0},
        {"TEX_LIST COUNT of 1025", "TEX_LIST=t%d.png\nCOUNT=1025\n", false, 0, 0},
        {"TEX_LIST COUNT of 40 with two frames present", "TEX_LIST=t%d.png\nCOUNT=40\n", true, 0,
         40},
    };
    for (const Case& c : cases) {
        WriteText("a.anf", c.text);
        CX2DAnimation animation;
        const auto start = Clock::now();
        {
            test_support::Deadline deadline(std::chrono::seconds(60),
                                            [&] { return std::string(c.what); });
            EXPECT_EQ(animation.Load("a.anf"), c.loads) << c.what;
        }
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(10)) << c.what;
        EXPECT_EQ(animation.GetChildCount(), c.children) << c.what;
        EXPECT_EQ(animation.m_TexList.size(), c.frames) << c.what;
    }
}

TEST_F(AnimLimits, TheLoadChainComparesNormalisedPaths)
{
    // Ten children naming the file itself, each spelt differently: all skipped at once (compared as
    // written, each one loaded ten more, and so on).
    std::string self = "TEX=t.png\nANF_COUNT=12\n";
    for (int i = 0; i < 10; ++i) {
        std::string name = "self.anf";
        for (int dots = 0; dots <= i; ++dots)
            name = "./" + name;
        self += "ANF_" + std::to_string(i) + "=0,0,0," + name + "\n";
    }
    self += "ANF_10=0,0,0,sub/../SELF.ANF\nANF_11=0,0,0,.//self.anf\n";
    WriteText("self.anf", self);
    CX2DAnimation animation;
    {
        test_support::Deadline deadline(std::chrono::seconds(60), [] {
            return std::string("ten children naming their parent");
        });
        ASSERT_TRUE(animation.Load("self.anf"));
    }
    EXPECT_EQ(animation.GetChildCount(), 0u);
}

TEST_F(AnimLimits, ChildrenThatFanOutStopAtTheTreeLimit)
{
    // a -> 10 b -> 10 c each -> 10 d each: 1,111 animations; the tree stops at 1,024.
    auto tenOf = [](const char* child) {
        std::string text = "TEX=t.png\nANF_COUNT=10\n";
        for (int i = 0; i < 10; ++i)
            text += "ANF_" + std::to_string(i) + "=0,0,0," + child + "\n";
        return text;
    };
    WriteText("a.anf", tenOf("b.anf"));
    WriteText("b.anf", tenOf("c.anf"));
    WriteText("c.anf", tenOf("d.anf"));
    WriteText("d.anf", "TEX=t.png\n");
    CX2DAnimation animation;
    {
        test_support::Deadline deadline(std::chrono::seconds(120),
                                        [] { return std::string("a tree of 1,111 animations"); });
        ASSERT_TRUE(animation.Load("a.anf"));
    }
    EXPECT_EQ(TreeSize(animation), 1024);

    // The limit is per outermost load: a small tree loaded next is whole.
    CX2DAnimation small;
    ASSERT_TRUE(small.Load("c.anf"));
    EXPECT_EQ(TreeSize(small), 11);
}

TEST_F(AnimLimits, AlphaKeysOutsideTheByteRangeHoldAtItsEnds)
{
    struct Case {
        const char* key;
        int alpha;  // after the first update
    };
    const Case cases[] = {
        {"1e10", 255}, {"300", 255}, {"-1e10", 0}, {"-5", 0}, {"128", 128}, {"nan", 200},
    };
    for (const Case& c : cases) {
        WriteText("a.anf", std::string("TEX=t.png\nALPHA=200\nAA_POINT=") + c.key + "\n");
        CX2DAnimation animation;
        ASSERT_TRUE(animation.Load("a.anf")) << c.key;
        animation.Play(true);
        animation.Update(0.01f);
        EXPECT_EQ(animation.GetAlpha(0), c.alpha) << c.key;
    }
}

TEST_F(AnimLimits, FrameSizesOutsideTheIntRangeLeaveTheFrameAlone)
{
    // 3e9 and -3e9 do not fit an int: the frame cannot be cut, and nothing is converted.
    const char* const texts[] = {
        "TEX=t.png\nCOUNT=3\nFPS=100\nW=3e9\n",
        "TEX=t.png\nCOUNT=3\nFPS=100\nW=2\nX=-3e9\n",
        "TEX=t.png\nCOUNT=3\nFPS=100\nW=nan\n",
    };
    for (const char* text : texts) {
        WriteText("a.anf", text);
        CX2DAnimation animation;
        ASSERT_TRUE(animation.Load("a.anf")) << text;
        animation.Play(true);
        for (int i = 0; i < 5; ++i)
            animation.Update(0.02f);
        EXPECT_EQ(animation.GetFrame(), 0) << text;
    }
}

// A 128-byte settings record: emission, lifetime -1, life 1 s, and the colour channels given.
std::vector<uint8_t> Psi(int32_t emission, float colour)
{
    std::vector<uint8_t> psi(CXParticleSystemInfo::kFileSize, 0);
    auto putFloat = [&psi](size_t at, float v) { std::memcpy(psi.data() + at, &v, 4); };
    std::memcpy(psi.data() + 4, &emission, 4);
    putFloat(8, -1.0f);
    putFloat(12, 1.0f);
    putFloat(16, 1.0f);
    for (size_t i = 0; i < 8; ++i)
        putFloat(88 + 4 * i, colour);
    return psi;
}

TEST_F(AnimLimits, ParticleFilesWithHostileNumbers)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        std::vector<uint8_t> psi;
        std::string extra;
        int alive;  // after firing and one update of 1 s
    };
    const Case cases[] = {
        // 2^31 - 1 particles a second for one second would not fit an int: saturated at 500.
        {"emission 0x7FFFFFFF", Psi(0x7FFFFFFF, 1.0f), "", 500},
        {"emission -0x80000000", Psi(INT32_MIN, 1.0f), "", 0},
        {"an update rate whose step is lost in the remainder", Psi(10, 1.0f), "FPS=1000000000\n",
         0},
        {"NaN colours", Psi(10, nan), "", 10},
        {"NaN settings in the text", Psi(10, 1.0f),
         "SPEED_MIN=nan\nSIZE_START=nan\nCOLOR_VAR=nan\n", 10},
    };
    for (const Case& c : cases) {
        WriteBytes("p.psi", c.psi);
        WriteText("p.ptc", "TEX=t.png\nPSI=p.psi\n" + c.extra);
        CX2DParticle particle;
        ASSERT_TRUE(particle.Load("p.ptc")) << c.what;
        const CXParticleSystemInfo* info = particle.GetInfo();
        ASSERT_NE(info, nullptr);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FALSE(std::isnan(info->colColorStart[i])) << c.what;
            EXPECT_FALSE(std::isnan(info->colColorEnd[i])) << c.what;
        }
        EXPECT_FALSE(std::isnan(info->fLifetime)) << c.what;
        particle.FireAt(32.0f, 32.0f);
        {
            test_support::Deadline deadline(std::chrono::seconds(30),
                                            [&] { return std::string(c.what); });
            particle.Update(1.0f);
            particle.Update(0.016f);
        }
        // With the fine step, the first second of residue ran one step: 1e-9 s emits nothing.
        EXPECT_EQ(particle.GetSystem()->GetParticlesAlive(), c.alive) << c.what;
        Begin();
        particle.Render();
        End();
    }
}

}  // namespace
