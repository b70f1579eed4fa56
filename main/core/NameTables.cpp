#include "NameTables.h"

namespace {

struct Name {
    int kind;
    const char* text;
};

template <int N>
const char* Find(const Name (&table)[N], int kind)
{
    for (const Name& n : table)
        if (n.kind == kind)
            return n.text;
    return "";
}

const Name kMorvaneSymbols[] = {{10, "불꽃"}, {11, "백마"}, {12, "양탄자"}, {13, "큰불"}};
const Name kPelagornSymbols[] = {{20, "상어"}, {21, "불새"}, {22, "여신"}};
const Name kJackpotKinds[] = {{1, "바닥"}, {2, "보너스"}, {3, "이벤트"},
                              {4, "휘바"}, {5, "열쇠"},   {6, "Morvane"}};
// The title character, then the game's three other characters.
const Name kJixCharacters[] = {{1, "Jix"}, {2, "루미"}, {3, "토토"}, {4, "바루"}};

}  // namespace

const char* GetMorvaneSymbolName(int kind)
{
    return Find(kMorvaneSymbols, kind);
}
const char* GetPelagornSymbolName(int kind)
{
    return Find(kPelagornSymbols, kind);
}
const char* GetJackpotKindName(int kind)
{
    return Find(kJackpotKinds, kind);
}
const char* GetJixCharacterName(int kind)
{
    return Find(kJixCharacters, kind);
}

const char* GetPrizeSymbolName(int gameType, int kind)
{
    switch (gameType) {
    case 1:
        return GetJixCharacterName(kind);
    case 2:
    case 4:
        return GetMorvaneSymbolName(kind);
    case 3:
        return GetPelagornSymbolName(kind);
    default:
        return "";
    }
}
