#pragma once
// The chat area in the lobby's lower-left corner: the welcome line, the list of the latest big
// prizes, the chat list and the chat input, whose Enter sends the line to the server.

#include "CDXWnd.h"

class CDXEdit;
class CWndGameChatList;
class CWndGameNotice;
class CWndGamePrizeList;

class CWndGameChat : public CDXWnd {
public:
    static constexpr int kId = 45;
    static constexpr int kWelcomeId = 46;
    static constexpr int kPrizeListId = 48;
    static constexpr int kFirstPrizeRowId = 49;
    static constexpr int kEditId = 54;
    static constexpr int kChatListId = 55;
    static constexpr int kFirstChatLineId = 56;
    static constexpr int kChatLines = 7;
    static constexpr int kMaxInputChars = 60;
    // UTF-16 units sent at most, the terminator included.
    static constexpr int kMaxSendUnits = 61;

    CWndGameChat() = default;
    ~CWndGameChat() override = default;

    // Background set 33 at (0, 698); the welcome line starts with the welcome text.
    bool Create(CDXWnd* parent);
    // Sends the chat edit's text when it is not empty; the edit is emptied once it is sent.
    bool SendInput();

    // Enter sends from the chat edit, or puts the focus there; Esc empties the edit and gives the
    // focus back to the main window.
    int OnChar(int code) override;
    void OnChildFocus(int id) override;

    CWndGameNotice* GetWelcomeLine() const { return m_pWelcome; }
    CWndGamePrizeList* GetPrizeList() const { return m_pPrizeList; }
    CWndGameChatList* GetChatList() const { return m_pChatList; }
    CDXEdit* GetEdit() const { return m_pEdit; }

private:
    CWndGameNotice* m_pWelcome = nullptr;
    CWndGamePrizeList* m_pPrizeList = nullptr;
    CWndGameChatList* m_pChatList = nullptr;
    CDXEdit* m_pEdit = nullptr;
};
