// Sprites, sprite files, the sprite batch, the GDI surface and fonts, drawn into a render target
// of a real device (under Xvfb) and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CX2DGDI.h"
#include "CX2DSprite.h"
#include "CXFont.h"
#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"
#include "CXString.h"
#include "device_start.h"
#include "platform/files.h"
#include "platform/image.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr uint32_t kClear = 0xFF000000;

class TextSpriteTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_dev = StartTestDevice(320, 240, false); }
    static void TearDownTestSuite() { StopTestDevice(s_dev); }

    void SetUp() override
    {
        ASSERT_NE(s_dev, nullptr) << "the device did not start: " << TestDeviceFailure();
        m_target = s_dev->Target_Create(64, 64, false, GPU_FORMAT_A8R8G8B8);
        ASSERT_NE(m_target, nullptr);
        ASSERT_NE(s_dev->GetSpriteBatch(), nullptr);
        ASSERT_EQ(EngineGetSpriteBatch(), s_dev->GetSpriteBatch())
            << "the device registers its batch";
    }
    void TearDown() override
    {
        if (!s_dev)
            return;
        s_dev->m_bLastPass = true;
        if (s_dev->InScene())
            s_dev->Gfx_EndScene(false);
        Batch().End();
        Batch().SetScale(1.0f, 1.0f);
        for (HTEXTURE t : m_textures)
            s_dev->GetGpu()->DestroyTexture(t);
        s_dev->Target_Free(m_target);
        g_bUseSpriteBatch = 0;
    }

    // An 8 x 8 texture in four 4 x 4 quadrants: red, green / blue, white.
    HTEXTURE Quadrants()
    {
        std::vector<uint32_t> px(64);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                px[y * 8 + x] = y < 4 ? (x < 4 ? kRed : kGreen) : (x < 4 ? kBlue : kWhite);
        return Solid(8, 8, px);
    }
    HTEXTURE Solid(int w, int h, const std::vector<uint32_t>& px)
    {
        HTEXTURE t = s_dev->GetGpu()->CreateTexture(w, h, GPU_FORMAT_A8R8G8B8);
        EXPECT_TRUE(s_dev->GetGpu()->Upload(t, px.data(), w * 4));
        m_textures.push_back(t);
        return t;
    }
    void Begin() { BeginTargetScene(s_dev, m_target, kClear); }
    void End() { s_dev->Gfx_EndScene(false); }
    uint32_t Pixel(int x, int y) { return TargetPixel(s_dev, m_target, x, y); }

    // A font of 16-pixel characters in the bundled face, at scale 1.
    static void CreateFont16(CXFont& font)
    {
        CXFontDesc desc;
        desc.Height = -16;
        std::strcpy(desc.FaceName, "나눔고딕");
        font.SetDesc(desc);
        ASSERT_TRUE(font.Create(1.0f, 1.0f));
    }

    static CXGfxDevice* s_dev;
    HTARGET m_target = nullptr;
    static CXSpriteBatch& Batch() { return *s_dev->GetSpriteBatch(); }
    std::vector<HTEXTURE> m_textures;
};

CXGfxDevice* TextSpriteTest::s_dev = nullptr;

struct Probe {
    int x, y;
    uint32_t colour;
};

