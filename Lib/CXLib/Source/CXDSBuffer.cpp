#include "CXDSBuffer.h"

#include <algorithm>

CXDSBuffer::CXDSBuffer(platform::SoundMixer* pDS) : m_pDS(pDS) {}

CXDSBuffer::~CXDSBuffer() = default;

void CXDSBuffer::Release()
{
    m_pBuffer.reset();
}

bool CXDSBuffer::CreateFromWave(const platform::SoundFormat& format, const uint8_t* pData,
                                uint32_t dwSize)
{
    if (!m_pDS)
        return false;
    auto samples = platform::Sound_Convert(format, pData, dwSize);
    if (!samples)
        return false;
    m_pBuffer = std::make_unique<platform::SoundBuffer>(*m_pDS, std::move(samples));
    m_lVolume = m_pBuffer->GetVolume();
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
