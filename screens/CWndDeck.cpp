#include "CWndDeck.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "CDXRadioButton.h"
#include "CGameBase.h"
#include "CGameDeckList.h"
#include "CTextTexture.h"
#include "CUIAni.h"
#include "CUIRes.h"
#include "CWndGame.h"
#include "CXFont.h"
#include "MachineTable.h"
#include "NetClientGlobal.h"

namespace {

// UI registry slots, large deck / small deck.
constexpr int kSlotMachine[2] = {28, 25};
constexpr int kSlotInsert[2] = {29, 26};
constexpr int kSlotAutoPlay[2] = {27, 24};
constexpr int kSlotMorvane[3][2] = {{78, 75}, {79, 76}, {80, 77}};
constexpr int kMorvaneX[3][2] = {{22, 29}, {175, 276}, {277, 422}};
constexpr int kMorvaneY[2] = {511, 689};
constexpr int kInsertX[2] = {127, 193};
constexpr int kAutoPlayX[2] = {254, 388};
constexpr int kSlotMoveLeft = 30;
constexpr int kSlotMoveRight = 31;
constexpr int kSlotLine = 32;
constexpr int kSlotAttention = 84;
constexpr float kAttentionSeconds = 3.0f;

bool IsMorvaneType(int32_t nType)
{
    return nType == 2 || nType == 4;
}

}  // namespace

// ---- CBtnDeckGameMove ----

void CBtnDeckGameMove::FadeShow(bool bShow)
{
    if (m_bShowing == bShow)
        return;
    m_bShowing = bShow;
    m_bFading = true;
    m_fFadeTime = 0.0f;
    if (bShow)
        Show(true);
}

void CBtnDeckGameMove::SetState(int index)
{
    if (index == m_nState)
        return;
    m_nPreviousState = m_nState;
    m_bCrossFading = true;
    m_fCrossTime = 0.0f;
    CDXButton::SetState(index);
}

int CBtnDeckGameMove::Update(float seconds)
{
    if (m_bCrossFading) {
        m_fCrossTime += seconds;
        if (m_fCrossTime >= kFadeSeconds)
            m_bCrossFading = false;
    }
    if (m_bFading) {
        m_fFadeTime += seconds;
        const float t = std::min(m_fFadeTime / kFadeSeconds, 1.0f);
        m_fAlpha = m_bShowing ? t : 1.0f - t;
        if (t >= 1.0f) {
            m_bFading = false;
            if (!m_bShowing)
                Show(false);
        }
    }
    return CDXButton::Update(seconds);
}

void CBtnDeckGameMove::Draw()
{
    if (!m_bVisible || !m_pFrames)
        return;
    const float fAlpha = std::clamp(m_fAlpha, 0.0f, 1.0f);
    const auto drawState = [&](int32_t nState, float fStateAlpha) {
        const auto dwAlpha = static_cast<uint32_t>(fStateAlpha * 255.0f + 0.5f);
        m_pFrames->Draw(m_pFrames->Get(nState) ? nState : 0, static_cast<float>(AbsoluteX()),
                        static_cast<float>(AbsoluteY()), 1.0f, (dwAlpha << 24) | 0x00FFFFFFu);
    };
    drawState(m_nState, fAlpha);
    if (m_bCrossFading)
        drawState(m_nPreviousState, fAlpha * (1.0f - std::min(m_fCrossTime / kFadeSeconds, 1.0f)));
    DrawCaption();
}

// ---- CWndDeck ----

CWndDeck::CWndDeck() = default;

CWndDeck::~CWndDeck()
{
    delete m_pAttention;
    delete m_pMachineText;
    if (CGameDeck* pDeck = Deck(); pDeck && pDeck->GetPanel() == this)
        pDeck->SetPanel(nullptr);
}

CGameDeck* CWndDeck::Deck() const
{
    // The decks may go before the panels (at shutdown): the deck counts only while its list
    // still holds it.
    if (!m_pDeck || !g_pGameDeckList || g_pGameDeckList->GetDeck(m_Row.nIndex) != m_pDeck)
        return nullptr;
    return m_pDeck;
}

CGameBase* CWndDeck::Game() const
{
    CGameDeck* pDeck = Deck();
    return pDeck ? pDeck->GetGame() : nullptr;
}

bool CWndDeck::Create(const CGameDeckLayout& row, int id, CDXWnd* parent, CXFont* pFont)
{
    if (id < 0 || !g_pGameDeckList || !g_pUIRes)
        return false;
    CGameDeck* pDeck = g_pGameDeckList->GetDeck(row.nIndex);
    if (!pDeck)
        return false;
    if (!CreateWidget(row.nX, row.nY, row.nWidth, row.nHeight, id, parent, 0, 255))
        return false;
    m_Row = row;
    m_pDeck = pDeck;
    m_pFont = pFont;
    if (!CreateButtons() || !CreateMoveButtons() || !CreateAttention())
        return false;
    m_pMachineText = new (std::nothrow) CTextTexture;
    if (!m_pMachineText)
        return false;

    m_pLineImage = g_pUIRes->GetFrame(kSlotLine, 0);
    const float fFontHeight = pFont ? static_cast<float>(pFont->GetHeight()) : 0.0f;
    m_pMachineText->Create(pFont, 40.0f, fFontHeight, m_dwColour, TEXTTEX_VCENTER, true);

    m_pDeck->SetPanel(this);
    if (m_pDeck->GetGame())
        Refresh();
    return true;
}

