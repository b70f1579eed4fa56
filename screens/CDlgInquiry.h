#pragma once
// The one-to-one inquiry to the staff: a staff call first, then, once the call is answered, lines
// of text sent to the staff and the conversation in a text list.

#include "CDXDialog.h"

class CDXButton;
class CDXEdit;
class CDXLabel;
class CWndTextList;
class NetworkClient;

class CDlgInquiry : public CDXDialog {
public:
    static constexpr int kId = 446;
    static constexpr int kListId = 447;
    static constexpr int kFirstLineId = 448;
    static constexpr int kLines = 11;
    static constexpr int kLabelId = 460;
    static constexpr int kEditId = 461;
    static constexpr int kCallId = 462;
    static constexpr int kSendId = 463;
    static constexpr int kCloseId = 464;
    static constexpr int kMaxInputChars = 60;
    // UTF-16 units sent at most, the terminator included.
    static constexpr int kMaxSendUnits = 61;

    // Background slot 65; fonts: list (Font10), label (Font15), edit (Font07). Hidden.
    bool Create(CDXWnd* parent, CXFont* listFont, CXFont* labelFont, CXFont* editFont);
    // The client the staff call and the inquiry lines are sent through (null: nothing is sent).
    void SetNetClient(NetworkClient* client) { m_pNet = client; }

    // The staff call's answer (also from chat lines of the inquiry kind).
    void SetCallState(bool ok);
    // Sends the edit's text when it is not empty; empties the edit either way. True when sent.
    bool SendInput();

    void OnShow(bool show) override;
    void OnClick(int id) override;
    int OnKeyDown(int key) override;

    bool GetCallState() const { return m_bCallOk; }
    CWndTextList* GetList() const { return m_pList; }
    CDXLabel* GetLabel() const { return m_pLabel; }
    CDXEdit* GetEdit() const { return m_pEdit; }
    CDXButton* GetCallButton() const { return m_pCall; }
    CDXButton* GetSendButton() const { return m_pSend; }

private:
    NetworkClient* m_pNet = nullptr;
    bool m_bCallOk = false;
    CWndTextList* m_pList = nullptr;
    CDXLabel* m_pLabel = nullptr;
    CDXEdit* m_pEdit = nullptr;
    CDXButton* m_pCall = nullptr;
    CDXButton* m_pSend = nullptr;
};
