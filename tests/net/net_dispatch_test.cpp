// Answers of the login, lobby, money, reservation and notice catalogue, decoded from hand-built
// bodies.
#include <gtest/gtest.h>

#include "net_test_support.h"
#include "recording_client.h"

using namespace net_test;
using Calls = std::vector<std::string>;

namespace {

struct DispatchCase {
    const char* name;
    const char* hex;
    Calls expected;
};

struct LobbyDispatch : ::testing::Test {
    CMachineTable table;
    RecordingClient client{table};

    Calls Run(const Bytes& body)
    {
        client.calls.clear();
        client.Dispatch(body);
        return client.calls;
    }

    void RunCases(const std::vector<DispatchCase>& cases)
    {
        for (const DispatchCase& c : cases)
            EXPECT_EQ(Run(Hex(c.hex)), c.expected) << c.name;
    }
};

// Rows of types 1, 0, 2, 0 as the machine table of messages 9, 108 and 109 carries them.
const char* kMixedTable = "01 0700 64000000 02000000 03000000  00  02 0800 c8000000 04000000  00";

void ExpectRow(const CMachineState& row, int32_t index, int32_t type, int32_t number,
               int32_t credit, int32_t win, int32_t score, const char* name)
{
    EXPECT_EQ(row.m_nIndex, index) << name;
    EXPECT_EQ(row.m_nGameType, type) << name;
    EXPECT_EQ(row.m_nMachineNo, number) << name;
    EXPECT_EQ(row.m_nCredit, credit) << name;
    EXPECT_EQ(row.m_nWin, win) << name;
    EXPECT_EQ(row.m_nScore, score) << name;
}

}  // namespace

TEST_F(LobbyDispatch, LoginAndVersionAnswers)
{
    RunCases({
        {"1 accepted", "0100 01", {"OnVersionCheckResult(true)"}},
        {"1 refused", "0100 02", {"OnVersionCheckResult(false)"}},
        {"1 short", "0100", {"OnVersionCheckResult(false)"}},
        {"5 refused", "0500 03", {"OnLoginResult(3)"}},
    });
    EXPECT_EQ(table.m_byLoggedIn, 0);
    EXPECT_EQ(Run(Hex("0500 00")), Calls{"OnLoginResult(0)"});
    EXPECT_EQ(table.m_byLoggedIn, 1);
}

TEST_F(LobbyDispatch, UserInfoFillsTheTableWithMixedRows)
{
    table.m_aRows[3].m_nCredit = 99;
    EXPECT_EQ(Run(Concat({Hex("0900 00 0600 41006200 6300 10270000 05000000"), Hex(kMixedTable)})),
              Calls{"OnUserInfo()"});
    EXPECT_EQ(std::u16string(table.m_szNickname), u"Abc");
    EXPECT_EQ(table.m_nMoney, 10000);
    EXPECT_EQ(table.m_nGiftTickets, 5);
    ExpectRow(table.m_aRows[0], 0, 1, 7, 100, 2, 3, "row 0");
    ExpectRow(table.m_aRows[1], 1, 0, 0, 0, 0, 0, "row 1");
    ExpectRow(table.m_aRows[2], 2, 2, 8, 200, 0, 4, "row 2 has no win");
    ExpectRow(table.m_aRows[3], 3, 0, 0, 0, 0, 0, "row 3");

    // A nickname over 16 units is stepped over; the fields after it still line up.
    Bytes longName = Hex("0900 00 2200");
    longName.resize(longName.size() + 34, 0x41);
    EXPECT_EQ(Run(Concat({longName, Hex("e8030000 01000000 00 00 00 00")})), Calls{"OnUserInfo()"});
    EXPECT_EQ(std::u16string(table.m_szNickname), u"");
    EXPECT_EQ(table.m_nMoney, 1000);
    EXPECT_EQ(table.m_nGiftTickets, 1);
}

