// The Pelagorn answer records read from hand-built bytes: every field at its offset (the unaligned
// ones included), short bodies keeping the defaults.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CPelagornRecords.h"

namespace {

std::vector<uint8_t> Hex(const std::string& text)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

// Four distinct bytes 0xB1..0xB4 + k at an offset: a reader that takes the wrong offset or order
// reads a different value.
void Mark(std::vector<uint8_t>& bytes, size_t offset, uint8_t k)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(k + i);
}
int32_t Marked(uint8_t k)
{
    return static_cast<int32_t>(uint32_t(k) | uint32_t(k + 1) << 8 | uint32_t(k + 2) << 16 |
                                uint32_t(k + 3) << 24);
}

}  // namespace

TEST(PelagornRecords, GameFinTicketOutAndCoinDropFromHex)
{
    CPelagornGameFinRecord fin;
    const auto finBytes = Hex("10 27 00 00  88 13 00 00  05 00 00 00");
    fin.Read(finBytes.data(), finBytes.size());
    EXPECT_TRUE(fin.bComplete);
    EXPECT_EQ(fin.iCredit, 10000);
    EXPECT_EQ(fin.iGift, 5000);
    EXPECT_EQ(fin.iSpin, 5);

    CPelagornTicketOutRecord ticket;
    const auto ticketBytes = Hex("88 13 00 00 01 00 00 00 64 00 00 00 C8 00 00 00 03 00 00 00 "
                                 "0A 00 00 00 FF FF FF FF");
    ticket.Read(ticketBytes.data(), ticketBytes.size());
    EXPECT_TRUE(ticket.bComplete);
    EXPECT_EQ(ticket.iCommGift, 5000);
    EXPECT_EQ(ticket.iGiftSendCount, 1);
    EXPECT_EQ(ticket.iCredit, 100);
    EXPECT_EQ(ticket.iGift, 200);
    EXPECT_EQ(ticket.iSpin, 3);
    EXPECT_EQ(ticket.iROil, 10);
    EXPECT_EQ(ticket.iLOil, -1);

    CPelagornCoinDropRecord drop;
    const auto dropBytes = Hex("2C 01 00 00 64 00 00 00 00 00 00 01 EE EE EE EE");
    drop.Read(dropBytes.data(), dropBytes.size());
    EXPECT_TRUE(drop.bComplete);
    EXPECT_EQ(drop.iCredit, 300);
    EXPECT_EQ(drop.iGift, 100);
    EXPECT_EQ(drop.dwFromCredit, 0x01000000u) << "the pay-from-credit flag is a whole 32-bit value";
}

TEST(PelagornRecords, EnterRecordFieldsAtTheirOffsets)
{
    std::vector<uint8_t> bytes(117, 0);
    const size_t int32Offsets[] = {0,  4,  8,  12, 16, 20, 24,  40,  44,  48, 52,
                                   56, 60, 80, 89, 93, 97, 101, 105, 109, 113};
    uint8_t k = 0x10;
    for (size_t offset : int32Offsets) {
        Mark(bytes, offset, k);
        k = static_cast<uint8_t>(k + 8);
    }
    bytes[88] = 1;
    CPelagornEnterRecord r;
    r.Read(bytes.data(), bytes.size());
    ASSERT_TRUE(r.bComplete);
    const int32_t got[] = {r.iCredit,
                           r.iGift,
                           r.iSpin,
                           r.iCoinThreshold,
                           r.iGiftMaximum,
                           r.iGiftUnit,
                           r.iGiftOutLimit,
                           r.iOilMaximum,
                           r.iLOil,
                           r.iROil,
                           r.iCommGift,
                           r.iGiftSendCount,
                           r.iShakeAmplitude,
                           r.iHighPrizeRepeat,
                           r.iHighEffectMode,
                           r.iHighPrizeKind,
                           r.iHighPrizeMode,
                           r.aiReelStopLine[0],
                           r.aiReelStopLine[1],
                           r.aiReelStopLine[2],
                           r.aiReelStopLine[3]};
    k = 0x10;
    for (size_t i = 0; i < std::size(got); ++i) {
        EXPECT_EQ(got[i], Marked(k)) << "field at offset " << int32Offsets[i];
        k = static_cast<uint8_t>(k + 8);
    }
    EXPECT_EQ(r.byType4Effect, 1);
}

TEST(PelagornRecords, ShortBodiesKeepTheDefaults)
{
    CPelagornEnterRecord enter;
    enter.Read(nullptr, 0);
    EXPECT_FALSE(enter.bComplete);
    EXPECT_EQ(enter.iCredit, 0);
    EXPECT_EQ(enter.iCoinThreshold, 100);
    EXPECT_EQ(enter.iGiftMaximum, 20000);
    EXPECT_EQ(enter.iGiftUnit, 5000);
    EXPECT_EQ(enter.iGiftOutLimit, 4);
    EXPECT_EQ(enter.aiUnused28[0], 3);
    EXPECT_EQ(enter.aiUnused28[1], 10);
    EXPECT_EQ(enter.aiUnused28[2], 3);

    // A body cut inside a field leaves that field and all after it alone.
    const auto cut = Hex("0A 00 00 00 14 00");
    CPelagornEnterRecord part;
    part.Read(cut.data(), cut.size());
    EXPECT_FALSE(part.bComplete);
    EXPECT_EQ(part.iCredit, 10);
    EXPECT_EQ(part.iGift, 0);

    CPelagornItemRecord item;
    item.Read(cut.data(), 3);
    EXPECT_FALSE(item.bComplete);
    EXPECT_EQ(item.iKind, -1);

    CPelagornResultRecord result;
    std::vector<uint8_t> result199(199, 0);
    result.Read(result199.data(), result199.size());
    EXPECT_FALSE(result.bComplete);
    EXPECT_EQ(result.byStatus, 1) << "a short result record is no result";

    CPelagornSpinRecord spin;
    std::vector<uint8_t> spin20(20, 0);
    Mark(spin20, 4, 0x21);
    spin.Read(spin20.data(), spin20.size());
    EXPECT_FALSE(spin.bComplete);
    EXPECT_EQ(spin.iCredit, Marked(0x21));
    EXPECT_EQ(spin.state.iTotalWin, 0);
}

