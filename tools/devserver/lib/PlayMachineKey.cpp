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

}  // namespace devserver
