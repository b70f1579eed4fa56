// The play mode's Jix answers (messages 14 to 22) for machines the player selected. A coin-in puts
// 10000 of the player's money on the machine; a play start costs 100 and grants one spin, and a
// bonus of an odd level one more (levels 4 and 6 add 100 to the score); every second spin a
// machine serves wins 20000 (which also calls for gift tickets), the others win nothing; a ticket
// takes 5000 off the score. The win is booked when the spin data goes out.
#include "MessageIds.h"
#include "PlayAnswers.h"
#include "PlayMachineKey.h"

#include <algorithm>
#include <array>

namespace devserver {

namespace {

constexpr uint32_t kPlayCost = 100;
constexpr uint32_t kWin = 20000;
constexpr uint32_t kScoreCap = 20000;
constexpr uint32_t kTicketScore = 5000;
constexpr size_t kSpinValues = 45;  // the 180-byte block: 45 little-endian 32-bit values

// The player's Jix machine of the key; logs a key of no selected Jix machine.
answers::MachineRow* FindJixMachine(PlaySession& s, const MachineKey& key)
{
    if (key.gameType == 1)
        if (answers::MachineRow* row = FindMachine(s, key))
            return row;
    s.Log("Jix machine " + std::to_string(key.number) + " was not selected; no answer");
    return nullptr;
}

ByteBuilder& AppendMeters(ByteBuilder& body, const answers::MachineRow& row)
{
    return body.U32(row.credit).U32(row.win).U32(row.score);
}

// Offsets (in values) of the block fields the answers set.
enum SpinField : size_t {
    WinSum = 0,
    TotalWin = 2,
    BigWinFlag = 3,
    ScoreAfterWin = 4,
    ReelStop0 = 6,
    ShownWin = 10,
    PendingWin = 11,
    SavedScore = 12,
    PresentationLength = 13,
    Win1 = 19,
};

Bytes SpinBlock(bool win, uint32_t scoreBefore, uint32_t scoreAfter)
{
    std::array<uint32_t, kSpinValues> values{};
    const uint32_t stops[4] = {3, 8, 12, 20};
    for (size_t r = 0; r < 4; ++r)
        values[ReelStop0 + r] = stops[r];
    if (win) {
        values[WinSum] = kWin;
        values[TotalWin] = kWin;
        values[BigWinFlag] = 1;
        values[ScoreAfterWin] = scoreAfter;
        values[ShownWin] = kWin;
        values[PendingWin] = kWin;
        values[SavedScore] = scoreBefore;
        values[PresentationLength] = 1060;
        values[Win1] = kWin;
    }
    ByteBuilder block;
    for (uint32_t v : values)
        block.U32(v);
    return block.Take();
}

void Enter(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    if (answers::MachineRow* row = FindJixMachine(s, key)) {
        ByteBuilder body = KeyedAnswer(netmsg::MsgJixEnter, key);
        s.Send(AppendMeters(body, *row).Raw(SpinBlock(false, 0, 0)).Take());
    }
}

void CoinIn(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    if (answers::MachineRow* row = FindJixMachine(s, key))
        AnswerCoinIn(s, key, row, netmsg::MsgJixCoinIn);
}

void PlayStart(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindJixMachine(s, key);
    if (!row)
        return;
    ByteBuilder body = KeyedAnswer(netmsg::MsgJixPlayStart, key);
    if (row->credit >= kPlayCost) {
        row->credit -= kPlayCost;
        row->win += 1;
        body.U8(1).U32(0);
    } else {
        body.U8(0);
    }
    s.Send(AppendMeters(body, *row).Take());
}

void Bonus(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    const uint32_t level = r.U32();
    answers::MachineRow* row = FindJixMachine(s, key);
    if (!row)
        return;
    uint32_t amount = 0;
    if (level % 2 == 1)
        row->win += 1;
    else if (level == 4 || level == 6)
        amount = 100;
    row->score = std::min(row->score + amount, kScoreCap);
    ByteBuilder body = KeyedAnswer(netmsg::MsgJixBonus, key);
    s.Send(AppendMeters(body, *row).U8(1).U32(amount).Take());
}

void SpinData(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindJixMachine(s, key);
    if (!row)
        return;
    ByteBuilder body = KeyedAnswer(netmsg::MsgJixSpinData, key);
    if (row->win == 0) {
        AppendMeters(body, *row).U8(0);
        s.Send(body.Take());
        return;
    }
    row->win -= 1;
    const bool win = ++s.state.spinsServed[key.number] % 2 == 0;
    const uint32_t before = row->score;
    if (win)
        row->score = std::min(row->score + kWin, kScoreCap);
    AppendMeters(body, *row).U8(1).Raw(SpinBlock(win, before, row->score));
    s.Send(body.Take());
}

// The spin-end and game-finish answers: accepted (1), then the meters.
PlayHandler Accepted(uint16_t answerId)
{
    return [answerId](PlaySession& s, BodyReader& r) {
        const MachineKey key = ReadMachineKey(r);
        if (answers::MachineRow* row = FindJixMachine(s, key)) {
            ByteBuilder body = KeyedAnswer(answerId, key);
            s.Send(AppendMeters(body.U8(1), *row).Take());
        }
    };
}

void TicketOut(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindJixMachine(s, key);
    if (!row)
        return;
    uint8_t result = 0;
    if (row->score >= kTicketScore) {
        row->score -= kTicketScore;
        s.state.giftTickets += 1;
        result = 1;
    }
    ByteBuilder body = KeyedAnswer(netmsg::MsgJixTicketOut, key);
    s.Send(AppendMeters(body, *row).U8(result).U32(s.state.giftTickets).Take());
}

}  // namespace

void AddJixAnswers(PlayAnswers& a)
{
    a.On(netmsg::MsgJixEnter, Enter);
    a.On(netmsg::MsgJixCoinIn, CoinIn);
    a.On(netmsg::MsgJixPlayStart, PlayStart);
    a.On(netmsg::MsgJixBonus, Bonus);
    a.On(netmsg::MsgJixSpinData, SpinData);
    a.On(netmsg::MsgJixSpinEnd, Accepted(netmsg::MsgJixSpinEnd));
    a.On(netmsg::MsgJixTicketOut, TicketOut);
    a.On(netmsg::MsgJixAction,
         [](PlaySession& s, BodyReader&) { s.Log("Jix character action noted"); });
    a.On(netmsg::MsgJixGameFin, Accepted(netmsg::MsgJixGameFin));
}

}  // namespace devserver
