#pragma once
// The requests the Pelagorn game sends, each with its machine key. The network sender forwards
// them to the program's protocol client; tests record them.

#include <cstdint>

#include "MessageIds.h"

enum class PelagornRequest : uint16_t {
    Enter = netmsg::MsgPelagornEnter,
    CoinIn = netmsg::MsgPelagornCoinIn,
    CoinDrop = netmsg::MsgPelagorn36,
    ItemHit = netmsg::MsgPelagorn37,
    SpinData = netmsg::MsgPelagornSpinData,
    Result = netmsg::MsgPelagorn39,
    SpinEnd = netmsg::MsgPelagornSpinEnd,
    TicketOut = netmsg::MsgPelagornTicketOut,
    ReelsStopped = netmsg::MsgPelagorn42,
    GameFin = netmsg::MsgPelagornGameFin,
};

// What an item-hit request (37) carries besides the key.
struct CPelagornItemHit {
    uint16_t wItemType = 0;
    uint8_t byRightHalf = 0;  // the coin's x is above 384
    float fX = 0.0f;
    float fY = 0.0f;
};

class CPelagornSender {
public:
    virtual ~CPelagornSender() = default;
    // True when the message was sent. `hit` is read only for ItemHit.
    virtual bool Send(PelagornRequest request, uint8_t kind, uint16_t machineNo,
                      const CPelagornItemHit& hit) = 0;
};

// Sends through the program's protocol client as it is at the time of sending; refuses while
// there is none.
class CPelagornNetSender : public CPelagornSender {
public:
    bool Send(PelagornRequest request, uint8_t kind, uint16_t machineNo,
              const CPelagornItemHit& hit) override;
};
