#include "CX2DChannel.h"

#include <algorithm>
#include <string>

#include "CX2DEngine.h"
#include "CX2DTexture.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "CXString.h"

CX2DChannel::CX2DChannel() = default;

CX2DChannel::~CX2DChannel() = default;

bool CX2DChannel::CanPlay()
{
    return !EngineIsSoundOff() && g_pGfxDevice != nullptr;
}

bool CX2DChannel::Load(const char* pszFile, int nCopies)
{
    Stop(true);
    m_pSound = nullptr;
    CXString name;
    if (!CX2DNormalizeName(pszFile, name) || !g_pGfxDevice || !g_pGfxDevice->GetSoundMgr())
        return false;
    const std::string path = g_strResourceBase + name.GetString();
    m_pSound = g_pGfxDevice->GetSoundMgr()->LoadSound(path.c_str(), nCopies);
    return m_pSound != nullptr;
}

void CX2DChannel::SetVolume(int nVolume, bool bAll)
{
    m_nVolume = std::clamp(nVolume, 0, 100);
    if (!m_pSound)
        return;
    if (bAll)
        m_pSound->SetVolumeAll(m_nVolume);
    else
        m_pSound->SetVolume(m_nIndex, m_nVolume);
}

void CX2DChannel::SetPan(int nPan)
{
    m_nPan = std::clamp(nPan, -100, 100);
    if (m_pSound)
        m_pSound->SetPan(m_nIndex, m_nPan);
}

void CX2DChannel::SetPitch(float fPitch)
{
    m_fPitch = fPitch;
}

void CX2DChannel::SetLoop(bool bLoop)
{
    m_bLoop = bLoop ? 1 : 0;
    if (m_pSound)
        m_pSound->m_bLoop = m_bLoop;
}

bool CX2DChannel::IsPlaying() const
{
    return m_pSound && m_pSound->IsPlaying(m_nIndex);
}

void CX2DChannel::Stop(bool bRewind)
{
    if (m_pSound)
        m_pSound->Stop(m_nIndex, bRewind);
    m_nIndex = -1;
}

bool CX2DSound::Create(const char* pszFile, int nCopies)
{
    return Load(pszFile, nCopies);
}

int CX2DSound::Play()
{
    if (!CanPlay() || !m_pSound)
        return -1;
    m_pSound->Stop(m_nIndex, false);
    m_nIndex = m_pSound->PlayEx(m_bLoop != 0, m_nVolume, m_nPan, false);
    return m_nIndex;
}

bool CX2DMusic::Create(const char* pszFile, int)
{
    return Load(pszFile, 1);
}

int CX2DMusic::Play()
{
    if (!CanPlay() || !m_pSound)
        return -1;
    Stop(true);
    m_nIndex = m_pSound->PlayEx(m_bLoop != 0, m_nVolume, m_nPan, true);
    return m_nIndex;
}