TEST_F(LobbyDispatch, ChannelInfoAndMachineSelect)
{
    RunCases({
        {"11 two machines",
         "0b00 02 0200 0500 01 0600 00",
         {"OnChannelInfoBegin(2,2)", "OnChannelInfoEntry(2,5,1)", "OnChannelInfoEntry(2,6,0)",
          "OnChannelInfoEnd()"}},
        {"11 count beyond the body",
         "0b00 02 0a00 0500 01",
         {"OnChannelInfoBegin(2,10)", "OnChannelInfoEntry(2,5,1)", "OnChannelInfoEnd()"}},
        {"11 empty", "0b00", {"OnChannelInfoBegin(0,0)", "OnChannelInfoEnd()"}},
        {"13 refused reads nothing further",
         "0d00 05 01 03 0900",
         {"OnMachineSelectResult(5,0,0,0)"}},
    });
    ExpectRow(table.m_aRows[1], -1, 0, 0, 0, 0, 0, "refusal leaves the table");
    table.m_aRows[1].m_nIndex = 1;
    table.m_aRows[1].m_nCredit = 50;
    EXPECT_EQ(Run(Hex("0d00 00 01 03 0900")), Calls{"OnMachineSelectResult(0,1,3,9)"});
    ExpectRow(table.m_aRows[1], 1, 3, 9, 0, 0, 0, "selected row");
}

TEST_F(LobbyDispatch, ChatLines)
{
    RunCases({
        {"one name",
         "6500 00 00 0400 4b006900 0400 48006900",
         {"OnChatLine('Ki','Hi',false,false,false,false)"}},
        {"two names and every flag",
         "6500 00 8d 0200 4100 0200 4200 0200 4300",
         {"OnChatLine('A','C',true,true,true,true)"}},
        {"non-zero result is dropped", "6500 01 00 0200 4100 0200 4200", {}},
        {"text over 256 bytes is empty",
         "6500 00 00 0200 4100 0201 4100",
         {"OnChatLine('A','',false,false,false,false)"}},
        {"name over 20 bytes is skipped",
         "6500 00 00 1600 41004100410041004100410041004100410041004100 0200 5a00",
         {"OnChatLine('','Z',false,false,false,false)"}},
        {"only the result", "6500", {"OnChatLine('','',false,false,false,false)"}},
    });
}

TEST_F(LobbyDispatch, MoneyAnswers)
{
    RunCases({
        {"102", "6600 40420f00 02", {"OnCoinCharged(2)"}},
        {"103", "6700 07000000 00", {"OnGiftTicketCount()"}},
        {"105", "6900 03", {"OnChargeRequestResult(3)"}},
        {"128", "8000 10270000", {"OnExchangeDone(10000)"}},
        {"129", "8100 20a10700", {"OnChargeRefused(500000)"}},
    });
    EXPECT_EQ(table.m_nMoney, 1000000);
    EXPECT_EQ(table.m_nGiftTickets, 7);
    EXPECT_EQ(Run(Hex("6b00 02 e8030000")), Calls{"OnExchangeRequestResult(2)"});
    EXPECT_EQ(table.m_nMoney, 1000000);
    EXPECT_EQ(Run(Hex("6b00 00 e8030000")), Calls{"OnExchangeRequestResult(0)"});
    EXPECT_EQ(table.m_nMoney, 1000);
}

