#include "CGameBase.h"

#include "CGameDeck.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"

CGameBase::CGameBase(CGameDeck* pDeck, int32_t nMachineNo, int32_t nGameType, bool bDemo)
    : m_nMachineNo(nMachineNo), m_nGameType(nGameType), m_bDemo(bDemo ? 1 : 0), m_pDeck(pDeck)
{}

CGameBase::~CGameBase()
{
    CGameBase::Release();
}

void CGameBase::Release()
{
    delete m_pTargetSprite;
    m_pTargetSprite = nullptr;
    delete m_pTarget;  // its destructor releases the GPU target
    m_pTarget = nullptr;
}

void CGameBase::DrawDebugInfo() {}

bool CGameBase::SetAutoPlay(bool bOn)
{
    m_bAutoPlay = bOn ? 1 : 0;
    if (!CanPlay())
        m_bAutoPlay = 0;
    if (m_pDeck && m_pDeck->GetPanel())
        m_pDeck->GetPanel()->SetAutoPlayRadio(m_bAutoPlay != 0);
    return m_bAutoPlay != 0;
}

void CGameBase::OnInputEvent(const CXInputEvent*) {}

CX2DSprite* CGameBase::DrawTarget()
{
    return m_pTargetSprite;
}

int32_t CGameBase::GetDoubleUpState()
{
    return 0;
}

void CGameBase::OnDoubleUpChoice(int32_t) {}
