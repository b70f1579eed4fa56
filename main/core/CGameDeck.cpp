#include "CGameDeck.h"

#include <algorithm>

#include "AppWindow.h"
#include "CDXWnd.h"
#include "CGameBase.h"
#include "CUIRes.h"
#include "CX2DEngine.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXGfxDevice.h"
#include "CXLog.h"
#include "CXSoundMgr.h"
#include "CXSpriteBatch.h"
#include "GameFactory.h"

const CGameDeckLayout g_GameDeckLayout[kGameDeckCount] = {
    {0, 0, 0, 0, 382, 698},
    {1, 1, 382, 0, 578, 1080},
    {2, 1, 960, 0, 578, 1080},
    {3, 0, 1538, 0, 382, 698},
};

namespace {

bool IsMorvaneType(int32_t nType)
{
    return nType == 2 || nType == 4;
}

// UI registry slots of the Morvane frame images: large and small decks, bets 100 and 200.
int32_t MorvaneFrameSlot(int32_t nType, bool bLarge)
{
    if (nType == 2)
        return bLarge ? 71 : 72;
    return bLarge ? 73 : 74;
}

}  // namespace

CGameDeck::CGameDeck(int32_t nIndex, CXSoundMgr* pSoundMgr)
    : m_nIndex(std::clamp(nIndex, 0, kGameDeckCount - 1)), m_nSoundGroup(m_nIndex),
      m_pSoundMgr(pSoundMgr)
{
    const CGameDeckLayout& row = GetLayout();
    m_fX = static_cast<float>(row.nX) * g_fLayoutScaleX;
    m_nY = static_cast<int32_t>(static_cast<float>(row.nY) * g_fLayoutScaleY);
    m_nWidth = static_cast<int32_t>(static_cast<float>(row.nWidth) * g_fLayoutScaleX);
    m_nHeight = static_cast<int32_t>(static_cast<float>(row.nHeight) * g_fLayoutScaleY);
}

CGameDeck::~CGameDeck()
{
    DeleteGame();
}

CXSoundMgr* CGameDeck::GetSoundMgr() const
{
    if (m_pSoundMgr)
        return m_pSoundMgr;
    return g_pGfxDevice ? g_pGfxDevice->GetSoundMgr() : nullptr;
}

void CGameDeck::RefreshPanel()
{
    if (m_pPanel)
        m_pPanel->Refresh();
}

void CGameDeck::DeleteGame()
{
    CGameBase* pGame = m_pGame;
    m_pGame = nullptr;
    delete pGame;
    m_pFrame1 = nullptr;
    m_pFrame2 = nullptr;
    m_bSliding = 0;
    RefreshPanel();
}

bool CGameDeck::SetGame(int32_t nGameType, int32_t nMachineNo, bool bDemo)
{
    DeleteGame();

    GameCreator pCreator = FindGameCreator(nGameType);
    if (!pCreator) {
        CX_LOG_SYSTEM("CGameDeck::SetGame", "deck %d: no game of type %d is built; nothing started",
                      m_nIndex, nGameType);
        return false;
    }
    CGameBase* pGame = pCreator(this, nMachineNo, bDemo);
    if (!pGame) {
        CX_LOG_ERROR("CGameDeck::SetGame", "deck %d: game of type %d not created", m_nIndex,
                     nGameType);
        return false;
    }

    // Every sound the game loads lands in this deck's group.
    if (CXSoundMgr* pSoundMgr = GetSoundMgr())
        pSoundMgr->m_nCurrentGroup = m_nSoundGroup;

    if (!pGame->Initialize(g_hWndMain, true)) {
        CX_LOG_ERROR("CGameDeck::SetGame", "deck %d: game of type %d failed to initialise",
                     m_nIndex, nGameType);
        delete pGame;
        return false;
    }
    AttachGame(pGame, false, false);
    return true;
}

