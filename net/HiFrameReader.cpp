#include "HiFrameReader.h"

uint8_t* HiFrameReader::GetReadBuffer()
{
    return m_bInBody ? m_packet.GetBody() : m_packet.GetHeader();
}

int32_t HiFrameReader::GetReadSize() const
{
    return m_bInBody ? m_packet.GetBodyLength() : HiPacketBuffer::kHeaderSize;
}

HiFrameReader::Step HiFrameReader::OnRead()
{
    if (m_bInBody) {
        m_bInBody = false;
        return Step::Frame;
    }
    if (!m_packet.ValidateHeader())
        return Step::BadLength;
    m_bInBody = true;
    return Step::ReadBody;
}

const char* HiFrameReader::GetBody() const
{
    return reinterpret_cast<const char*>(m_packet.GetFrame() + HiPacketBuffer::kHeaderSize);
}
