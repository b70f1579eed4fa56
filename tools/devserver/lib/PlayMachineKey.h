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
// The player's row holding the machine; null for machine 0 or a machine the player has not
// selected.
answers::MachineRow* FindMachine(PlaySession& s, const MachineKey& key);
// An answer's start: its id and the key.
ByteBuilder KeyedAnswer(uint16_t id, const MachineKey& key);
// The coin-in answer every game's machine gives: 10000 of the player's money onto the credit of the
// key's machine `row` when there is one and the player has the money; answered with the result
// (0 taken, 1 refused), the money, the key and, when taken, the new credit.
void AnswerCoinIn(PlaySession& s, const MachineKey& key, answers::MachineRow* row,
                  uint16_t answerId);
// The coin-in request as the Morvane (answer 24) and Pelagorn (answer 35) machines take it: for
// the player's machine of the request's key, refused for a machine the player has not selected.
void AnswerCoinIn(PlaySession& s, BodyReader& r, uint16_t answerId);

}  // namespace devserver
