#include "MessageNames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace devserver {

namespace {

using Entry = std::pair<uint16_t, const char*>;

// Ids 14..43 are the games' families; the same name serves the request and its answer.
constexpr std::array kGameMessages = std::to_array<Entry>({
    {14, "MsgJixEnter"}, {15, "MsgJixCoinIn"}, {16, "MsgJixPlayStart"}, {17, "MsgJixBonus"},
    {18, "MsgJixSpinData"}, {19, "MsgJixSpinEnd"}, {20, "MsgJixTicketOut"}, {21, "MsgJixAction"},
    {22, "MsgJixGameFin"}, {23, "MsgMorvaneEnter"}, {24, "MsgMorvaneCoinIn"},
    {25, "MsgMorvaneSpinData"}, {26, "MsgMorvaneSpinEnd"}, {27, "MsgMorvaneTicketOut"},
    {28, "MsgMorvane28"}, {29, "MsgMorvane29"}, {30, "MsgMorvanePerformanceValue"},
    {31, "MsgMorvanePerformanceEnd"}, {32, "MsgMorvaneSpinDone"}, {33, "MsgMorvaneGameFin"},
    {34, "MsgPelagornEnter"}, {35, "MsgPelagornCoinIn"}, {36, "MsgPelagorn36"},
    {37, "MsgPelagorn37"}, {38, "MsgPelagornSpinData"}, {39, "MsgPelagorn39"},
    {40, "MsgPelagornSpinEnd"}, {41, "MsgPelagornTicketOut"}, {42, "MsgPelagorn42"},
    {43, "MsgPelagornGameFin"},
});

constexpr std::array kRequests = std::to_array<Entry>({
    {0, "MsgVersionCheck"}, {4, "MsgLogin"}, {8, "MsgUserInfoRequest"},
    {10, "MsgChannelInfoRequest"}, {12, "MsgMachineSelect"}, {99, "MsgLobbyEnter"},
    {100, "MsgChat"}, {104, "MsgChargeRequest"}, {106, "MsgExchangeRequest"},
    {108, "MsgDeckSwap"}, {110, "MsgGiftTicket"}, {115, "MsgReserveInfoRequest"},
    {117, "MsgReserveStatusRequest"}, {119, "MsgReserveMachine"},
    {121, "MsgMachineLogRequest"}, {123, "MsgStaffCall"}, {1001, "MsgPing"},
});

constexpr std::array kAnswers = std::to_array<Entry>({
    {1, "MsgVersionCheckResult"}, {5, "MsgLoginResult"}, {9, "MsgUserInfo"},
    {11, "MsgChannelInfo"}, {13, "MsgMachineSelectResult"}, {101, "MsgChatLine"},
    {102, "MsgCoinCharged"}, {103, "MsgGiftTicketCount"}, {105, "MsgChargeRequestResult"},
    {107, "MsgExchangeRequestResult"}, {108, "MsgDeckSwap"}, {109, "MsgMachineRemove"},
    {110, "MsgGiftTicket"}, {111, "MsgPrizeNoticeA"}, {112, "MsgPrizeNoticeB"},
    {113, "MsgPrizeNoticeC"}, {114, "MsgUserEnterLeave"}, {116, "MsgReserveInfo"},
    {118, "MsgReserveStatus"}, {120, "MsgReserveResult"}, {122, "MsgMachineLog"},
    {124, "MsgStaffCallResult"}, {125, "MsgMachineRelease"}, {126, "MsgNotice"},
    {127, "MsgNoticeList"}, {128, "MsgExchangeDone"}, {129, "MsgChargeRefused"},
    {1001, "MsgPing"},
});

// Game ids that only one side sends.
bool GameIdGoesThisWay(uint16_t id, Direction direction)
{
    if (direction == Direction::FromClient)
        return id != 28;
    return id != 21 && id != 31 && id != 32 && id != 42;
}

template <size_t N>
const char* Find(const std::array<Entry, N>& table, uint16_t id)
{
    const auto it = std::find_if(table.begin(), table.end(), [id](const Entry& e) { return e.first == id; });
    return it == table.end() ? nullptr : it->second;
}

}  // namespace

const char* MessageName(uint16_t id, Direction direction)
{
    if (const char* name = Find(kGameMessages, id))
        return GameIdGoesThisWay(id, direction) ? name : "unknown";
    const char* name = direction == Direction::FromClient ? Find(kRequests, id) : Find(kAnswers, id);
    return name ? name : "unknown";
}

std::string DescribeId(uint16_t id, Direction direction)
{
    return std::to_string(id) + " " + MessageName(id, direction);
}

}  // namespace devserver
