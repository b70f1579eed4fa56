// GDI-like text: face lookup (private, installed, fallback), GDI's size conventions, extents and
// the placement of Korean text drawn into 32-bit surfaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace {

constexpr uint32_t kKey = 0x010101;

TextFontDesc Desc(const char* face, int32_t height, int32_t weight = 400, uint8_t quality = 0)
{
    TextFontDesc d;
    std::strncpy(d.faceName, face, sizeof(d.faceName) - 1);
    d.height = height;
    d.weight = weight;
    d.charSet = TEXT_CHARSET_HANGUL;
    d.quality = quality;
    return d;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// A surface filled with the key colour, a DC on it and a font selected.
struct Surface {
    int32_t w, h;
    uint32_t* px = nullptr;
    TextBitmap bitmap;
    TextDC dc;
    TextFont font;

    Surface(int32_t width, int32_t height, const TextFontDesc& desc) : w(width), h(height)
    {
        bitmap = platform::CreateBitmap(w, h, &px);
        std::fill(px, px + static_cast<size_t>(w) * h, kKey);
        dc = platform::CreateDC();
        font = platform::CreateFont(desc);
        platform::SelectBitmap(dc, bitmap);
        platform::SelectFont(dc, font);
        platform::SetBkMode(dc, TEXT_BK_TRANSPARENT);
        platform::SetTextColor(dc, 0x000000);
    }
    ~Surface()
    {
        platform::DeleteDC(dc);
        platform::DeleteFont(font);
        platform::DeleteBitmap(bitmap);
    }
    uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }

    // Bounding box of the pixels that are no longer the key colour; right/bottom exclusive.
    TextRect Ink() const
    {
        TextRect r{w, h, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (At(x, y) != kKey) {
                    r.left = std::min(r.left, x);
                    r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1);
                    r.bottom = std::max(r.bottom, y + 1);
                }
        return r;
    }
};

}  // namespace

TEST(TextFont, KoreanFacesResolveToInstalledPrivateOrFallbackFiles)
{
    TextFont nanum = platform::CreateFont(Desc("나눔고딕", -16));
    ASSERT_NE(nanum, nullptr);
    const std::string nanumFile = platform::GetFontFile(nanum);
    EXPECT_NE(Lower(nanumFile).find("nanumgothic"), std::string::npos) << nanumFile;

    // A face that is not installed falls back to a face that covers Korean.
    TextFont gulim = platform::CreateFont(Desc("굴림", -12));
    ASSERT_NE(gulim, nullptr);
    EXPECT_NE(Lower(platform::GetFontFile(gulim)).find("nanum"), std::string::npos)
        << platform::GetFontFile(gulim);
    platform::DeleteFont(gulim);

    // A private copy is found first, by its Korean family name, and forgotten when removed.
    int local = 0;
    const std::string copy = testing::TempDir() + "text_font_test_" +
                             std::to_string(reinterpret_cast<uintptr_t>(&local)) + ".ttf";
    const auto bytes = platform::ReadWholeFile(nanumFile);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_TRUE(platform::WriteFileAtomic(copy, bytes->data(), bytes->size()));
    EXPECT_GE(platform::AddFontFile(copy.c_str()), 1);
    for (const char* face : {"나눔고딕", "NanumGothic", "nanumgothic"}) {
        TextFont f = platform::CreateFont(Desc(face, -16));
        ASSERT_NE(f, nullptr) << face;
        EXPECT_EQ(std::string(platform::GetFontFile(f)), copy) << face;
        platform::DeleteFont(f);
    }
    EXPECT_TRUE(platform::RemoveFontFile(copy.c_str()));
    EXPECT_FALSE(platform::RemoveFontFile(copy.c_str()));
    TextFont after = platform::CreateFont(Desc("나눔고딕", -16));
    EXPECT_EQ(std::string(platform::GetFontFile(after)), nanumFile);
    platform::DeleteFont(after);
    EXPECT_EQ(platform::AddFontFile((copy + ".missing").c_str()), 0);
    platform::DeleteFile(copy);
    platform::DeleteFont(nanum);
}

