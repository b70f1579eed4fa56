#include "CDXEdit.h"

#include <map>

#include "CXFont.h"
#include "platform/line_editor.h"

namespace {

// Edit windows of the live edit boxes (the platform keeps no user data on a window).
std::map<HWND, CDXEdit*>& EditBoxes()
{
    static std::map<HWND, CDXEdit*> boxes;
    return boxes;
}

bool IsInputMessage(UINT msg)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
        return true;
    default:
        return false;
    }
}

bool IsLead(uint8_t b) { return b >= 0x81 && b <= 0xFE; }

// Bytes of the character at text[pos] (a lone lead byte is one).
size_t CharLen(const std::string& text, size_t pos)
{
    return (IsLead(static_cast<uint8_t>(text[pos])) && pos + 1 < text.size() &&
            static_cast<uint8_t>(text[pos + 1]) >= 0x41)
               ? 2
               : 1;
}

} // namespace

CDXEdit::CDXEdit() { m_nType = DXWND_EDIT; }

CDXEdit::~CDXEdit()
{
    if (m_hEdit) {
        EditBoxes().erase(m_hEdit);
        if (Window_GetFocus() == m_hEdit && g_hDXWnd)
            Window_SetFocus(g_hDXWnd);
        // The editor's own procedure back first, so that it sees its WM_DESTROY and lets go.
        Window_SetProc(m_hEdit, m_pEditProc);
        Window_Destroy(m_hEdit);
    }
}

bool CDXEdit::CreateEdit(int id, CXFont* font, int x, int y, int width, int height, int maxLength, bool password,
                         CDXWnd* parent)
{
    if (id & 0x8000)
        return false;
    if (!g_hDXWnd)
        return false;
    m_hEdit = LineEdit_Create(g_hDXWnd, ES_AUTOHSCROLL | (password ? ES_PASSWORD : 0));
    if (!m_hEdit)
        return false;
    EditBoxes()[m_hEdit] = this;
    m_pEditProc = Window_SetProc(m_hEdit, &CDXEdit::SubclassProc);
    m_nMaxLength = maxLength > 0 ? maxLength : kDefaultMaxLength;
    Window_SendMessage(m_hEdit, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
    m_cPasswordChar = static_cast<char>(Window_SendMessage(m_hEdit, EM_GETPASSWORDCHAR, 0, 0));
    m_pFont = font;
    return CreateWidget(x, y, width, height, id, parent, 0, 255);
}

LRESULT CDXEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto it = EditBoxes().find(hwnd);
    if (it == EditBoxes().end())
        return Window_DefProc(hwnd, msg, wParam, lParam);
    CDXEdit* edit = it->second;
    // The box's own reads and writes of its text always reach the editor.
    if (!IsInputMessage(msg))
        return Window_CallProc(edit->m_pEditProc, hwnd, msg, wParam, lParam);
    if (!edit->IsFocused() || !edit->m_pParent || !edit->m_pParent->IsEnabled()) {
        edit->m_bBlocked = true;
        return 0;
    }
    edit->m_bBlocked = false;
    return edit->m_pParent->ForwardToChild(hwnd, msg, wParam, lParam, edit);
}

bool CDXEdit::Passes(UINT msg, int code) const
{
    if (m_strAllowed.empty())
        return true;
    if (code == VK_BACK || code == VK_TAB || code == VK_RETURN || code == VK_ESCAPE)
        return true;
    // Caret and deletion keys share their codes with '#', '$', '%', '&', '\'', '(' and '.', so
    // they pass as keys only, never as typed characters.
    if (msg != WM_CHAR && ((code >= VK_END && code <= VK_DOWN) || code == VK_DELETE))
        return true;
    if (code >= 0 && code < 128 && m_strAllowed.find(static_cast<char>(code)) != std::string::npos)
        return true;
    return code >= 128 && m_nCompState != 2;
}

LRESULT CDXEdit::OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int code = static_cast<int>(wParam);
    switch (msg) {
    case WM_SETFOCUS:
        m_bHasFocus = true;
        break;
    case WM_KILLFOCUS:
        m_bHasFocus = false;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (!Passes(msg, code)) {
            GetText();
            return 0;
        }
        if (msg == WM_KEYDOWN && m_pParent && m_pParent->OnKeyDown(code) == 0)
            return 0;
        if (msg == WM_KEYUP && m_pParent && m_pParent->OnKeyUp(code) == 0)
            return 0;
        if (msg == WM_CHAR && m_pParent && m_pParent->OnChar(code) == 0)
            return 0;
        break;
    case WM_IME_STARTCOMPOSITION: m_nCompState = 1; break;
    case WM_IME_COMPOSITION: m_nCompState = 2; break;
    case WM_IME_ENDCOMPOSITION: m_nCompState = 3; break;
    default: break;
    }
    // The parent's handler may have deleted or emptied the box's window.
    if (!m_hEdit)
        return 0;
    const LRESULT r = Window_CallProc(m_pEditProc, m_hEdit, msg, wParam, lParam);
    if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR || msg == WM_IME_COMPOSITION ||
        msg == WM_IME_ENDCOMPOSITION) {
        GetText();
        if (msg == WM_KEYDOWN) {
            m_bCaretVisible = true;
            m_fCaretTime = 0.0f;
        }
    }
    return r;
}

