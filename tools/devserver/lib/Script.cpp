#include "Script.h"

#include <algorithm>
#include <cstdio>

#include "Hex.h"
#include "MessageNames.h"

namespace devserver {

namespace {

FieldCheck Field(size_t offset, Bytes expected, const std::string& kind, const std::string& value)
{
    return FieldCheck{offset, std::move(expected),
                      kind + "@" + std::to_string(offset) + "=" + value};
}

uint16_t BodyId(std::span<const uint8_t> body)
{
    return static_cast<uint16_t>(body[0] | body[1] << 8);
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

}  // namespace

FieldCheck FieldU8(size_t offset, uint8_t value)
{
    return Field(offset, ByteBuilder().U8(value).Take(), "u8", std::to_string(value));
}

FieldCheck FieldU16(size_t offset, uint16_t value)
{
    return Field(offset, ByteBuilder().U16(value).Take(), "u16", std::to_string(value));
}

FieldCheck FieldU32(size_t offset, uint32_t value)
{
    return Field(offset, ByteBuilder().U32(value).Take(), "u32", std::to_string(value));
}

FieldCheck FieldI32(size_t offset, int32_t value)
{
    return Field(offset, ByteBuilder().I32(value).Take(), "i32", std::to_string(value));
}

FieldCheck FieldF32(size_t offset, float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return Field(offset, ByteBuilder().F32(value).Take(), "f32", text);
}

FieldCheck FieldChars(size_t offset, size_t width, std::string_view text)
{
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return Field(offset, ByteBuilder().Chars(width, text).Take(), "char" + std::to_string(width),
                 quoted);
}

std::string DescribeStep(const Step& step)
{
    return std::visit(
        Overloaded{
            [](const ExpectStep& s) { return "expect " + DescribeId(s.id, Direction::FromClient); },
            [](const SendStep& s) {
                if (s.bodies.size() == 1 && s.bodies[0].size() >= 2)
                    return "send " + DescribeId(BodyId(s.bodies[0]), Direction::FromServer);
                return "send " + std::to_string(s.bodies.size()) + " frames together";
            },
            [](const RawStep& s) { return "raw " + std::to_string(s.bytes.size()) + " bytes"; },
            [](const ChunkStep& s) { return "chunk " + std::to_string(s.size); },
            [](const WaitStep& s) { return "wait " + std::to_string(s.duration.count()) + " ms"; },
            [](const CloseStep&) { return std::string("close"); },
            [](const ResetStep&) { return std::string("reset"); },
            [](const ExpectCloseStep&) { return std::string("expect-close"); },
            [](const ServeStep&) { return std::string("serve"); },
        },
        step);
}

std::optional<std::string> CheckRequest(const ExpectStep& step, std::span<const uint8_t> body)
{
    if (body.size() < 2)
        return "expected " + DescribeId(step.id, Direction::FromClient) + ", got a body of " +
               std::to_string(body.size()) + " byte(s): " + ToHex(body);
    const uint16_t id = BodyId(body);
    if (id != step.id)
        return "expected " + DescribeId(step.id, Direction::FromClient) + ", got " +
               DescribeId(id, Direction::FromClient) + ": " + ToHex(body);
    if (step.body && !std::ranges::equal(*step.body, body))
        return "body of " + DescribeId(id, Direction::FromClient) + " differs: expected " +
               ToHex(*step.body) + ", got " + ToHex(body);
    for (const FieldCheck& field : step.fields) {
        const bool fits = field.offset + field.expected.size() <= body.size();
        if (fits &&
            std::ranges::equal(field.expected, body.subspan(field.offset, field.expected.size())))
            continue;
        const std::string got = fits ? ToHex(body.subspan(field.offset, field.expected.size()))
                                     : "a body of " + std::to_string(body.size()) + " bytes";
        return "field " + field.label + " of " + DescribeId(id, Direction::FromClient) +
               ": expected " + ToHex(field.expected) + ", got " + got;
    }
    return std::nullopt;
}

Script& Script::Expect(uint16_t id, std::vector<FieldCheck> fields, Millis timeout)
{
    steps.emplace_back(ExpectStep{id, std::nullopt, std::move(fields), timeout});
    return *this;
}

Script& Script::ExpectBody(Bytes body, Millis timeout)
{
    const uint16_t id = body.size() >= 2 ? BodyId(body) : 0;
    steps.emplace_back(ExpectStep{id, std::move(body), {}, timeout});
    return *this;
}

Script& Script::Send(Bytes body)
{
    steps.emplace_back(SendStep{{std::move(body)}});
    return *this;
}

Script& Script::SendTogether(std::vector<Bytes> bodies)
{
    steps.emplace_back(SendStep{std::move(bodies)});
    return *this;
}

Script& Script::SendRaw(Bytes bytes)
{
    steps.emplace_back(RawStep{std::move(bytes)});
    return *this;
}

Script& Script::Chunk(size_t size, Millis gap)
{
    steps.emplace_back(ChunkStep{size, gap});
    return *this;
}

Script& Script::Wait(Millis duration)
{
    steps.emplace_back(WaitStep{duration});
    return *this;
}

Script& Script::Close()
{
    steps.emplace_back(CloseStep{});
    return *this;
}

Script& Script::Reset()
{
    steps.emplace_back(ResetStep{});
    return *this;
}

Script& Script::ExpectClose(Millis timeout)
{
    steps.emplace_back(ExpectCloseStep{timeout});
    return *this;
}

Script& Script::Serve()
{
    steps.emplace_back(ServeStep{});
    return *this;
}

}  // namespace devserver
