// The dev server's play mode over loopback: any ID logs in, the player's data carries the nickname,
// money and gift tickets, and the lobby's requests get their answers with the player's money kept
// across them. Bodies are checked against hex written by hand.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "ByteBuilder.h"
#include "Hex.h"
#include "PlayServer.h"
#include "loopback_client.h"

namespace {

using devserver::ByteBuilder;
using devserver::Bytes;
using devserver_test::LoopbackClient;

std::string ToHex(const Bytes& bytes)
{
    return devserver::ToHex(bytes, 4096);
}

class PlayTest : public testing::Test {
protected:
    void SetUp() override
    {
        server = std::make_unique<devserver::PlayServer>(
            std::vector<std::string>{"127.0.0.1", "127.0.0.2"}, 0, devserver::DefaultPlayAnswers());
        server->SetLog([this](const std::string& line) {
            std::lock_guard<std::mutex> lock(logMutex);
            log.push_back(line);
        });
        server->Start();
    }
    void TearDown() override { server->Stop(); }

    // Sends one request and reads one answer body.
    static Bytes Ask(LoopbackClient& client, const Bytes& body)
    {
        client.Send(devserver::Frame(body));
        return Answer(client);
    }
    static Bytes Answer(LoopbackClient& client)
    {
        auto header = client.Read(2);
        if (!header)
            throw std::runtime_error("no answer");
        auto body = client.Read(size_t((*header)[0] | (*header)[1] << 8));
        if (!body)
            throw std::runtime_error("short answer");
        return *body;
    }
    static Bytes Login(LoopbackClient& client)
    {
        return Ask(client, ByteBuilder().U16(4).Chars(16, "kim").Chars(16, "anything").Take());
    }

    std::unique_ptr<devserver::PlayServer> server;
    std::mutex logMutex;
    std::vector<std::string> log;
};

TEST_F(PlayTest, AnyIdLogsInAndGetsThePlayersData)
{
    LoopbackClient client(server->Port(), "127.0.0.2");
    EXPECT_EQ(ToHex(Login(client)), "05 00 00");
    EXPECT_EQ(ToHex(Ask(client, ByteBuilder().U16(0).U32(257).Take())), "01 00 01");
    // 9: a byte, the nickname "플레이어 kim" (UTF-16LE, counted), money 1000000, 3 tickets, four
    // empty seats.
    EXPECT_EQ(
        ToHex(Ask(client, ByteBuilder().U16(8).Take())),
        "09 00 00 10 00 0c d5 08 b8 74 c7 b4 c5 20 00 6b 00 69 00 6d 00 40 42 0f 00 03 00 00 00 "
        "00 00 00 00");
}

TEST_F(PlayTest, LobbyRequestsAnswerAndKeepTheMoney)
{
    LoopbackClient client(server->Port());
    Login(client);
    struct Case {
        Bytes request;
        std::vector<std::string> answers;
    };
    const Case cases[] = {
        // Charge 5000: accepted, then the money after it.
        {ByteBuilder().U16(104).U32(5000).WStr(u"kim").Take(),
         {"69 00 00", "66 00 c8 55 0f 00 00"}},
        // Two gift tickets for 2000: money 1007000, one ticket left.
        {ByteBuilder().U16(110).U8(1).U32(2).Take(),
         {"6e 00 00 01 98 5d 0f 00 01 00 00 00 02 00 00 00 d0 07 00 00"}},
        // More tickets than held: refused.
        {ByteBuilder().U16(110).U8(1).U32(9).Take(), {"6e 00 01"}},
        // Exchange 7000: money 1000000, then the done notice.
        {ByteBuilder().U16(106).U32(7000).Take(), {"6b 00 00 40 42 0f 00", "80 00 58 1b 00 00"}},
        // Machine 101 of game type 2 into deck 1.
        {ByteBuilder().U16(12).U8(1).U8(2).U16(101).Take(), {"0d 00 00 01 02 65 00"}},
        // Chat echo under the nickname.
        {ByteBuilder().U16(100).U8(0).WStr(u"hi").Take(),
         {"65 00 00 00 10 00 0c d5 08 b8 74 c7 b4 c5 20 00 6b 00 69 00 6d 00 04 00 68 00 69 00"}},
        // Keep-alive echoed.
        {ByteBuilder().U16(1001).F32(1.5f).Take(), {"e9 03 00 00 c0 3f"}},
        {ByteBuilder().U16(123).Take(), {"7c 00 01"}},
        {ByteBuilder().U16(117).Take(), {"76 00 18 00 00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToHex(c.request));
        client.Send(devserver::Frame(c.request));
        for (const std::string& expected : c.answers)
            EXPECT_EQ(ToHex(Answer(client)), expected);
    }
}

TEST_F(PlayTest, ChannelListAndMachineLogFollowTheSelectedMachines)
{
    LoopbackClient client(server->Port());
    Login(client);
    const Bytes channel = Ask(client, ByteBuilder().U16(10).U8(3).Take());
    ASSERT_EQ(channel.size(), 5u + 100 * 3);
    EXPECT_EQ(ToHex(Bytes(channel.begin(), channel.begin() + 11)),
              "0b 00 03 64 00 01 00 01 02 00 01");
    EXPECT_EQ(ToHex(Bytes(channel.begin() + 5 + 4 * 3, channel.begin() + 5 + 5 * 3)), "05 00 00")
        << "every fifth machine is taken";
    Ask(client, ByteBuilder().U16(12).U8(0).U8(3).U16(42).Take());
    const Bytes again = Ask(client, ByteBuilder().U16(10).U8(3).Take());
    EXPECT_EQ(ToHex(Bytes(again.begin() + 5 + 41 * 3, again.begin() + 5 + 42 * 3)), "2a 00 00")
        << "the player's machine is taken";
    EXPECT_EQ(ToHex(Ask(client, ByteBuilder().U16(121).U8(20).Take())),
              "7a 00 03 2a 00 01 0c 0a 13 1e 01 e8 03 00 00 00 00 00 00 00 00 00 "
              "01 03 2a 00 0c 0a 13 1e 01 e8 03 00 00 03 00 00 00");
}

TEST_F(PlayTest, AnUnknownRequestIsLoggedAndTheConnectionGoesOn)
{
    LoopbackClient client(server->Port());
    client.Send(devserver::Frame(ByteBuilder().U16(777).Take()));
    EXPECT_EQ(ToHex(Login(client)), "05 00 00");
    std::lock_guard<std::mutex> lock(logMutex);
    bool logged = false;
    for (const std::string& line : log)
        logged = logged || line.find("no answer for 777") != std::string::npos;
    EXPECT_TRUE(logged);
}

TEST(PlayServerTest, RefusesAddressesOutsideLoopback)
{
    EXPECT_THROW(devserver::PlayServer({"10.0.0.1"}, 0, devserver::DefaultPlayAnswers()),
                 std::invalid_argument);
}

}  // namespace
