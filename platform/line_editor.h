// Single-line text editing for the widget toolkit's hidden edit boxes.
// Stands in for: the "edit" window class with ES_AUTOHSCROLL and ES_PASSWORD (a child window that
//   is never shown), EM_LIMITTEXT, EM_GETSEL, EM_SETSEL, EM_GETPASSWORDCHAR, WM_SETTEXT,
//   WM_GETTEXT, WM_GETTEXTLENGTH, WM_SETFONT (accepted, no effect), and the in-place composition
//   that an IME-aware edit control shows (WM_IME_STARTCOMPOSITION / COMPOSITION / ENDCOMPOSITION).
// Not here: clipboard, undo, word-wise caret moves, drawing (the widget draws the text itself).
//
// The buffer is CP949. A lead byte (0x81-0xFE) followed by a trail byte (0x41-0xFE) is one
// character; the caret, the selection ends, deletions and the length limit never fall inside one.
// Characters arrive one byte per WM_CHAR (as the window layer turns text input into CP949 bytes):
// a lead byte waits for its trail, and a lead byte followed by anything else is dropped.
// While an IME composes, the syllable in progress sits in the buffer at the caret (wParam of
// WM_IME_COMPOSITION with GCS_COMPSTR: lead << 8 | trail, or one byte, or 0 for none); the result
// replaces it through the WM_CHAR bytes that follow.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/window.h"

constexpr uint32_t ES_PASSWORD = 0x0020u;
constexpr uint32_t ES_AUTOHSCROLL = 0x0080u;

constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT EM_GETSEL = 0x00B0;     // wParam, lParam: int* start, int* end (either may be 0)
constexpr UINT EM_SETSEL = 0x00B1;     // wParam start, lParam end (-1: end of text)
constexpr UINT EM_LIMITTEXT = 0x00C5;  // wParam bytes (0: the largest limit)
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;

namespace platform {

class LineEditor {
public:
    static constexpr size_t kDefaultLimit = 30000;
    static constexpr size_t kLargestLimit = 0x7FFFFFFE;

    explicit LineEditor(bool password = false) : m_bPassword(password) {}

    void SetLimit(size_t bytes);
    size_t Limit() const { return m_nLimit; }
    bool IsPassword() const { return m_bPassword; }
    char PasswordChar() const { return m_bPassword ? '*' : 0; }

    // Replaces the text (cut at the limit, never inside a character; a lead byte without a trail
    // is dropped); the caret goes to the end, the selection is emptied.
    void SetText(std::string_view text);
    const std::string& Text() const { return m_strText; }
    // Characters in the text (a double-byte character counts once).
    size_t CharCount() const;
    // Bytes of the longest run of whole characters from the start that fits in maxBytes.
    size_t WholePrefix(size_t maxBytes) const;

    size_t SelStart() const { return m_nAnchor < m_nCaret ? m_nAnchor : m_nCaret; }
    size_t SelEnd() const { return m_nAnchor < m_nCaret ? m_nCaret : m_nAnchor; }
    size_t Caret() const { return m_nCaret; }
    // Both ends snapped back to a character start; -1 (or anything past the text) is the end.
    void SetSel(long start, long end);

    // Caret and deletion keys (virtual-key codes): Left, Right, Home, End (Shift extends the
    // selection), Delete. True when the key is one of these.
    bool KeyDown(int vk, bool shift);
    // One byte of typed text: Backspace (8) deletes, other control codes are ignored, everything
    // else is inserted in place of the selection when it fits the limit.
    void Char(uint8_t byte);

    void CompositionStart();
    // The syllable being composed (0: none); it replaces the previous one at the caret.
    void CompositionUpdate(uint32_t code);
    // Removes the composed syllable; the result, if any, comes as characters.
    void CompositionEnd();
    bool Composing() const { return m_bComposing; }

private:
    size_t CharStartBefore(size_t pos) const;  // start of the character that ends at pos
    size_t CharEndAfter(size_t pos) const;     // end of the character that starts at pos
    size_t Snap(size_t pos) const;             // the character start at or before pos
    void DeleteSelection();
    bool Insert(std::string_view bytes);
    void RemoveComposition();

    std::string m_strText;
    size_t m_nLimit = kDefaultLimit;
    size_t m_nAnchor = 0;
    size_t m_nCaret = 0;
    bool m_bPassword = false;
    int m_nPendingLead = -1;
    bool m_bComposing = false;
    size_t m_nCompStart = 0;
    size_t m_nCompLen = 0;
};

// A hidden edit window: a child of parent whose procedure runs a LineEditor. style may carry
// ES_PASSWORD. Null when the parent is not a window. Destroyed with platform::DestroyWindow.
HWND CreateLineEdit(HWND parent, uint32_t style);
// The editor behind an edit window (null for any other window), for reading text and selection.
const LineEditor* GetLineEditor(HWND hwnd);

}  // namespace platform
