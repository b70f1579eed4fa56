#pragma once

#include <cstdint>

// One frame on the wire: the 16-bit little-endian body length followed by the body. The length
// bytes and the body are contiguous, so GetFrame() is exactly the bytes of one frame.
class HiPacketBuffer {
public:
    static constexpr int32_t kMaxBody = 8190;
    static constexpr int32_t kHeaderSize = 2;

    HiPacketBuffer() = default;
    virtual ~HiPacketBuffer() = default;

    // Copies a body of 1..8190 bytes and sets both lengths; any other count fails and changes
    // nothing.
    bool SetBody(const void* pBody, int32_t nCount);
    // Takes the received length field; true when it is 1..8190, else the length becomes 0.
    bool ValidateHeader();

    uint8_t* GetHeader() { return m_abyFrame; }
    uint8_t* GetBody() { return m_abyFrame + kHeaderSize; }
    const uint8_t* GetFrame() const { return m_abyFrame; }
    int32_t GetBodyLength() const { return m_nBodyLength; }
    int32_t GetFrameSize() const { return m_nBodyLength + kHeaderSize; }

private:
    uint8_t m_abyFrame[kHeaderSize + kMaxBody] = {};
    int32_t m_nBodyLength = 0;
};
