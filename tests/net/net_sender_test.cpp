// Every request of the catalogue, read back by a raw peer and compared with bytes written by hand.
#include <gtest/gtest.h>

#include <functional>

#include "net_test_support.h"
#include "recording_client.h"

using namespace net_test;

namespace {

struct SenderFixture : ::testing::Test {
    RawPeer peer;
    CMachineTable table;
    RecordingClient client{table};

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(ConnectToPeer(client, peer)); }

    std::string NextBody()
    {
        const auto body = peer.ReadFrameBody(2000ms);
        return body ? ToHex(*body) : std::string("<nothing>");
    }
};

struct Case {
    const char* name;
    std::function<bool(NetworkClient&)> send;
    const char* hex;
};

std::string Squeeze(const char* hex)
{
    return ToHex(Hex(hex));
}

void RunCases(SenderFixture& f, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        EXPECT_TRUE(c.send(f.client)) << c.name;
        EXPECT_EQ(f.NextBody(), Squeeze(c.hex)) << c.name;
    }
}

}  // namespace

TEST_F(SenderFixture, LoginLobbyMoneyAndReservationRequests)
{
    const std::vector<Case> cases = {
        {"0 version", [](NetworkClient& c) { return c.ReqVersionCheck(); }, "0000 01010000"},
        {"4 login", [](NetworkClient& c) { return c.ReqLogin("user01", "pw"); },
         "0400 757365723031 00000000000000000000 7077 0000000000000000000000000000"},
        {"4 login, 16 characters fill the field",
         [](NetworkClient& c) { return c.ReqLogin("abcdefghijklmnop", "ABCDEFGHIJKLMNOPQ"); },
         "0400 6162636465666768696a6b6c6d6e6f70 4142434445464748494a4b4c4d4e4f50"},
        {"8 user info", [](NetworkClient& c) { return c.ReqUserInfo(); }, "0800"},
        {"10 channel info", [](NetworkClient& c) { return c.ReqChannelInfo(3); }, "0a00 03"},
        {"12 machine select", [](NetworkClient& c) { return c.ReqMachineSelect(2, 4, 0x0123); },
         "0c00 02 04 2301"},
        {"99 lobby enter", [](NetworkClient& c) { return c.ReqLobbyEnter(); }, "6300"},
        {"100 chat", [](NetworkClient& c) { return c.ReqChat(u"Hi"); }, "6400 00 0400 4800 6900"},
        {"100 inquiry", [](NetworkClient& c) { return c.ReqInquiry(u"\uac00"); },
         "6400 08 0200 00ac"},
        {"104 charge", [](NetworkClient& c) { return c.ReqCharge(50000, u"Kim"); },
         "6800 50c30000 0600 4b00 6900 6d00"},
        {"106 exchange",
         [](NetworkClient& c) { return c.ReqExchange(10000, u"KB", u"Lee", "123-45", "0101234"); },
         "6a00 10270000 0600 4c006500 6500 0400 4b004200"
         " 3132332d3435 0000000000000000000000000000"
         " 30313031323334 00000000000000000000000000"
         " 0000"},
        {"108 deck swap", [](NetworkClient& c) { return c.ReqDeckSwap(1, 2); }, "6c00 01 02"},
        {"110 gift ticket info", [](NetworkClient& c) { return c.ReqGiftTicketInfo(); }, "6e00 00"},
        {"110 gift ticket exchange", [](NetworkClient& c) { return c.ReqGiftTicketExchange(3); },
         "6e00 01 03000000"},
        {"115 reserve info", [](NetworkClient& c) { return c.ReqReserveInfo(); }, "7300 08"},
        {"117 reserve status", [](NetworkClient& c) { return c.ReqReserveStatus(); }, "7500"},
        {"119 reserve, negative hours go out as 1",
         [](NetworkClient& c) { return c.ReqReserveMachine(-5, true, false, true, false); },
         "7700 0100 01 00 01 00"},
        {"119 reserve",
         [](NetworkClient& c) { return c.ReqReserveMachine(300, false, false, false, true); },
         "7700 2c01 00 00 00 01"},
        {"123 staff call", [](NetworkClient& c) { return c.ReqStaffCall(); }, "7b00"},
    };
    RunCases(*this, cases);
}

