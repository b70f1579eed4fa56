#include "CXDSBuffer.h"

#include <algorithm>
#include <cstring>

CXDSBuffer::CXDSBuffer(platform::SoundMixer* pDS) : m_pDS(pDS) {}

CXDSBuffer::~CXDSBuffer() = default;

void CXDSBuffer::Release()
{
    m_pBuffer.reset();
    m_Memory.clear();
    m_Memory.shrink_to_fit();
    m_bLocked = false;
}

bool CXDSBuffer::CreateFromWave(const platform::SoundFormat& format, const uint8_t* pData,
                                uint32_t dwSize)
{
    if (!pData || !Create(format, dwSize))
        return false;
    void* pv1 = nullptr;
    void* pv2 = nullptr;
    uint32_t dw1 = 0, dw2 = 0;
    if (!Lock(0, 0, &pv1, &dw1, &pv2, &dw2, DSBLOCK_ENTIREBUFFER))
        return false;
    std::memcpy(pv1, pData, dw1);
    return Unlock(pv1, dw1, pv2, dw2);
}

bool CXDSBuffer::Create(const platform::SoundFormat& format, uint32_t dwSize)
{
    if (!m_pDS)
        return false;
    // Silence: unsigned 8-bit samples rest at 0x80, every other format at 0.
    std::vector<uint8_t> memory(dwSize, format.bitsPerSample == 8 ? 0x80 : 0x00);
    auto samples = platform::ConvertSound(format, memory.data(), memory.size());
    if (!samples)
        return false;
    m_pBuffer = std::make_unique<platform::SoundBuffer>(*m_pDS, std::move(samples));
    m_lVolume = m_pBuffer->GetVolume();
    m_Format = format;
    m_Memory = std::move(memory);
    m_bLocked = false;
    return true;
}

bool CXDSBuffer::Lock(uint32_t dwOffset, uint32_t dwBytes, void** ppv1, uint32_t* pdw1, void** ppv2,
                      uint32_t* pdw2, uint32_t dwFlags)
{
    const auto size = static_cast<uint32_t>(m_Memory.size());
    if (!m_pBuffer || size == 0 || m_bLocked || !ppv1 || !pdw1 || (dwFlags & ~DSBLOCK_ENTIREBUFFER))
        return false;
    if (dwFlags & DSBLOCK_ENTIREBUFFER) {
        dwOffset = 0;
        dwBytes = size;
    }
    if (dwOffset >= size || dwBytes == 0 || dwBytes > size)
        return false;
    const uint32_t first = std::min(dwBytes, size - dwOffset);
    const uint32_t rest = dwBytes - first;
    // Without somewhere to put the wrapped part, nothing may wrap.
    if (rest && (!ppv2 || !pdw2))
        return false;
    *ppv1 = m_Memory.data() + dwOffset;
    *pdw1 = first;
    if (ppv2)
        *ppv2 = rest ? m_Memory.data() : nullptr;
    if (pdw2)
        *pdw2 = rest;
    m_bLocked = true;
    return true;
}

bool CXDSBuffer::Unlock(void* pv1, uint32_t dw1, void* pv2, uint32_t dw2)
{
    if (!m_bLocked || !m_pBuffer)
        return false;
    uint8_t* begin = m_Memory.data();
    uint8_t* end = begin + m_Memory.size();
    auto inside = [&](void* p, uint32_t n) {
        auto* b = static_cast<uint8_t*>(p);
        return n == 0 || (b >= begin && b < end && n <= static_cast<size_t>(end - b));
    };
    if (!pv1 || !inside(pv1, dw1) || !inside(pv2, dw2))
        return false;
    m_bLocked = false;
    m_pBuffer->SetSamples(platform::ConvertSound(m_Format, begin, m_Memory.size()));
    return true;
}

std::unique_ptr<CXDSBuffer> CXDSBuffer::Duplicate()
{
    if (!m_pBuffer || !m_pDS)
        return nullptr;
    auto copy = std::make_unique<CXDSBuffer>(m_pDS);
    if (!copy->Attach(this))
        return nullptr;
    return copy;
}

bool CXDSBuffer::Attach(CXDSBuffer* pSource)
{
    if (!m_pDS || !pSource || !pSource->m_pBuffer)
        return false;
    auto buffer = pSource->m_pBuffer->Duplicate();
    if (!buffer)
        return false;
    m_pBuffer = std::move(buffer);
    // The remembered volume, not the applied one: a duplicate of a muted buffer is not muted.
    SetVolume(pSource->GetVolume());
    return true;
}

void CXDSBuffer::SetVolume(int32_t lVolume)
{
    m_lVolume = lVolume;
    if (m_pBuffer)
        m_pBuffer->SetVolume(m_bMute ? platform::kSoundVolumeMin : lVolume);
}

void CXDSBuffer::SetVolumeRatio(float fRatio)
{
    const double x = std::clamp(static_cast<double>(fRatio), 0.0, 1.0);
    SetVolume(static_cast<int32_t>((1.0 - x) * -0.3 * 10000.0));
}

bool CXDSBuffer::SetPan(int32_t lPan)
{
    return m_pBuffer && m_pBuffer->SetPan(lPan);
}

bool CXDSBuffer::SetPosition(uint32_t dwOffset)
{
    return m_pBuffer && m_pBuffer->SetPosition(dwOffset);
}

bool CXDSBuffer::IsPlaying() const
{
    return m_pBuffer && m_pBuffer->IsPlaying();
}

bool CXDSBuffer::Play(int nLoop)
{
    if (!m_pBuffer)
        return false;
    m_pBuffer->Play(nLoop == 1);
    if (m_bMute)
        m_pBuffer->SetVolume(platform::kSoundVolumeMin);
    return true;
}

bool CXDSBuffer::StopBuffer()
{
    if (!m_pBuffer)
        return false;
    m_pBuffer->Stop();
    return true;
}

bool CXDSBuffer::Stop(bool bRewind)
{
    if (!m_pBuffer)
        return false;
    m_pBuffer->Stop();
    return bRewind ? SetPosition(0) : true;
}

void CXDSBuffer::SetMute(bool bMute)
{
    m_bMute = bMute ? 1 : 0;
    SetVolume(m_lVolume);
}

CXDSPrimaryBuffer::~CXDSPrimaryBuffer() = default;

void CXDSPrimaryBuffer::Release()
{
    m_pOutput.reset();
    CXDSBuffer::Release();
}

bool CXDSPrimaryBuffer::SetPrimaryFormat(int nSamplesPerSec, int nBitsPerSample, int nChannels)
{
    if (!m_pDS)
        return false;
    m_pOutput.reset();
    m_pOutput = platform::SoundOutput::Open(*m_pDS, nSamplesPerSec, nBitsPerSample, nChannels);
    return m_pOutput != nullptr;
}
