#include "CDXEdit.h"

#include <charconv>
#include <map>

#include "CXFont.h"
#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"
#include "FormatThousands.h"
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

bool IsLead(uint8_t b)
{
    return b >= 0x81 && b <= 0xFE;
}

// Bytes of the character at text[pos] (a lone lead byte is one).
size_t CharLen(const std::string& text, size_t pos)
{
    return (IsLead(static_cast<uint8_t>(text[pos])) && pos + 1 < text.size() &&
            static_cast<uint8_t>(text[pos + 1]) >= 0x41)
               ? 2
               : 1;
}

}  // namespace

CDXEdit::CDXEdit()
{
    m_nType = DXWND_EDIT;
}

CDXEdit::~CDXEdit()
{
    if (m_hEdit) {
        EditBoxes().erase(m_hEdit);
        if (platform::GetFocus() == m_hEdit && g_hDXWnd)
            platform::SetFocus(g_hDXWnd);
        // The editor's own procedure back first, so that it sees its WM_DESTROY and lets go.
        platform::SetWindowProc(m_hEdit, m_pEditProc);
        platform::DestroyWindow(m_hEdit);
    }
}

bool CDXEdit::CreateEdit(int id, CXFont* font, int x, int y, int width, int height, int maxLength,
                         bool password, CDXWnd* parent)
{
    if (id & 0x8000)
        return false;
    if (!g_hDXWnd)
        return false;
    m_hEdit = platform::CreateLineEdit(g_hDXWnd, ES_AUTOHSCROLL | (password ? ES_PASSWORD : 0));
    if (!m_hEdit)
        return false;
    EditBoxes()[m_hEdit] = this;
    m_pEditProc = platform::SetWindowProc(m_hEdit, &CDXEdit::SubclassProc);
    m_nMaxLength = maxLength > 0 ? maxLength : kDefaultMaxLength;
    platform::SendMessage(m_hEdit, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
    m_cPasswordChar = static_cast<char>(platform::SendMessage(m_hEdit, EM_GETPASSWORDCHAR, 0, 0));
    m_pFont = font;
    return CreateWidget(x, y, width, height, id, parent, 0, 255);
}

LRESULT CDXEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto it = EditBoxes().find(hwnd);
    if (it == EditBoxes().end())
        return platform::DefWindowProc(hwnd, msg, wParam, lParam);
    CDXEdit* edit = it->second;
    // The box's own reads and writes of its text always reach the editor.
    if (!IsInputMessage(msg))
        return platform::CallWindowProc(edit->m_pEditProc, hwnd, msg, wParam, lParam);
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
    case WM_IME_STARTCOMPOSITION:
        m_nCompState = 1;
        break;
    case WM_IME_COMPOSITION:
        m_nCompState = 2;
        break;
    case WM_IME_ENDCOMPOSITION:
        m_nCompState = 3;
        break;
    default:
        break;
    }
    // The parent's handler may have deleted or emptied the box's window.
    if (!m_hEdit)
        return 0;
    const LRESULT r = platform::CallWindowProc(m_pEditProc, m_hEdit, msg, wParam, lParam);
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
    platform::SendMessage(m_hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&s),
                          reinterpret_cast<LPARAM>(&e));
    m_nSelStart = s;
    m_nSelEnd = e;
    std::string buf(static_cast<size_t>(m_nMaxLength) + 1, '\0');
    const LRESULT n = platform::SendMessage(m_hEdit, WM_GETTEXT, buf.size(),
                                            reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(n));
    m_strText = std::move(buf);
}

