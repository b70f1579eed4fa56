#include "CXSound.h"

#include <algorithm>

#include "CXDSBuffer.h"

CXSound::CXSound() = default;

CXSound::~CXSound() = default;

bool CXSound::AddBuffers(std::unique_ptr<CXDSBuffer> pBuffer, int nCopies)
{
    if (!pBuffer)
        return false;
    CXDSBuffer* pFirst = pBuffer.get();
    m_Buffers.push_back(std::move(pBuffer));
    for (int i = 1; i < nCopies; ++i)
        if (auto copy = pFirst->Duplicate())
            m_Buffers.push_back(std::move(copy));
    return true;
}

std::unique_ptr<CXSound> CXSound::Clone() const
{
    if (m_Buffers.empty())
        return nullptr;
    auto clone = std::make_unique<CXSound>();
    for (size_t i = 0; i < m_Buffers.size(); ++i)
        if (auto copy = m_Buffers[0]->Duplicate())
            clone->m_Buffers.push_back(std::move(copy));
    return clone;
}

int CXSound::Play(bool bLoop, bool bRestart)
{
    m_bLoop = bLoop ? 1 : 0;
    return PlayEx(bLoop, m_nVolume, m_nPan, bRestart);
}

int CXSound::PlayEx(bool bLoop, int nVolume, int nPan, bool bRestart)
{
    if (m_Buffers.empty())
        return -1;
    int nIndex = 0;
    for (size_t i = 0; i < m_Buffers.size(); ++i) {
        if (!m_Buffers[i]->IsPlaying()) {
            nIndex = static_cast<int>(i);
            break;
        }
    }
    CXDSBuffer* pBuffer = m_Buffers[nIndex].get();
    if (bRestart)
        pBuffer->SetPosition(0);
    else if (pBuffer->IsPlaying())
        return nIndex;

    m_bLoop = bLoop ? 1 : 0;
    if (!pBuffer->Play(bLoop ? 1 : 0))
        return -1;
    m_nVolume = std::min(nVolume, 100);
    m_nPan = std::min(nPan, 10000);
    pBuffer->SetVolumeRatio(static_cast<float>(m_nVolume / 100.0));
    pBuffer->SetPan(m_nPan);
    return nIndex;
}

bool CXSound::PlayBuffer(int nIndex)
{
    CXDSBuffer* pBuffer = GetBuffer(nIndex);
    return pBuffer && pBuffer->Play(m_bLoop);
}

CXDSBuffer* CXSound::GetBuffer(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetBufferCount())
        return nullptr;
    return m_Buffers[nIndex].get();
}

bool CXSound::IsPlaying(int nIndex) const
{
    CXDSBuffer* pBuffer = GetBuffer(nIndex);
    return pBuffer && pBuffer->IsPlaying();
}

bool CXSound::Stop(int nIndex, bool bRewind)
{
    CXDSBuffer* pBuffer = GetBuffer(nIndex);
    return pBuffer && pBuffer->Stop(bRewind);
}

bool CXSound::SetPan(int nIndex, int nPan)
{
    CXDSBuffer* pBuffer = GetBuffer(nIndex);
    return pBuffer && pBuffer->SetPan(nPan);
}

void CXSound::SetVolume(int nIndex, int nVolume)
{
    if (CXDSBuffer* pBuffer = GetBuffer(nIndex))
        pBuffer->SetVolumeRatio(static_cast<float>(std::clamp(nVolume, 0, 100) / 100.0));
}

void CXSound::SetVolumeAll(int nVolume)
{
    const float fRatio = static_cast<float>(std::clamp(nVolume, 0, 100) / 100.0);
    for (auto& buffer : m_Buffers)
        buffer->SetVolumeRatio(fRatio);
}

void CXSound::StopAll(bool bRewind)
{
    for (auto& buffer : m_Buffers)
        buffer->Stop(bRewind);
}

void CXSound::SetMute(bool bMute)
{
    for (auto& buffer : m_Buffers)
        buffer->SetMute(bMute);
}

void CXSound::ReleaseBuffers()
{
    m_Buffers.clear();
}
