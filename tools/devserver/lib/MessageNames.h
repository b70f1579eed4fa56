#pragma once
// Names of the protocol's messages by id, for logs and failure reports.

#include <cstdint>
#include <string>

namespace devserver {

enum class Direction { FromClient, FromServer };

// "MsgLogin"; an id the protocol does not use in that direction gives "unknown".
const char* MessageName(uint16_t id, Direction direction);

// "4 MsgLogin"
std::string DescribeId(uint16_t id, Direction direction);

}  // namespace devserver
