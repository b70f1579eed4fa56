// Resource lookup: zip packs (newest first) before the disk, names compared without case, paths
// under the program folder, enumeration.
#include <string>
#include <vector>

#include "gpu_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

using GpuResourceTest = GpuEngineTest;

TEST_F(GpuResourceTest, PacksComeBeforeTheDiskNewestFirst)
{
    const std::string name = m_relative + "/Img/Logo.png";
    WriteFile(m_local.Path() / "img" / "logo.PNG", Bytes{'d', 'i', 's', 'k'});
    WriteZip(m_temp.Path() / "old.zip", {{name, Bytes{'o', 'l', 'd'}}});
    WriteZip(m_temp.Path() / "new.zip", {{"other.txt", Bytes{'x'}}, {name, Bytes{'n', 'e', 'w'}}});

    EXPECT_EQ(LoadResource(name), "disk") << "the disk file is found without regard to case";
    ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "old.zip").c_str(), nullptr));
    EXPECT_EQ(LoadResource(name), "old");
    ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "new.zip").c_str(), nullptr));
    EXPECT_EQ(LoadResource(name), "new");

    struct Case {
        std::string name;
        const char* expected;
    };
    const Case cases[] = {
        {name, "new"},
        {"./" + name, "new"},                            // a leading "./" as a base folder gives it
        {m_relative + "\\IMG\\LOGO.PNG", "new"},         // case and separator do not matter
        {"/" + m_relative + "/Img/Logo.png", "<null>"},  // absolute names skip the packs
        {m_relative + "/img/missing.png", "<null>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadResource(c.name), c.expected) << c.name;

    dev->Resource_RemovePack((m_temp.Path() / "NEW.ZIP").c_str());
    EXPECT_EQ(LoadResource(name), "old") << "removal compares the lower-case path";
    dev->Resource_RemoveAllPacks();
    EXPECT_EQ(LoadResource(name), "disk");
}

TEST_F(GpuResourceTest, PackNamesFoldOnlySingleByteLetters)
{
    // B0 41 and B0 61 are two different double-byte characters: their trail bytes look like 'A'
    // and 'a' but must not be case-folded, while the ASCII letters around them are.
    WriteZip(m_temp.Path() / "names.zip", {{"dir/\xB0\x61.txt", Bytes{'s', 'm', 'a', 'l', 'l'}},
                                           {"dir/\xB0\x41.txt", Bytes{'c', 'a', 'p'}}});
    ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "names.zip").c_str(), nullptr));
    EXPECT_EQ(LoadResource("DIR/\xB0\x41.TXT"), "cap");
    EXPECT_EQ(LoadResource("Dir/\xB0\x61.Txt"), "small");
}

TEST_F(GpuResourceTest, AttachRefusesDuplicatesAndNonZipFiles)
{
    WriteZip(m_temp.Path() / "a.zip", {{"x.txt", Bytes{'x'}}});
    WriteFile(m_temp.Path() / "plain.zip", Bytes{'n', 'o', 't', ' ', 'z', 'i', 'p'});
    EXPECT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "a.zip").c_str(), nullptr));
    EXPECT_FALSE(dev->Resource_AttachPack((m_temp.Path() / "A.ZIP").c_str(), nullptr));
    EXPECT_FALSE(dev->Resource_AttachPack((m_temp.Path() / "plain.zip").c_str(), nullptr));
    EXPECT_FALSE(dev->Resource_AttachPack((m_temp.Path() / "none.zip").c_str(), nullptr));
}

TEST_F(GpuResourceTest, PasswordPacksAndAFailedEntryEndTheLookup)
{
    const std::string name = m_relative + "/secret.txt";
    WriteFile(m_local.Path() / "secret.txt", Bytes{'d', 'i', 's', 'k'});
    WriteEncryptedZip(m_temp.Path() / "locked.zip", name, Bytes{'s', 'e', 'c', 'r', 'e', 't'},
                      "pw");

    ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "locked.zip").c_str(), "pw"));
    EXPECT_EQ(LoadResource(name), "secret");
    dev->Resource_RemoveAllPacks();

    ASSERT_TRUE(dev->Resource_AttachPack((m_temp.Path() / "locked.zip").c_str(), "wrong"));
    EXPECT_EQ(LoadResource(name), "<null>")
        << "a pack entry that can't be read is not replaced by the disk";
    EXPECT_EQ(std::string(dev->System_GetErrorMessage()), "Can't load resource: " + name);
}

TEST_F(GpuResourceTest, MissingFileGivesNullAndTheErrorText)
{
    const std::string name = m_relative + "/nothing.png";
    uint32_t size = 77;
    EXPECT_EQ(dev->Resource_Load(name.c_str(), &size), nullptr);
    EXPECT_EQ(size, 77u);
    EXPECT_EQ(std::string(dev->System_GetErrorMessage()), "Can't load resource: " + name);
}

TEST_F(GpuResourceTest, MakePathPutsRelativeNamesUnderTheProgramFolder)
{
    const std::string folder = platform::ProgramFolder();
    struct Case {
        std::string name;
        std::string expected;
    };
    const Case cases[] = {
        {"data\\ui\\a.png", folder + "data/ui/a.png"},
        {"/abs/b.png", "/abs/b.png"},
        {"\\abs\\c.png", "/abs/c.png"},
        {"C:\\d.png", "C:/d.png"},
    };
    for (const Case& c : cases) {
        const char* path = dev->Resource_MakePath(c.name.c_str());
        ASSERT_NE(path, nullptr) << c.name;
        EXPECT_EQ(std::string(path), c.expected) << c.name;
    }
    // Far beyond the old 255-character buffer: refused, never cut or overrun.
    const std::string longName(5000, 'a');
    EXPECT_EQ(dev->Resource_MakePath(longName.c_str()), nullptr);
    EXPECT_EQ(dev->Resource_MakePath(nullptr), nullptr);
    const std::string fits(300, 'b');
    ASSERT_NE(dev->Resource_MakePath(fits.c_str()), nullptr);
    EXPECT_EQ(std::string(dev->Resource_MakePath(fits.c_str())), folder + fits);
}

TEST_F(GpuResourceTest, EnumeratesFilesAndFoldersSeparately)
{
    WriteFile(m_local.Path() / "b.png", Bytes{1});
    WriteFile(m_local.Path() / "A.PNG", Bytes{1});
    WriteFile(m_local.Path() / "c.txt", Bytes{1});
    WriteFile(m_local.Path() / "sub" / "x.png", Bytes{1});
    std::filesystem::create_directories(m_local.Path() / "sub2.png");

    std::vector<std::string> files;
    for (const char* n = dev->Resource_EnumFiles((m_relative + "/*.png").c_str()); n;
         n = dev->Resource_EnumFiles(nullptr))
        files.push_back(n);
    EXPECT_EQ(files, (std::vector<std::string>{"A.PNG", "b.png"}));

    std::vector<std::string> folders;
    for (const char* n = dev->Resource_EnumFolders((m_relative + "/*").c_str()); n;
         n = dev->Resource_EnumFolders(nullptr))
        folders.push_back(n);
    EXPECT_EQ(folders, (std::vector<std::string>{"sub", "sub2.png"}));
    EXPECT_EQ(dev->Resource_EnumFiles(nullptr), nullptr) << "a finished search stays finished";
}

}  // namespace