void CDXEdit::SetText(const char* text)
{
    if (!m_hEdit)
        return;
    platform::SendMessage(m_hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
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

bool CDXEdit::HasKeyboardFocus() const
{
    return m_hEdit && platform::GetFocus() == m_hEdit;
}

void CDXEdit::TakeFocus()
{
    if (!m_hEdit || !m_bEnabled || (m_pParent && !m_pParent->IsEnabled()))
        return;
    platform::SetFocus(m_hEdit);
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

size_t CDXEdit::ShownOffset(int byteOffset) const
{
    const size_t offset = static_cast<size_t>(std::max(0, byteOffset));
    if (!m_cPasswordChar)
        return std::min(offset, m_strText.size());
    size_t chars = 0;
    for (size_t i = 0; i < m_strText.size() && i < offset; i += CharLen(m_strText, i))
        ++chars;
    return chars;
}

std::string CDXEdit::UnfocusedText(const std::string& visible) const
{
    if (!m_bNumberFormat)
        return visible;
    // The value of the leading digits, as a C conversion reads it: none gives 0. A number too
    // large for 64 bits is shown as typed rather than as a wrong value.
    int64_t value = 0;
    const char* begin = m_strText.c_str();
    if (std::from_chars(begin, begin + m_strText.size(), value).ec ==
        std::errc::result_out_of_range)
        return visible;
    char grouped[32];
    FormatThousands(value, grouped, sizeof(grouped));
    return grouped;
}

void CDXEdit::DrawSelection(const std::string& shown, size_t start, size_t from, size_t to) const
{
    if (!g_pGfxDevice || from >= to || to <= start)
        return;
    from = std::max(from, start);
    TextSize before{}, through{};
    if (from > start && !m_pFont->GetTextExtent(shown.substr(start, from - start).c_str(), &before))
        return;
    if (!m_pFont->GetTextExtent(shown.substr(start, to - start).c_str(), &through))
        return;
    const float x0 = static_cast<float>(AbsoluteX());
    const float y0 = static_cast<float>(AbsoluteY());
    const float left = x0 + static_cast<float>(before.cx);
    const float right =
        std::min(x0 + static_cast<float>(through.cx), x0 + static_cast<float>(m_nWidth));
    if (right <= left)
        return;
    const float bottom = y0 + static_cast<float>(m_nHeight);
    // What the sprite batch holds was drawn before this box: it goes out first, so that the
    // rectangle lies over it and under the text that follows.
    if (CXSpriteBatch* batch = g_pGfxDevice->GetSpriteBatch(); batch && batch->IsBegun())
        batch->Flush();
    CXQuad quad{};
    quad.v[0] = CXVertex{left, y0, 0.5f, m_dwSelColour, 0.0f, 0.0f};
    quad.v[1] = CXVertex{right, y0, 0.5f, m_dwSelColour, 0.0f, 0.0f};
    quad.v[2] = CXVertex{right, bottom, 0.5f, m_dwSelColour, 0.0f, 0.0f};
    quad.v[3] = CXVertex{left, bottom, 0.5f, m_dwSelColour, 0.0f, 0.0f};
    quad.tex = nullptr;
    quad.blend = BLEND_DEFAULT;
    g_pGfxDevice->Gfx_RenderQuad(quad);
}

int CDXEdit::OnDraw()
{
    if (!m_bVisible || !m_pFont)
        return 1;
    const std::string shown = GetShownText();
    const size_t caret = std::min(ShownOffset(m_nSelEnd), shown.size());

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
        m_pFont->DrawText(UnfocusedText(visible).c_str(), x, y, w, h, m_dwTextColour,
                          m_dwTextFormat | TEXT_DT_SINGLELINE);
        return 1;
    }
    const size_t selFrom = std::min(ShownOffset(std::min(m_nSelStart, m_nSelEnd)), shown.size());
    const size_t selTo = std::min(ShownOffset(std::max(m_nSelStart, m_nSelEnd)), shown.size());
    DrawSelection(shown, start, selFrom, selTo);
    m_pFont->DrawText(visible.c_str(), x, y, w, h, m_dwTextColour,
                      TEXT_DT_VCENTER | TEXT_DT_SINGLELINE);
    if (m_bCaretVisible && m_bEnabled) {
        const std::string head = shown.substr(start, caret - start);
        size = TextSize{};
        if (!head.empty())
            m_pFont->GetTextExtent(head.c_str(), &size);
        const float cx = x + static_cast<float>(size.cx) - 4.0f * g_fUIScaleX;
        if (cx >= x && cx < x + w)
            m_pFont->DrawText("|", cx, y, 0.0f, h, m_dwTextColour,
                              TEXT_DT_VCENTER | TEXT_DT_SINGLELINE);
    }
    return 1;
}
