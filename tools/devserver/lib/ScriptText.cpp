#include "ScriptText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "Hex.h"
#include "Utf16.h"

namespace devserver {

namespace {

struct ParseError {
    std::string message;
};

// Splits a line into words; a double-quoted run (with \" and \\) is one word and may stand after
// a prefix such as wstr: or char16@2=. A '#' outside quotes ends the line.
std::vector<std::string> SplitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            inWord = true;
            for (++i;; ++i) {
                if (i >= line.size())
                    throw ParseError{"unterminated quoted text"};
                if (line[i] == '"')
                    break;
                if (line[i] == '\\' && i + 1 < line.size())
                    ++i;
                word.push_back(line[i]);
            }
        } else if (c == '#') {
            break;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

int64_t Integer(std::string_view text, int64_t low, int64_t high)
{
    int base = 10;
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && digits[0] == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    uint64_t magnitude = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
        magnitude > (1ull << 40))
        throw ParseError{"not a number: '" + std::string(text) + "'"};
    const int64_t value =
        negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < low || value > high)
        throw ParseError{"out of range: " + std::string(text)};
    return value;
}

float Real(std::string_view text)
{
    float value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw ParseError{"not a number: '" + std::string(text) + "'"};
    return value;
}

Bytes Hex(std::string_view text)
{
    auto bytes = ParseHex(text);
    if (!bytes)
        throw ParseError{"bad hex: '" + std::string(text) + "'"};
    return *bytes;
}

Millis Duration(std::string_view text)
{
    return Millis{Integer(text, 0, std::numeric_limits<int32_t>::max())};
}

// "u32:257", "wstr:text", "char16:id", "hex:0a0b", "zero:4" appended to a body.
void AppendValue(ByteBuilder& body, const std::string& word)
{
    const size_t colon = word.find(':');
    if (colon == std::string::npos)
        throw ParseError{"expected kind:value, got '" + word + "'"};
    const std::string kind = word.substr(0, colon);
    const std::string value = word.substr(colon + 1);
    if (kind == "u8")
        body.U8(static_cast<uint8_t>(Integer(value, 0, 0xFF)));
    else if (kind == "u16")
        body.U16(static_cast<uint16_t>(Integer(value, 0, 0xFFFF)));
    else if (kind == "u32")
        body.U32(static_cast<uint32_t>(Integer(value, 0, 0xFFFFFFFF)));
    else if (kind == "i32")
        body.I32(static_cast<int32_t>(Integer(value, INT32_MIN, INT32_MAX)));
    else if (kind == "f32")
        body.F32(Real(value));
    else if (kind == "wstr")
        body.WStr(Utf8ToUtf16(value));
    else if (kind == "char16")
        body.Chars(16, value);
    else if (kind == "char20")
        body.Chars(20, value);
    else if (kind == "hex")
        body.Raw(Hex(value));
    else if (kind == "zero")
        body.Zeros(static_cast<size_t>(Integer(value, 0, 8190)));
    else
        throw ParseError{"unknown value kind '" + kind + "'"};
}

// "u32@2=257", "char16@2=user", "body=0400..." or "timeout=2000" for an expect line.
void AddExpectation(ExpectStep& step, const std::string& word)
{
    const size_t equals = word.find('=');
    if (equals == std::string::npos)
        throw ParseError{"expected kind@offset=value, body=hex or timeout=ms, got '" + word + "'"};
    const std::string left = word.substr(0, equals);
    const std::string value = word.substr(equals + 1);
    if (left == "timeout") {
        step.timeout = Duration(value);
        return;
    }
    if (left == "body") {
        step.body = Hex(value);
        return;
    }
    const size_t at = left.find('@');
    if (at == std::string::npos)
        throw ParseError{"expected kind@offset=value, got '" + word + "'"};
    const std::string kind = left.substr(0, at);
    const auto offset = static_cast<size_t>(Integer(left.substr(at + 1), 0, 8190));
    if (kind == "u8")
        step.fields.push_back(FieldU8(offset, static_cast<uint8_t>(Integer(value, 0, 0xFF))));
    else if (kind == "u16")
        step.fields.push_back(FieldU16(offset, static_cast<uint16_t>(Integer(value, 0, 0xFFFF))));
    else if (kind == "u32")
        step.fields.push_back(
            FieldU32(offset, static_cast<uint32_t>(Integer(value, 0, 0xFFFFFFFF))));
    else if (kind == "i32")
        step.fields.push_back(
            FieldI32(offset, static_cast<int32_t>(Integer(value, INT32_MIN, INT32_MAX))));
    else if (kind == "f32")
        step.fields.push_back(FieldF32(offset, Real(value)));
    else if (kind == "char16")
        step.fields.push_back(FieldChars(offset, 16, value));
    else if (kind == "char20")
        step.fields.push_back(FieldChars(offset, 20, value));
    else
        throw ParseError{"unknown field kind '" + kind + "'"};
}

