// Private profile files: reads by section and key without regard to case, writes that keep every
// other line and replace the file as a whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/profile.h"
#include "support/temp_folder.h"

namespace {

class ProfileTest : public testing::Test {
protected:
    void Write(const std::string& text)
    {
        std::ofstream out(m_file, std::ios::binary);
        out << text;
    }
    std::string Read()
    {
        std::ifstream in(m_file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    TempFolder m_folder{"profile"};
    const std::filesystem::path m_dir = m_folder.Path();
    const std::string m_file = (m_dir / "game.ini").string();
};

TEST_F(ProfileTest, ReadsIgnoreCaseBlanksCommentsAndOneQuotePair)
{
    Write("; top comment\r\n"
          "[Video]\r\n"
          "  Width = 1280 \r\n"
          "title=\"  spaced  \"\r\n"
          "name='x'\r\n"
          "half=\"open\r\n"
          ";Height=1\r\n"
          "empty=\r\n"
          "\r\n"
          "[ sound ]\r\n"
          "width=7\r\n"
          "[\xB1\xD7\xB8\xB2]\r\n"  // a CP949 section name
          "key=korean\r\n"
          "[\x81\x61]\r\n"  // its trail byte looks like 'a' but is no letter
          "key=lower\r\n");
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"video", "WIDTH", "1280"},
        {"VIDEO", "width", "1280"},
        {"Sound", "Width", "7"},
        {"video", "title", "  spaced  "},
        {"video", "name", "x"},
        {"video", "half", "\"open"},
        {"video", "height", std::nullopt},  // commented out
        {"video", "empty", ""},
        {"video", "missing", std::nullopt},
        {"absent", "width", std::nullopt},
        {"\xB1\xD7\xB8\xB2", "key", "korean"},
        {"\x81\x61", "key", "lower"},
        {"\x81\x41", "key", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::ProfileGetString(m_file, c.section, c.key), c.expected)
            << "[" << c.section << "] " << c.key;
    }
    EXPECT_EQ(platform::ProfileGetString((m_dir / "none.ini").string(), "video", "width"),
              std::nullopt);
}

TEST_F(ProfileTest, WritesReplaceInsertAndAppendKeepingOtherLines)
{
    struct Case {
        const char* what;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"new file", "", "Video", "Width", "1280", "[Video]\r\nWidth=1280\r\n"},
        {"replace a key, keep its spelling of the section",
         "; keep me\r\n[VIDEO]\r\nwidth = 800\r\nheight=600\r\n", "video", "Width", "1280",
         "; keep me\r\n[VIDEO]\r\nWidth=1280\r\nheight=600\r\n"},
        {"new key after the section's last line, before the blank line",
         "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "A", "z", "3",
         "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
        {"new key in the last section", "[a]\r\nx=1\r\n", "a", "y", "", "[a]\r\nx=1\r\ny=\r\n"},
        {"new section appended after a blank line", "[a]\r\nx=1\r\n", "b", "y", "2",
         "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n"},
        {"a file with bare line feeds keeps them", "[a]\nx=1\n", "a", "x", "5", "[a]\nx=5\n"},
        {"the same key in another section is not touched", "[a]\r\nx=1\r\n[b]\r\nx=2\r\n", "b", "x",
         "9", "[a]\r\nx=1\r\n[b]\r\nx=9\r\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(m_file);
        if (!c.before.empty())
            Write(c.before);
        ASSERT_TRUE(platform::ProfileSetString(m_file, c.section, c.key, c.value)) << c.what;
        EXPECT_EQ(Read(), c.after) << c.what;
        EXPECT_EQ(platform::ProfileGetString(m_file, c.section, c.key), std::string(c.value))
            << c.what;
    }
}

TEST_F(ProfileTest, FailedWritesLeaveNoTraceAndTheFileIsFoundWithoutRegardToCase)
{
    EXPECT_FALSE(
        platform::ProfileSetString((m_dir / "no_folder" / "x.ini").string(), "a", "b", "c"));
    EXPECT_FALSE(platform::ProfileSetString(m_file, "", "b", "c"));
    EXPECT_FALSE(platform::ProfileSetString(m_file, "a", "  ", "c"));
    EXPECT_FALSE(std::filesystem::exists(m_file));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir),
                            std::filesystem::directory_iterator()),
              0)
        << "no temporary file is left behind";

    ASSERT_TRUE(platform::ProfileSetString(m_file, "a", "b", "c"));
    const std::string upper = (m_dir / "GAME.INI").string();
    EXPECT_EQ(platform::ProfileGetString(upper, "A", "B"), std::string("c"));
    ASSERT_TRUE(platform::ProfileSetString(upper, "a", "b", "d"));
    EXPECT_EQ(Read(), "[a]\r\nb=d\r\n") << "the existing file is rewritten, not a second one made";
}

}  // namespace
