// Request checks and the script text format.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Hex.h"
#include "ReadyScripts.h"
#include "Script.h"
#include "ScriptText.h"
#include "hex_util.h"

using namespace devserver;
using devserver_test::H;
using ::testing::HasSubstr;

TEST(CheckRequestTest, ReportsWhatWasExpectedAndWhatCame)
{
    const Bytes login = H("04 00 75 73 65 72 00 00 00 00 00 00 00 00 00 00 00 00"
                          " 70 77 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    struct Case {
        const char* name;
        ExpectStep step;
        Bytes body;
        const char* problem;  // nullptr: the body passes
    };
    const Case cases[] = {
        {"id only", {4, {}, {}}, login, nullptr},
        {"id and char fields",
         {4, {}, {FieldChars(2, 16, "user"), FieldChars(18, 16, "pw")}},
         login,
         nullptr},
        {"other id", {8, {}, {}}, login, "expected 8 MsgUserInfoRequest, got 4 MsgLogin: 04 00 75"},
        {"char field differs",
         {4, {}, {FieldChars(2, 16, "usex")}},
         login,
         "field char16@2=\"usex\" of 4 MsgLogin: expected 75 73 65 78"},
        {"u32 differs",
         {0, {}, {FieldU32(2, 257)}},
         H("00 00 00 01 00 00"),
         "field u32@2=257 of 0 MsgVersionCheck: expected 01 01 00 00, got 00 01 00 00"},
        {"field past the end",
         {0, {}, {FieldU32(2, 257)}},
         H("00 00 01 01 00"),
         "expected 01 01 00 00, got a body of 5 bytes"},
        {"u16 at an odd offset", {12, {}, {FieldU16(4, 0x0135)}}, H("0c 00 01 02 35 01"), nullptr},
        {"whole body", {99, H("63 00"), {}}, H("63 00"), nullptr},
        {"whole body differs",
         {99, H("63 00"), {}},
         H("63 00 00"),
         "body of 99 MsgLobbyEnter differs: expected 63 00, got 63 00 00"},
        {"body shorter than an id", {8, {}, {}}, H("08"), "got a body of 1 byte(s): 08"},
    };
    for (const Case& c : cases) {
        const auto problem = CheckRequest(c.step, c.body);
        if (!c.problem)
            EXPECT_FALSE(problem) << c.name << ": " << *problem;
        else
            EXPECT_THAT(problem.value_or("(passed)"), HasSubstr(c.problem)) << c.name;
    }
}

