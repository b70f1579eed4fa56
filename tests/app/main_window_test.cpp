// The main window's screen switching (history, failed creations, a screen replaced from inside its
// own update, messages 1932 to 1934) and the application object's window handling (close asks
// first, maximise and Alt+Enter toggle full screen, a minimised window keeps its target).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CDXDialog.h"
#include "CDlgGameExit.h"
#include "CWndCaption.h"
#include "CX2DTarget.h"
#include "CXGfxDevice.h"
#include "ScreenFactory.h"
#include "platform/keys.h"
#include "platform/window_sdl.h"
#include "shell_fixture.h"

namespace {

std::vector<std::string> g_events;

// A screen that records its life and can ask for another screen from inside its own update.
class ProbeScreen : public CDXWnd {
public:
    static inline int nextOnUpdate = -1;  // the screen the next update asks for
    static inline bool failCreate = false;

    ~ProbeScreen() override { g_events.push_back("delete " + std::to_string(m_nId)); }
    bool Create(int id, int) override
    {
        if (failCreate)
            return false;
        return CreateWidget(0, 0, 1920, 1080, id, nullptr, 0, 255);
    }
    int OnUpdate(float) override
    {
        g_events.push_back("update " + std::to_string(m_nId));
        if (nextOnUpdate >= 0) {
            const int next = nextOnUpdate;
            nextOnUpdate = -1;
            g_pWndMain->ChangeScreen(next);
            // Still alive: the main window deletes it only after this update returns.
            g_events.push_back("after change " + std::to_string(m_nId));
        }
        return 1;
    }
    void OnScreenMessage(int id, LPARAM) override
    {
        g_events.push_back("screen message " + std::to_string(id));
    }
    int OnKeyDown(int key) override { return Key("down", key); }
    int OnKeyUp(int key) override { return Key("up", key); }
    int OnChar(int code) override { return Key("char", code); }

private:
    int Key(const char* what, int code)
    {
        g_events.push_back(std::string(what) + " " + std::to_string(code) + " at " +
                           std::to_string(m_nId));
        return 1;
    }
};

// A modal dialog of a screen that records the keys it gets.
class ProbeDialog : public CDXDialog {
public:
    int OnKeyDown(int key) override
    {
        g_events.push_back("dialog down " + std::to_string(key));
        return 1;
    }
    int OnChar(int code) override
    {
        g_events.push_back("dialog char " + std::to_string(code));
        return 1;
    }
};

CDXWnd* MakeProbe(int id)
{
    return (id == 12 || id == 13 || id == 19) ? new ProbeScreen() : nullptr;
}

class ScreenSwitchTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        m_previous = CWndMain::SetScreenFactory(MakeProbe);
        ProbeScreen::nextOnUpdate = -1;
        ProbeScreen::failCreate = false;
        g_pWndMain->ChangeScreen(12);
        g_events.clear();
    }
    void TearDown() override
    {
        CWndMain::SetScreenFactory(m_previous);
        ShellTest::TearDown();
    }
    static int CurrentId()
    {
        return g_pWndMain->GetCurrentScreen() ? g_pWndMain->GetCurrentScreen()->GetId() : -1;
    }

    CWndMain::ScreenFactory m_previous = nullptr;
};

TEST_F(ScreenSwitchTest, ChangeKeepsOneHistoryEntryAndGoingBackFails)
{
    EXPECT_TRUE(g_pWndMain->ChangeScreen(13));
    EXPECT_EQ(CurrentId(), 13);
    EXPECT_EQ(g_pWndMain->GetHistory(), std::deque<int>{13});
    EXPECT_EQ(g_events, std::vector<std::string>{"delete 12"});
    EXPECT_EQ(g_pWndMain->GetPreviousScreen(), nullptr);

    // 1933 with one entry: nothing to go back to, the program is told to quit with -1.
    EXPECT_EQ(g_pWndMain->DispatchMessage(WM_DX_PREV_SCREEN, 0, 0), -1);
    MSG msg;
    bool quit = false;
    while (platform::PeekMessage(&msg, true))
        if (msg.message == WM_QUIT && static_cast<int>(msg.wParam) == -1)
            quit = true;
    EXPECT_TRUE(quit);
}

TEST_F(ScreenSwitchTest, ReplacedFromItsOwnUpdateIsDeletedAfterTheUpdateReturns)
{
    ProbeScreen::nextOnUpdate = 13;
    UpdateWidgets();
    EXPECT_EQ(g_events, (std::vector<std::string>{"update 12", "after change 12", "delete 12"}));
    EXPECT_EQ(CurrentId(), 13);

    g_events.clear();
    g_pWndMain->DispatchMessage(WM_DX_CHANGE_SCREEN, 19, 0);
    EXPECT_EQ(CurrentId(), 19);
    EXPECT_EQ(g_events, std::vector<std::string>{"delete 13"});
}