// The machine, insert and auto-play buttons along the bottom, and the three hidden Morvane
// buttons; the row's size picks their images.
bool CWndDeck::CreateButtons()
{
    const int d = m_Row.nIndex;
    const int L = m_Row.bLarge ? 1 : 0;
    const int H = m_Row.nHeight;
    auto bottom = [H](int slot) { return H - g_pUIRes->GetFrames(slot)->GetHeight(0); };

    m_pMachineButton = CreateButton(d + 24, 0, bottom(kSlotMachine[L]),
                                    g_pUIRes->GetFrames(kSlotMachine[L]), nullptr);
    m_pInsertButton = CreateButton(d + 28, kInsertX[L], bottom(kSlotInsert[L]),
                                   g_pUIRes->GetFrames(kSlotInsert[L]), nullptr);
    m_pAutoPlay = CreateRadioButton(d + 32, kAutoPlayX[L], bottom(kSlotAutoPlay[L]),
                                    g_pUIRes->GetFrames(kSlotAutoPlay[L]), true);
    if (!m_pMachineButton || !m_pInsertButton || !m_pAutoPlay)
        return false;
    m_pInsertButton->SetRepeatInterval(0.1f);

    for (int n = 0; n < 3; ++n) {
        m_pMorvane[n] = CreateButton(3 * d + 473 + n, kMorvaneX[n][L], kMorvaneY[L],
                                     g_pUIRes->GetFrames(kSlotMorvane[n][L]), nullptr);
        if (!m_pMorvane[n])
            return false;
        m_pMorvane[n]->Show(false);
    }
    return true;
}

// The hidden buttons that move the game to the neighbouring deck: none to the left of the first
// deck, none to the right of the last.
bool CWndDeck::CreateMoveButtons()
{
    const int d = m_Row.nIndex;
    if (d >= 1 && !(m_pMoveLeft = CreateMoveButton(2 * d + 36, kSlotMoveLeft, false)))
        return false;
    if (d <= 2 && !(m_pMoveRight = CreateMoveButton(2 * d + 37, kSlotMoveRight, true)))
        return false;
    return true;
}

// One move button, hidden, at the panel's left or right edge half-way down.
CBtnDeckGameMove* CWndDeck::CreateMoveButton(int moveId, int slot, bool right)
{
    CUIFrames* frames = g_pUIRes->GetFrames(slot);
    auto* pButton = new (std::nothrow) CBtnDeckGameMove;
    if (!pButton)
        return nullptr;
    const int x = right ? m_nWidth - frames->GetWidth(0) : 0;
    if (!pButton->CreateButton(moveId, x, 270 - frames->GetHeight(0) / 2, frames, nullptr, this)) {
        delete pButton;
        return nullptr;
    }
    pButton->Show(false);
    return pButton;
}

// The attention animation centred on the auto-play button (half as large again on a large row).
bool CWndDeck::CreateAttention()
{
    m_pAttention = new (std::nothrow) CUIAni;
    if (!m_pAttention)
        return false;
    CUIFrames* pAttention = g_pUIRes->GetFrames(kSlotAttention);
    const float fScale = m_Row.bLarge ? 1.5f : 1.0f;
    const float cx =
        static_cast<float>(AbsoluteX() + m_pAutoPlay->GetX()) + m_pAutoPlay->GetWidth() / 2.0f;
    const float cy =
        static_cast<float>(AbsoluteY() + m_pAutoPlay->GetY()) + m_pAutoPlay->GetHeight() / 2.0f;
    m_pAttention->Set(pAttention, kAttentionSeconds, cx - pAttention->GetWidth(0) * fScale / 2.0f,
                      cy - pAttention->GetHeight(0) * fScale / 2.0f, fScale, fScale);
    return true;
}

void CWndDeck::Refresh()
{
    CGameBase* pGame = Game();
    m_nGameType = pGame ? pGame->m_nGameType : 0;
    for (CDXButton* pButton : m_pMorvane) {
        if (!pButton)
            continue;
        pButton->Show(IsMorvaneType(m_nGameType));
        pButton->Enable(false);
    }
    ResetInsertButton();

    char szText[16] = "";
    if (pGame && !pGame->IsDemo())
        std::snprintf(szText, sizeof szText, "%03d", pGame->m_nMachineNo);
    if (m_pMachineText)
        m_pMachineText->SetText(szText);
}

void CWndDeck::ResetInsertButton()
{
    if (!m_pInsertButton)
        return;
    m_pInsertButton->SetState(m_pInsertButton->IsEnabled() ? 0 : 3);
    m_pInsertButton->ReleaseCapture();
}

void CWndDeck::SetAutoPlayRadio(bool bOn)
{
    if (m_pAutoPlay)
        m_pAutoPlay->SetChecked(bOn);
}

