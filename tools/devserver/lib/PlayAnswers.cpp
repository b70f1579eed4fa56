#include "PlayAnswers.h"

#include <cstring>

namespace devserver {

uint8_t BodyReader::U8()
{
    if (Remaining() < 1)
        return 0;
    return m_body[m_pos++];
}

uint16_t BodyReader::U16()
{
    const uint16_t lo = U8();
    const uint16_t hi = U8();
    return static_cast<uint16_t>(lo | hi << 8);
}

uint32_t BodyReader::U32()
{
    const uint32_t lo = U16();
    const uint32_t hi = U16();
    return lo | hi << 16;
}

float BodyReader::F32()
{
    const uint32_t bits = U32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::u16string BodyReader::WStr()
{
    size_t count = U16();
    if (count > Remaining())
        count = Remaining();
    std::u16string text;
    for (size_t i = 0; i + 1 < count; i += 2)
        text.push_back(static_cast<char16_t>(m_body[m_pos + i] | m_body[m_pos + i + 1] << 8));
    m_pos += count;
    return text;
}

std::string BodyReader::Chars(size_t width)
{
    const size_t take = width < Remaining() ? width : Remaining();
    std::string text;
    for (size_t i = 0; i < take && m_body[m_pos + i] != 0; ++i)
        text.push_back(static_cast<char>(m_body[m_pos + i]));
    m_pos += take;
    return text;
}

bool PlayAnswers::Answer(PlaySession& session, const Bytes& body) const
{
    if (body.size() < 2)
        return false;
    BodyReader reader(body);
    const auto it = m_handlers.find(reader.U16());
    if (it == m_handlers.end())
        return false;
    it->second(session, reader);
    return true;
}

}  // namespace devserver