TEST_F(LobbyDispatch, GiftTicketAnswers)
{
    RunCases({
        {"code", "6e00 04 00", {"OnGiftTicketFailed(4)"}},
        {"info skips the third value",
         "6e00 00 00 0000003f 0a000000 63000000 14000000",
         {"OnGiftTicketInfo(0.5,10,20)"}},
        {"info short", "6e00 00 00", {"OnGiftTicketInfo(0.1,0,0)"}},
        {"info NaN rate",
         "6e00 00 00 0000c07f 01000000 00000000 02000000",
         {"OnGiftTicketInfo(0,1,2)"}},
        {"info infinite rate", "6e00 00 00 0000807f", {"OnGiftTicketInfo(0,0,0)"}},
        {"info negative rate", "6e00 00 00 000080bf", {"OnGiftTicketInfo(0,0,0)"}},
        {"other sub-kind", "6e00 00 02 01000000", {}},
    });
    EXPECT_EQ(Run(Hex("6e00 00 01 64000000 02000000 03000000 04000000")),
              Calls{"OnGiftTicketExchanged(3,4)"});
    EXPECT_EQ(table.m_nMoney, 100);
    EXPECT_EQ(table.m_nGiftTickets, 2);
}

TEST_F(LobbyDispatch, DeckSwapAndMachineRemoveRebuildTheTable)
{
    EXPECT_EQ(Run(Concat({Hex("6c00"), Hex(kMixedTable)})), Calls{"OnDeckSwap()"});
    ExpectRow(table.m_aRows[2], 2, 2, 8, 200, 0, 4, "after 108");
    EXPECT_EQ(Run(Hex("6d00 01 00 00 00 00")), Calls{"OnMachineRemove(1)"});
    ExpectRow(table.m_aRows[2], 2, 2, 8, 200, 0, 4, "refused 109 keeps the table");
    EXPECT_EQ(Run(Hex("6d00 00 00 00 00 00")), Calls{"OnMachineRemove(0)"});
    ExpectRow(table.m_aRows[2], 2, 0, 0, 0, 0, 0, "109 empties the row");
}

TEST_F(LobbyDispatch, NoticesAndPrizeAnnouncements)
{
    Bytes overLimitName = Hex("6f00 01 0700 2a00");
    overLimitName.resize(overLimitName.size() + 42, 0x41);
    overLimitName.push_back(0x09);
    EXPECT_EQ(Run(overLimitName), Calls{"OnPrizeNoticeA('',1,7,9)"});
    RunCases({
        {"111", "6f00 01 0700 0400 41004200 05", {"OnPrizeNoticeA('AB',1,7,5)"}},
        {"111 name of 40 bytes",
         "6f00 01 0700 2800 4100410041004100410041004100410041004100 "
         "4100410041004100410041004100410041004100 05",
         {"OnPrizeNoticeA('AAAAAAAAAAAAAAAAAAAA',1,7,5)"}},
        {"112", "7000 02 0800 0200 4100 03 40420f00", {"OnPrizeNoticeB('A',2,8,3,1000000)"}},
        {"113",
         "7100 03 0900 0200 4100 02 01020304 10270000 ff 05 20a10700 01",
         {"OnPrizeNoticeC(3,9,'A',1,2,3,4,2,10000,5,1,500000)"}},
        {"114 entered", "7200 00 0200 4100", {"OnUserEnterLeave(true,'A')"}},
        {"114 left", "7200 01 0200 4200", {"OnUserEnterLeave(false,'B')"}},
        {"114 other kind", "7200 02 0200 4300", {}},
        {"126", "7e00 0400 4e006f00", {"OnNotice('No')"}},
        {"126 empty", "7e00", {"OnNotice('')"}},
        {"127",
         "7f00 02 0200 4100 0200 4200",
         {"OnNoticeListBegin()", "OnNoticeListEntry('A')", "OnNoticeListEntry('B')",
          "OnNoticeListEnd()"}},
        {"127 count beyond the body",
         "7f00 05 0200 4100",
         {"OnNoticeListBegin()", "OnNoticeListEntry('A')", "OnNoticeListEnd()"}},
        {"127 count 0", "7f00 00 0200 4100", {}},
        {"127 stray byte after the count",
         "7f00 41 20",
         {"OnNoticeListBegin()", "OnNoticeListEnd()"}},
        {"127 missing count", "7f00", {}},
        {"124", "7c00 01", {"OnStaffCallResult(1)"}},
        {"125", "7d00 03 0900", {"OnMachineRelease(3,9)"}},
    });
}

