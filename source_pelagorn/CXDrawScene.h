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

    // The game clock in milliseconds (the owning game's time-scaled clock, wrapping at 32 bits).
    virtual uint32_t GetTimeMs() const = 0;
    // The background's first object group is shown (the scene's group-0 flag).
    virtual bool IsFirstGroupShown() const = 0;
    // Sets the scene's group-0 flag for group 0 and its group-1 flag for any other group.
    virtual void SetObjectGroupShown(int32_t group, bool shown) = 0;
};
