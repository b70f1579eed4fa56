// Scroll strips: the endless walk of images, the velocity easing toward the target, the wrap of
// the position and the rows of the wave mesh.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "CX2DEngine.h"
#include "CXDrawBGRandom.h"
#include "CXDrawScrollObject.h"
#include "pelagorn_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

// Answers each draw with the next scripted value.
class ScriptedRandom : public CXDrawBGRandom {
public:
    explicit ScriptedRandom(std::vector<int32_t> values) : m_values(std::move(values)) {}
    int32_t Range(int32_t, int32_t) override
    {
        return m_next < m_values.size() ? m_values[m_next++] : 0;
    }

private:
    std::vector<int32_t> m_values;
    size_t m_next = 0;
};

class PelagornScroll : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        WriteAnf("image/bg/red.anf", 300, 64, {kRed});
        WriteAnf("image/bg/green.anf", 500, 64, {kGreen});
    }
    // A strip of the red (300) and green (500) images, made visible.
    void Build(CXDrawScrollObject& strip, int32_t mode = 0)
    {
        strip.Configure(mode, 2, 40, 3, 5, 80, 1);
        ASSERT_TRUE(strip.AddImage("/image/bg/red.anf"));
        ASSERT_TRUE(strip.AddImage("/image/bg/green.anf"));
        EXPECT_FALSE(strip.AddImage("/image/bg/missing.anf"));
        strip.Init();
        for (auto* element = strip.m_Images.m_pHead; element; element = element->m_pNext) {
            EXPECT_EQ(element->m_pData->GetAlpha(0), 0) << "images are added transparent";
            element->m_pData->SetAlpha(255);
        }
    }
};

TEST_F(PelagornScroll, WalkDrawsTheImagesEndlesslyFromThePosition)
{
    CXDrawScrollObject strip;
    Build(strip);
    EXPECT_EQ(strip.m_fLength, 800.0f);
    strip.m_fY = 100.0f;
    // Position 250: red at -250, green at 50, red at 550, green at 850 (off the target).
    strip.m_fPosition = 250.0f;
    DrawFrame([&] { strip.Draw(); });
    EXPECT_EQ(Pixel(20, 120), 0xFF0000u);
    EXPECT_EQ(Pixel(60, 120), 0x00FF00u);
    EXPECT_EQ(Pixel(549, 120), 0x00FF00u);
    EXPECT_EQ(Pixel(560, 120), 0xFF0000u);
    EXPECT_EQ(Pixel(60, 90), 0x000000u) << "above the strip's top edge";
    // Position 0: red from 0, green from 300, red again from 800.
    strip.m_fPosition = 0.0f;
    DrawFrame([&] { strip.DrawTiled(); });
    EXPECT_EQ(Pixel(0, 120), 0xFF0000u);
    EXPECT_EQ(Pixel(299, 120), 0xFF0000u);
    EXPECT_EQ(Pixel(300, 120), 0x00FF00u);
    EXPECT_EQ(Pixel(767, 120), 0x00FF00u);

    CXDrawScrollObject empty;
    empty.Init();
    EXPECT_EQ(empty.m_fLength, 0.0f);
    DrawFrame([&] { empty.Draw(); });
    EXPECT_EQ(Pixel(0, 0), 0x000000u);
}

