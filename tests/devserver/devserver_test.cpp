// The server over real TCP on loopback, driven by a plain client.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "Answers.h"
#include "DevServer.h"
#include "Hex.h"
#include "ReadyScripts.h"
#include "hex_util.h"
#include "loopback_client.h"

using namespace devserver;
using namespace std::chrono_literals;
using devserver_test::H;
using devserver_test::LoopbackClient;
using ::testing::HasSubstr;

namespace {

constexpr Millis kBound = 5000ms;

std::string Hex(const std::optional<Bytes>& bytes)
{
    return bytes ? ToHex(*bytes, 200) : "(nothing)";
}

// Starts `script` on a fresh server, connects a client, and gives both to the test.
struct Running {
    explicit Running(Script script) : server("127.0.0.1", 0)
    {
        EXPECT_TRUE(server.Start(std::move(script)));
        client.emplace(server.Port());
    }

    Outcome Finish()
    {
        auto outcome = server.Wait(kBound);
        EXPECT_TRUE(outcome) << "the script did not end in time";
        return outcome.value_or(Outcome{});
    }

    DevServer server;
    std::optional<LoopbackClient> client;
};

}  // namespace

TEST(DevServerTest, ListensOnLoopbackOnly)
{
    for (const char* address : {"0.0.0.0", "10.0.0.1", "192.168.1.20", "128.0.0.1", "localhost",
                                "::1", "127.0.0.256", ""})
        EXPECT_THROW(DevServer(address, 0), std::invalid_argument) << address;

    DevServer other("127.0.0.2", 0);
    EXPECT_NE(other.Port(), 0);
    EXPECT_EQ(other.Address(), "127.0.0.2");
}

