// GDI-like fonts and text drawing over FreeType and fontconfig, into 32-bit pixel surfaces.
// Stands in for: CreateFontIndirectA, AddFontResourceExA/RemoveFontResourceExA (FR_PRIVATE), memory
//   device contexts, 32-bit DIB sections, GetTextExtentPoint32A, GetTextMetricsA, DrawTextA.
// Not here: subpixel rendering, rotated text, underline/strike-out, tabs, prefix characters.
#include "platform/text.h"
#include "platform/codepage.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_IDS_H
#include FT_SYNTHESIS_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Code points.

std::u32string DecodeCp949(const char* text, size_t length)
{
    return platform::Cp949ToCodePoints(std::string_view(text, length));
}

void AppendUtf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        s.push_back(static_cast<char>(0xC0 | c >> 6));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        s.push_back(static_cast<char>(0xE0 | c >> 12));
        s.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        s.push_back(static_cast<char>(0xF0 | c >> 18));
        s.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Face names compare without regard to ASCII case.
std::string FoldName(const std::u32string& name)
{
    std::string s;
    for (char32_t c : name)
        AppendUtf8(s, c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s;
}

// ---------------------------------------------------------------------------------------------
// Library, private font registry.

struct PrivateFace {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
    std::vector<std::string> names;  // folded
};

struct Library {
    std::mutex mutex;  // FreeType face creation and destruction, fontconfig, the registry
    FT_Library ft = nullptr;
    bool fcReady = false;
    std::vector<PrivateFace> privates;
};

Library& Lib()
{
    static Library* lib = [] {
        auto* l =
            new Library;  // lives for the process: fonts may be deleted during static destruction
        if (FT_Init_FreeType(&l->ft) != 0)
            l->ft = nullptr;
        l->fcReady = FcInit() == FcTrue;
        return l;
    }();
    return *lib;
}

// One name record as text: UTF-16BE for Unicode encodings, 16-bit big-endian CP949 codes for the
// Korean Windows encodings, bytes otherwise.
std::u32string NameRecordText(const FT_SfntName& n)
{
    std::u32string out;
    const bool windows = n.platform_id == TT_PLATFORM_MICROSOFT;
    const bool unicode =
        n.platform_id == TT_PLATFORM_APPLE_UNICODE ||
        (windows && (n.encoding_id == TT_MS_ID_UNICODE_CS || n.encoding_id == TT_MS_ID_UCS_4 ||
                     n.encoding_id == TT_MS_ID_SYMBOL_CS));
    if (unicode) {
        for (FT_UInt i = 0; i + 1 < n.string_len; i += 2) {
            char32_t c = n.string[i] << 8 | n.string[i + 1];
            if (c >= 0xD800 && c < 0xDC00 && i + 3 < n.string_len) {
                char32_t lo = n.string[i + 2] << 8 | n.string[i + 3];
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            }
            out.push_back(c);
        }
        return out;
    }
    std::string bytes;
    if (windows && n.encoding_id == TT_MS_ID_WANSUNG) {
        for (FT_UInt i = 0; i < n.string_len; ++i)
            if (n.string[i] != 0)
                bytes.push_back(static_cast<char>(n.string[i]));
        return DecodeCp949(bytes.data(), bytes.size());
    }
    if (n.platform_id == TT_PLATFORM_MACINTOSH && n.encoding_id == TT_MAC_ID_KOREAN)
        return DecodeCp949(reinterpret_cast<const char*>(n.string), n.string_len);
    if (n.platform_id == TT_PLATFORM_MACINTOSH && n.encoding_id == TT_MAC_ID_ROMAN) {
        for (FT_UInt i = 0; i < n.string_len; ++i)
            out.push_back(n.string[i]);
    }
    return out;
}

bool FaceIsBold(FT_Face face)
{
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0 || (os2 && os2->usWeightClass >= 600);
}

bool FaceIsItalic(FT_Face face)
{
    return (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
}

bool FindPrivate(Library& lib, const std::string& folded, bool bold, bool italic, std::string* path,
                 int* index)
{
    const PrivateFace* best = nullptr;
    int bestScore = -1;
    for (const auto& f : lib.privates) {
        if (std::find(f.names.begin(), f.names.end(), folded) == f.names.end())
            continue;
        int score = (f.bold == bold ? 2 : 0) + (f.italic == italic ? 1 : 0);
        if (score > bestScore)
            best = &f, bestScore = score;
    }
    if (!best)
        return false;
    *path = best->path;
    *index = best->index;
    return true;
}

// Installed face by name; a missing name yields the best face that covers Korean.
bool FindInstalled(Library& lib, const std::string& utf8Name, int weight, bool italic,
                   std::string* path, int* index)
{
    if (!lib.fcReady)
        return false;
    FcPattern* pattern = FcPatternCreate();
    if (!utf8Name.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8Name.c_str()));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ko"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    FcChar8* file = nullptr;
    int idx = 0;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (ok) {
        *path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &idx);
        *index = idx;
    }
    FcPatternDestroy(match);
    return ok;
}

