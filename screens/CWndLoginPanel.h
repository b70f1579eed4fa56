#pragma once
// The login panel: ID and password edits, the login button, the built-in server list with the
// choice kept in "save.dat", and the connection attempt to the chosen server.

#include <cstdint>
#include <string>
#include <vector>

#include "CDXWnd.h"

class CDXEdit;
class CDXButton;
class CXSound;

class CWndLoginPanel : public CDXWnd {
public:
    static constexpr int kId = 14;
    static constexpr int kIdEditId = 15;
    static constexpr int kPasswordEditId = 16;
    static constexpr int kLoginButtonId = 17;
    static constexpr int kMaxText = 16;

    CWndLoginPanel() = default;
    ~CWndLoginPanel() override = default;

    bool Create(CDXWnd* parent);
    // Reads "save.dat" (a missing or short file: a random variant, index 0) and builds the list.
    void LoadServerList();
    // Writes the variant and the index to "save.dat".
    void SaveServerChoice();
    // Both texts present; otherwise the message box says so.
    bool CheckInput();
    // Connects to the chosen server, or, on a connection that is already open (after a refused
    // login), sends the login again.
    void Login();
    // The login request with the two texts; false when it could not be sent.
    bool SendLogin();
    // The next server in the list (back to the first after the last).
    void AdvanceServer();

    int OnChar(int key) override;
    void OnClick(int id) override;

    const std::vector<std::string>& GetServerList() const { return m_ServerList; }
    int32_t GetServerIndex() const { return m_nServerIndex; }
    int32_t GetVariant() const { return m_nVariant; }
    CDXEdit* GetIdEdit() const { return m_pIdEdit; }
    CDXEdit* GetPasswordEdit() const { return m_pPasswordEdit; }

    // Where "save.dat" lives (the program's folder unless set) and the server port; tests move
    // them.
    static void SetSaveFolder(const std::string& folder);
    static std::string SavePath();
    static void SetServerPort(uint16_t port);

private:
    CDXEdit* m_pIdEdit = nullptr;
    CDXEdit* m_pPasswordEdit = nullptr;
    CDXButton* m_pLoginButton = nullptr;
    CXSound* m_pLoginSound = nullptr;  // the sound manager's
    std::vector<std::string> m_ServerList;
    int32_t m_nServerIndex = 0;
    int32_t m_nVariant = -1;
};
