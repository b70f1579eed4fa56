#include "PlayMachineKey.h"

namespace devserver {

MachineKey ReadMachineKey(BodyReader& r)
{
    MachineKey key;
    key.gameType = r.U8();
    key.number = r.U16();
    return key;
}

answers::MachineRow* FindMachine(PlaySession& s, const MachineKey& key)
{
    for (answers::MachineRow& row : s.state.machines)
        if (row.gameType == key.gameType && row.number == key.number && key.number != 0)
            return &row;
    return nullptr;
}

ByteBuilder KeyedAnswer(uint16_t id, const MachineKey& key)
{
    ByteBuilder body;
    body.U16(id).U8(key.gameType).U16(key.number);
    return body;
}

void AnswerCoinIn(PlaySession& s, const MachineKey& key, answers::MachineRow* row,
                  uint16_t answerId)
{
    constexpr uint32_t kCoinInCredit = 10000;
    const bool ok = row && s.state.money >= kCoinInCredit;
    if (ok) {
        s.state.money -= kCoinInCredit;
        row->credit += kCoinInCredit;
    }
    ByteBuilder body;
    body.U16(answerId).U8(ok ? 0 : 1).U32(s.state.money).U8(key.gameType).U16(key.number);
    if (ok)
        body.U32(row->credit);
    s.Send(body.Take());
}

void AnswerCoinIn(PlaySession& s, BodyReader& r, uint16_t answerId)
{
    const MachineKey key = ReadMachineKey(r);
    AnswerCoinIn(s, key, FindMachine(s, key), answerId);
}

}  // namespace devserver
