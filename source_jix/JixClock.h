#pragma once
// The millisecond clock of the Jix game (timers and the play-start retry wait): the platform's
// wrapping 32-bit tick count; a test gives the game its own.

#include <cstdint>

class CJixClock {
public:
    virtual ~CJixClock() = default;
    virtual uint32_t Now() = 0;
};

// The platform's tick count.
class CJixPlatformClock : public CJixClock {
public:
    uint32_t Now() override;
};
