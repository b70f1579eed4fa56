// The message box, the exit, inquiry, explanation and required-reading dialogs over the generated
// UI images: layout, error texts, the fatal box that stays, closing, and focus given back.
#include <gtest/gtest.h>

#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDXLabel.h"
#include "CDXRadioButton.h"
#include "CDlgCommon.h"
#include "CDlgGameExit.h"
#include "CDlgGameExplain.h"
#include "CDlgInquiry.h"
#include "CDlgRequiredRead.h"
#include "CUIRes.h"
#include "CWndTextList.h"
#include "widget_fixture.h"

namespace {

class DialogsTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        m_res = new CUIRes((std::string(CX_ASSETS_DIR) + "/data_ui").c_str());
        ASSERT_TRUE(m_res->LoadAll());
        ASSERT_TRUE(m_res->GetFailed().empty());
        MakeFont(m_font, 20);
    }
    void TearDown() override
    {
        delete root;
        root = nullptr;
        delete m_res;
        WidgetTest::TearDown();
    }
    // Clicks the centre of a widget.
    void ClickOn(CDXWnd* w)
    {
        Click(w->AbsoluteX() + w->GetWidth() / 2, w->AbsoluteY() + w->GetHeight() / 2);
        Posted(true);
    }
    // Whether a quit with exit code 0 has been seen since the last call.
    bool QuitPosted()
    {
        Posted();
        const bool quit = m_nQuit == 0;
        m_nQuit = -100;
        return quit;
    }

    CUIRes* m_res = nullptr;
    CXFont m_font;
};

