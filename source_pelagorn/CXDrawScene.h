#pragma once
// What the display objects ask of the game scene that owns them, and what the background asks
// of it on their behalf: the scene implements it, tests give a recording stand-in.

#include <cstdint>

class CXDrawFRAME;

class CXDrawScene {
public:
    virtual ~CXDrawScene() = default;

    // Queues a cabinet lamp or mode command ("L501\r") through the scene's serial layer.
    virtual void SendCommand(const char* command) = 0;
    // Copies the reel-wait preset of that index from the process-wide table and runs it.
    virtual void StartReelWait(uint32_t index) = 0;
    // The scene's message windows, updated and drawn at the frame's place in the draw list.
    virtual void UpdateOverlays(float dt) = 0;
    virtual void DrawOverlays() = 0;
    // Saves the meters after a score change.
    virtual void SaveGameData() = 0;

    // The title scene is current over a game scene that runs its demo (scores show 0).
    virtual bool IsDemoUnderTitle() const = 0;
    // The gift count at which the gift gauge is full.
    virtual int32_t GetGiftMaximum() const = 0;
    // The road indicator: positive shows above, zero or negative shows below.
    virtual int32_t GetRoadValue() const = 0;
    // The background's second object group is shown.
    virtual bool IsSecondGroupShown() const = 0;
    virtual int32_t GetHighEffectMode() const = 0;
    virtual bool IsHighPrizeMode() const = 0;
    // The stacked pay tables sit 10 pixels lower.
    virtual bool IsLoweredTableLayout() const = 0;
    // The scene's frame display (the background syncs its title through it); null when none.
    virtual CXDrawFRAME* GetFrameDisplay() = 0;

    // ---- Asked by the reels and the coins ----
    // The game clock in milliseconds (the owning game's time-scaled clock, wrapping at 32 bits).
    virtual uint32_t GetTimeMs() const = 0;
    // Demo mode: results come from the local engine, nothing is sent and no gift is added.
    virtual bool IsDemoMode() const = 0;
    // A game object that never talks to the server (a preload, or the demo of an empty slot).
    virtual bool IsStandalone() const = 0;
    virtual bool IsOnline() const = 0;
    // Auto-hold: only the reel at the held index turns.
    virtual bool IsAutoHold() const = 0;
    virtual int32_t GetHeldReel() const = 0;
    // Spins left to play: the demo counter in demo mode, else SPIN.
    virtual int32_t GetSpinsLeft() const = 0;
    // The current result: its total win (what ShowReelPrize passes on) and the win of line 0..2
    // (0 for any other line).
    virtual uint32_t GetResultTotalWin() const = 0;
    virtual int32_t GetResultLineWin(uint32_t line) const = 0;
    // The reels have stopped: shows the prize through CXDrawREEL::ShowPrizeEffect and marks the
    // winning symbols with CXDrawREEL::MarkPrizeSymbol.
    virtual void ShowReelPrize() = 0;
    // The prize display has ended: adds the prize ShowReelPrize stored to GIFT unless in demo
    // mode, clears the stored prize, and clears the pending effect number when `effect` is 0 or
    // equals it.
    virtual void FinishReelPrize(int32_t effect) = 0;
    // The reels want the next outcome.
    virtual void StartScrollReel() = 0;
    // The server link's request bytes that the reels read.
    virtual bool IsReelsStoppedSent() const = 0;
    virtual bool IsResultPending() const = 0;
    virtual bool IsSpinEndConfirmed() const = 0;
    virtual bool IsSpinDataHeld() const = 0;
    virtual bool IsGameFinPending() const = 0;
    // Requests with the machine key: 42 (reels stopped), 39 (result), 43 (game fin). Each sets
    // its byte only when the request went out, and says whether it did.
    virtual bool SendReelsStopped() = 0;
    virtual bool SendResultRequest() = 0;
    virtual bool SendGameFin() = 0;
    // A coin fell past the coin field's bottom line at (x, y): the scene checks the item belt.
    virtual void CheckItemHit(float x, float y) = 0;

    // ---- Asked by the background ----
    // The background's first object group is shown (the scene's group-0 flag).
    virtual bool IsFirstGroupShown() const = 0;
    // Sets the scene's group-0 flag for group 0 and its group-1 flag for any other group.
    virtual void SetObjectGroupShown(int32_t group, bool shown) = 0;
};
