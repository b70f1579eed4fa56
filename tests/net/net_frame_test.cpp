// The framed connection against a raw peer on 127.0.0.1.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>

#include "HiNetworkClient.h"
#include "net_test_support.h"
#include "support/deadline.h"

using namespace net_test;

namespace {

// Records the notifications, which arrive on the I/O thread. While it lives, a test that runs past
// the suite's deadline reports its state and counts.
class FrameRecorder : public HiNetworkClient {
public:
    ~FrameRecorder() override { Close(); }

    std::string Describe()
    {
        std::unique_lock<std::mutex> g(m_mutex, std::try_to_lock);
        std::string s = "client state " + std::to_string(GetState());
        if (!g.owns_lock())
            return s + " (counts locked by a notification)";
        return s + ", connects ok " + std::to_string(m_nConnectOk) + ", failed " +
               std::to_string(m_nConnectFailed) + ", closes " + std::to_string(m_nClosed) +
               ", frames " + std::to_string(m_frames.size());
    }

    int Connects(bool bOk)
    {
        std::lock_guard<std::mutex> g(m_mutex);
        return bOk ? m_nConnectOk : m_nConnectFailed;
    }
    int Closes()
    {
        std::lock_guard<std::mutex> g(m_mutex);
        return m_nClosed;
    }
    std::vector<Bytes> Frames()
    {
        std::lock_guard<std::mutex> g(m_mutex);
        return m_frames;
    }

protected:
    void OnConnect(bool bOk) override
    {
        std::lock_guard<std::mutex> g(m_mutex);
        ++(bOk ? m_nConnectOk : m_nConnectFailed);
    }
    void OnClose() override
    {
        std::lock_guard<std::mutex> g(m_mutex);
        ++m_nClosed;
    }
    void OnReceive(const char* pBody, int nLength) override
    {
        std::lock_guard<std::mutex> g(m_mutex);
        m_frames.emplace_back(pBody, pBody + nLength);
    }

private:
    std::mutex m_mutex;
    int m_nConnectOk = 0;
    int m_nConnectFailed = 0;
    int m_nClosed = 0;
    std::vector<Bytes> m_frames;
    // Last, so it is removed after the destructor's Close: a hang there is still reported.
    test_support::WatchState m_watch{[this] { return Describe(); }};
};

// A client connected to a raw peer.
struct Connected {
    RawPeer peer;
    FrameRecorder client;

    Connected()
    {
        client.SetAsyncSend(false);
        EXPECT_TRUE(client.Connect("127.0.0.1", peer.Port()));
        EXPECT_TRUE(peer.Accept());
        EXPECT_TRUE(WaitUntil([&] { return client.Connects(true) == 1; }));
    }
};

Bytes Body(size_t n)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = uint8_t(i * 7 + 1);
    return b;
}

}  // namespace

TEST(HiNetworkClient, DeliversBodiesOfOneAnd8190Bytes)
{
    Connected c;
    ASSERT_TRUE(c.peer.Write(Frame(Body(1))));
    ASSERT_TRUE(c.peer.Write(Frame(Body(8190))));
    ASSERT_TRUE(WaitUntil([&] { return c.client.Frames().size() == 2; }));
    EXPECT_EQ(c.client.Frames()[0], Body(1));
    EXPECT_EQ(c.client.Frames()[1], Body(8190));
    EXPECT_EQ(c.client.GetState(), HiNetworkClient::STATE_CONNECTED);
    EXPECT_EQ(c.client.Closes(), 0);
}

TEST(HiNetworkClient, BadLengthClosesWithoutDelivering)
{
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"length 8191", Concat({Hex("ff1f"), Body(8191)})},
        {"length 0", Concat({Hex("0000"), Frame(Body(3))})},
    };
    for (const Case& k : cases) {
        Connected c;
        ASSERT_TRUE(c.peer.Write(k.bytes)) << k.name;
        ASSERT_TRUE(WaitUntil([&] { return c.client.Closes() == 1; })) << k.name;
        EXPECT_TRUE(c.client.Frames().empty()) << k.name;
        EXPECT_EQ(c.client.GetState(), HiNetworkClient::STATE_CLOSED) << k.name;
    }
}

TEST(HiNetworkClient, FrameSentOneByteAtATimeArrivesOnce)
{
    Connected c;
    const Bytes frame = Frame(Body(9));
    for (uint8_t b : frame) {
        ASSERT_TRUE(c.peer.Write({b}));
        std::this_thread::sleep_for(2ms);
    }
    ASSERT_TRUE(WaitUntil([&] { return c.client.Frames().size() == 1; }));
    std::this_thread::sleep_for(20ms);
    ASSERT_EQ(c.client.Frames().size(), 1u);
    EXPECT_EQ(c.client.Frames()[0], Body(9));
}

