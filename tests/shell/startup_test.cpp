// The program's whole start-up and shutdown in order, run for real with a main loop that ends at
// once: crash reports first, the network client closed last, exit code 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppStartup.h"
#include "CGameMain.h"
#include "CXFileLoad.h"
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
        Window_PostQuitMessage(0);
}

int SilentBox(const char*, const char*, uint32_t) { return IDOK; }

TEST(StartupTest, RunsEveryStepInOrderAndShutsDownInReverse)
{
    Window_SetMessageBoxHook(SilentBox);
    SetStartupTrace(Record);
    EXPECT_EQ(RunClient(), 0);
    SetStartupTrace(nullptr);
    Window_SetMessageBoxHook(nullptr);

    const std::vector<std::string> expected = {
        "crash report", "seed",          "logs",         "locale",        "file registry",
        "engine",       "application",   "main loop",    "delete file registry", "stop channels",
        "delete application", "engine shutdown", "network client", "end"};
    EXPECT_EQ(g_steps, expected);
    EXPECT_EQ(g_pGameMain, nullptr);
    EXPECT_EQ(g_pFileLoad, nullptr);
    EXPECT_FALSE(g_NetClient);
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