TEST_F(TextSpriteTest, SpriteDrawsAtHotSpotWithFlipsScaleAndAlpha)
{
    HTEXTURE tex = Quadrants();
    struct Case {
        const char* name;
        void (*draw)(CX2DSprite&);
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"plain at (10,10)",
         [](CX2DSprite& s) { s.Render(10, 10); },
         {{11, 11, kRed},
          {16, 11, kGreen},
          {11, 16, kBlue},
          {16, 16, kWhite},
          {9, 9, kClear},
          {19, 19, kClear}}},
        {"hot spot (4,4)",
         [](CX2DSprite& s) {
             s.SetHotSpot(4, 4);
             s.Render(30, 30);
         },
         {{27, 27, kRed}, {32, 32, kWhite}, {25, 25, kClear}}},
        {"x flip",
         [](CX2DSprite& s) {
             s.SetFlip(true, false);
             s.Render(10, 10);
         },
         {{11, 11, kGreen}, {16, 11, kRed}, {11, 16, kWhite}}},
        {"scale 2 through RenderEx",
         [](CX2DSprite& s) { s.RenderEx(10, 10, 0.0f, 2.0f); },
         {{12, 12, kRed}, {24, 12, kGreen}, {12, 24, kBlue}, {24, 24, kWhite}, {27, 27, kClear}}},
        {"half turn about the hot spot",
         [](CX2DSprite& s) {
             s.SetHotSpot(4, 4);
             s.RenderEx(30, 30, 3.1415927f, 1.0f);
         },
         {{27, 27, kWhite}, {32, 32, kRed}}},
        {"alpha 0 draws nothing",
         [](CX2DSprite& s) {
             s.SetAlpha(0);
             s.Render(10, 10);
         },
         {{11, 11, kClear}}},
        {"drawing disabled",
         [](CX2DSprite& s) {
             s_dev->m_bLastPass = false;
             s.Render(10, 10);
         },
         {{11, 11, kClear}}},
    };
    for (const auto& c : cases) {
        CX2DSprite sprite;
        ASSERT_NE(sprite.CreateFromTexture(tex, 0, 0, 0, 0), nullptr) << c.name;
        EXPECT_EQ(sprite.GetWidth(), 8.0f) << c.name;
        Begin();
        c.draw(sprite);
        s_dev->m_bLastPass = true;
        End();
        for (const Probe& p : c.probes)
            EXPECT_EQ(Pixel(p.x, p.y), p.colour) << c.name << " at (" << p.x << "," << p.y << ")";
    }
}

TEST_F(TextSpriteTest, SpriteStateWithoutCoreAndOutsideAScene)
{
    CX2DSprite empty;
    EXPECT_EQ(empty.GetWidth(), 0.0f);
    EXPECT_EQ(empty.GetHeight(), 0.0f);
    EXPECT_EQ(empty.GetTexture(), nullptr);
    EXPECT_EQ(empty.GetAlpha(), 255);
    empty.SetAlpha(10);
    empty.Render(1, 1);

    CX2DSprite sprite;
    sprite.CreateFromTexture(Quadrants(), 0, 0, 0, 0);
    sprite.SetColor(0xFF00FF00);
    sprite.SetAlpha(128, -1);
    for (int v = 0; v < 4; ++v)
        EXPECT_EQ(sprite.GetCore()->m_Quad.v[v].color, 0x80FFFFFFu) << v;
    EXPECT_EQ(sprite.GetAlpha(-1), 0);
    EXPECT_EQ(sprite.GetAlpha(2), 128);
    // Outside a scene nothing is drawn and nothing breaks.
    sprite.Render(5, 5);
    Begin();
    End();
    EXPECT_EQ(Pixel(6, 6), kClear);
}

TEST_F(TextSpriteTest, ScaleWithinOneTenMillionthDrawsThePlainPath)
{
    CX2DSprite sprite;
    sprite.CreateFromTexture(Quadrants(), 0, 0, 0, 0);
    sprite.SetHotSpot(4, 4);
    // The plain path puts the corners exactly at position - hot spot; the scaled path scales.
    sprite.m_fHScale = sprite.m_fVScale = 1.00000005f;
    Begin();
    sprite.Render(20, 20);
    EXPECT_EQ(sprite.GetCore()->m_Quad.v[0].x, 16.0f);
    sprite.m_fHScale = sprite.m_fVScale = 1.001f;
    sprite.Render(20, 20);
    EXPECT_FLOAT_EQ(sprite.GetCore()->m_Quad.v[0].x, 20.0f - 4.0f * 1.001f);
    End();
}

