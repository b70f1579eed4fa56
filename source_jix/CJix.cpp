#include "CJix.h"

#include <cmath>

#include "CAppCore.h"
#include "CDemo.h"
#include "CDemoLink.h"
#include "CDemoTimer.h"
#include "CGameDeck.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXGfxDevice.h"
#include "CXLog.h"
#include "CXSaturate.h"
#include "CXSpriteBatch.h"
#include "GameFactory.h"

namespace {

// The longest frame the clock takes in one go, as the engine's frame loop clamps it.
constexpr float kMaxFrameSeconds = 0.2f;

// Target failures are logged under the game's own location and line numbers.
constexpr const char* kLogFile = "source_jix\\CJix";

void LogCreateFail(int nLine, const char* pszText)
{
    CXLog::ErrorLog().Write(kLogFile, "CJix::CreateTarget", nLine, "%s", pszText);
}

}  // namespace

CJix::CJix(CGameDeck* pDeck, int32_t nMachineNo, bool bStandalone)
    : CGameBase(pDeck, nMachineNo, 1, bStandalone)
{
    m_dBaseSpeed = kSpeed;
    m_dCurSpeed = kSpeed;
}

CJix::~CJix()
{
    CJix::Release();
}

CGameBase* CreateJixGame(CGameDeck* pDeck, int32_t nMachineNo, bool bDemo)
{
    return new CJix(pDeck, nMachineNo, bDemo);
}

void RegisterJixGameType()
{
    RegisterGameType(1, CreateJixGame);
}

int32_t CJix::GetSoundGroup() const
{
    return m_pDeck ? m_pDeck->m_nSoundGroup : 0;
}

bool CJix::CreateTarget()
{
    m_pTarget = new CX2DTarget();
    if (!m_pTarget || !m_pTarget->Create(kLandscapeWidth, kLandscapeHeight, false)) {
        LogCreateFail(33, "m_pTarget create fail.");
        return false;
    }
    m_pTargetSprite = new CX2DSprite();
    if (!m_pTargetSprite) {
        LogCreateFail(41, "m_pTargetSprite create fail.");
        return false;
    }
    if (!m_pTargetSprite->CreateFromTexture(m_pTarget->GetTexture(), 0, 0, kLandscapeWidth,
                                            kLandscapeHeight)) {
        LogCreateFail(48, "m_pTargetSprite->Create() fail.");
        return false;
    }
    m_pPortraitTarget = new CX2DTarget();
    if (!m_pPortraitTarget ||
        !m_pPortraitTarget->Create(kLandscapeHeight, kLandscapeWidth, false)) {
        LogCreateFail(57, "m_pTarget create fail.");
        return false;
    }
    m_pPortraitSprite = new CX2DSprite();
    if (!m_pPortraitSprite) {
        LogCreateFail(65, "m_pTargetSprite create fail.");
        return false;
    }
    if (!m_pPortraitSprite->CreateFromTexture(m_pPortraitTarget->GetTexture(), 0, 0,
                                              kLandscapeHeight, kLandscapeWidth)) {
        LogCreateFail(72, "m_pTargetSprite->Create() fail.");
        return false;
    }
    return true;
}

bool CJix::Initialize(HWND, bool bSendEnter)
{
    if (!CreateTarget())
        return false;
    m_pEngine = new CDemo(this);
    m_pEngine->Reset();
    m_pEngine->CreateResources();
    m_pEngine->LoadSounds();
    m_pEngine->LoadImages();
    m_pEngine->m_nEngineState = CDemo::kEngineOpening;
    m_pEngine->m_nOpeningCounter = 0;
    m_pEngine->GetTimer()->Arm(1, 10, JixNow());
    if (bSendEnter && !IsStandalone())
        m_pEngine->GetLink()->ReqEnter();
    return true;
}

void CJix::Release()
{
    delete m_pEngine;
    m_pEngine = nullptr;
    delete m_pPortraitSprite;
    m_pPortraitSprite = nullptr;
    delete m_pPortraitTarget;  // its destructor releases the GPU target
    m_pPortraitTarget = nullptr;
    CGameBase::Release();
}

void CJix::SetCredit(int32_t nCredit)
{
    if (!m_pEngine)
        return;
    m_pEngine->m_nCredit = nCredit;
    m_pEngine->SetCredit(nCredit);
}

void CJix::Update()
{
    CXGfxDevice* pDevice = g_pGfxDevice;
    const bool bScene = pDevice && m_pTarget && pDevice->Gfx_BeginScene(m_pTarget->GetTarget());
    CXSpriteBatch* pBatch = bScene ? EngineGetSpriteBatch() : nullptr;
    if (pBatch)
        pBatch->Begin(CXSPRITE_ALPHABLEND);
    if (IsStandalone() || IsStarted())
        RunFrame(pDevice ? pDevice->Timer_GetDelta() : 0.0f);
    if (pBatch)
        pBatch->End();
    if (bScene)
        pDevice->Gfx_EndScene(true);
}

void CJix::RunFrame(float fSeconds)
{
    if (m_bAutoPlay && m_pEngine)
        m_pEngine->CheckPlayable();
    m_nRun = 0;
    if (!(fSeconds > 0.0f))
        fSeconds = 0.0f;
    if (fSeconds > kMaxFrameSeconds)
        fSeconds = kMaxFrameSeconds;
    m_dAccumulator += double(fSeconds) * m_dCurSpeed;
    if (m_dAccumulator >= kStep) {
        m_dFraction += m_dAccumulator / kStep;
        m_dAccumulator = 0.0;
        if (m_dFraction >= 1.0) {
            m_nRun = int32_t(std::floor(m_dFraction));
            m_dFraction -= m_nRun;
        }
    }
    for (int32_t i = 0; m_pEngine && i < m_nRun; ++i) {
        m_pEngine->m_bDraw = (i == m_nRun - 1) ? 1 : 0;
        m_pEngine->RunTick();
    }
}

