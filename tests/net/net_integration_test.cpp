// The real client against the dev server over loopback: the client is driven like the program's
// frame loop, one Process per pass, and every wait is bounded.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "Answers.h"
#include "DevServer.h"
#include "Hex.h"
#include "ReadyScripts.h"
#include "Utf16.h"
#include "net_test_support.h"
#include "recording_client.h"

using namespace std::chrono_literals;
using devserver::DevServer;
using devserver::Outcome;
using devserver::Script;
using net_test::WatchClient;

namespace {

constexpr auto kBound = 5000ms;

// Answers the login road the way the program's protocol object does.
class LoginClient : public RecordingClient {
public:
    using RecordingClient::RecordingClient;

protected:
    void OnConnected() override
    {
        RecordingClient::OnConnected();
        ReqLogin("user", "pw");
    }
    void OnLoginResult(int32_t code) override
    {
        RecordingClient::OnLoginResult(code);
        if (code == 0)
            ReqVersionCheck();
    }
    void OnVersionCheckResult(bool accepted) override
    {
        RecordingClient::OnVersionCheckResult(accepted);
        if (accepted)
            ReqUserInfo();
    }
    void OnUserInfo() override
    {
        RecordingClient::OnUserInfo();
        ReqLobbyEnter();
        SendPing();
    }
};

// One Process per pass, like frames, until the condition holds or the time runs out.
template <class Condition>
bool PumpUntil(NetworkClient& client, Condition condition,
               std::chrono::milliseconds timeout = kBound)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        client.Process();
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(1ms);
    }
}

void PumpFrames(NetworkClient& client, int frames)
{
    for (int i = 0; i < frames; ++i) {
        client.Process();
        std::this_thread::sleep_for(1ms);
    }
}

template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = kBound)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

size_t Count(const std::vector<std::string>& calls, const std::string& call)
{
    return size_t(std::count(calls.begin(), calls.end(), call));
}

Outcome Finish(DevServer& server)
{
    auto outcome = server.Wait(kBound);
    EXPECT_TRUE(outcome) << "the dev server's script did not end in time";
    return outcome.value_or(Outcome{});
}

std::vector<uint16_t> Ids(const Outcome& outcome)
{
    std::vector<uint16_t> ids;
    for (const auto& body : outcome.received)
        ids.push_back(uint16_t(body.size() >= 2 ? body[0] | body[1] << 8 : 0xFFFF));
    return ids;
}

}  // namespace

TEST(NetIntegration, LoginScriptBringsTheClientToTheLobby)
{
    DevServer server("127.0.0.1", 0);
    ASSERT_TRUE(server.Start(*devserver::ReadyScript("login")));
    CMachineTable table;
    LoginClient client(table);
    const auto watch = WatchClient(client);
    ASSERT_TRUE(client.Connect("127.0.0.1", server.Port()));

    ASSERT_TRUE(PumpUntil(client, [&] { return Count(client.calls, "OnUserInfo()") == 1; }));
    EXPECT_EQ(client.calls,
              (std::vector<std::string>{"OnConnected()", "OnLoginResult(0)",
                                        "OnVersionCheckResult(true)", "OnUserInfo()"}));
    EXPECT_EQ(table.m_byLoggedIn, 1);
    EXPECT_EQ(table.m_nMoney, 1000000);
    EXPECT_EQ(table.m_nGiftTickets, 3);
    EXPECT_EQ(std::u16string(table.m_szNickname), u"\uD50C\uB808\uC774\uC5B4");
    for (const CMachineState& row : table.m_aRows)
        EXPECT_EQ(row.m_nGameType, 0);

    // The ping goes out inside OnUserInfo; its echo is read and dropped without a handler.
    PumpFrames(client, 50);
    client.Close();
    PumpFrames(client, 5);
    EXPECT_EQ(Count(client.calls, "OnDisconnected()"), 1u);

    const Outcome outcome = Finish(server);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(Ids(outcome), (std::vector<uint16_t>{4, 0, 8, 99, 1001}));
    EXPECT_EQ(outcome.pingsAnswered, 1);
    ASSERT_FALSE(outcome.received.empty());
    EXPECT_EQ(devserver::ToHex(outcome.received[0], 64),
              "04 00 75 73 65 72 00 00 00 00 00 00 00 00 00 00 00 00 70 77 00 00 00 00 00 00 00 00 "
              "00 00 00 00 00 00");
}

TEST(NetIntegration, ReadyScriptsLeadTheClientAstray)
{
    struct Case {
        const char* script;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"login-refused", {"OnConnected()", "OnLoginResult(2)"}},
        {"old-version", {"OnConnected()", "OnLoginResult(0)", "OnVersionCheckResult(false)"}},
        {"drop", {"OnConnected()", "OnDisconnected()"}},
    };
    for (const Case& c : cases) {
        DevServer server("127.0.0.1", 0);
        ASSERT_TRUE(server.Start(*devserver::ReadyScript(c.script))) << c.script;
        CMachineTable table;
        LoginClient client(table);
        const auto watch = WatchClient(client);
        ASSERT_TRUE(client.Connect("127.0.0.1", server.Port())) << c.script;
        EXPECT_TRUE(PumpUntil(client, [&] { return client.calls.size() >= c.calls.size(); }))
            << c.script;
        PumpFrames(client, 20);
        EXPECT_EQ(client.calls, c.calls) << c.script;
        client.Close();
        EXPECT_TRUE(Finish(server).ok) << c.script;
    }
}