TEST_F(ScreenSwitchTest, FailedOrUnknownScreenLeavesNoCurrentScreen)
{
    struct Case {
        int id;
        bool failCreate;
        bool box;
    };
    const Case cases[] = {{13, true, true}, {7, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        g_pWndMain->ChangeScreen(12);
        Box()->Show(false);
        g_events.clear();
        ProbeScreen::failCreate = c.failCreate;
        g_pWndMain->ChangeScreen(c.id);
        ProbeScreen::failCreate = false;
        EXPECT_EQ(g_pWndMain->GetCurrentScreen(), nullptr);
        ASSERT_NE(g_pWndMain->GetPreviousScreen(), nullptr) << "the replaced screen is kept";
        EXPECT_EQ(g_pWndMain->GetPreviousScreen()->GetId(), 12);
        EXPECT_EQ(Box()->IsVisible(), c.box);
        if (c.box) {
            EXPECT_EQ(Box()->GetText(),
                      "초기화 오류가 발생하였습니다.(13)\n 프로그램을 종료합니다.");
            EXPECT_EQ(Box()->GetTitle(), "오류");
        }
    }
}

TEST_F(ScreenSwitchTest, ScreenMessageReachesOnlyTheScreenItNames)
{
    EXPECT_EQ(g_pWndMain->DispatchMessage(WM_DX_SCREEN_MSG, DXPackWidgetIds(13, 5), 0), 0);
    EXPECT_TRUE(g_events.empty());
    g_pWndMain->DispatchMessage(WM_DX_SCREEN_MSG, DXPackWidgetIds(12, 5), 0);
    EXPECT_EQ(g_events, std::vector<std::string>{"screen message 5"});
}

// Full screen shows the caption bar from the login on: keys still reach the screen, or its modal
// dialog, in both window modes, and the bar keeps its own mouse messages.
TEST_F(ScreenSwitchTest, KeysPassTheCaptionBarToTheScreenOrItsModalDialog)
{
    g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
    g_pWndMain->SetLayoutEnabled(true);
    CDXWnd* screen = g_pWndMain->GetCurrentScreen();
    auto* dialog = new ProbeDialog();
    ASSERT_TRUE(dialog->CreateWidget(600, 300, 400, 300, 500, screen, 0, 255));
    dialog->SetModal(true);
    struct Case {
        bool fullScreen;
        bool dialogShown;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {true, false, {"down 39 at 13", "up 39 at 13", "char 13 at 13"}},
        {false, false, {"down 39 at 13", "up 39 at 13", "char 13 at 13"}},
        {true, true, {"dialog down 39", "dialog char 13"}},
        {false, true, {"dialog down 39", "dialog char 13"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fullScreen ? "full screen" : "framed") +
                     (c.dialogShown ? ", dialog" : ""));
        g_bFullScreen = c.fullScreen;
        g_pWndMain->Relayout();
        ASSERT_EQ(g_pWndMain->GetCaption()->IsVisible(), c.fullScreen);
        dialog->Show(c.dialogShown);
        g_events.clear();
        const int target = c.dialogShown ? 500 : CWndMain::kScreenLogin;
        EXPECT_EQ(g_pWndMain->DispatchMessage(WM_KEYDOWN, VK_RIGHT, 0), target);
        EXPECT_EQ(g_pWndMain->DispatchMessage(WM_KEYUP, VK_RIGHT, 0), target);
        EXPECT_EQ(g_pWndMain->DispatchMessage(WM_CHAR, 13, 0), target);
        EXPECT_EQ(g_events, c.expected);
    }

    // The bar still takes its own mouse: a double click on it in full screen goes to a window.
    dialog->Show(false);
    g_bFullScreen = true;
    g_pWndMain->Relayout();
    EXPECT_EQ(g_pWndMain->DispatchMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 5)),
              CWndCaption::kId);
    EXPECT_FALSE(g_bFullScreen);
}

TEST_F(ScreenSwitchTest, ShownExitDialogTakesTheUpdates)
{
    g_pWndMain->GetExitDialog()->Show(true);
    UpdateWidgets();
    EXPECT_TRUE(g_events.empty());
    g_pWndMain->GetExitDialog()->Show(false);
    UpdateWidgets();
    EXPECT_EQ(g_events, std::vector<std::string>{"update 12"});
}

class WindowHandlingTest : public ShellTest {
protected:
    static LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return g_pGameMain->WndProc(g_hWndMain, msg, wParam, lParam);
    }
};

