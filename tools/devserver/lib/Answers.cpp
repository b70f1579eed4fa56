#include "Answers.h"
#include "MessageIds.h"

namespace devserver::answers {

void AppendMachineTable(ByteBuilder& body, const MachineTable& machines)
{
    for (const MachineRow& row : machines) {
        body.U8(row.gameType);
        if (row.gameType == 1 || row.gameType == 3)
            body.U16(row.number).U32(row.credit).U32(row.win).U32(row.score);
        else if (row.gameType == 2 || row.gameType == 4)
            body.U16(row.number).U32(row.credit).U32(row.score);
    }
}

Bytes VersionCheckResult(uint8_t result)
{
    return ByteBuilder().U16(netmsg::MsgVersionCheckResult).U8(result).Take();
}

Bytes LoginResult(uint8_t code)
{
    return ByteBuilder().U16(netmsg::MsgLoginResult).U8(code).Take();
}

Bytes UserInfo(std::u16string_view nickname, uint32_t money, uint32_t giftTickets,
               const MachineTable& machines)
{
    ByteBuilder body;
    body.U16(netmsg::MsgUserInfo).U8(0).WStr(nickname).U32(money).U32(giftTickets);
    AppendMachineTable(body, machines);
    return body.Take();
}

Bytes MachineSelectResult(uint8_t code, uint8_t deckIndex, uint8_t gameType, uint16_t machineNumber)
{
    ByteBuilder body;
    body.U16(netmsg::MsgMachineSelectResult).U8(code);
    if (code == 0)
        body.U8(deckIndex).U8(gameType).U16(machineNumber);
    return body.Take();
}

Bytes CoinCharged(uint32_t money, uint8_t kind)
{
    return ByteBuilder().U16(netmsg::MsgCoinCharged).U32(money).U8(kind).Take();
}

Bytes GiftTicketCount(uint32_t giftTickets)
{
    // The trailing byte is part of the message; the client reads and ignores it.
    return ByteBuilder().U16(netmsg::MsgGiftTicketCount).U32(giftTickets).U8(0).Take();
}

Bytes Notice(std::u16string_view text)
{
    return ByteBuilder().U16(netmsg::MsgNotice).WStr(text).Take();
}

Bytes PingEcho(float seconds)
{
    return ByteBuilder().U16(netmsg::MsgPing).F32(seconds).Take();
}

}  // namespace devserver::answers
