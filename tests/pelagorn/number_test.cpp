// The number display: counting speed, stopping on the target, pulse and alignment.
#include <gtest/gtest.h>

#include <vector>

#include "CXDrawNUMBER.h"
#include "pelagorn_fixture.h"

namespace {

CXDrawNUMBER& Counting(CXDrawNUMBER& number)
{
    number.m_nMode = 1;
    return number;
}

TEST(PelagornNumber, CountSpeedHasAFloorOf30AndGrowsWithTheDistance)
{
    struct Case {
        float baseSpeed;
        uint32_t to;
        float countSpeed, baseAfter;
    };
    const Case cases[] = {
        {10.0f, 1000, 300.0f, 30.0f},  // the base speed is first raised to 30
        {10.0f, 20, 30.0f, 30.0f},     // a short count still runs at the floor
        {50.0f, 1000, 500.0f, 50.0f},
        {50.0f, 0, 50.0f, 50.0f},  // no distance: the base speed
    };
    for (const Case& c : cases) {
        CXDrawNUMBER number;
        Counting(number).m_fSpeed = c.baseSpeed;
        number.SetNumber(c.to, false);
        EXPECT_FLOAT_EQ(number.m_fCountSpeed, c.countSpeed) << c.baseSpeed << " -> " << c.to;
        EXPECT_FLOAT_EQ(number.m_fSpeed, c.baseAfter) << c.baseSpeed << " -> " << c.to;
        EXPECT_EQ(number.m_fDirection, 1.0f);
    }
}

TEST(PelagornNumber, ANewTargetNeverSlowsARunningCount)
{
    CXDrawNUMBER number;
    Counting(number).SetNumber(10000, false);
    EXPECT_FLOAT_EQ(number.m_fCountSpeed, 3000.0f);
    number.UpdateCount(1.0f, 0);
    const double shown = number.m_dShown;
    ASSERT_GT(shown, 2900.0f);
    number.SetNumber(10100, false);  // close to the shown value: a slow speed on its own
    EXPECT_FLOAT_EQ(number.m_fCountSpeed, 3000.0f);
    EXPECT_DOUBLE_EQ(number.m_dShown, shown)
        << "without jump the count goes on from the value shown";

    number.SetNumber(60000, false);  // a far target speeds the count up
    EXPECT_GT(number.m_fCountSpeed, 3000.0f);
}

TEST(PelagornNumber, JumpStartsFromThePreviousTarget)
{
    CXDrawNUMBER number;
    Counting(number).SetNumber(1000, false);
    number.UpdateCount(0.1f, 0);
    ASSERT_LT(number.m_dShown, 1000.0f);
    number.SetNumber(2000, true);
    EXPECT_DOUBLE_EQ(number.m_dShown, 1000.0f);
    EXPECT_EQ(number.m_dwTarget, 2000u);
}

TEST(PelagornNumber, CountsNeverPassTheTargetUpOrDown)
{
    struct Case {
        uint32_t from, to;
        float dt;
    };
    // Large values too: every 32-bit target is reached exactly, and a short count far from zero
    // still moves by less than one unit per step.
    const Case cases[] = {{0, 1000, 0.7f},
                          {0, 1000, 1.0f / 60},
                          {5000, 30, 0.3f},
                          {5000, 0, 1.0f / 60},
                          {7, 3, 2.0f},
                          {0, 2147483647u, 1.0f / 60},
                          {2147483647u, 0, 1.0f / 60},
                          {1u << 30, (1u << 30) + 100, 1.0f / 60},
                          {4294967295u, 4294967195u, 1.0f / 60},
                          {16777216, 16777217, 1.0f / 60}};
    for (const Case& c : cases) {
        CXDrawNUMBER number;
        number.SetNumber(c.from, true);  // not counting yet: shows the start at once
        Counting(number).SetNumber(c.to, false);
        EXPECT_EQ(number.m_fDirection, c.to < c.from ? -1.0f : 1.0f);
        int updates = 0;
        for (; number.m_dShown != static_cast<double>(c.to) && updates < 100000; ++updates) {
            const double before = number.m_dShown;
            number.UpdateCount(c.dt, 0);
            // Each step moves toward the target and never past it; the first bad step ends the
            // case.
            const double to = c.to;
            const bool toward = c.to > c.from ? before < number.m_dShown && number.m_dShown <= to
                                              : before > number.m_dShown && number.m_dShown >= to;
            EXPECT_TRUE(toward) << c.from << " -> " << c.to << ": " << before << " -> "
                                << number.m_dShown;
            if (!toward)
                break;
        }
        EXPECT_EQ(number.m_dShown, static_cast<double>(c.to)) << c.from << " -> " << c.to;
        EXPECT_LT(updates, 100000);
    }
}

TEST(PelagornNumber, OutsideCountingModeANewValueShowsAtOnce)
{
    for (int32_t mode : {0, 2, -1}) {
        CXDrawNUMBER number;
        number.m_nMode = mode;
        number.SetNumber(1234, false);
        EXPECT_EQ(number.m_dShown, 1234.0f) << mode;
        number.SetNumber(5, false);
        EXPECT_EQ(number.m_dShown, 5.0f) << mode;
    }
}

TEST(PelagornNumber, PulseSwingsTheScaleBetweenOneAndTheAmplitude)
{
    CXDrawNUMBER number;
    number.m_bPulse = 1;
    number.m_fPulseRate = 360.0f;
    number.m_fPulseAmplitude = 20.0f;
    float low = 10.0f, high = 0.0f;
    for (int i = 0; i < 240; ++i) {
        number.UpdateCount(1.0f / 60, 0);
        low = std::min(low, number.m_fScale);
        high = std::max(high, number.m_fScale);
    }
    EXPECT_NEAR(low, 1.0f, 0.01f);
    EXPECT_NEAR(high, 1.2f, 0.01f);

    number.m_bPulse = 0;
    const float kept = number.m_fScale;
    number.UpdateCount(0.5f, 0);
    EXPECT_EQ(number.m_fScale, kept);
}

TEST(PelagornNumber, FormatsWithoutOneIntegerConversionAreRefused)
{
    CXDrawNUMBER number;
    for (const char* good : {"%d", "%05u", "[%d]", "%x%%", "%-8d"}) {
        EXPECT_TRUE(number.SetFormat(good)) << good;
        EXPECT_STREQ(number.m_strFormat.GetString(), good);
    }
    for (const char* bad : {"%s", "%d%d", "plain", "%ld", "%*d", "%99d", "%n", "%f", ""}) {
        EXPECT_FALSE(number.SetFormat(bad)) << bad;
        EXPECT_STREQ(number.m_strFormat.GetString(), "%d") << bad;
    }
}

class PelagornNumberDraw : public PelagornTest {
protected:
    // Digit d is an 8 x 12 picture of colour Digit(d).
    static uint32_t Digit(int d) { return 0xFF000000u | uint32_t(20 + d * 20) << 16 | 0x8000u; }
    void SetUp() override
    {
        PelagornTest::SetUp();
        std::vector<uint32_t> colours;
        for (int d = 0; d < 10; ++d)
            colours.push_back(Digit(d));
        WriteAnf("digits.anf", 8, 12, colours, 10);
        ASSERT_TRUE(m_number.m_Digits.Load("digits.anf"));
    }
    CXDrawNUMBER m_number;
};

TEST_F(PelagornNumberDraw, AlignmentCountsEveryCharacterButDrawsOnlyDigits)
{
    struct Case {
        const char* format;
        uint32_t value;
        int alignH, alignV;
        int firstX, topY;  // where the first digit lands
        std::vector<int> digits;
    };
    const Case cases[] = {
        {"%d", 12, 0, 0, 100, 200, {1, 2}},
        {"%d", 12, 1, 1, 92, 194, {1, 2}},
        {"%d", 12, 2, 2, 84, 188, {1, 2}},
        // Three characters centred (24 pixels wide), but the brackets take no room.
        {"[%d]", 7, 1, 0, 88, 200, {7}},
        {"%03d", 5, 2, 0, 76, 200, {0, 0, 5}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_number.SetFormat(c.format));
        m_number.m_fX = 100.0f;
        m_number.m_fY = 200.0f;
        m_number.m_nAlignH = c.alignH;
        m_number.m_nAlignV = c.alignV;
        m_number.SetNumber(c.value, true);
        DrawFrame([&] { m_number.Draw(); });
        for (size_t i = 0; i < c.digits.size(); ++i) {
            const int x = c.firstX + int(i) * 8;
            EXPECT_EQ(Pixel(x + 1, c.topY + 1), Digit(c.digits[i]) & 0xFFFFFF)
                << c.format << " digit " << i;
            EXPECT_EQ(Pixel(x + 6, c.topY + 10), Digit(c.digits[i]) & 0xFFFFFF)
                << c.format << " digit " << i;
        }
        const int end = c.firstX + int(c.digits.size()) * 8;
        EXPECT_EQ(Pixel(c.firstX - 1, c.topY + 1), 0u) << c.format;
        EXPECT_EQ(Pixel(end + 1, c.topY + 1), 0u) << c.format;
        EXPECT_EQ(Pixel(c.firstX + 1, c.topY - 1), 0u) << c.format;
    }
}

TEST_F(PelagornNumberDraw, TheScaleSizesAndPlacesEveryDigit)
{
    m_number.m_fX = 300.0f;
    m_number.m_fY = 300.0f;
    m_number.m_fScale = 2.0f;
    m_number.SetNumber(34, true);
    DrawFrame([&] { m_number.Draw(); });
    EXPECT_EQ(Pixel(301, 301), Digit(3) & 0xFFFFFF);
    EXPECT_EQ(Pixel(314, 322), Digit(3) & 0xFFFFFF);
    EXPECT_EQ(Pixel(317, 301), Digit(4) & 0xFFFFFF);
    EXPECT_EQ(Pixel(330, 322), Digit(4) & 0xFFFFFF);
    EXPECT_EQ(Pixel(333, 301), 0u);
}

}  // namespace