TEST(ScriptTextTest, ReadsEveryCommand)
{
    const char* text = R"(# a script
name trial
pings on
accept-timeout 250
expect 4 char16@2="my id" u32@34=0x10 timeout=1500   # trailing comment
expect 99 body=6300
send 9 u8:0 wstr:"A B" u32:16 i32:-2 f32:1.5 char16:x zero:2 hex:ff
together
  send 5 u8:0
  send 1 u8:1
end
raw ff 1f 00
chunk 1 20
wait 30
close
reset
expect-close 700
serve
)";
    std::string error;
    const auto script = ParseScript(text, error);
    ASSERT_TRUE(script) << error;
    EXPECT_EQ(script->name, "trial");
    EXPECT_TRUE(script->answerPings);
    EXPECT_EQ(script->acceptTimeout, Millis{250});
    ASSERT_EQ(script->steps.size(), 11u);

    const auto& login = std::get<ExpectStep>(script->steps[0]);
    EXPECT_EQ(login.id, 4);
    EXPECT_EQ(login.timeout, Millis{1500});
    ASSERT_EQ(login.fields.size(), 2u);
    EXPECT_EQ(login.fields[0].offset, 2u);
    EXPECT_EQ(ToHex(login.fields[0].expected), "6d 79 20 69 64 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(ToHex(login.fields[1].expected), "10 00 00 00");

    const auto& lobby = std::get<ExpectStep>(script->steps[1]);
    EXPECT_EQ(lobby.id, 99);
    EXPECT_EQ(lobby.timeout, kDefaultExpectTimeout);
    ASSERT_TRUE(lobby.body);
    EXPECT_EQ(ToHex(*lobby.body), "63 00");

    const auto& send = std::get<SendStep>(script->steps[2]);
    ASSERT_EQ(send.bodies.size(), 1u);
    EXPECT_EQ(ToHex(send.bodies[0], 100),
              "09 00 00 06 00 41 00 20 00 42 00 10 00 00 00 fe ff ff ff 00 00 c0 3f"
              " 78 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ff");

    const auto& together = std::get<SendStep>(script->steps[3]);
    ASSERT_EQ(together.bodies.size(), 2u);
    EXPECT_EQ(ToHex(together.bodies[0]), "05 00 00");
    EXPECT_EQ(ToHex(together.bodies[1]), "01 00 01");

    EXPECT_EQ(ToHex(std::get<RawStep>(script->steps[4]).bytes), "ff 1f 00");
    EXPECT_EQ(std::get<ChunkStep>(script->steps[5]).size, 1u);
    EXPECT_EQ(std::get<ChunkStep>(script->steps[5]).gap, Millis{20});
    EXPECT_EQ(std::get<WaitStep>(script->steps[6]).duration, Millis{30});
    EXPECT_TRUE(std::holds_alternative<CloseStep>(script->steps[7]));
    EXPECT_TRUE(std::holds_alternative<ResetStep>(script->steps[8]));
    EXPECT_EQ(std::get<ExpectCloseStep>(script->steps[9]).timeout, Millis{700});
    EXPECT_TRUE(std::holds_alternative<ServeStep>(script->steps[10]));
}

TEST(ScriptTextTest, NamesTheFirstBadLine)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"sned 5", "line 1: unknown command 'sned'"},
        {"expect", "line 1: 'expect' needs a message id"},
        {"\n# fine\nsend 5 u8:300", "line 3: out of range: 300"},
        {"send 5 u16:-1", "line 1: out of range: -1"},
        {"send 70000", "line 1: out of range: 70000"},
        {"send 5 q8:1", "line 1: unknown value kind 'q8'"},
        {"send 5 8", "line 1: expected kind:value, got '8'"},
        {"send 5 wstr:\"open", "line 1: unterminated quoted text"},
        {"expect 4 u32@x=1", "line 1: not a number: 'x'"},
        {"expect 4 u32@2", "line 1: expected kind@offset=value"},
        {"expect 4 body=0", "line 1: bad hex: '0'"},
        {"together\nwait 5\nend", "line 2: only 'send' lines may stand inside 'together'"},
        {"together\nsend 5\n", "'together' without 'end'"},
        {"end", "line 1: 'end' without 'together'"},
        {"pings maybe", "line 1: 'pings' takes on or off"},
        {"wait", "line 1: 'wait' takes 1 argument(s)"},
        {"chunk 1 2 3", "line 1: 'chunk' takes 1 to 2 argument(s)"},
        {"raw", "line 1: 'raw' needs bytes"},
        {"send 5 f32:abc", "line 1: not a number: 'abc'"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseScript(c.text, error)) << c.text;
        EXPECT_THAT(error, HasSubstr(c.error)) << c.text;
    }
}

TEST(ReadyScriptsTest, LoginWalksTheLoginRoad)
{
    EXPECT_EQ(ReadyScriptNames(),
              (std::vector<std::string>{"login", "login-refused", "old-version", "drop"}));
    EXPECT_FALSE(ReadyScript("nope"));

    const auto login = ReadyScript("login");
    ASSERT_TRUE(login);
    EXPECT_TRUE(login->answerPings);
    std::vector<std::string> steps;
    for (const Step& step : login->steps)
        steps.push_back(DescribeStep(step));
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "expect 4 MsgLogin", "send 5 MsgLoginResult", "expect 0 MsgVersionCheck",
                         "send 1 MsgVersionCheckResult", "expect 8 MsgUserInfoRequest",
                         "send 9 MsgUserInfo", "expect 99 MsgLobbyEnter", "serve"}));
}
