// Text conversions between CP949 and UTF-16 / UTF-8 over glibc iconv.
// Stands in for: MultiByteToWideChar and WideCharToMultiByte with CP_ACP (code page 949).
// Not here: other code pages.
#include "platform/codepage.h"

#include <iconv.h>

#include <cstring>
#include <vector>

namespace platform {
namespace {

enum class Encoding { Utf16, Utf8, Cp949 };

const char* IconvName(Encoding e)
{
    switch (e) {
    case Encoding::Utf16:
        return "UTF-16LE";
    case Encoding::Utf8:
        return "UTF-8";
    case Encoding::Cp949:
        return "CP949";
    }
    return "";
}

// Bytes of the source character starting at p (at most `left` bytes remain). A malformed sequence
// counts only its first byte or unit, so the replacement of a bad character never swallows the
// good character after it.
size_t CharBytes(Encoding e, const unsigned char* p, size_t left)
{
    switch (e) {
    case Encoding::Utf16: {
        if (left < 2)
            return left;
        const unsigned unit = p[0] | p[1] << 8;
        if (unit < 0xD800 || unit > 0xDBFF || left < 4)
            return 2;
        const unsigned next = p[2] | p[3] << 8;
        return (next >= 0xDC00 && next <= 0xDFFF) ? 4 : 2;
    }
    case Encoding::Utf8: {
        const size_t n = p[0] < 0xC0 ? 1 : p[0] < 0xE0 ? 2 : p[0] < 0xF0 ? 3 : p[0] < 0xF8 ? 4 : 1;
        for (size_t i = 1; i < n; ++i)
            if (i >= left || (p[i] & 0xC0) != 0x80)
                return 1;
        return n;
    }
    case Encoding::Cp949:
        return (p[0] >= 0x81 && p[0] <= 0xFE && left >= 2 && p[1] >= 0x41 && p[1] <= 0xFE) ? 2 : 1;
    }
    return 1;
}

class Converter {
public:
    Converter(Encoding from, Encoding to)
        : m_from(from), m_to(to), m_cd(iconv_open(IconvName(to), IconvName(from)))
    {}
    ~Converter()
    {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts src character by character into out; stops at the first character that would take
    // the output past limitBytes.
    void Run(const unsigned char* src, size_t srcBytes, std::vector<char>& out, size_t limitBytes)
    {
        const size_t unit = m_to == Encoding::Utf16 ? 2 : 1;
        size_t pos = 0;
        while (pos < srcBytes) {
            const size_t n = CharBytes(m_from, src + pos, srcBytes - pos);
            char piece[16];
            size_t pieceBytes = ConvertOne(src + pos, n, piece, sizeof piece);
            if (pieceBytes == 0) {
                piece[0] = '?';
                piece[1] = 0;
                pieceBytes = unit;
            }
            if (out.size() + pieceBytes > limitBytes)
                break;
            out.insert(out.end(), piece, piece + pieceBytes);
            pos += n;
        }
    }

private:
    size_t ConvertOne(const unsigned char* p, size_t n, char* piece, size_t pieceSize)
    {
        if (m_cd == iconv_t(-1))
            return 0;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(reinterpret_cast<const char*>(p));
        size_t inLeft = n;
        char* outPtr = piece;
        size_t outLeft = pieceSize;
        if (iconv(m_cd, &in, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0)
            return 0;
        return pieceSize - outLeft;
    }

    Encoding m_from;
    Encoding m_to;
    iconv_t m_cd;
};

std::vector<char> Convert(Encoding from, Encoding to, const void* src, size_t srcBytes,
                          size_t limitBytes)
{
    std::vector<char> out;
    Converter(from, to).Run(static_cast<const unsigned char*>(src), srcBytes, out, limitBytes);
    return out;
}

std::vector<char> Utf16Bytes(const char16_t* src, size_t units)
{
    std::vector<char> bytes(units * 2);
    for (size_t i = 0; i < units; ++i) {
        bytes[2 * i] = char(src[i] & 0xFF);
        bytes[2 * i + 1] = char(src[i] >> 8);
    }
    return bytes;
}

size_t Utf16Length(const char16_t* s)
{
    size_t n = 0;
    if (s)
        while (s[n])
            ++n;
    return n;
}

size_t CopyNarrow(const std::vector<char>& bytes, char* dst)
{
    if (!bytes.empty())
        std::memcpy(dst, bytes.data(), bytes.size());
    dst[bytes.size()] = 0;
    return bytes.size();
}

size_t CopyWide(const std::vector<char>& bytes, char16_t* dst)
{
    const size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units; ++i)
        dst[i] = char16_t(static_cast<unsigned char>(bytes[2 * i]) |
                          static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    dst[units] = 0;
    return units;
}

// Every CP949 double-byte code as a code point (U+FFFD where there is none), built once.
constexpr int kLeadFirst = 0x81;
constexpr int kTrailFirst = 0x41;
constexpr int kTrailCount = 0xFF - kTrailFirst;
constexpr char32_t kBadChar = 0xFFFD;

const std::vector<char32_t>& DoubleByteTable()
{
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t((0xFF - kLeadFirst) * kTrailCount, kBadChar);
        iconv_t cd = iconv_open("UTF-32LE", "CP949");
        if (cd == iconv_t(-1))
            return t;
        for (int lead = kLeadFirst; lead < 0xFF; ++lead) {
            for (int trail = kTrailFirst; trail < 0xFF; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                unsigned char out[4] = {};
                char* pin = in;
                char* pout = reinterpret_cast<char*>(out);
                size_t inLeft = 2;
                size_t outLeft = 4;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &pin, &inLeft, &pout, &outLeft) != size_t(-1) && inLeft == 0 &&
                    outLeft == 0)
                    t[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)] =
                        out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
            }
        }
        iconv_close(cd);
        return t;
    }();
    return table;
}

}  // namespace

