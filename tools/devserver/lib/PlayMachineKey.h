#pragma once
// The machine key that leads every game request and answer (game type, machine number), and the
// player's machine row it names.
#include <cstdint>

#include "Answers.h"
#include "ByteBuilder.h"
#include "PlayAnswers.h"

namespace devserver {

struct MachineKey {
    uint8_t gameType = 0;
    uint16_t number = 0;
};

MachineKey ReadMachineKey(BodyReader& r);
// The player's row holding the machine; null for machine 0 or a machine the player has not selected.
answers::MachineRow* FindMachine(PlaySession& s, const MachineKey& key);
// An answer's start: its id and the key.
ByteBuilder KeyedAnswer(uint16_t id, const MachineKey& key);

}  // namespace devserver
