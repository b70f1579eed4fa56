// The file wrapper and pack-entry access, on real files in a temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CXFile.h"
#include "CXFileSystem.h"
#include "cxlib/error_log_capture.h"
#include "support/temp_folder.h"

namespace {

class FileFolder : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (m_folder.Path() / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        return m_folder.Write(name, bytes);
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static size_t OpenDescriptors()
    {
        size_t n = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator("/proc/self/fd"))
            ++n;
        return n;
    }

    TempFolder m_folder{"cxb_file"};
};

// Bytes 0, 1, 2, ... 250, 0, 1, ... : recognisable at any offset.
std::string Pattern(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i % 251);
    return s;
}

}  // namespace

TEST_F(FileFolder, ReadsWritesSeeksAndSizes)
{
    CXFile file;
    EXPECT_EQ(file.Open(PathOf("none").c_str(), CXFile::GENERIC_READ, 0, CXFile::OPEN_EXISTING, 0),
              0);
    EXPECT_EQ(file.m_hFile, -1);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.GetSize(), 0);
    EXPECT_EQ(file.Seek(5, CXFile::FILE_BEGIN), 0) << "closed";
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, 4), 0u);

    ASSERT_EQ(file.OpenWrite(PathOf("data.bin").c_str()), 1);
    EXPECT_EQ(file.Write("0123456789", 10), 10u);
    EXPECT_EQ(file.Write(nullptr, 3), 0u);
    EXPECT_EQ(file.Write("x", 0), 0u);
    EXPECT_EQ(file.GetSize(), 10);
    EXPECT_EQ(file.Seek(-4, CXFile::FILE_END), 6);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 4u) << "reads stop at the end";
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(file.Seek(-1, CXFile::FILE_BEGIN), -1);
    EXPECT_EQ(file.Seek(0x100000000LL, CXFile::FILE_BEGIN), 0x100000000LL) << "64-bit positions";
    EXPECT_EQ(file.Close(), 1);
    EXPECT_STREQ(file.GetPath().GetString(), "");

    ASSERT_EQ(file.OpenWrite(PathOf("data.bin").c_str()), 1);
    EXPECT_EQ(file.GetSize(), 0) << "OpenWrite truncates";
}

TEST_F(FileFolder, OpeningAgainClosesTheFirstFile)
{
    Write("a.txt", "A");
    std::filesystem::create_directories(m_folder.Path() / "Sub");
    Write("Sub/Mixed.TXT", "B");
    const size_t before = OpenDescriptors();
    {
        CXFile file;
        ASSERT_EQ(file.Open(PathOf("a.txt").c_str(), CXFile::GENERIC_READ, CXFile::FILE_SHARE_READ,
                            CXFile::OPEN_EXISTING, CXFile::FILE_ATTRIBUTE_NORMAL),
                  1);
        const std::string mixed = m_folder.String() + "\\sub\\mixed.txt";
        ASSERT_EQ(file.Open(mixed.c_str(), CXFile::GENERIC_READ, 0, CXFile::OPEN_EXISTING, 0), 1)
            << "case-insensitive, '\\' separators";
        EXPECT_EQ(OpenDescriptors(), before + 1);
        EXPECT_STREQ(file.GetPath().GetString(), mixed.c_str());
        char c = 0;
        EXPECT_EQ(file.Read(&c, 1), 1u);
        EXPECT_EQ(c, 'B');
    }
    EXPECT_EQ(OpenDescriptors(), before) << "the destructor closes";
}

namespace {

// A pack with key 0x5A and three entries, written out byte by byte.
std::string MakePack(const std::string& small, const std::string& block,
                     const std::string& blockPlusOne)
{
    std::string pack("CXFS\x5A\0\0\0\x03\0\0\0", 12);
    // Index: 3 entries of 22 bytes plus names "DATA\UI\A.PNG" (13), "b8192" (5), "c8193" (5) ->
    // ends at 12+66+23=101.
    pack += std::string("\x01\0\0\0\x02\0\0\0\x05\0\0\0\x65\0\0\0\x07\0\0\0\x0D\0", 22) +
            "DATA\\UI\\A.PNG";
    pack += std::string("\0\0\0\0\0\0\0\0\x00\x20\0\0\x6A\0\0\0\0\0\0\0\x05\0", 22) + "b8192";
    pack += std::string("\0\0\0\0\0\0\0\0\x01\x20\0\0\x6A\x20\0\0\0\0\0\0\x05\0", 22) + "c8193";
    std::string data = small + block + blockPlusOne;
    for (char& c : data)
        c = static_cast<char>(c ^ 0x5A);
    return pack + data;
}

}  // namespace

