#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "CXString.h"
#include "cxlib/error_log_capture.h"
#include "support/temp_folder.h"

namespace {

std::string Bytes(const CXString& s)
{
    return std::string(s.GetString(), s.GetDataSize());
}

}  // namespace

TEST(CXStringTest, AssignmentIsBinarySafeAndReusesTheBlock)
{
    CXString s;
    EXPECT_STREQ(s.GetString(), "");
    ASSERT_TRUE(s.SetData("ab\0cd", 5));
    EXPECT_EQ(s.GetDataSize(), 5u);
    EXPECT_EQ(s.GetLength(), 2u);
    EXPECT_EQ(Bytes(s), std::string("ab\0cd", 5));

    const char* block = s.GetString();
    s.SetString("xyz");
    EXPECT_EQ(s.GetString(), block) << "a shorter text is copied in place";
    EXPECT_EQ(s.GetLength(), 3u);
    EXPECT_EQ(s.GetDataSize(), 3u);

    CXString copy(s);
    EXPECT_STREQ(copy.GetString(), "xyz");
    CXString binary;
    binary.SetData("a\0b", 3);
    copy.Copy(binary);
    EXPECT_EQ(Bytes(copy), std::string("a\0b", 3));

    EXPECT_TRUE(s.AllocBuffer(4));
    EXPECT_EQ(Bytes(s), std::string(4, '\0'));
    std::snprintf(s.GetBuffer(), 5, "ok");
    EXPECT_EQ(s.GetLength(), 2u) << "text written into the buffer is measured on demand";
}

TEST(CXStringTest, AssigningAPartOfItselfUsesOverlapSafeCopies)
{
    CXString s("0123456789");
    s.SetData(s.GetString() + 3, 5);  // in place, overlapping
    EXPECT_STREQ(s.GetString(), "34567");

    CXString grow("abc");
    // A longer source inside the same block: the block is replaced, the source must be read first.
    grow.SetData(grow.GetString(), 3);
    EXPECT_STREQ(grow.GetString(), "abc");
    grow.Insert(grow.GetString(), 1);
    EXPECT_STREQ(grow.GetString(), "aabcbc");
}

TEST(CXStringTest, SharedEmptyStringIsReadOnly)
{
    CXString& empty = CXString::GetEmptyString();
    EXPECT_TRUE(empty.IsReadOnly());
    EXPECT_FALSE(empty.SetString("changed"));
    empty.Insert("x", 0);
    EXPECT_FALSE(empty.Format("%d", 5));
    EXPECT_FALSE(empty.AllocBuffer(3));
    CXString moved(std::move(empty));
    EXPECT_STREQ(empty.GetString(), "");
    EXPECT_EQ(empty.GetDataSize(), 0u);
    EXPECT_FALSE(moved.IsReadOnly()) << "a copy of the empty string is writable";
    EXPECT_TRUE(moved.SetString("w"));
}

TEST(CXStringTest, SetAtCutsAndRestoresTheText)
{
    CXString s("abcd");
    s.SetAt(2, '\0');
    EXPECT_EQ(s.GetLength(), 2u);
    EXPECT_EQ(s.GetDataSize(), 4u);
    s.SetAt(2, 'x');
    EXPECT_EQ(s.GetLength(), 4u) << "refilling the cut joins the rest of the data";
    s.SetAt(9, 'z');
    EXPECT_EQ(s.GetAt(9), '\0');
    EXPECT_STREQ(s.GetString(), "abxd");
}

