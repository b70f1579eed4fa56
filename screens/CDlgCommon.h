#pragma once
// The one message box: server error texts, input checks, confirmations and fatal errors. A fatal
// box offers only the button that ends the program, and stays until it is pressed: a later
// message never replaces it.

#include <string>

#include "CDXDialog.h"
#include "CUIFont.h"

class CDXButton;

class CDlgCommon : public CDXDialog {
public:
    static constexpr int kId = 9;
    static constexpr int kQuitId = 10;
    static constexpr int kCloseId = 11;

    CDlgCommon() = default;
    ~CDlgCommon() override = default;

    // Background slot 70, quit button (slot 4) centred at y 420, close button (slot 12) top right;
    // hidden until a message is shown. Title in titleFont, message in textFont (may be null).
    bool Create(CDXWnd* parent, CXFont* titleFont, CXFont* textFont);

    // quit: only the quit button is offered; else only the close button. The focus pair names the
    // widget and its edit box that get the keyboard focus back when the box is closed (-1: none).
    void ShowMessage(const char* text, const char* title, bool quit, int focusWindowId,
                     int focusEditId);
    // The server error code's text (code 0: nothing is shown).
    void ShowErrorCode(int code, const char* title);
    // The text shown for a server error code (empty for 0).
    static std::string ErrorText(int code);

    void OnClick(int id) override;
    void OnShow(bool show) override;
    int OnDraw() override;

    const std::string& GetTitle() const { return m_strTitle; }
    const std::string& GetText() const { return m_strText; }
    bool IsQuitBox() const;

private:
    CDXButton* m_pQuit = nullptr;
    CDXButton* m_pClose = nullptr;
    CUIFont m_TitleFont;
    CUIFont m_TextFont;
    std::string m_strTitle;
    std::string m_strText;
    int m_nFocusWindowId = -1;
    int m_nFocusEditId = -1;
};

// Adds the common close button (slot 12) in the dialog's top-right corner.
CDXButton* AddDialogCloseButton(CDXWnd* dialog, int id);