TEST_F(PelagornScroll, VelocityEasesTowardTheTargetAndPositionWraps)
{
    struct Case {
        const char* what;
        float factor, previous, target, velocity, dt;
        float velocityAfter, positionAfter;
    };
    const Case cases[] = {
        {"speeding up", 1.0f, 0.0f, 10.0f, 0.0f, 0.5f, 5.0f, 10.0f * 0.25f * 0.5f + 2.5f},
        {"already faster than the target", 1.0f, 0.0f, 10.0f, 12.0f, 0.5f, 12.0f, 1.25f + 6.0f},
        {"slowing to a lower target", 1.0f, 20.0f, 10.0f, 15.0f, 0.5f, 10.0f, 1.25f + 5.0f},
        {"speeding up backwards", 1.0f, 0.0f, -10.0f, 0.0f, 0.5f, -5.0f, -1.25f - 2.5f},
        {"slowing backwards", 1.0f, -20.0f, -10.0f, -15.0f, 0.5f, -10.0f, -1.25f - 5.0f},
        {"factor 0 and previous target 0 stops at once", 0.0f, 0.0f, 5.0f, 3.0f, 0.1f, 0.0f, 0.0f},
        {"target 0 brakes forward motion", 2.0f, 10.0f, 0.0f, 3.0f, 0.1f, 1.0f, -0.1f + 0.1f},
        {"braking never turns the strip round", 2.0f, 10.0f, 0.0f, 1.0f, 0.1f, 0.0f, -0.1f},
        {"braking backwards", 2.0f, -10.0f, 0.0f, -1.0f, 0.1f, 0.0f, 0.1f},
        {"resting strip without a target stays", 2.0f, 10.0f, 0.0f, 0.0f, 0.1f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        CXDrawScrollObject strip;
        strip.m_fLength = 1000.0f;
        strip.m_fSpeed = c.factor;
        strip.m_fPrevTargetSpeed = c.previous;
        strip.m_fTargetSpeed = c.target;
        strip.m_fVelocity = c.velocity;
        strip.Update(c.dt);
        EXPECT_NEAR(strip.m_fVelocity, c.velocityAfter, 1e-4) << c.what;
        EXPECT_NEAR(strip.m_fPosition, c.positionAfter, 1e-4) << c.what;
    }

    // Leaving +-length puts the position back to 0, not to position - length.
    for (const float velocity : {100.0f, -100.0f}) {
        CXDrawScrollObject strip;
        strip.m_fLength = 800.0f;
        strip.m_fPosition = velocity > 0 ? 795.0f : -795.0f;
        strip.m_fSpeed = 1.0f;
        strip.m_fVelocity = strip.m_fTargetSpeed = strip.m_fPrevTargetSpeed = velocity;
        strip.Update(0.01f);
        EXPECT_NEAR(strip.m_fPosition, velocity > 0 ? 796.0f : -796.0f, 0.01);
        strip.Update(0.1f);
        EXPECT_EQ(strip.m_fPosition, 0.0f) << velocity;
    }
}

TEST_F(PelagornScroll, WaveRowsBendMoreTowardTheBottomWithTheSceneGroupsParameters)
{
    std::vector<int32_t> phases;
    for (int i = 0; i < 16; ++i)
        phases.push_back(1000 * i + 500);
    ScriptedRandom random(phases);
    CXDrawBGSetRandomSource(&random);
    CXDrawScrollObject strip;
    strip.m_pScene = &m_scene;
    Build(strip, 1);
    CXDrawBGSetRandomSource(nullptr);
    ASSERT_NE(strip.m_Mesh.GetGrid(), nullptr) << "wave mode makes the 16 x 16 mesh";
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(strip.m_fPhases[i], (1000.0f * i + 500.0f) / 1000.0f - 15.0f + i) << i;

    for (const bool group0 : {false, true}) {
        m_scene.firstGroup = group0;
        const float rate = group0 ? 5.0f : 2.0f, amplitude = group0 ? 80.0f : 40.0f,
                    count = group0 ? 1.0f : 3.0f;
        strip.m_fPosition = 300.0f;
        DrawFrame([&] { strip.Draw(); });
        const CXDistortionGrid& grid = *strip.m_Mesh.GetGrid();
        // Both images are 64 high; the mesh holds the rectangle of the last one drawn.
        const float cellH = 64.0f / 15.0f, cellW = grid.GetNode(15, 0).x / 15.0f;
        const double t = EngineGetTime();
        float largest = 0.0f;
        for (int j = 0; j < 16; ++j) {
            EXPECT_FLOAT_EQ(grid.GetNode(j, 0).y, 0.0f) << "the top row never moves";
            EXPECT_NEAR(grid.GetNode(j, 0).x, j * cellW, 1e-3) << "no horizontal displacement";
            for (const int i : {7, 15}) {
                const float expected =
                    static_cast<float>(i) / 15.0f * amplitude *
                    std::sin((j / 15.0f - 0.5f) * std::numbers::pi_v<float> * count +
                             strip.m_fPhases[i] - static_cast<float>(t) * rate) *
                    0.25f;
                EXPECT_NEAR(grid.GetNode(j, i).y - i * cellH, expected, 1e-3)
                    << j << "," << i << " " << group0;
            }
            largest = std::max(largest, std::fabs(grid.GetNode(j, 15).y - 15 * cellH));
        }
        EXPECT_LE(largest, amplitude / 4.0f + 1e-3f);
        EXPECT_GT(largest, 0.0f);
    }
    m_scene.firstGroup = false;
}

}  // namespace
