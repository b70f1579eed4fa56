#include "CGameDeckList.h"

#include <new>
#include <utility>

#include "CGameBase.h"
#include "CGameDeck.h"
#include "CXLog.h"
#include "CXSoundMgr.h"

CGameDeckList* g_pGameDeckList = nullptr;

CGameDeckList::CGameDeckList(CXSoundMgr* pSoundMgr) : m_pSoundMgr(pSoundMgr)
{
    g_pGameDeckList = this;
}

CGameDeckList::~CGameDeckList()
{
    DeleteDecks();
    if (g_pGameDeckList == this)
        g_pGameDeckList = nullptr;
}

void CGameDeckList::DeleteDecks()
{
    // A deck's destructor refreshes its panel, which may look the deck up: empty the list first.
    std::vector<CGameDeck*> decks = std::move(m_Decks);
    m_Decks.clear();
    for (CGameDeck* pDeck : decks)
        delete pDeck;
}

bool CGameDeckList::BuildDecks()
{
    DeleteDecks();
    for (int32_t i = 0; i < kGameDeckCount; ++i) {
        CGameDeck* pDeck = new (std::nothrow) CGameDeck(g_GameDeckLayout[i].nIndex, m_pSoundMgr);
        if (!pDeck)
            return false;
        m_Decks.push_back(pDeck);
    }
    return true;
}

int32_t CGameDeckList::DemoGameType(int32_t nIndex)
{
    static constexpr int32_t kDemoTypes[kGameDeckCount] = {2, 4, 1, 3};
    return nIndex >= 0 && nIndex < kGameDeckCount ? kDemoTypes[nIndex] : 0;
}

CGameDeck* CGameDeckList::GetDeck(int32_t nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_Decks[static_cast<size_t>(nIndex)];
}

int32_t CGameDeckList::IndexOf(const CGameBase* pGame) const
{
    for (int32_t i = 0; pGame && i < GetCount(); ++i)
        if (m_Decks[static_cast<size_t>(i)]->m_pGame == pGame)
            return i;
    return -1;
}

CGameBase* CGameDeckList::StartGame(int32_t nIndex, int32_t nGameType, int32_t nMachineNo,
                                    bool bDemo)
{
    for (CGameDeck* pDeck : m_Decks) {
        const CGameBase* pGame = pDeck->m_pGame;
        if (pGame && !pGame->IsDemo() && pGame->m_nGameType == nGameType &&
            pGame->m_nMachineNo == nMachineNo)
            return nullptr;
    }
    CGameDeck* pDeck = GetDeck(nIndex);
    if (!pDeck)
        return nullptr;

    if (!pDeck->SetGame(nGameType, nMachineNo, bDemo)) {
        // SetGame emptied the deck; a failed machine start must not leave the slot blank.
        if (!bDemo)
            pDeck->SetGame(DemoGameType(nIndex), 0, true);
        return nullptr;
    }
    if (CXSoundMgr* pSoundMgr = pDeck->GetSoundMgr())
        if (CXSoundList* pGroup = pSoundMgr->GetGroup(pDeck->m_nSoundGroup))
            pGroup->StopAll();
    return pDeck->m_pGame;
}

CGameBase* CGameDeckList::FindGame(int32_t nGameType, int32_t nMachineNo)
{
    if (nMachineNo == 0)
        return nullptr;
    for (CGameDeck* pDeck : m_Decks) {
        CGameBase* pGame = pDeck->m_pGame;
        if (pGame && !pGame->IsDemo() && pGame->m_nGameType == nGameType &&
            pGame->m_nMachineNo == nMachineNo)
            return pGame;
    }
    return nullptr;
}

bool CGameDeckList::SwapGames(int32_t a, int32_t b)
{
    if (a == b)
        return false;
    if (b < a)
        std::swap(a, b);
    CGameDeck* pDeckA = GetDeck(a);
    CGameDeck* pDeckB = GetDeck(b);
    if (!pDeckA || !pDeckB)
        return false;
    CXSoundMgr* pSoundMgr = pDeckA->GetSoundMgr();
    if (!pSoundMgr || !pSoundMgr->SwapGroups(a, b))
        return false;

    CGameBase* pGameA = pDeckA->m_pGame;
    pDeckA->AttachGame(pDeckB->m_pGame, true, false);
    pDeckB->AttachGame(pGameA, true, true);
    return true;
}

void CGameDeckList::UpdateGames()
{
    for (CGameDeck* pDeck : m_Decks)
        if (pDeck->m_pGame)
            pDeck->m_pGame->Update();
}

void CGameDeckList::DrawGames()
{
    for (CGameDeck* pDeck : m_Decks)
        pDeck->Draw();
}

void CGameDeckList::NotifyDeviceLost()
{
    for (CGameDeck* pDeck : m_Decks)
        if (pDeck->m_pGame)
            pDeck->m_pGame->OnDeviceLost();
}

void CGameDeckList::NotifyDeviceReset()
{
    for (CGameDeck* pDeck : m_Decks)
        if (pDeck->m_pGame)
            pDeck->m_pGame->OnDeviceReset();
}
