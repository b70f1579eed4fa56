#include "ByteBuilder.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace devserver {

ByteBuilder& ByteBuilder::U8(uint8_t value)
{
    m_bytes.push_back(value);
    return *this;
}

ByteBuilder& ByteBuilder::U16(uint16_t value)
{
    m_bytes.push_back(static_cast<uint8_t>(value));
    m_bytes.push_back(static_cast<uint8_t>(value >> 8));
    return *this;
}

ByteBuilder& ByteBuilder::U32(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.push_back(static_cast<uint8_t>(value >> shift));
    return *this;
}

ByteBuilder& ByteBuilder::I32(int32_t value)
{
    return U32(static_cast<uint32_t>(value));
}

ByteBuilder& ByteBuilder::F32(float value)
{
    return U32(std::bit_cast<uint32_t>(value));
}

ByteBuilder& ByteBuilder::WStr(std::u16string_view text)
{
    if (text.size() > 0xFFFF / 2)
        throw std::length_error("wide string too long for its 16-bit byte count");
    U16(static_cast<uint16_t>(text.size() * 2));
    for (char16_t unit : text)
        U16(static_cast<uint16_t>(unit));
    return *this;
}

ByteBuilder& ByteBuilder::Chars(size_t width, std::string_view text)
{
    const size_t used = std::min(width, text.size());
    m_bytes.insert(m_bytes.end(), text.begin(), text.begin() + used);
    m_bytes.insert(m_bytes.end(), width - used, 0);
    return *this;
}

ByteBuilder& ByteBuilder::Zeros(size_t count)
{
    m_bytes.insert(m_bytes.end(), count, 0);
    return *this;
}

ByteBuilder& ByteBuilder::Raw(std::span<const uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

Bytes Frame(std::span<const uint8_t> body)
{
    if (body.size() > 0xFFFF)
        throw std::length_error("frame body does not fit the 16-bit length");
    ByteBuilder frame;
    frame.U16(static_cast<uint16_t>(body.size())).Raw(body);
    return frame.Take();
}

}  // namespace devserver
