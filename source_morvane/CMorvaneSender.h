#pragma once
// The requests the Morvane game sends, each with its machine key. The network sender forwards
// them to the protocol client; tests record them.

#include <cstdint>

#include "MessageIds.h"

class NetworkClient;

enum class MorvaneRequest : uint16_t {
    Enter = netmsg::MsgMorvaneEnter,
    CoinIn = netmsg::MsgMorvaneCoinIn,
    SpinData = netmsg::MsgMorvaneSpinData,
    SpinEnd = netmsg::MsgMorvaneSpinEnd,  // with one byte 0
    TicketOut = netmsg::MsgMorvaneTicketOut,
    DoubleUp = netmsg::MsgMorvane29,
    PerformanceValue = netmsg::MsgMorvanePerformanceValue,  // through SendPerformanceValue
    PerformanceEnd = netmsg::MsgMorvanePerformanceEnd,
    SpinDone = netmsg::MsgMorvaneSpinDone,
    GameFin = netmsg::MsgMorvaneGameFin,
};

class CMorvaneSender {
public:
    virtual ~CMorvaneSender() = default;
    // True when the message was sent.
    virtual bool Send(MorvaneRequest request, uint8_t kind, uint16_t machineNo) = 0;
    // Id 30: the double-up stage and the player's choice (1 first button, 0 second).
    virtual bool SendPerformanceValue(uint8_t kind, uint16_t machineNo, uint32_t stage,
                                      uint8_t choice) = 0;
};

// Sends through a protocol client (borrowed); refuses while there is none.
class CMorvaneNetSender : public CMorvaneSender {
public:
    explicit CMorvaneNetSender(NetworkClient* client) : m_pClient(client) {}
    bool Send(MorvaneRequest request, uint8_t kind, uint16_t machineNo) override;
    bool SendPerformanceValue(uint8_t kind, uint16_t machineNo, uint32_t stage,
                              uint8_t choice) override;

private:
    NetworkClient* m_pClient;
};
