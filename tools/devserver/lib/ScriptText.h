#pragma once
// Scripts as text: one command per line, '#' starts a comment. The format is described in
// tools/devserver/README.md.

#include <optional>
#include <string>
#include <string_view>

#include "Script.h"

namespace devserver {

// nullopt on the first bad line, with `error` naming it, e.g. "line 3: unknown command 'sned'".
std::optional<Script> ParseScript(std::string_view text, std::string& error);

}  // namespace devserver
