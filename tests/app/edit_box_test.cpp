// Edit boxes on their hidden edit windows: byte limit, password mask, the digit-only filter, the
// parent's veto, blocking behind another modal dialog, focus, and IME composition from the
// platform's text-input events.
#include <gtest/gtest.h>

#include <cstring>

#include "CDXDialog.h"
#include "CDXEdit.h"
#include "platform/line_editor.h"
#include "platform/window_sdl.h"
#include "widget_fixture.h"

namespace {

class EditBoxTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        MakeFont(m_font, 16);
        parent = new RecordingWnd();
        ASSERT_TRUE(parent->CreateWidget(10, 10, 400, 200, 2, root, 0, 255));
    }
    CDXEdit* Make(int maxLength, bool password = false)
    {
        CDXEdit* edit = parent->CreateEdit(3, &m_font, 5, 5, 200, 24, maxLength, password);
        EXPECT_NE(edit, nullptr);
        return edit;
    }
    static void Type(CDXEdit* edit, const char* bytes)
    {
        for (const char* p = bytes; *p; ++p)
            platform::SendMessage(edit->GetEditWindow(), WM_CHAR, static_cast<uint8_t>(*p), 1);
    }
    static void Key(CDXEdit* edit, int vk)
    {
        platform::SendMessage(edit->GetEditWindow(), WM_KEYDOWN, vk, 1);
    }
    // Runs the queued input to its windows, as the message pump does.
    static void Pump()
    {
        MSG m;
        for (int i = 0; i < 1000 && platform::PeekMessage(&m, true); ++i)
            if (m.message != WM_QUIT)
                platform::DispatchMessage(&m);
    }
    static void SdlText(uint32_t type, const char8_t* utf8)
    {
        SDL_Event e{};
        e.type = type;
        char* dst = type == SDL_TEXTEDITING ? e.edit.text : e.text.text;
        std::strncpy(dst, reinterpret_cast<const char*>(utf8), SDL_TEXTEDITINGEVENT_TEXT_SIZE - 1);
        platform::HandleSdlEvent(e);
    }

    CXFont m_font;
    RecordingWnd* parent = nullptr;
};

TEST_F(EditBoxTest, LimitCountsBytesAndNeverTakesHalfAHangulCharacter)
{
    CDXEdit* edit = Make(5);
    Type(edit, "ab가나c");
    EXPECT_STREQ(edit->GetTextBuffer(), "ab가c");
    EXPECT_EQ(edit->GetSelEnd(), 5);
    Key(edit, VK_LEFT);
    Key(edit, VK_LEFT);  // over the pair
    EXPECT_EQ(edit->GetSelEnd(), 2);
    Type(edit, "\b");
    EXPECT_STREQ(edit->GetTextBuffer(), "a가c");
}

TEST_F(EditBoxTest, PasswordBoxShowsOneMaskPerCharacter)
{
    CDXEdit* edit = Make(20, true);
    Type(edit, "a가b");
    EXPECT_STREQ(edit->GetTextBuffer(), "a가b");
    EXPECT_EQ(edit->GetShownText(), "***");
}

