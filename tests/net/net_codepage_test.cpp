// CP949 <-> UTF-16 / UTF-8 conversions, with CP949 bytes written by hand.
#include <gtest/gtest.h>

#include "net_test_support.h"
#include "platform/codepage.h"

using net_test::Hex;
using net_test::ToHex;

namespace {

std::string Narrow(const char* hex)
{
    const auto b = Hex(hex);
    return std::string(b.begin(), b.end());
}

std::string HexOf(const std::string& s)
{
    return ToHex(net_test::Bytes(s.begin(), s.end()));
}

}  // namespace

TEST(Codepage, Utf16ToCp949IsBoundedOnACharacterBoundary)
{
    // U+AC00 U+B098 = CP949 b0a1 b3aa.
    const char16_t text[] = u"A\uac00\ub098";
    struct Case {
        size_t size;
        const char* hex;
        size_t written;
    };
    const Case cases[] = {{16, "41b0a1b3aa", 5}, {6, "41b0a1b3aa", 5}, {5, "41b0a1", 3},
                          {4, "41b0a1", 3},      {3, "41", 1},         {1, "", 0}};
    for (const Case& c : cases) {
        char out[16];
        std::memset(out, 0x7f, sizeof out);
        EXPECT_EQ(platform::Utf16ToCp949(text, out, c.size), c.written) << c.size;
        EXPECT_EQ(HexOf(out), c.hex) << c.size;
    }
}

TEST(Codepage, Cp949ToUtf16)
{
    const std::string text = Narrow("41 b0a1 b3aa");
    char16_t out[8];
    EXPECT_EQ(platform::Cp949ToUtf16(text.c_str(), out, 8), 3u);
    EXPECT_EQ(std::u16string(out), u"A\uac00\ub098");
    EXPECT_EQ(platform::Cp949ToUtf16(text.c_str(), out, 3), 2u);
    EXPECT_EQ(std::u16string(out), u"A\uac00");
    EXPECT_EQ(platform::Cp949ToUtf16(text), u"A\uac00\ub098");
}

TEST(Codepage, Utf8RoundTripAndUnconvertibleCharacters)
{
    const std::string utf8 = "\xea\xb0\x80"
                             "b";  // U+AC00 'b'
    EXPECT_EQ(HexOf(platform::Utf8ToCp949(utf8)), "b0a162");
    EXPECT_EQ(platform::Cp949ToUtf8(Narrow("b0a1 62")), utf8);
    char out[3];
    EXPECT_EQ(platform::Utf8ToCp949(utf8.c_str(), out, sizeof out), 2u);
    EXPECT_EQ(HexOf(out), "b0a1");
    // An emoji has no CP949 form.
    EXPECT_EQ(platform::Utf16ToCp949(std::u16string(u"x\U0001F600y")), "x?y");
    EXPECT_EQ(platform::Utf16ToCp949(std::u16string()), "");
}

TEST(Codepage, AMalformedCharacterBecomesOneMarkAndTheNextCharacterSurvives)
{
    struct Case {
        const char* name;
        std::string got;
        std::string expected;
    };
    const char16_t loneHigh[] = {0xD800, u'A', 0};
    const char16_t loneLow[] = {0xDC00, u'B', 0};
    const char16_t highAtEnd[] = {u'C', 0xD800, 0};
    char out[16];
    const Case cases[] = {
        {"UTF-16 high surrogate before a letter", platform::Utf16ToCp949(std::u16string(loneHigh)),
         "?A"},
        {"UTF-16 lone low surrogate", platform::Utf16ToCp949(std::u16string(loneLow)), "?B"},
        {"UTF-16 high surrogate at the end",
         (platform::Utf16ToCp949(highAtEnd, out, sizeof out), std::string(out)), "C?"},
        {"UTF-8 lead byte before a letter",
         platform::Utf8ToCp949(std::string("\xc3"
                                           "A")),
         "?A"},
        {"UTF-8 three-byte lead cut short", platform::Utf8ToCp949(std::string("\xe0\x80")), "??"},
        {"UTF-8 stray continuation byte",
         platform::Utf8ToCp949(std::string("\x80"
                                           "d")),
         "?d"},
        {"CP949 lead byte before a digit", platform::Cp949ToUtf8(Narrow("b0 31")), "?1"},
        {"CP949 lead byte at the end", platform::Cp949ToUtf8(Narrow("41 b0")), "A?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
    EXPECT_EQ(platform::Cp949ToUtf16(Narrow("b0 20 b0a1")), u"? \uac00");
}
