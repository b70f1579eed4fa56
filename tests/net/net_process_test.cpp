// NetworkClient's per-frame delivery: one connection event per frame, else every queued message.
#include <gtest/gtest.h>

#include "net_test_support.h"
#include "recording_client.h"

using namespace net_test;

namespace {

// A short body of message 128 carrying n as its amount.
Bytes Msg128(uint32_t n)
{
    return Bytes{128, 0, uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
}

} // namespace

TEST(NetworkClientProcess, ConnectionEventComesOneFrameBeforeItsMessages)
{
    CMachineTable table;
    RecordingClient client(table);
    client.InjectConnect(true);
    for (uint32_t i = 1; i <= 3; ++i)
        client.InjectReceive(Msg128(i));
    client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnConnected()"});
    client.calls.clear();
    client.Process();
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnExchangeDone(1)", "OnExchangeDone(2)", "OnExchangeDone(3)"}));
    client.calls.clear();
    client.Process();
    EXPECT_TRUE(client.calls.empty());
}

TEST(NetworkClientProcess, AtMostOneEventPerFrameInItsOrder)
{
    CMachineTable table;
    RecordingClient client(table);
    client.InjectConnect(false);
    client.InjectClose(); // clears the connect-failed event, as a lost link does
    client.InjectConnect(true);
    client.InjectConnect(false);
    std::vector<std::string> frames;
    for (int i = 0; i < 4; ++i)
    {
        client.calls.clear();
        client.Process();
        frames.push_back(client.calls.empty() ? "-" : client.calls.front());
        EXPECT_LE(client.calls.size(), 1u);
    }
    // The connect success cleared the closed event; connected comes before connect failed.
    EXPECT_EQ(frames, (std::vector<std::string>{"OnConnected()", "OnConnectFailed()", "-", "-"}));
}

TEST(NetworkClientProcess, ThreeHundredMessagesInOneFrame)
{
    CMachineTable table;
    RecordingClient client(table);
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

TEST(NetworkClientProcess, CloseWithMessagesQueuedDispatchesNone)
{
    CMachineTable table;
    RecordingClient client(table);
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

TEST(NetworkClientProcess, SendersRefuseUnlessConnected)
{
    CMachineTable table;
    RecordingClient client(table);
    const uint8_t body[] = {8, 0};
    EXPECT_FALSE(client.SendPacket(body, 2));
    EXPECT_FALSE(client.SendPing());
    EXPECT_FALSE(client.ReqUserInfo());
    EXPECT_FALSE(client.ReqLogin("a", "b"));
    EXPECT_FALSE(client.ReqChat(u"hi"));
    EXPECT_FALSE(client.ReqReserveMachine(3, true, false, false, false));
    EXPECT_FALSE(client.ReqJixEnter(1, 1));
    EXPECT_FALSE(client.ReqPelagorn37(3, 1, 0, 0, 0, 0));
}

TEST(NetworkClientProcess, OverflowingTheQueueClosesTheConnection)
{
    RawPeer peer;
    CMachineTable table;
    RecordingClient client(table);
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.IsConnected(); }));
    Bytes burst;
    for (size_t i = 0; i <= NetworkClient::kMaxQueuedMessages; ++i)
    {
        const Bytes f = Frame(Msg128(uint32_t(i)));
        burst.insert(burst.end(), f.begin(), f.end());
    }
    ASSERT_TRUE(peer.Write(burst));
    ASSERT_TRUE(WaitUntil([&] { return !client.IsConnected(); }));
    // The lost link replaces the connected event that no frame has delivered yet.
    client.Process();
    client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnDisconnected()"});
    EXPECT_EQ(client.GetQueuedCount(), 0u);
}

TEST(NetworkClientProcess, EndToEndOverLoopback)
{
    RawPeer peer;
    CMachineTable table;
    RecordingClient client(table);
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.IsConnected(); }));
    client.Process();
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
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnLoginResult(0)", "OnVersionCheckResult(true)"}));
    EXPECT_EQ(table.m_byLoggedIn, 1);

    peer.Close();
    ASSERT_TRUE(WaitUntil([&] { return !client.IsConnected(); }));
    client.calls.clear();
    client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnDisconnected()"});
    client.Close();
    client.calls.clear();
    client.Process();
    EXPECT_TRUE(client.calls.empty()); // the link was already lost: no second closed event
}

TEST(NetworkClientProcess, CloseGivesOneClosedEvent)
{
    RawPeer peer;
    CMachineTable table;
    RecordingClient client(table);
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.IsConnected(); }));
    client.Process();
    client.calls.clear();
    client.Close();
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
    for (int i = 0; i < 3; ++i)
        client.Process();
    EXPECT_EQ(client.calls, std::vector<std::string>{"OnDisconnected()"});
}

TEST(NetworkClientProcess, DestroyingAClientThatIsReceivingIsSafe)
{
    RawPeer peer;
    CMachineTable table;
    Bytes burst;
    for (uint32_t i = 0; i < 500; ++i)
    {
        const Bytes f = Frame(Msg128(i));
        burst.insert(burst.end(), f.begin(), f.end());
    }
    {
        RecordingClient client(table);
        ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
        ASSERT_TRUE(peer.Accept());
        ASSERT_TRUE(WaitUntil([&] { return client.IsConnected(); }));
        ASSERT_TRUE(peer.Write(burst));
        // The destructor stops the I/O thread before the queues it fills go away.
    }
    EXPECT_FALSE(peer.Read(1, 1000ms).has_value());
}
