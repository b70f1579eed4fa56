#pragma once
// The application object over a started device whose window stands in for the engine window: its
// UI images from the generated tree, the resource registry, and helpers that run frames of the
// widget tree and read what the message box shows.
#include <gtest/gtest.h>

#include <string>

#include "CDlgCommon.h"
#include "CGameMain.h"
#include "CWndMain.h"
#include "CXFileLoad.h"
#include "NetClientGlobal.h"
#include "WindowMode.h"
#include "engine/device_start.h"

class ShellTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_dev = StartTestDevice(1280, 720, true); }
    static void TearDownTestSuite() { StopTestDevice(s_dev); }

    void SetUp() override
    {
        ASSERT_NE(s_dev, nullptr) << "the device did not start";
        platform::ResetMessageQueue();
        g_hWndMain = reinterpret_cast<HWND>(s_dev->System_GetState(GFX_STATE_HWND));
        g_bFullScreen = false;
        g_nBackBufferWidth = 1280;
        g_nBackBufferHeight = 720;
        platform::MoveWindow(g_hWndMain, 0, 0, 1280, 720);
        SaveWindowRect();
        g_pFileLoad = new CXFileLoad();
        g_pGameMain = new CGameMain();
        ASSERT_TRUE(g_pGameMain->Init((std::string(CX_ASSETS_DIR) + "/data_ui").c_str()));
        ASSERT_NE(g_pWndMain, nullptr);
    }
    void TearDown() override
    {
        ReleaseNetClient();
        delete g_pGameMain;
        g_pGameMain = nullptr;
        delete g_pFileLoad;
        g_pFileLoad = nullptr;
        if (g_hWndMain) {
            g_bFullScreen = false;
            platform::SetWindowStyle(g_hWndMain, kFramedStyle);
            platform::MoveWindow(g_hWndMain, 0, 0, 1280, 720);
        }
        g_hWndMain = nullptr;
        g_hDXWnd = nullptr;
        platform::ResetMessageQueue();
    }

    // Delivers every posted message to the application's window procedure, as the engine's
    // message loop would.
    static void PumpMessages()
    {
        MSG msg;
        for (int i = 0; i < 1000 && platform::PeekMessage(&msg, true); ++i)
            if (msg.message != WM_QUIT)
                g_pGameMain->WndProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    static void UpdateWidgets(float seconds = 1.0f / 60)
    {
        g_pWndMain->Update(seconds);
        PumpMessages();
    }

    static CDlgCommon* Box() { return g_pWndMain->GetMessageBox(); }
    static bool BoxShows(const std::string& text)
    {
        return Box()->IsVisible() && Box()->GetText() == text;
    }

    static inline CXGfxDevice* s_dev = nullptr;
};
