#include "GameFactory.h"

namespace {
GameCreator g_Creators[5] = {};  // by game type 1..4
}

bool RegisterGameType(int32_t nType, GameCreator pCreator)
{
    if (nType < 1 || nType > 4)
        return false;
    g_Creators[nType] = pCreator;
    return true;
}

GameCreator FindGameCreator(int32_t nType)
{
    return nType >= 1 && nType <= 4 ? g_Creators[nType] : nullptr;
}

void ClearGameTypes()
{
    for (GameCreator& creator : g_Creators)
        creator = nullptr;
}
