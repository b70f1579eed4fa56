#include "PlayMorvane.h"

#include <algorithm>
#include <string>

#include "MessageIds.h"
#include "PlayMachineKey.h"

namespace devserver {

namespace {

constexpr uint32_t kTicketUnit = 5000;
constexpr size_t kRecordSize = 200;
constexpr const char* kSpinCounter = kMorvaneSpinCounter;
constexpr const char* kCardCounter = "morvane cards";
constexpr const char* kDoubleStake = "morvane double stake";
constexpr int32_t kSmallWin = 500;  // wins up to this are offered the double-up

// The cards the double-up deals, in turn: 0..27 red, 28..55 black.
const std::array<int32_t, 8> kCards = {5, 40, 12, 33, 20, 51, 1, 30};

// Stops on reel set 0 whose other rows recognise nothing, so each record's code is the one named.
const std::array<MorvaneCannedSpin, 5> kSpins = {{
    {"loss", {3, 7, 12, 19}, 0, {0, 0, 0}, 0, 0, 0, 0, 0, 0, 0, 0},
    {"middle four 7", {5, 13, 6, 5}, 0, {0, 20000, 0}, 20000, 0, 0, 0, 0, 0, 0, 0},
    {"middle four A", {0, 1, 0, 1}, 0, {0, 3000, 0}, 3000, 0, 0, 0, 0, 0, 0, 0},
    {"fever", {3, 7, 12, 19}, 0, {0, 0, 0}, 0, 10, 10, 1, 1, 0, 0, 0},
    {"small win", {3, 7, 12, 19}, 0, {0, 300, 0}, 300, 0, 0, 0, 0, 300, 0, 0},
}};

uint8_t BetOf(uint8_t gameType)
{
    return gameType == 4 ? 200 : 100;
}

void Enter(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    const answers::MachineRow* row = FindMachine(s, key);
    ByteBuilder body = KeyedAnswer(netmsg::MsgMorvaneEnter, key);
    body.U32(row ? row->credit : 0).U32(row ? row->score : 0).Raw(MorvaneSpinRecord(kSpins[0]));
    s.Send(body.Take());
}

void SpinData(PlaySession& s, BodyReader& r)
{
    uint32_t& served = s.state.counters[kSpinCounter];
    if (ServeMorvaneSpin(s, r, kSpins[served % kSpins.size()]))
        ++served;
}

void TicketOut(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindMachine(s, key);
    const bool paid = row && row->score >= kTicketUnit;
    if (paid) {
        row->score -= kTicketUnit;
        ++s.state.giftTickets;
    }
    ByteBuilder body = KeyedAnswer(netmsg::MsgMorvaneTicketOut, key);
    body.U32(row ? row->credit : 0)
        .U32(row ? row->score : 0)
        .U8(paid ? 1 : 0)
        .U32(s.state.giftTickets);
    s.Send(body.Take());
}

void DoubleUp(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    s.Send(KeyedAnswer(netmsg::MsgMorvane29, key).U8(1).Take());
}

// One card: the player's choice 1 bets on red, 0 on black. A win doubles the stake (the score
// gains it once more), a loss takes it back from the score.
void PerformanceValue(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    const uint32_t stage = r.U32();
    const uint8_t choice = r.U8();
    answers::MachineRow* row = FindMachine(s, key);
    uint32_t& stake = s.state.counters[kDoubleStake];
    ByteBuilder body = KeyedAnswer(netmsg::MsgMorvanePerformanceValue, key);
    if (!row || stake == 0) {
        s.Send(body.U8(0).Take());
        return;
    }
    const int32_t card = kCards[s.state.counters[kCardCounter]++ % kCards.size()];
    const bool won = (card < 28) == (choice == 1);
    if (won) {
        row->score += stake;
        stake *= 2;
    } else {
        row->score -= std::min(row->score, stake);
        stake = 0;
    }
    s.Log("Morvane double-up stage " + std::to_string(stage) + (won ? ": won" : ": lost"));
    body.U8(1).U32(stage).U32(uint32_t(card)).U8(won ? 1 : 0).U32(stake);
    s.Send(body.Take());
}

void GameFin(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    const answers::MachineRow* row = FindMachine(s, key);
    ByteBuilder body = KeyedAnswer(netmsg::MsgMorvaneGameFin, key);
    body.U8(row ? 1 : 0);
    if (row)
        body.U32(row->credit).U32(row->score);
    s.Send(body.Take());
}

}  // namespace

const std::array<MorvaneCannedSpin, 5>& MorvaneCannedSpins()
{
    return kSpins;
}
const std::array<int32_t, 8>& MorvaneDoubleCards()
{
    return kCards;
}

Bytes MorvaneSpinRecord(const MorvaneCannedSpin& spin)
{
    ByteBuilder record;
    for (int32_t stop : spin.stops)
        record.I32(stop);  // 0
    for (int32_t win : spin.rowWins)
        record.I32(win);              // 16
    record.Zeros(12);                 // 28 free marks
    record.I32(0);                    // 40 smoke
    record.I32(spin.winAmount);       // 44
    record.I32(0);                    // 48 win mark
    record.I32(spin.performanceCue);  // 52
    record.Zeros(68 - 56);
    record.I32(spin.feverSpin);      // 68
    record.I32(spin.imsiFeverSpin);  // 72
    record.Zeros(80 - 76);
    record.I32(spin.feverTime);  // 80
    record.Zeros(88 - 84);
    record.I32(spin.feverStop);  // 88
    record.Zeros(128 - 92);
    record.I32(spin.captionCue);  // 128
    record.I32(0);                // 132 jackpot value
    record.I32(spin.moFever);     // 136
    record.Zeros(152 - 140);
    record.I32(spin.reelSet);  // 152
    record.Zeros(kRecordSize - 156);
    return record.Take();
}

bool ServeMorvaneSpin(PlaySession& s, BodyReader& r, const MorvaneCannedSpin& spin)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindMachine(s, key);
    const bool granted = row && row->credit >= BetOf(key.gameType);
    ByteBuilder body = KeyedAnswer(netmsg::MsgMorvaneSpinData, key);
    if (!granted) {
        body.U32(row ? row->credit : 0).U32(row ? row->score : 0).U8(0);
        s.Send(body.Take());
        return false;
    }
    row->credit -= BetOf(key.gameType);
    row->score += static_cast<uint32_t>(spin.winAmount);
    // A small win may be staked on the double-up until the next spin.
    s.state.counters[kDoubleStake] =
        spin.winAmount >= 1 && spin.winAmount <= kSmallWin ? uint32_t(spin.winAmount) : 0;
    s.Log(std::string("Morvane spin: ") + spin.name);
    body.U32(row->credit).U32(row->score).U8(1).Raw(MorvaneSpinRecord(spin));
    s.Send(body.Take());
    return true;
}

