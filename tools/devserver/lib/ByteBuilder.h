#pragma once
// Little-endian byte builder for message bodies and the frame that carries them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace devserver {

using Bytes = std::vector<uint8_t>;

class ByteBuilder {
public:
    ByteBuilder& U8(uint8_t value);
    ByteBuilder& U16(uint16_t value);
    ByteBuilder& U32(uint32_t value);
    ByteBuilder& I32(int32_t value);
    ByteBuilder& F32(float value);
    // 16-bit byte count (2 x code units), then the UTF-16LE units, no terminator.
    // Throws std::length_error when the count does not fit in 16 bits.
    ByteBuilder& WStr(std::u16string_view text);
    // Fixed field of `width` bytes: the text's bytes (cut at width), zero-filled after.
    ByteBuilder& Chars(size_t width, std::string_view text);
    ByteBuilder& Zeros(size_t count);
    ByteBuilder& Raw(std::span<const uint8_t> bytes);

    const Bytes& Data() const { return m_bytes; }
    Bytes Take() { return std::move(m_bytes); }

private:
    Bytes m_bytes;
};

// One frame: 16-bit little-endian body length, then the body. The length is not checked against
// the protocol's 1..8190 so that a script can send a frame the client must refuse; a body that does
// not fit in 16 bits throws std::length_error.
Bytes Frame(std::span<const uint8_t> body);

}  // namespace devserver
