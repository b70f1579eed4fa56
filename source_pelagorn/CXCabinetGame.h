#pragma once
// What the cabinet layer asks of the game it serves; the game scene implements it.

#include <cstdint>

class CXCabinetGame {
public:
    virtual ~CXCabinetGame() = default;

    // The game clock in milliseconds (the owning game's time-scaled clock, wrapping at 32 bits).
    // Called on the serial worker thread as well as on the main thread.
    virtual uint32_t GetTimeMs() const = 0;
    // Writes the game data snapshot; called on the main thread only.
    virtual int SaveGameData() = 0;
};
