#include "CDemo.h"

#include <cstdlib>

#include "CDemoLink.h"
#include "CDemoSound.h"
#include "CDemoSurface.h"
#include "CDemoTimer.h"
#include "CJixHost.h"

CDemo::CDemo(CJixHost* pHost) : m_pHost(pHost)
{
    m_pLink = new CDemoLink(this, pHost ? pHost->GetJixGameType() : 1,
                            pHost ? pHost->GetJixMachineNo() : 0);
}

CDemo::~CDemo()
{
    delete m_pSurface;
    delete m_pSound;
    delete m_pTimer;
    delete m_pLink;  // deletes its trace sink
}

bool CDemo::IsOnline() const
{
    return m_pHost && !m_pHost->IsStandalone();
}

void CDemo::Reset()
{
    m_nEngineState = 0;
    m_nOpeningPhase = 0;
    m_nSpinPhase = 0;
    m_nOpeningCounter = 0;
    m_nScrollOffset = -160;
    m_nBonusWheel = -160;
    for (auto& row : m_abHighlight)
        for (uint8_t& b : row)
            b = 0;
    m_nEffectStep = 0;
    for (int32_t& n : m_anEffectCounter)
        n = 0;
    m_nBigWinLevel = 0;
    m_nTickCount = 0;
    delete m_pTimer;
    m_pTimer = new CDemoTimer();

    // The background starts somewhere random in its cycle.
    m_nBgVariant = std::rand() % 3;
    m_nColourMode = (std::rand() % 2 == 0) ? 0 : 1 + std::rand() % 2;
    if (std::rand() % 2 == 0) {
        m_nScrollDir = 1;
        m_nScrollPos = -(std::rand() % 270);
    } else {
        m_nScrollDir = 0;
        m_nScrollPos = std::rand() % 280;
    }
}

void CDemo::CreateResources()
{
    delete m_pSurface;
    m_pSurface = new CDemoSurface();
    delete m_pSound;
    m_pSound = new CDemoSound();
    m_nCredit = 0;
    m_nScore = 0;
    m_nSpinsLeft = 0;
    SetCredit(0);
    SetScore(0);
    SetWin(0);
}

void CDemo::RunTick()
{
    switch (m_nEngineState) {
    case kEngineOpening:
        TickIntro();
        break;
    case kEngineGame:
        TickGame();
        break;
    default:
        break;
    }
}

void CDemo::TickIntro()
{
    DrawSlot(2, 0, 0);
    const uint32_t dwNow = m_pHost->JixNow();
    if (m_pTimer && m_pTimer->Elapsed(1, dwNow) >= 100) {
        m_pTimer->Arm(1, 50, dwNow);
        m_nEngineState = kEngineGame;
    }
}
