// NetworkClient's per-frame delivery: one connection event per frame, else every queued message.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "net_test_support.h"
#include "recording_client.h"

using namespace net_test;

namespace {

// A short body of message 128 carrying n as its amount.
Bytes Msg128(uint32_t n)
{
    return Bytes{128, 0, uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
}

// n frames of message 128 back to back, carrying 0, 1, ... n - 1.
Bytes Burst(size_t n)
{
    Bytes burst;
    for (size_t i = 0; i < n; ++i) {
        const Bytes f = Frame(Msg128(uint32_t(i)));
        burst.insert(burst.end(), f.begin(), f.end());
    }
    return burst;
}

}  // namespace

// Every test drives one recording client over its own machine table, watched for the deadline
// report.
class NetworkClientProcess : public ::testing::Test {
protected:
    CMachineTable table;
    RecordingClient client{table};
    const test_support::WatchState watch = WatchClient(client);
};

TEST_F(NetworkClientProcess, ConnectionEventComesOneFrameBeforeItsMessages)
{
    client.InjectConnect(true);
    for (uint32_t i = 1; i <= 3; ++i)
        client.InjectReceive(Msg128(i));
    client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnConnected()"});
    client.calls.clear();
    client.Process();
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnExchangeDone(1)", "OnExchangeDone(2)",
                                                      "OnExchangeDone(3)"}));
    client.calls.clear();
    client.Process();
    EXPECT_TRUE(client.calls.empty());
}

TEST_F(NetworkClientProcess, AtMostOneEventPerFrameInItsOrder)
{
    client.InjectConnect(false);
    client.InjectClose();  // clears the connect-failed event, as a lost link does
    client.InjectConnect(true);
    client.InjectConnect(false);
    std::vector<std::string> frames;
    for (int i = 0; i < 4; ++i) {
        client.calls.clear();
        client.Process();
        frames.push_back(client.calls.empty() ? "-" : client.calls.front());
        EXPECT_LE(client.calls.size(), 1u);
    }
    // The connect success cleared the closed event; connected comes before connect failed.
    EXPECT_EQ(frames, (std::vector<std::string>{"OnConnected()", "OnConnectFailed()", "-", "-"}));
}

TEST_F(NetworkClientProcess, ThreeHundredMessagesInOneFrame)
{
    EXPECT_EQ(client.GetPoolCount(), 256u);
    for (uint32_t i = 0; i < 300; ++i)
        client.InjectReceive(Msg128(i));
    EXPECT_EQ(client.GetQueuedCount(), 300u);
    client.Process();
    ASSERT_EQ(client.calls.size(), 300u);
    EXPECT_EQ(client.calls.front(), "OnExchangeDone(0)");
    EXPECT_EQ(client.calls.back(), "OnExchangeDone(299)");
    EXPECT_EQ(client.GetQueuedCount(), 0u);
    EXPECT_EQ(client.GetPoolCount(), 300u);
}

TEST_F(NetworkClientProcess, CloseWithMessagesQueuedDispatchesNone)
{
    for (uint32_t i = 0; i < 5; ++i)
        client.InjectReceive(Msg128(i));
    client.InjectClose();
    EXPECT_EQ(client.GetQueuedCount(), 0u);
    EXPECT_EQ(client.GetPoolCount(), 256u);
    client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnDisconnected()"});
    client.calls.clear();
    client.Process();
    EXPECT_TRUE(client.calls.empty());
}

