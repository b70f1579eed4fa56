#include "CMorvane.h"

#include "CAppCore.h"
#include "CGameDeck.h"
#include "CMorvaneMain.h"
#include "CX2DEngine.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXFileLoad.h"
#include "CXLog.h"
#include "CXSaturate.h"
#include "GameFactory.h"
#include "NetClientGlobal.h"

namespace {

constexpr const char* kLogFile = "source_morvane\\CMorvane";

struct KindInfo {
    int32_t kind;
    int32_t bet;
    double speed;
};
constexpr KindInfo kKinds[] = {{2, 100, 1.272}, {4, 200, 1.172}};

const KindInfo* FindKind(int32_t kind)
{
    for (const KindInfo& info : kKinds)
        if (info.kind == kind)
            return &info;
    return nullptr;
}

}  // namespace

CMorvane::CMorvane(CGameDeck* pDeck, int32_t nMachineNo, int32_t nKind, bool bDemo)
    : CGameBase(pDeck, nMachineNo, nKind, bDemo)
{
    const KindInfo* info = FindKind(nKind);
    m_dBaseSpeed = info ? info->speed : 1.0;
    m_dCurSpeed = m_dBaseSpeed;
    m_dRate = 20.0;
    m_nRun = 0;
}

CMorvane::~CMorvane()
{
    FreeAll();
}

void CMorvane::FreeAll()
{
    delete m_pMain;
    m_pMain = nullptr;
    CGameBase::Release();
}

void CMorvane::Release()
{
    FreeAll();
}

bool CMorvane::CreateTarget()
{
    m_pTarget = new CX2DTarget;
    if (!m_pTarget || !m_pTarget->Create(800, 600, false)) {
        CXLog::ErrorLog().Write(kLogFile, "CMorvane::CreateTarget", 43, "m_pTarget create fail.");
        return false;
    }
    m_pTargetSprite = new CX2DSprite;
    if (!m_pTargetSprite) {
        CXLog::ErrorLog().Write(kLogFile, "CMorvane::CreateTarget", 51,
                                "m_pTargetSprite create fail.");
        return false;
    }
    if (!m_pTargetSprite->CreateFromTexture(m_pTarget->GetTexture(), 0, 0, 800, 600)) {
        CXLog::ErrorLog().Write(kLogFile, "CMorvane::CreateTarget", 58,
                                "m_pTargetSprite->Create() fail.");
        return false;
    }
    return true;
}

bool CMorvane::Initialize(HWND, bool bHosted)
{
    if (!CreateTarget())
        return false;
    const KindInfo* info = FindKind(m_nGameType);
    if (!info)
        return false;
    delete m_pMain;
    m_pMain = new CMorvaneMain(this, info->bet, m_pTestIO ? m_pTestIO : &m_AppIO);
    m_pMain->GetLink().SetSender(m_pSender ? m_pSender : &m_GlobalSender);
    if (g_pAppCore)
        m_AppIO.m_pFont = g_pAppCore->Font01;
    if (!m_pMain->LoadResources())
        return false;
    if (m_bDemo)
        m_pMain->m_byNetworked = 0;
    else if (bHosted)
        m_pMain->GetLink().ReqEnter();
    return true;
}

void CMorvane::SetCredit(int32_t nCredit)
{
    if (!m_pMain)
        return;
    m_pMain->m_nCredit = nCredit;
    m_pMain->SetCredit(nCredit, false);
}

int32_t CMorvane::AdvanceTime(double delta)
{
    int32_t steps = 0;
    m_dAccumulator = m_dCurSpeed * delta + m_dAccumulator;
    if (m_dAccumulator >= kStepLength) {
        m_dFraction = m_dAccumulator / kStepLength + m_dFraction;
        m_dAccumulator = 0.0;
        if (m_dFraction >= 1.0) {
            steps = static_cast<int32_t>(m_dFraction);
            m_dFraction -= steps;
        }
    }
    m_nRun = steps;
    return steps;
}

void CMorvane::RunSteps(int32_t steps)
{
    for (int32_t i = 0; i < steps; ++i) {
        m_pMain->m_byInStep = 1;
        m_pMain->m_byDrawFlag = (i == steps - 1) ? 1 : 0;
        if (m_pMain->m_nTopState == 0) {
            m_pMain->m_nTopState = 5;
            m_pMain->m_dwStartStamp = m_pMain->GetIO().Now();
        } else {
            m_pMain->Tick(m_pMain->m_nTopState);
        }
    }
}

