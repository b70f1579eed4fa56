// The program's whole start-up and shutdown in order, run for real with a main loop that ends at
// once: crash reports first, the network client closed last, exit code 0; and an engine that
// cannot start: its error-log line, the same shutdown, exit code 0.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AppStartup.h"
#include "Base/CXLog.h"
#include "CGameMain.h"
#include "CXFileLoad.h"
#include "KoreanLocale.h"
#include "NetClientGlobal.h"
#include "platform/message_box.h"
#include "platform/window.h"

namespace {

std::vector<std::string> g_steps;

void Record(const char* step)
{
    g_steps.push_back(step);
    // The application is up: end the main loop before its first frame.
    if (std::string(step) == "main loop")
        platform::PostQuitMessage(0);
}

int SilentBox(const char*, const char*, uint32_t)
{
    return IDOK;
}

// Runs the whole program with its steps recorded; returns its exit code and the steps as
// "<step><step>...".
int RunRecorded(std::string& steps)
{
    platform::SetMessageBoxHook(SilentBox);
    SetStartupTrace(Record);
    const int code = RunClient();
    for (const std::string& step : g_steps)
        steps += "<" + step + ">";
    return code;
}

// The whole program runs in a forked child that reports its steps and ends with _Exit: the leak
// checker's thread-stopping pass at a normal exit has been seen to crash intermittently after the
// engine's full start-up and shutdown in one process.
TEST(StartupTest, RunsEveryStepInOrderAndShutsDownInReverse)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            std::string steps;
            const int code = RunRecorded(steps);
            const bool clean = code == 0 && !g_pGameMain && !g_pFileLoad && !g_NetClient;
            std::fprintf(stderr, "steps %s clean %d\n", steps.c_str(), clean ? 1 : 0);
            std::fflush(stderr);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0),
        "steps <crash report><seed><logs><locale><file registry><engine><application><main loop>"
        "<delete file registry><stop channels><delete application><engine shutdown><network "
        "client><end> "
        "clean 1");
}

// No display the engine can open: the error log names the failed engine start, no application
// object or main loop follows, the shutdown runs all the same, and the program still exits with 0.
TEST(StartupTest, EngineStartFailureIsLoggedAndExitsWithZero)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
            std::string steps;
            const int code = RunRecorded(steps);
            std::string logged;
            if (FILE* log = std::fopen(CXLog::ErrorLog().GetFileName().c_str(), "rb")) {
                char buffer[4096];
                logged.assign(buffer, std::fread(buffer, 1, sizeof buffer, log));
                std::fclose(log);
            }
            const bool line = logged.find("AppInit") != std::string::npos &&
                              logged.find("CX2DInit fail.") != std::string::npos;
            std::fprintf(stderr, "steps %s code %d logged %d\n", steps.c_str(), code, line ? 1 : 0);
            std::fflush(stderr);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0),
        "steps <crash report><seed><logs><locale><file registry><engine>"
        "<delete file registry><stop channels><delete application><engine shutdown><network "
        "client><end> "
        "code 0 logged 1");
}

TEST(StartupTest, KoreanLocaleNeverThrows)
{
    const char* name = nullptr;
    EXPECT_NO_THROW(name = SetKoreanLocale());
    if (name) {
        EXPECT_NE(std::string(name).find('.'), std::string::npos);
    }
}

}  // namespace
