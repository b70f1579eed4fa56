#pragma once
// An edit box: a hidden edit window of the real window does the typing (CP949 line editor with a
// byte limit, password mask, caret, selection and IME composition); the widget filters its input,
// lets the parent see keys first, reads the text back after every key and draws it.

#include <string>

#include "CDXWnd.h"

class CDXEdit : public CDXWnd {
public:
    static constexpr int kDefaultMaxLength = 80;

    CDXEdit();
    ~CDXEdit() override;

    // False when the id has bit 15 set, there is no real window, or the edit window cannot be made.
    bool CreateEdit(int id, CXFont* font, int x, int y, int width, int height, int maxLength,
                    bool password, CDXWnd* parent);

    // Handles one message of the edit window that the parent forwarded; 0 when it was swallowed.
    LRESULT OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    int OnUpdate(float seconds) override;
    int OnDraw() override;
    int OnLButtonUp(int x, int y) override;

    // Takes the keyboard focus when it and its parent are enabled; tells the parent.
    void TakeFocus();
    bool HasKeyboardFocus() const;
    void SetText(const char* text);
    // Reads selection and text back from the edit window.
    void GetText();
    const char* GetTextBuffer() const { return m_strText.c_str(); }
    // The text as drawn: the buffer, or one mask character per character in a password box.
    std::string GetShownText() const;

    // Characters that may be typed (empty: all); digits-only boxes use "0123456789".
    void SetAllowed(const char* chars) { m_strAllowed = chars ? chars : ""; }
    void SetTextFormat(uint32_t format) { m_dwTextFormat = format; }
    void SetTextColour(uint32_t argb) { m_dwTextColour = argb; }
    // While not focused, show the text's decimal value with thousands separators.
    void SetNumberFormat(bool on) { m_bNumberFormat = on; }
    int GetCompositionState() const { return m_nCompState; }
    bool IsBlocked() const { return m_bBlocked; }
    bool IsCaretShown() const { return m_bCaretVisible; }
    int GetSelStart() const { return m_nSelStart; }
    int GetSelEnd() const { return m_nSelEnd; }
    HWND GetEditWindow() const { return m_hEdit; }

private:
    static LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Whether a key or character code gets through the allowed set.
    bool Passes(UINT msg, int code) const;
    // Offset in the shown text of a byte offset in the buffer (a masked character is one byte).
    size_t ShownOffset(int byteOffset) const;
    // The text drawn while not focused: the shown text, or the grouped number.
    std::string UnfocusedText(const std::string& visible) const;
    // Fills the part of the visible text between the two shown offsets with the selection colour.
    void DrawSelection(const std::string& shown, size_t start, size_t from, size_t to) const;

    HWND m_hEdit = nullptr;
    WNDPROC m_pEditProc = nullptr;
    CXFont* m_pFont = nullptr;
    int32_t m_nMaxLength = kDefaultMaxLength;
    std::string m_strText;
    int32_t m_nSelStart = 0;
    int32_t m_nSelEnd = 0;
    bool m_bHasFocus = false;
    bool m_bBlocked = false;
    bool m_bCaretVisible = false;
    float m_fCaretTime = 0.0f;
    char m_cPasswordChar = 0;
    std::string m_strAllowed;
    int32_t m_nCompState = 3;
    uint32_t m_dwTextColour = 0xFFFFFFFF;
    uint32_t m_dwTextFormat = 4;
    uint32_t m_dwSelColour = 0xFF808080;
    bool m_bNumberFormat = false;
};
