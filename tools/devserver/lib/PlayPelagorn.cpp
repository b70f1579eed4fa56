#include "PlayPelagorn.h"

#include <algorithm>

#include "MessageIds.h"
#include "PlayMachineKey.h"

namespace devserver {

namespace {

constexpr uint32_t kCoinPrice = 100;
constexpr uint32_t kTicketUnit = 5000;
constexpr uint32_t kGiftOutLimit = 4;
constexpr const char* kSpinCounter = "pelagorn spins";

const std::array<PelagornCannedSpin, 3> kSpins = {{
    {"loss", 0, {1, 5, 9, 13}, {0, 0, 0}, {}, {}, {}, 0},
    {"middle line win",
     1,
     {2, 2, 2, 7},
     {0, 5000, 0},
     {{0, 0, 0, 0}, {1, 1, 1, 0}, {0, 0, 0, 0}},
     {0, 6, 0},
     {0, 3, 0},
     0},
    {"high prize",
     3,
     {4, 4, 4, 4},
     {0, 20000, 0},
     {{0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}},
     {0, 9, 0},
     {0, 4, 0},
     3},
}};

uint32_t TotalWin(const PelagornCannedSpin& spin)
{
    return uint32_t(spin.lineWins[0]) + spin.lineWins[1] + spin.lineWins[2];
}

// The machine row's meters: credit, gift (the row's score) and spins left (the row's win).
void Meters(ByteBuilder& body, const answers::MachineRow* row)
{
    body.U32(row ? row->credit : 0).U32(row ? row->score : 0).U32(row ? row->win : 0);
}

// The spin being played on each machine, until its game finish.
uint32_t& PendingWin(PlaySession& s, uint16_t number)
{
    return s.state.counters["pelagorn win " + std::to_string(number)];
}

void Enter(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    const answers::MachineRow* row = FindMachine(s, key);
    ByteBuilder body = KeyedAnswer(netmsg::MsgPelagornEnter, key);
    Meters(body, row);
    body.U32(kCoinPrice).U32(20000).U32(kTicketUnit).U32(kGiftOutLimit);  // 12 .. 24
    body.U32(3).U32(10).U32(3);                                           // 28 .. 36
    body.U32(100).U32(0).U32(0);                                          // 40 oil maximum, L, R
    body.U32(0).U32(0).U32(2);  // 52 COMM_GIFT, 56, 60 shake
    body.Zeros(88 - 64);
    body.U8(0).U32(1).U32(0).U32(0);  // 88 .. 97
    for (uint8_t stop : kSpins[0].stops)
        body.U32(stop);  // 101 .. 113
    s.Send(body.Take());
}

void CoinDrop(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindMachine(s, key);
    uint32_t fromCredit = 0;
    bool ok = false;
    if (row && row->credit >= kCoinPrice) {
        row->credit -= kCoinPrice;
        fromCredit = 1;
        ok = true;
    } else if (row && row->score >= kCoinPrice) {
        row->score -= kCoinPrice;
        ok = true;
    }
    ByteBuilder body = KeyedAnswer(netmsg::MsgPelagorn36, key);
    body.U8(ok ? 1 : 0).U32(row ? row->credit : 0).U32(row ? row->score : 0).U32(fromCredit).U32(0);
    s.Send(body.Take());
}

void ItemHit(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    r.F32();
    r.F32();
    const uint16_t itemType = r.U16();
    answers::MachineRow* row = FindMachine(s, key);
    if (row && itemType == 1)
        ++row->win;
    ByteBuilder body = KeyedAnswer(netmsg::MsgPelagorn37, key);
    body.U8(row ? 1 : 0)
        .I32(1)
        .Zeros(8)
        .U32(row ? row->credit : 0)
        .U32(row ? row->score : 0);                                        // 0 .. 16
    body.U8(0).U32(row ? row->win : 0).U32(0).U32(0).U32(0).U8(0).U32(0);  // 20 .. 38
    s.Send(body.Take());
}

void SpinData(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindMachine(s, key);
    const bool granted = row && row->win > 0;
    ByteBuilder body = KeyedAnswer(netmsg::MsgPelagornSpinData, key);
    body.U8(granted ? 1 : 0);
    if (!granted) {
        body.U32(0);
        Meters(body, row);
        body.Zeros(227 - 16);
        s.Send(body.Take());
        return;
    }
    uint32_t& served = s.state.counters[kSpinCounter];
    const PelagornCannedSpin& spin = kSpins[served++ % kSpins.size()];
    --row->win;
    PendingWin(s, key.number) = TotalWin(spin);
    s.Log(std::string("Pelagorn spin: ") + spin.name);
    body.U32(0);
    Meters(body, row);
    body.U32(spin.type >= 3 ? 1 : 0).U32(0).U32(0).U32(0);  // 16 high-prize kind, 20 mode, 24, 28
    body.Raw(PelagornResultState(spin));                    // 32
    body.Raw(PelagornEventRecord(kSpins[0]));               // 99 last event
    body.Raw(PelagornEventRecord(spin));                    // 163
    s.Send(body.Take());
}

void GameFin(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindMachine(s, key);
    ByteBuilder body = KeyedAnswer(netmsg::MsgPelagornGameFin, key);
    body.U8(row ? 1 : 0);
    if (row) {
        uint32_t& win = PendingWin(s, key.number);
        row->score += win;
        win = 0;
        Meters(body, row);
    }
    s.Send(body.Take());
}

void TicketOut(PlaySession& s, BodyReader& r)
{
    const MachineKey key = ReadMachineKey(r);
    answers::MachineRow* row = FindMachine(s, key);
    const uint32_t units = row ? std::min(row->score / kTicketUnit, kGiftOutLimit) : 0;
    if (units > 0) {
        row->score -= units * kTicketUnit;
        s.state.giftTickets += units;
        // What the game moved into its gift-out comes back to the machine as spins no more.
        row->win = 0;
    }
    ByteBuilder body = KeyedAnswer(netmsg::MsgPelagornTicketOut, key);
    body.U8(row ? 1 : 0).U32(0).U32(0).U32(row ? row->credit : 0).U32(row ? row->score : 0);
    body.U32(row ? row->win : 0).U32(0).U32(0);
    body.U32(s.state.giftTickets);
    s.Send(body.Take());
}

}  // namespace

const std::array<PelagornCannedSpin, 3>& PelagornCannedSpins()
{
    return kSpins;
}

Bytes PelagornEventRecord(const PelagornCannedSpin& spin)
{
    ByteBuilder record;
    record.U32(1).U32(0);  // 0 make number, 4 event number
    for (uint16_t win : spin.lineWins)
        record.U16(win);                                // 8
    record.U16(static_cast<uint16_t>(TotalWin(spin)));  // 14
    record.U8(0).U8(spin.type);                         // 16, 17
    for (uint8_t stop : spin.stops)
        record.U8(stop);  // 18
    for (const auto& line : spin.hits)
        for (uint8_t hit : line)
            record.U8(hit);    // 22
    record.U8(0).U8(0).U8(0);  // 34 reach, 35, 36
    for (uint8_t symbol : spin.symbols)
        record.U8(symbol);  // 37
    for (uint8_t count : spin.counts)
        record.U8(count);      // 40
    record.Zeros(3);           // 43 edges
    record.U8(spin.signBits);  // 46
    record.Zeros(64 - 47);
    return record.Take();
}

Bytes PelagornResultState(const PelagornCannedSpin& spin)
{
    ByteBuilder state;
    state.Zeros(4).U8(spin.type);  // 0, 4
    for (uint8_t stop : spin.stops)
        state.I32(stop);  // 5
    for (uint16_t win : spin.lineWins)
        state.I32(win);                               // 21
    state.I32(static_cast<int32_t>(TotalWin(spin)));  // 33
    state.I32(spin.type >= 3 ? 14 : 0);               // 37 prize-effect index
    for (const auto& line : spin.hits)
        for (uint8_t hit : line)
            state.U8(hit);                          // 41
    state.U8(0).I32(0).I32(0).I32(0).U16(0).U8(0);  // 53 .. 66
    return state.Take();
}

void AddPelagornAnswers(PlayAnswers& answers)
{
    answers.On(netmsg::MsgPelagornEnter, Enter);
    answers.On(netmsg::MsgPelagornCoinIn, [](PlaySession& s, BodyReader& r) {
        AnswerCoinIn(s, r, netmsg::MsgPelagornCoinIn);
    });
    answers.On(netmsg::MsgPelagorn36, CoinDrop);
    answers.On(netmsg::MsgPelagorn37, ItemHit);
    answers.On(netmsg::MsgPelagornSpinData, SpinData);
    // Every event of a canned spin comes with its spin data: the result asks get "no more".
    answers.On(netmsg::MsgPelagorn39, [](PlaySession& s, BodyReader& r) {
        s.Send(KeyedAnswer(netmsg::MsgPelagorn39, ReadMachineKey(r)).U8(0).Take());
    });
    answers.On(netmsg::MsgPelagornSpinEnd, [](PlaySession& s, BodyReader& r) {
        s.Send(KeyedAnswer(netmsg::MsgPelagornSpinEnd, ReadMachineKey(r)).U8(1).U8(1).Take());
    });
    answers.On(netmsg::MsgPelagornTicketOut, TicketOut);
    answers.On(netmsg::MsgPelagorn42, [](PlaySession&, BodyReader&) {});  // no answer
    answers.On(netmsg::MsgPelagornGameFin, GameFin);
}

}  // namespace devserver