TEST_F(TextSpriteTest, AnimationCoreFramesAndModes)
{
    // 10 frames of 4 x 4 in a 16-wide texture: four per row.
    HTEXTURE tex = Solid(16, 12, std::vector<uint32_t>(16 * 12, kWhite));
    struct Case {
        const char* name;
        uint32_t mode;
        std::vector<int> frames;  // after each update of one frame time
    };
    const Case cases[] = {
        {"mode 0 stops on the last frame", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9}},
        {"mode 4 wraps", 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}},
        {"mode 6 ping-pongs", 6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1}},
        {"mode 1 runs backwards and stops", 1, {8, 7, 6, 5, 4, 3, 2, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        CXAnimationCore anim;
        anim.Create(tex, 10, 30.0f, 0, 0, 4, 4);
        anim.SetMode(c.mode);
        anim.Play();
        anim.Update(0.0f);  // the first update only starts the clock
        for (size_t i = 0; i < c.frames.size(); ++i) {
            anim.Update(1.0f / 30.0f + 1e-4f);
            ASSERT_EQ(anim.m_nCurFrame, c.frames[i]) << c.name << " step " << i;
        }
    }
    CXAnimationCore anim;
    anim.Create(tex, 10, 30.0f, 0, 0, 4, 4);
    anim.Play();
    anim.Update(0.0f);
    anim.Update(0.1f);
    EXPECT_EQ(anim.m_nCurFrame, 1) << "one frame per update at most";
    anim.SetFrame(6);  // row 1, column 2
    EXPECT_EQ(anim.m_fTexX, 8.0f);
    EXPECT_EQ(anim.m_fTexY, 4.0f);
    anim.m_fWidth = 0.5f;
    anim.SetFrame(3);  // a width below one pixel is ignored, not divided by
    EXPECT_EQ(anim.m_nCurFrame, 6);
}

TEST_F(TextSpriteTest, SpriteBatchQueuesUntilEndInOrderUnderItsTransform)
{
    HTEXTURE red = Solid(4, 4, std::vector<uint32_t>(16, kRed));
    HTEXTURE blue = Solid(4, 4, std::vector<uint32_t>(16, kBlue));
    EXPECT_FALSE(Batch().Begin(CXSPRITE_ALPHABLEND)) << "no scene";
    Begin();
    ASSERT_TRUE(Batch().Begin(CXSPRITE_ALPHABLEND));
    EXPECT_TRUE(Batch().Begin(CXSPRITE_ALPHABLEND)) << "begun again with the same flags";
    // Queued: red, then blue half over it; then a quad-batch sprite under where the red one is.
    EXPECT_TRUE(Batch().DrawPlain(red, 10, 10, nullptr, kWhite));
    CXSpriteRect half{0, 0, 2, 4};
    EXPECT_TRUE(Batch().DrawPlain(blue, 12, 10, &half, kWhite));
    EXPECT_EQ(Batch().GetQueuedCount(), 2u);
    CX2DSprite green;
    green.CreateFromTexture(Solid(4, 4, std::vector<uint32_t>(16, kGreen)), 0, 0, 0, 0);
    green.Render(10, 10);
    // Rotation about the centre (2, 2) at (30, 30), scaled by 2: covers 26..34.
    EXPECT_TRUE(Batch().Draw(red, 30, 30, 0, 0, 4, 4, 2.0f, 2.0f, 1.5707964f, 2, 2, kWhite));
    EXPECT_TRUE(Batch().End());
    EXPECT_FALSE(Batch().DrawPlain(red, 0, 0, nullptr, kWhite)) << "not begun";
    // Batch scale 2 from the next Begin: the position and the size double.
    Batch().SetScale(2.0f, 2.0f);
    ASSERT_TRUE(Batch().Begin(CXSPRITE_ALPHABLEND));
    Batch().DrawPlain(blue, 20, 2, nullptr, kWhite);
    Batch().End();
    Batch().SetScale(1.0f, 1.0f);
    End();
    const Probe probes[] = {{11, 11, kRed}, {12, 11, kBlue}, {13, 13, kBlue},  {14, 11, kClear},
                            {27, 27, kRed}, {33, 33, kRed},  {25, 25, kClear}, {35, 30, kClear},
                            {41, 5, kBlue}, {47, 11, kBlue}, {39, 5, kClear},  {49, 5, kClear}};
    for (const Probe& p : probes)
        EXPECT_EQ(Pixel(p.x, p.y), p.colour) << "(" << p.x << "," << p.y << ")";
}

