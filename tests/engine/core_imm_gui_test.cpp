// The engine's input-method hold over the platform's text input (with a composition fed as the
// display would send it), and the GUI object pool and list.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CX2DEngine.h"
#include "CX2DGUIObject.h"
#include "CX2DImm.h"
#include "core_fixture.h"
#include "cxlib/error_log_capture.h"
#include "platform/window_sdl.h"

namespace {

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::DefWindowProc(hwnd, msg, wParam, lParam);
}

// The display's text events carry UTF-8; this source's narrow literals are CP949.
void SendText(Uint32 type, const char8_t* utf8)
{
    SDL_Event e{};
    e.type = type;
    char* text = type == SDL_TEXTEDITING ? e.edit.text : e.text.text;
    std::memcpy(text, utf8, std::char_traits<char8_t>::length(utf8));
    platform::HandleSdlEvent(e);
}

std::vector<UINT> QueuedMessages()
{
    std::vector<UINT> ids;
    MSG m;
    while (platform::PeekMessage(&m, true) && m.message != WM_QUIT)
        ids.push_back(m.message);
    return ids;
}

}  // namespace

TEST(CoreImm, CompositionArrivesThroughTheOpenTextInput)
{
    platform::ResetMessageQueue();
    WindowCreateInfo info;
    info.title = "imm";
    info.style = WS_POPUP | WS_CAPTION;
    info.width = 80;
    info.height = 40;
    info.proc = &PlainProc;
    HWND hwnd = platform::CreateWindow(info);
    ASSERT_NE(hwnd, nullptr) << platform::GetLastWindowError();
    CX2DImm& imm = CX2DImm::Get();
    ASSERT_TRUE(imm.OpenImm(hwnd));
    EXPECT_TRUE(imm.IsOpen());
    EXPECT_TRUE(platform::IsTextInputActive());
    QueuedMessages();

    SendText(SDL_TEXTEDITING, u8"ㅎ");
    SendText(SDL_TEXTEDITING, u8"한");
    EXPECT_TRUE(imm.IsComposing());
    EXPECT_EQ(imm.GetCompositionText(), "한");
    SendText(SDL_TEXTINPUT, u8"한");
    EXPECT_FALSE(imm.IsComposing());
    EXPECT_EQ(imm.GetCompositionText(), "");
    const std::vector<UINT> expected = {WM_IME_STARTCOMPOSITION,
                                        WM_IME_COMPOSITION,
                                        WM_IME_COMPOSITION,
                                        WM_IME_COMPOSITION,
                                        WM_IME_ENDCOMPOSITION,
                                        WM_CHAR,
                                        WM_CHAR};
    EXPECT_EQ(QueuedMessages(), expected);

    // Closing in the middle of a composition drops it.
    SendText(SDL_TEXTEDITING, u8"ㄱ");
    ASSERT_TRUE(imm.IsComposing());
    imm.CloseImm();
    EXPECT_FALSE(imm.IsOpen());
    EXPECT_FALSE(imm.IsComposing());
    EXPECT_FALSE(platform::IsTextInputActive());
    platform::DestroyWindow(hwnd);
    platform::DestroyRetiredWindows();
    platform::ResetMessageQueue();
}

TEST(CoreImm, WithoutAWindowTheErrorLogSaysSo)
{
    ErrorLogCapture log;
    EXPECT_FALSE(CX2DImm::Get().OpenImm(nullptr));
    EXPECT_FALSE(CX2DImm::Get().IsOpen());
    EXPECT_EQ(log.Count("CX2DImm::OpenImm"), 1);
    EXPECT_EQ(log.Count("IMM dll load fail. [dll="), 1);
}

TEST(CoreImm, TheEngineHoldsTextInputWhileItRuns)
{
    FakeCoreSink sink;
    CXGfxDevice* device = CreateRecordedDevice(sink);
    ASSERT_NE(device, nullptr);
    CX2DInitParam p;
    p.nScreenWidth = p.nWindowWidth = 64;
    p.nScreenHeight = p.nWindowHeight = 48;
    ASSERT_NE(CX2DInit(p, 0), nullptr) << device->System_GetErrorMessage();
    EXPECT_TRUE(CX2DImm::Get().IsOpen());
    EngineShutdown();
    EXPECT_FALSE(CX2DImm::Get().IsOpen());
    device->Release();
    platform::ResetMessageQueue();
}

TEST(CoreGUIObject, TheListHoldsPooledObjectsByName)
{
    CX2DGUIObjectList& list = EngineGUIObjects();
    EXPECT_EQ(list.m_pHead, nullptr) << "the engine itself puts nothing in it";
    auto* panel = new CX2DGUIObject("panel");
    auto* button = new CX2DGUIObject("button");
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(list.AddTail(panel), 1);
    EXPECT_EQ(list.AddTail(button), 1);
    CX2DGUIObject twin("panel");
    EXPECT_EQ(list.AddTail(&twin, 0), 0) << "names are unique";
    EXPECT_EQ(list.FindByName("button"), button);
    EXPECT_EQ(list.FindByName("panel"), panel);
    EXPECT_EQ(list.DelLink(button), 1);
    EXPECT_EQ(list.FindByName("button"), nullptr);
    delete button;
    list.RemoveAll();
    EXPECT_EQ(list.m_pHead, nullptr);
    EXPECT_EQ(list.FindByName("panel"), nullptr);
}