TEST(HiNetworkClient, TwoFramesInOneWriteArriveInOrder)
{
    Connected c;
    ASSERT_TRUE(c.peer.Write(Concat({Frame(Hex("0100aa")), Frame(Hex("0200bbcc"))})));
    ASSERT_TRUE(WaitUntil([&] { return c.client.Frames().size() == 2; }));
    EXPECT_EQ(c.client.Frames()[0], Hex("0100aa"));
    EXPECT_EQ(c.client.Frames()[1], Hex("0200bbcc"));
}

TEST(HiNetworkClient, PeerClosingMidBodyGivesOneCloseAndNoFrame)
{
    Connected c;
    ASSERT_TRUE(c.peer.Write(Hex("0a00 010203")));
    std::this_thread::sleep_for(10ms);
    c.peer.Close();
    ASSERT_TRUE(WaitUntil([&] { return c.client.Closes() == 1; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(c.client.Closes(), 1);
    EXPECT_TRUE(c.client.Frames().empty());
}

TEST(HiNetworkClient, RefusedConnectFailsOnceAndTheObjectReconnects)
{
    FrameRecorder client;
    uint16_t nClosedPort;
    {
        RawPeer gone;
        nClosedPort = gone.Port();
    }
    ASSERT_TRUE(client.Connect("127.0.0.1", nClosedPort));
    ASSERT_TRUE(WaitUntil([&] { return client.Connects(false) == 1; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(client.Connects(false), 1);
    EXPECT_EQ(client.Connects(true), 0);
    EXPECT_EQ(client.Closes(), 0);
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);

    RawPeer peer;
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.Connects(true) == 1; }));
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CONNECTED);
}

TEST(HiNetworkClient, ConnectRefusesMalformedAddressesAndASecondAttempt)
{
    FrameRecorder client;
    for (const char* address : {"", "localhost", "127.0.0", "256.1.1.1", "1.2.3.4.5"})
        EXPECT_FALSE(client.Connect(address, 1)) << address;
    EXPECT_FALSE(client.Connect(nullptr, 1));
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);

    RawPeer peer;
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    EXPECT_FALSE(client.Connect("127.0.0.1", peer.Port()));
}

TEST(HiNetworkClient, CloseJoinsAndReportsOneClose)
{
    Connected c;
    c.client.Close();
    EXPECT_EQ(c.client.GetState(), HiNetworkClient::STATE_CLOSED);
    EXPECT_EQ(c.client.Closes(), 1);
    c.client.Close();
    EXPECT_EQ(c.client.Closes(), 1);
    // The peer sees the end of the connection.
    EXPECT_FALSE(c.peer.Read(1, 1000ms).has_value());
}

namespace {

// A listener with a full backlog: further connection requests stay unanswered, so an attempt to
// reach it stays in progress until its timeout.
class UnansweringListener {
public:
    UnansweringListener()
    {
        const boost::asio::ip::tcp::endpoint local(boost::asio::ip::make_address_v4("127.0.0.1"),
                                                   0);
        m_acceptor.open(local.protocol());
        m_acceptor.bind(local);
        m_acceptor.listen(0);
        for (int i = 0; i < 8; ++i) {
            // The connection request goes out when the operation starts; the context never runs.
            auto s = std::make_unique<boost::asio::ip::tcp::socket>(m_io);
            s->async_connect(m_acceptor.local_endpoint(), [](const boost::system::error_code&) {});
            m_fillers.push_back(std::move(s));
        }
        std::this_thread::sleep_for(50ms);
    }
    uint16_t Port() const { return m_acceptor.local_endpoint().port(); }

private:
    boost::asio::io_context m_io;
    boost::asio::ip::tcp::acceptor m_acceptor{m_io};
    std::vector<std::unique_ptr<boost::asio::ip::tcp::socket>> m_fillers;
};

}  // namespace

TEST(HiNetworkClient, CloseDuringAnAttemptReportsNothingAndReconnects)
{
    // The attempt goes to a listener that never answers, so the close finds it still running.
    UnansweringListener listener;
    RawPeer peer;
    FrameRecorder client;
    ASSERT_TRUE(client.Connect("127.0.0.1", listener.Port()));
    client.Close();
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
    EXPECT_EQ(client.Closes(), 0);
    EXPECT_EQ(client.Connects(false), 0);
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(WaitUntil([&] { return client.Connects(true) >= 1; }));
}