TEST_F(TextSpriteTest, SpriteBatchFlagRoutesSpritesThroughTheBatch)
{
    CX2DSprite sprite;
    sprite.CreateFromTexture(Quadrants(), 0, 0, 0, 0);
    sprite.SetHotSpot(4, 4);  // not used on the batch path
    Begin();
    ASSERT_TRUE(Batch().Begin(CXSPRITE_ALPHABLEND));
    g_bUseSpriteBatch = 1;
    sprite.Render(10, 10);
    EXPECT_EQ(Batch().GetQueuedCount(), 1u);
    Batch().End();
    End();
    EXPECT_EQ(Pixel(11, 11), kRed);
    EXPECT_EQ(Pixel(16, 16), kWhite);
}

// ---------------------------------------------------------------------------------------------
// Sprite files.

class TextSpriteFileTest : public TextSpriteTest {
protected:
    void SetUp() override
    {
        TextSpriteTest::SetUp();
        int local = 0;
        m_dir = testing::TempDir() + "txt_sprite_" +
                std::to_string(reinterpret_cast<uintptr_t>(&local) & 0xFFFFFF) + "/";
        ASSERT_TRUE(platform::CreateFolder(m_dir + "img"));
        std::vector<uint32_t> px(128 * 64, kGreen);
        ASSERT_TRUE(
            platform::SaveBmp((m_dir + "img/wide.bmp").c_str(), 128, 64, px.data(), 128 * 4));
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_dir;
    }
    void TearDown() override
    {
        g_strResourceBase = m_savedBase;
        for (const auto& f : platform::FindFiles(m_dir + "*"))
            if (!f.bFolder)
                platform::DeleteFile(m_dir + f.strName);
        platform::DeleteFile(m_dir + "img/wide.bmp");
        TextSpriteTest::TearDown();
    }
    void Write(const char* name, const std::string& text)
    {
        ASSERT_TRUE(platform::WriteFileAtomic(m_dir + name, text.data(), text.size()));
    }
    std::string m_dir;
    std::string m_savedBase;
};

TEST_F(TextSpriteFileTest, GoodFilesSetRectangleHotSpotAlphaAndPosition)
{
    struct Case {
        const char* name;
        std::string text;
        float w, h, hotX, hotY, x, y;
        uint32_t colour;
    };
    const Case cases[] = {
        {"rectangle without hot spot", "TEX = img\\wide.bmp\nX=10\nY=5\nW=100\nH=40\n", 100, 40, 50,
         20, 0, 0, kWhite},
        {"whole texture", "# whole\ntex=img/wide.bmp\nW=0\nH=0\nALPHA=128\n", 128, 64, 64, 32, 0, 0,
         0x80FFFFFF},
        {"hot spot and position",
         "TEX=img/wide.bmp\nHOT_SPOT_X=3.5\nHOT_SPOT_Y=-2\nRENDER_X=12.5\nRENDER_Y=7\n", 128, 64,
         3.5f, -2, 12.5f, 7, kWhite},
    };
    for (const auto& c : cases) {
        Write("good.spr", c.text);
        CX2DSprite sprite;
        ASSERT_TRUE(sprite.Load("good.spr")) << c.name << ": " << s_dev->System_GetErrorMessage();
        EXPECT_EQ(sprite.GetWidth(), c.w) << c.name;
        EXPECT_EQ(sprite.GetHeight(), c.h) << c.name;
        float hx = 0, hy = 0;
        sprite.GetHotSpot(&hx, &hy);
        EXPECT_EQ(hx, c.hotX) << c.name;
        EXPECT_EQ(hy, c.hotY) << c.name;
        EXPECT_EQ(sprite.m_fX, c.x) << c.name;
        EXPECT_EQ(sprite.m_fY, c.y) << c.name;
        EXPECT_EQ(sprite.GetCore()->m_Quad.v[2].color, c.colour) << c.name;
    }
    // Drawn at its stored position: the hot spot (3.5, -2) moves the top left to (9, 9).
    CX2DSprite sprite;
    ASSERT_TRUE(sprite.Load("good.spr"));
    Begin();
    sprite.RenderAtPosition();
    End();
    EXPECT_EQ(Pixel(10, 10), kGreen);
    EXPECT_EQ(Pixel(8, 10), kClear);
}

