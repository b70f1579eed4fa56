// The graphics device's sound objects: sound device, sound manager and wave cache.
#include "CXDSDevice.h"
#include "CXGfxDevice.h"
#include "CXSoundMgr.h"
#include "CXWaveList.h"
#include "platform/sound.h"

bool CXGfxDevice::InitSound(int soundGroups)
{
    FreeSound();
    auto device = std::make_unique<CXDSDevice>();
    if (!device->Init(m_hWnd, platform::kSoundRate, platform::kSoundBits,
                      platform::kSoundChannels)) {
        SetError("Can't initialize sound device: %s", platform::SoundOutput::LastError());
        return false;
    }
    auto manager = std::make_unique<CXSoundMgr>(device.get());
    if (!manager->CreateGroups(soundGroups)) {
        SetError("Can't create sound manager with %d groups", soundGroups);
        return false;
    }
    m_pDSDevice = device.release();
    m_pSoundMgr = manager.release();
    m_pWaveList = new CXWaveList;
    return true;
}

void CXGfxDevice::FreeWaveList()
{
    delete m_pWaveList;
    m_pWaveList = nullptr;
}

void CXGfxDevice::FreeSound()
{
    FreeWaveList();
    // Every buffer goes with the manager, before the device they play on.
    delete m_pSoundMgr;
    m_pSoundMgr = nullptr;
    delete m_pDSDevice;
    m_pDSDevice = nullptr;
}
