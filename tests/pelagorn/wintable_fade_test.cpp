// The win table's cycle and roll, its stacked layout, and the fade quad.
#include <gtest/gtest.h>

#include <string>

#include "CXDrawWINTABLE.h"
#include "CXFade.h"
#include "pelagorn_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

class PelagornWinTable : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        const uint32_t colours[] = {kRed, kGreen, kBlue};
        for (int i = 0; i < 3; ++i)
            WriteAnf("image/interface/wintable/table_" + std::to_string(i) + ".anf", 100, 100,
                     {colours[i]});
        const int heights[] = {200, 300, 100};
        for (int i = 0; i < 3; ++i)
            WriteAnf("image/interface/table/wintable_" + std::to_string(i) + ".anf", 200,
                     heights[i], {colours[i]});
    }
    void Load(const std::string& text)
    {
        WriteText("image/interface/wintable/wintable.cfg", text);
        m_table.m_pScene = &m_scene;
        m_table.Init();
    }
    CXDrawWINTABLE m_table;
};

TEST_F(PelagornWinTable, ReadsItsKeysWithTheirDefaults)
{
    struct Case {
        const char* text;
        float speed, idle, x;
    };
    const Case cases[] = {
        {"SPEED=50\nIDLE_TICK=1500\nX_POS=30\nCOUNT=3\nWIN_TABLE=table_%d.anf\n", 100.0f, 1.5f,
         30.0f},
        {"COUNT=3\nWIN_TABLE=table_%d.anf\n", 200.0f, 3.0f, 0.0f},
        {"SPEED= \nIDLE_TICK=\n", 200.0f, 3.0f, 0.0f},
    };
    for (const Case& c : cases) {
        CXDrawWINTABLE table;
        WriteText("image/interface/wintable/wintable.cfg", c.text);
        table.Init();
        EXPECT_EQ(table.m_fSpeed, c.speed) << c.text;
        EXPECT_EQ(table.m_fIdleTime, c.idle) << c.text;
        EXPECT_EQ(table.m_fIdleLeft, c.idle) << c.text;
        EXPECT_EQ(table.m_fX, c.x) << c.text;
        EXPECT_FLOAT_EQ(table.m_fProgress, 99.99999f) << c.text;
    }
}

TEST_F(PelagornWinTable, CyclesAfterEachIdleTimeAndRollsDownward)
{
    Load("SPEED=50\nIDLE_TICK=1000\nX_POS=100\nY_POS=200\nCOUNT=3\nWIN_TABLE=table_%d.anf\n");
    ASSERT_EQ(m_table.m_Tables.GetSize(), 3u);
    // The first idle time ends with the first change of table.
    int first = 0;
    while (m_table.m_dwCurrent == 0 && first < 1000) {
        m_table.Update(1.0f / 60);
        ++first;
    }
    EXPECT_GE(first, 60);
    EXPECT_LE(first, 62);
    EXPECT_EQ(m_table.m_dwCurrent, 1u);
    EXPECT_EQ(m_table.m_fProgress, 0.0f);

    DrawFrame([&] { m_table.Draw(); });
    EXPECT_EQ(Pixel(150, 201), kGreen & 0xFFFFFF) << "at rest only the current table shows, whole";
    EXPECT_EQ(Pixel(150, 298), kGreen & 0xFFFFFF);

    // Idle, then half a transition at 100 percent per second.
    int updates = 0;
    while (m_table.m_fIdleLeft > 0.0f && updates++ < 1000)
        m_table.Update(1.0f / 60);
    m_table.Update(0.5f);
    ASSERT_NEAR(m_table.m_fProgress, 50.125f, 0.01f);
    DrawFrame([&] { m_table.Draw(); });
    EXPECT_EQ(Pixel(150, 205), kBlue & 0xFFFFFF) << "the next table unrolls from the top";
    EXPECT_EQ(Pixel(150, 245), kBlue & 0xFFFFFF);
    EXPECT_EQ(Pixel(150, 256), kGreen & 0xFFFFFF) << "the current one rolls down and shrinks";
    EXPECT_EQ(Pixel(150, 295), kGreen & 0xFFFFFF);
    EXPECT_EQ(Pixel(150, 305), 0u);

    // About one second per transition, then the next idle time.
    m_table.Update(0.5f);
    EXPECT_EQ(m_table.m_dwCurrent, 2u);
    for (int i = 0; i < 200; ++i)
        m_table.Update(1.0f / 60);
    EXPECT_EQ(m_table.m_dwCurrent % 3, 0u) << "the cycle wraps to the first table";
}

TEST_F(PelagornWinTable, ASingleTableRollsIntoItself)
{
    Load("IDLE_TICK=100\nCOUNT=1\nWIN_TABLE=table_%d.anf\n");
    for (int i = 0; i < 200; ++i)
        m_table.Update(1.0f / 60);
    EXPECT_GE(m_table.m_dwCurrent, 2u);
    DrawFrame([&] { m_table.Draw(); });
    EXPECT_EQ(Pixel(50, 50), kRed & 0xFFFFFF);
}

