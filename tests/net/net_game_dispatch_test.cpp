// Answers of the three games' message families, decoded from hand-built bodies.
#include <gtest/gtest.h>

#include "net_test_support.h"
#include "recording_client.h"

using namespace net_test;
using Calls = std::vector<std::string>;

namespace {

// A block of n bytes that starts with the given hex and is zero after it.
Bytes Block(size_t n, const char* head = "")
{
    Bytes b = Hex(head);
    b.resize(n, 0);
    return b;
}

// A block of n bytes with a little-endian 32-bit value at each listed offset.
Bytes BlockWith(size_t n, std::initializer_list<std::pair<size_t, uint32_t>> values)
{
    Bytes b(n, 0);
    for (const auto& [offset, value] : values)
        for (int i = 0; i < 4; ++i)
            b[offset + i] = uint8_t(value >> (8 * i));
    return b;
}

struct GameDispatch : ::testing::Test {
    CMachineTable table;
    RecordingClient client{table};

    // The player sits at Jix 7, Morvane 8, Pelagorn 9 and Morvane (bet 200) 10.
    void SetUp() override
    {
        table.m_aRows[0] = {0, 1, 7, 1, 1, 1, 0};
        table.m_aRows[1] = {1, 2, 8, 1, 1, 1, 0};
        table.m_aRows[2] = {2, 3, 9, 1, 1, 1, 0};
        table.m_aRows[3] = {3, 4, 10, 1, 1, 1, 0};
    }

    Calls Run(const Bytes& body)
    {
        client.calls.clear();
        client.Dispatch(body);
        return client.calls;
    }

    void ExpectMachine(int row, int32_t credit, int32_t win, int32_t score, const char* name)
    {
        EXPECT_EQ(table.m_aRows[row].m_nCredit, credit) << name;
        EXPECT_EQ(table.m_aRows[row].m_nWin, win) << name;
        EXPECT_EQ(table.m_aRows[row].m_nScore, score) << name;
    }
};

}  // namespace

TEST_F(GameDispatch, EnterAnswers)
{
    EXPECT_EQ(Run(Concat({Hex("0e00 01 0700 64000000 02000000 03000000"), Block(180, "01020304")})),
              Calls{"OnJixEnter(1,7,blk:01020304)"});
    ExpectMachine(0, 100, 2, 3, "14");
    EXPECT_EQ(client.lastBlock.size(), 180u);

    EXPECT_EQ(Run(Concat({Hex("0e00 01 0700 05000000 06000000 07000000"), Block(179, "0102")})),
              Calls{"OnJixEnter(1,7,blk:00000000)"});
    ExpectMachine(0, 5, 6, 7, "14 with a short block");

    EXPECT_EQ(Run(Concat({Hex("1700 02 0800 64000000 05000000"), Block(200, "aabb")})),
              Calls{"OnMorvaneEnter(2,8,blk:aabb0000)"});
    ExpectMachine(1, 100, 1, 5, "23 keeps win");

    // 34: every field comes from the record; a short body hands on the prepared defaults.
    EXPECT_EQ(Run(Hex("2200 03 0900")), Calls{"OnPelagornEnter(3,9,blk:00000000)"});
    ExpectMachine(2, 0, 0, 0, "34 short");
    ASSERT_EQ(client.lastBlock.size(), 117u);
    EXPECT_EQ(ToHex(Bytes(client.lastBlock.begin() + 12, client.lastBlock.begin() + 40)),
              "64000000204e00008813000004000000030000000a00000003000000");

    // 121 bytes: one byte short of the whole record.
    EXPECT_EQ(Run(Concat({Hex("2200 03 0900"), Block(116, "05")})),
              Calls{"OnPelagornEnter(3,9,blk:00000000)"});
    EXPECT_EQ(client.lastBlock[12], 100);

    EXPECT_EQ(
        Run(Concat({Hex("2200 03 0900"), BlockWith(117, {{0, 11}, {4, 12}, {8, 13}, {12, 0}})})),
        Calls{"OnPelagornEnter(3,9,blk:0b000000)"});
    ExpectMachine(2, 11, 13, 12, "34 full");
    EXPECT_EQ(client.lastBlock[12], 0);
}

