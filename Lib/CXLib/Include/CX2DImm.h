#pragma once
// The engine's hold on the desktop's input method: it turns the platform's text input on for the
// engine window and reads the composition in progress. The window layer delivers the composition
// itself as messages (WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_ENDCOMPOSITION).
// One process-wide object; the engine opens it after its window exists and closes it at shutdown.
// UI thread only.

#include <string>

#include "platform/window.h"

class CX2DImm {
public:
    static CX2DImm& Get();

    // Closes what was open, then turns text input on for the window. When that is not possible
    // the error log records "IMM dll load fail. [dll=...]" with the platform's reason.
    bool OpenImm(HWND hwnd);
    // Turns text input off and drops any composition in progress.
    void CloseImm();
    bool IsOpen() const { return m_bOpen; }

    // The composition in progress (CP949), empty outside one.
    bool IsComposing() const;
    std::string GetCompositionText() const;

private:
    CX2DImm() = default;
    ~CX2DImm();
    CX2DImm(const CX2DImm&) = delete;
    CX2DImm& operator=(const CX2DImm&) = delete;

    bool m_bOpen = false;
};
