#pragma once
// The games' creator table: the application creates a hosted game by its game type without
// depending on the game libraries. The program registers each game's creator at start; tests
// register their own.

#include <cstdint>

class CGameBase;
class CGameDeck;

using GameCreator = CGameBase* (*)(CGameDeck* pDeck, int32_t nMachineNo, bool bDemo);

// Installs (or, with null, removes) the creator of a game type. Types outside 1..4 are refused.
bool RegisterGameType(int32_t nType, GameCreator pCreator);
// The creator of a type, null when none is registered.
GameCreator FindGameCreator(int32_t nType);
// Removes every creator.
void ClearGameTypes();