void CJix::OnDeviceReset()
{
    if (m_pTarget && m_pTargetSprite)
        m_pTargetSprite->SetTexture(m_pTarget->GetTexture());
    if (m_pPortraitTarget && m_pPortraitSprite)
        m_pPortraitSprite->SetTexture(m_pPortraitTarget->GetTexture());
}

CX2DSprite* CJix::DrawTarget()
{
    CXGfxDevice* pDevice = g_pGfxDevice;
    if (!pDevice || !m_pPortraitTarget || !m_pTargetSprite)
        return m_pPortraitSprite;
    HTARGET hPrevious = pDevice->Gfx_EndScene(false);
    if (pDevice->Gfx_BeginScene(m_pPortraitTarget->GetTarget())) {
        pDevice->Gfx_Clear(0xFFFFFFFF);
        CXSpriteBatch* pBatch = EngineGetSpriteBatch();
        if (pBatch && pBatch->Begin(CXSPRITE_ALPHABLEND)) {
            pBatch->Draw(m_pTargetSprite->GetTexture(), m_pTargetSprite->GetHeight(), 0.0f, 0.0f,
                         0.0f, m_pTargetSprite->GetWidth(), m_pTargetSprite->GetHeight(), 1.0f,
                         1.0f, 1.5707964f, 0.0f, 0.0f, 0xFFFFFFFF);
            pBatch->End();
        }
        pDevice->Gfx_EndScene(false);
    }
    pDevice->Gfx_BeginScene(hPrevious);
    return m_pPortraitSprite;
}

void CJix::DrawDebugInfo()
{
    CXFont* pFont = g_pAppCore ? g_pAppCore->Font01 : nullptr;
    if (!m_pEngine || !pFont)
        return;
    const float x = m_pDeck ? m_pDeck->m_fX : 0.0f;
    const float y = m_pDeck ? float(m_pDeck->m_nY) : 0.0f;
    m_pEngine->DrawDebugInfo(pFont, x, y + 120.0f);
}

bool CJix::IsIdle()
{
    if (IsStandalone() || !m_pEngine)
        return false;
    return !m_pEngine->GetLink()->m_bCoinInPending;
}

bool CJix::RequestCoinIn(bool bForce)
{
    if (IsStandalone() || !m_pEngine)
        return false;
    if (m_pEngine->GetLink()->m_bCoinInPending && !bForce)
        return false;
    return m_pEngine->GetLink()->ReqCoinIn();
}

bool CJix::CanPlay()
{
    return m_pEngine && m_pEngine->IsPlayable();
}

bool CJix::IsOutOfCredit()
{
    return !m_pEngine || m_pEngine->IsOutOfCredit();
}

// --- answers ----------------------------------------------------------------------------------

void CJix::OnAnsEnter(const uint8_t* pBlock)
{
    if (!m_pEngine)
        return;
    CDemoLink* pLink = m_pEngine->GetLink();
    pLink->RefreshMachine(true);
    if (pBlock)
        pLink->m_SpinData.Read(pBlock, CJixSpinData::kSize);
    m_pEngine->ApplySpinData(true);
    m_bFlag = 1;
}

void CJix::OnAnsCoinIn(int32_t nCredit)
{
    if (!m_pEngine)
        return;
    m_pEngine->GetLink()->m_bCoinInPending = 0;
    if (nCredit > m_pEngine->m_nCredit)
        m_nCreditIn = CXAddSat32(m_nCreditIn, 10000);
    SetCredit(nCredit);
}

void CJix::OnAnsSpinData(bool bGranted, const uint8_t* pBlock)
{
    if (!m_pEngine)
        return;
    CDemoLink* pLink = m_pEngine->GetLink();
    pLink->m_bSpinDataRequested = 0;
    pLink->Trace("AnsSpinData: spin =%d", bGranted ? 1 : 0);
    if (!bGranted) {
        CX_LOG_ERROR("CJix::OnAnsSpinData", "spin data refused; the round waits");
        return;
    }
    pLink->OnAnsSpinData(pBlock);
}

void CJix::OnAnsSpinEnd(bool bOk)
{
    if (!m_pEngine)
        return;
    CDemoLink* pLink = m_pEngine->GetLink();
    pLink->Trace("AnsSpinEnd: spinend=%d", bOk ? 1 : 0);
    if (!bOk) {
        CX_LOG_ERROR("CJix::OnAnsSpinEnd", "spin end refused; the next spin waits");
        return;
    }
    pLink->RefreshMachine(false);
    m_nTotalGift = CXAddSat32(m_nTotalGift, m_pEngine->m_nWinSum);
    pLink->m_bSpinEnded = 1;
}

void CJix::OnAnsTicketOut(bool bValid)
{
    if (m_pEngine)
        m_pEngine->GetLink()->OnAnsTicketOut(bValid);
}

void CJix::OnAnsGameFin(bool bOk)
{
    if (!m_pEngine)
        return;
    CDemoLink* pLink = m_pEngine->GetLink();
    pLink->Trace("AnsGameFin=%d", bOk ? 1 : 0);
    pLink->m_bGameFinPending = 0;
    if (!bOk) {
        CX_LOG_ERROR("CJix::OnAnsGameFin", "game fin refused; the round stays in phase 40");
        return;
    }
    pLink->OnAnsGameFin();
}