FT_Face OpenFace(Library& lib, const std::string& path, int index)
{
    FT_Face face = nullptr;
    if (!lib.ft || FT_New_Face(lib.ft, path.c_str(), index, &face) != 0)
        return nullptr;
    return face;
}

struct Glyph {
    int32_t left = 0;  // from the pen position
    int32_t top = 0;   // from the baseline, upwards
    int32_t width = 0;
    int32_t rows = 0;
    int32_t advance = 0;
    std::vector<uint8_t> coverage;  // 0..255, width x rows
};

}  // namespace

// ---------------------------------------------------------------------------------------------

struct TextFontObject {
    TextFontDesc desc;
    std::string file;
    FT_Face face = nullptr;
    FT_Face fallback = nullptr;  // a Korean-covering face for characters the face lacks
    bool fallbackTried = false;
    bool mono = false;
    bool synthBold = false;
    bool synthItalic = false;
    double emX = 12, emY = 12;
    TextMetrics metrics;
    std::unordered_map<char32_t, Glyph> glyphs;

    ~TextFontObject()
    {
        Library& lib = Lib();
        std::lock_guard<std::mutex> lock(lib.mutex);
        if (face)
            FT_Done_Face(face);
        if (fallback)
            FT_Done_Face(fallback);
    }

    void SizeFace(FT_Face f) const
    {
        FT_Set_Char_Size(f, static_cast<FT_F26Dot6>(std::lround(emX * 64)),
                         static_cast<FT_F26Dot6>(std::lround(emY * 64)), 72, 72);
    }

    const Glyph& GetGlyph(char32_t c);
};

struct TextBitmapObject {
    int32_t width = 0;
    int32_t height = 0;
    std::unique_ptr<uint32_t[]> pixels;
};

struct TextDCObject {
    TextFont font = nullptr;
    TextFont defaultFont = nullptr;  // owned; made on first need
    TextBitmap bitmap = nullptr;
    uint32_t textColor = 0x000000;
    uint32_t bkColor = 0xFFFFFF;
    int bkMode = TEXT_BK_OPAQUE;
    int32_t extra = 0;

    TextFont Font()
    {
        if (font)
            return font;
        if (!defaultFont)
            defaultFont = platform::CreateFont(TextFontDesc{});
        return defaultFont;
    }
};

const Glyph& TextFontObject::GetGlyph(char32_t c)
{
    auto it = glyphs.find(c);
    if (it != glyphs.end())
        return it->second;
    Glyph& g = glyphs[c];
    if (c < 0x20)
        return g;  // control characters take no room and draw nothing

    FT_Face f = face;
    FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0) {
        if (!fallbackTried) {
            fallbackTried = true;
            Library& lib = Lib();
            std::lock_guard<std::mutex> lock(lib.mutex);
            std::string path;
            int idx = 0;
            if (FindInstalled(lib, "", desc.weight ? desc.weight : 400, false, &path, &idx) &&
                path != file) {
                fallback = OpenFace(lib, path, idx);
                if (fallback)
                    SizeFace(fallback);
            }
        }
        if (fallback && FT_Get_Char_Index(fallback, c) != 0) {
            f = fallback;
            index = FT_Get_Char_Index(fallback, c);
        }
    }
    // Greyscale text takes outlines even where the face carries 1-bit strikes for the size.
    const FT_Int32 loadFlags = mono ? FT_LOAD_TARGET_MONO : FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(f, index, loadFlags) != 0)
        return g;
    FT_GlyphSlot slot = f->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (synthBold && !FaceIsBold(f))
            FT_GlyphSlot_Embolden(slot);
        if (synthItalic && !FaceIsItalic(f))
            FT_GlyphSlot_Oblique(slot);
    }
    g.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
        return g;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO)
        return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int32_t>(bm.width);
    g.rows = static_cast<int32_t>(bm.rows);
    g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
    for (int32_t y = 0; y < g.rows; ++y) {
        const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int32_t x = 0; x < g.width; ++x) {
            uint8_t v = bm.pixel_mode == FT_PIXEL_MODE_MONO
                            ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                            : (bm.num_grays == 256
                                   ? row[x]
                                   : static_cast<uint8_t>(row[x] * 255 / (bm.num_grays - 1)));
            g.coverage[static_cast<size_t>(y) * g.width + x] = v;
        }
    }
    return g;
}