TEST(CXStringTest, FormatHandlesLongAndRepeatedTexts)
{
    CXString s;
    std::string big(100000, 'q');
    ASSERT_TRUE(s.Format("<%s>", big.c_str()));
    EXPECT_EQ(s.GetLength(), big.size() + 2);
    ASSERT_TRUE(s.Format("%d-%s", 7, "x"));
    EXPECT_STREQ(s.GetString(), "7-x");
    // The string's own text as an argument.
    ASSERT_TRUE(s.Format("%s%s", s.GetString(), s.GetString()));
    EXPECT_STREQ(s.GetString(), "7-x7-x");
    EXPECT_FALSE(s.Format(nullptr));
    EXPECT_STREQ(s.GetString(), "7-x7-x");
    s.AppendFormat("[%03d]", 5);
    EXPECT_STREQ(s.GetString(), "7-x7-x[005]");
    EXPECT_TRUE(s.Format("%s", ""));
    EXPECT_STREQ(s.GetString(), "");
}

TEST(CXStringTest, FormatReportsAnUnformattableTextOnce)
{
    // A wide-character argument that the CP949 locale of C cannot convert makes vsnprintf fail.
    ErrorLogCapture log;
    CXString s("keep");
    const wchar_t bad[] = {0xD800, 0};
    EXPECT_FALSE(s.Format("%ls", bad));
    EXPECT_STREQ(s.GetString(), "keep");
    EXPECT_EQ(log.Count("\r\n"), 1) << log.Text();
    EXPECT_EQ(log.Count("-[CXString::FormatV] : CXString format fail. [format=%ls]\r\n"), 1)
        << log.Text();
}

TEST(CXStringTest, DateAndTimeTexts)
{
    CXString s;
    // 2001-09-09 01:46:40 UTC; the day is the same in every zone from UTC-1 to UTC+22.
    s.FormatDate(1000000000);
    EXPECT_EQ(s.GetLength(), 10u);
    EXPECT_EQ(std::string(s.GetString()).substr(0, 8), "2001-09-");
    s.FormatTime(1000000000);
    EXPECT_EQ(s.GetLength(), 8u);
    EXPECT_EQ(s.GetAt(2), ':');
    s.FormatDateTime(0);
    EXPECT_EQ(s.GetLength(), 19u) << "0 stands for now";
}

