#pragma once
// Hand-written hex for byte-layout checks.

#include <stdexcept>
#include <string_view>

#include "Hex.h"

namespace devserver_test {

inline devserver::Bytes H(std::string_view hex)
{
    auto bytes = devserver::ParseHex(hex);
    if (!bytes)
        throw std::invalid_argument("bad hex in a test");
    return *bytes;
}

}  // namespace devserver_test
