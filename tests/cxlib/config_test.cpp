// Configuration files, the field parser and the string index.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "CXFileConfig.h"
#include "CXStringIndex.h"
#include "CXStringParser.h"
#include "support/temp_folder.h"

namespace {

std::map<std::string, std::string> Entries(const CXStringIndex& index)
{
    std::map<std::string, std::string> entries;
    index.ForEach([&](const CXString& key, CXString& value) {
        entries[key.GetString()] = value.GetString();
    });
    return entries;
}

class ConfigFiles : public ::testing::Test {
protected:
    void TearDown() override { g_strResourceBase.clear(); }
    std::string Write(const std::string& name, const std::string& content)
    {
        return m_folder.Write(name, content);
    }
    TempFolder m_folder{"cxb_cfg"};
};

}  // namespace

TEST(CXFileConfig, ParsesLinesAsTheSyntaxSays)
{
    using Map = std::map<std::string, std::string>;
    struct Case {
        const char* name;
        std::string text;
        Map want;
    };
    const Case cases[] = {
        {"example",
         "  speed = 300  # reels\nName=abc=def\n#x=1\n",
         {{"SPEED", "300"}, {"NAME", "abc"}}},
        {"crlf", "speed = 300\r\nName=abc\r\n", {{"SPEED", "300"}, {"NAME", "abc"}}},
        {"last wins, ASCII case only",
         "Speed=1\nSPEED=2\n\xB0\xA1k=3\n",
         {{"SPEED", "2"}, {"\xB0\xA1K", "3"}}},
        {"no equals", "lonely\n", {{"LONELY", ""}}},
        {"leading equals", "= value\n", {{"", "value"}}},
        {"blank and comment lines", "\n   \n\t# all comment\n  #\n", {}},
        {"no final newline", "a=1\nb = 2", {{"A", "1"}, {"B", "2"}}},
        {"comment inside value", "path = a/b#c\n", {{"PATH", "a/b"}}},
        {"double-byte value kept", "title = \xC7\xD1\xB1\xDB \n", {{"TITLE", "\xC7\xD1\xB1\xDB"}}},
    };
    for (const Case& c : cases) {
        CXFileConfig config;
        ASSERT_TRUE(config.Load(c.text.data(), static_cast<unsigned>(c.text.size()))) << c.name;
        EXPECT_EQ(Entries(config.m_Values), c.want) << c.name;
    }
}

TEST_F(ConfigFiles, LoadsFilesAndLeavesValuesOnFailure)
{
    CXFileConfig config;
    ASSERT_TRUE(config.Load(Write("a.cfg", "Speed = 300\n").c_str()));
    EXPECT_STREQ(config.GetValue("SPEED").GetString(), "300");
    EXPECT_EQ(config.GetValue("SPEED").ToInteger(), 300);
    EXPECT_TRUE(config.HasKey("SPEED"));

    EXPECT_FALSE(config.Load((m_folder.Path() / "missing.cfg").string().c_str()));
    EXPECT_STREQ(config.GetValue("SPEED").GetString(), "300") << "a failed load keeps the values";

    CXString scrambledNot("x=1");
    EXPECT_FALSE(config.Load(scrambledNot.GetString(), scrambledNot.GetDataSize(), 1))
        << "not a scrambled image";
    EXPECT_STREQ(config.GetValue("SPEED").GetString(), "300");

    ASSERT_TRUE(config.Load(Write("empty.cfg", "").c_str()));
    EXPECT_EQ(config.m_Values.GetCount(), 0u) << "an empty file yields an empty index";
    EXPECT_EQ(&config.GetValue("SPEED"), &CXString::GetEmptyString());
    EXPECT_EQ(config.GetValue("SPEED").ToInteger(), 0);
}

TEST_F(ConfigFiles, ReadsScrambledContentAndTheBaseFolder)
{
    CXString content("key = secret\n");
    ASSERT_TRUE(content.Scramble());
    CXFileConfig config;
    ASSERT_TRUE(config.Load(content.GetString(), content.GetDataSize(), 1));
    EXPECT_STREQ(config.GetValue("KEY").GetString(), "secret");

    Write("based.cfg", "where = base\n");
    g_strResourceBase = m_folder.Slashed();
    ASSERT_TRUE(config.Load("based.cfg"));
    EXPECT_STREQ(config.GetValue("WHERE").GetString(), "base");
}

