#pragma once
// A started device whose window is the widgets' real window, solid-colour button images, a UI
// font, a recording root window, and helpers that feed mouse messages and collect the private
// messages the widgets post.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CDXWnd.h"
#include "CUIFrames.h"
#include "CUITexture.h"
#include "CXFont.h"
#include "ui_device_fixture.h"

// A window that records the hooks the routing calls on it.
class RecordingWnd : public CDXWnd {
public:
    std::vector<std::string> calls;
    int keyResult = 1;
    void OnClick(int id) override { calls.push_back("click " + std::to_string(id)); }
    void OnPress(int id) override { calls.push_back("press " + std::to_string(id)); }
    void OnRadioSelect(int id) override { calls.push_back("radio " + std::to_string(id)); }
    void OnScreenMessage(int id, LPARAM) override
    {
        calls.push_back("screen " + std::to_string(id));
    }
    void OnChildFocus(int id) override { calls.push_back("focus " + std::to_string(id)); }
    int OnKeyDown(int key) override
    {
        calls.push_back("key " + std::to_string(key));
        return keyResult;
    }
    int OnChar(int code) override
    {
        calls.push_back("char " + std::to_string(code));
        return keyResult;
    }
    int OnUpdate(float) override
    {
        calls.push_back("update");
        return 1;
    }
    void OnMouseLeave() override
    {
        calls.push_back("leave");
        CDXWnd::OnMouseLeave();
    }
    int OnLButtonDown(int, int) override
    {
        calls.push_back("down");
        return 1;
    }
};

class RecordingDialog : public RecordingWnd {
public:
    RecordingDialog() { m_nType = DXWND_DIALOG; }
};

class WidgetTest : public UIDeviceTest {
protected:
    void SetUp() override
    {
        UIDeviceTest::SetUp();
        g_hDXWnd = reinterpret_cast<HWND>(s_dev->System_GetState(GFX_STATE_HWND));
        ASSERT_NE(g_hDXWnd, nullptr);
        g_fPointerScaleX = g_fPointerScaleY = 1.0f;
        g_bDXLButtonDown = false;
        platform::ResetMessageQueue();
        const uint32_t colours[4] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF808080};
        for (uint32_t c : colours)
            m_buttonFrames.Add(new CUITexture(Solid(40, 20, c)));
        root = new RecordingWnd();
        ASSERT_TRUE(root->CreateWidget(0, 0, 1920, 1080, 1, nullptr, 0, 255));
    }
    void TearDown() override
    {
        delete root;
        platform::SetFocus(g_hDXWnd);
        platform::ResetMessageQueue();
        g_hDXWnd = nullptr;
        UIDeviceTest::TearDown();
    }

    // A Korean UI face at the given pixel height.
    void MakeFont(CXFont& font, int height)
    {
        CXFontDesc desc;
        desc.Height = -height;
        desc.Weight = 700;
        std::strcpy(desc.FaceName, "나눔고딕");
        font.SetDesc(desc);
        ASSERT_TRUE(font.Create(1.0f, 1.0f));
    }

    int Mouse(UINT msg, int x, int y) { return root->DispatchMessage(msg, 0, MAKELPARAM(x, y)); }
    void Click(int x, int y)
    {
        Mouse(WM_LBUTTONDOWN, x, y);
        Mouse(WM_LBUTTONUP, x, y);
    }

    // Takes every queued message; private ones are returned (and, with deliver, dispatched to
    // the root as the main window would), input and quit are dropped.
    std::vector<MSG> Posted(bool deliver = false)
    {
        std::vector<MSG> out;
        MSG m;
        for (int i = 0; i < 1000 && platform::PeekMessage(&m, true); ++i) {
            if (m.message == WM_QUIT)
                m_nQuit = static_cast<int>(m.wParam);
            if (m.message < WM_DX_CLICK || m.message > WM_DX_SCREEN_MSG)
                continue;
            out.push_back(m);
            if (deliver)
                root->DispatchMessage(m.message, m.wParam, m.lParam);
        }
        return out;
    }

    RecordingWnd* root = nullptr;
    CUIFrames m_buttonFrames;
    int m_nQuit = -100;  // the exit code of the last quit seen, -100 for none
};
