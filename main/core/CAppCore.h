#pragma once
// What the screens, the games and the protocol client read of the application object: its UI
// fonts and its mode. The program shell's CGameMain is the application object; while one lives,
// g_pAppCore points at it.

#include <cstdint>

class CXFont;

class CAppCore {
public:
    enum Mode : int32_t { MODE_NONE = 0, MODE_LOADING = 1, MODE_LOGIN = 2, MODE_LOBBY = 3 };

    CAppCore();
    virtual ~CAppCore();
    CAppCore(const CAppCore&) = delete;
    CAppCore& operator=(const CAppCore&) = delete;

    int32_t GetMode() const { return m_nMode; }
    void SetMode(int32_t mode) { m_nMode = mode; }

    CXFont* Font01 = nullptr;
    CXFont* Font02 = nullptr;
    CXFont* Font03 = nullptr;
    CXFont* Font04 = nullptr;
    CXFont* Font05 = nullptr;
    CXFont* Font06 = nullptr;
    CXFont* Font07 = nullptr;
    CXFont* Font08 = nullptr;
    CXFont* Font09 = nullptr;
    CXFont* Font10 = nullptr;
    CXFont* Font11 = nullptr;
    CXFont* Font12 = nullptr;
    CXFont* Font13 = nullptr;
    CXFont* Font14 = nullptr;
    CXFont* Font15 = nullptr;

protected:
    int32_t m_nMode = MODE_NONE;
};

extern CAppCore* g_pAppCore;
