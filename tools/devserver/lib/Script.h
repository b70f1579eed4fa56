#pragma once
// A dev-server script: the steps one client connection goes through, built in code or read from
// a text file (ScriptText.h).

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "ByteBuilder.h"

namespace devserver {

using Millis = std::chrono::milliseconds;

constexpr uint16_t kPingId = 1001;
constexpr Millis kDefaultExpectTimeout{5000};

// Bytes expected at a body offset (the id is at offset 0), with the text that names the check
// in failure reports, e.g. "u32@2=257".
struct FieldCheck {
    size_t offset = 0;
    Bytes expected;
    std::string label;
};

FieldCheck FieldU8(size_t offset, uint8_t value);
FieldCheck FieldU16(size_t offset, uint16_t value);
FieldCheck FieldU32(size_t offset, uint32_t value);
FieldCheck FieldI32(size_t offset, int32_t value);
FieldCheck FieldF32(size_t offset, float value);
// A fixed character field of `width` bytes holding `text` zero-filled.
FieldCheck FieldChars(size_t offset, size_t width, std::string_view text);

// Reads the next request (pings are answered and skipped first when the script says so).
struct ExpectStep {
    uint16_t id = 0;
    std::optional<Bytes> body;  // the whole body, id included, when given
    std::vector<FieldCheck> fields;
    Millis timeout = kDefaultExpectTimeout;
};
// Frames each body and writes them all in one write (one body: one frame).
struct SendStep {
    std::vector<Bytes> bodies;
};
// Bytes as they stand, in one write.
struct RawStep {
    Bytes bytes;
};
// From here on every write goes out in pieces of `size` bytes with `gap` between them; 0 = whole.
struct ChunkStep {
    size_t size = 0;
    Millis gap{1};
};
struct WaitStep {
    Millis duration{0};
};
// Orderly shutdown and close.
struct CloseStep {};
// Close with linger 0, so the peer gets a reset.
struct ResetStep {};
// Waits for the client to close the connection (pings answered when the script says so); any
// other request fails the step.
struct ExpectCloseStep {
    Millis timeout = kDefaultExpectTimeout;
};
// Reports each request and answers pings until the client closes or the server is aborted.
struct ServeStep {};

using Step = std::variant<ExpectStep, SendStep, RawStep, ChunkStep, WaitStep, CloseStep, ResetStep,
                          ExpectCloseStep, ServeStep>;

// Short text of a step for reports, e.g. "expect 8 MsgUserInfoRequest".
std::string DescribeStep(const Step& step);

// Null when the body meets the step; else what differs, e.g.
// "expected 0 MsgVersionCheck, got 8 MsgUserInfoRequest: 08 00".
std::optional<std::string> CheckRequest(const ExpectStep& step, std::span<const uint8_t> body);

struct Script {
    std::string name;
    bool answerPings = false;  // answer 1001 with its own value wherever a request is read
    Millis acceptTimeout{10000};
    std::vector<Step> steps;

    Script& Expect(uint16_t id, std::vector<FieldCheck> fields = {},
                   Millis timeout = kDefaultExpectTimeout);
    Script& ExpectBody(Bytes body, Millis timeout = kDefaultExpectTimeout);
    Script& Send(Bytes body);
    Script& SendTogether(std::vector<Bytes> bodies);
    Script& SendRaw(Bytes bytes);
    Script& Chunk(size_t size, Millis gap = Millis{1});
    Script& Wait(Millis duration);
    Script& Close();
    Script& Reset();
    Script& ExpectClose(Millis timeout = kDefaultExpectTimeout);
    Script& Serve();
};

// What one run of a script did.
struct Outcome {
    bool ok = false;
    int failedStep = 0;           // 1-based; 0 when ok or when the connection never came
    std::string message;          // empty when ok
    std::vector<Bytes> received;  // every request body in order of arrival, pings included
    int pingsAnswered = 0;
};

}  // namespace devserver