TEST_F(TextSpriteFileTest, BadAndMissingFilesLeaveNoCore)
{
    Write("notex.spr", "TEX=img/none.bmp\n");
    Write("empty.spr", "");
    Write("garbage.spr", std::string("\x01\x02\xFF=\n==\n", 8));
    struct Case {
        const char* name;
        const char* file;
        const char* error;  // expected start of the device's error text, or null
    };
    const Case cases[] = {
        {"missing sprite file", "absent.spr", nullptr},
        {"missing texture", "notex.spr", "Can't load resource: "},
        {"empty file", "empty.spr", nullptr},
        {"garbage", "garbage.spr", nullptr},
        {"null name", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        CX2DSprite sprite;
        sprite.CreateFromTexture(Quadrants(), 0, 0, 0, 0);
        EXPECT_FALSE(sprite.Load(c.file)) << c.name;
        if (c.error) {
            EXPECT_EQ(std::string(s_dev->System_GetErrorMessage()).rfind(c.error, 0), 0u)
                << c.name << ": " << s_dev->System_GetErrorMessage();
            EXPECT_EQ(sprite.GetCore(), nullptr) << c.name;
        }
        Begin();
        sprite.Render(0, 0);
        End();
    }
}

// ---------------------------------------------------------------------------------------------
// GDI surface and fonts.

TextFont KoreanFont(int32_t height)
{
    TextFontDesc d;
    std::strcpy(d.faceName, "나눔고딕");
    d.height = height;
    return platform::CreateFont(d);
}

TEST_F(TextSpriteTest, GdiCopyKeepsKeyColouredPixelsOutOfTheTexture)
{
    constexpr uint32_t kFill = 0x12345678;
    struct Case {
        const char* name;
        bool draw;
        int32_t dx, dy, sx, sy, w, h;
        Probe probes[3];
    };
    const Case cases[] = {
        {"nothing drawn changes nothing",
         false,
         0,
         0,
         0,
         0,
         0,
         0,
         {{0, 0, kFill}, {50, 10, kFill}, {63, 19, kFill}}},
        {"whole surface cut to the texture",
         true,
         0,
         0,
         0,
         0,
         0,
         0,
         {{0, 0, 0xFF000000}, {63, 0, 0xFF000000}, {0, 25, kFill}}},
        {"source past the surface edge",
         true,
         10,
         30,
         90,
         0,
         50,
         5,
         {{10, 30, 0xFF000000}, {19, 30, 0xFF000000}, {20, 30, kFill}}},
        {"negative offsets clamp to the edges",
         true,
         -5,
         -7,
         -3,
         -1,
         4,
         4,
         {{0, 0, 0xFF000000}, {3, 3, 0xFF000000}, {4, 0, kFill}}},
    };
    TextFont font = KoreanFont(-16);
    for (const auto& c : cases) {
        HTEXTURE tex = Solid(64, 40, std::vector<uint32_t>(64 * 40, kFill));
        CX2DGDI gdi;
        gdi.SetFont(font);
        ASSERT_TRUE(gdi.Resize(100, 20)) << c.name;
        if (c.draw) {
            // Black everywhere: the drawn colour 0 copies as opaque black.
            platform::SetBkMode(gdi.GetDC(), TEXT_BK_OPAQUE);
            platform::SetBkColor(gdi.GetDC(), 0x000000);
            gdi.Clear(0x000000);
        }
        gdi.CopyToTexture(tex, c.dx, c.dy, c.sx, c.sy, c.w, c.h);
        std::vector<uint32_t> px(64 * 40);
        ASSERT_TRUE(s_dev->GetGpu()->ReadPixels(tex, nullptr, px.data()));
        for (const Probe& p : c.probes)
            EXPECT_EQ(px[p.y * 64 + p.x], p.colour)
                << c.name << " at (" << p.x << "," << p.y << ")";
    }
    // Text over the key colour: glyph pixels land opaque, the rest stays; a pixel that happens to
    // be 0x010101 counts as background.
    HTEXTURE tex = Solid(100, 20, std::vector<uint32_t>(100 * 20, kFill));
    CX2DGDI gdi;
    gdi.SetFont(font);
    gdi.Resize(100, 20);
    platform::SetBkMode(gdi.GetDC(), TEXT_BK_TRANSPARENT);
    platform::SetTextColor(gdi.GetDC(), 0x000000);
    TextRect rect{0, 0, 100, 20};
    platform::DrawText(gdi.GetDC(), "가나다", -1, &rect, TEXT_DT_SINGLELINE);
    gdi.GetPixels()[99] = 0x00010101;
    gdi.CopyToTexture(tex, 0, 0, 0, 0, 0, 0);
    std::vector<uint32_t> px(100 * 20);
    s_dev->GetGpu()->ReadPixels(tex, nullptr, px.data());
    int black = 0;
    for (int i = 0; i < 100 * 20; ++i) {
        const uint32_t drawn = gdi.GetPixels()[i] & 0xFFFFFF;
        ASSERT_EQ(px[i], drawn == CX2DGDI_KEY_COLOR ? kFill : (0xFF000000 | drawn)) << i;
        black += px[i] == 0xFF000000;
    }
    EXPECT_GT(black, 20);
    platform::DeleteFont(font);
}

TEST_F(TextSpriteTest, GdiResizeKeepsColoursAndFillTextureSetsEveryTexel)
{
    CX2DGDI gdi;
    platform::SetTextColor(gdi.GetDC(), 0x102030);
    platform::SetBkMode(gdi.GetDC(), TEXT_BK_TRANSPARENT);
    ASSERT_TRUE(gdi.Resize(30, 10));
    EXPECT_EQ(platform::GetTextColor(gdi.GetDC()), 0x102030u);
    EXPECT_EQ(platform::GetBkMode(gdi.GetDC()), TEXT_BK_TRANSPARENT);
    EXPECT_EQ(gdi.GetPixels()[299], 0x01010101u) << "every byte 0x01: the key colour";
    EXPECT_FALSE(gdi.Resize(0, 10));
    EXPECT_EQ(gdi.GetPixels(), nullptr);

    HTEXTURE tex = Solid(5, 3, std::vector<uint32_t>(15, 0));
    gdi.FillTexture(tex, 0x80, 0xFFABCDEF);
    std::vector<uint32_t> px(15);
    s_dev->GetGpu()->ReadPixels(tex, nullptr, px.data());
    for (uint32_t p : px)
        EXPECT_EQ(p, 0x80ABCDEFu);
}

TEST_F(TextSpriteTest, FontScalesItsGdiTwinAndDrawsMeasuredText)
{
    CXFontDesc desc;
    desc.Height = 20;
    desc.Width = 8;
    desc.Weight = 400;
    desc.CharSet = 129;
    std::strcpy(desc.FaceName, "나눔고딕");
    CXFont font;
    font.SetDesc(desc);
    ASSERT_TRUE(font.Create(1.5f, 1.5f));
    TextFontDesc gdi;
    ASSERT_TRUE(platform::GetFontDesc(font.GetGDIFont(), &gdi));
    EXPECT_EQ(gdi.height, 30);
    EXPECT_EQ(gdi.width, 12);
    EXPECT_EQ(font.GetHeight(), 20) << "the device font keeps the described size";
    TextSize size;
    ASSERT_TRUE(font.GetTextExtent("가나", &size));
    EXPECT_EQ(size.cy, 20);

    const uint32_t colour = kRed;
    EXPECT_FALSE(font.DrawText("가나", 4, 4, 0, 0, colour, 0)) << "outside a scene";
    Begin();
    EXPECT_TRUE(font.DrawText("가나", 4, 4, 0, 0, colour, 0));
    EXPECT_FALSE(Batch().IsBegun()) << "the batch it began is ended again";
    s_dev->m_bLastPass = false;
    EXPECT_FALSE(font.DrawText("가나", 4, 30, 0, 0, colour, 0));
    s_dev->m_bLastPass = true;
    End();
    // Red ink only inside the measured rectangle.
    std::vector<uint32_t> all(64 * 64);
    ASSERT_TRUE(
        s_dev->GetGpu()->ReadPixels(s_dev->Target_GetTexture(m_target), nullptr, all.data()));
    int inside = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint32_t p = all[y * 64 + x];
            if (p == kClear)
                continue;
            EXPECT_EQ(p & 0x00FFFF, 0u) << "(" << x << "," << y << ")";
            EXPECT_TRUE(x >= 4 && x < 4 + size.cx && y >= 4 && y < 4 + size.cy)
                << "(" << x << "," << y << ")";
            ++inside;
        }
    EXPECT_GT(inside, 20);
}