TEST_F(SenderFixture, GameRequests)
{
    const std::vector<Case> cases = {
        {"14", [](NetworkClient& c) { return c.ReqJixEnter(1, 0x0102); }, "0e00 01 0201"},
        {"15", [](NetworkClient& c) { return c.ReqJixCoinIn(1, 0x0102); }, "0f00 01 0201"},
        {"16", [](NetworkClient& c) { return c.ReqJixPlayStart(1, 0x0102); }, "1000 01 0201"},
        {"17", [](NetworkClient& c) { return c.ReqJixBonus(1, 0x0102, 0x11223344); },
         "1100 01 0201 44332211"},
        {"18", [](NetworkClient& c) { return c.ReqJixSpinData(1, 0x0102); }, "1200 01 0201"},
        {"19", [](NetworkClient& c) { return c.ReqJixSpinEnd(1, 0x0102); }, "1300 01 0201"},
        {"20", [](NetworkClient& c) { return c.ReqJixTicketOut(1, 0x0102); }, "1400 01 0201"},
        {"21", [](NetworkClient& c) { return c.ReqJixAction(1, 0x0102); }, "1500 01 0201"},
        {"22", [](NetworkClient& c) { return c.ReqJixGameFin(1, 0x0102); }, "1600 01 0201"},
        {"23", [](NetworkClient& c) { return c.ReqMorvaneEnter(2, 0x0102); }, "1700 02 0201"},
        {"24", [](NetworkClient& c) { return c.ReqMorvaneCoinIn(4, 0x0102); }, "1800 04 0201"},
        {"25", [](NetworkClient& c) { return c.ReqMorvaneSpinData(2, 0x0102); }, "1900 02 0201"},
        {"26", [](NetworkClient& c) { return c.ReqMorvaneSpinEnd(2, 0x0102, 7); },
         "1a00 02 0201 07"},
        {"27", [](NetworkClient& c) { return c.ReqMorvaneTicketOut(2, 0x0102); }, "1b00 02 0201"},
        {"29", [](NetworkClient& c) { return c.ReqMorvane29(2, 0x0102); }, "1d00 02 0201"},
        {"30",
         [](NetworkClient& c) { return c.ReqMorvanePerformanceValue(4, 0x0102, 0x01020304, true); },
         "1e00 04 0201 04030201 01"},
        {"30 flag off",
         [](NetworkClient& c) { return c.ReqMorvanePerformanceValue(4, 0x0102, 9, false); },
         "1e00 04 0201 09000000 00"},
        {"31", [](NetworkClient& c) { return c.ReqMorvanePerformanceEnd(2, 0x0102); },
         "1f00 02 0201"},
        {"32", [](NetworkClient& c) { return c.ReqMorvaneSpinDone(2, 0x0102); }, "2000 02 0201"},
        {"33", [](NetworkClient& c) { return c.ReqMorvaneGameFin(2, 0x0102); }, "2100 02 0201"},
        {"34", [](NetworkClient& c) { return c.ReqPelagornEnter(3, 0x0102); }, "2200 03 0201"},
        {"35", [](NetworkClient& c) { return c.ReqPelagornCoinIn(3, 0x0102); }, "2300 03 0201"},
        {"36", [](NetworkClient& c) { return c.ReqPelagorn36(3, 0x0102); }, "2400 03 0201"},
        {"37", [](NetworkClient& c) { return c.ReqPelagorn37(3, 0x0102, 1.0f, -2.5f, 5, 1); },
         "2500 03 0201 0000803f 000020c0 0500 01"},
        {"38", [](NetworkClient& c) { return c.ReqPelagornSpinData(3, 0x0102); }, "2600 03 0201"},
        {"39", [](NetworkClient& c) { return c.ReqPelagorn39(3, 0x0102); }, "2700 03 0201"},
        {"40", [](NetworkClient& c) { return c.ReqPelagornSpinEnd(3, 0x0102); }, "2800 03 0201"},
        {"41", [](NetworkClient& c) { return c.ReqPelagornTicketOut(3, 0x0102); }, "2900 03 0201"},
        {"42", [](NetworkClient& c) { return c.ReqPelagorn42(3, 0x0102); }, "2a00 03 0201"},
        {"43", [](NetworkClient& c) { return c.ReqPelagornGameFin(3, 0x0102); }, "2b00 03 0201"},
    };
    RunCases(*this, cases);
}

TEST_F(SenderFixture, ChatOf63UnitsIsSentAndLongerOrEmptyIsRefused)
{
    std::u16string text(63, u'a');
    ASSERT_TRUE(client.ReqChat(text.c_str()));
    const auto body = peer.ReadFrameBody();
    ASSERT_TRUE(body.has_value());
    ASSERT_EQ(body->size(), 3u + 2 + 126);
    EXPECT_EQ(ToHex(Bytes(body->begin(), body->begin() + 7)), "6400007e006100");

    text += u'a';
    EXPECT_FALSE(client.ReqChat(text.c_str()));
    EXPECT_FALSE(client.ReqInquiry(u""));
    EXPECT_FALSE(client.ReqChat(nullptr));
    EXPECT_FALSE(client.ReqReserveMachine(5, false, false, false, false));
    // Nothing of the refused requests went out: the next frame is the staff call.
    ASSERT_TRUE(client.ReqStaffCall());
    EXPECT_EQ(NextBody(), "7b00");
}

TEST_F(SenderFixture, MoneyDialogNamesAreBoundedTo20Units)
{
    const std::u16string name(25, u'x');
    ASSERT_TRUE(client.ReqCharge(1, name.c_str()));
    const auto body = peer.ReadFrameBody();
    ASSERT_TRUE(body.has_value());
    ASSERT_EQ(body->size(), 8u + 40);
    EXPECT_EQ(ToHex(Bytes(body->begin() + 6, body->begin() + 8)), "2800");
}

TEST_F(SenderFixture, SendPacketBoundsAndPing)
{
    std::vector<uint8_t> big(8191, 1);
    EXPECT_FALSE(client.SendPacket(big.data(), 8191));
    EXPECT_FALSE(client.SendPacket(big.data(), 0));
    EXPECT_TRUE(client.SendPacket(big.data(), 8190));
    const auto body = peer.ReadFrameBody();
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(body->size(), 8190u);

    ASSERT_TRUE(client.SendPing());
    const auto ping = peer.ReadFrameBody();
    ASSERT_TRUE(ping.has_value());
    ASSERT_EQ(ping->size(), 6u);
    EXPECT_EQ(ToHex(Bytes(ping->begin(), ping->begin() + 2)), "e903");
    float fSeconds;
    std::memcpy(&fSeconds, ping->data() + 2, 4);
    EXPECT_GE(fSeconds, 0.0f);
    EXPECT_LT(fSeconds, 60.0f);
}
