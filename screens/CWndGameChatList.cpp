#include "CWndGameChatList.h"

#include <cstdio>

#include "CWndGameChat.h"
#include "CWndGameNotice.h"
#include "FormatThousands.h"
#include "NameTables.h"

namespace {

// The two Morvane kinds are told apart by their bet.
const char* KindSuffix(int gameType)
{
    switch (gameType) {
    case 2:
        return " (100)";
    case 4:
        return " (200)";
    default:
        return "";
    }
}

// The announcement's symbols of the top prize of each game.
bool IsTopSymbol(int symbol)
{
    return symbol == 1 || symbol == 13 || symbol == 22;
}

struct Amount {
    char text[32];
};

Amount AmountText(uint32_t amount)
{
    Amount a{};
    if (FormatThousands(amount, a.text, sizeof a.text) == 0 || a.text[0] == '\0')
        std::snprintf(a.text, sizeof a.text, "0");
    return a;
}

// Announcements of the prize answer by jackpot kind: the smallest amount announced, whether that
// amount itself counts for the types other than the two Morvane kinds, and the text.
struct PrizeKind {
    int kind;
    uint32_t minimum;
    bool strictForOtherTypes;
    const char* format;  // machine, name, amount[, symbol name], suffix
    bool withSymbol;
};

constexpr PrizeKind kPrizeKinds[] = {
    {1, 20000, true, "[%03d] %s님 %s점 바닥잭팟  축하드립니다.%s", false},
    {2, 20000, true, "[%03d] %s님 %s점 %s 보너스잭팟  축하드립니다.%s", true},
    {4, 20000, false, "[%03d] %s님 %s점 휘바잭팟  축하드립니다.%s", false},
    {5, 20000, false, "[%03d] %s님 %s점 열쇠잭팟 축하드립니다.%s", false},
    {6, 10000, false, "[%03d] %s님 %s점 Morvane잭팟 축하드립니다.%s", false},
};

// Chat colours by index: 5 refusals, 6 lobby notices and operator lines, 7 system lines and
// approvals, 9 players' chat.
constexpr uint32_t kChatColours[] = {
    0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
    0xFFFF6060, 0xFFFFFF80, 0xFF80FF80, 0xFFFFFFFF, 0xFFFFFFFF,
};

}  // namespace

uint32_t CWndGameChatList::TypeColour(int gameType)
{
    switch (gameType) {
    case 1:
        return 0xFF34C1FE;
    case 2:
        return 0xFF5353EE;
    case 3:
        return 0xFFE76874;
    case 4:
        return 0xFFC8C832;
    default:
        return 0;
    }
}

uint32_t CWndGameChatList::ChatColour(int index)
{
    if (index < 0 || index >= static_cast<int>(sizeof kChatColours / sizeof kChatColours[0]))
        return 0xFFFFFFFF;
    return kChatColours[index];
}

void CWndGameChatList::AddAppearMessage(const char* name, int gameType, int machineNo, int symbol)
{
    char line[256];
    std::snprintf(line, sizeof line, "[%03d] %s님 %s 출현 축하드립니다★%s", machineNo,
                  name ? name : "", GetPrizeSymbolName(gameType, symbol), KindSuffix(gameType));
    AddText(line, IsTopSymbol(symbol) ? kRed : TypeColour(gameType));
}

void CWndGameChatList::AddJackpotMessage(const char* name, int gameType, int machineNo, int symbol,
                                         uint32_t amount)
{
    if (symbol == 0)
        return;
    char line[256];
    std::snprintf(line, sizeof line, "[%03d] %s님 %s점 %s잭팟 축하드립니다.%s", machineNo,
                  name ? name : "", AmountText(amount).text, GetPrizeSymbolName(gameType, symbol),
                  KindSuffix(gameType));
    const bool biggest = IsTopSymbol(symbol) || amount > 499999;
    AddText(line, biggest ? kRed : TypeColour(gameType));
    if (!biggest || !m_pChat)
        return;
    if (CWndGameNotice* welcome = m_pChat->GetWelcomeLine()) {
        welcome->ClearPending();
        welcome->AddNotice(line);
        if (!welcome->IsVisible())
            welcome->ShowNext(false);
    }
}

void CWndGameChatList::AddPrizeMessage(const char* name, int gameType, int machineNo, int value,
                                       uint32_t amount, int jackpotKind)
{
    for (const PrizeKind& k : kPrizeKinds) {
        if (k.kind != jackpotKind)
            continue;
        const bool morvane = gameType == 2 || gameType == 4;
        const bool announced =
            (k.strictForOtherTypes && !morvane) ? amount > k.minimum : amount >= k.minimum;
        if (!announced)
            return;
        char line[256];
        const Amount text = AmountText(amount);
        if (k.withSymbol)
            std::snprintf(line, sizeof line, k.format, machineNo, name ? name : "", text.text,
                          GetPrizeSymbolName(gameType, value), KindSuffix(gameType));
        else
            std::snprintf(line, sizeof line, k.format, machineNo, name ? name : "", text.text,
                          KindSuffix(gameType));
        AddText(line, amount >= 500000 ? kRed : TypeColour(gameType));
        return;
    }
}
