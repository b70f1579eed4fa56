#pragma once
// UTF-8 to UTF-16 for the wide texts the server sends. The program's narrow literals are CP949, so
// Korean text meant for the wire is written as u8"" literals or read from UTF-8 script files.

#include <string>
#include <string_view>

namespace devserver {

// Malformed or truncated sequences, surrogate code points and overlong forms become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// The bytes of a u8"" literal as a plain string (C++20 gives them the char8_t type).
std::string FromU8(std::u8string_view text);

}  // namespace devserver