TEST(TextFont, HeightSignConventionAndExtents)
{
    TextDC dc = platform::CreateDC();
    struct Case {
        const char* name;
        int32_t height;
        int32_t expectLineHeight;  // 0: only checked to exceed the em height
    };
    const Case cases[] = {
        {"cell height 20", 20, 20}, {"cell height 33", 33, 33}, {"character height 16", -16, 0}};
    for (const auto& c : cases) {
        TextFont f = platform::CreateFont(Desc("나눔고딕", c.height));
        ASSERT_NE(f, nullptr) << c.name;
        platform::SelectFont(dc, f);
        TextMetrics m;
        ASSERT_TRUE(platform::GetTextMetrics(dc, &m)) << c.name;
        if (c.expectLineHeight)
            EXPECT_EQ(m.height, c.expectLineHeight) << c.name;
        else
            EXPECT_GT(m.height, -c.height) << c.name << ": the cell is taller than the character";
        EXPECT_EQ(m.height, m.ascent + m.descent) << c.name;

        // Hangul syllables share one advance: four of them measure four times one.
        TextSize one, four, sized;
        ASSERT_TRUE(platform::GetTextExtent(dc, "가", -1, &one)) << c.name;
        ASSERT_TRUE(platform::GetTextExtent(dc, "가나다라", -1, &four)) << c.name;
        EXPECT_GT(one.cx, 0) << c.name;
        EXPECT_EQ(four.cx, 4 * one.cx) << c.name;
        EXPECT_EQ(four.cy, m.height) << c.name;
        // The length counts bytes: 4 bytes are two syllables.
        ASSERT_TRUE(platform::GetTextExtent(dc, "가나다라", 4, &sized)) << c.name;
        EXPECT_EQ(sized.cx, 2 * one.cx) << c.name;
        // Character extra spacing is added once per character, double-byte characters counting one.
        platform::SetCharacterExtra(dc, 3);
        ASSERT_TRUE(platform::GetTextExtent(dc, "가나다라", -1, &sized)) << c.name;
        EXPECT_EQ(sized.cx, four.cx + 12) << c.name;
        platform::SetCharacterExtra(dc, 0);
        platform::SelectFont(dc, nullptr);
        platform::DeleteFont(f);
    }
    platform::DeleteDC(dc);
}

TEST(TextFont, WidthFieldNarrowsTheFace)
{
    TextDC dc = platform::CreateDC();
    TextFont normal = platform::CreateFont(Desc("나눔고딕", -20));
    TextFontDesc d = Desc("나눔고딕", -20);
    d.width = 5;
    TextFont narrow = platform::CreateFont(d);
    TextSize a, b;
    platform::SelectFont(dc, normal);
    platform::GetTextExtent(dc, "ABCDEFGH", -1, &a);
    platform::SelectFont(dc, narrow);
    platform::GetTextExtent(dc, "ABCDEFGH", -1, &b);
    TextMetrics m;
    platform::GetTextMetrics(dc, &m);
    EXPECT_LT(b.cx, a.cx);
    EXPECT_EQ(b.cy, a.cy) << "the width does not change the height";
    EXPECT_NEAR(m.aveCharWidth, 5, 1);
    platform::SelectFont(dc, nullptr);
    platform::DeleteFont(normal);
    platform::DeleteFont(narrow);
    platform::DeleteDC(dc);
}