TEST_F(ConfigFiles, WithoutAPathReadsTheProgramsOwnCfg)
{
    Write("cxlib_tests.cfg", "own = yes\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.Path());
    CXFileConfig config;
    const bool loaded = config.Load(nullptr);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(loaded);
    EXPECT_STREQ(config.GetValue("OWN").GetString(), "yes");
}

TEST(CXStringParser, SplitsIntoNumberedFields)
{
    struct Case {
        const char* text;
        char sep;
        int escape;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"a,,b", ',', 0, {"a", "", "b"}},
        {"a,b,", ',', 0, {"a", "b"}},
        {",", ',', 0, {""}},
        {"", ',', 0, {}},
        {"x y", ' ', 0, {"x", "y"}},
        {"a,,b", ',', 1, {"a,", "b"}},
        {"a,,,b,c", ',', 1, {"a,,", "b", "c"}},
    };
    for (const Case& c : cases) {
        CXStringParser parser(c.text);
        ASSERT_EQ(parser.Split(c.sep, c.escape), static_cast<int>(c.want.size()))
            << '"' << c.text << '"';
        for (size_t i = 0; i < c.want.size(); ++i)
            EXPECT_STREQ(parser.GetValueByNumber(static_cast<int64_t>(i + 1)).GetString(),
                         c.want[i].c_str())
                << '"' << c.text << "\" field " << i + 1;
        EXPECT_EQ(&parser.GetValueByNumber(static_cast<int64_t>(c.want.size() + 1)),
                  &CXString::GetEmptyString());
    }

    CXStringParser parser;
    parser.SetSourceText("1, 2.5,x");
    EXPECT_EQ(parser.Parse(',', 0), 3);
    EXPECT_DOUBLE_EQ(parser.GetValueByNumber(2).ToFloat(), 2.5);
    parser.SetSourceText("");
    EXPECT_EQ(parser.GetCount(), 0u) << "a new source clears the fields";
}

TEST(CXStringParser, SplitsIntoKeyValuePairs)
{
    CXStringParser parser("a=1; b = 2 ;a=3;c");
    EXPECT_EQ(parser.Parse(';', '='), 3);
    EXPECT_EQ(Entries(parser.m_Tokens),
              (std::map<std::string, std::string>{{"A", "3"}, {"B", " 2 "}, {"C", ""}}));

    CXString binary;
    binary.SetData("k=v\0w;z=1", 9);
    parser.SetSource(binary);
    EXPECT_EQ(parser.SplitPairs(';', '=', 0), 2);
    EXPECT_EQ(parser.GetValue("K").GetDataSize(), 3u) << "values are binary-safe";
}

TEST(CXStringIndex, StoresTextsAndNumbers)
{
    CXStringIndex index;
    EXPECT_EQ(index.SetValue(nullptr, "x"), 0);
    EXPECT_EQ(index.SetValue("k", nullptr), 0);
    EXPECT_EQ(index.SetValue("K", "one"), 1);
    EXPECT_EQ(index.SetValue("K", "two"), 1);
    EXPECT_EQ(index.GetCount(), 1u);
    EXPECT_STREQ(index.GetValue("K").GetString(), "two");
    EXPECT_EQ(&index.GetValue("k"), &CXString::GetEmptyString()) << "keys are case-sensitive";
    EXPECT_EQ(&index.GetValue(nullptr), &CXString::GetEmptyString());

    index.SetNumberValue(7, 1234567890123LL);
    index.Add("N", -5);
    index.SetValueByNumber(-2, "neg");
    EXPECT_STREQ(index.GetValueByNumber(7).GetString(), "1234567890123");
    EXPECT_STREQ(index.GetValue("N").GetString(), "-5");
    EXPECT_STREQ(index.GetValue("-2").GetString(), "neg");
    index.SetValue("B", "a\0b", 3);
    EXPECT_EQ(index.GetValue("B").GetDataSize(), 3u);
}

