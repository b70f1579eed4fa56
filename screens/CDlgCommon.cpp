#include "CDlgCommon.h"

#include <cstdio>
#include <cstdlib>

#include "CDXButton.h"
#include "CUIRes.h"
#include "CWndMain.h"
#include "CXFont.h"

namespace {

struct ErrorEntry {
    int code;
    const char* text;
};

const ErrorEntry kErrorTexts[] = {
    {3, "로그인 정보가 맞지 않습니다."}, {5, "접속가능 인원을 초과하였습니다."},
    {13, "코인이 부족합니다."},          {14, "상품권이 부족합니다."},
    {15, "사용중인 기계입니다."},        {16, "비어있지 않은 기계입니다."},
    {17, "존재하지 않는 기계입니다."},
};

const char* const kUnknownError = "오류가 발생하였습니다.";

constexpr int kBackgroundSlot = 70;
constexpr int kOkSlot = 4;
constexpr int kCloseSlot = 12;

}  // namespace

CDXButton* AddDialogCloseButton(CDXWnd* dialog, int id)
{
    CUIFrames* frames = g_pUIRes ? g_pUIRes->GetFrames(kCloseSlot) : nullptr;
    if (!frames || !frames->Get(0))
        return nullptr;
    return dialog->CreateButton(id, dialog->GetWidth() - frames->GetWidth(0), 0, frames, nullptr);
}

bool CDlgCommon::Create(CDXWnd* parent, CXFont* titleFont, CXFont* textFont)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(kBackgroundSlot)))
        return false;
    m_bVisible = 0;
    CUIFrames* ok = g_pUIRes->GetFrames(kOkSlot);
    m_pQuit = CreateButton(kQuitId, m_nWidth / 2 - ok->GetWidth(0) / 2, 420, ok, nullptr);
    m_pClose = AddDialogCloseButton(this, kCloseId);
    const int titleHeight = titleFont ? std::abs(titleFont->GetHeight()) : 0;
    m_TitleFont = CUIFont(titleFont, 680, titleHeight, 0xFFFFFFFF, 5);
    m_TextFont = CUIFont(textFont, 460, 295, 0xFFFFFFFF, 21);
    return m_pQuit && m_pClose;
}

bool CDlgCommon::IsQuitBox() const
{
    return m_pQuit && m_pQuit->IsVisible();
}

void CDlgCommon::ShowMessage(const char* text, const char* title, bool quit, int focusWindowId,
                             int focusEditId)
{
    if (m_bVisible && IsQuitBox())
        return;
    m_nFocusWindowId = focusWindowId;
    m_nFocusEditId = focusEditId;
    m_strTitle = title ? title : "";
    m_strText = text ? text : "";
    if (m_pQuit)
        m_pQuit->Show(quit);
    if (m_pClose)
        m_pClose->Show(!quit);
    Show(true);
}

std::string CDlgCommon::ErrorText(int code)
{
    if (code == 0)
        return {};
    for (const ErrorEntry& e : kErrorTexts)
        if (e.code == code)
            return e.text;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s(%d)", kUnknownError, code);
    return buf;
}

void CDlgCommon::ShowErrorCode(int code, const char* title)
{
    if (code == 0)
        return;
    ShowMessage(ErrorText(code).c_str(), title, false, -1, -1);
}

void CDlgCommon::OnClick(int id)
{
    if (id == kQuitId)
        platform::PostQuitMessage(0);
    else if (id == kCloseId)
        Show(false);
}

void CDlgCommon::OnShow(bool show)
{
    if (show || m_nFocusWindowId == -1)
        return;
    // The widget is the current screen's (a screen is a tree of its own beside the main window's).
    CDXWnd* screen = g_pWndMain ? g_pWndMain->GetCurrentScreen() : nullptr;
    CDXWnd* w = screen ? screen->FindById(m_nFocusWindowId) : nullptr;
    if (!w)
        w = GetTopLevel()->FindById(m_nFocusWindowId);
    if (w)
        w->FocusEdit(m_nFocusEditId);
    m_nFocusWindowId = -1;
    m_nFocusEditId = -1;
}

int CDlgCommon::OnDraw()
{
    const float x = static_cast<float>(AbsoluteX());
    const float y = static_cast<float>(AbsoluteY());
    m_TitleFont.Draw(x + 30.0f, y + 40.0f, m_strTitle.c_str());
    m_TextFont.Draw(x + 140.0f, y + 110.0f, m_strText.c_str());
    return 1;
}
