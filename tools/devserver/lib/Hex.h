#pragma once
// Hex text of byte strings, for scripts and for failure reports.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ByteBuilder.h"

namespace devserver {

// "04 00 41"; longer than `limit` bytes ends with " ... (N bytes)".
std::string ToHex(std::span<const uint8_t> bytes, size_t limit = 64);

// Pairs of hex digits, spaces allowed between pairs; nullopt for anything else.
std::optional<Bytes> ParseHex(std::string_view text);

}  // namespace devserver
