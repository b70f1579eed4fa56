// The play mode's lobby answers: any ID and password log in; the player gets a nickname, money and
// gift tickets; channel lists, machine selection, chat echo, money and gift-ticket exchanges,
// reservations, machine logs, staff calls and notices answer as a small real server would.
#include "PlayAnswers.h"

#include <chrono>
#include <thread>

#include "MessageIds.h"
#include "Utf16.h"

namespace devserver {

namespace {

constexpr uint32_t kStartMoney = 1000000;
constexpr uint32_t kStartGiftTickets = 3;
constexpr uint32_t kMoneyPerGiftTicket = 1000;

Bytes MachineTableAnswer(uint16_t id, const answers::MachineTable& machines)
{
    ByteBuilder body;
    body.U16(id);
    answers::AppendMachineTable(body, machines);
    return body.Take();
}

void Login(PlaySession& s, BodyReader& r)
{
    s.state.userId = r.Chars(16);
    r.Chars(16);  // any password
    s.state.nickname = std::u16string(u"플레이어 ") + Utf8ToUtf16(s.state.userId);
    s.state.money = kStartMoney;
    s.state.giftTickets = kStartGiftTickets;
    s.state.loggedIn = true;
    s.Log("login of '" + s.state.userId + "' accepted");
    s.Send(answers::LoginResult(0));
}

// Machines per game type's list: types 1 and 2 fill 20 and 21 channels of 50 (the last with one
// machine), types 3 and 4 a few channels. Every fifth machine is taken, and so is each the player
// holds.
uint16_t MachineCount(uint8_t gameType)
{
    switch (gameType) {
    case 1:
        return 1000;
    case 2:
        return 1001;
    case 3:
        return 100;
    case 4:
        return 150;
    default:
        return 0;
    }
}

bool Holds(const PlayState& state, uint8_t gameType, uint16_t number)
{
    for (const answers::MachineRow& row : state.machines)
        if (row.gameType == gameType && row.number == number)
            return true;
    return false;
}

void ChannelInfo(PlaySession& s, BodyReader& r)
{
    const uint8_t gameType = r.U8();
    const uint16_t count = MachineCount(gameType);
    ByteBuilder body;
    body.U16(netmsg::MsgChannelInfo).U8(gameType).U16(count);
    for (uint16_t n = 1; n <= count; ++n)
        body.U16(n).U8(n % 5 == 0 || Holds(s.state, gameType, n) ? 0 : 1);
    s.Send(body.Take());
}

void MachineSelect(PlaySession& s, BodyReader& r)
{
    const uint8_t deck = r.U8();
    const uint8_t gameType = r.U8();
    const uint16_t number = r.U16();
    if (deck > 3 || gameType < 1 || gameType > 4 || number == 0) {
        s.Send(answers::MachineSelectResult(1, 0, 0, 0));
        return;
    }
    s.state.machines[deck] = answers::MachineRow{gameType, number, 0, 0, 0};
    s.Send(answers::MachineSelectResult(0, deck, gameType, number));
}

void Chat(PlaySession& s, BodyReader& r)
{
    const uint8_t kind = r.U8();
    const std::u16string text = r.WStr();
    if (kind != 0) {
        s.Log("inquiry received");
        return;
    }
    s.Send(ByteBuilder()
               .U16(netmsg::MsgChatLine)
               .U8(0)
               .U8(0)
               .WStr(s.state.nickname)
               .WStr(text)
               .Take());
}

void Charge(PlaySession& s, BodyReader& r)
{
    const uint32_t amount = r.U32();
    s.Send(ByteBuilder().U16(netmsg::MsgChargeRequestResult).U8(0).Take());
    s.state.money += amount;
    s.Send(answers::CoinCharged(s.state.money, 0));
}

void Exchange(PlaySession& s, BodyReader& r)
{
    const uint32_t amount = r.U32();
    if (amount == 0 || amount > s.state.money) {
        s.Send(ByteBuilder().U16(netmsg::MsgExchangeRequestResult).U8(1).Take());
        return;
    }
    s.state.money -= amount;
    s.Send(ByteBuilder().U16(netmsg::MsgExchangeRequestResult).U8(0).U32(s.state.money).Take());
    s.Send(ByteBuilder().U16(netmsg::MsgExchangeDone).U32(amount).Take());
}

void DeckSwap(PlaySession& s, BodyReader& r)
{
    const uint8_t a = r.U8();
    const uint8_t b = r.U8();
    if (a < 4 && b < 4)
        std::swap(s.state.machines[a], s.state.machines[b]);
    s.Send(MachineTableAnswer(netmsg::MsgDeckSwap, s.state.machines));
}

void GiftTicket(PlaySession& s, BodyReader& r)
{
    const uint8_t sub = r.U8();
    if (sub == 0) {
        s.Send(ByteBuilder()
                   .U16(netmsg::MsgGiftTicket)
                   .U8(0)
                   .U8(0)
                   .F32(0.1f)
                   .U32(s.state.giftTickets)
                   .U32(0)
                   .U32(kMoneyPerGiftTicket)
                   .Take());
        return;
    }
    const uint32_t count = r.U32();
    if (count == 0 || count > s.state.giftTickets) {
        s.Send(ByteBuilder().U16(netmsg::MsgGiftTicket).U8(1).Take());
        return;
    }
    s.state.giftTickets -= count;
    s.state.money += count * kMoneyPerGiftTicket;
    s.Send(ByteBuilder()
               .U16(netmsg::MsgGiftTicket)
               .U8(0)
               .U8(1)
               .U32(s.state.money)
               .U32(s.state.giftTickets)
               .U32(count)
               .U32(count * kMoneyPerGiftTicket)
               .Take());
}

void ReserveInfo(PlaySession& s, BodyReader&)
{
    ByteBuilder body;
    body.U16(netmsg::MsgReserveInfo).U8(1).U16(2026).U8(12).U8(10).U8(20).U8(0).U16(2);
    for (const answers::MachineRow& row : s.state.machines) {
        body.U16(row.number);
        if (row.number > 0)
            body.U8(row.gameType);
    }
    s.Send(body.Take());
}

void ReserveStatus(PlaySession& s, BodyReader&)
{
    s.Send(ByteBuilder().U16(netmsg::MsgReserveStatus).U16(24).U8(0).Take());
}

void ReserveMachine(PlaySession& s, BodyReader& r)
{
    const uint16_t hours = r.U16();
    ByteBuilder body;
    body.U16(netmsg::MsgReserveResult).U8(1);
    for (const answers::MachineRow& row : s.state.machines) {
        const uint16_t number = r.U8() ? row.number : 0;
        body.U16(number);
        if (number > 0)
            body.U8(1);
    }
    body.U16(hours);
    s.Send(body.Take());
}

void MachineLog(PlaySession& s, BodyReader&)
{
    ByteBuilder body;
    body.U16(netmsg::MsgMachineLog);
    for (const answers::MachineRow& row : s.state.machines) {
        body.U8(row.gameType);
        if (row.gameType == 0)
            continue;
        body.U16(row.number).U8(1).U8(12).U8(10).U8(19).U8(30).U8(1).U32(1000).U32(0);
    }
    // The game log: one win of every machine held, the last of them a jackpot of kind 3.
    uint8_t held = 0;
    for (const answers::MachineRow& row : s.state.machines)
        held = static_cast<uint8_t>(held + (row.gameType != 0 ? 1 : 0));
    body.U8(held);
    uint8_t written = 0;
    for (const answers::MachineRow& row : s.state.machines) {
        if (row.gameType == 0)
            continue;
        ++written;
        body.U8(row.gameType)
            .U16(row.number)
            .U8(12)
            .U8(10)
            .U8(19)
            .U8(30)
            .U8(1)
            .U32(1000)
            .U32(written == held ? 3 : 0);
    }
    s.Send(body.Take());
}

void LobbyEnter(PlaySession& s, BodyReader&)
{
    ByteBuilder list;
    list.U16(netmsg::MsgNoticeList)
        .U8(2)
        .WStr(std::u16string(u"개발 서버에 오신 것을 환영합니다."))
        .WStr(std::u16string(u"모든 게임은 연습용입니다."));
    s.Send(list.Take());
    s.Send(answers::Notice(std::u16string(u"어서 오세요, ") + s.state.nickname));
}

}  // namespace

void HoldMachineSelect(PlayAnswers& a, uint32_t milliseconds)
{
    a.On(netmsg::MsgMachineSelect, [milliseconds](PlaySession& s, BodyReader& r) {
        s.Log("holding answer 13 for " + std::to_string(milliseconds) + " ms");
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        MachineSelect(s, r);
    });
}

void AddLobbyAnswers(PlayAnswers& a)
{
    a.On(netmsg::MsgLogin, Login);
    a.On(netmsg::MsgVersionCheck,
         [](PlaySession& s, BodyReader&) { s.Send(answers::VersionCheckResult(1)); });
    a.On(netmsg::MsgUserInfoRequest, [](PlaySession& s, BodyReader&) {
        s.Send(answers::UserInfo(s.state.nickname, s.state.money, s.state.giftTickets,
                                 s.state.machines));
    });
    a.On(netmsg::MsgChannelInfoRequest, ChannelInfo);
    a.On(netmsg::MsgMachineSelect, MachineSelect);
    a.On(netmsg::MsgLobbyEnter, LobbyEnter);
    a.On(netmsg::MsgChat, Chat);
    a.On(netmsg::MsgChargeRequest, Charge);
    a.On(netmsg::MsgExchangeRequest, Exchange);
    a.On(netmsg::MsgDeckSwap, DeckSwap);
    a.On(netmsg::MsgGiftTicket, GiftTicket);
    a.On(netmsg::MsgReserveInfoRequest, ReserveInfo);
    a.On(netmsg::MsgReserveStatusRequest, ReserveStatus);
    a.On(netmsg::MsgReserveMachine, ReserveMachine);
    a.On(netmsg::MsgMachineLogRequest, MachineLog);
    a.On(netmsg::MsgStaffCall, [](PlaySession& s, BodyReader&) {
        s.Send(ByteBuilder().U16(netmsg::MsgStaffCallResult).U8(1).Take());
    });
    a.On(netmsg::MsgPing,
         [](PlaySession& s, BodyReader& r) { s.Send(answers::PingEcho(r.F32())); });
}

}  // namespace devserver
