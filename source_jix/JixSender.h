#pragma once
// Where the Jix game's requests go. The program's sender forwards to the global protocol object;
// a test gives the game its own (a recording sender, or one over its own client).

#include <cstdint>

#include "MessageIds.h"

class NetworkClient;

// The requests the Jix game sends, by the network layer's ids.
enum class JixRequest : uint16_t {
    Enter = netmsg::MsgJixEnter,
    CoinIn = netmsg::MsgJixCoinIn,
    PlayStart = netmsg::MsgJixPlayStart,
    Bonus = netmsg::MsgJixBonus,  // carries a value
    SpinData = netmsg::MsgJixSpinData,
    SpinEnd = netmsg::MsgJixSpinEnd,
    TicketOut = netmsg::MsgJixTicketOut,
    Action = netmsg::MsgJixAction,
    GameFin = netmsg::MsgJixGameFin,
};

class CJixSender {
public:
    virtual ~CJixSender() = default;
    // Sends the request for the machine; Bonus carries dwValue. True when it went out.
    virtual bool Send(JixRequest request, uint8_t byGameType, uint16_t wMachineNo,
                      uint32_t dwValue) = 0;
};

// Forwards to a NetworkClient's Jix senders (false, nothing sent, while it is not connected); with
// no client given, to the program's (g_NetClient), false while there is none.
class CJixNetSender : public CJixSender {
public:
    explicit CJixNetSender(NetworkClient* pClient) : m_pClient(pClient) {}
    bool Send(JixRequest request, uint8_t byGameType, uint16_t wMachineNo,
              uint32_t dwValue) override;

private:
    NetworkClient* m_pClient;
};
