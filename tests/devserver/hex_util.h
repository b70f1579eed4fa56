#pragma once
// Hand-written hex for byte-layout checks, read by the shared strict parser.

#include "ByteBuilder.h"
#include "support/hex.h"

namespace devserver_test {

inline devserver::Bytes H(std::string_view hex)
{
    return test_support::Hex(hex);
}

}  // namespace devserver_test
