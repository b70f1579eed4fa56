#pragma once

#include <cstdint>

#include "HiPacketBuffer.h"

// The receive side of the frame, apart from where the bytes come from: it names the bytes the next
// exact read must fill (the 2-byte length, then exactly that many body bytes) and judges them once
// they are there. The connection only moves bytes; a test or a fuzzer can feed the same reader from
// memory.
class HiFrameReader {
public:
    enum class Step {
        ReadBody,   // the header was accepted: the body comes next
        Frame,      // the body is complete: GetBody() holds one frame's body
        BadLength,  // the length field is 0 or above 8190: the connection ends
    };

    // Starts over at a header (a new connection).
    void Reset() { m_bInBody = false; }

    // Where the next read puts its bytes, and exactly how many it must read.
    uint8_t* GetReadBuffer();
    int32_t GetReadSize() const;
    // Takes the bytes the read put there.
    Step OnRead();

    const char* GetBody() const;
    int32_t GetBodyLength() const { return m_packet.GetBodyLength(); }

private:
    HiPacketBuffer m_packet;
    bool m_bInBody = false;
};
