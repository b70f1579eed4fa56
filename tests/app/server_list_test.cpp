// The built-in server list and save.dat: the four rotations with S4 always last, the file's
// little-endian layout, missing and short files, out-of-range indexes, and the atomic write.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "CWndLogin.h"
#include "CWndLoginPanel.h"
#include "ServerList.h"
#include "shell_fixture.h"
#include "support/fuzz_seeds.h"
#include "support/temp_folder.h"

namespace {

const std::vector<std::string> kServers = {"10.0.0.0", "10.0.0.1", "10.0.0.2", "10.0.0.3",
                                           "10.0.0.4"};

TEST(ServerListTest, VariantRotatesTheFirstFourAndKeepsTheFifthLast)
{
    struct Case {
        int variant;
        std::vector<int> order;
    };
    const Case cases[] = {
        {0, {0, 1, 2, 3, 4}}, {1, {1, 2, 3, 0, 4}}, {2, {2, 3, 0, 1, 4}},
        {3, {3, 0, 1, 2, 4}}, {4, {0, 1, 2, 3, 4}}, {-1, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> expected;
        for (int i : c.order)
            expected.push_back(kServers[static_cast<size_t>(i)]);
        EXPECT_EQ(BuildServerList(c.variant, kServers), expected) << "variant " << c.variant;
    }
    EXPECT_EQ(BuiltInServers(), (std::vector<std::string>{"127.0.0.1", "127.0.0.2", "127.0.0.3",
                                                          "127.0.0.4", "127.0.0.5"}));
}

TEST(ServerListTest, SaveDatIsTwoLittleEndianIntegers)
{
    TempFolder folder("savedat");
    const std::string path = folder.Slashed() + "save.dat";
    ASSERT_TRUE(WriteServerChoice(path, ServerChoice{2, 3}));
    EXPECT_EQ(folder.Read("save.dat"), std::string("\x02\0\0\0\x03\0\0\0", 8));
    folder.Write("save.dat", std::string("\xFF\xFF\xFF\xFF\x07\0\0\0", 8));
    const ServerChoice read = ReadServerChoice(path);
    EXPECT_EQ(read.nVariant, -1);
    EXPECT_EQ(read.nIndex, 7);

    for (const char* content : {"", "\x01\0\0"}) {
        folder.Write("save.dat", std::string(content, std::strlen(content) ? 4 : 0));
        EXPECT_EQ(ReadServerChoice(path).nVariant, -1) << "a short file reads as none";
    }
    EXPECT_EQ(ReadServerChoice(folder.Slashed() + "missing.dat").nVariant, -1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "no temporary file is left beside save.dat";
}

class LoginServerChoiceTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        m_folder = std::make_unique<TempFolder>("savedat");
        CWndLoginPanel::SetSaveFolder(m_folder->Slashed());
    }
    void TearDown() override
    {
        ShellTest::TearDown();
        CWndLoginPanel::SetSaveFolder(std::string());
    }
    CWndLoginPanel* Panel()
    {
        g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
        auto* login = dynamic_cast<CWndLogin*>(g_pWndMain->GetCurrentScreen());
        return login ? login->GetPanel() : nullptr;
    }
    std::unique_ptr<TempFolder> m_folder;
};

TEST_F(LoginServerChoiceTest, OutOfRangeIndexStartsAtTheFirstServer)
{
    struct Case {
        int32_t variant, index;
        int32_t expectedIndex;
    };
    for (const Case c : {Case{1, 7, 0}, Case{2, -1, 0}, Case{3, 4, 4}}) {
        WriteServerChoice(CWndLoginPanel::SavePath(), ServerChoice{c.variant, c.index});
        CWndLoginPanel* panel = Panel();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->GetVariant(), c.variant);
        EXPECT_EQ(panel->GetServerIndex(), c.expectedIndex) << c.index;
        EXPECT_EQ(panel->GetServerList(), BuildServerList(c.variant));
    }
}

TEST_F(LoginServerChoiceTest, WithoutSaveDatTheVariantIsOneOfTheFourRotations)
{
    std::set<int32_t> seen;
    for (int i = 0; i < 40; ++i) {
        CWndLoginPanel* panel = Panel();
        ASSERT_NE(panel, nullptr);
        EXPECT_GE(panel->GetVariant(), 0);
        EXPECT_LE(panel->GetVariant(), 3);
        EXPECT_EQ(panel->GetServerIndex(), 0);
        EXPECT_EQ(panel->GetServerList().back(), BuiltInServers()[4]);
        seen.insert(panel->GetVariant());
    }
    EXPECT_GT(seen.size(), 1u) << "the variant is chosen at random";
    EXPECT_FALSE(std::filesystem::exists(CWndLoginPanel::SavePath()))
        << "showing the screen saves nothing";
}

}  // namespace

namespace {

// The save.dat fuzzing seeds: each reads to a choice that leads to a server of the list.
TEST(ServerListTest, SaveDatSeedsReadToAUsableChoice)
{
    const std::vector<test_support::FuzzSeed> seeds = test_support::FuzzSeeds("save_dat");
    for (const test_support::FuzzSeed& seed : seeds) {
        const ServerChoice choice = ReadServerChoice(seed.path.string());
        const std::vector<std::string> list = BuildServerList(choice.nVariant);
        EXPECT_EQ(list.size(), 5u) << seed.path;
        EXPECT_EQ(list.back(), BuiltInServers()[4]) << seed.path;
    }
    EXPECT_EQ(seeds.size(), 5u);
}

}  // namespace