TEST_F(GameDispatch, CoinInAnswers)
{
    struct Case {
        const char* name;
        const char* hex;
        const char* call;
        int row;
        int32_t credit;
    };
    const Case cases[] = {
        {"15 accepted", "0f00 00 e8030000 01 0700 c8000000", "OnJixCoinIn(0,1,7)", 0, 200},
        {"15 result 3 keeps credit", "0f00 03 d0070000 01 0700 c8000000", "OnJixCoinIn(3,1,7)", 0,
         1},
        {"24", "1800 00 e8030000 04 0a00 2c010000", "OnMorvaneCoinIn(0,4,10)", 3, 300},
        {"35", "2300 00 e8030000 03 0900 90010000", "OnPelagornCoinIn(0,3,9)", 2, 400},
    };
    for (const Case& c : cases) {
        SetUp();
        table.m_nMoney = 0;
        EXPECT_EQ(Run(Hex(c.hex)), Calls{c.call}) << c.name;
        EXPECT_GT(table.m_nMoney, 0) << c.name;
        EXPECT_EQ(table.m_aRows[c.row].m_nCredit, c.credit) << c.name;
    }
    EXPECT_EQ(table.m_nMoney, 1000);
}

TEST_F(GameDispatch, JixAnswers)
{
    EXPECT_EQ(Run(Hex("1000 01 0700 01 05000000 0a000000 0b000000 0c000000")),
              Calls{"OnJixPlayStart(1,7,true,5)"});
    ExpectMachine(0, 10, 11, 12, "16 granted");
    EXPECT_EQ(Run(Hex("1000 01 0700 00 14000000 15000000 16000000")),
              Calls{"OnJixPlayStart(1,7,false,0)"});
    ExpectMachine(0, 20, 21, 22, "16 refused");
    EXPECT_EQ(Run(Hex("1100 01 0700 0a000000 0b000000 0c000000 01 05000000")),
              Calls{"OnJixBonus(1,7,true,5)"});
    ExpectMachine(0, 10, 11, 12, "17");
    EXPECT_EQ(Run(Concat({Hex("1200 01 0700 01000000 02000000 03000000 01"), Block(180, "0909")})),
              Calls{"OnJixSpinData(1,7,true,blk:09090000)"});
    ExpectMachine(0, 1, 2, 3, "18");
    EXPECT_EQ(Run(Hex("1200 01 0700 01000000 02000000 03000000 00")),
              Calls{"OnJixSpinData(1,7,false,none)"});
    EXPECT_EQ(Run(Hex("1300 01 0700 00 07000000")), Calls{"OnJixSpinEnd(1,7,false)"});
    ExpectMachine(0, 1, 2, 3, "19 refused reads nothing more");
    EXPECT_EQ(Run(Hex("1300 01 0700 01 07000000 08000000 09000000")),
              Calls{"OnJixSpinEnd(1,7,true)"});
    ExpectMachine(0, 7, 8, 9, "19");
    EXPECT_EQ(Run(Hex("1400 01 0700 0a000000 0b000000 0c000000 02 06000000")),
              Calls{"OnJixTicketOut(1,7,2)"});
    ExpectMachine(0, 10, 11, 12, "20");
    EXPECT_EQ(table.m_nGiftTickets, 6);
    EXPECT_EQ(Run(Hex("1600 01 0700 00 01000000 01000000 01000000")), Calls{});
    ExpectMachine(0, 10, 11, 12, "22 with ok 0");
    EXPECT_EQ(Run(Hex("1600 01 0700 01 01000000 02000000 03000000")),
              Calls{"OnJixGameFin(1,7,true)"});
    ExpectMachine(0, 1, 2, 3, "22");
}

