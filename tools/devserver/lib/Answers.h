#pragma once
// Bodies of the server's answers, laid out field by field (id first). Written from the message
// tables, independently of the client's readers.

#include <array>
#include <cstdint>
#include <string_view>

#include "ByteBuilder.h"

namespace devserver::answers {

// One seat of the machine table. Game types 1 and 3 carry credit, win and score; 2 and 4 credit and
// score; any other type (0 = empty seat) carries nothing after the type byte.
struct MachineRow {
    uint8_t gameType = 0;
    uint16_t number = 0;
    uint32_t credit = 0;
    uint32_t win = 0;
    uint32_t score = 0;
};
using MachineTable = std::array<MachineRow, 4>;

void AppendMachineTable(ByteBuilder& body, const MachineTable& machines);

Bytes VersionCheckResult(uint8_t result);  // 1; result 1 accepts the client's version
Bytes LoginResult(uint8_t code);           // 5; code 0 logs the player in
Bytes UserInfo(std::u16string_view nickname, uint32_t money, uint32_t giftTickets,
               const MachineTable& machines);  // 9
Bytes MachineSelectResult(uint8_t code, uint8_t deckIndex, uint8_t gameType,
                          uint16_t machineNumber);  // 13; a non-zero code carries nothing more
Bytes CoinCharged(uint32_t money, uint8_t kind);    // 102
Bytes GiftTicketCount(uint32_t giftTickets);        // 103
Bytes Notice(std::u16string_view text);             // 126
Bytes PingEcho(float seconds);                      // 1001

}  // namespace devserver::answers