bool CWndDeck::IsAutoPlayOn() const
{
    return m_pAutoPlay && m_pAutoPlay->IsChecked();
}

const char* CWndDeck::GetMachineText() const
{
    return m_pMachineText ? m_pMachineText->GetText().c_str() : "";
}

void CWndDeck::ShowMoveButtons(bool bShow)
{
    m_bMoveShown = bShow ? 1 : 0;
    if (m_pMoveLeft)
        m_pMoveLeft->FadeShow(bShow);
    if (m_pMoveRight)
        m_pMoveRight->FadeShow(bShow);
}

int CWndDeck::OnUpdate(float seconds)
{
    CGameBase* pGame = Game();
    if (pGame && IsMorvaneType(m_nGameType) && m_pMorvane[0]) {
        const int32_t nState = pGame->GetDoubleUpState();
        m_pMorvane[0]->Enable(nState == 1);
        m_pMorvane[1]->Enable(nState == 2);
        m_pMorvane[2]->Enable(nState == 2);
    }
    if (m_pAttention && !IsAutoPlayOn())
        m_pAttention->Update(seconds);
    return CDXWnd::OnUpdate(seconds);
}

void CWndDeck::DrawChildren()
{
    if (m_Row.bLarge && m_pLineImage)
        m_pLineImage->Draw(static_cast<float>(AbsoluteX()), static_cast<float>(AbsoluteY() + 962));
    CDXWnd::DrawChildren();
}

int CWndDeck::OnDraw()
{
    if (!Game())
        return 1;
    if (m_pAttention && !IsAutoPlayOn())
        m_pAttention->Draw();
    if (m_pMachineText) {
        const float x = static_cast<float>(AbsoluteX());
        const float y = static_cast<float>(AbsoluteY());
        m_pMachineText->Draw(x + 6.0f, y + 1.0f, m_dwShadowColour);
        m_pMachineText->Draw(x + 5.0f, y, m_dwTextColour);
    }
    return 1;
}

void CWndDeck::OnLayout()
{
    if (m_pMachineText)
        m_pMachineText->Render();
    CDXWnd::OnLayout();
}

void CWndDeck::OnMouseLeave()
{
    CDXWnd::OnMouseLeave();
    ShowMoveButtons(false);
}

int CWndDeck::OnMouseMove(int x, int y)
{
    CGameBase* pGame = Game();
    if (!pGame)
        return 1;
    if (!HitTest(x, y, 1.0f, 0.5f))
        ShowMoveButtons(false);
    else
        ShowMoveButtons(!pGame->IsDemo());
    return 1;
}

void CWndDeck::OnClick(int id)
{
    const int d = DeckIndex();
    CWndGame* pScreen = dynamic_cast<CWndGame*>(m_pParent);
    if (m_pMachineButton && id == m_pMachineButton->GetId()) {
        if (pScreen)
            pScreen->OpenMachineSelect(d);
        return;
    }
    if (m_pMoveLeft && id == m_pMoveLeft->GetId()) {
        ShowMoveButtons(false);
        if (d >= 1 && d <= 3 && g_NetClient)
            g_NetClient->ReqDeckSwap(static_cast<uint8_t>(d - 1), static_cast<uint8_t>(d));
        return;
    }
    if (m_pMoveRight && id == m_pMoveRight->GetId()) {
        ShowMoveButtons(false);
        if (d >= 0 && d <= 2 && g_NetClient)
            g_NetClient->ReqDeckSwap(static_cast<uint8_t>(d), static_cast<uint8_t>(d + 1));
        return;
    }
    if (!IsMorvaneType(m_nGameType) || !m_pMorvane[0])
        return;
    CGameBase* pGame = Game();
    if (!pGame)
        return;
    if (id == m_pMorvane[0]->GetId()) {
        if (m_nGameType == 4) {
            if (pScreen)
                pScreen->ShowMessage("200방은 더블찬스가 제공되지 않습니다!", "알림");
        } else {
            pGame->OnDoubleUpChoice(1);
        }
    } else if (m_nGameType == 2 && id == m_pMorvane[1]->GetId()) {
        pGame->OnDoubleUpChoice(1);
    } else if (m_nGameType == 2 && id == m_pMorvane[2]->GetId()) {
        pGame->OnDoubleUpChoice(2);
    }
}

void CWndDeck::OnPress(int id)
{
    if (!m_pInsertButton || id != m_pInsertButton->GetId())
        return;
    CWndGame* pScreen = dynamic_cast<CWndGame*>(m_pParent);
    if (g_MachineTable.m_nMoney <= 0) {
        ResetInsertButton();
        if (pScreen)
            pScreen->ShowMessage("게임머니 부족", "투입");
        return;
    }
    CGameBase* pGame = Game();
    if (pGame && pGame->IsIdle() && pScreen)
        pScreen->RequestDeckCoinIn(DeckIndex());
}

void CWndDeck::OnRadioSelect(int id)
{
    if (!m_pAutoPlay || id != m_pAutoPlay->GetId())
        return;
    if (CGameBase* pGame = Game())
        pGame->SetAutoPlay(IsAutoPlayOn());
}