TEST_F(GameDispatch, KeysOfNoSeatChangeNothing)
{
    table.m_aRows[1] = CMachineState{};  // an empty seat: game type 0, machine number 0
    table.m_aRows[1].m_nIndex = 1;
    EXPECT_EQ(Run(Hex("1000 01 6300 00 05000000 06000000 07000000")),
              Calls{"OnJixPlayStart(1,99,false,0)"});
    EXPECT_EQ(Run(Hex("1000 00 0000 00 05000000 06000000 07000000")),
              Calls{"OnJixPlayStart(0,0,false,0)"});
    ExpectMachine(0, 1, 1, 1, "row 0");
    ExpectMachine(1, 0, 0, 0, "the empty seat is not the key (0, 0)");
}

TEST_F(GameDispatch, MorvaneAnswers)
{
    EXPECT_EQ(Run(Hex("1900 02 0800 64000000 05000000 00 ffff")),
              Calls{"OnMorvaneSpinData(2,8,false,none)"});
    ExpectMachine(1, 100, 1, 5, "25 refused still updates");
    EXPECT_EQ(Run(Concat({Hex("1900 02 0800 65000000 06000000 02"), Block(200, "07")})),
              Calls{"OnMorvaneSpinData(2,8,true,blk:07000000)"});
    EXPECT_EQ(Run(Concat({Hex("1900 02 0800 65000000 06000000 01"), Block(199, "07")})),
              Calls{"OnMorvaneSpinData(2,8,true,blk:00000000)"});
    EXPECT_EQ(Run(Hex("1a00 02 0800 01")), Calls{"OnMorvaneSpinEnd(2,8,true)"});
    EXPECT_EQ(Run(Hex("1b00 02 0800 64000000 05000000")), Calls{"OnMorvaneTicketOut(2,8,1)"});
    EXPECT_EQ(Run(Hex("1b00 02 0800 64000000 05000000 00 03000000")),
              Calls{"OnMorvaneTicketOut(2,8,0)"});
    EXPECT_EQ(table.m_nGiftTickets, 3);
    EXPECT_EQ(Run(Hex("1c00 02 0800 01")), Calls{});
    EXPECT_EQ(Run(Hex("1d00 02 0800 01")), Calls{});
    EXPECT_EQ(Run(Hex("2100 04 0a00 00 01000000 01000000")), Calls{});
    EXPECT_EQ(Run(Hex("2100 04 0a00 01 0b000000 0c000000")), Calls{"OnMorvaneGameFin(4,10,true)"});
    ExpectMachine(3, 11, 1, 12, "33");
}