TEST_F(TextSpriteTest, DrawTextNDrawsTheFirstCharactersThenTheWholeTextOverThem)
{
    CXFont font;
    ASSERT_NO_FATAL_FAILURE(CreateFont16(font));
    const char* text = "8888888888";
    TextSize three, ten;
    ASSERT_TRUE(platform::GetTextExtent(font.GetDC(), text, 3, &three));
    ASSERT_TRUE(platform::GetTextExtent(font.GetDC(), text, 10, &ten));
    HTARGET wide = s_dev->Target_Create(ten.cx + 8, ten.cy + 8, false, GPU_FORMAT_A8R8G8B8);
    ASSERT_NE(wide, nullptr);
    ASSERT_TRUE(s_dev->Gfx_BeginScene(wide));
    s_dev->Gfx_Clear(kClear);
    // Half-transparent red on black: ink drawn twice comes out brighter than ink drawn once.
    const uint32_t colour = 0x80FF0000;
    EXPECT_TRUE(font.DrawTextN(text, 3, 0, 0, static_cast<float>(ten.cx),
                               static_cast<float>(ten.cy), colour, 0));
    s_dev->Gfx_EndScene(false);
    std::vector<uint32_t> px(static_cast<size_t>(ten.cx + 8) * (ten.cy + 8));
    ASSERT_TRUE(s_dev->GetGpu()->ReadPixels(s_dev->Target_GetTexture(wide), nullptr, px.data()));
    s_dev->Target_Free(wide);
    uint32_t firstThree = 0, rest = 0;
    for (int y = 0; y < ten.cy; ++y)
        for (int x = 0; x < ten.cx; ++x) {
            const uint32_t red = px[static_cast<size_t>(y) * (ten.cx + 8) + x] >> 16 & 0xFF;
            if (x < three.cx - 2)
                firstThree = std::max(firstThree, red);
            if (x > three.cx + 2)
                rest = std::max(rest, red);
        }
    // One layer of ink of coverage c gives red 255 c/2, two give 255 (1 - (1 - c/2)^2).
    EXPECT_GT(rest, 60u) << "the whole text is drawn";
    EXPECT_GT(firstThree, rest + 30) << "the first three characters are drawn twice, the rest once";
}

TEST_F(TextSpriteTest, FontKeepsAlignmentInsideALargeRectangleAndDrawsBlanksAsNothing)
{
    CXFont font;
    ASSERT_NO_FATAL_FAILURE(CreateFont16(font));
    const uint32_t colour = kWhite;
    Begin();
    EXPECT_TRUE(font.DrawText("가", 0, 0, 64, 64, colour,
                              TEXT_DT_CENTER | TEXT_DT_VCENTER | TEXT_DT_SINGLELINE));
    EXPECT_TRUE(font.DrawText("   ", 0, 0, 64, 64, colour, 0))
        << "blanks leave no ink and still succeed";
    End();
    int left = 64, right = 0, top = 64, bottom = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (Pixel(x, y) != kClear) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
    ASSERT_LT(left, right) << "the character is drawn";
    EXPECT_NEAR((left + right) / 2.0, 32.0, 3.0);
    EXPECT_NEAR((top + bottom) / 2.0, 32.0, 4.0);
}

}  // namespace