TEST(DevServerTest, LoginScriptAnswersTheLoginRoadAndPings)
{
    Running run(*ReadyScript("login"));
    LoopbackClient& client = *run.client;

    client.Send(H("22 00 04 00 75 73 65 72 00 00 00 00 00 00 00 00 00 00 00 00"
                  " 70 77 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(Hex(client.Read(5)), "03 00 05 00 00");

    // A ping before the version message is answered in passing.
    client.Send(H("06 00 e9 03 00 00 c0 3f"));
    EXPECT_EQ(Hex(client.Read(8)), "06 00 e9 03 00 00 c0 3f");

    client.Send(H("06 00 00 00 01 01 00 00"));
    EXPECT_EQ(Hex(client.Read(5)), "03 00 01 00 01");

    client.Send(H("02 00 08 00"));
    EXPECT_EQ(Hex(client.Read(27)),
              "19 00 09 00 00 08 00 0c d5 08 b8 74 c7 b4 c5 40 42 0f 00 03 00 00 00"
              " 00 00 00 00");

    client.Send(H("02 00 63 00"));
    client.Send(H("06 00 e9 03 01 02 03 04"));
    EXPECT_EQ(Hex(client.Read(8)), "06 00 e9 03 01 02 03 04");
    client.Close();

    const Outcome outcome = run.Finish();
    EXPECT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(outcome.pingsAnswered, 2);
    ASSERT_EQ(outcome.received.size(), 6u);
    EXPECT_EQ(ToHex(outcome.received[4]), "63 00");
}

TEST(DevServerTest, FailedExpectationsSayWhichStepWhatWasExpectedAndWhatCame)
{
    struct Case {
        const char* name;
        Script script;
        std::optional<Bytes> send;  // nothing: the client stays silent; empty: it closes
        int failedStep;
        const char* message;
    };
    std::vector<Case> cases;
    cases.push_back({"other id", Script().Send(answers::LoginResult(0)).Expect(8),
                     H("22 00 04 00" + std::string(64, '0')), 2,
                     "step 2 (expect 8 MsgUserInfoRequest): expected 8 MsgUserInfoRequest, got 4 "
                     "MsgLogin: 04 00"});
    cases.push_back(
        {"field", Script().Expect(0, {FieldU32(2, 257)}), H("06 00 00 00 00 01 00 00"), 1,
         "field u32@2=257 of 0 MsgVersionCheck: expected 01 01 00 00, got 00 01 00 00"});
    cases.push_back(
        {"silence", Script().Expect(4, {}, 100ms), std::nullopt, 1,
         "step 1 (expect 4 MsgLogin): nothing came within 100 ms while waiting for 4 MsgLogin"});
    cases.push_back({"client closes", Script().Expect(4), Bytes{}, 1,
                     "the client closed the connection while waiting for 4 MsgLogin"});
    cases.push_back({"length 0", Script().Expect(4), H("00 00"), 1,
                     "the client sent a frame length of 0 (allowed 1..8190)"});
    cases.push_back({"length 8191", Script().Expect(4), H("ff 1f"), 1,
                     "the client sent a frame length of 8191"});
    cases.push_back({"request instead of a close", Script().ExpectClose(), H("02 00 08 00"), 1,
                     "expected the client to close, got 8 MsgUserInfoRequest: 08 00"});

    for (Case& c : cases) {
        Running run(std::move(c.script));
        if (c.send && c.send->empty())
            run.client->Close();
        else if (c.send)
            run.client->Send(*c.send);
        const Outcome outcome = run.Finish();
        EXPECT_FALSE(outcome.ok) << c.name;
        EXPECT_EQ(outcome.failedStep, c.failedStep) << c.name;
        EXPECT_THAT(outcome.message, HasSubstr(c.message)) << c.name;
    }
}

TEST(DevServerTest, WritesCanBeSplitOrJoined)
{
    {
        Running run(Script().Chunk(1, 30ms).Send(answers::LoginResult(0)));
        Bytes got = run.client->ReadSome();
        EXPECT_EQ(got.size(), 1u) << "the first piece is one byte";
        int reads = 1;
        while (got.size() < 5 && reads < 10) {
            const Bytes more = run.client->ReadSome();
            got.insert(got.end(), more.begin(), more.end());
            ++reads;
        }
        EXPECT_EQ(ToHex(got), "03 00 05 00 00");
        EXPECT_GE(reads, 2);
        EXPECT_TRUE(run.Finish().ok);
    }
    {
        Running run(Script()
                        .SendTogether({answers::LoginResult(0), answers::VersionCheckResult(1)})
                        .Wait(50ms)
                        .SendRaw(H("ff 1f 00")));
        EXPECT_TRUE(run.Finish().ok);
        EXPECT_EQ(ToHex(run.client->ReadSome()), "03 00 05 00 00 03 00 01 00 01 ff 1f 00");
    }
}

TEST(DevServerTest, CloseEndsInOrderAndResetAborts)
{
    struct Case {
        const char* name;
        Script script;
        boost::system::error_code end;
    };
    Case cases[] = {
        {"close", Script().Send(answers::LoginResult(0)).Close(), boost::asio::error::eof},
        {"reset", Script().Expect(8).Reset(), boost::asio::error::connection_reset},
    };
    for (Case& c : cases) {
        Running run(std::move(c.script));
        run.client->Send(H("02 00 08 00"));
        EXPECT_TRUE(run.Finish().ok) << c.name;
        EXPECT_EQ(run.client->WaitForEnd(), c.end) << c.name;
    }
}

TEST(DevServerTest, ExpectCloseAnswersPingsUntilTheClientGoes)
{
    Script script;
    script.answerPings = true;
    Running run(std::move(script.ExpectClose()));
    run.client->Send(H("06 00 e9 03 00 00 80 3f"));
    EXPECT_EQ(Hex(run.client->Read(8)), "06 00 e9 03 00 00 80 3f");
    run.client->Close();
    const Outcome outcome = run.Finish();
    EXPECT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(outcome.pingsAnswered, 1);
}

TEST(DevServerTest, NoConnectionInTimeFailsBeforeTheFirstStep)
{
    DevServer server("127.0.0.1", 0);
    Script script;
    script.acceptTimeout = 100ms;
    const Outcome outcome = server.Run(script.Expect(4));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedStep, 0);
    EXPECT_EQ(outcome.message, "no connection within 100 ms");
}

TEST(DevServerTest, AbortEndsAServingRunAndTheNextRunTakesANewConnection)
{
    DevServer server("127.0.0.1", 0);
    ASSERT_TRUE(server.Start(Script().Serve()));
    EXPECT_FALSE(server.Start(Script())) << "one run at a time";
    {
        LoopbackClient client(server.Port());
        client.Send(H("02 00 63 00"));
        EXPECT_FALSE(server.Wait(100ms)) << "serving goes on while the client stays";
        server.Abort();
        const auto outcome = server.Wait(kBound);
        ASSERT_TRUE(outcome);
        EXPECT_FALSE(outcome->ok);
        EXPECT_THAT(outcome->message, HasSubstr("aborted"));
        EXPECT_NE(client.WaitForEnd(), boost::asio::error::timed_out);
    }

    ASSERT_TRUE(server.Start(Script().Expect(8).Send(answers::LoginResult(0))));
    LoopbackClient again(server.Port());
    again.Send(H("02 00 08 00"));
    EXPECT_EQ(Hex(again.Read(5)), "03 00 05 00 00");
    const auto outcome = server.Wait(kBound);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->ok) << outcome->message;
}

TEST(DevServerTest, DestroyingTheServerEndsAWaitingRun)
{
    const auto start = std::chrono::steady_clock::now();
    {
        DevServer server("127.0.0.1", 0);
        ASSERT_TRUE(server.Start(Script().Expect(4)));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}
