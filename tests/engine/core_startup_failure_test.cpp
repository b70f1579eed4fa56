// A start-up that fails says why, in the error text and in the log: no display, no OpenGL 3.3,
// no audio device. Each case runs in a fresh copy of this program, so that what it breaks
// (the video or audio driver, the GL version) is chosen before anything starts.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "CXGfxDevice.h"
#include "support/temp_folder.h"

namespace {

// Starts a device with one environment variable set; prints the error text and exits 0 when the
// start-up failed with that text also in the log, 1 when it failed without it, 2 when it worked.
[[noreturn]] void StartWith(const char* variable, const char* value)
{
    setenv(variable, value, 1);
    TempFolder folder{"cx_startfail"};
    const std::string log = folder.Slashed() + "device.log";
    CXGfxDevice* device = CreateGfxDevice(16);
    device->System_SetState(GFX_STATE_LOG_FILE, log.c_str());
    device->System_SetState(GFX_STATE_WINDOWED, true);
    device->System_SetState(GFX_STATE_SCREEN_WIDTH, 64);
    device->System_SetState(GFX_STATE_SCREEN_HEIGHT, 48);
    device->System_SetState(GFX_STATE_WINDOW_WIDTH, 64);
    device->System_SetState(GFX_STATE_WINDOW_HEIGHT, 48);
    const bool started = device->System_Initiate(0);
    const std::string error = device->System_GetErrorMessage();
    std::ifstream in(log, std::ios::binary);
    const std::string logged(std::istreambuf_iterator<char>(in), {});
    std::fprintf(stderr, "[%s]\n", error.c_str());
    std::fflush(stderr);
    std::_Exit(started ? 2 : logged.find(error) != std::string::npos ? 0 : 1);
}

}  // namespace

TEST(CoreStartupFailure, TheErrorNamesTheCause)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* variable;
        const char* value;
        const char* expected;  // extended regular expression over the printed error text
    };
    const Case cases[] = {
        {"SDL_VIDEODRIVER", "cx-no-such-driver",
         "\\[Can't create window: no video: .*cx-no-such-driver.*\\]"},
        // Mesa then offers OpenGL 3.0 at most, as an old driver would.
        {"MESA_GL_VERSION_OVERRIDE", "3.0",
         "\\[Can't create D3D device: no OpenGL 3.3 core context \\(OpenGL 3.3 is required\\): "
         ".+\\]"},
        {"SDL_AUDIODRIVER", "cx-no-such-driver",
         "\\[Can't initialize sound device: no audio: .+\\]"},
    };
    for (const Case& c : cases)
        EXPECT_EXIT(StartWith(c.variable, c.value), testing::ExitedWithCode(0), c.expected)
            << c.variable;
}