TEST(HiNetworkClient, SendAfterPeerResetGivesOneCloseAndNoSignal)
{
    // A SIGPIPE would end the test program (its default action), so passing shows there was none.
    Connected c;
    c.peer.Reset();
    HiPacketBuffer packet;
    const Bytes body = Body(100);
    ASSERT_TRUE(packet.SetBody(body.data(), int32_t(body.size())));
    for (int i = 0; i < 20 && c.client.IsConnected(); ++i) {
        c.client.Send(packet);
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(WaitUntil([&] { return c.client.Closes() >= 1; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(c.client.Closes(), 1);
    EXPECT_EQ(c.client.Connects(false), 0);
    EXPECT_EQ(c.client.Send(packet), 0);
}

TEST(HiNetworkClient, SynchronousSendWritesTheWholeFrame)
{
    Connected c;
    HiPacketBuffer packet;
    const Bytes body = Hex("6300");
    ASSERT_TRUE(packet.SetBody(body.data(), 2));
    EXPECT_EQ(c.client.Send(packet), 4);
    EXPECT_EQ(c.peer.Read(4), Hex("0200 6300"));
}

TEST(HiNetworkClient, AsynchronousSendsGoOutInOrder)
{
    Connected c;
    c.client.SetAsyncSend(true);
    for (uint8_t i = 1; i <= 3; ++i) {
        HiPacketBuffer packet;
        const uint8_t body[] = {i};
        ASSERT_TRUE(packet.SetBody(body, 1));
        EXPECT_EQ(c.client.Send(packet), 3);
    }
    EXPECT_EQ(c.peer.Read(9), Hex("010001 010002 010003"));
}

TEST(HiNetworkClient, ConnectTimeoutIsTwentySecondsUntilSet)
{
    // The attempt below waits the timeout it is given; this is the one it gets when none is set.
    FrameRecorder client;
    EXPECT_EQ(client.GetConnectTimeout(), 20000u);
    client.SetConnectTimeout(300);
    EXPECT_EQ(client.GetConnectTimeout(), 300u);
}

TEST(HiNetworkClient, AttemptWithoutAnswerFailsAfterTheTimeout)
{
    UnansweringListener listener;
    FrameRecorder client;
    client.SetConnectTimeout(300);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(client.Connect("127.0.0.1", listener.Port()));
    ASSERT_TRUE(
        WaitUntil([&] { return client.Connects(false) + client.Connects(true) > 0; }, 5000ms));
    if (client.Connects(true) > 0)
        GTEST_SKIP() << "this kernel answered a connection beyond the backlog";
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
    EXPECT_EQ(client.Connects(false), 1);
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
}

namespace {

// Throws from the first frame's notification.
class ThrowingReceiver : public FrameRecorder {
protected:
    void OnReceive(const char*, int) override { throw std::runtime_error("handler failed"); }
};

}  // namespace

TEST(HiNetworkClient, ThrowingNotificationEndsTheConnectionNotTheThread)
{
    RawPeer peer;
    ThrowingReceiver client;
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.Connects(true) == 1; }));
    ASSERT_TRUE(peer.Write(Frame(Hex("0100"))));
    ASSERT_TRUE(WaitUntil([&] { return client.Closes() == 1; }));
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.Connects(true) == 2; }));
    client.Close();
}

namespace {

// Answers each frame from its notification: echoes it with a synchronous send, and closes on a
// frame of the single byte ff.
class EchoFromNotification : public FrameRecorder {
public:
    std::atomic<int> nSent{0};

protected:
    void OnReceive(const char* pBody, int nLength) override
    {
        FrameRecorder::OnReceive(pBody, nLength);
        if (nLength == 1 && uint8_t(pBody[0]) == 0xff) {
            Close();
            return;
        }
        HiPacketBuffer packet;
        packet.SetBody(pBody, nLength);
        nSent = Send(packet);
    }
};

}  // namespace

TEST(HiNetworkClient, SendAndCloseFromANotificationDoNotDeadlock)
{
    RawPeer peer;
    EchoFromNotification client;
    client.SetAsyncSend(false);
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.Connects(true) == 1; }));

    ASSERT_TRUE(peer.Write(Frame(Hex("0102"))));
    EXPECT_EQ(peer.Read(4, 2000ms), Hex("0200 0102"));
    EXPECT_TRUE(WaitUntil([&] { return client.nSent.load() == 4; }));  // the queued frame's size

    ASSERT_TRUE(peer.Write(Frame(Hex("ff"))));
    ASSERT_TRUE(WaitUntil([&] { return client.Closes() == 1; }));
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
    EXPECT_FALSE(peer.Read(1, 1000ms).has_value());  // the link was ended
    client.Close();
    EXPECT_EQ(client.Closes(), 1);
}
