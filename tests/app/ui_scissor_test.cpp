// Clipping UI drawing to a rectangle, drawn into a render target and read back: what lies
// outside stays clear, what was queued before clipping is not clipped, the device's scissor state
// comes back afterwards, and clipping does not nest.
#include <gtest/gtest.h>

#include <vector>

#include "CUITexture.h"
#include "UIScissor.h"
#include "ui_device_fixture.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000;

class ScissorTest : public UIDeviceTest {
protected:
    void SetUp() override
    {
        UIDeviceTest::SetUp();
        m_white = Solid(kTargetWidth, kTargetHeight, kWhite);
        m_red = Solid(8, 8, kRed);
    }
    void TearDown() override
    {
        EndScissor();
        UIDeviceTest::TearDown();
    }
    HTEXTURE m_white = nullptr;
    HTEXTURE m_red = nullptr;
};

TEST_F(ScissorTest, DrawingBetweenBeginAndEndIsClipped)
{
    const CUITexture white(m_white), red(m_red);
    Begin();
    red.Draw(100, 50);  // queued before clipping: drawn whole
    ASSERT_TRUE(BeginScissor(RECT{16, 8, 48, 40}));
    EXPECT_TRUE(IsScissorActive());
    white.Draw(0, 0);
    ASSERT_TRUE(EndScissor());
    EXPECT_FALSE(IsScissorActive());
    red.Draw(200, 60);  // after clipping: drawn whole
    End();

    const Ink box = FindColour(kWhite);
    EXPECT_EQ(box.left, 16);
    EXPECT_EQ(box.top, 8);
    EXPECT_EQ(box.right, 47);
    EXPECT_EQ(box.bottom, 39);
    struct Probe {
        int x, y;
        uint32_t colour;
    };
    const Probe probes[] = {
        {15, 20, kClear},  {48, 20, kClear}, {30, 7, kClear}, {30, 40, kClear}, {0, 0, kClear},
        {255, 95, kClear}, {100, 50, kRed},  {107, 57, kRed}, {200, 60, kRed},  {207, 67, kRed},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(Pixel(p.x, p.y), p.colour) << "(" << p.x << ", " << p.y << ")";
}

TEST_F(ScissorTest, ClippingDoesNotNest)
{
    const CUITexture white(m_white);
    Begin();
    ASSERT_TRUE(BeginScissor(RECT{10, 10, 30, 30}));
    EXPECT_FALSE(BeginScissor(RECT{0, 0, 200, 90}));
    EXPECT_TRUE(IsScissorActive());
    white.Draw(0, 0);
    EXPECT_TRUE(EndScissor());
    EXPECT_FALSE(EndScissor());
    End();

    const Ink box = FindColour(kWhite);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 29);
    EXPECT_EQ(box.bottom, 29);
}

TEST_F(ScissorTest, EndPutsBackTheDeviceState)
{
    Begin();
    const RECT outer{4, 4, 200, 80};
    ASSERT_TRUE(s_dev->Gfx_SetScissorRect(&outer));
    ASSERT_TRUE(s_dev->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, 0));

    ASSERT_TRUE(BeginScissor(RECT{10, 10, 20, 20}));
    RECT inside;
    uint32_t test = 0;
    ASSERT_TRUE(s_dev->Gfx_GetScissorRect(&inside));
    ASSERT_TRUE(s_dev->Gfx_GetRenderState(GFX_RS_SCISSORTESTENABLE, &test));
    EXPECT_EQ(test, 1u);
    EXPECT_EQ(inside.left, 10);
    EXPECT_EQ(inside.bottom, 20);

    ASSERT_TRUE(EndScissor());
    RECT after;
    ASSERT_TRUE(s_dev->Gfx_GetScissorRect(&after));
    ASSERT_TRUE(s_dev->Gfx_GetRenderState(GFX_RS_SCISSORTESTENABLE, &test));
    EXPECT_EQ(test, 0u);
    EXPECT_EQ(after.left, outer.left);
    EXPECT_EQ(after.top, outer.top);
    EXPECT_EQ(after.right, outer.right);
    EXPECT_EQ(after.bottom, outer.bottom);

    // With the test off again, the whole target is drawn.
    CUITexture(m_white).Draw(0, 0);
    End();
    EXPECT_EQ(Pixel(0, 0), kWhite);
    EXPECT_EQ(Pixel(255, 95), kWhite);
}

}  // namespace
