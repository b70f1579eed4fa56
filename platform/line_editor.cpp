// The CP949 line editor: buffer, byte limit, caret, selection, composition.
// Stands in for: the editing behaviour of the "edit" window class (see line_edit_window.cpp for
//   the window and its messages).
// Not here: clipboard, undo, word-wise caret moves, drawing.

#include "platform/line_editor.h"

namespace platform {
namespace {

bool IsLead(uint8_t b)
{
    return b >= 0x81 && b <= 0xFE;
}
bool IsTrail(uint8_t b)
{
    return b >= 0x41 && b <= 0xFE;
}

// Length of the character starting at text[pos].
size_t CharLen(std::string_view text, size_t pos)
{
    if (IsLead(static_cast<uint8_t>(text[pos])) && pos + 1 < text.size() &&
        IsTrail(static_cast<uint8_t>(text[pos + 1])))
        return 2;
    return 1;
}

}  // namespace

void LineEditor::SetLimit(size_t bytes)
{
    m_nLimit = (bytes == 0 || bytes > kLargestLimit) ? kLargestLimit : bytes;
}

void LineEditor::SetText(std::string_view text)
{
    std::string clean;
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharLen(text, i);
        if (n == 1 && IsLead(static_cast<uint8_t>(text[i]))) {
            ++i;
            continue;
        }
        if (clean.size() + n > m_nLimit)
            break;
        clean.append(text.substr(i, n));
        i += n;
    }
    m_strText = std::move(clean);
    m_nAnchor = m_nCaret = m_strText.size();
    m_nPendingLead = -1;
    m_nCompLen = 0;
    m_nCompStart = m_nCaret;
}

size_t LineEditor::CharCount() const
{
    size_t count = 0;
    for (size_t i = 0; i < m_strText.size(); i += CharLen(m_strText, i))
        ++count;
    return count;
}

size_t LineEditor::WholePrefix(size_t maxBytes) const
{
    size_t n = 0;
    while (n < m_strText.size()) {
        const size_t len = CharLen(m_strText, n);
        if (n + len > maxBytes)
            break;
        n += len;
    }
    return n;
}

size_t LineEditor::Snap(size_t pos) const
{
    if (pos >= m_strText.size())
        return m_strText.size();
    size_t i = 0;
    while (i < m_strText.size()) {
        const size_t n = CharLen(m_strText, i);
        if (i + n > pos)
            return i;
        i += n;
    }
    return m_strText.size();
}

size_t LineEditor::CharStartBefore(size_t pos) const
{
    size_t prev = 0;
    for (size_t i = 0; i < pos && i < m_strText.size(); i += CharLen(m_strText, i))
        prev = i;
    return prev;
}

size_t LineEditor::CharEndAfter(size_t pos) const
{
    if (pos >= m_strText.size())
        return m_strText.size();
    return pos + CharLen(m_strText, pos);
}

void LineEditor::SetSel(long start, long end)
{
    const auto clamp = [this](long v) {
        return (v < 0 || static_cast<size_t>(v) > m_strText.size()) ? m_strText.size()
                                                                    : Snap(static_cast<size_t>(v));
    };
    m_nAnchor = clamp(start);
    m_nCaret = clamp(end);
}

void LineEditor::DeleteSelection()
{
    const size_t s = SelStart();
    const size_t e = SelEnd();
    m_strText.erase(s, e - s);
    m_nAnchor = m_nCaret = s;
}

bool LineEditor::Insert(std::string_view bytes)
{
    const size_t keep = m_strText.size() - (SelEnd() - SelStart());
    if (keep + bytes.size() > m_nLimit)
        return false;
    DeleteSelection();
    m_strText.insert(m_nCaret, bytes);
    m_nCaret += bytes.size();
    m_nAnchor = m_nCaret;
    return true;
}

bool LineEditor::KeyDown(int vk, bool shift)
{
    size_t to = m_nCaret;
    switch (vk) {
    case VK_LEFT:
        if (!shift && SelStart() != SelEnd())
            to = SelStart();
        else
            to = m_nCaret > 0 ? CharStartBefore(m_nCaret) : 0;
        break;
    case VK_RIGHT:
        if (!shift && SelStart() != SelEnd())
            to = SelEnd();
        else
            to = CharEndAfter(m_nCaret);
        break;
    case VK_HOME:
        to = 0;
        break;
    case VK_END:
        to = m_strText.size();
        break;
    case VK_DELETE:
        if (m_bComposing)
            return true;
        if (SelStart() == SelEnd())
            m_nCaret = CharEndAfter(m_nCaret);
        DeleteSelection();
        return true;
    default:
        return false;
    }
    if (m_bComposing)
        return true;
    m_nCaret = to;
    if (!shift)
        m_nAnchor = to;
    return true;
}

void LineEditor::Char(uint8_t byte)
{
    // Typed text while a syllable is still composing: the composition is abandoned first, so
    // its place in the buffer can never be shifted by other edits.
    if (m_bComposing)
        CompositionEnd();
    if (m_nPendingLead >= 0) {
        const char pair[2] = {static_cast<char>(m_nPendingLead), static_cast<char>(byte)};
        m_nPendingLead = -1;
        if (IsTrail(byte)) {
            Insert(std::string_view(pair, 2));
            return;
        }
    }
    if (IsLead(byte)) {
        m_nPendingLead = byte;
        return;
    }
    if (byte == VK_BACK) {
        if (SelStart() == SelEnd() && m_nCaret > 0)
            m_nAnchor = CharStartBefore(m_nCaret);
        DeleteSelection();
        return;
    }
    if (byte < 0x20 || byte == 0x7F)
        return;
    const char c = static_cast<char>(byte);
    Insert(std::string_view(&c, 1));
}

void LineEditor::RemoveComposition()
{
    if (m_nCompLen > 0) {
        m_strText.erase(m_nCompStart, m_nCompLen);
        m_nAnchor = m_nCaret = m_nCompStart;
        m_nCompLen = 0;
    }
}

void LineEditor::CompositionStart()
{
    if (m_bPassword)
        return;
    m_nPendingLead = -1;
    DeleteSelection();
    m_bComposing = true;
    m_nCompStart = m_nCaret;
    m_nCompLen = 0;
}

void LineEditor::CompositionUpdate(uint32_t code)
{
    if (!m_bComposing)
        return;
    RemoveComposition();
    char bytes[2];
    size_t n = 0;
    if (code > 0xFF) {
        bytes[0] = static_cast<char>((code >> 8) & 0xFF);
        bytes[1] = static_cast<char>(code & 0xFF);
        if (!IsLead(static_cast<uint8_t>(bytes[0])) || !IsTrail(static_cast<uint8_t>(bytes[1])))
            return;
        n = 2;
    } else if (code >= 0x20 && code != 0x7F && !IsLead(static_cast<uint8_t>(code))) {
        bytes[0] = static_cast<char>(code);
        n = 1;
    }
    // The syllable goes where the caret or selection is now (a selection set while nothing was
    // shown may have moved it).
    const size_t at = SelStart();
    if (n > 0 && Insert(std::string_view(bytes, n))) {
        m_nCompStart = at;
        m_nCompLen = n;
    }
}

void LineEditor::CompositionEnd()
{
    RemoveComposition();
    m_bComposing = false;
}

}  // namespace platform
