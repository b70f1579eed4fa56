#include "Utf16.h"

namespace devserver {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one sequence at `pos`, advancing past it (past one byte when it is malformed).
char32_t DecodeOne(std::string_view s, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80)
        return lead;

    int trail;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        trail = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        trail = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        trail = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }

    size_t next = pos;
    for (int i = 0; i < trail; ++i, ++next) {
        if (next >= s.size() || (static_cast<unsigned char>(s[next]) & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (static_cast<unsigned char>(s[next]) & 0x3F);
    }
    pos = next;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    return cp;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = DecodeOne(utf8, pos);
        if (cp < 0x10000) {
            out.push_back(static_cast<char16_t>(cp));
        } else {
            const char32_t v = cp - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
    }
    return out;
}

std::string FromU8(std::u8string_view text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace devserver