TEST(CXStringTest, CompareOrdersShorterFirst)
{
    struct Case {
        const char* a;
        const char* b;
        unsigned max;
        int expected;
    };
    const Case cases[] = {
        {"B", "AA", 0, -1},       {"AB", "AA", 0, 1},         {"AA", "AB", 0, -1},
        {"abc", "abc", 0, 0},     {"abcdef", "abcxyz", 3, 0}, {"abc", "abcd", 3, 0},
        {"\xB0\xA1", "ab", 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CXString(c.a).Compare(c.b, c.max), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(CXString("a").Compare(nullptr), -1);
}

TEST(CXStringTest, FindCountsFromTheStart)
{
    CXString s("a/b/c/d");
    struct Case {
        char c;
        unsigned from;
        int reverse;
        int expected;
    };
    const Case cases[] = {{'/', 0, 0, 1},  {'/', 2, 0, 1},  {'/', 0, 1, 5},   {'/', 2, 1, 3},
                          {'x', 0, 0, -1}, {'/', 7, 0, -1}, {'/', 100, 1, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(s.FindChar(c.c, c.from, c.reverse), c.expected)
            << "from " << c.from << " rev " << c.reverse;
    EXPECT_EQ(s.Find("c/"), 4);
    EXPECT_EQ(s.Find("c/", 3), 1);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.Find(nullptr), -1);
    EXPECT_EQ(s.Find("a", 9), -1);
}

TEST(CXStringTest, TrimCaseAndCharacterEdits)
{
    struct Case {
        const char* input;
        const char* trimmed;
    };
    const Case trims[] = {{" \t abc \r\n", "abc"},
                          {"abc\xB0", "abc\xB0"},
                          {"\xA1 x", "\xA1 x"},
                          {"   ", ""},
                          {"", ""}};
    for (const Case& c : trims) {
        CXString s(c.input);
        EXPECT_STREQ(s.Trim().GetString(), c.trimmed) << "'" << c.input << "'";
        EXPECT_EQ(s.GetLength(), std::strlen(c.trimmed));
    }

    EXPECT_STREQ(CXString(" key = v ").TrimUpper().GetString(), "KEY = V");
    // "각a" then 'b': the trail byte 0x61 of the first character must not change.
    CXString korean("\x81\x61"
                    "b");
    EXPECT_STREQ(korean.MakeUpper().GetString(), "\x81\x61"
                                                 "B");

    CXString s("a,b,,c");
    EXPECT_EQ(s.ReplaceChar(',', ';'), 3);
    EXPECT_STREQ(s.GetString(), "a;b;;c");
    EXPECT_EQ(s.ReplaceChar(';', ';'), 0);
    EXPECT_STREQ(s.CollapseChar(';').GetString(), "a;b;c");
    EXPECT_STREQ(CXString("a b c").RemoveChar(' ').GetString(), "abc");
    EXPECT_STREQ(CXString("a b c").RemoveChar(' ', 0).GetString(), "  ");
    EXPECT_STREQ(CXString("1-2.3").RemoveChars("-.").GetString(), "123");
    EXPECT_STREQ(CXString("1-2.3").RemoveChars("-.", 0).GetString(), "-.");
    CXString nul;
    nul.SetData("a\0b", 3);
    EXPECT_EQ(Bytes(nul.RemoveChar('\0')), "ab");
    EXPECT_STREQ(CXString("abc").Insert("XY", 1).GetString(), "aXYbc");
    EXPECT_STREQ(CXString("abc").Insert("XY", 99).GetString(), "abcXY");
}

TEST(CXStringTest, ReplaceFindsNonOverlappingOccurrences)
{
    struct Case {
        const char* text;
        const char* find;
        const char* repl;
        int cs;
        const char* result;
        int count;
    };
    const Case cases[] = {
        {"aBcAb", "ab", "X", 0, "XcX", 2},     {"aBcAb", "ab", "X", 1, "aBcAb", 0},
        {"aaaa", "aa", "b", 1, "bb", 2},       {"abc", "b", "", 1, "ac", 1},
        {"abc", "", "X", 1, "abc", 0},         {"abc", "b", "b", 1, "abc", 0},
        {"x.y.z", ".", "..", 1, "x..y..z", 2},
    };
    for (const Case& c : cases) {
        CXString s(c.text);
        EXPECT_EQ(s.Replace(c.find, c.repl, c.cs), c.count) << c.text << " / " << c.find;
        EXPECT_STREQ(s.GetString(), c.result) << c.text << " / " << c.find;
    }
    CXString s("abc");
    EXPECT_EQ(s.Replace(nullptr, "x"), 0);
    EXPECT_EQ(s.Replace("a", nullptr), 0);
}

TEST(CXStringTest, ToIntegerReadsDecimalOrPrefixedHex)
{
    struct Case {
        const char* text;
        int64_t expected;
    };
    const Case cases[] = {
        {"0x1F", 31},
        {"0x1f", 31},
        {"0XfF", 255},
        {"  0x10", 16},
        {"id=0X10", 0},
        {"0x", 0},
        {"0x1G", 0},
        {"  42abc", 42},
        {"-17", -17},
        {"+8", 8},
        {"", 0},
        {"abc", 0},
        {"0x7FFFFFFFFFFFFFFF", INT64_MAX},
        {"9223372036854775807", INT64_MAX},
        {"010", 10},
    };
    CXString s;
    for (const Case& c : cases)
        EXPECT_EQ(s.ToInteger(c.text), c.expected) << "'" << c.text << "'";
    EXPECT_EQ(CXString("0x20").ToInteger(), 32) << "null text means the string itself";
    EXPECT_EQ(s.ParseHex("ABC"), 0xABCu);
    EXPECT_EQ(s.ParseHex("12 "), 0u);
    EXPECT_DOUBLE_EQ(CXString("1.5").ToFloat(), 1.5);
}

TEST(CXStringTest, Crc16KnownValues)
{
    CXString s("abc");
    EXPECT_EQ(s.CRC16(), 0x9738);
    EXPECT_EQ(s.CRC16("123456789", 9, 0), 0xBB3D);
    EXPECT_EQ(s.CRC16("", 0, 0x1234), 0x1234);
    // Chaining: the CRC of "abc" continued from the CRC of "a".
    unsigned short part = s.CRC16("a", 1, 0);
    EXPECT_EQ(s.CRC16("bc", 2, part), 0x9738);
}

TEST(CXStringTest, LoadAndSaveFiles)
{
    TempFolder dir("cxstring");
    CXString s("previous");
    dir.Write("empty.txt", "");
    EXPECT_TRUE(s.LoadFile((dir.Slashed() + "empty.txt").c_str()));
    EXPECT_EQ(s.GetDataSize(), 0u) << "an empty file gives an empty string";

    dir.Write("data.bin", std::string("x\0y\r\n", 5));
    ASSERT_TRUE(s.LoadFile((dir.Slashed() + "DATA.BIN").c_str()))
        << "names are matched ignoring case";
    EXPECT_EQ(Bytes(s), std::string("x\0y\r\n", 5));

    s.SetString("kept");
    EXPECT_FALSE(s.LoadFile((dir.Slashed() + "missing.txt").c_str()));
    EXPECT_STREQ(s.GetString(), "kept");

    g_strResourceBase = dir.Slashed();
    EXPECT_TRUE(s.SaveFile("out.txt", 0, 1));
    EXPECT_EQ(dir.Read("out.txt"), "kept");
    EXPECT_TRUE(s.SaveFile("out.txt", 2, 1));
    EXPECT_EQ(dir.Read("out.txt"), "ke");
    EXPECT_TRUE(s.SaveFile("out.txt", 1000, 1)) << "a length beyond the data is clamped";
    EXPECT_EQ(dir.Read("out.txt"), "kept");
    CXString loaded;
    EXPECT_TRUE(loaded.LoadFile("out.txt", 1));
    EXPECT_STREQ(loaded.GetString(), "kept");
    g_strResourceBase.clear();

    EXPECT_FALSE(s.SaveFile(nullptr));
    EXPECT_FALSE(s.SaveFile((dir.Slashed() + "no/such/folder.txt").c_str()));
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path()))
        entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 3) << "no temporary file is left behind";
}