TEST(CXStringIndex, AddingNumbersByValueMakesASetOfThem)
{
    // The further fields of a list such as "3,5,8,-1,5" entered one by one.
    CXStringIndex index;
    for (int64_t n : {5, 8, -1, 5})
        EXPECT_EQ(index.Add(n, 1), 1) << n;
    EXPECT_EQ(index.Add(0, 0), 1);
    EXPECT_EQ(index.GetCount(), 4u) << "a number added twice is one entry";
    EXPECT_STREQ(index.GetValueByNumber(8).GetString(), "1");
    EXPECT_STREQ(index.GetValueByNumber(-1).GetString(), "1");
    EXPECT_STREQ(index.GetValueByNumber(0).GetString(), "0") << "the flag is the value";
    EXPECT_EQ(&index.GetValueByNumber(3), &CXString::GetEmptyString());
    index.Add("TEXT", 12);
    EXPECT_STREQ(index.GetValue("TEXT").GetString(), "12") << "the keyed form stays";
}

TEST(CXStringIndex, AKeyMayBeCutFromALongerText)
{
    CXFileConfig config;
    ASSERT_TRUE(config.Load("SPEED=300\nSPEEDUP=9\n", 20));
    struct Case {
        const char* key;
        unsigned length;
        const char* want;
    };
    const Case cases[] = {
        {"SPEED", 0, "300"},  {"SPEEDUP", 5, "300"}, {"SPEEDUP", 0, "9"}, {"SPEEDUP", 7, "9"},
        {"SPEEDUP", 99, "9"}, {"SPEEDUP", 3, ""},    {"speed", 0, ""},    {nullptr, 4, ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(config.GetValue(c.key, c.length).GetString(), c.want)
            << (c.key ? c.key : "(null)") << " / " << c.length;
        EXPECT_STREQ(config.m_Values.GetValue(c.key, c.length).GetString(), c.want);
    }
}

TEST(CXStringIndex, BoundVariablesFollowTheirValues)
{
    CXStringIndex index;
    index.SetValue("BYTE", "300");
    index.SetValue("WORD", "70000");
    index.SetValue("INT", "-12");
    index.SetValue("BIG", "0x10");
    index.SetValue("TEXT", "hello");
    uint8_t byValue = 0;
    uint16_t wValue = 0;
    int32_t nValue = 0;
    int64_t llValue = 0;
    CXString text;
    const CXString* pValue = nullptr;
    ASSERT_EQ(index.Bind("BYTE", &byValue), 1);
    ASSERT_EQ(index.Bind("WORD", &wValue), 1);
    ASSERT_EQ(index.Bind("INT", &nValue), 1);
    ASSERT_EQ(index.Bind("BIG", &llValue), 1);
    ASSERT_EQ(index.Bind("TEXT", &text), 1);
    ASSERT_EQ(index.Bind("PTR", &pValue), 1);
    EXPECT_EQ(index.Bind("X", static_cast<int32_t*>(nullptr)), 0);

    EXPECT_EQ(byValue, 300 % 256) << "truncated to the variable's width";
    EXPECT_EQ(wValue, 70000 % 65536);
    EXPECT_EQ(nValue, -12);
    EXPECT_EQ(llValue, 16);
    EXPECT_STREQ(text.GetString(), "hello");
    ASSERT_NE(pValue, nullptr);
    EXPECT_EQ(pValue, &index.GetValue("PTR"));

    index.SetValue("INT", "40");
    EXPECT_EQ(nValue, 40) << "setting stores into the variable";
    nValue = 99;
    EXPECT_STREQ(index.GetValue("INT").GetString(), "99") << "reading refreshes from the variable";
    llValue = -7000000000LL;
    EXPECT_STREQ(index.GetValue("BIG").GetString(), "-7000000000");
    index.SetValue("PTR", "later");
    EXPECT_STREQ(pValue->GetString(), "later");
}
