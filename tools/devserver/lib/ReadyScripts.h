#pragma once
// Named scripts that come with the dev server.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Script.h"

namespace devserver {

// The player's name and money that the "login" script hands out.
std::u16string LoginNickname();
constexpr uint32_t kLoginMoney = 1000000;
constexpr uint32_t kLoginGiftTickets = 3;
constexpr uint32_t kClientVersion = 257;

// "login": the road from the login message to the lobby, then pings answered until the client
// goes. "login-refused": login answered with code 2, then serving. "old-version": the version is
// refused. "drop": the connection is reset right after the login message.
std::optional<Script> ReadyScript(std::string_view name);
std::vector<std::string> ReadyScriptNames();

}  // namespace devserver
