#include "CPelagorn.h"

#include <cmath>
#include <string>

#include "CX2DEngine.h"
#include "CX2DGDI.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXGfxDevice.h"
#include "CXLog.h"
#include "CXProb.h"
#include "CXSceneGAME.h"
#include "CXSceneLOGO.h"
#include "CXString.h"
#include "GameFactory.h"

namespace {

constexpr const char* kLogFile = "source_pelagorn\\CPelagorn";

double EngineSeconds()
{
    return EngineGetTime();
}

}  // namespace

CPelagorn::CPelagorn(CGameDeck* pDeck, int32_t nMachineNo, int32_t, bool bDemo)
    : CGameBase(pDeck, nMachineNo, 3, bDemo)
{
    // The start stamp is taken before the time scale changes.
    m_dwStartStamp = static_cast<uint32_t>(static_cast<int64_t>(EngineGetTime() * 1000.0));
    m_dBaseSpeed = kTimeScale;
    m_dCurSpeed = kTimeScale;
    m_dRate = 10.0;
}

CPelagorn::~CPelagorn()
{
    FreeAll();
}

void CPelagorn::FreeAll()
{
    delete m_pSceneLOGO;
    m_pSceneLOGO = nullptr;
    delete m_pSceneGAME;
    m_pSceneGAME = nullptr;
    delete m_pSceneAccount;
    m_pSceneAccount = nullptr;
    delete m_pOverlaySprite;
    m_pOverlaySprite = nullptr;
    delete m_pOverlayText;
    m_pOverlayText = nullptr;
    delete m_pProbClient;
    m_pProbClient = nullptr;
    delete m_pProb;
    m_pProb = nullptr;
    m_pCurrentScene = nullptr;
    m_pPreviousScene = nullptr;
    CGameBase::Release();
}

void CPelagorn::Release()
{
    FreeAll();
}

void CPelagorn::SetSender(CPelagornSender* pSender)
{
    m_pSender = pSender ? pSender : &m_NetSender;
    if (m_pProbClient)
        m_pProbClient->SetSender(m_pSender);
}

uint32_t CPelagorn::GetTimeMs() const
{
    double seconds = m_pClock ? m_pClock->Seconds() : EngineSeconds();
    if (m_dCurSpeed != 1.0)
        seconds *= m_dCurSpeed;
    const double ms = seconds * 1000.0;
    if (!std::isfinite(ms) || ms < 0.0)
        return 0;
    // Truncated in 64 bits, then wrapped explicitly to the 32-bit game clock.
    const uint64_t whole = ms >= 18446744073709549568.0 ? UINT64_MAX : static_cast<uint64_t>(ms);
    return static_cast<uint32_t>(whole & 0xFFFFFFFFu);
}

bool CPelagorn::CreateTarget()
{
    m_pTarget = new CX2DTarget;
    if (!m_pTarget || !m_pTarget->Create(kWidth, kHeight, false)) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::CreateTarget", __LINE__,
                                "m_pTarget create fail.");
        return false;
    }
    m_pTargetSprite = new CX2DSprite;
    if (!m_pTargetSprite) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::CreateTarget", __LINE__,
                                "m_pTargetSprite create fail.");
        return false;
    }
    if (!m_pTargetSprite->CreateFromTexture(m_pTarget->GetTexture(), 0, 0, kWidth, kHeight)) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::CreateTarget", __LINE__,
                                "m_pTargetSprite->Create() fail.");
        return false;
    }
    return true;
}

bool CPelagorn::Create()
{
    m_pProbClient = new CPelagornProbClient(nullptr, m_pSender);
    m_pProbClient->SetKey(m_nGameType, m_nMachineNo);

    m_pSceneLOGO = new CXSceneLOGO(this);
    if (!m_pSceneLOGO) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::Create", __LINE__,
                                "m_pSceneLOGO create fail.");
        return false;
    }
    m_pSceneGAME = new CXSceneGAME(this);
    if (!m_pSceneGAME) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::Create", __LINE__,
                                "m_pSceneGAME create fail.");
        return false;
    }
    m_pProbClient->m_pHost = m_pSceneGAME;
    m_pSceneGAME->m_SaveData.SetClock(m_pClock);
    m_pSceneAccount = new CXSceneAccount(this);
    if (!m_pSceneAccount) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::Create", __LINE__,
                                "m_pSceneAccount create fail.");
        return false;
    }
    if (!m_pSceneGAME->m_SaveData.CheckReelData()) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::Create", __LINE__,
                                "m_pSceneGAME CheckReelData fail.");
        return false;
    }

    const std::string savedBase = g_strResourceBase;
    g_strResourceBase = m_strDataFolder;
    const bool bLoaded = InitScenes();
    g_strResourceBase = savedBase;
    if (!bLoaded) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::Create", __LINE__, "LoadData fail.");
        return false;
    }

    ChangeScene(m_pSceneLOGO);
    m_pSceneGAME->RestoreDisplays();
    m_pSceneGAME->m_SaveData.LoadAccountsData();
    m_pSceneGAME->ResumeGiftOut();
    if (m_bDemo)
        m_pSceneGAME->StartDemo(m_pSceneAccount);
    return true;
}