TEST(CXStringTest, ScrambleRoundTripAndRejectsForeignData)
{
    CXString s;
    s.SetData("KEY=\xB0\xA1\0tail", 10);
    const std::string plain = Bytes(s);
    ASSERT_TRUE(s.Scramble());
    EXPECT_NE(Bytes(s).find("KEY"), 0u);
    EXPECT_EQ(s.GetDataSize(), 20u);
    CXString tampered(s);
    ASSERT_TRUE(s.Unscramble());
    EXPECT_EQ(Bytes(s), plain);

    tampered.SetAt(9, static_cast<char>(tampered.GetAt(9) ^ 1));
    const std::string before = Bytes(tampered);
    EXPECT_FALSE(tampered.Unscramble());
    EXPECT_EQ(Bytes(tampered), before) << "a failed unscramble leaves the data";
    CXString text("KEY=1");
    EXPECT_FALSE(text.Unscramble());

    char block[300];
    for (int i = 0; i < 300; ++i)
        block[i] = static_cast<char>(i);
    char whole[300];
    std::memcpy(whole, block, 300);
    CXString::ScrambleBytes(whole, 300, 0);
    CXString::ScrambleBytes(block, 100, 0);
    CXString::ScrambleBytes(block + 100, 200, 100);
    EXPECT_EQ(std::memcmp(block, whole, 300), 0) << "blocks scramble like the whole stream";
}
