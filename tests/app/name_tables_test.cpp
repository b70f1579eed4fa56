// The prize, jackpot and character names the lobby's prize and notice lines show.
#include <gtest/gtest.h>

#include <string>

#include "NameTables.h"

namespace {

TEST(NameTablesTest, PrizeNamesByGameTypeAndKind)
{
    struct Case {
        int gameType, kind;
        const char* name;
    };
    const Case cases[] = {
        {2, 10, "불꽃"}, {4, 13, "큰불"}, {2, 14, ""},   {3, 20, "상어"},
        {3, 22, "여신"}, {3, 10, ""},     {1, 1, "Jix"}, {1, 5, ""},
        {0, 10, ""},     {5, 20, ""},     {2, 20, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(GetPrizeSymbolName(c.gameType, c.kind)), c.name)
            << c.gameType << "/" << c.kind;
    for (int kind = 2; kind <= 4; ++kind)
        EXPECT_STRNE(GetJixCharacterName(kind), "") << kind;
}

TEST(NameTablesTest, JackpotKinds)
{
    const char* expected[] = {"", "바닥", "보너스", "이벤트", "휘바", "열쇠", "Morvane", ""};
    for (int kind = 0; kind <= 7; ++kind)
        EXPECT_EQ(std::string(GetJackpotKindName(kind)), expected[kind]) << kind;
}

}  // namespace
