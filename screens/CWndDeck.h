#pragma once
// The panel over one deck of the lobby: machine button, coin-insert button (repeats while held),
// auto-play radio with its attention animation, buttons that move the machine to a neighbouring
// deck (shown while the pointer is over a real machine), three double-up buttons for the Morvane
// game, and the machine number.

#include <cstdint>

#include "CDXButton.h"
#include "CGameDeck.h"

class CDXRadioButton;
class CTextTexture;
class CUIAni;
class CUITexture;
class CXFont;

// A move button that fades in and out over 0.1 s.
class CBtnDeckGameMove : public CDXButton {
public:
    static constexpr float kFadeSeconds = 0.1f;

    // Starts a fade towards shown or hidden (nothing when already there or heading there).
    void FadeShow(bool bShow);
    bool IsShowing() const { return m_bShowing; }
    bool IsFading() const { return m_bFading; }
    float GetFadeAlpha() const { return m_fAlpha; }

    // A change of state cross-fades from the previous state's image over the same 0.1 s.
    void SetState(int index) override;
    bool IsCrossFading() const { return m_bCrossFading; }

    int Update(float seconds) override;
    // The current state's image, then, while cross-fading, the previous state's image fading out
    // over it, then the caption.
    void Draw() override;

private:
    bool m_bShowing = false;
    bool m_bFading = false;
    float m_fFadeTime = 0.0f;
    float m_fAlpha = 0.0f;
    bool m_bCrossFading = false;
    float m_fCrossTime = 0.0f;
    int32_t m_nPreviousState = 0;
};

class CWndDeck : public CDXWnd, public CGameDeckPanel {
public:
    CWndDeck();
    ~CWndDeck() override;

    using CDXWnd::Create;
    // Position and size from the row; registers with the deck of the row's index. Fails on a
    // negative id or when the deck list has no such deck. The machine number is drawn in the font.
    bool Create(const CGameDeckLayout& row, int id, CDXWnd* parent, CXFont* pFont);

    // Follows the deck's game: type, Morvane buttons, insert button, machine number.
    void Refresh() override;
    void ResetInsertButton();
    // Mirrors a game's auto-play flag into the radio button.
    void SetAutoPlayRadio(bool bOn) override;
    bool IsAutoPlayOn() const;

    int OnUpdate(float seconds) override;    // 12
    void DrawChildren() override;            // 15
    int OnDraw() override;                   // 16
    void OnLayout() override;                // 33
    void OnMouseLeave() override;            // 37
    int OnMouseMove(int x, int y) override;  // 40
    void OnClick(int id) override;           // 48
    void OnPress(int id) override;           // 49
    void OnRadioSelect(int id) override;     // 51

    // The deck of the panel's index, null once the deck list no longer holds it.
    CGameDeck* Deck() const;
    int32_t GetGameType() const { return m_nGameType; }
    CDXButton* GetMachineButton() const { return m_pMachineButton; }
    CDXButton* GetInsertButton() const { return m_pInsertButton; }
    CDXRadioButton* GetAutoPlayRadio() const { return m_pAutoPlay; }
    CBtnDeckGameMove* GetMoveButton(bool bRight) const
    {
        return bRight ? m_pMoveRight : m_pMoveLeft;
    }
    CDXButton* GetMorvaneButton(int n) const { return m_pMorvane[n - 1]; }
    const char* GetMachineText() const;

private:
    CGameBase* Game() const;
    int32_t DeckIndex() const { return m_Row.nIndex; }
    void ShowMoveButtons(bool bShow);
    // Steps of Create.
    bool CreateButtons();
    bool CreateMoveButtons();
    CBtnDeckGameMove* CreateMoveButton(int moveId, int slot, bool right);
    bool CreateAttention();

    CGameDeckLayout m_Row{};
    CGameDeck* m_pDeck = nullptr;
    int32_t m_nGameType = 0;
    CDXButton* m_pMachineButton = nullptr;
    CDXButton* m_pInsertButton = nullptr;
    CDXRadioButton* m_pAutoPlay = nullptr;
    CUIAni* m_pAttention = nullptr;  // owned
    uint8_t m_bMoveShown = 0;
    CBtnDeckGameMove* m_pMoveLeft = nullptr;
    CBtnDeckGameMove* m_pMoveRight = nullptr;
    CDXButton* m_pMorvane[3] = {};
    CUITexture* m_pLineImage = nullptr;
    CTextTexture* m_pMachineText = nullptr;  // owned
    CXFont* m_pFont = nullptr;
    uint32_t m_dwTextColour = 0xFFFFFF00;
    uint32_t m_dwShadowColour = 0xC8000000;
};
