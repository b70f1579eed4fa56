// GDI-like fonts and text drawing over FreeType and fontconfig, into 32-bit pixel surfaces.
// Stands in for: CreateFontIndirectA / DeleteObject(font) / GetObject(font), AddFontResourceExA and
//   RemoveFontResourceExA with FR_PRIVATE, CreateCompatibleDC / DeleteDC, CreateDIBSection (32-bit,
//   top-down), SelectObject, SetTextColor / SetBkColor / SetBkMode, SetTextCharacterExtra,
//   GetTextExtentPoint32A, GetTextMetricsA, DrawTextA.
// Not here: subpixel (ClearType) rendering, escapement and orientation, underline and strike-out,
//   tab expansion, '&' prefix processing, DT_EDITCONTROL / DT_END_ELLIPSIS; colours carry no
//   palette.
//
// Text is CP949. Colours and pixels are 0x00RRGGBB (the byte order of the pixel surfaces), not the
// 0x00BBGGRR of a COLORREF. A face name that is neither a registered private font nor installed
// falls back, through fontconfig, to an installed face that covers Korean.
#pragma once

#include <cstdint>

// The description a font is made from (the fields of a LOGFONT that matter here).
struct TextFontDesc {
    int32_t height = 0;  // < 0: character (em) height in pixels; > 0: cell height; 0: 12 px cell
    int32_t width = 0;   // average character width in pixels; 0 keeps the face's own aspect
    int32_t escapement = 0;   // kept, not applied
    int32_t orientation = 0;  // kept, not applied
    int32_t weight = 0;       // 0 = 400 (normal); 600 and above draw bold
    uint8_t italic = 0;
    uint8_t underline = 0;  // kept, not applied
    uint8_t strikeOut = 0;  // kept, not applied
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;  // TEXT_QUALITY_NONANTIALIASED draws 1-bit glyphs, all others greyscale
    uint8_t pitchAndFamily = 0;
    char faceName[32] = {};  // CP949, NUL-terminated
};

constexpr uint8_t TEXT_QUALITY_DEFAULT = 0;
constexpr uint8_t TEXT_QUALITY_NONANTIALIASED = 3;
constexpr uint8_t TEXT_QUALITY_ANTIALIASED = 4;
constexpr uint8_t TEXT_CHARSET_HANGUL = 129;

// Background modes.
constexpr int TEXT_BK_TRANSPARENT = 1;
constexpr int TEXT_BK_OPAQUE = 2;

// Format flags of platform::DrawText, with the values callers pass as plain numbers.
constexpr uint32_t TEXT_DT_LEFT = 0x0000;
constexpr uint32_t TEXT_DT_CENTER = 0x0001;
constexpr uint32_t TEXT_DT_RIGHT = 0x0002;
constexpr uint32_t TEXT_DT_VCENTER = 0x0004;  // with TEXT_DT_SINGLELINE (or TEXT_DT_ALIGN_BLOCK)
constexpr uint32_t TEXT_DT_BOTTOM = 0x0008;   // likewise
constexpr uint32_t TEXT_DT_WORDBREAK =
    0x0010;  // break lines at blanks to fit the rectangle's width
constexpr uint32_t TEXT_DT_SINGLELINE = 0x0020;  // CR and LF do not break lines
constexpr uint32_t TEXT_DT_NOCLIP = 0x0100;
constexpr uint32_t TEXT_DT_CALCRECT =
    0x0400;  // measure only: the rectangle's right and bottom are set
constexpr uint32_t TEXT_DT_NOPREFIX = 0x0800;  // accepted; '&' is never special here
// Our own: vertical alignment applies to a block of several lines too (the D3D font's rule).
constexpr uint32_t TEXT_DT_ALIGN_BLOCK = 0x80000000u;

struct TextSize {
    int32_t cx = 0;
    int32_t cy = 0;
};

struct TextRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct TextMetrics {
    int32_t height = 0;  // ascent + descent: the line height
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t aveCharWidth = 0;
    int32_t maxCharWidth = 0;
    int32_t externalLeading = 0;
};

typedef struct TextFontObject* TextFont;
typedef struct TextDCObject* TextDC;
typedef struct TextBitmapObject* TextBitmap;

namespace platform {

// Private fonts: every face in the file becomes findable by each of its family and full names, in
// every language the file names them in (Korean name records included). Returns the number of faces
// registered, 0 when the file cannot be read as a font. Registering a file twice counts it twice;
// removing it once removes one registration. Process-wide, thread-safe.
int AddFontFile(const char* path);
bool RemoveFontFile(const char* path);

// Fonts. Null when no face at all can be opened. Thread-safe to create and delete; one font is used
// by one thread at a time.
TextFont CreateFont(const TextFontDesc& desc);
void DeleteFont(TextFont font);
bool GetFontDesc(TextFont font, TextFontDesc* desc);
// The file the font was opened from (for diagnostics and tests).
const char* GetFontFile(TextFont font);

// Drawing contexts: a font, a bitmap to draw into, colours and modes. A new context has no font
// (the first font drawn with is a default 12 px face), no bitmap, black text on a white, opaque
// background.
TextDC CreateDC();
void DeleteDC(TextDC dc);
TextFont SelectFont(TextDC dc, TextFont font);          // returns the previous font
TextBitmap SelectBitmap(TextDC dc, TextBitmap bitmap);  // returns the previous bitmap
uint32_t SetTextColor(TextDC dc, uint32_t rgb);         // returns the previous colour
uint32_t GetTextColor(TextDC dc);
uint32_t SetBkColor(TextDC dc, uint32_t rgb);
uint32_t GetBkColor(TextDC dc);
int SetBkMode(TextDC dc, int mode);
int GetBkMode(TextDC dc);
int32_t SetCharacterExtra(TextDC dc, int32_t extra);  // pixels added after every character

// 32-bit top-down pixel surface (0x00RRGGBB, rows of width pixels, no padding). The pixels stay
// valid until the bitmap is deleted. Null for sizes below 1 or too large.
TextBitmap CreateBitmap(int32_t width, int32_t height, uint32_t** pixels);
void DeleteBitmap(TextBitmap bitmap);

// Measuring and drawing. `length` -1 means up to the terminating NUL. Extent: the sum of the
// characters' advances (plus the character extra per character) by the line height; CR and LF are
// measured like any other character (as nothing). A lone lead byte at the end counts as one byte.
bool GetTextExtent(TextDC dc, const char* text, int32_t length, TextSize* size);
bool GetTextMetrics(TextDC dc, TextMetrics* metrics);
// Draws into the selected bitmap, clipped to the bitmap and (without TEXT_DT_NOCLIP) to the
// rectangle. Returns the height of the text (with TEXT_DT_VCENTER or TEXT_DT_BOTTOM: the offset
// from the rectangle's top to the bottom of the text), 0 on failure. Without a bitmap only
// measuring works.
int32_t DrawText(TextDC dc, const char* text, int32_t length, TextRect* rect, uint32_t format);

}  // namespace platform