TEST_F(LobbyDispatch, Reservations)
{
    RunCases({
        {"116 one entry",
         "7400 01 ea07 0c 1f 17 1e 1900 0500 03 0000 0000 0700 01",
         {"OnReserveInfoEntry('2026-12-31 23:30','2027-01-02 00:30',5,3,0,0,0,0,7,1)",
          "OnReserveInfoEnd()"}},
        {"116 invalid start",
         "7400 01 ea07 0d 01 00 05 0100 0000 0000 0000 0000",
         {"OnReserveInfoEntry('2026-13-01 00:05','-001--1--1 -1:05',0,0,0,0,0,0,0,0)",
          "OnReserveInfoEnd()"}},
        {"116 count 0", "7400 00", {"OnReserveInfoEnd()"}},
        {"116 count beyond the body",
         "7400 03 ea07 01 01 00 00 0000",
         {"OnReserveInfoEntry('2026-01-01 00:00','2026-01-01 00:00',0,0,0,0,0,0,0,0)",
          "OnReserveInfoEnd()"}},
        {"120",
         "7800 01 0500 02 0000 0700 03 0000 1800",
         {"OnReserveResult(true,5,2,0,0,7,3,0,0,24)"}},
        {"120 short", "7800 00", {"OnReserveResult(false,0,0,0,0,0,0,0,0,0)"}},
    });

    table.m_aRows[0] = {0, 1, 7, 0, 0, 0, 1};
    table.m_aRows[1] = {1, 3, 9, 0, 0, 0, 0};
    table.m_aRows[2] = {2, 2, 8, 0, 0, 0, 1};
    EXPECT_EQ(Run(Hex("7600 3000 02 01 0700 03 0900")),
              (Calls{"OnReserveStatus(48)", "OnReserveStatusList(9)"}));
    EXPECT_EQ(table.m_aRows[0].m_byReserved, 1);
    EXPECT_EQ(table.m_aRows[1].m_byReserved, 1);
    EXPECT_EQ(table.m_aRows[2].m_byReserved, 0);
    EXPECT_EQ(Run(Hex("7600")), (Calls{"OnReserveStatus(24)", "OnReserveStatusList(0)"}));
    EXPECT_EQ(table.m_aRows[0].m_byReserved, 0);
    EXPECT_EQ(table.m_aRows[1].m_byReserved, 0);
}

TEST_F(LobbyDispatch, MachineLog)
{
    RunCases({
        {"122",
         "7a00  01 0700 01 0c 1f 17 1e 04 01000000 02000000  00  00  00  01 03 0900 01 02 03 04 05 "
         "0a000000 14000000",
         {"OnDeckLogEntry(1,7,12,31,23,30,4,1,2)", "OnGameLogEntry(3,9,1,2,3,4,5,10,20)",
          "OnMachineLogEnd()"}},
        {"122 empty", "7a00", {"OnMachineLogEnd()"}},
        {"122 counts beyond the body",
         "7a00 02 0800 ff 01 02 03 04 05",
         {"OnDeckLogEntry(2,8,1,2,3,4,5,0,0)", "OnMachineLogEnd()"}},
    });
}

TEST_F(LobbyDispatch, IdsWithoutACaseAreIgnored)
{
    RunCases({
        {"ping echo", "e903 0000803f", {}},
        {"short body", "05", {}},
        {"empty body", "", {}},
        {"2", "0200 01", {}},
        {"request 0", "0000 01010000", {}},
        {"request 4", "0400 00", {}},
        {"request 100", "6400 00 0200 4100", {}},
        {"130", "8200 01", {}},
        {"1000", "e803 01", {}},
        {"1002", "ea03 01", {}},
        {"65535", "ffff 01", {}},
        {"game request 21", "1500 01 0700", {}},
    });
}
