// Particle systems with a fixed random source: the PSI record, the particle file, emission, limits,
// stopping, motion, the manager and drawing into a render target (under Xvfb).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CX2DParticle.h"
#include "CX2DParticleManager.h"
#include "anim_fixture.h"

namespace {

// Every draw lands in the middle of its range.
class MidpointRandom final : public CXParticleRandom {
public:
    float Float(float a, float b) override { return (a + b) / 2; }
};

class ParticleRandomScope {
public:
    ParticleRandomScope() { ParticleSetRandomSource(&m_Random); }
    ~ParticleRandomScope() { ParticleSetRandomSource(nullptr); }

private:
    MidpointRandom m_Random;
};

CXParticleSystemInfo Settings(int emission, float lifetime, float particleLife)
{
    CXParticleSystemInfo info;
    info.nEmission = emission;
    info.fLifetime = lifetime;
    info.fParticleLifeMin = info.fParticleLifeMax = particleLife;
    return info;
}

void Steps(CXParticleSystem& system, int n, float dt = 1.0f / 60.0f)
{
    for (int i = 0; i < n; ++i)
        system.Update(dt);
}

TEST(AnimParticleRecord, ReadsTheFieldsLittleEndian)
{
    // frame 5, blend 3, emission 30, lifetime -1, life 0.5..2, direction 0, spread 1, relative,
    // speed 10..20, then zeros up to the colours: start red 1 alpha 1, end blue 0.5; alpha var 0.5.
    std::vector<uint8_t> psi = {
        0x05, 0x00, 0x03, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xBF, 0x00, 0x00,
        0x00, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F,
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0xA0, 0x41,
    };
    psi.resize(88, 0);
    const std::vector<uint8_t> colours = {
        0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F,
    };
    psi.insert(psi.end(), colours.begin(), colours.end());
    ASSERT_EQ(psi.size(), CXParticleSystemInfo::kFileSize);

    CXParticleSystemInfo info;
    info.ReadFrom(psi.data(), psi.size());
    EXPECT_EQ(info.wFrame, 5);
    EXPECT_EQ(info.wBlend, 3);
    EXPECT_EQ(info.nEmission, 30);
    EXPECT_EQ(info.fLifetime, -1.0f);
    EXPECT_EQ(info.fParticleLifeMin, 0.5f);
    EXPECT_EQ(info.fParticleLifeMax, 2.0f);
    EXPECT_EQ(info.fSpread, 1.0f);
    EXPECT_EQ(info.dwRelative, 1u);
    EXPECT_EQ(info.fSpeedMin, 10.0f);
    EXPECT_EQ(info.fSpeedMax, 20.0f);
    EXPECT_EQ(info.colColorStart[0], 1.0f);
    EXPECT_EQ(info.colColorStart[3], 1.0f);
    EXPECT_EQ(info.colColorEnd[2], 0.5f);
    EXPECT_EQ(info.fColorVar, 0.0f);
    EXPECT_EQ(info.fAlphaVar, 0.5f);

    // A short record leaves the rest 0.
    CXParticleSystemInfo shortInfo;
    shortInfo.fSpeedMax = 7.0f;
    shortInfo.ReadFrom(psi.data(), 8);
    EXPECT_EQ(shortInfo.wBlend, 3);
    EXPECT_EQ(shortInfo.nEmission, 30);
    EXPECT_EQ(shortInfo.fLifetime, 0.0f);
    EXPECT_EQ(shortInfo.fSpeedMax, 0.0f);
}

TEST(AnimParticleSystem, HalfParticlesCarryOverBetweenUpdates)
{
    ParticleRandomScope random;
    CXParticleSystem system(Settings(30, -1.0f, 10.0f), 1.0f / 60.0f);
    system.Fire();
    const int expected[] = {0, 1, 1, 2, 2, 3};
    for (int i = 0; i < 6; ++i) {
        system.Update(1.0f / 60.0f);
        EXPECT_EQ(system.GetParticlesAlive(), expected[i]) << "update " << i + 1;
    }
}

TEST(AnimParticleSystem, LifetimeEndsEmissionUnlessEndless)
{
    ParticleRandomScope random;
    CXParticleSystem endless(Settings(10, -1.0f, 0.5f), 0.0f);
    endless.Fire();
    Steps(endless, 600);
    EXPECT_EQ(endless.GetAge(), -1.0f);
    EXPECT_GT(endless.GetParticlesAlive(), 0);

    CXParticleSystem timed(Settings(60, 1.0f, 0.5f), 0.0f);
    timed.Fire();
    Steps(timed, 55);
    EXPECT_FALSE(timed.IsStopped());
    Steps(timed, 10);
    EXPECT_TRUE(timed.IsStopped());
    const int alive = timed.GetParticlesAlive();
    EXPECT_GT(alive, 0);
    Steps(timed, 40);
    EXPECT_TRUE(timed.IsStopped());
    EXPECT_EQ(timed.GetParticlesAlive(), 0);
}

TEST(AnimParticleSystem, FiveHundredParticlesAtMost)
{
    ParticleRandomScope random;
    CXParticleSystem system(Settings(100000, -1.0f, 10.0f), 0.0f);
    system.Fire();
    system.Update(1.0f / 60.0f);
    EXPECT_EQ(system.GetParticlesAlive(), CXParticleSystem::kMaxParticles);
    system.Update(1.0f / 60.0f);
    EXPECT_EQ(system.GetParticlesAlive(), CXParticleSystem::kMaxParticles);
}

TEST(AnimParticleSystem, StopKillsAtOnceOrLetsParticlesRunOut)
{
    ParticleRandomScope random;
    for (bool kill : {true, false}) {
        CXParticleSystem system(Settings(600, -1.0f, 0.5f), 0.0f);
        system.Fire();
        Steps(system, 10);
        ASSERT_EQ(system.GetParticlesAlive(), 100) << kill;
        system.Stop(kill);
        EXPECT_TRUE(system.IsStopped()) << kill;
        EXPECT_EQ(system.GetParticlesAlive(), kill ? 0 : 100) << kill;
        Steps(system, 10);
        EXPECT_EQ(system.GetParticlesAlive(), kill ? 0 : 100) << kill;
        Steps(system, 30);
        EXPECT_EQ(system.GetParticlesAlive(), 0) << kill;
    }
}

TEST(AnimParticleSystem, OneStepPerCallAndTheBacklogIsDropped)
{
    ParticleRandomScope random;
    CXParticleSystem system(Settings(0, 10.0f, 1.0f), 1.0f / 60.0f);
    system.Fire();
    // 0.06 s is three steps and a bit: one runs, the whole steps of the rest are dropped.
    system.Update(0.06f);
    EXPECT_FLOAT_EQ(system.GetAge(), 1.0f / 60.0f);
    EXPECT_NEAR(system.m_fResidue, 0.01f, 1e-5f);
    system.Update(0.005f);
    EXPECT_FLOAT_EQ(system.GetAge(), 1.0f / 60.0f);
    system.Update(0.002f);
    EXPECT_FLOAT_EQ(system.GetAge(), 2.0f / 60.0f);
}

TEST(AnimParticleSystem, VelocityIsPerUpdateAndMoveToCarriesParticles)
{
    ParticleRandomScope random;
    CXParticleSystemInfo info = Settings(60, -1.0f, 10.0f);
    info.fSpeedMin = info.fSpeedMax = 10.0f;  // direction 0 points up
    info.fGravityMin = info.fGravityMax = 60.0f;
    CXParticleSystem system(info, 0.0f);
    system.FireAt(100.0f, 100.0f);
    system.Update(1.0f / 60.0f);
    ASSERT_EQ(system.GetParticlesAlive(), 1);
    EXPECT_NEAR(system.GetParticle(0).x, 100.0f, 1e-4f);
    EXPECT_NEAR(system.GetParticle(0).y, 100.0f, 1e-4f);
    system.Stop(false);
    system.Update(1.0f / 60.0f);
    // velocity (0, -10) plus one update of gravity (60 / s): the whole velocity is added.
    EXPECT_NEAR(system.GetParticle(0).y, 91.0f, 1e-3f);
    EXPECT_NEAR(system.GetParticle(0).x, 100.0f, 1e-3f);

    system.MoveTo(110.0f, 80.0f, true);
    EXPECT_NEAR(system.GetParticle(0).x, 110.0f, 1e-3f);
    EXPECT_NEAR(system.GetParticle(0).y, 71.0f, 1e-3f);
    system.MoveTo(0.0f, 0.0f, false);
    EXPECT_NEAR(system.GetParticle(0).x, 110.0f, 1e-3f);
}

TEST(AnimParticleSystem, BoundingBoxIsKeptOnlyWhenAskedAndStartsOverEachUpdate)
{
    ParticleRandomScope random;
    CXParticleSystemInfo info = Settings(120, -1.0f, 10.0f);
    info.fSpeedMin = info.fSpeedMax = 10.0f;  // straight up, 10 units per update
    CXParticleSystem system(info, 0.0f);
    system.FireAt(50.0f, 50.0f);
    Steps(system, 3);
    EXPECT_TRUE(system.GetBoundingBox().bEmpty) << "off unless asked for";

    // Two particles per update; the box holds those moved in this update, not the new ones.
    system.TrackBoundingBox(true);
    Steps(system, 1);
    const CXParticleBox& box = system.GetBoundingBox();
    ASSERT_FALSE(box.bEmpty);
    EXPECT_NEAR(box.x1, 50.0f, 1e-3f);
    EXPECT_NEAR(box.x2, 50.0f, 1e-3f);
    EXPECT_NEAR(box.y1, 20.0f, 1e-3f);
    EXPECT_NEAR(box.y2, 40.0f, 1e-3f);

    system.Stop(true);
    Steps(system, 1);
    EXPECT_TRUE(system.GetBoundingBox().bEmpty);
}

class AnimParticleFile : public AnimTest {
protected:
    void SetUp() override
    {
        AnimTest::SetUp();
        ParticleSetRandomSource(&m_Random);
    }
    void TearDown() override
    {
        ParticleSetRandomSource(nullptr);
        AnimTest::TearDown();
    }
    MidpointRandom m_Random;
};

TEST_F(AnimParticleFile, SpriteFrameComesFromTheGrid)
{
    WriteSolidPng("p/tex.png", 128, 128, 0xFFFFFFFF);
    std::vector<uint8_t> psi(CXParticleSystemInfo::kFileSize, 0);
    psi[0] = 0x02;  // frame 2
    psi[2] = 0x02;  // alpha blend
    psi[4] = 0x0A;  // emission 10
    WriteBytes("p/base.psi", psi);
    struct Case {
        const char* keys;
        float x, y, w;
        uint16_t frame;
        int emission;
        uint32_t blend;
    };
    const Case cases[] = {
        {"SPRITE_NO=5\nW=32\nH=32\n", 32, 32, 32, 5, 10, 2},
        {"W=32\nH=32\nEMISSION=40\nBLEND=COLORADD|ZWRITE\n", 64, 0, 32, 2, 40, 7},
        {"SPRITE_NO=-3\nW=32\nH=32\n", 0, 0, 32, 0, 10, 2},
        {"SPRITE_NO=3\nW=200\nH=16\n", 0, 48, 200, 3, 10, 2},  // wider than the texture: one column
        {"SPRITE_NO=1\n", 0, 128, 128, 1, 10, 2},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "p/sys" + std::to_string(n++) + ".ptc";
        WriteText(name, std::string("TEX=tex.png\nPSI=base.psi\nSIZE_START=1\n") + c.keys);
        CX2DParticle particle;
        ASSERT_TRUE(particle.Load(name.c_str())) << c.keys;
        const CXSpriteCore* core = particle.GetCore();
        EXPECT_EQ(core->m_fTexX, c.x) << c.keys;
        EXPECT_EQ(core->m_fTexY, c.y) << c.keys;
        EXPECT_EQ(core->m_fWidth, c.w) << c.keys;
        EXPECT_EQ(core->m_fHotX, c.w / 2) << c.keys;
        EXPECT_EQ(core->m_Quad.blend, c.blend) << c.keys;
        EXPECT_EQ(particle.GetInfo()->wFrame, c.frame) << c.keys;
        EXPECT_EQ(particle.GetInfo()->nEmission, c.emission) << c.keys;
        EXPECT_FLOAT_EQ(particle.GetInfo()->fSizeStart, 32.0f / c.w) << c.keys;
        EXPECT_EQ(particle.GetInfo()->pSprite, &particle) << c.keys;
    }
}

TEST_F(AnimParticleFile, LoadFailsWithoutFileOrTexture)
{
    WriteText("p/notex.ptc", "TEX=none.png\n");
    for (const char* name : {"", "p/absent.ptc", "p/notex.ptc"}) {
        CX2DParticle particle;
        EXPECT_FALSE(particle.Load(name)) << name;
        particle.FireAt(1, 1);
        particle.Update(0.1f);
        particle.Render();
    }
}

TEST_F(AnimParticleFile, ParticlesAreDrawnInTheirColourAndTheSpriteColourIsKept)
{
    WriteSolidPng("p/dot.png", 8, 8, 0xFFFFFFFF);
    WriteText("p/dot.ptc",
              "TEX=dot.png\nEMISSION=60\nLIFETIME=-1\nPARTICLE_LIFE_MIN=10\nPARTICLE_LIFE_MAX=10\n"
              "SIZE_START=1\nSIZE_END=1\nCOLOR_START=0xFFFF0000\nCOLOR_END=0xFFFF0000\n");
    CX2DParticle particle;
    ASSERT_TRUE(particle.Load("p/dot.ptc"));
    particle.FireAt(32, 32);
    particle.Update(1.0f / 60.0f);
    ASSERT_EQ(particle.GetSystem()->GetParticlesAlive(), 1);
    Begin();
    particle.Render();
    End();
    // Size 1 draws the 8-pixel image 32 pixels wide around the particle.
    EXPECT_EQ(Pixel(32, 32), 0xFFFF0000u);
    EXPECT_EQ(Pixel(18, 18), 0xFFFF0000u);
    EXPECT_EQ(Pixel(12, 12), 0xFF000000u);
    EXPECT_EQ(particle.GetCore()->m_Quad.v[0].color, 0xFFFFFFFFu);
}

TEST_F(AnimParticleFile, ManagerHoldsAHundredSystemsAndDropsDeadOnes)
{
    WriteSolidPng("p/dot.png", 8, 8, 0xFFFFFFFF);
    WriteText(
        "p/burst.ptc",
        "TEX=dot.png\nEMISSION=60\nLIFETIME=0.05\nPARTICLE_LIFE_MIN=0.1\nPARTICLE_LIFE_MAX=0.1\n");
    CX2DParticle templ;
    ASSERT_TRUE(templ.Load("p/burst.ptc"));
    CX2DParticleManager manager;
    EXPECT_EQ(manager.SpawnPS(&templ, 0, 0), nullptr);  // no core yet
    ASSERT_TRUE(manager.Create(60.0f));
    EXPECT_EQ(manager.SpawnPS(nullptr, 0, 0), nullptr);

    std::vector<CX2DParticle*> spawned;
    for (int i = 0; i < 100; ++i)
        spawned.push_back(manager.SpawnPS(&templ, float(i), 0));
    for (CX2DParticle* p : spawned)
        ASSERT_NE(p, nullptr);
    EXPECT_EQ(manager.SpawnPS(&templ, 0, 0), nullptr);
    EXPECT_EQ(spawned[7]->GetSystem()->m_fLocX, 7.0f);

    spawned[3]->Stop(true);
    manager.Update(1.0f / 60.0f);
    EXPECT_EQ(manager.GetSystemCount(), 99);
    EXPECT_EQ(manager.GetWrapperCount(), 99u);
    CX2DParticle* again = manager.SpawnPS(&templ, 5, 5);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetSystem()->m_Info.pSprite, &templ);

    // Everything bursts briefly, then dies out and goes.
    for (int i = 0; i < 30; ++i)
        manager.Update(1.0f / 60.0f);
    EXPECT_EQ(manager.GetSystemCount(), 0);
    EXPECT_EQ(manager.GetWrapperCount(), 0u);
}

}  // namespace