// ---------------------------------------------------------------------------------------------
// Private fonts.

int platform::AddFontFile(const char* path)
{
    if (!path || !*path)
        return 0;
    Library& lib = Lib();
    std::lock_guard<std::mutex> lock(lib.mutex);
    FT_Face first = OpenFace(lib, path, 0);
    if (!first)
        return 0;
    const FT_Long count = first->num_faces;
    FT_Done_Face(first);
    int added = 0;
    for (FT_Long i = 0; i < count; ++i) {
        FT_Face face = OpenFace(lib, path, static_cast<int>(i));
        if (!face)
            continue;
        PrivateFace pf;
        pf.path = path;
        pf.index = static_cast<int>(i);
        pf.bold = FaceIsBold(face);
        pf.italic = FaceIsItalic(face);
        auto addName = [&pf](const std::u32string& n) {
            if (n.empty())
                return;
            std::string f = FoldName(n);
            if (std::find(pf.names.begin(), pf.names.end(), f) == pf.names.end())
                pf.names.push_back(f);
        };
        if (face->family_name) {
            std::u32string n;
            for (const char* p = face->family_name; *p; ++p)
                n.push_back(static_cast<unsigned char>(*p));
            addName(n);
        }
        const FT_UInt names = FT_Get_Sfnt_Name_Count(face);
        for (FT_UInt k = 0; k < names; ++k) {
            FT_SfntName rec;
            if (FT_Get_Sfnt_Name(face, k, &rec) != 0)
                continue;
            if (rec.name_id == TT_NAME_ID_FONT_FAMILY || rec.name_id == TT_NAME_ID_FULL_NAME ||
                rec.name_id == TT_NAME_ID_TYPOGRAPHIC_FAMILY)
                addName(NameRecordText(rec));
        }
        FT_Done_Face(face);
        lib.privates.push_back(std::move(pf));
        ++added;
    }
    return added;
}