void AddMorvaneAnswers(PlayAnswers& answers)
{
    answers.On(netmsg::MsgMorvaneEnter, Enter);
    answers.On(netmsg::MsgMorvaneCoinIn,
               [](PlaySession& s, BodyReader& r) { AnswerCoinIn(s, r, netmsg::MsgMorvaneCoinIn); });
    answers.On(netmsg::MsgMorvaneSpinData, SpinData);
    answers.On(netmsg::MsgMorvaneSpinEnd, [](PlaySession& s, BodyReader& r) {
        s.Send(KeyedAnswer(netmsg::MsgMorvaneSpinEnd, ReadMachineKey(r)).U8(1).Take());
    });
    answers.On(netmsg::MsgMorvaneTicketOut, TicketOut);
    answers.On(netmsg::MsgMorvane29, DoubleUp);
    answers.On(netmsg::MsgMorvanePerformanceValue, PerformanceValue);
    answers.On(netmsg::MsgMorvanePerformanceEnd, [](PlaySession& s, BodyReader&) {
        s.state.counters[kDoubleStake] = 0;
    });                                                                        // no answer
    answers.On(netmsg::MsgMorvaneSpinDone, [](PlaySession&, BodyReader&) {});  // no answer
    answers.On(netmsg::MsgMorvaneGameFin, GameFin);
}

}  // namespace devserver
