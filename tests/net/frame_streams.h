#pragma once
// Byte streams split into frames two ways: by a reference splitter written apart from the client's,
// and by the client's frame reader fed from memory the way the connection feeds it from its socket
// (exact reads of what the reader asks for). Shared by the frame tests and the fuzz targets.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "HiFrameReader.h"

struct FrameSplit {
    std::vector<std::vector<uint8_t>> frames;
    bool bBadLength = false;  // the stream ended at a length field of 0 or above 8190

    bool operator==(const FrameSplit&) const = default;
};

// 16-bit little-endian length 1..8190, then that many body bytes; a bad length ends the stream, and
// so does a frame cut short.
inline FrameSplit ReferenceFrames(const uint8_t* data, size_t size)
{
    FrameSplit split;
    size_t pos = 0;
    while (size - pos >= 2) {
        const size_t n = data[pos] | data[pos + 1] << 8;
        if (n < 1 || n > 8190) {
            split.bBadLength = true;
            break;
        }
        if (size - pos - 2 < n)
            break;
        split.frames.emplace_back(data + pos + 2, data + pos + 2 + n);
        pos += 2 + n;
    }
    return split;
}

// Runs the reader over the stream until it is exhausted (the peer closed) or the reader rejects a
// length. The read sizes the reader asks for are bounded as a socket read's must be.
inline FrameSplit ReadFramesFromMemory(const uint8_t* data, size_t size,
                                       bool* pBadReadSize = nullptr)
{
    HiFrameReader reader;
    FrameSplit split;
    size_t pos = 0;
    while (!split.bBadLength && size - pos >= size_t(reader.GetReadSize())) {
        const size_t n = size_t(reader.GetReadSize());
        if (n < 1 || n > size_t(HiPacketBuffer::kMaxBody)) {
            if (pBadReadSize)
                *pBadReadSize = true;
            break;
        }
        std::memcpy(reader.GetReadBuffer(), data + pos, n);
        pos += n;
        switch (reader.OnRead()) {
        case HiFrameReader::Step::ReadBody:
            break;
        case HiFrameReader::Step::Frame: {
            const auto* body = reinterpret_cast<const uint8_t*>(reader.GetBody());
            split.frames.emplace_back(body, body + reader.GetBodyLength());
            break;
        }
        case HiFrameReader::Step::BadLength:
            split.bBadLength = true;
            break;
        }
    }
    return split;
}