bool CPelagorn::InitScenes()
{
    bool bResult = true;
    if (!m_pSceneLOGO->Init(this)) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::InitScenes", __LINE__,
                                "m_pSceneLOGO init fail.");
        bResult = false;
    }
    if (!m_pSceneGAME->Init(this)) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::InitScenes", __LINE__,
                                "m_pSceneGAME init fail.");
        bResult = false;
    }
    return bResult;
}

bool CPelagorn::Initialize(HWND, bool bHosted)
{
    m_pOverlaySprite = new CX2DSprite;
    m_pOverlayText = new CX2DGDI;
    if (!CreateTarget())
        return false;
    if (!Create())
        return false;
    if (m_bDemo) {
        m_pProb = new CXProb();
        if (m_pProb)
            m_pProb->CreateDemoPDO(m_pSceneGAME->m_iSkipSign != 0);
    } else if (bHosted) {
        m_pProbClient->RequestEnter();
    }
    return true;
}

void CPelagorn::ChangeScene(CX2DSceneObject* pScene)
{
    if (!pScene)
        pScene = m_pPreviousScene;
    if (!pScene || pScene == m_pCurrentScene)
        return;
    m_pPreviousScene = m_pCurrentScene;
    pScene->Init(this);
    m_pCurrentScene = pScene;
    if (m_pSceneGAME)
        m_pSceneGAME->m_bMenuSwitches = pScene != m_pSceneGAME ? 1 : 0;
}

void CPelagorn::OnTitleDone()
{
    if (!m_pSceneGAME)
        return;
    ChangeScene(m_pSceneGAME);
    m_pSceneGAME->ShowCredit(false);
    if (m_pSceneGAME->m_bCreditArrived) {
        if (!m_pSceneGAME->m_InputCreditSound.GetSound().IsPlaying())
            m_pSceneGAME->m_InputCreditSound.GetSound().Play();
        m_pSceneGAME->m_bCreditArrived = 0;
    }
}

void CPelagorn::RunScene(float dt)
{
    if (!m_pSceneGAME)
        return;
    m_pSceneGAME->Lock();
    try {
        if (m_pCurrentScene) {
            m_nRepeat = 0;
            m_pCurrentScene->m_fFrameTime = static_cast<float>(m_dCurSpeed * dt);
            m_nRepeat = 1;
            m_pSceneGAME->m_bAutoPlay = m_bAutoPlay;
            for (int32_t i = 0; i < m_nRepeat; ++i) {
                if (g_pGfxDevice)
                    g_pGfxDevice->m_bLastPass = i == m_nRepeat - 1;
                m_pCurrentScene->Process(m_pTarget ? m_pTarget->GetTarget() : 0);
            }
            if (g_pGfxDevice)
                g_pGfxDevice->m_bLastPass = true;
        }
    } catch (...) {
        CXLog::ErrorLog().Write(kLogFile, "CPelagorn::Update", __LINE__, "exception in the scene.");
    }
    m_pSceneGAME->UnLock();
}

void CPelagorn::Update()
{
    // Without a target (a failed Initialize) there is nothing to draw into.
    if (!m_pTarget)
        return;
    EngineBeginScene(m_pTarget->GetTarget());
    RunScene(EngineGetDelta());
    EngineEndScene(true);
}

void CPelagorn::SetCredit(int32_t nCredit)
{
    if (!m_pSceneGAME)
        return;
    m_pSceneGAME->m_iCredit = nCredit;
    m_pSceneGAME->ShowCredit(false);
}

void CPelagorn::OnDeviceReset()
{
    if (!m_pTarget || !m_pTargetSprite)
        return;
    m_pTargetSprite->SetTexture(m_pTarget->GetTexture());
    EngineBeginScene(m_pTarget->GetTarget());
    EngineClear(0);
    EngineEndScene(true);
}

bool CPelagorn::IsIdle()
{
    return !m_bDemo && m_pProbClient && !m_pProbClient->m_bCoinInPending;
}

bool CPelagorn::RequestCoinIn(bool bForce)
{
    if (m_bDemo || !m_pProbClient)
        return false;
    return m_pProbClient->RequestCoinIn(bForce);
}

bool CPelagorn::IsOutOfCredit()
{
    return m_pSceneGAME && m_pSceneGAME->m_iCredit == 0 && m_pSceneGAME->m_iGift == 0 &&
           m_pSceneGAME->m_iSpin == 0;
}

CXBoardSerialComm* CPelagorn::GetCabinet()
{
    return m_pSceneGAME;
}

CXSceneGAME_LoadSave* CPelagorn::GetSaveData()
{
    return m_pSceneGAME ? &m_pSceneGAME->m_SaveData : nullptr;
}

int CPelagorn::SaveAccountsData()
{
    return m_pSceneGAME ? m_pSceneGAME->SaveAccountsData() : 0;
}

namespace {

CGameBase* CreatePelagornGame(CGameDeck* pDeck, int32_t nMachineNo, bool bDemo)
{
    return new CPelagorn(pDeck, nMachineNo, 3, bDemo);
}

}  // namespace

void RegisterPelagornGameType()
{
    RegisterGameType(3, CreatePelagornGame);
}
