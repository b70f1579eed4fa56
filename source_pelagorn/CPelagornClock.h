#pragma once
// The Pelagorn game's running time in seconds (the engine's by default); a test gives the game
// its own.

class CPelagornClock {
public:
    virtual ~CPelagornClock() = default;
    virtual double Seconds() = 0;
};