void CDXEdit::GetText()
{
    if (!m_hEdit)
        return;
    int s = 0, e = 0;
    Window_SendMessage(m_hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    m_nSelStart = s;
    m_nSelEnd = e;
    std::string buf(static_cast<size_t>(m_nMaxLength) + 1, '\0');
    const LRESULT n = Window_SendMessage(m_hEdit, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(n));
    m_strText = std::move(buf);
}

void CDXEdit::SetText(const char* text)
{
    if (!m_hEdit)
        return;
    Window_SendMessage(m_hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
    GetText();
}

std::string CDXEdit::GetShownText() const
{
    if (!m_cPasswordChar)
        return m_strText;
    size_t count = 0;
    for (size_t i = 0; i < m_strText.size(); i += CharLen(m_strText, i))
        ++count;
    return std::string(count, m_cPasswordChar);
}

bool CDXEdit::HasKeyboardFocus() const { return m_hEdit && Window_GetFocus() == m_hEdit; }

void CDXEdit::TakeFocus()
{
    if (!m_hEdit || !m_bEnabled || (m_pParent && !m_pParent->IsEnabled()))
        return;
    Window_SetFocus(m_hEdit);
    if (m_nSelStart == m_nSelEnd)
        GetText();
    m_bCaretVisible = true;
    m_fCaretTime = 0.0f;
    if (m_pParent)
        m_pParent->OnChildFocus(m_nId);
}

int CDXEdit::OnLButtonUp(int, int)
{
    TakeFocus();
    return 1;
}

int CDXEdit::OnUpdate(float seconds)
{
    m_fCaretTime += seconds;
    while (m_fCaretTime >= 0.5f) {
        m_fCaretTime -= 0.5f;
        m_bCaretVisible = !m_bCaretVisible;
    }
    return 1;
}

int CDXEdit::OnDraw()
{
    if (!m_bVisible || !m_pFont)
        return 1;
    const std::string shown = GetShownText();
    // Caret position in the shown text: a masked character is one byte there.
    size_t caret = static_cast<size_t>(std::max(0, m_nSelEnd));
    if (m_cPasswordChar) {
        size_t chars = 0;
        for (size_t i = 0; i < m_strText.size() && i < caret; i += CharLen(m_strText, i))
            ++chars;
        caret = chars;
    }
    caret = std::min(caret, shown.size());

    // Scroll right one character at a time until the text up to the caret fits the box.
    size_t start = 0;
    TextSize size{};
    while (start < caret) {
        const std::string head = shown.substr(start, caret - start);
        if (!m_pFont->GetTextExtent(head.c_str(), &size) || size.cx <= m_nWidth)
            break;
        start += CharLen(shown, start);
    }
    const std::string visible = shown.substr(start);
    const float x = static_cast<float>(AbsoluteX());
    const float y = static_cast<float>(AbsoluteY());
    const float w = static_cast<float>(m_nWidth);
    const float h = static_cast<float>(m_nHeight);
    const bool live = HasKeyboardFocus() && (!m_pParent || m_pParent->IsEnabled()) && !m_bBlocked;
    if (!live) {
        m_pFont->DrawText(visible.c_str(), x, y, w, h, m_dwTextColour, m_dwTextFormat | TEXT_DT_SINGLELINE);
        return 1;
    }
    m_pFont->DrawText(visible.c_str(), x, y, w, h, m_dwTextColour, TEXT_DT_VCENTER | TEXT_DT_SINGLELINE);
    if (m_bCaretVisible && m_bEnabled) {
        const std::string head = shown.substr(start, caret - start);
        size = TextSize{};
        if (!head.empty())
            m_pFont->GetTextExtent(head.c_str(), &size);
        const float cx = x + static_cast<float>(size.cx) - 4.0f * g_fUIScaleX;
        if (cx >= x && cx < x + w)
            m_pFont->DrawText("|", cx, y, 0.0f, h, m_dwTextColour, TEXT_DT_VCENTER | TEXT_DT_SINGLELINE);
    }
    return 1;
}
