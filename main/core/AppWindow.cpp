#include "AppWindow.h"

#include <cstdio>
#include <string>

#include "platform/files.h"

HWND g_hWndMain = nullptr;
bool g_bFullScreen = false;
RECT g_rcWindow;
int32_t g_nVirtualWidth = 1920;
int32_t g_nVirtualHeight = 1080;
int32_t g_nBackBufferWidth = 1280;
int32_t g_nBackBufferHeight = 720;
float g_fLayoutScaleX = 1.0f;
float g_fLayoutScaleY = 1.0f;
double g_dTotalTime = 0.0;

const char* ModuleDir()
{
    static const std::string folder = platform::ProgramFolder();
    return folder.c_str();
}

const char* ModuleFilePath(const char* name)
{
    static char buffers[32][260];
    static unsigned next = 0;
    char* buffer = buffers[next];
    next = (next + 1) % 32;
    std::snprintf(buffer, sizeof buffers[0], "%s%s", ModuleDir(), name ? name : "");
    return buffer;
}
