// Starting programs without a shell, and handing targets to the desktop's opener.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/launch.h"
#include "support/temp_folder.h"

namespace {

std::vector<std::vector<std::string>> g_Spawned;
bool g_bSpawnWorks = true;

bool RecordingSpawner(const std::vector<std::string>& argv)
{
    g_Spawned.push_back(argv);
    return g_bSpawnWorks;
}

bool WaitForFile(const std::filesystem::path& path)
{
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return std::filesystem::exists(path);
}

}  // namespace

TEST(Launch, ArgumentsReachTheProgramAsTheyAreWithoutAShell)
{
    TempFolder folder{"cx_launch"};
    // A shell would split this name at the blank and run what follows the ';'.
    const auto target = folder.Path() / "a b;touch c";
    ASSERT_TRUE(platform::SpawnDetached({"touch", target.string()}));
    EXPECT_TRUE(WaitForFile(target));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "a"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "c"));
}

TEST(Launch, ProgramsThatCannotStartAreReported)
{
    EXPECT_FALSE(platform::SpawnDetached({}));
    EXPECT_FALSE(platform::SpawnDetached({""}));
    EXPECT_FALSE(platform::SpawnDetached({"/nonexistent/cx-no-such-program"}));
}

TEST(Launch, TargetsGoToTheDesktopOpener)
{
    g_Spawned.clear();
    g_bSpawnWorks = true;
    platform::SetLaunchSpawner(&RecordingSpawner);
    EXPECT_TRUE(platform::OpenWithDesktop("http://127.0.0.1/notice page.html"));
    EXPECT_FALSE(platform::OpenWithDesktop(""));
    g_bSpawnWorks = false;
    EXPECT_FALSE(platform::OpenWithDesktop("/tmp/missing opener.txt"));
    platform::SetLaunchSpawner(nullptr);
    const std::vector<std::vector<std::string>> expected = {
        {"xdg-open", "http://127.0.0.1/notice page.html"},
        {"xdg-open", "/tmp/missing opener.txt"},
    };
    EXPECT_EQ(g_Spawned, expected);
}