void ExpectWords(const std::vector<std::string>& words, size_t low, size_t high)
{
    if (words.size() - 1 < low || words.size() - 1 > high)
        throw ParseError{"'" + words[0] + "' takes " +
                         (low == high ? std::to_string(low)
                                      : std::to_string(low) + " to " + std::to_string(high)) +
                         " argument(s)"};
}

Bytes SendBody(const std::vector<std::string>& words)
{
    if (words.size() < 2)
        throw ParseError{"'send' needs a message id"};
    ByteBuilder body;
    body.U16(static_cast<uint16_t>(Integer(words[1], 0, 0xFFFF)));
    for (size_t i = 2; i < words.size(); ++i)
        AppendValue(body, words[i]);
    return body.Take();
}

ExpectStep ExpectLine(const std::vector<std::string>& words)
{
    if (words.size() < 2)
        throw ParseError{"'expect' needs a message id"};
    ExpectStep step;
    step.id = static_cast<uint16_t>(Integer(words[1], 0, 0xFFFF));
    for (size_t i = 2; i < words.size(); ++i)
        AddExpectation(step, words[i]);
    return step;
}

Bytes RawBody(const std::vector<std::string>& words)
{
    if (words.size() < 2)
        throw ParseError{"'raw' needs bytes"};
    std::string hex;
    for (size_t i = 1; i < words.size(); ++i)
        hex += words[i];
    return Hex(hex);
}

// One non-empty line; `together` is the open "together" block, if any.
void ParseLine(const std::vector<std::string>& words, Script& script,
               std::optional<SendStep>& together)
{
    const std::string& command = words[0];
    if (together && command != "send" && command != "end")
        throw ParseError{"only 'send' lines may stand inside 'together'"};

    if (command == "name") {
        ExpectWords(words, 1, 1);
        script.name = words[1];
    } else if (command == "pings") {
        ExpectWords(words, 1, 1);
        if (words[1] != "on" && words[1] != "off")
            throw ParseError{"'pings' takes on or off"};
        script.answerPings = words[1] == "on";
    } else if (command == "accept-timeout") {
        ExpectWords(words, 1, 1);
        script.acceptTimeout = Duration(words[1]);
    } else if (command == "expect") {
        script.steps.emplace_back(ExpectLine(words));
    } else if (command == "send") {
        if (together)
            together->bodies.push_back(SendBody(words));
        else
            script.Send(SendBody(words));
    } else if (command == "together") {
        ExpectWords(words, 0, 0);
        together.emplace();
    } else if (command == "end") {
        ExpectWords(words, 0, 0);
        if (!together)
            throw ParseError{"'end' without 'together'"};
        script.steps.emplace_back(std::move(*together));
        together.reset();
    } else if (command == "raw") {
        script.SendRaw(RawBody(words));
    } else if (command == "chunk") {
        ExpectWords(words, 1, 2);
        script.Chunk(static_cast<size_t>(Integer(words[1], 0, 8192)),
                     words.size() > 2 ? Duration(words[2]) : Millis{1});
    } else if (command == "wait") {
        ExpectWords(words, 1, 1);
        script.Wait(Duration(words[1]));
    } else if (command == "close") {
        ExpectWords(words, 0, 0);
        script.Close();
    } else if (command == "reset") {
        ExpectWords(words, 0, 0);
        script.Reset();
    } else if (command == "expect-close") {
        ExpectWords(words, 0, 1);
        script.ExpectClose(words.size() > 1 ? Duration(words[1]) : kDefaultExpectTimeout);
    } else if (command == "serve") {
        ExpectWords(words, 0, 0);
        script.Serve();
    } else {
        throw ParseError{"unknown command '" + command + "'"};
    }
}

}  // namespace

std::optional<Script> ParseScript(std::string_view text, std::string& error)
{
    Script script;
    std::optional<SendStep> together;  // open "together" block
    size_t lineNumber = 0;
    try {
        while (!text.empty()) {
            ++lineNumber;
            const size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

            const std::vector<std::string> words = SplitWords(line);
            if (words.empty())
                continue;
            ParseLine(words, script, together);
        }
        if (together) {
            throw ParseError{"'together' without 'end'"};
        }
    } catch (const ParseError& e) {
        error = "line " + std::to_string(lineNumber) + ": " + e.message;
        return std::nullopt;
    }
    return script;
}

}  // namespace devserver
