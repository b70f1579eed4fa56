#pragma once
// What the Jix engine asks of the game object that hosts it (CJix, or a test's stand-in): the
// machine key, the standalone flag, the sound group, the running totals, and the seams to the
// outside: the sender, the clock and the drawing sink.

#include <cstdint>

class CJixDrawSink;
class CJixSender;

class CJixHost {
public:
    virtual ~CJixHost() = default;

    // The machine key the link's requests carry.
    virtual int32_t GetJixGameType() const = 0;
    virtual int32_t GetJixMachineNo() const = 0;
    // A standalone game (the loading screen's preload) never talks to the server and is silent.
    virtual bool IsStandalone() const = 0;
    // The sound set the deck's position selects.
    virtual int32_t GetSoundGroup() const = 0;
    // The play credit (100 per granted spin) and the tickets paid out, summed for the deck.
    virtual void AddPlayCredit(int32_t n) = 0;
    virtual void AddTotalTicket(int32_t n) = 0;
    // Where requests go.
    virtual CJixSender& GetJixSender() = 0;
    // The wrapping 32-bit millisecond clock.
    virtual uint32_t JixNow() = 0;
    // Where blits go; null draws through the device's sprite batch.
    virtual CJixDrawSink* GetJixDrawSink() = 0;
};
