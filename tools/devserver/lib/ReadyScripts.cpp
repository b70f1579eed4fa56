#include "ReadyScripts.h"

#include <functional>
#include <utility>

#include "Answers.h"
#include "MessageIds.h"
#include "Utf16.h"

namespace devserver {

namespace {

constexpr uint8_t kRefusedLoginCode = 2;

Script Named(const char* name, bool answerPings)
{
    Script script;
    script.name = name;
    script.answerPings = answerPings;
    return script;
}

// Login accepted, then the version message checked.
Script LoginUntil(Script script)
{
    script.Expect(netmsg::MsgLogin)
        .Send(answers::LoginResult(0))
        .Expect(netmsg::MsgVersionCheck, {FieldU32(2, kClientVersion)});
    return script;
}

Script Login()
{
    Script script = LoginUntil(Named("login", true));
    script.Send(answers::VersionCheckResult(1))
        .Expect(netmsg::MsgUserInfoRequest)
        .Send(answers::UserInfo(LoginNickname(), kLoginMoney, kLoginGiftTickets, {}))
        .Expect(netmsg::MsgLobbyEnter)
        .Serve();
    return script;
}

Script LoginRefused()
{
    Script script = Named("login-refused", true);
    script.Expect(netmsg::MsgLogin).Send(answers::LoginResult(kRefusedLoginCode)).Serve();
    return script;
}

Script OldVersion()
{
    Script script = LoginUntil(Named("old-version", true));
    script.Send(answers::VersionCheckResult(0)).Serve();
    return script;
}

Script Drop()
{
    Script script = Named("drop", false);
    script.Expect(netmsg::MsgLogin).Reset();
    return script;
}

const std::vector<std::pair<std::string, std::function<Script()>>>& Table()
{
    static const std::vector<std::pair<std::string, std::function<Script()>>> table = {
        {"login", Login},
        {"login-refused", LoginRefused},
        {"old-version", OldVersion},
        {"drop", Drop},
    };
    return table;
}

}  // namespace

std::u16string LoginNickname()
{
    return Utf8ToUtf16(FromU8(u8"플레이어"));
}

std::optional<Script> ReadyScript(std::string_view name)
{
    for (const auto& [key, make] : Table())
        if (key == name)
            return make();
    return std::nullopt;
}

std::vector<std::string> ReadyScriptNames()
{
    std::vector<std::string> names;
    for (const auto& entry : Table())
        names.push_back(entry.first);
    return names;
}

}  // namespace devserver
