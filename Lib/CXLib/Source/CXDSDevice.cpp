#include "CXDSDevice.h"

#include "CXDSBuffer.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXWaveList.h"

CXDSDevice::CXDSDevice() = default;

CXDSDevice::~CXDSDevice()
{
    Release();
}

bool CXDSDevice::Init(HWND hWnd, int nSamplesPerSec, int nBits, int nChannels)
{
    Release();
    m_hWnd = hWnd;
    m_pDS = std::make_unique<platform::SoundMixer>();
    m_pPrimary = std::make_unique<CXDSPrimaryBuffer>(m_pDS.get());
    if (!m_pPrimary->SetPrimaryFormat(nSamplesPerSec, nBits, nChannels)) {
        Release();
        return false;
    }
    m_bInit = true;
    return true;
}

void CXDSDevice::Release()
{
    m_pPrimary.reset();
    m_pDS.reset();
    m_bInit = false;
}

std::unique_ptr<CXDSBuffer> CXDSDevice::CreateBuffer(const platform::SoundFormat& format,
                                                     const uint8_t* pData, uint32_t dwSize)
{
    if (!m_pDS)
        return nullptr;
    auto buffer = std::make_unique<CXDSBuffer>(m_pDS.get());
    if (!buffer->CreateFromWave(format, pData, dwSize))
        return nullptr;
    return buffer;
}

std::unique_ptr<CXSound> CXDSDevice::CreateSound(const char*, std::unique_ptr<CXDSBuffer> buffer,
                                                 int nCopies)
{
    if (!buffer)
        return nullptr;
    auto sound = std::make_unique<CXSound>();
    if (!sound->AddBuffers(std::move(buffer), nCopies))
        return nullptr;
    return sound;
}

std::unique_ptr<CXSound> CXDSDevice::LoadSound(const char* pszName, int nCopies)
{
    if (!pszName || !m_pDS || !g_pGfxDevice)
        return nullptr;
    uint32_t dwSize = 0;
    void* pFile = g_pGfxDevice->Resource_Load(pszName, &dwSize);
    if (!pFile)
        return nullptr;
    auto wav = CXWaveList::Decode(pszName, static_cast<const uint8_t*>(pFile), dwSize);
    g_pGfxDevice->Resource_Free(pFile);
    if (!wav)
        return nullptr;
    auto buffer = CreateBuffer(wav->Format, wav->Data.data(), wav->dwSize);
    wav.reset();
    return CreateSound(pszName, std::move(buffer), nCopies);
}