TEST_F(FileFolder, PackEntriesAreFoundByNormalisedName)
{
    const std::string block = Pattern(8192);
    const std::string blockPlusOne = Pattern(8193);
    CXFileSystem fs;
    ASSERT_TRUE(fs.Open(Write("p.pak", MakePack("hello", block, blockPlusOne)).c_str()));
    EXPECT_EQ(fs.GetCount(), 3u);

    CXFileSystemEntryInfo info{};
    ASSERT_TRUE(fs.GetEntryInfo(" data/ui//a.png ", &info));
    EXPECT_EQ(info.dwLocation1, 1u);
    EXPECT_EQ(info.dwLocation2, 2u);
    EXPECT_EQ(info.dwSize, 5u);
    EXPECT_EQ(info.dwOffset, 101u);
    EXPECT_EQ(info.dwExtra, 7u);
    EXPECT_STREQ(info.strName.GetString(), "DATA\\UI\\A.PNG");
    EXPECT_FALSE(fs.GetEntryInfo("data/ui/b.png", &info));
    EXPECT_FALSE(fs.GetEntryInfo("data/ui/a.png", nullptr));

    struct Case {
        const char* name;
        uint32_t bufferSize;
        std::string want;
    };
    const Case cases[] = {
        {"DATA\\\\UI/a.png", 5, "hello"},
        {"data/ui/a.png", 3, "hel"},     // a smaller buffer takes the first bytes
        {"data/ui/a.png", 12, "hello"},  // a larger one only the entry's
        {"B8192", 8192, block},
    };
    for (const Case& c : cases) {
        std::string buffer(c.bufferSize, '#');
        ASSERT_EQ(fs.ExtractFSData(c.name, buffer.data(), c.bufferSize, 0), 1)
            << c.name << " " << c.bufferSize;
        EXPECT_EQ(buffer.substr(0, c.want.size()), c.want) << c.name << " " << c.bufferSize;
        EXPECT_EQ(buffer.substr(c.want.size()), std::string(c.bufferSize - c.want.size(), '#'))
            << "bytes past the entry stay untouched";
    }
}

TEST_F(FileFolder, PackEntriesCopyIntoFilesBlockByBlock)
{
    const std::string block = Pattern(8192);
    const std::string blockPlusOne = Pattern(8193);
    CXFileSystem fs;
    ASSERT_TRUE(fs.Open(Write("p.pak", MakePack("hello", block, blockPlusOne)).c_str()));
    struct Case {
        const char* entry;
        const std::string* want;
    };
    for (const Case& c : {Case{"b8192", &block}, Case{"c8193", &blockPlusOne}}) {
        const std::string out = PathOf(std::string(c.entry) + ".out");
        ASSERT_EQ(fs.ExtractFSData(c.entry, const_cast<char*>(out.c_str()), 0, 1), 1) << c.entry;
        EXPECT_EQ(Read(out), *c.want) << c.entry;
    }
    EXPECT_EQ(
        fs.ExtractFSData("b8192", const_cast<char*>(PathOf("no/such/folder/x").c_str()), 0, 1), 0);
    EXPECT_EQ(fs.ExtractFSData("missing", const_cast<char*>(PathOf("m.out").c_str()), 0, 1), 0);
}

TEST_F(FileFolder, MalformedPacksAndBadTargetsAreRefused)
{
    const std::string good = MakePack("hello", Pattern(8192), Pattern(8193));
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"wrong magic", "CXFZ" + good.substr(4)},
        {"count beyond the file",
         good.substr(0, 8) + std::string("\xFF\xFF\0\0", 4) + good.substr(12)},
        {"entry past the end", good.substr(0, good.size() - 1)},
        {"cut inside the index", good.substr(0, 40)},
    };
    for (const Case& c : cases) {
        CXFileSystem fs;
        EXPECT_FALSE(fs.Open(Write("bad.pak", c.bytes).c_str())) << c.name;
        EXPECT_FALSE(fs.IsOpen()) << c.name;
        EXPECT_EQ(fs.GetCount(), 0u) << c.name;
    }

    ErrorLogCapture log;
    CXFileSystem fs;
    char buffer[4];
    EXPECT_EQ(fs.ExtractFSData("b8192", buffer, 4, 0), 0) << "nothing open";
    ASSERT_TRUE(fs.Open(Write("p.pak", good).c_str()));
    EXPECT_EQ(fs.ExtractFSData("b8192", nullptr, 4, 0), 0);
    EXPECT_EQ(fs.ExtractFSData(nullptr, buffer, 4, 0), 0);
    EXPECT_EQ(log.Count("Bad Pointer: [lpDataTarget="), 1) << log.Text();

    // The pack shrinks under an open index: a short read fails instead of passing stale bytes.
    std::filesystem::resize_file(PathOf("p.pak"), good.size() - 100);
    std::string big(8193, '#');
    EXPECT_EQ(fs.ExtractFSData("c8193", big.data(), 8193, 0), 0);
    EXPECT_EQ(fs.ExtractFSData("c8193", const_cast<char*>(PathOf("short.out").c_str()), 0, 1), 0);
}
