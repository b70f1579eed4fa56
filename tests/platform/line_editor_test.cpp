// The line editor behind hidden edit windows: byte limit, double-byte characters, caret and
// selection keys, composition; and the edit window fed by SDL text-input events.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/line_editor.h"
#include "platform/window_sdl.h"

namespace {

using platform::LineEditor;

// Script letters: c<byte> types a byte, L/R/H/E/D are Left/Right/Home/End/Delete, l/r are
// Shift+Left/Shift+Right, B is Backspace, s<digit><digit> sets the selection, [ starts a
// composition, {xxxx} updates it with the hex code, ] ends it.
void Play(LineEditor& ed, const std::string& script)
{
    for (size_t i = 0; i < script.size(); ++i) {
        switch (script[i]) {
        case 'c':
            ed.Char(static_cast<uint8_t>(script[++i]));
            break;
        case 'L':
            ed.KeyDown(VK_LEFT, false);
            break;
        case 'R':
            ed.KeyDown(VK_RIGHT, false);
            break;
        case 'l':
            ed.KeyDown(VK_LEFT, true);
            break;
        case 'r':
            ed.KeyDown(VK_RIGHT, true);
            break;
        case 'H':
            ed.KeyDown(VK_HOME, false);
            break;
        case 'E':
            ed.KeyDown(VK_END, false);
            break;
        case 'D':
            ed.KeyDown(VK_DELETE, false);
            break;
        case 'B':
            ed.Char(8);
            break;
        case '[':
            ed.CompositionStart();
            break;
        case '{': {
            const size_t close = script.find('}', i);
            ed.CompositionUpdate(static_cast<uint32_t>(
                std::stoul(script.substr(i + 1, close - i - 1), nullptr, 16)));
            i = close;
            break;
        }
        case ']':
            ed.CompositionEnd();
            break;
        case 's':
            ed.SetSel(script[i + 1] - '0', script[i + 2] - '0');
            i += 2;
            break;
        default:
            FAIL() << "bad script letter " << script[i];
        }
    }
}

// "가" is B0 A1, "나" is B3 AA, "각" is B0 A2 in CP949.
std::string Typed(const char* bytes)
{
    std::string s;
    for (const char* p = bytes; *p; ++p)
        s += std::string("c") + *p;
    return s;
}

TEST(LineEditor, EditingScripts)
{
    struct Case {
        const char* name;
        size_t limit;
        std::string script;
        std::string text;
        size_t selStart, selEnd;
    };
    const std::vector<Case> cases = {
        {"hangul does not fit the last byte", 5, Typed("ab가나c"), "ab가c", 5, 5},
        {"hangul fills the limit exactly", 4, Typed("ab가c"), "ab가", 4, 4},
        {"backspace takes the whole pair", 10, Typed("a가") + "B", "a", 1, 1},
        {"left steps over the pair", 10, Typed("a가") + "L" + Typed("x"), "ax가", 2, 2},
        {"right steps over the pair", 10, Typed("가b") + "HR" + Typed("x"), "가xb", 3, 3},
        {"delete takes the pair after the caret", 10, Typed("a가b") + "HRD", "ab", 1, 1},
        {"shift-left selects the pair, typing replaces it", 10, Typed("a가") + "l" + Typed("z"),
         "az", 2, 2},
        {"selection then left collapses to its start", 10, Typed("abc") + "llL", "abc", 1, 1},
        {"lead byte without trail is dropped", 10,
         "c\xB0"
         "c\x20"
         "cq",
         " q", 2, 2},
        {"control codes other than backspace are ignored", 10,
         "c\x09"
         "c\x0D"
         "c\x1B"
         "ca",
         "a", 1, 1},
        {"composition shows the syllable and ends clean", 10,
         Typed("a") + "[{B0A1}{B0A2}]" + Typed("각"), "a각", 3, 3},
        {"cancelled composition leaves nothing", 10, Typed("a") + "[{B0A1}{0}]", "a", 1, 1},
        {"composition over the limit shows nothing", 2, Typed("ab") + "[{B0A1}", "ab", 2, 2},
        {"composition replaces the selection", 10, Typed("abc") + "l[{B0A1}", "ab가", 4, 4},
        {"typing during a composition drops the syllable", 10, Typed("a") + "[{B0A1}" + Typed("b"),
         "ab", 2, 2},
        {"syllable follows a selection moved while none was shown", 10,
         Typed("abc") + "[{0}s00{B0A1}", "가abc", 2, 2},
        {"...and ending that composition removes only the syllable", 10,
         Typed("abc") + "[{0}s00{B0A1}]", "abc", 0, 0},
        {"caret keys wait while composing", 10, Typed("a") + "[{B0A1}LLD", "a가", 3, 3},
    };
    for (const auto& c : cases) {
        LineEditor ed;
        ed.SetLimit(c.limit);
        Play(ed, c.script);
        EXPECT_EQ(ed.Text(), c.text) << c.name;
        EXPECT_EQ(ed.SelStart(), c.selStart) << c.name;
        EXPECT_EQ(ed.SelEnd(), c.selEnd) << c.name;
    }
}

TEST(LineEditor, SetTextAndSelectionKeepCharactersWhole)
{
    LineEditor ed;
    ed.SetLimit(3);
    ed.SetText("a가나");
    EXPECT_EQ(ed.Text(), "a가");
    ed.SetLimit(10);
    ed.SetText("x\xB0"
               "\x20"
               "가");  // a lone lead byte is dropped
    EXPECT_EQ(ed.Text(), "x 가");
    ed.SetSel(3, 3);  // inside the pair: snapped to its start
    EXPECT_EQ(ed.Caret(), 2u);
    ed.SetSel(0, -1);
    EXPECT_EQ(ed.SelEnd(), 4u);
    EXPECT_EQ(ed.CharCount(), 3u);
    EXPECT_EQ(ed.WholePrefix(3), 2u);
}

TEST(LineEditor, PasswordBoxMasksAndTakesNoComposition)
{
    LineEditor ed(true);
    EXPECT_EQ(ed.PasswordChar(), '*');
    Play(ed, Typed("pw") + "[{B0A1}");
    EXPECT_FALSE(ed.Composing());
    EXPECT_EQ(ed.Text(), "pw");
}

class EditWindowTest : public ::testing::Test {
protected:
    static LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return platform::DefWindowProc(h, m, w, l);
    }
    void SetUp() override
    {
        platform::ResetMessageQueue();
        WindowCreateInfo info;
        info.title = "edit";
        info.style = WS_POPUP;
        info.width = 100;
        info.height = 100;
        info.proc = &Proc;
        top = platform::CreateWindow(info);
        ASSERT_NE(top, nullptr);
        edit = platform::CreateLineEdit(top, ES_AUTOHSCROLL);
        ASSERT_NE(edit, nullptr);
        platform::SetFocus(edit);
        Drain();
    }
    void TearDown() override
    {
        platform::DestroyWindow(top);
        platform::DestroyRetiredWindows();
        platform::ResetMessageQueue();
    }
    void Drain()
    {
        MSG m;
        while (platform::PeekMessage(&m, true) && m.message != WM_QUIT) {
            platform::TranslateMessage(&m);
            platform::DispatchMessage(&m);
        }
    }
    void Editing(const char8_t* utf8)
    {
        SDL_Event e{};
        e.type = SDL_TEXTEDITING;
        std::strncpy(e.edit.text, reinterpret_cast<const char*>(utf8), sizeof e.edit.text - 1);
        platform::HandleSdlEvent(e);
    }
    void Input(const char8_t* utf8)
    {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, reinterpret_cast<const char*>(utf8), sizeof e.text.text - 1);
        platform::HandleSdlEvent(e);
    }
    std::string Text()
    {
        char buf[64];
        platform::SendMessage(edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    HWND top = nullptr;
    HWND edit = nullptr;
};

TEST_F(EditWindowTest, TextInputEventsComposeThenCommit)
{
    Input(u8"a");
    Editing(u8"ㄱ");
    Editing(u8"가");
    Drain();
    EXPECT_EQ(Text(), "a가");
    EXPECT_TRUE(platform::GetLineEditor(edit)->Composing());
    Input(u8"각");
    Drain();
    EXPECT_EQ(Text(), "a각");
    EXPECT_FALSE(platform::GetLineEditor(edit)->Composing());
    Editing(u8"ㄴ");
    Editing(u8"");
    Drain();
    EXPECT_EQ(Text(), "a각");
}

TEST_F(EditWindowTest, MessagesSetLimitTextAndSelection)
{
    platform::SendMessage(edit, EM_LIMITTEXT, 3, 0);
    Input(u8"ab가");
    Drain();
    EXPECT_EQ(Text(), "ab");
    platform::SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("가나"));
    EXPECT_EQ(Text(), "가");
    int s = -1, e = -1;
    platform::SendMessage(edit, EM_SETSEL, 0, -1);
    platform::SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s),
                          reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 2);
    char small[2];
    EXPECT_EQ(
        platform::SendMessage(edit, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 0);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(platform::SendMessage(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
}

}  // namespace
