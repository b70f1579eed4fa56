#pragma once
// Message ids: the first 16-bit field of every body. A game message's request and its answer share
// one id; ids the server never sends (the requests) have no case in the dispatcher.
// This is the one table of ids: the games' request enums (JixRequest, MorvaneRequest,
// PelagornRequest) are built from it. Where the protocol gives a game message only its number,
// the comment names what it carries and the name the game uses for it.

#include <cstdint>

namespace netmsg {

enum MessageId : uint16_t {
    // Login and lobby.
    MsgVersionCheck = 0,
    MsgVersionCheckResult = 1,
    MsgLogin = 4,
    MsgLoginResult = 5,
    MsgUserInfoRequest = 8,
    MsgUserInfo = 9,
    MsgChannelInfoRequest = 10,
    MsgChannelInfo = 11,
    MsgMachineSelect = 12,
    MsgMachineSelectResult = 13,

    // Jix.
    MsgJixEnter = 14,
    MsgJixCoinIn = 15,
    MsgJixPlayStart = 16,
    MsgJixBonus = 17,
    MsgJixSpinData = 18,
    MsgJixSpinEnd = 19,
    MsgJixTicketOut = 20,
    MsgJixAction = 21,
    MsgJixGameFin = 22,

    // Morvane.
    MsgMorvaneEnter = 23,
    MsgMorvaneCoinIn = 24,
    MsgMorvaneSpinData = 25,
    MsgMorvaneSpinEnd = 26,
    MsgMorvaneTicketOut = 27,
    MsgMorvane28 = 28,  // answer only: one byte, read and ignored
    MsgMorvane29 = 29,  // double-up request (MorvaneRequest::DoubleUp); its answer is ignored
    MsgMorvanePerformanceValue = 30,
    MsgMorvanePerformanceEnd = 31,
    MsgMorvaneSpinDone = 32,
    MsgMorvaneGameFin = 33,

    // Pelagorn.
    MsgPelagornEnter = 34,
    MsgPelagornCoinIn = 35,
    MsgPelagorn36 = 36,  // coin drop (PelagornRequest::CoinDrop, CPelagornProbClient::OnCoinDrop)
    MsgPelagorn37 = 37,  // item hit (PelagornRequest::ItemHit, CPelagornProbClient::OnItemHit)
    MsgPelagornSpinData = 38,
    MsgPelagorn39 = 39,  // spin result (PelagornRequest::Result, CPelagornProbClient::OnSpinResult)
    MsgPelagornSpinEnd = 40,
    MsgPelagornTicketOut = 41,
    MsgPelagorn42 = 42,  // reels stopped (PelagornRequest::ReelsStopped); no answer
    MsgPelagornGameFin = 43,

    // Lobby, money, reservation and notices.
    MsgLobbyEnter = 99,
    MsgChat = 100,
    MsgChatLine = 101,
    MsgCoinCharged = 102,
    MsgGiftTicketCount = 103,
    MsgChargeRequest = 104,
    MsgChargeRequestResult = 105,
    MsgExchangeRequest = 106,
    MsgExchangeRequestResult = 107,
    MsgDeckSwap = 108,
    MsgMachineRemove = 109,
    MsgGiftTicket = 110,
    MsgPrizeNoticeA = 111,
    MsgPrizeNoticeB = 112,
    MsgPrizeNoticeC = 113,
    MsgUserEnterLeave = 114,
    MsgReserveInfoRequest = 115,
    MsgReserveInfo = 116,
    MsgReserveStatusRequest = 117,
    MsgReserveStatus = 118,
    MsgReserveMachine = 119,
    MsgReserveResult = 120,
    MsgMachineLogRequest = 121,
    MsgMachineLog = 122,
    MsgStaffCall = 123,
    MsgStaffCallResult = 124,
    MsgMachineRelease = 125,
    MsgNotice = 126,
    MsgNoticeList = 127,
    MsgExchangeDone = 128,
    MsgChargeRefused = 129,

    // Keep-alive: the client's time stamp, echoed by the server.
    MsgPing = 1001,
};

// The games' message families, by id range.
inline constexpr uint16_t kJixFirst = MsgJixEnter;
inline constexpr uint16_t kJixLast = MsgJixGameFin;
inline constexpr uint16_t kMorvaneFirst = MsgMorvaneEnter;
inline constexpr uint16_t kMorvaneLast = MsgMorvaneGameFin;
inline constexpr uint16_t kPelagornFirst = MsgPelagornEnter;
inline constexpr uint16_t kPelagornLast = MsgPelagornGameFin;

}  // namespace netmsg