TEST_F(EditBoxTest, DigitOnlyBoxTakesDigitsAndControlKeysOnly)
{
    CDXEdit* edit = Make(20);
    edit->SetAllowed("0123456789");
    struct Case {
        UINT msg;
        int code;
        bool passes;
    };
    const Case cases[] = {
        {WM_CHAR, '1', true},        {WM_CHAR, '#', false},       {WM_CHAR, '$', false},
        {WM_CHAR, '.', false},       {WM_CHAR, 'a', false},       {WM_CHAR, '(', false},
        {WM_CHAR, VK_BACK, true},    {WM_CHAR, VK_RETURN, true},  {WM_KEYDOWN, VK_END, true},
        {WM_KEYDOWN, VK_HOME, true}, {WM_KEYDOWN, VK_LEFT, true}, {WM_KEYDOWN, VK_DELETE, true},
        {WM_KEYDOWN, 'A', false},    {WM_KEYDOWN, '5', true},     {WM_CHAR, 0xB0, true},
    };
    for (const Case& c : cases) {
        parent->calls.clear();
        platform::SendMessage(edit->GetEditWindow(), c.msg, static_cast<WPARAM>(c.code), 1);
        const std::string seen = (c.msg == WM_CHAR ? "char " : "key ") + std::to_string(c.code);
        EXPECT_EQ(!parent->calls.empty() && parent->calls.back() == seen, c.passes)
            << (c.msg == WM_CHAR ? "char " : "key ") << c.code;
    }
    edit->SetText("");
    Type(edit, "1#2$.3a");
    EXPECT_STREQ(edit->GetTextBuffer(), "123");
    // While a syllable is composing, bytes of 128 and above are held back.
    platform::SendMessage(edit->GetEditWindow(), WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    parent->calls.clear();
    platform::SendMessage(edit->GetEditWindow(), WM_CHAR, 0xB0, 1);
    EXPECT_TRUE(parent->calls.empty());
}

TEST_F(EditBoxTest, ParentCanSwallowKeysAndCharacters)
{
    CDXEdit* edit = Make(20);
    parent->keyResult = 0;
    Type(edit, "ab");
    EXPECT_STREQ(edit->GetTextBuffer(), "");
    parent->keyResult = 1;
    Type(edit, "ab");
    EXPECT_STREQ(edit->GetTextBuffer(), "ab");
}

TEST_F(EditBoxTest, ModalDialogElsewhereBlocksTheBox)
{
    CDXEdit* edit = Make(20);
    auto* dialog = new CDXDialog();
    ASSERT_TRUE(dialog->CreateWidget(0, 0, 10, 10, 9, root, 0, 255));
    dialog->SetModal(true);
    Type(edit, "x");
    EXPECT_STREQ(edit->GetTextBuffer(), "");
    EXPECT_TRUE(edit->IsBlocked());
    // Only typing is held back: the box still sets and reads its own text.
    edit->SetText("ab");
    EXPECT_STREQ(edit->GetTextBuffer(), "ab");
    edit->SetText("");
    dialog->Show(false);
    Type(edit, "x");
    EXPECT_STREQ(edit->GetTextBuffer(), "x");
    EXPECT_FALSE(edit->IsBlocked());
}

TEST_F(EditBoxTest, DeletedBoxTakesItsEditWindowAndEditorAlong)
{
    CDXEdit* edit = Make(20);
    HWND hwnd = edit->GetEditWindow();
    ASSERT_NE(platform::GetLineEditor(hwnd), nullptr);
    edit->TakeFocus();
    delete edit;
    EXPECT_FALSE(platform::IsWindow(hwnd));
    EXPECT_EQ(platform::GetLineEditor(hwnd), nullptr);
    EXPECT_EQ(platform::GetFocus(), g_hDXWnd);
    EXPECT_TRUE(parent->GetChildren().empty());
}

TEST_F(EditBoxTest, ClickOrFocusEditGivesTheKeyboardFocusAndTellsTheParent)
{
    CDXEdit* edit = Make(20);
    EXPECT_FALSE(edit->HasKeyboardFocus());
    Click(20, 20);
    EXPECT_TRUE(edit->HasKeyboardFocus());
    EXPECT_EQ(parent->calls.back(), "focus 3");
    platform::SetFocus(g_hDXWnd);
    parent->Enable(false);
    root->FocusEdit(3);
    EXPECT_FALSE(edit->HasKeyboardFocus());
    parent->Enable(true);
    root->FocusEdit(3);
    EXPECT_TRUE(edit->HasKeyboardFocus());
}

TEST_F(EditBoxTest, CompositionFromTextInputEvents)
{
    CDXEdit* edit = Make(20);
    edit->TakeFocus();
    ASSERT_TRUE(edit->HasKeyboardFocus());
    Type(edit, "a");
    SdlText(SDL_TEXTEDITING, u8"ㄱ");
    Pump();
    EXPECT_EQ(edit->GetCompositionState(), 2);
    SdlText(SDL_TEXTEDITING, u8"가");
    Pump();
    EXPECT_STREQ(edit->GetTextBuffer(), "a가");
    SdlText(SDL_TEXTINPUT, u8"각");
    Pump();
    EXPECT_EQ(edit->GetCompositionState(), 3);
    EXPECT_STREQ(edit->GetTextBuffer(), "a각");
    // A composition given up leaves the text as it was.
    SdlText(SDL_TEXTEDITING, u8"ㄴ");
    Pump();
    EXPECT_STREQ(edit->GetTextBuffer(), "a각ㄴ");
    SdlText(SDL_TEXTEDITING, u8"");
    Pump();
    EXPECT_STREQ(edit->GetTextBuffer(), "a각");
    EXPECT_EQ(edit->GetCompositionState(), 3);
}

}  // namespace
