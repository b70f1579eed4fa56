#pragma once
// Names of prize symbols, jackpot kinds and the third game's characters, as the lobby's prize and
// notice lines show them (CP949). Any kind without a name gives "".

const char* GetMorvaneSymbolName(int kind);
const char* GetPelagornSymbolName(int kind);
const char* GetJackpotKindName(int kind);
const char* GetJixCharacterName(int kind);
// By game type: 1 the Jix characters, 2 and 4 the Morvane symbols, 3 the Pelagorn symbols.
const char* GetPrizeSymbolName(int gameType, int kind);