TEST_F(GameDispatch, DoubleUpAnswerIsCheckedBeforeItReachesTheGame)
{
    struct Case {
        const char* name;
        const char* hex;
        Calls expected;
    };
    const Case cases[] = {
        {"plain",
         "1e00 04 0a00 01 02000000 2a000000 01 10270000",
         {"OnMorvanePerformanceValue(4,10,2,42,1,10000)"}},
        {"last index",
         "1e00 04 0a00 01 04000000 00000000 00 00000000",
         {"OnMorvanePerformanceValue(4,10,4,0,0,0)"}},
        {"index 5 still answers",
         "1e00 04 0a00 01 05000000 01000000 00 00000000",
         {"OnMorvanePerformanceValue(4,10,5,1,0,0)"}},
        {"huge index still answers",
         "1e00 04 0a00 01 ffffffff 01000000 00 00000000",
         {"OnMorvanePerformanceValue(4,10,4294967295,1,0,0)"}},
        {"card above 55",
         "1e00 04 0a00 01 00000000 63000000 00 00000000",
         {"OnMorvanePerformanceValue(4,10,0,55,0,0)"}},
        {"negative card",
         "1e00 04 0a00 01 00000000 ffffffff 00 00000000",
         {"OnMorvanePerformanceValue(4,10,0,0,0,0)"}},
        {"ok 0 is a refusal",
         "1e00 04 0a00 00 00000000 01000000",
         {"OnMorvanePerformanceRefused(4,10)"}},
        {"ok missing defaults to 1", "1e00 04 0a00", {"OnMorvanePerformanceValue(4,10,0,0,0,0)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run(Hex(c.hex)), c.expected) << c.name;
}

TEST_F(GameDispatch, PelagornRecords)
{
    EXPECT_EQ(Run(Concat({Hex("2400 03 0900 01"), BlockWith(16, {{0, 50}, {4, 60}})})),
              Calls{"OnPelagorn36(3,9,true,blk:32000000)"});
    ExpectMachine(2, 50, 1, 60, "36");

    EXPECT_EQ(Run(Concat(
                  {Hex("2500 03 0900 01"), BlockWith(42, {{12, 70}, {16, 80}, {21, 0x01020304}})})),
              Calls{"OnPelagorn37(3,9,true,blk:00000000)"});
    ExpectMachine(2, 70, 0x01020304, 80, "37 win at the unaligned offset 21");
    EXPECT_EQ(Run(Hex("2500 03 0900 00 1122")), Calls{"OnPelagorn37(3,9,false,blk:ffffffff)"});
    ExpectMachine(2, 70, 0x01020304, 80, "37 short keeps the row's meters");

    EXPECT_EQ(Run(Concat({Hex("2600 03 0900 01"), BlockWith(227, {{4, 90}, {8, 91}, {12, 92}})})),
              Calls{"OnPelagornSpinData(3,9,true,blk:00000000)"});
    ExpectMachine(2, 90, 92, 91, "38");
    EXPECT_EQ(client.lastBlock.size(), 227u);

    EXPECT_EQ(Run(Hex("2700 03 0900 00 05")), Calls{"OnPelagorn39(3,9,false,none)"});
    EXPECT_EQ(Run(Hex("2700 03 0900 01")), Calls{"OnPelagorn39(3,9,true,blk:01000000)"});
    EXPECT_EQ(Run(Concat({Hex("2700 03 0900 01"), Block(200, "00aa")})),
              Calls{"OnPelagorn39(3,9,true,blk:00aa0000)"});

    EXPECT_EQ(Run(Hex("2800 03 0900 01 07")), Calls{"OnPelagornSpinEnd(3,9,true,7)"});
    EXPECT_EQ(Run(Hex("2800 03 0900 00 07")), Calls{"OnPelagornSpinEnd(3,9,false,none)"});

    EXPECT_EQ(Run(Concat({Hex("2900 03 0900 01"), BlockWith(28, {{8, 1}, {12, 2}, {16, 3}}),
                          Hex("04000000")})),
              Calls{"OnPelagornTicketOut(3,9,true,blk:00000000)"});
    ExpectMachine(2, 1, 3, 2, "41");
    EXPECT_EQ(table.m_nGiftTickets, 4);

    EXPECT_EQ(Run(Hex("2b00 03 0900 00 05000000 06000000 07000000")),
              Calls{"OnPelagornGameFin(3,9,false,none)"});
    ExpectMachine(2, 1, 3, 2, "43 refused");
    EXPECT_EQ(Run(Hex("2b00 03 0900 01 05000000 06000000 07000000")),
              Calls{"OnPelagornGameFin(3,9,true,blk:05000000)"});
    ExpectMachine(2, 5, 7, 6, "43");
}

TEST(MachineTable, ResetFindAndFindByIndex)
{
    CMachineTable table;
    table.m_byLoggedIn = 1;
    table.m_nMoney = 5;
    table.m_aRows[2] = {2, 3, 9, 1, 2, 3, 1};
    EXPECT_EQ(table.Find(3, 9), &table.m_aRows[2]);
    EXPECT_EQ(table.FindByIndex(2), &table.m_aRows[2]);
    EXPECT_EQ(table.Find(1, 9), nullptr);
    EXPECT_EQ(table.FindByIndex(1), nullptr);
    EXPECT_EQ(table.Find(0, 0), nullptr);
    EXPECT_EQ(table.FindByIndex(-1), &table.m_aRows[0]);
    table.Reset();
    EXPECT_EQ(table.Find(3, 9), nullptr);
    EXPECT_EQ(table.m_aRows[2].m_nIndex, -1);
    EXPECT_EQ(table.m_aRows[2].m_byReserved, 0);
    EXPECT_EQ(table.m_byLoggedIn, 1);
    EXPECT_EQ(table.m_nMoney, 5);
}