void CMorvane::Update()
{
    // Without a target (a failed Initialize) there is nothing to draw into; a null target would
    // begin a scene on the screen instead.
    if (!m_pTarget)
        return;
    EngineBeginScene(m_pTarget->GetTarget());
    if (m_pMain && (m_bDemo || m_bFlag)) {
        m_pMain->m_byAutoPlay = m_bAutoPlay;
        const int32_t steps = AdvanceTime(EngineGetDelta());
        if (steps > 0) {
            EngineClear(0);
            EngineBeginSprites();
        }
        RunSteps(steps);
        if (steps > 0)
            EngineEndSprites();
    }
    EngineEndScene(true);
}

void CMorvane::OnDeviceReset()
{
    if (m_pTarget && m_pTargetSprite)
        m_pTargetSprite->SetTexture(m_pTarget->GetTexture());
}

bool CMorvane::IsIdle()
{
    if (m_bDemo || !m_pMain)
        return false;
    return !m_pMain->GetLink().CoinInPending();
}

bool CMorvane::RequestCoinIn(bool bForce)
{
    if (m_bDemo || !m_pMain)
        return false;
    return m_pMain->GetLink().ReqCoinIn(bForce);
}

bool CMorvane::CanPlay()
{
    return m_pMain && m_pMain->CanPlay();
}

bool CMorvane::IsOutOfCredit()
{
    return m_pMain && m_pMain->m_nCredit < m_pMain->m_nBet && m_pMain->m_nScore < m_pMain->m_nBet;
}

void CMorvane::AddMorvaneTotals(int64_t bet, int64_t win)
{
    m_nCreditPlayed = CXSaturateInt32(m_nCreditPlayed + bet);
    m_nTotalGift = CXSaturateInt32(m_nTotalGift + win);
}

void CMorvane::AddMorvaneMoneyInserted(int64_t amount)
{
    m_nCreditIn = CXSaturateInt32(m_nCreditIn + amount);
}

void CMorvane::ClearMorvaneTotals()
{
    m_nCreditIn = 0;
    m_nCreditPlayed = 0;
    m_nTotalGift = 0;
}

bool CMorvane::AppIO::RegisterPath(const char* path)
{
    if (!g_pFileLoad || !g_pFileLoad->IsRegisterOnly())
        return false;
    g_pFileLoad->Register(path, 1);
    return true;
}

bool CMorvane::GlobalSender::Send(MorvaneRequest request, uint8_t kind, uint16_t machineNo)
{
    return CMorvaneNetSender(g_NetClient.Get()).Send(request, kind, machineNo);
}

bool CMorvane::GlobalSender::SendPerformanceValue(uint8_t kind, uint16_t machineNo, uint32_t stage,
                                                  uint8_t choice)
{
    return CMorvaneNetSender(g_NetClient.Get())
        .SendPerformanceValue(kind, machineNo, stage, choice);
}

void CMorvane::DrawDebugInfo()
{
    if (!m_pMain || !g_pAppCore)
        return;
    const float x = m_pDeck ? m_pDeck->m_fX : 0.0f;
    const float y = m_pDeck ? float(m_pDeck->m_nY) : 0.0f;
    m_pMain->DrawDebugInfo(g_pAppCore->Font01, x, y);
}

int32_t CMorvane::GetDoubleUpState()
{
    if (!m_pMain)
        return 0;
    return m_pMain->m_byDoubleDue ? 2 : m_pMain->m_byDoubleUpOffer ? 1 : 0;
}

void CMorvane::OnDoubleUpChoice(int32_t nChoice)
{
    if (!m_pMain)
        return;
    if (!m_bDemo && m_pMain->GetLink().AwaitsAnswer())
        return;
    if (nChoice == 1)
        m_pMain->DeckKeyRequest = 1;
    else if (nChoice == 2)
        m_pMain->DeckQuickEnd = 1;
}

namespace {

CGameBase* CreateMorvane100(CGameDeck* pDeck, int32_t nMachineNo, bool bDemo)
{
    return new CMorvane(pDeck, nMachineNo, 2, bDemo);
}

CGameBase* CreateMorvane200(CGameDeck* pDeck, int32_t nMachineNo, bool bDemo)
{
    return new CMorvane(pDeck, nMachineNo, 4, bDemo);
}

}  // namespace

void RegisterMorvaneGameType()
{
    RegisterGameType(2, CreateMorvane100);
    RegisterGameType(4, CreateMorvane200);
}
