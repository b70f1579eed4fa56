#pragma once
// The interface by which the application runs, draws and informs a hosted game without knowing
// which game it is, and the data every game shares. A game lives in one deck (CGameDeck) and is
// named by its machine key (game type, machine number).
//
// Game types: 1 Jix, 2 Morvane (bet 100), 3 Pelagorn, 4 Morvane (bet 200).

#include <cstdint>

#include "platform/window.h"

class CGameDeck;
class CX2DSprite;
class CX2DTarget;
struct CXInputEvent;

class CGameBase {
public:
    CGameBase(CGameDeck* pDeck, int32_t nMachineNo, int32_t nGameType, bool bDemo);
    virtual ~CGameBase();  // 0: deletes the target sprite, releases and deletes the render target
    CGameBase(const CGameBase&) = delete;
    CGameBase& operator=(const CGameBase&) = delete;

    // hosted: true when a deck creates the game, false for the loading screen's registration pass.
    virtual bool Initialize(HWND hWnd, bool bHosted) = 0;  // 1
    virtual void Release();                                // 2: the same as the destructor's work
    virtual void SetCredit(int32_t nCredit) = 0;  // 3: the machine's credit from the server
    virtual void Update() = 0;                    // 4: per frame, before any drawing
    virtual void OnDeviceLost() = 0;              // 5
    virtual void OnDeviceReset() = 0;             // 6: re-attach textures
    virtual void DrawDebugInfo();                 // 7: nothing by default
    virtual bool IsIdle() = 0;                    // 8: false while a coin-in is pending
    virtual bool RequestCoinIn(bool bForce) = 0;  // 9: sends the game's coin-in request
    virtual bool CanPlay() = 0;                   // 10
    // 11: the games share CGameBase::SetAutoPlay's body (call it from the override): the flag is
    // set to on, cleared again when CanPlay is false, mirrored into the deck panel's radio button,
    // and returned.
    virtual bool SetAutoPlay(bool bOn) = 0;
    virtual bool IsOutOfCredit() = 0;                       // 12
    virtual void OnInputEvent(const CXInputEvent* pEvent);  // 13: the games do nothing with it

    // The deck draws a game through these (beyond the interface above, with neutral defaults).
    // Prepares the sprite whose texture a portrait deck shows (the Jix game turns its landscape
    // picture into its second target here); the default is the target sprite.
    virtual CX2DSprite* DrawTarget();
    // The deck panel's double-up buttons (Morvane): 0 nothing offered, 1 a double-up is offered,
    // 2 a double-up game runs.
    virtual int32_t GetDoubleUpState();
    // A double-up choice from the deck panel: 1 first choice, 2 second choice. Nothing by default.
    virtual void OnDoubleUpChoice(int32_t nChoice);

    bool IsDemo() const { return m_bDemo != 0; }
    int32_t GetGameType() const { return m_nGameType; }
    int32_t GetMachineNo() const { return m_nMachineNo; }
    CGameDeck* GetDeck() const { return m_pDeck; }

    // Shared fields, read and written by the games, the decks and the lobby.
    int32_t m_nMachineNo;
    int32_t m_nGameType;
    uint8_t m_bDemo;                        // demonstration game: no server machine, drawn greyed
    CGameDeck* m_pDeck;                     // the hosting deck, set again on every attach
    CX2DTarget* m_pTarget = nullptr;        // owned: the game's own picture
    CX2DSprite* m_pTargetSprite = nullptr;  // owned: sprite over the render target
    uint8_t m_bFlag = 0;                    // game-defined (the games' started flag)
    uint8_t m_bAutoPlay = 0;
    double m_dBaseSpeed = 1.0;    // game time scale (Jix 1.45, Morvane 1.272 / 1.172)
    double m_dRate = 100.0;       // game-defined (Morvane 20.0)
    double m_dCurSpeed = 1.0;     // the time scale in force
    double m_dAccumulator = 0.0;  // game-defined frame-loop time
    double m_dFraction = 0.0;
    int32_t m_nRun = 1;       // game-defined state (frame-loop tick count)
    int32_t m_nRepeat = 0;    // game-defined (frame-loop repeat count)
    int32_t m_nCreditIn = 0;  // credit put into the machine
    int32_t m_nCreditPlayed = 0;
    int32_t m_nTotalGift = 0;    // gifts paid (the lobby adds each spin's win here)
    int32_t m_nTotalTicket = 0;  // tickets paid
    int32_t m_nTextRight = 0;    // game-defined (moves a debug overlay to x 768)
};
