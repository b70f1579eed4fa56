// Crash reports: a crashing process leaves "%d-%d-%d %d_%d_%d.dmp" with its signal and a
// backtrace in the report folder, and still dies of the signal.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/crash.h"
#include "support/temp_folder.h"

namespace {

TEST(CrashReportTest, NameFollowsTheDateAndTime)
{
    EXPECT_EQ(platform::CrashReportName(2026, 12, 1, 9, 5, 7), "2026-12-1 9_5_7.dmp");
}

TEST(CrashReportDeathTest, ACrashWritesItsReportAndStillEndsTheProcess)
{
    // Forked, so the child writes into the folder this process made.
    GTEST_FLAG_SET(death_test_style, "fast");
    TempFolder folder("crash");
    EXPECT_DEATH(
        {
            platform::InstallCrashReport(folder.Slashed());
            std::raise(SIGABRT);
        },
        "");
    int reports = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++reports;
        EXPECT_EQ(entry.path().extension(), ".dmp");
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ(text.str().rfind("signal " + std::to_string(SIGABRT) + "\n", 0), 0u)
            << text.str();
    }
    EXPECT_EQ(reports, 1);
}

}  // namespace
