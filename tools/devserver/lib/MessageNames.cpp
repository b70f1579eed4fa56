#include "MessageNames.h"

#include <algorithm>
#include <array>
#include <utility>

#include "MessageIds.h"

namespace devserver {

namespace {

using Entry = std::pair<uint16_t, const char*>;

// One entry of the network layer's table: its id and its name.
// clang-format off
#define MSG(name) Entry{netmsg::name, #name}
// clang-format on

// Ids 14..43 are the games' families; the same name serves the request and its answer.
constexpr std::array kGameMessages = std::to_array<Entry>({
    MSG(MsgJixEnter),
    MSG(MsgJixCoinIn),
    MSG(MsgJixPlayStart),
    MSG(MsgJixBonus),
    MSG(MsgJixSpinData),
    MSG(MsgJixSpinEnd),
    MSG(MsgJixTicketOut),
    MSG(MsgJixAction),
    MSG(MsgJixGameFin),
    MSG(MsgMorvaneEnter),
    MSG(MsgMorvaneCoinIn),
    MSG(MsgMorvaneSpinData),
    MSG(MsgMorvaneSpinEnd),
    MSG(MsgMorvaneTicketOut),
    MSG(MsgMorvane28),
    MSG(MsgMorvane29),
    MSG(MsgMorvanePerformanceValue),
    MSG(MsgMorvanePerformanceEnd),
    MSG(MsgMorvaneSpinDone),
    MSG(MsgMorvaneGameFin),
    MSG(MsgPelagornEnter),
    MSG(MsgPelagornCoinIn),
    MSG(MsgPelagorn36),
    MSG(MsgPelagorn37),
    MSG(MsgPelagornSpinData),
    MSG(MsgPelagorn39),
    MSG(MsgPelagornSpinEnd),
    MSG(MsgPelagornTicketOut),
    MSG(MsgPelagorn42),
    MSG(MsgPelagornGameFin),
});

constexpr std::array kRequests = std::to_array<Entry>({
    MSG(MsgVersionCheck),
    MSG(MsgLogin),
    MSG(MsgUserInfoRequest),
    MSG(MsgChannelInfoRequest),
    MSG(MsgMachineSelect),
    MSG(MsgLobbyEnter),
    MSG(MsgChat),
    MSG(MsgChargeRequest),
    MSG(MsgExchangeRequest),
    MSG(MsgDeckSwap),
    MSG(MsgGiftTicket),
    MSG(MsgReserveInfoRequest),
    MSG(MsgReserveStatusRequest),
    MSG(MsgReserveMachine),
    MSG(MsgMachineLogRequest),
    MSG(MsgStaffCall),
    MSG(MsgPing),
});

constexpr std::array kAnswers = std::to_array<Entry>({
    MSG(MsgVersionCheckResult),
    MSG(MsgLoginResult),
    MSG(MsgUserInfo),
    MSG(MsgChannelInfo),
    MSG(MsgMachineSelectResult),
    MSG(MsgChatLine),
    MSG(MsgCoinCharged),
    MSG(MsgGiftTicketCount),
    MSG(MsgChargeRequestResult),
    MSG(MsgExchangeRequestResult),
    MSG(MsgDeckSwap),
    MSG(MsgMachineRemove),
    MSG(MsgGiftTicket),
    MSG(MsgPrizeNoticeA),
    MSG(MsgPrizeNoticeB),
    MSG(MsgPrizeNoticeC),
    MSG(MsgUserEnterLeave),
    MSG(MsgReserveInfo),
    MSG(MsgReserveStatus),
    MSG(MsgReserveResult),
    MSG(MsgMachineLog),
    MSG(MsgStaffCallResult),
    MSG(MsgMachineRelease),
    MSG(MsgNotice),
    MSG(MsgNoticeList),
    MSG(MsgExchangeDone),
    MSG(MsgChargeRefused),
    MSG(MsgPing),
});

#undef MSG

// Game ids that only one side sends.
bool GameIdGoesThisWay(uint16_t id, Direction direction)
{
    if (direction == Direction::FromClient)
        return id != netmsg::MsgMorvane28;
    return id != netmsg::MsgJixAction && id != netmsg::MsgMorvanePerformanceEnd &&
           id != netmsg::MsgMorvaneSpinDone && id != netmsg::MsgPelagorn42;
}

template <size_t N>
const char* Find(const std::array<Entry, N>& table, uint16_t id)
{
    const auto it =
        std::find_if(table.begin(), table.end(), [id](const Entry& e) { return e.first == id; });
    return it == table.end() ? nullptr : it->second;
}

}  // namespace

const char* MessageName(uint16_t id, Direction direction)
{
    if (const char* name = Find(kGameMessages, id))
        return GameIdGoesThisWay(id, direction) ? name : "unknown";
    const char* name =
        direction == Direction::FromClient ? Find(kRequests, id) : Find(kAnswers, id);
    return name ? name : "unknown";
}

std::string DescribeId(uint16_t id, Direction direction)
{
    return std::to_string(id) + " " + MessageName(id, direction);
}

}  // namespace devserver
