#pragma once
// One of the four machine slots: hosts at most one game, lays it out on the 1920x1080 screen,
// slides it in after a swap and draws its picture (greyed for a demonstration game).

#include <cstdint>

class CGameBase;
class CUITexture;
class CXSoundMgr;

// What a deck tells the panel over it (the lobby's deck panel).
class CGameDeckPanel {
public:
    virtual ~CGameDeckPanel() = default;
    // The deck's game was set, attached, swapped or removed.
    virtual void Refresh() = 0;
    // A game's auto-play flag, mirrored into the panel's switch.
    virtual void SetAutoPlayRadio(bool bOn) = 0;
};

// A row of the deck layout table.
struct CGameDeckLayout {
    int32_t nIndex;
    uint8_t bLarge;
    int32_t nX;
    int32_t nY;
    int32_t nWidth;
    int32_t nHeight;
};

constexpr int kGameDeckCount = 4;
extern const CGameDeckLayout g_GameDeckLayout[kGameDeckCount];

class CGameDeck {
public:
    static constexpr float kSlideSeconds = 0.2f;

    // Index 0..3 (also the sound group). The sound manager is the engine's when null.
    explicit CGameDeck(int32_t nIndex, CXSoundMgr* pSoundMgr = nullptr);
    virtual ~CGameDeck();  // deletes the game and refreshes the panel
    CGameDeck(const CGameDeck&) = delete;
    CGameDeck& operator=(const CGameDeck&) = delete;

    // Replaces the game by a new one of the type (through the creator table); false, with the
    // deck left empty, for a type without a creator or a failing Initialize.
    bool SetGame(int32_t nGameType, int32_t nMachineNo, bool bDemo);
    // Hosts the game (taking ownership; a game held before is not deleted: swaps hand games
    // between decks this way); slide: the picture slides in from the left or right.
    void AttachGame(CGameBase* pGame, bool bSlide, bool bFromLeft);
    // Deletes the game (if any) and refreshes the panel.
    void DeleteGame();
    // Advances a running slide by the frame time and draws the game's picture.
    void Draw();
    // Advances a running slide (Draw calls it with the engine's frame time).
    void AdvanceSlide(float fSeconds);
    // No game, a demonstration game, or a game out of credit.
    bool IsFree();

    const CGameDeckLayout& GetLayout() const { return g_GameDeckLayout[m_nIndex]; }
    bool IsLarge() const { return GetLayout().bLarge != 0; }
    CGameBase* GetGame() const { return m_pGame; }
    int32_t GetIndex() const { return m_nIndex; }
    // The panel registers itself (null unregisters).
    void SetPanel(CGameDeckPanel* pPanel) { m_pPanel = pPanel; }
    CGameDeckPanel* GetPanel() const { return m_pPanel; }
    CXSoundMgr* GetSoundMgr() const;

    int32_t m_nIndex;
    int32_t m_nSoundGroup;
    CGameBase* m_pGame = nullptr;  // owned
    float m_fX = 0.0f;
    int32_t m_nY = 0;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    CUITexture* m_pFrame1 = nullptr;  // first frame image (Morvane), not owned
    CUITexture* m_pFrame2 = nullptr;  // second frame image, not owned
    uint8_t m_bSliding = 0;
    float m_fSlideTarget = 0.0f;
    float m_fSlideStart = 0.0f;
    uint8_t m_bSlideFromLeft = 0;
    float m_fSlideTime = 0.0f;
    CGameDeckPanel* m_pPanel = nullptr;  // not owned

private:
    void RefreshPanel();
    CXSoundMgr* m_pSoundMgr;
};