TEST(TextFont, KoreanStringIsPlacedByTheAlignmentFlags)
{
    const char* text = "한글 가나다";
    struct Case {
        const char* name;
        uint32_t format;
        char h;  // 'L', 'C', 'R'
        char v;  // 'T', 'C', 'B'
    };
    const Case cases[] = {
        {"left top", TEXT_DT_SINGLELINE, 'L', 'T'},
        {"centred", TEXT_DT_CENTER | TEXT_DT_VCENTER | TEXT_DT_SINGLELINE, 'C', 'C'},
        {"right bottom", TEXT_DT_RIGHT | TEXT_DT_BOTTOM | TEXT_DT_SINGLELINE, 'R', 'B'},
        {"vcentre needs single line", TEXT_DT_CENTER | TEXT_DT_VCENTER, 'C', 'T'},
        {"block vcentre", TEXT_DT_CENTER | TEXT_DT_VCENTER | TEXT_DT_ALIGN_BLOCK, 'C', 'C'},
    };
    for (const auto& c : cases) {
        Surface s(240, 80, Desc("나눔고딕", -20));
        TextSize ext;
        TextMetrics m;
        ASSERT_TRUE(platform::GetTextExtent(s.dc, text, -1, &ext));
        platform::GetTextMetrics(s.dc, &m);
        TextRect rect{20, 10, 220, 70};
        EXPECT_GT(platform::DrawText(s.dc, text, -1, &rect, c.format), 0) << c.name;
        const TextRect ink = s.Ink();
        ASSERT_LT(ink.left, ink.right) << c.name << ": nothing drawn";
        // The cell the text occupies; ink stays inside it, within a pixel of its sides.
        const int32_t cellX = c.h == 'L' ? 20 : c.h == 'C' ? 20 + (200 - ext.cx) / 2 : 220 - ext.cx;
        const int32_t cellY = c.v == 'T' ? 10 : c.v == 'C' ? 10 + (60 - ext.cy) / 2 : 70 - ext.cy;
        EXPECT_GE(ink.left, cellX) << c.name;
        EXPECT_LE(ink.left, cellX + 3) << c.name;
        EXPECT_LE(ink.right, cellX + ext.cx + 1) << c.name;
        EXPECT_GE(ink.right, cellX + ext.cx - 4) << c.name;
        EXPECT_GE(ink.top, cellY) << c.name;
        EXPECT_LE(ink.bottom, cellY + ext.cy) << c.name;
        EXPECT_GT(ink.bottom, cellY + m.ascent - 3) << c.name << ": glyphs sit on the baseline";
    }
}

TEST(TextFont, KeyColourSurvivesAroundGlyphsAndSolidInkIsExact)
{
    Surface s(160, 40, Desc("나눔고딕", -24));
    platform::SetTextColor(s.dc, 0xFFFFFF);
    TextRect rect{0, 0, 160, 40};
    platform::DrawText(s.dc, "가o", -1, &rect, TEXT_DT_SINGLELINE);
    const TextRect ink = s.Ink();
    int solid = 0, blended = 0;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            const uint32_t p = s.At(x, y);
            const bool inside = x >= ink.left && x < ink.right && y >= ink.top && y < ink.bottom;
            if (!inside) {
                ASSERT_EQ(p, kKey) << "(" << x << "," << y << ")";
            }
            if (p == 0xFFFFFF)
                ++solid;
            else if (p != kKey)
                ++blended;
            ASSERT_EQ(p >> 24, 0u) << "the top byte stays 0";
        }
    EXPECT_GT(solid, 20) << "fully covered pixels take the text colour exactly";
    EXPECT_GT(blended, 0) << "antialiased edges blend with what was there";

    // Without antialiasing every pixel is either untouched or exactly the text colour.
    Surface mono(160, 40, Desc("나눔고딕", -24, 400, TEXT_QUALITY_NONANTIALIASED));
    platform::SetTextColor(mono.dc, 0x12AB34);
    platform::DrawText(mono.dc, "가나", -1, &rect, TEXT_DT_SINGLELINE);
    int drawn = 0;
    for (int i = 0; i < mono.w * mono.h; ++i) {
        ASSERT_TRUE(mono.px[i] == kKey || mono.px[i] == 0x12AB34) << std::hex << mono.px[i];
        drawn += mono.px[i] == 0x12AB34;
    }
    EXPECT_GT(drawn, 20);
}

TEST(TextFont, OpaqueModeFillsTheTextCellWithTheBackground)
{
    Surface s(200, 40, Desc("나눔고딕", -16));
    platform::SetBkMode(s.dc, TEXT_BK_OPAQUE);
    platform::SetBkColor(s.dc, 0x0000FF);
    TextSize ext;
    platform::GetTextExtent(s.dc, "가나", -1, &ext);
    TextRect rect{10, 5, 200, 40};
    platform::DrawText(s.dc, "가나", -1, &rect, 0);
    EXPECT_EQ(s.At(10, 5), 0x0000FFu);
    EXPECT_EQ(s.At(10 + ext.cx - 1, 5 + ext.cy - 1), 0x0000FFu);
    EXPECT_EQ(s.At(10 + ext.cx, 5), kKey);
    EXPECT_EQ(s.At(9, 5), kKey);
    EXPECT_EQ(s.At(10, 5 + ext.cy), kKey);
}

