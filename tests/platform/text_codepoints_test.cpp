// CP949 decoded to code points for text drawing: every byte is accounted for.
#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

namespace {

TEST(TextCodePoints, Cp949DecodesPairsAndMarksBrokenBytes)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::u32string expected;
    };
    const Case cases[] = {
        {"ASCII and Hangul", "A\xB0\xA1\xC7\xD1", U"A\uAC00\uD55C"},
        {"extended Hangul (lead 0x81)", "\x81\x41", U"\uAC02"},
        {"lead byte at the end", "a\xB0", U"a\uFFFD"},
        {"lead byte before a byte that is no trail", std::string("\xB0 b", 3), U"\uFFFD b"},
        {"bytes that lead nothing", "\x80\xFF", U"\uFFFD\uFFFD"},
        {"empty", "", U""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::Cp949ToCodePoints(c.bytes), c.expected) << c.what;
}

}  // namespace