TEST_F(WindowHandlingTest, InitLeavesTheWindowFullScreenOnTheLoadingScreen)
{
    EXPECT_TRUE(g_bFullScreen);
    EXPECT_EQ(platform::GetWindowStyle(g_hWndMain), kFullScreenStyle);
    EXPECT_EQ(platform::GetWindowExStyle(g_hWndMain), kFullScreenExStyle);
    RECT rc;
    ASSERT_TRUE(platform::GetWindowRect(g_hWndMain, &rc));
    EXPECT_EQ(rc.right - rc.left, platform::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rc.bottom - rc.top, platform::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(g_pGameMain->GetMode(), CGameMain::MODE_LOADING);
    EXPECT_EQ(g_pWndMain->GetHistory(), std::deque<int>{CWndMain::kScreenLoading});
    for (CXFont* font :
         {g_pGameMain->Font01, g_pGameMain->Font06, g_pGameMain->Font14, g_pGameMain->Font15})
        EXPECT_NE(font, nullptr);
    EXPECT_EQ(g_pGameMain->Font13->GetHeight(), 80);
}

TEST_F(WindowHandlingTest, CloseAsksFirstAndClosesTheSecondTime)
{
    EXPECT_EQ(Send(WM_CLOSE), 1);
    EXPECT_TRUE(g_pWndMain->GetExitDialog()->IsVisible());
    EXPECT_EQ(Send(WM_CLOSE), 0) << "the default handling closes the window";
}

TEST_F(WindowHandlingTest, MaximiseTogglesFullScreenWithoutSavingTheRectangle)
{
    ToggleWindowMode(false);  // back to the framed window
    ASSERT_FALSE(g_bFullScreen);
    const RECT saved = g_rcWindow;
    EXPECT_EQ(Send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1920, 1080)), 1);
    EXPECT_TRUE(g_bFullScreen);
    EXPECT_EQ(g_rcWindow.right, saved.right);
    EXPECT_EQ(Send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1920, 1080)), 1);
    EXPECT_FALSE(g_bFullScreen);
    EXPECT_EQ(platform::GetWindowStyle(g_hWndMain), kFramedStyle);
}

TEST_F(WindowHandlingTest, ResizeMakesANewTargetAndScalesAndIgnoresAMinimisedWindow)
{
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(960, 540));
    EXPECT_EQ(g_pGameMain->GetScreenTarget()->GetWidth(), 960);
    EXPECT_FLOAT_EQ(g_fPointerScaleX, 2.0f);
    EXPECT_FLOAT_EQ(g_pGameMain->GetUIScaleY(), 0.5f);
    Send(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    EXPECT_EQ(g_pGameMain->GetScreenTarget()->GetWidth(), 960);
    EXPECT_FLOAT_EQ(g_fPointerScaleX, 2.0f);
}

TEST_F(WindowHandlingTest, AltEnterTogglesFromTheLoginOnAndLeavesLaterEventsQueued)
{
    CXGfxDevice* dev = s_dev;
    CXInputEvent ignored;
    while (dev->Input_GetEvent(&ignored)) {
    }
    // Alt held: the key state the input pump keeps.
    SDL_Event alt{};
    alt.type = SDL_KEYDOWN;
    alt.key.windowID = SDL_GetWindowID(platform::GetSdlWindow(g_hWndMain));
    alt.key.keysym.scancode = SDL_SCANCODE_LALT;
    platform::HandleSdlEvent(alt);
    ASSERT_LT(platform::GetAsyncKeyState(VK_MENU), 0) << "the test cannot hold Alt down";

    struct Case {
        int mode;
        bool toggles;
    };
    for (const Case c : {Case{CGameMain::MODE_LOADING, false}, Case{CGameMain::MODE_LOGIN, true}}) {
        SCOPED_TRACE(c.mode);
        g_pGameMain->SetMode(c.mode);
        const bool before = g_bFullScreen;
        dev->QueueEvent(INPUT_KEYDOWN, VK_RETURN, 0, INPUT_FLAG_ALT, 0, 0);
        dev->QueueEvent(INPUT_KEYDOWN, 'A', 0, 0, 0, 0);
        g_pGameMain->ProcessInput();
        EXPECT_EQ(g_bFullScreen != before, c.toggles);
        CXInputEvent left;
        EXPECT_EQ(dev->Input_GetEvent(&left), c.toggles)
            << "the events after Alt+Enter wait for the next frame";
        if (c.toggles) {
            EXPECT_EQ(left.key, 'A');
        }
    }
    alt.type = SDL_KEYUP;
    platform::HandleSdlEvent(alt);
}

TEST_F(WindowHandlingTest, CaptionShowsOnlyInFullScreenOnceTheLayoutIsEnabled)
{
    CWndCaption* caption = g_pWndMain->GetCaption();
    EXPECT_FALSE(caption->IsVisible()) << "no layout before the login screen";
    g_pWndMain->SetLayoutEnabled(true);
    g_pWndMain->Relayout();
    EXPECT_TRUE(caption->IsVisible());
    EXPECT_TRUE(caption->FindById(CWndCaption::kToWindowId)->IsVisible());
    EXPECT_FALSE(caption->FindById(CWndCaption::kToFullScreenId)->IsVisible());
    caption->OnClick(CWndCaption::kToWindowId);
    EXPECT_FALSE(g_bFullScreen);
    EXPECT_FALSE(caption->IsVisible());
    caption->OnLButtonDblClk(0, 0);
    EXPECT_TRUE(g_bFullScreen);
    caption->OnClick(CWndCaption::kExitId);
    EXPECT_TRUE(g_pWndMain->GetExitDialog()->IsVisible());
}

}  // namespace
