// Distortion meshes: node layout and displacement, then drawing into a render target (under Xvfb)
// read back at a few points.
#include <gtest/gtest.h>

#include <vector>

#include "CX2DDistortionMesh.h"
#include "anim_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr uint32_t kClear = 0xFF000000;

TEST(AnimMeshGrid, NodesFollowTheRectangleAndTheirDisplacement)
{
    CX2DDistortionMesh mesh;
    ASSERT_NE(mesh.Create(3, 3), nullptr);
    mesh.SetTextureRect(0, 0, 100, 100);
    const CXDistortionGrid& grid = *mesh.GetGrid();
    EXPECT_EQ(grid.GetNode(2, 1).x, 100.0f);
    EXPECT_EQ(grid.GetNode(2, 1).y, 50.0f);
    EXPECT_EQ(grid.GetNode(2, 1).z, 0.5f);

    struct Case {
        int column, row;
        float dx, dy;
        int reference;
        float x, y;
    };
    const Case cases[] = {
        {1, 1, 0, 0, 2, 50, 50},   // centre
        {1, 1, 5, -5, 0, 55, 45},  // from its own place
        {2, 0, 7, 8, 1, 7, 8},     // from the top left
        {0, 2, 3, 4, 9, 3, 4},     // other references act as the top left
    };
    for (const Case& c : cases) {
        mesh.SetDisplacement(c.column, c.row, c.dx, c.dy, c.reference);
        EXPECT_EQ(grid.GetNode(c.column, c.row).x, c.x) << c.reference;
        EXPECT_EQ(grid.GetNode(c.column, c.row).y, c.y) << c.reference;
    }
    mesh.SetTextureRect(0, 0, 100, 100);
    EXPECT_EQ(grid.GetNode(1, 1).x, 50.0f);
    EXPECT_EQ(grid.GetNode(2, 0).x, 100.0f);
    EXPECT_EQ(grid.GetNode(0, 2).y, 100.0f);
}

TEST(AnimMeshGrid, OutsideNodesAndTooSmallGridsAreIgnored)
{
    CX2DDistortionMesh mesh;
    ASSERT_NE(mesh.Create(4, 2), nullptr);
    mesh.SetTextureRect(0, 0, 30, 10);
    mesh.SetColor(5, 0, 0x12345678);
    mesh.SetColor(-1, 0, 0x12345678);
    mesh.SetColor(0, 2, 0x12345678);
    mesh.SetDisplacement(4, 0, 99, 99, 1);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(mesh.GetGrid()->GetNode(c, r).color, 0xFFFFFFFFu);
            EXPECT_EQ(mesh.GetGrid()->GetNode(c, r).x, c * 10.0f);
        }

    for (auto size : {std::pair{1, 5}, std::pair{5, 1}, std::pair{0, 0}, std::pair{-2, 3}}) {
        EXPECT_EQ(mesh.Create(size.first, size.second), nullptr)
            << size.first << "x" << size.second;
        EXPECT_EQ(mesh.GetGrid(), nullptr);
        mesh.SetTextureRect(0, 0, 10, 10);
        mesh.SetColor(0, 0, 0);
        mesh.SetDisplacement(0, 0, 1, 1, 0);
        mesh.Render(0, 0);
    }
}

class AnimMesh : public AnimTest {
protected:
    // 8 x 8 in four 4 x 4 quadrants: red, green / blue, white.
    HTEXTURE Quadrants()
    {
        std::vector<uint32_t> px(64);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                px[size_t(y) * 8 + x] = y < 4 ? (x < 4 ? kRed : kGreen) : (x < 4 ? kBlue : kWhite);
        m_texture = s_dev->Texture_Create(8, 8, GPU_FORMAT_A8R8G8B8);
        EXPECT_TRUE(s_dev->GetGpu()->Upload(m_texture, px.data(), 8 * 4));
        return m_texture;
    }
    void TearDown() override
    {
        if (m_texture)
            s_dev->Texture_Free(m_texture);
        AnimTest::TearDown();
    }
    HTEXTURE m_texture = nullptr;
};

TEST_F(AnimMesh, TwoByTwoGridDrawsTheRectangleAtItsPlace)
{
    CX2DDistortionMesh mesh;
    ASSERT_NE(mesh.Create(2, 2), nullptr);
    mesh.SetTexture(Quadrants());
    mesh.SetTextureRect(0, 0, 8, 8);
    Begin();
    mesh.Render(10, 20);
    End();
    struct Point {
        int x, y;
        uint32_t colour;
    };
    for (const Point& p :
         {Point{11, 21, kRed}, Point{16, 21, kGreen}, Point{11, 26, kBlue}, Point{17, 27, kWhite},
          Point{9, 21, kClear}, Point{11, 28, kClear}, Point{18, 21, kClear}})
        EXPECT_EQ(Pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST_F(AnimMesh, DisplacedNodesStretchCellsAndColoursTint)
{
    // A 3 x 3 grid over a white image laid out 32 x 32; the right column of nodes is moved 16
    // pixels further right and the left column is coloured blue.
    std::vector<uint32_t> white(64, kWhite);
    m_texture = s_dev->Texture_Create(8, 8, GPU_FORMAT_A8R8G8B8);
    ASSERT_TRUE(s_dev->GetGpu()->Upload(m_texture, white.data(), 8 * 4));
    CX2DDistortionMesh mesh;
    ASSERT_NE(mesh.Create(3, 3), nullptr);
    mesh.SetTexture(m_texture);
    mesh.SetTextureRect(0, 0, 8, 8);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            mesh.SetDisplacement(c, r, c * 16.0f + (c == 2 ? 16.0f : 0.0f), r * 16.0f, 1);
    for (int r = 0; r < 3; ++r)
        mesh.SetColor(0, r, kBlue);
    Begin();
    mesh.Render(0, 0);
    End();
    EXPECT_EQ(Pixel(40, 8), kWhite);  // the stretched right cells reach past x = 32
    EXPECT_EQ(Pixel(47, 24), kWhite);
    EXPECT_EQ(Pixel(50, 8), kClear);
    EXPECT_EQ(Pixel(8, 40), kClear);
    const uint32_t edge = Pixel(0, 8);
    EXPECT_EQ(edge & 0xFF, 0xFFu);                  // blue at the left edge...
    EXPECT_LT((edge >> 16) & 0xFF, 0x20u);          // ...with hardly any red
    EXPECT_GT((Pixel(12, 8) >> 16) & 0xFF, 0x80u);  // whiter toward the middle column
}

}  // namespace