std::u32string Cp949ToCodePoints(std::string_view src)
{
    const auto& table = DoubleByteTable();
    std::u32string out;
    out.reserve(src.size());
    const auto* p = reinterpret_cast<const unsigned char*>(src.data());
    const size_t length = src.size();
    for (size_t i = 0; i < length; ++i) {
        const unsigned c = p[i];
        if (c < 0x80) {
            out.push_back(c);
        } else if (c >= kLeadFirst && c < 0xFF && i + 1 < length && p[i + 1] >= kTrailFirst &&
                   p[i + 1] < 0xFF) {
            out.push_back(table[(c - kLeadFirst) * kTrailCount + (p[i + 1] - kTrailFirst)]);
            ++i;
        } else {
            out.push_back(kBadChar);
        }
    }
    return out;
}

size_t Utf16ToCp949(const char16_t* src, char* dst, size_t dstBytes)
{
    if (!dst || dstBytes == 0)
        return 0;
    const std::vector<char> in = Utf16Bytes(src, Utf16Length(src));
    return CopyNarrow(Convert(Encoding::Utf16, Encoding::Cp949, in.data(), in.size(), dstBytes - 1),
                      dst);
}

size_t Cp949ToUtf16(const char* src, char16_t* dst, size_t dstUnits)
{
    if (!dst || dstUnits == 0)
        return 0;
    const size_t n = src ? std::strlen(src) : 0;
    return CopyWide(Convert(Encoding::Cp949, Encoding::Utf16, src, n, (dstUnits - 1) * 2), dst);
}

size_t Utf8ToCp949(const char* src, char* dst, size_t dstBytes)
{
    if (!dst || dstBytes == 0)
        return 0;
    const size_t n = src ? std::strlen(src) : 0;
    return CopyNarrow(Convert(Encoding::Utf8, Encoding::Cp949, src, n, dstBytes - 1), dst);
}

size_t Cp949ToUtf8(const char* src, char* dst, size_t dstBytes)
{
    if (!dst || dstBytes == 0)
        return 0;
    const size_t n = src ? std::strlen(src) : 0;
    return CopyNarrow(Convert(Encoding::Cp949, Encoding::Utf8, src, n, dstBytes - 1), dst);
}

std::string Utf8ToCp949(std::string_view src)
{
    const std::vector<char> out =
        Convert(Encoding::Utf8, Encoding::Cp949, src.data(), src.size(), SIZE_MAX);
    return std::string(out.begin(), out.end());
}

std::string Cp949ToUtf8(std::string_view src)
{
    const std::vector<char> out =
        Convert(Encoding::Cp949, Encoding::Utf8, src.data(), src.size(), SIZE_MAX);
    return std::string(out.begin(), out.end());
}

std::u16string Cp949ToUtf16(std::string_view src)
{
    const std::vector<char> out =
        Convert(Encoding::Cp949, Encoding::Utf16, src.data(), src.size(), SIZE_MAX);
    std::u16string text(out.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(static_cast<unsigned char>(out[2 * i]) |
                           static_cast<unsigned char>(out[2 * i + 1]) << 8);
    return text;
}

std::string Utf16ToCp949(std::u16string_view src)
{
    const std::vector<char> in = Utf16Bytes(src.data(), src.size());
    const std::vector<char> out =
        Convert(Encoding::Utf16, Encoding::Cp949, in.data(), in.size(), SIZE_MAX);
    return std::string(out.begin(), out.end());
}

}  // namespace platform
