#pragma once
// The play mode's answers: one handler per request id, holding the small state of a logged-in
// player. The lobby's answers are in PlayLobby.cpp; each game adds its own from a file of its own
// (Play<Game>.cpp, listed in PlayGames.cpp).

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Answers.h"
#include "ByteBuilder.h"

namespace devserver {

// Little-endian fields of a request body; a field past the end reads as 0 (the body is never
// read beyond its size).
class BodyReader {
public:
    explicit BodyReader(const Bytes& body) : m_body(body) {}
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    float F32();
    // 16-bit byte count, then that many bytes of UTF-16LE (cut to what remains).
    std::u16string WStr();
    // A zero-filled fixed field of `width` bytes, up to its first zero.
    std::string Chars(size_t width);
    size_t Remaining() const { return m_pos < m_body.size() ? m_body.size() - m_pos : 0; }

private:
    const Bytes& m_body;
    size_t m_pos = 0;
};

// What the server knows of the one player on a connection.
struct PlayState {
    std::string userId;
    std::u16string nickname;
    uint32_t money = 0;
    uint32_t giftTickets = 0;
    answers::MachineTable machines{};
    bool loggedIn = false;
    // Spins a game's answers served per machine number (games that alternate outcomes).
    std::map<uint16_t, uint32_t> spinsServed;
    // Game-defined counters by name (e.g. which canned spin comes next).
    std::map<std::string, uint32_t> counters;
};

// One connection as the handlers see it.
class PlaySession {
public:
    virtual ~PlaySession() = default;
    // Queues one answer body (framed on the way out).
    virtual void Send(Bytes body) = 0;
    virtual void Log(const std::string& line) = 0;
    PlayState state;
};

using PlayHandler = std::function<void(PlaySession&, BodyReader&)>;

class PlayAnswers {
public:
    // Replaces the handler of the id.
    void On(uint16_t id, PlayHandler handler) { m_handlers[id] = std::move(handler); }
    // Runs the handler of the body's id; false when the body is shorter than an id or no handler
    // knows it.
    bool Answer(PlaySession& session, const Bytes& body) const;
    bool Knows(uint16_t id) const { return m_handlers.count(id) != 0; }

private:
    std::map<uint16_t, PlayHandler> m_handlers;
};

// The lobby, money, reservation, notice and keep-alive answers.
void AddLobbyAnswers(PlayAnswers& answers);
// Machine selection (12) that holds its answer 13 for the given milliseconds, as a slow server
// does; requests that come meanwhile are read and answered after it.
void HoldMachineSelect(PlayAnswers& answers, uint32_t milliseconds);
// The Jix game's answers (PlayJix.cpp).
void AddJixAnswers(PlayAnswers& answers);
// The lobby's answers and every game's.
PlayAnswers DefaultPlayAnswers();

}  // namespace devserver
