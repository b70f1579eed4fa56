#include "CWndLoading.h"

#include <cmath>
#include <cstdio>

#include "AppWindow.h"
#include "Base/CXLog.h"
#include "Base/CXString.h"
#include "CAppCore.h"
#include "CDlgCommon.h"
#include "CGameBase.h"
#include "CUIRes.h"
#include "CUITexture.h"
#include "CWndMain.h"
#include "CXFileLoad.h"
#include "CXFont.h"
#include "GameFactory.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/text.h"

bool CWndLoading::Create(int id, int)
{
    if (!g_pUIRes)
        return false;
    CUIFrames* frames = g_pUIRes->GetFrames(8);
    if (!CreateWidget(0, 0, frames->GetWidth(0), frames->GetHeight(0), id, nullptr, 1, 255))
        return false;
    SetFrames(frames);
    CXFont* font = g_pAppCore ? g_pAppCore->Font14 : nullptr;
    m_Percent = CUIFont(font, 1920, font ? font->GetHeight() : 41, 0xFFFFFFFF,
                        TEXT_DT_CENTER | TEXT_DT_VCENTER | TEXT_DT_SINGLELINE);
    m_pBarBack = g_pUIRes->GetFrame(9, 0);
    m_pBarGauge = g_pUIRes->GetFrame(9, 1);
    return true;
}

int CWndLoading::OnUpdate(float)
{
    if (m_bStopped || !g_pFileLoad)
        return 1;
    if (!m_bScanned) {
        g_pFileLoad->SetRegisterOnly(true);
        ScanFolder(m_strDataFolder.c_str());
        if (g_pFileLoad->GetRegisteredCount() < static_cast<size_t>(m_nExpectedFiles)) {
            g_pFileLoad->SetRegisterOnly(false);
            m_bStopped = true;
            CX_LOG_ERROR("CWndLoading::OnUpdate", "resource files missing. [%zu of %d under %s]",
                         g_pFileLoad->GetRegisteredCount(), m_nExpectedFiles,
                         m_strDataFolder.c_str());
            if (CDlgCommon* box = MainMessageBox())
                box->ShowMessage("리소스 파일 오류입니다.", "에러", true, -1, -1);
            return 1;
        }
        PreloadMorvane();
        PreloadJix();
        g_pFileLoad->SetRegisterOnly(false);
        m_bScanned = true;
        return 1;
    }
    if (LoadStep() && !m_bFinished && platform::TickCount() - m_dwDoneTime > kHandOverMs) {
        m_bFinished = true;
        FinishLoading();
    }
    return 1;
}

void CWndLoading::ScanFolder(const char* folder)
{
    char pattern[1024];
    std::snprintf(pattern, sizeof pattern, "%s*", folder);
    for (const platform::FoundFile& entry : platform::FindFiles(pattern)) {
        char path[1024];
        if (entry.bFolder) {
            std::snprintf(path, sizeof path, "%s%s/", folder, entry.strName.c_str());
            ScanFolder(path);
            continue;
        }
        std::snprintf(path, sizeof path, "%s%s", folder, entry.strName.c_str());
        const int kind = CXFileLoad::GetFileKind(path);
        if (kind != CXFileLoad::KIND_IMAGE && kind != CXFileLoad::KIND_SOUND)
            continue;
        CXString name(path);
        name.TrimUpper();
        g_pFileLoad->Register(name.GetBuffer(), 4);
    }
}

namespace {

// Builds a demonstration game of the type for machine 1 and lets it register every file it would
// load; nothing when the program has no such game.
void RegisterGameFiles(int32_t gameType, const char* function, const char* name)
{
    GameCreator create = FindGameCreator(gameType);
    CGameBase* game = create ? create(nullptr, 1, true) : nullptr;
    if (!game) {
        CX_LOG_SYSTEM(function, "no %s game in this program: nothing registered.", name);
        return;
    }
    if (!game->Initialize(g_hWndMain, false))
        CX_LOG_ERROR(function, "%s registration pass fail.", name);
    delete game;
}

}  // namespace

void CWndLoading::PreloadMorvane()
{
    RegisterGameFiles(2, "CWndLoading::PreloadMorvane", "Morvane");
}

void CWndLoading::PreloadJix()
{
    RegisterGameFiles(1, "CWndLoading::PreloadJix", "Jix");
}

bool CWndLoading::LoadStep()
{
    if (m_bDone)
        return true;
    for (int i = 0; i < kLoadsPerFrame; ++i) {
        const int result = g_pFileLoad->LoadNext();
        const size_t registered = g_pFileLoad->GetRegisteredCount();
        m_fProgress = registered ? static_cast<float>(g_pFileLoad->GetLoadedCount()) /
                                       static_cast<float>(registered)
                                 : 1.0f;
        if (result != 0) {
            m_bDone = true;
            m_dwDoneTime = platform::TickCount();
            if (g_pFileLoad->GetFailedCount() > 0) {
                if (CDlgCommon* box = MainMessageBox())
                    box->ShowMessage("리소스 파일 읽기에 실패하였습니다.\n프로그램을 종료합니다",
                                     "Error", true, -1, -1);
            }
            break;
        }
    }
    return m_bDone;
}

std::string CWndLoading::PercentText() const
{
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", static_cast<int>(std::ceil(m_fProgress * 100.0f)));
    return text;
}

int CWndLoading::OnDraw()
{
    const float x = static_cast<float>(AbsoluteX());
    const float y = static_cast<float>(AbsoluteY());
    if (m_pBarBack)
        m_pBarBack->Draw(x + kBarX, y + kBarY);
    if (m_pBarGauge)
        m_pBarGauge->DrawRegion(x + kGaugeX, y + kGaugeY, 0, 0,
                                static_cast<float>(m_pBarGauge->GetWidth()) * m_fProgress,
                                static_cast<float>(m_pBarGauge->GetHeight()), 1.0f, 1.0f);
    m_Percent.Draw(0, kPercentY, PercentText().c_str());
    return 1;
}

void CWndLoading::FinishLoading()
{
    g_pFileLoad->ClearRegistered();
    if (g_pAppCore)
        g_pAppCore->SetMode(CAppCore::MODE_LOGIN);
    if (g_hWndMain)
        platform::UpdateWindow(g_hWndMain);
    platform::ShowCursor(true);
    if (g_pWndMain)
        g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
}