TEST_F(PelagornWinTable, StackedTablesAreCentredOnThePlayfield)
{
    Load("COUNT=3\nWIN_TABLE=table_%d.anf\n");
    // Heights 200, 300 and 100: (1280 - 640) / 2 = 320, then 540 and 860; 200 wide at x 284.
    DrawFrame([&] { m_table.ArrangeTables(); });
    EXPECT_EQ(Pixel(300, 321), kRed & 0xFFFFFF);
    EXPECT_EQ(Pixel(300, 519), kRed & 0xFFFFFF);
    EXPECT_EQ(Pixel(300, 530), 0u);
    EXPECT_EQ(Pixel(300, 541), kGreen & 0xFFFFFF);
    EXPECT_EQ(Pixel(300, 861), kBlue & 0xFFFFFF);
    EXPECT_EQ(Pixel(300, 959), kBlue & 0xFFFFFF);
    EXPECT_EQ(Pixel(283, 400), 0u);
    EXPECT_EQ(Pixel(284, 400), kRed & 0xFFFFFF);

    m_scene.lowered = true;
    DrawFrame([&] { m_table.ArrangeTables(); });
    EXPECT_EQ(Pixel(300, 325), 0u);
    EXPECT_EQ(Pixel(300, 331), kRed & 0xFFFFFF);
}

TEST_F(PelagornWinTable, APatternWithoutOneIntegerLoadsNoCyclingTable)
{
    for (const char* pattern : {"table_%s.anf", "table.anf", "table_%d_%d.anf", "%n"}) {
        CXDrawWINTABLE table;
        WriteText("image/interface/wintable/wintable.cfg",
                  std::string("COUNT=2\nWIN_TABLE=") + pattern + "\n");
        table.Init();
        EXPECT_EQ(table.m_Tables.GetSize(), 0u) << pattern;
        EXPECT_EQ(table.m_StackedTables.GetSize(), 2u) << pattern;
        table.Update(5.0f);
        DrawFrame([&] { table.Draw(); });
    }
}

class PelagornFade : public PelagornTest {};

TEST_F(PelagornFade, FromInitItClearsIn52UpdatesAt60PerSecond)
{
    CXFade fade;
    fade.Init();
    EXPECT_EQ(fade.m_fAlpha, 255.0f);
    EXPECT_EQ(fade.m_nDirection, -1);
    int updates = 0;
    while (fade.m_nDirection != 0 && updates < 1000) {
        fade.Update(1.0f / 60);
        ++updates;
    }
    EXPECT_EQ(updates, 52);
    EXPECT_EQ(fade.m_fAlpha, 0.0f);
}

TEST_F(PelagornFade, AFadeUpStopsExactlyOnItsTarget)
{
    CXFade fade;
    fade.Init();
    fade.m_fAlpha = 0.0f;
    fade.m_fTargetAlpha = 128.0f;
    fade.m_nDirection = 1;
    for (int i = 0; i < 100 && fade.m_nDirection != 0; ++i)
        fade.Update(1.0f / 60);
    EXPECT_EQ(fade.m_fAlpha, 128.0f);
    EXPECT_EQ(fade.m_nDirection, 0);
    EXPECT_EQ(fade.m_Quad.v[2].color, 128u << 24);
}

TEST_F(PelagornFade, DrawsWhileRunningAndAtRestOnlyWhenItCovers)
{
    struct Case {
        float alpha, target;
        int32_t direction;
        bool drawn;
    };
    const Case cases[] = {
        {200.0f, 0.0f, -1, true},
        // fully faded out: it must keep covering
        {255.0f, 255.0f, 0, true},
        {255.0f, 0.0f, 0, true},
        {128.0f, 128.0f, 0, true},
        {0.0f, 0.0f, 0, false},
        {128.0f, 0.0f, 0, false},
    };
    for (const Case& c : cases) {
        CXFade fade;
        fade.Init();
        fade.m_fAlpha = c.alpha;
        fade.m_fTargetAlpha = c.target;
        fade.m_nDirection = c.direction;
        ASSERT_TRUE(s_dev->Gfx_BeginScene(m_target));
        s_dev->Gfx_Clear(0xFFFFFFFF);
        fade.Draw();
        s_dev->Gfx_EndScene(false);
        const uint32_t shade = 255 - static_cast<uint32_t>(c.alpha);
        const uint32_t expected = c.drawn ? (shade << 16 | shade << 8 | shade) : 0xFFFFFF;
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{767, 1279}, std::pair{400, 600}}) {
            const uint32_t pixel = Pixel(x, y);
            EXPECT_NEAR(double(pixel & 0xFF), double(expected & 0xFF), 1.0)
                << c.alpha << " at " << x << "," << y;
        }
    }
}

}  // namespace