TEST(TextFont, CalcRectLinesAndWordBreaks)
{
    TextDC dc = platform::CreateDC();
    TextFont f = platform::CreateFont(Desc("나눔고딕", 20));
    platform::SelectFont(dc, f);
    TextSize word;
    platform::GetTextExtent(dc, "가나다", -1, &word);
    struct Case {
        const char* name;
        const char* text;
        uint32_t format;
        int32_t width;  // of the rectangle
        int lines;
        int32_t widest;
    };
    const Case cases[] = {
        {"one line", "가나다", 0, 500, 1, word.cx},
        {"CR LF counts once", "가나다\r\n가", 0, 500, 2, word.cx},
        {"LF and CR", "가\n가\r가", 0, 500, 3, word.cx / 3},
        {"single line ignores breaks", "가\n가", TEXT_DT_SINGLELINE, 500, 1, 2 * (word.cx / 3)},
        {"word break at blanks", "가나다 가나다 가나다", TEXT_DT_WORDBREAK, word.cx + 5, 3,
         word.cx},
        {"long word stays whole", "가나다가나다", TEXT_DT_WORDBREAK, word.cx, 1, 2 * word.cx},
        {"empty text", "", 0, 500, 1, 0},
    };
    for (const auto& c : cases) {
        TextRect r{5, 7, 5 + c.width, 1000};
        const int32_t h = platform::DrawText(dc, c.text, -1, &r, c.format | TEXT_DT_CALCRECT);
        EXPECT_EQ(h, c.lines * 20) << c.name;
        EXPECT_EQ(r.bottom, 7 + c.lines * 20) << c.name;
        EXPECT_EQ(r.right, 5 + c.widest) << c.name;
        EXPECT_EQ(r.left, 5) << c.name;
    }
    platform::SelectFont(dc, nullptr);
    platform::DeleteFont(f);
    platform::DeleteDC(dc);
}

TEST(TextFont, ClipsToRectangleAndSurfaceAndToleratesBadInput)
{
    Surface s(60, 30, Desc("나눔고딕", -24));
    // Half outside the surface on every side: only pixels inside change (ASan checks the rest).
    TextRect outside{-30, -15, 90, 45};
    platform::DrawText(s.dc, "가나다라마바사", -1, &outside,
                       TEXT_DT_CENTER | TEXT_DT_VCENTER | TEXT_DT_SINGLELINE);
    EXPECT_LT(s.Ink().left, s.Ink().right);

    // Clipped to the rectangle unless told otherwise.
    Surface c(100, 40, Desc("나눔고딕", -24));
    TextRect small{0, 0, 10, 40};
    platform::DrawText(c.dc, "가나다", -1, &small, TEXT_DT_SINGLELINE);
    EXPECT_LE(c.Ink().right, 10);
    platform::DrawText(c.dc, "가나다", -1, &small, TEXT_DT_SINGLELINE | TEXT_DT_NOCLIP);
    EXPECT_GT(c.Ink().right, 10);

    // A lone lead byte at the end is one character; an inverted rectangle draws nothing.
    TextSize ext;
    EXPECT_TRUE(platform::GetTextExtent(c.dc, "가\xB0", -1, &ext));
    Surface e(40, 40, Desc("나눔고딕", -12));
    TextRect inverted{30, 30, 10, 10};
    platform::DrawText(e.dc, "가", -1, &inverted, 0);
    EXPECT_GE(e.Ink().left, e.Ink().right);

    // An opaque line wholly left or right of the surface, unclipped by its rectangle, fills
    // nothing (and never runs backwards through memory).
    for (const TextRect& away : {TextRect{-100, 0, -50, 20}, TextRect{60, 0, 120, 20}}) {
        Surface o(40, 40, Desc("나눔고딕", -12));
        platform::SetBkMode(o.dc, TEXT_BK_OPAQUE);
        TextRect r = away;
        platform::DrawText(o.dc, "가", -1, &r, TEXT_DT_NOCLIP);
        EXPECT_GE(o.Ink().left, o.Ink().right) << "rectangle from " << away.left;
    }

    uint32_t* px = reinterpret_cast<uint32_t*>(1);
    EXPECT_EQ(platform::CreateBitmap(0, 10, &px), nullptr);
    EXPECT_EQ(px, nullptr);
    EXPECT_EQ(platform::CreateBitmap(10, -1, nullptr), nullptr);
}