TEST_F(NetworkClientProcess, SendersRefuseUnlessConnected)
{
    const uint8_t body[] = {8, 0};
    using Sender = std::function<bool(NetworkClient&)>;
    const std::vector<std::pair<const char*, Sender>> senders = {
        {"SendPacket", [&](NetworkClient& c) { return c.SendPacket(body, 2); }},
        {"SendPing", [](NetworkClient& c) { return c.SendPing(); }},
        {"ReqVersionCheck", [](NetworkClient& c) { return c.ReqVersionCheck(); }},
        {"ReqLogin", [](NetworkClient& c) { return c.ReqLogin("a", "b"); }},
        {"ReqUserInfo", [](NetworkClient& c) { return c.ReqUserInfo(); }},
        {"ReqChannelInfo", [](NetworkClient& c) { return c.ReqChannelInfo(1); }},
        {"ReqMachineSelect", [](NetworkClient& c) { return c.ReqMachineSelect(0, 1, 1); }},
        {"ReqLobbyEnter", [](NetworkClient& c) { return c.ReqLobbyEnter(); }},
        {"ReqChat", [](NetworkClient& c) { return c.ReqChat(u"hi"); }},
        {"ReqInquiry", [](NetworkClient& c) { return c.ReqInquiry(u"hi"); }},
        {"ReqCharge", [](NetworkClient& c) { return c.ReqCharge(10000, u"a"); }},
        {"ReqExchange",
         [](NetworkClient& c) { return c.ReqExchange(10000, u"b", u"h", "1", "2"); }},
        {"ReqDeckSwap", [](NetworkClient& c) { return c.ReqDeckSwap(0, 1); }},
        {"ReqGiftTicketInfo", [](NetworkClient& c) { return c.ReqGiftTicketInfo(); }},
        {"ReqGiftTicketExchange", [](NetworkClient& c) { return c.ReqGiftTicketExchange(1); }},
        {"ReqReserveInfo", [](NetworkClient& c) { return c.ReqReserveInfo(); }},
        {"ReqReserveStatus", [](NetworkClient& c) { return c.ReqReserveStatus(); }},
        {"ReqReserveMachine",
         [](NetworkClient& c) { return c.ReqReserveMachine(3, true, false, false, false); }},
        {"ReqStaffCall", [](NetworkClient& c) { return c.ReqStaffCall(); }},
        {"ReqJixEnter", [](NetworkClient& c) { return c.ReqJixEnter(1, 1); }},
        {"ReqJixCoinIn", [](NetworkClient& c) { return c.ReqJixCoinIn(1, 1); }},
        {"ReqJixPlayStart", [](NetworkClient& c) { return c.ReqJixPlayStart(1, 1); }},
        {"ReqJixBonus", [](NetworkClient& c) { return c.ReqJixBonus(1, 1, 5); }},
        {"ReqJixSpinData", [](NetworkClient& c) { return c.ReqJixSpinData(1, 1); }},
        {"ReqJixSpinEnd", [](NetworkClient& c) { return c.ReqJixSpinEnd(1, 1); }},
        {"ReqJixTicketOut", [](NetworkClient& c) { return c.ReqJixTicketOut(1, 1); }},
        {"ReqJixAction", [](NetworkClient& c) { return c.ReqJixAction(1, 1); }},
        {"ReqJixGameFin", [](NetworkClient& c) { return c.ReqJixGameFin(1, 1); }},
        {"ReqMorvaneEnter", [](NetworkClient& c) { return c.ReqMorvaneEnter(2, 1); }},
        {"ReqMorvaneCoinIn", [](NetworkClient& c) { return c.ReqMorvaneCoinIn(2, 1); }},
        {"ReqMorvaneSpinData", [](NetworkClient& c) { return c.ReqMorvaneSpinData(2, 1); }},
        {"ReqMorvaneSpinEnd", [](NetworkClient& c) { return c.ReqMorvaneSpinEnd(2, 1, 1); }},
        {"ReqMorvaneTicketOut", [](NetworkClient& c) { return c.ReqMorvaneTicketOut(2, 1); }},
        {"ReqMorvane29", [](NetworkClient& c) { return c.ReqMorvane29(2, 1); }},
        {"ReqMorvanePerformanceValue",
         [](NetworkClient& c) { return c.ReqMorvanePerformanceValue(2, 1, 1, true); }},
        {"ReqMorvanePerformanceEnd",
         [](NetworkClient& c) { return c.ReqMorvanePerformanceEnd(2, 1); }},
        {"ReqMorvaneSpinDone", [](NetworkClient& c) { return c.ReqMorvaneSpinDone(2, 1); }},
        {"ReqMorvaneGameFin", [](NetworkClient& c) { return c.ReqMorvaneGameFin(2, 1); }},
        {"ReqPelagornEnter", [](NetworkClient& c) { return c.ReqPelagornEnter(3, 1); }},
        {"ReqPelagornCoinIn", [](NetworkClient& c) { return c.ReqPelagornCoinIn(3, 1); }},
        {"ReqPelagorn36", [](NetworkClient& c) { return c.ReqPelagorn36(3, 1); }},
        {"ReqPelagorn37", [](NetworkClient& c) { return c.ReqPelagorn37(3, 1, 0, 0, 0, 0); }},
        {"ReqPelagornSpinData", [](NetworkClient& c) { return c.ReqPelagornSpinData(3, 1); }},
        {"ReqPelagorn39", [](NetworkClient& c) { return c.ReqPelagorn39(3, 1); }},
        {"ReqPelagornSpinEnd", [](NetworkClient& c) { return c.ReqPelagornSpinEnd(3, 1); }},
        {"ReqPelagornTicketOut", [](NetworkClient& c) { return c.ReqPelagornTicketOut(3, 1); }},
        {"ReqPelagorn42", [](NetworkClient& c) { return c.ReqPelagorn42(3, 1); }},
        {"ReqPelagornGameFin", [](NetworkClient& c) { return c.ReqPelagornGameFin(3, 1); }},
    };
    for (const auto& [name, send] : senders)
        EXPECT_FALSE(send(client)) << name;
}

