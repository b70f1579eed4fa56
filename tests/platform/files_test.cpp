#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "support/temp_folder.h"

namespace {

class FilesTest : public ::testing::Test {
protected:
    void Make(const std::string& name, const std::string& content = "x")
    {
        m_folder.Write(name, content);
    }
    TempFolder m_folder{"cxfiles"};
    const std::string m_root = m_folder.Slashed();
};

}  // namespace

TEST_F(FilesTest, ResolvesPathsIgnoringCaseAndBackslashes)
{
    Make("Data_UI/Images/Button.PNG");
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"Data_UI/Images/Button.PNG", "Data_UI/Images/Button.PNG"},
        {"data_ui\\images\\button.png", "Data_UI/Images/Button.PNG"},
        {"DATA_UI/images/new.png", "Data_UI/Images/new.png"},
        {"missing/Dir/file", "missing/Dir/file"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ResolvePath(m_root + c.in), m_root + c.out) << c.in;
    EXPECT_EQ(platform::ResolvePath(""), "");
    EXPECT_TRUE(platform::FileExists(m_root + "DATA_UI\\IMAGES\\BUTTON.png"));
    EXPECT_FALSE(platform::FileExists(m_root + "data_ui"));
    EXPECT_TRUE(platform::FolderExists(m_root + "data_ui"));
}

// The lookup remembers folder listings: a file added, renamed or removed after a folder was looked
// in is still found as it is now, from any thread.
TEST_F(FilesTest, LookupFollowsFolderChangesAfterAListing)
{
    Make("Pics/First.png");
    EXPECT_EQ(platform::ResolvePath(m_root + "PICS/FIRST.PNG"), m_root + "Pics/First.png");
    Make("Pics/Second.png");
    EXPECT_EQ(platform::ResolvePath(m_root + "PICS/SECOND.PNG"), m_root + "Pics/Second.png")
        << "added";
    ASSERT_TRUE(platform::RenameFile(m_root + "Pics/First.png", m_root + "Pics/Renamed.png"));
    EXPECT_EQ(platform::ResolvePath(m_root + "PICS/RENAMED.PNG"), m_root + "Pics/Renamed.png")
        << "renamed";
    EXPECT_EQ(platform::ResolvePath(m_root + "PICS/FIRST.PNG"), m_root + "Pics/FIRST.PNG")
        << "gone";

    std::vector<std::thread> threads;
    std::vector<std::string> found(4);
    for (size_t t = 0; t < found.size(); ++t)
        threads.emplace_back(
            [&, t] { found[t] = platform::ResolvePath(m_root + "pics/second.PNG"); });
    for (std::thread& thread : threads)
        thread.join();
    for (const std::string& path : found)
        EXPECT_EQ(path, m_root + "Pics/Second.png");
}

TEST_F(FilesTest, FindsFilesByWildcard)
{
    Make("LOG/ERROR_PG_1.LOG");
    Make("LOG/error_pg_22.log");
    Make("LOG/SYSTEM_PG_1.LOG");
    Make("LOG/sub/x.LOG");
    struct Case {
        std::string pattern;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"log\\ERROR_*.LOG", {"ERROR_PG_1.LOG", "error_pg_22.log"}},
        {"LOG/*_PG_?.LOG", {"ERROR_PG_1.LOG", "SYSTEM_PG_1.LOG"}},
        {"LOG/*", {"ERROR_PG_1.LOG", "SYSTEM_PG_1.LOG", "error_pg_22.log", "sub"}},
        {"LOG/*.txt", {}},
        {"NOPE/*", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        for (const auto& f : platform::FindFiles(m_root + c.pattern))
            names.push_back(f.strName);
        EXPECT_EQ(names, c.names) << c.pattern;
    }
    auto sub = platform::FindFiles(m_root + "LOG/su*");
    ASSERT_EQ(sub.size(), 1u);
    EXPECT_TRUE(sub[0].bFolder);
}

TEST_F(FilesTest, CreatesRenamesDeletesAndReads)
{
    EXPECT_TRUE(platform::CreateFolder(m_root + "a/b/c"));
    EXPECT_TRUE(platform::CreateFolder(m_root + "A\\B")) << "an existing folder in another case";
    EXPECT_TRUE(platform::FolderExists(m_root + "a/b/c"));

    ASSERT_TRUE(platform::WriteFileAtomic(m_root + "a/f.bin", "one\0two", 7));
    auto data = platform::ReadWholeFile(m_root + "A/F.BIN");
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(std::string(data->begin(), data->end()), std::string("one\0two", 7));
    EXPECT_EQ(platform::FileSize(m_root + "a/f.bin"), 7u);

    EXPECT_TRUE(platform::RenameFile(m_root + "a/f.bin", m_root + "a/g.bin"));
    EXPECT_FALSE(platform::FileExists(m_root + "a/f.bin"));
    EXPECT_TRUE(platform::DeleteFile(m_root + "a/G.BIN"));
    EXPECT_FALSE(platform::DeleteFile(m_root + "a/g.bin"));
    EXPECT_FALSE(platform::ReadWholeFile(m_root + "a/g.bin").has_value());
    EXPECT_FALSE(platform::ReadWholeFile(m_root + "a").has_value()) << "a folder is not a file";
    EXPECT_FALSE(platform::WriteFileAtomic(m_root + "none/x.bin", "x", 1));
    EXPECT_EQ(platform::FindFiles(m_root + "a/*").size(), 1u) << "no temporary file is left";

    int fd = platform::OpenAppend(m_root + "a/log.txt");
    ASSERT_NE(fd, -1);
    EXPECT_TRUE(platform::WriteDescriptor(fd, "ab", 2));
    platform::CloseDescriptor(fd);
    fd = platform::OpenAppend(m_root + "a/log.txt");
    EXPECT_TRUE(platform::WriteDescriptor(fd, "cd", 2));
    platform::CloseDescriptor(fd);
    data = platform::ReadWholeFile(m_root + "a/log.txt");
    EXPECT_EQ(std::string(data->begin(), data->end()), "abcd");
    EXPECT_EQ(platform::OpenAppend(m_root + "none/log.txt"), -1);
}

TEST(ProgramFolderTest, IsTheTestProgramsFolder)
{
    const std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "platform_tests"));
}

TEST(ProgramFolderTest, NameIsTheTestProgramsWithoutItsFolder)
{
    EXPECT_EQ(platform::ProgramName(), "platform_tests");
}