TEST(NetIntegration, RefusedConnectFailsOnceAndTheSameObjectConnectsAgain)
{
    uint16_t closedPort;
    {
        DevServer gone("127.0.0.1", 0);
        closedPort = gone.Port();
    }
    CMachineTable table;
    RecordingClient client(table);
    const auto watch = WatchClient(client);
    ASSERT_TRUE(client.Connect("127.0.0.1", closedPort));
    ASSERT_TRUE(PumpUntil(client, [&] { return !client.calls.empty(); }));
    PumpFrames(client, 20);
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnConnectFailed()"}));

    DevServer server("127.0.0.1", 0);
    ASSERT_TRUE(server.Start(Script().Send(devserver::answers::LoginResult(0)).ExpectClose()));
    client.calls.clear();
    ASSERT_TRUE(client.Connect("127.0.0.1", server.Port()));
    ASSERT_TRUE(PumpUntil(client, [&] { return client.calls.size() >= 2; }));
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnConnected()", "OnLoginResult(0)"}));
    client.Close();
    EXPECT_TRUE(Finish(server).ok);
}

TEST(NetIntegration, CloseJoinsAndGivesOneClosedEvent)
{
    DevServer server("127.0.0.1", 0);
    ASSERT_TRUE(server.Start(Script().ExpectClose()));
    CMachineTable table;
    RecordingClient client(table);
    const auto watch = WatchClient(client);
    ASSERT_TRUE(client.Connect("127.0.0.1", server.Port()));
    ASSERT_TRUE(PumpUntil(client, [&] { return !client.calls.empty(); }));

    client.Close();
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
    const Outcome outcome = Finish(server);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    PumpFrames(client, 20);
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnConnected()", "OnDisconnected()"}));
}

TEST(NetIntegration, SendingAfterAPeerResetGivesOneClosedEventAndNoSignal)
{
    DevServer server("127.0.0.1", 0);
    ASSERT_TRUE(server.Start(Script().Expect(4).Reset()));
    CMachineTable table;
    LoginClient client(table);  // sends the login message on connect
    const auto watch = WatchClient(client);
    ASSERT_TRUE(client.Connect("127.0.0.1", server.Port()));
    ASSERT_TRUE(PumpUntil(client, [&] { return !client.calls.empty(); }));
    EXPECT_TRUE(Finish(server).ok);

    // Keep writing into the reset connection; a SIGPIPE would end the test program here.
    for (int i = 0; i < 50; ++i) {
        client.ReqUserInfo();
        client.SendPing();
        client.Process();
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(client.GetState(), HiNetworkClient::STATE_CLOSED);
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnConnected()", "OnDisconnected()"}));
}

TEST(NetIntegration, ThreeHundredMessagesQueuedBeforeAFrameAreAllDispatchedInIt)
{
    std::vector<devserver::Bytes> notices;
    for (int i = 0; i < 300; ++i)
        notices.push_back(
            devserver::answers::Notice(u"n" + devserver::Utf8ToUtf16(std::to_string(i))));
    DevServer server("127.0.0.1", 0);
    ASSERT_TRUE(server.Start(Script().SendTogether(notices).ExpectClose()));
    CMachineTable table;
    RecordingClient client(table);
    const auto watch = WatchClient(client);
    ASSERT_TRUE(client.Connect("127.0.0.1", server.Port()));
    ASSERT_TRUE(PumpUntil(client, [&] { return !client.calls.empty(); }));
    ASSERT_TRUE(WaitUntil([&] { return client.GetQueuedCount() == 300; }))
        << client.GetQueuedCount() << " queued";

    client.Process();
    ASSERT_EQ(client.calls.size(), 301u);
    EXPECT_EQ(client.calls[1], "OnNotice('n0')");
    EXPECT_EQ(client.calls[150], "OnNotice('n149')");
    EXPECT_EQ(client.calls[300], "OnNotice('n299')");
    EXPECT_EQ(client.GetQueuedCount(), 0u);
    EXPECT_EQ(client.GetPoolCount(), 300u);

    client.Close();
    EXPECT_TRUE(Finish(server).ok);
}

TEST(NetIntegration, MessagesQueuedWhenTheConnectionClosesAreNeverDispatched)
{
    DevServer server("127.0.0.1", 0);
    // The server waits for the login message, so the connected event has been delivered (a
    // connection that ends before the next frame shows only its closed event).
    ASSERT_TRUE(server.Start(
        Script()
            .Expect(4)
            .SendTogether({devserver::answers::Notice(u"a"), devserver::answers::Notice(u"b"),
                           devserver::answers::GiftTicketCount(4)})
            .Close()));
    CMachineTable table;
    LoginClient client(table);
    const auto watch = WatchClient(client);
    ASSERT_TRUE(client.Connect("127.0.0.1", server.Port()));
    // The Process that delivers the connected event returns without draining.
    ASSERT_TRUE(PumpUntil(client, [&] { return !client.calls.empty(); }));
    EXPECT_TRUE(Finish(server).ok);
    // The messages arrive before the end of the stream; the state turns closed just before the
    // close notification empties the queue, so both together mean the notification has run.
    ASSERT_TRUE(WaitUntil([&] {
        return client.GetState() == HiNetworkClient::STATE_CLOSED && client.GetQueuedCount() == 0;
    }));

    PumpFrames(client, 20);
    EXPECT_EQ(client.calls, (std::vector<std::string>{"OnConnected()", "OnDisconnected()"}));
    EXPECT_EQ(client.GetQueuedCount(), 0u);
    EXPECT_EQ(client.GetPoolCount(), size_t(NetworkClient::kInitialPoolSize));
    EXPECT_EQ(table.m_nGiftTickets, 0);
}