TEST(PelagornRecords, ItemRecordUnalignedFields)
{
    std::vector<uint8_t> bytes(42, 0);
    Mark(bytes, 0, 0x02);
    Mark(bytes, 12, 0x10);
    Mark(bytes, 16, 0x20);
    bytes[20] = 1;
    Mark(bytes, 21, 0x30);
    Mark(bytes, 25, 0x40);
    Mark(bytes, 29, 0x50);
    Mark(bytes, 33, 0x60);
    bytes[37] = 7;
    Mark(bytes, 38, 0x70);
    CPelagornItemRecord r;
    r.Read(bytes.data(), bytes.size());
    EXPECT_TRUE(r.bComplete);
    EXPECT_EQ(r.iKind, Marked(0x02));
    EXPECT_EQ(r.iCredit, Marked(0x10));
    EXPECT_EQ(r.iGift, Marked(0x20));
    EXPECT_EQ(r.byGiftReset, 1);
    EXPECT_EQ(r.iSpin, Marked(0x30));
    EXPECT_EQ(r.iROil, Marked(0x40));
    EXPECT_EQ(r.iLOil, Marked(0x50));
    EXPECT_EQ(r.iValue, Marked(0x60));
    EXPECT_EQ(r.byItemIndex, 7);
    EXPECT_EQ(r.iGiftAmount, Marked(0x70));
}

TEST(PelagornRecords, SpinAndResultRecordsCarryStateAndEvents)
{
    std::vector<uint8_t> spin(227, 0);
    Mark(spin, 4, 0x10);
    Mark(spin, 8, 0x14);
    Mark(spin, 12, 0x18);
    Mark(spin, 16, 0x1C);
    Mark(spin, 20, 0x20);
    // Result state at 32.
    spin[32 + 4] = 3;
    Mark(spin, 32 + 5, 0x30);
    Mark(spin, 32 + 17, 0x34);
    Mark(spin, 32 + 21, 0x40);
    Mark(spin, 32 + 29, 0x44);
    Mark(spin, 32 + 33, 0x48);
    Mark(spin, 32 + 37, 0x4C);
    spin[32 + 41] = 1;
    spin[32 + 52] = 9;
    spin[32 + 53] = 1;
    Mark(spin, 32 + 54, 0x50);
    spin[32 + 66] = 1;
    // Last event at 99, event to apply at 163.
    spin[99 + 17] = 1;
    spin[163 + 17] = 4;
    spin[163 + 18] = 5;
    spin[163 + 55] = 2;
    spin[226] = 0xAB;

    CPelagornSpinRecord r;
    r.Read(spin.data(), spin.size());
    ASSERT_TRUE(r.bComplete);
    EXPECT_EQ(r.iCredit, Marked(0x10));
    EXPECT_EQ(r.iGift, Marked(0x14));
    EXPECT_EQ(r.iSpin, Marked(0x18));
    EXPECT_EQ(r.iHighPrizeKind, Marked(0x1C));
    EXPECT_EQ(r.iHighPrizeMode, Marked(0x20));
    EXPECT_EQ(r.state.byResultType, 3);
    EXPECT_EQ(r.state.aiReelStop[0], Marked(0x30));
    EXPECT_EQ(r.state.aiReelStop[3], Marked(0x34));
    EXPECT_EQ(r.state.aiLineWin[0], Marked(0x40));
    EXPECT_EQ(r.state.aiLineWin[2], Marked(0x44));
    EXPECT_EQ(r.state.iTotalWin, Marked(0x48));
    EXPECT_EQ(r.state.iPrizeEffect, Marked(0x4C));
    EXPECT_EQ(r.state.abyReelMark[0][0], 1);
    EXPECT_EQ(r.state.abyReelMark[2][3], 9);
    EXPECT_EQ(r.state.byReach, 1);
    EXPECT_EQ(r.state.iReachReel, Marked(0x50));
    EXPECT_EQ(r.state.byReelPrizeMode, 1);
    EXPECT_EQ(r.lastEvent.m_byType, 1);
    EXPECT_EQ(r.event.m_byType, 4);
    EXPECT_EQ(r.event.m_byStop[0], 5);
    EXPECT_EQ(r.event.m_byBGN, 2);
    EXPECT_EQ(r.abyRaw[226], 0xAB) << "the whole record is kept";

    std::vector<uint8_t> result(200, 0);
    result[0] = 0;
    Mark(result, 5 + 33, 0x60);
    result[72 + 17] = 6;
    result[136 + 34] = 2;
    CPelagornResultRecord res;
    res.Read(result.data(), result.size());
    ASSERT_TRUE(res.bComplete);
    EXPECT_EQ(res.byStatus, 0);
    EXPECT_EQ(res.state.iTotalWin, Marked(0x60));
    EXPECT_EQ(res.lastEvent.m_byType, 6);
    EXPECT_EQ(res.event.m_byReach, 2);
}