TEST(DlgCommonText, ErrorCodesMapToTheirTexts)
{
    struct Case {
        int code;
        std::string text;
    };
    const std::string other = "오류가 발생하였습니다.";
    const Case cases[] = {
        {0, ""},
        {3, "로그인 정보가 맞지 않습니다."},
        {5, "접속가능 인원을 초과하였습니다."},
        {13, "코인이 부족합니다."},
        {14, "상품권이 부족합니다."},
        {15, "사용중인 기계입니다."},
        {16, "비어있지 않은 기계입니다."},
        {17, "존재하지 않는 기계입니다."},
        {1, other + "(1)"},
        {2, other + "(2)"},
        {4, other + "(4)"},
        {6, other + "(6)"},
        {12, other + "(12)"},
        {18, other + "(18)"},
        {-7, other + "(-7)"},
        {2147483647, other + "(2147483647)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDlgCommon::ErrorText(c.code), c.text) << c.code;
}

TEST_F(DialogsTest, MessageBoxLayoutAndButtons)
{
    auto* box = new CDlgCommon();
    ASSERT_TRUE(box->Create(root, &m_font, &m_font));
    EXPECT_FALSE(box->IsVisible());
    EXPECT_TRUE(box->IsModal());
    EXPECT_EQ(box->GetWidth(), m_res->GetFrames(70)->GetWidth(0));
    EXPECT_EQ(box->GetX(), 960 - box->GetWidth() / 2);
    CDXWnd* quit = box->FindById(CDlgCommon::kQuitId);
    CDXWnd* close = box->FindById(CDlgCommon::kCloseId);
    ASSERT_TRUE(quit && close);
    EXPECT_EQ(quit->GetY(), 420);
    EXPECT_EQ(quit->GetX(), box->GetWidth() / 2 - quit->GetWidth() / 2);
    EXPECT_EQ(close->GetX() + close->GetWidth(), box->GetWidth());

    box->ShowErrorCode(0, "t");
    EXPECT_FALSE(box->IsVisible());
    box->ShowErrorCode(99, "title");
    EXPECT_TRUE(box->IsVisible());
    EXPECT_EQ(box->GetText(), "오류가 발생하였습니다.(99)");
    EXPECT_FALSE(quit->IsVisible());
    EXPECT_TRUE(close->IsVisible());
    box->ShowErrorCode(13, "title");  // an informing box is replaced
    EXPECT_EQ(box->GetText(), "코인이 부족합니다.");
    ClickOn(close);
    EXPECT_FALSE(box->IsVisible());
    EXPECT_FALSE(QuitPosted());
}

TEST_F(DialogsTest, FatalBoxStaysUntilItsQuitButtonEndsTheProgram)
{
    auto* box = new CDlgCommon();
    ASSERT_TRUE(box->Create(root, &m_font, &m_font));
    box->ShowMessage("fatal", "Error", true, -1, -1);
    EXPECT_TRUE(box->IsQuitBox());
    box->ShowErrorCode(3, "later");
    box->ShowMessage("later", "later", false, -1, -1);
    EXPECT_EQ(box->GetText(), "fatal");
    EXPECT_TRUE(box->IsQuitBox());
    EXPECT_FALSE(box->FindById(CDlgCommon::kCloseId)->IsVisible());
    ClickOn(box->FindById(CDlgCommon::kQuitId));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(DialogsTest, ClosingTheBoxGivesTheFocusBackToTheNamedEdit)
{
    auto* form = new RecordingWnd();
    ASSERT_TRUE(form->CreateWidget(0, 0, 600, 300, 200, root, 0, 255));
    CDXEdit* edit = form->CreateEdit(201, &m_font, 10, 10, 200, 30, 20, false);
    ASSERT_NE(edit, nullptr);
    auto* box = new CDlgCommon();
    ASSERT_TRUE(box->Create(root, &m_font, &m_font));
    edit->TakeFocus();
    box->ShowMessage("check", "", false, 200, 201);
    EXPECT_FALSE(edit->HasKeyboardFocus());  // a shown dialog takes the focus to the main window
    ClickOn(box->FindById(CDlgCommon::kCloseId));
    EXPECT_TRUE(edit->HasKeyboardFocus());
}

TEST_F(DialogsTest, ExitDialogEndsTheProgramOrCloses)
{
    auto* exit = new CDlgGameExit();
    ASSERT_TRUE(exit->Create(root));
    EXPECT_EQ(exit->GetId(), 6);
    EXPECT_EQ(exit->FindById(CDlgGameExit::kOkId)->GetY(), 400);
    exit->Show(true);
    ClickOn(exit->FindById(CDlgGameExit::kCloseId));
    EXPECT_FALSE(exit->IsVisible());
    EXPECT_FALSE(QuitPosted());
    exit->Show(true);
    ClickOn(exit->FindById(CDlgGameExit::kOkId));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(DialogsTest, InquiryCallsThenSendsAndClearsTheEdit)
{
    auto* dlg = new CDlgInquiry();
    ASSERT_TRUE(dlg->Create(root, &m_font, &m_font, &m_font));
    dlg->Show(true);
    EXPECT_FALSE(dlg->GetList()->IsVisible());
    EXPECT_FALSE(dlg->GetEdit()->IsVisible());
    EXPECT_TRUE(dlg->GetCallButton()->IsVisible());

    ClickOn(dlg->GetCallButton());
    EXPECT_EQ(dlg->GetLabel()->GetText(), "호출하는 중입니다...");
    EXPECT_TRUE(dlg->GetLabel()->IsVisible());
    EXPECT_FALSE(dlg->GetCallButton()->IsVisible());

    dlg->SetCallState(false);
    EXPECT_FALSE(dlg->GetEdit()->IsVisible());
    EXPECT_EQ(dlg->GetLabel()->GetText(), "호출에 실패하였습니다.\n잠시후에 이용하여 주십시오.");

    dlg->SetCallState(true);
    EXPECT_TRUE(dlg->GetEdit()->IsVisible());
    EXPECT_TRUE(dlg->GetSendButton()->IsVisible());
    EXPECT_TRUE(dlg->GetList()->IsVisible());
    EXPECT_TRUE(dlg->GetEdit()->HasKeyboardFocus());

    // No connection: nothing is sent, and the edit is emptied either way.
    EXPECT_FALSE(dlg->SendInput());
    platform::SendMessage(dlg->GetEdit()->GetEditWindow(), WM_CHAR, 'x', 1);
    EXPECT_STREQ(dlg->GetEdit()->GetTextBuffer(), "x");
    platform::SendMessage(dlg->GetEdit()->GetEditWindow(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_STREQ(dlg->GetEdit()->GetTextBuffer(), "");
    platform::SendMessage(dlg->GetEdit()->GetEditWindow(), WM_CHAR, 'y', 1);
    platform::SendMessage(dlg->GetEdit()->GetEditWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_STREQ(dlg->GetEdit()->GetTextBuffer(), "");

    // Enter on the main window puts the focus into the edit.
    platform::SetFocus(g_hDXWnd);
    root->DispatchMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(dlg->GetEdit()->HasKeyboardFocus());

    // Shown again: back to the staff call.
    dlg->Show(false);
    dlg->Show(true);
    EXPECT_FALSE(dlg->GetCallState());
    EXPECT_FALSE(dlg->GetEdit()->IsVisible());
    EXPECT_TRUE(dlg->GetCallButton()->IsVisible());
}

TEST_F(DialogsTest, ExplanationPagesFollowTheTabs)
{
    auto* dlg = new CDlgGameExplain();
    ASSERT_TRUE(dlg->Create(root));
    dlg->Show(true);
    auto* first = static_cast<CDXRadioButton*>(dlg->FindById(407));
    auto* second = static_cast<CDXRadioButton*>(dlg->FindById(408));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->GetX(), 223);
    EXPECT_TRUE(first->IsChecked());
    EXPECT_EQ(dlg->GetPage(), 1);
    ClickOn(second);
    EXPECT_TRUE(second->IsChecked());
    EXPECT_FALSE(first->IsChecked());
    EXPECT_EQ(dlg->GetPage(), 2);
    dlg->Show(false);
    dlg->Show(true);
    EXPECT_EQ(dlg->GetPage(), 1);

    auto* read = new CDlgRequiredRead();
    ASSERT_TRUE(read->Create(root));
    EXPECT_EQ(read->GetWidth(), m_res->GetFrames(68)->GetWidth(0));
    read->Show(true);
    ClickOn(read->FindById(CDlgRequiredRead::kCloseId));
    EXPECT_FALSE(read->IsVisible());
}

}  // namespace
