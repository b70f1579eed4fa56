#pragma once
// Screen 13: creates the protocol client, shows the login panel, and takes the first answers of
// the login exchange from the protocol client's handlers.

#include "CDXWnd.h"

class CWndLoginPanel;

class CWndLogin : public CDXWnd {
public:
    CWndLogin() = default;
    ~CWndLogin() override = default;

    bool Create(int id, int flag) override;

    // The connection is up: the input is checked again, the server choice saved, the panel
    // disabled and the login sent.
    void OnConnected();
    // The attempt failed or the connection was lost: the failure box, the next server, the panel
    // enabled again.
    void OnConnectFailed();
    // The login answer: 0 sends the version, any other code shows its text and re-enables the
    // panel.
    void AnsLogin(int code);
    // The version answer: accepted sends the player-data request; refused shows the update box.
    void AnsVersionCheck(bool ok);

    CWndLoginPanel* GetPanel() const { return m_pPanel; }

private:
    CWndLoginPanel* m_pPanel = nullptr;
};