void CGameDeck::AttachGame(CGameBase* pGame, bool bSlide, bool bFromLeft)
{
    m_pGame = pGame;
    if (pGame)
        pGame->m_pDeck = this;

    if (bSlide) {
        m_fSlideTime = 0.0f;
        m_fSlideTarget = static_cast<float>(GetLayout().nX) * g_fLayoutScaleX;
        m_bSlideFromLeft = bFromLeft ? 1 : 0;
        m_fSlideStart = bFromLeft ? m_fSlideTarget - static_cast<float>(m_nWidth)
                                  : m_fSlideTarget + static_cast<float>(m_nWidth);
        m_fX = m_fSlideStart;
        m_bSliding = 1;
    }

    m_pFrame1 = nullptr;
    m_pFrame2 = nullptr;
    if (pGame && IsMorvaneType(pGame->m_nGameType) && g_pUIRes) {
        int32_t nSlot = MorvaneFrameSlot(pGame->m_nGameType, IsLarge());
        m_pFrame1 = g_pUIRes->GetFrame(nSlot, 0);
        m_pFrame2 = g_pUIRes->GetFrame(nSlot, 1);
    }
    RefreshPanel();
}

void CGameDeck::AdvanceSlide(float fSeconds)
{
    if (!m_bSliding)
        return;
    m_fSlideTime += fSeconds;
    float d = std::min(m_fSlideTime / kSlideSeconds, 1.0f);
    m_fX = m_fSlideTarget + (m_fSlideStart - m_fSlideTarget) * (1.0f - d);
    if (d >= 1.0f) {
        m_bSliding = 0;
        m_fX = static_cast<float>(GetLayout().nX) * g_fLayoutScaleX;
    }
}

void CGameDeck::Draw()
{
    if (!m_pGame)
        return;
    AdvanceSlide(EngineGetDelta());

    const int32_t nType = m_pGame->m_nGameType;
    const bool bPortrait = nType == 1 || nType == 3;
    const float s = static_cast<float>(m_nWidth) / (bPortrait ? 768.0f : 800.0f);
    const uint32_t dwColour = m_pGame->IsDemo() ? 0xFFA0A0A0 : 0xFFFFFFFF;
    const float y = static_cast<float>(m_nY);

    // The Jix game renders its portrait picture into its own target: done before the batch opens.
    CX2DSprite* pPortrait = nType == 1 ? m_pGame->DrawTarget() : nullptr;

    CXSpriteBatch* pBatch = EngineGetSpriteBatch();
    if (!pBatch)
        return;
    pBatch->SetScale(g_fUIScaleX, g_fUIScaleY);
    if (!pBatch->Begin(CXSPRITE_ALPHABLEND)) {
        pBatch->SetScale(1.0f, 1.0f);
        return;
    }

    HTEXTURE hTarget = m_pGame->m_pTarget ? m_pGame->m_pTarget->GetTexture() : nullptr;
    if (nType == 1) {
        if (pPortrait && pPortrait->GetTexture())
            pBatch->Draw(pPortrait->GetTexture(), m_fX, y, 0.0f, 0.0f, pPortrait->GetWidth(),
                         pPortrait->GetHeight(), s, s, 0.0f, 0.0f, 0.0f, dwColour);
    } else if (nType == 3) {
        if (hTarget)
            pBatch->Draw(hTarget, m_fX, y, 0.0f, 0.0f, 768.0f, 1280.0f, s, s, 0.0f, 0.0f, 0.0f,
                         dwColour);
    } else if (IsMorvaneType(nType)) {
        if (hTarget)
            pBatch->Draw(hTarget, m_fX, y + (IsLarge() ? 249.0f : 215.0f), 0.0f, 0.0f, 800.0f,
                         600.0f, s, s, 0.0f, 0.0f, 0.0f, dwColour);
        if (m_pFrame2)
            m_pFrame2->Draw(m_fX, y, 1.0f, dwColour);
        if (m_pFrame1)
            m_pFrame1->Draw(m_fX, y, 1.0f, dwColour);
    }

    pBatch->End();
    pBatch->SetScale(1.0f, 1.0f);
}

bool CGameDeck::IsFree()
{
    if (!m_pGame || m_pGame->IsDemo())
        return true;
    return m_pGame->IsOutOfCredit();
}
