// The byte builder, frames, the UTF-8 converter and the answer bodies, against hex written by hand.

#include <gtest/gtest.h>

#include "Answers.h"
#include "ByteBuilder.h"
#include "Hex.h"
#include "Utf16.h"
#include "hex_util.h"

using namespace devserver;
using devserver_test::H;

TEST(ByteBuilderTest, WritesLittleEndianFieldsUnaligned)
{
    struct Case {
        const char* name;
        Bytes built;
        const char* hex;
    };
    const Case cases[] = {
        {"u8", ByteBuilder().U8(0xAB).Take(), "ab"},
        {"u16", ByteBuilder().U16(0xBEEF).Take(), "ef be"},
        {"u32", ByteBuilder().U32(0x01020304).Take(), "04 03 02 01"},
        {"i32 negative", ByteBuilder().I32(-2).Take(), "fe ff ff ff"},
        {"f32", ByteBuilder().F32(-2.0f).Take(), "00 00 00 c0"},
        {"u16 at an odd offset", ByteBuilder().U8(1).U16(0x0203).Take(), "01 03 02"},
        {"u32 at an odd offset", ByteBuilder().U8(9).U32(0xA1B2C3D4).Take(), "09 d4 c3 b2 a1"},
        {"empty wide string", ByteBuilder().WStr(u"").Take(), "00 00"},
        {"wide string", ByteBuilder().WStr(u"A\uD55C").Take(), "04 00 41 00 5c d5"},
        {"chars zero-filled", ByteBuilder().Chars(16, "user").Take(),
         "75 73 65 72 00 00 00 00 00 00 00 00 00 00 00 00"},
        {"chars cut at the width", ByteBuilder().Chars(4, "abcdef").Take(), "61 62 63 64"},
        {"zeros", ByteBuilder().Zeros(3).Take(), "00 00 00"},
        {"frame", Frame(H("05 00 00")), "03 00 05 00 00"},
        {"empty frame", Frame(Bytes{}), "00 00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToHex(c.built, 100), ToHex(H(c.hex), 100)) << c.name;
}

TEST(ByteBuilderTest, RefusesLengthsBeyondSixteenBits)
{
    EXPECT_THROW(Frame(Bytes(0x10000, 0)), std::length_error);
    EXPECT_NO_THROW(Frame(Bytes(0xFFFF, 0)));
    EXPECT_THROW(ByteBuilder().WStr(std::u16string(0x8000, u'a')), std::length_error);
}

TEST(Utf16Test, ConvertsUtf8AndReplacesMalformedInput)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string expected;
    };
    const Case cases[] = {
        {"ascii", "Ab", u"Ab"},
        {"hangul", "\xED\x95\x9C\xEA\xB8\x80", u"\uD55C\uAE00"},
        {"outside the BMP", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
        {"overlong form", "\xC0\xAF", u"\uFFFD"},
        {"truncated sequence", "\xE2\x82", u"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD"},
        {"lone continuation byte then text", "\x80x", u"\uFFFDx"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.expected) << c.name;
    EXPECT_EQ(Utf8ToUtf16(FromU8(u8"플레이어")), u"\uD50C\uB808\uC774\uC5B4");
}

TEST(AnswersTest, BodiesMatchTheMessageTables)
{
    answers::MachineTable seated{};
    seated[0] = {1, 0x0102, 5, 6, 7};         // credit, win, score
    seated[1] = {2, 300, 0x11223344, 99, 9};  // no win field: 99 is not sent
    seated[2] = {7, 5, 1, 1, 1};              // unknown type: the type byte only
    seated[3] = {3, 0xFFFF, 0, 0xFFFFFFFF, 1};

    struct Case {
        const char* name;
        Bytes body;
        const char* hex;
    };
    const Case cases[] = {
        {"version accepted", answers::VersionCheckResult(1), "01 00 01"},
        {"login result", answers::LoginResult(0), "05 00 00"},
        {"user info, empty seats", answers::UserInfo(u"\uD50C\uB808\uC774\uC5B4", 1000000, 3, {}),
         "09 00 00 08 00 0c d5 08 b8 74 c7 b4 c5 40 42 0f 00 03 00 00 00 00 00 00 00"},
        {"user info, seated", answers::UserInfo(u"", 0, 0, seated),
         "09 00 00 00 00 00 00 00 00 00 00 00 00"
         " 01 02 01 05 00 00 00 06 00 00 00 07 00 00 00"
         " 02 2c 01 44 33 22 11 09 00 00 00"
         " 07"
         " 03 ff ff 00 00 00 00 ff ff ff ff 01 00 00 00"},
        {"machine select granted", answers::MachineSelectResult(0, 2, 4, 0x0135),
         "0d 00 00 02 04 35 01"},
        {"machine select refused", answers::MachineSelectResult(3, 2, 4, 0x0135), "0d 00 03"},
        {"coin charged", answers::CoinCharged(0x01020304, 1), "66 00 04 03 02 01 01"},
        {"gift ticket count", answers::GiftTicketCount(10), "67 00 0a 00 00 00 00"},
        {"notice", answers::Notice(u"AB"), "7e 00 04 00 41 00 42 00"},
        {"ping echo", answers::PingEcho(1.5f), "e9 03 00 00 c0 3f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToHex(c.body, 200), ToHex(H(c.hex), 200)) << c.name;
}

TEST(HexTest, ParsesPairsAndShortensLongDumps)
{
    EXPECT_EQ(ParseHex("0a0B ff"), (Bytes{0x0a, 0x0b, 0xff}));
    EXPECT_FALSE(ParseHex("0a0"));
    EXPECT_FALSE(ParseHex("zz"));
    EXPECT_EQ(ToHex(Bytes{1, 2, 3}, 2), "01 02 ... (3 bytes)");
}