TEST_F(NetworkClientProcess, OverflowingTheQueueClosesTheConnection)
{
    RawPeer peer;
    ASSERT_NO_FATAL_FAILURE(ConnectToPeer(client, peer));
    ASSERT_TRUE(peer.Write(Burst(NetworkClient::kMaxQueuedMessages + 1)));
    // The link is marked lost before its queue is emptied and its event set: wait for both.
    ASSERT_TRUE(WaitUntil([&] { return !client.IsConnected() && client.GetQueuedCount() == 0; }))
        << "connected " << client.IsConnected() << ", queued " << client.GetQueuedCount();
    ASSERT_TRUE(ProcessUntilCalled(client));
    // The lost link replaces the connected event that no frame has delivered yet.
    client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnDisconnected()"});
    EXPECT_EQ(client.GetQueuedCount(), 0u);
}

TEST_F(NetworkClientProcess, EndToEndOverLoopback)
{
    RawPeer peer;
    ASSERT_NO_FATAL_FAILURE(ConnectToPeer(client, peer));
    ASSERT_TRUE(ProcessUntilCalled(client));
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnConnected()"});

    EXPECT_TRUE(client.ReqUserInfo());
    EXPECT_EQ(peer.Read(4), Hex("0200 0800"));
    EXPECT_TRUE(client.SendPing());
    const auto ping = peer.Read(8);
    ASSERT_TRUE(ping.has_value());
    EXPECT_EQ(ToHex(Bytes(ping->begin(), ping->begin() + 4)), "0600e903");

    ASSERT_TRUE(peer.Write(Concat({Frame(Hex("0500 00")), Frame(Hex("0100 01"))})));
    ASSERT_TRUE(WaitUntil([&] { return client.GetQueuedCount() == 2; }));
    client.calls.clear();
    client.Process();
    EXPECT_EQ(client.calls,
              (std::vector<std::string>{"OnLoginResult(0)", "OnVersionCheckResult(true)"}));
    EXPECT_EQ(table.m_byLoggedIn, 1);

    peer.Close();
    client.calls.clear();
    // The closed event follows the state change on the I/O thread: poll frames until it comes.
    ASSERT_TRUE(ProcessUntilCalled(client));
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnDisconnected()"});
    client.Close();
    client.calls.clear();
    client.Process();
    EXPECT_TRUE(client.calls.empty());  // the link was already lost: no second closed event
}

TEST_F(NetworkClientProcess, CloseGivesOneClosedEvent)
{
    RawPeer peer;
    ASSERT_NO_FATAL_FAILURE(ConnectToPeer(client, peer));
    ASSERT_TRUE(ProcessUntilCalled(client));
    client.calls.clear();
    client.Close();
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
    for (int i = 0; i < 3; ++i)
        client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnDisconnected()"});
}

TEST_F(NetworkClientProcess, DestroyingAClientThatIsReceivingIsSafe)
{
    RawPeer peer;
    const Bytes burst = Burst(500);
    {
        // A client of its own, destroyed while its I/O thread still fills its queues.
        RecordingClient receiving(table);
        const auto receivingWatch = WatchClient(receiving);
        ASSERT_NO_FATAL_FAILURE(ConnectToPeer(receiving, peer));
        ASSERT_TRUE(peer.Write(burst));
        // The destructor stops the I/O thread before the queues it fills go away.
    }
    EXPECT_FALSE(peer.Read(1, 1000ms).has_value());
}
