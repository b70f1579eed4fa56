#pragma once
// The Pelagorn game's clocks: its running time in seconds (the engine's by default) and the wall
// time that stamps its snapshots (the platform's by default); a test gives the game its own.

#include <cstdint>

class CPelagornClock {
public:
    virtual ~CPelagornClock() = default;
    virtual double Seconds() = 0;
    // Seconds since 1970-01-01 UTC.
    virtual int64_t UnixSeconds();
};