bool platform::RemoveFontFile(const char* path)
{
    if (!path)
        return false;
    Library& lib = Lib();
    std::lock_guard<std::mutex> lock(lib.mutex);
    // One registration is the run of faces one call added, starting at face 0.
    auto first =
        std::find_if(lib.privates.begin(), lib.privates.end(),
                     [path](const PrivateFace& f) { return f.path == path && f.index == 0; });
    if (first == lib.privates.end())
        return false;
    auto last = first + 1;
    while (last != lib.privates.end() && last->path == path && last->index != 0)
        ++last;
    lib.privates.erase(first, last);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Fonts.

TextFont platform::CreateFont(const TextFontDesc& desc)
{
    auto font = std::make_unique<TextFontObject>();
    font->desc = desc;
    font->desc.faceName[sizeof(desc.faceName) - 1] = 0;
    const int weight = desc.weight > 0 ? desc.weight : 400;
    const bool bold = weight >= 600;
    const bool italic = desc.italic != 0;

    const std::u32string name = DecodeCp949(font->desc.faceName, std::strlen(font->desc.faceName));
    const std::string utf8 = platform::Cp949ToUtf8(std::string_view(font->desc.faceName));

    Library& lib = Lib();
    {
        std::lock_guard<std::mutex> lock(lib.mutex);
        std::string path;
        int index = 0;
        if ((!name.empty() && FindPrivate(lib, FoldName(name), bold, italic, &path, &index)) ||
            FindInstalled(lib, utf8, weight, italic, &path, &index)) {
            font->face = OpenFace(lib, path, index);
            font->file = path;
        }
    }
    if (!font->face)
        return nullptr;

    FT_Face face = font->face;
    font->mono = desc.quality == TEXT_QUALITY_NONANTIALIASED;
    font->synthBold = bold && !FaceIsBold(face);
    font->synthItalic = italic && !FaceIsItalic(face);

    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double upem = face->units_per_EM ? face->units_per_EM : 1000;
    double winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    double winDescent = os2 && os2->usWinAscent ? os2->usWinDescent : -face->descender;
    if (winAscent + winDescent <= 0)
        winAscent = upem * 0.8, winDescent = upem * 0.2;
    const double cell = winAscent + winDescent;

    // GDI's sign convention: negative asks for the character height, positive for the cell height.
    const int32_t height = desc.height != 0 ? desc.height : 12;
    font->emY = height < 0 ? -static_cast<double>(height) : height * upem / cell;
    font->emX = font->emY;
    if (desc.width > 0) {
        const double avg = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
        font->emX = desc.width * upem / avg;
    }
    if (FT_IS_SCALABLE(face)) {
        font->SizeFace(face);
    } else if (face->num_fixed_sizes > 0) {
        FT_Select_Size(face, 0);
    }

    TextMetrics& m = font->metrics;
    if (height > 0) {
        m.height = height;
        m.ascent = static_cast<int32_t>(std::lround(height * winAscent / cell));
        m.descent = height - m.ascent;
    } else {
        m.ascent = static_cast<int32_t>(std::lround(winAscent * font->emY / upem));
        m.descent = static_cast<int32_t>(std::lround(winDescent * font->emY / upem));
        m.height = m.ascent + m.descent;
    }
    const double avg = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
    m.aveCharWidth = static_cast<int32_t>(std::lround(avg * font->emX / upem));
    m.maxCharWidth = static_cast<int32_t>(std::lround(face->max_advance_width * font->emX / upem));
    m.externalLeading = 0;
    return font.release();
}

void platform::DeleteFont(TextFont font)
{
    delete font;
}

bool platform::GetFontDesc(TextFont font, TextFontDesc* desc)
{
    if (!font || !desc)
        return false;
    *desc = font->desc;
    return true;
}

const char* platform::GetFontFile(TextFont font)
{
    return font ? font->file.c_str() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Contexts and bitmaps.

TextDC platform::CreateDC()
{
    return new TextDCObject;
}

void platform::DeleteDC(TextDC dc)
{
    if (!dc)
        return;
    platform::DeleteFont(dc->defaultFont);
    delete dc;
}

TextFont platform::SelectFont(TextDC dc, TextFont font)
{
    if (!dc)
        return nullptr;
    TextFont old = dc->font;
    dc->font = font;
    return old;
}

TextBitmap platform::SelectBitmap(TextDC dc, TextBitmap bitmap)
{
    if (!dc)
        return nullptr;
    TextBitmap old = dc->bitmap;
    dc->bitmap = bitmap;
    return old;
}

uint32_t platform::SetTextColor(TextDC dc, uint32_t rgb)
{
    if (!dc)
        return 0;
    return std::exchange(dc->textColor, rgb & 0xFFFFFF);
}
uint32_t platform::GetTextColor(TextDC dc)
{
    return dc ? dc->textColor : 0;
}
uint32_t platform::SetBkColor(TextDC dc, uint32_t rgb)
{
    if (!dc)
        return 0;
    return std::exchange(dc->bkColor, rgb & 0xFFFFFF);
}
uint32_t platform::GetBkColor(TextDC dc)
{
    return dc ? dc->bkColor : 0;
}
int platform::SetBkMode(TextDC dc, int mode)
{
    if (!dc || (mode != TEXT_BK_TRANSPARENT && mode != TEXT_BK_OPAQUE))
        return 0;
    return std::exchange(dc->bkMode, mode);
}
int platform::GetBkMode(TextDC dc)
{
    return dc ? dc->bkMode : 0;
}
int32_t platform::SetCharacterExtra(TextDC dc, int32_t extra)
{
    if (!dc)
        return 0;
    return std::exchange(dc->extra, extra);
}

TextBitmap platform::CreateBitmap(int32_t width, int32_t height, uint32_t** pixels)
{
    if (pixels)
        *pixels = nullptr;
    constexpr int32_t kMaxSide = 16384;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    auto* bitmap = new TextBitmapObject;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels = std::make_unique<uint32_t[]>(static_cast<size_t>(width) * height);
    if (pixels)
        *pixels = bitmap->pixels.get();
    return bitmap;
}

void platform::DeleteBitmap(TextBitmap bitmap)
{
    delete bitmap;
}

// ---------------------------------------------------------------------------------------------
// Measuring and drawing.

namespace {

size_t TextLength(const char* text, int32_t length)
{
    if (!text)
        return 0;
    return length < 0 ? std::strlen(text) : static_cast<size_t>(length);
}

struct Line {
    size_t begin = 0;
    size_t end = 0;
    int32_t width = 0;
};

int32_t RunWidth(TextFontObject& font, const std::u32string& chars, size_t begin, size_t end,
                 int32_t extra)
{
    int32_t w = 0;
    for (size_t i = begin; i < end; ++i)
        w += font.GetGlyph(chars[i]).advance + extra;
    return w;
}

// Splits into lines at CR, LF and CR LF (unless single-line), then at blanks to fit `maxWidth`
// (with word breaking). A word wider than the line stays whole, as GDI leaves it.
std::vector<Line> BreakLines(TextFontObject& font, const std::u32string& chars, uint32_t format,
                             int32_t maxWidth, int32_t extra)
{
    std::vector<Line> lines;
    std::vector<std::pair<size_t, size_t>> hard;
    if (format & TEXT_DT_SINGLELINE) {
        hard.emplace_back(0, chars.size());
    } else {
        size_t start = 0;
        for (size_t i = 0; i <= chars.size(); ++i) {
            if (i == chars.size() || chars[i] == '\r' || chars[i] == '\n') {
                hard.emplace_back(start, i);
                if (i < chars.size() && chars[i] == '\r' && i + 1 < chars.size() &&
                    chars[i + 1] == '\n')
                    ++i;
                start = i + 1;
            }
        }
    }
    for (auto [begin, end] : hard) {
        if (!(format & TEXT_DT_WORDBREAK)) {
            lines.push_back({begin, end, RunWidth(font, chars, begin, end, extra)});
            continue;
        }
        size_t lineStart = begin;
        while (true) {
            size_t lastBlank = std::string::npos;
            int32_t width = 0;
            size_t i = lineStart;
            for (; i < end; ++i) {
                const int32_t w = font.GetGlyph(chars[i]).advance + extra;
                if (width + w > maxWidth && chars[i] != ' ' && lastBlank != std::string::npos)
                    break;
                if (chars[i] == ' ')
                    lastBlank = i;
                width += w;
            }
            if (i >= end) {
                lines.push_back({lineStart, end, RunWidth(font, chars, lineStart, end, extra)});
                break;
            }
            size_t lineEnd = lastBlank;
            while (lineEnd > lineStart && chars[lineEnd - 1] == ' ')
                --lineEnd;
            lines.push_back({lineStart, lineEnd, RunWidth(font, chars, lineStart, lineEnd, extra)});
            lineStart = lastBlank + 1;
            while (lineStart < end && chars[lineStart] == ' ')
                ++lineStart;
            if (lineStart >= end)
                break;
        }
    }
    return lines;
}

struct Clip {
    int32_t left, top, right, bottom;
};

inline uint32_t BlendChannel(uint32_t dst, uint32_t src, uint32_t cov)
{
    return (dst * (255 - cov) + src * cov + 127) / 255;
}

void FillRect(TextBitmapObject& bm, const Clip& clip, int32_t left, int32_t top, int32_t right,
              int32_t bottom, uint32_t rgb)
{
    left = std::max(left, clip.left);
    top = std::max(top, clip.top);
    right = std::min(right, clip.right);
    bottom = std::min(bottom, clip.bottom);
    if (left >= right)
        return;
    for (int32_t y = top; y < bottom; ++y)
        std::fill(&bm.pixels[static_cast<size_t>(y) * bm.width + left],
                  &bm.pixels[static_cast<size_t>(y) * bm.width + right], rgb);
}

void DrawGlyph(TextBitmapObject& bm, const Clip& clip, const Glyph& g, int32_t penX,
               int32_t baseline, uint32_t rgb)
{
    const int32_t x0 = penX + g.left;
    const int32_t y0 = baseline - g.top;
    const uint32_t sr = rgb >> 16 & 0xFF, sg = rgb >> 8 & 0xFF, sb = rgb & 0xFF;
    for (int32_t y = std::max(0, clip.top - y0); y < g.rows && y0 + y < clip.bottom; ++y) {
        uint32_t* row = &bm.pixels[static_cast<size_t>(y0 + y) * bm.width];
        const uint8_t* cov = &g.coverage[static_cast<size_t>(y) * g.width];
        for (int32_t x = std::max(0, clip.left - x0); x < g.width && x0 + x < clip.right; ++x) {
            const uint32_t c = cov[x];
            if (c == 0)
                continue;
            uint32_t& d = row[x0 + x];
            if (c == 255) {
                d = rgb;
            } else {
                d = BlendChannel(d >> 16 & 0xFF, sr, c) << 16 |
                    BlendChannel(d >> 8 & 0xFF, sg, c) << 8 | BlendChannel(d & 0xFF, sb, c);
            }
        }
    }
}

}  // namespace

bool platform::GetTextExtent(TextDC dc, const char* text, int32_t length, TextSize* size)
{
    if (!dc || !size)
        return false;
    TextFont font = dc->Font();
    if (!font) {
        *size = {};
        return false;
    }
    const std::u32string chars = DecodeCp949(text ? text : "", TextLength(text, length));
    size->cx = RunWidth(*font, chars, 0, chars.size(), dc->extra);
    size->cy = font->metrics.height;
    return true;
}

bool platform::GetTextMetrics(TextDC dc, TextMetrics* metrics)
{
    if (!dc || !metrics)
        return false;
    TextFont font = dc->Font();
    if (!font)
        return false;
    *metrics = font->metrics;
    return true;
}

int32_t platform::DrawText(TextDC dc, const char* text, int32_t length, TextRect* rect,
                           uint32_t format)
{
    if (!dc || !rect)
        return 0;
    TextFont font = dc->Font();
    if (!font)
        return 0;
    const std::u32string chars = DecodeCp949(text ? text : "", TextLength(text, length));
    const int32_t rectWidth = rect->right - rect->left;
    const int32_t rectHeight = rect->bottom - rect->top;
    const std::vector<Line> lines = BreakLines(*font, chars, format, rectWidth, dc->extra);
    const int32_t lineHeight = font->metrics.height;
    const int32_t total = lineHeight * static_cast<int32_t>(lines.size());

    if (format & TEXT_DT_CALCRECT) {
        int32_t widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, l.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }

    int32_t top = rect->top;
    const bool vertical = (format & (TEXT_DT_SINGLELINE | TEXT_DT_ALIGN_BLOCK)) != 0;
    if (vertical && (format & TEXT_DT_VCENTER))
        top = rect->top + (rectHeight - total) / 2;
    else if (vertical && (format & TEXT_DT_BOTTOM))
        top = rect->bottom - total;
    const int32_t result =
        vertical && (format & (TEXT_DT_VCENTER | TEXT_DT_BOTTOM)) ? top - rect->top + total : total;

    TextBitmapObject* bm = dc->bitmap;
    if (!bm)
        return result;
    Clip clip{0, 0, bm->width, bm->height};
    if (!(format & TEXT_DT_NOCLIP)) {
        clip.left = std::max(clip.left, rect->left);
        clip.top = std::max(clip.top, rect->top);
        clip.right = std::min(clip.right, rect->right);
        clip.bottom = std::min(clip.bottom, rect->bottom);
    }
    if (clip.left >= clip.right || clip.top >= clip.bottom)
        return result;

    int32_t y = top;
    for (const Line& l : lines) {
        int32_t x = rect->left;
        if (format & TEXT_DT_CENTER)
            x = rect->left + (rectWidth - l.width) / 2;
        else if (format & TEXT_DT_RIGHT)
            x = rect->right - l.width;
        if (dc->bkMode == TEXT_BK_OPAQUE)
            FillRect(*bm, clip, x, y, x + l.width, y + lineHeight, dc->bkColor);
        const int32_t baseline = y + font->metrics.ascent;
        for (size_t i = l.begin; i < l.end; ++i) {
            const Glyph& g = font->GetGlyph(chars[i]);
            if (!g.coverage.empty())
                DrawGlyph(*bm, clip, g, x, baseline, dc->textColor);
            x += g.advance + dc->extra;
        }
        y += lineHeight;
    }
    return result;
}
