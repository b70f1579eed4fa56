// The engine's hold on the desktop's input method, over the platform's text input.

#include "CX2DImm.h"

#include "CXLog.h"

CX2DImm& CX2DImm::Get()
{
    static CX2DImm imm;
    return imm;
}

CX2DImm::~CX2DImm()
{
    // The display may already be gone at exit: only the flag matters then.
    m_bOpen = false;
}

bool CX2DImm::OpenImm(HWND hwnd)
{
    CloseImm();
    if (!platform::StartTextInput(hwnd)) {
        CX_LOG_ERROR("CX2DImm::OpenImm", "IMM dll load fail. [dll=%s]",
                     platform::GetLastWindowError());
        return false;
    }
    m_bOpen = true;
    return true;
}

void CX2DImm::CloseImm()
{
    if (!m_bOpen)
        return;
    platform::StopTextInput();
    m_bOpen = false;
}

bool CX2DImm::IsComposing() const
{
    return m_bOpen && platform::IsComposing();
}

std::string CX2DImm::GetCompositionText() const
{
    return m_bOpen ? platform::GetCompositionText() : std::string();
}
