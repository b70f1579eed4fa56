#pragma once
// The sound device: the mixer that every buffer plays into, the primary buffer that opens the
// output, and the loading of WAVE files into sounds.

#include <cstdint>
#include <memory>

#include "platform/sound.h"
#include "platform/window.h"

class CXDSBuffer;
class CXDSPrimaryBuffer;
class CXSound;

class CXDSDevice {
public:
    CXDSDevice();
    virtual ~CXDSDevice();
    CXDSDevice(const CXDSDevice&) = delete;
    CXDSDevice& operator=(const CXDSDevice&) = delete;

    // Opens the output at the given format (the engine passes 44100, 16, 2). The window is
    // remembered only: the output is not tied to a window. False when no audio device opens.
    bool Init(HWND hWnd, int nSamplesPerSec, int nBits, int nChannels);
    // Closes the output and drops the mixer. Every buffer must be gone before.
    void Release();
    bool IsInitialised() const { return m_bInit; }

    // A buffer holding the sample data; null when the format cannot be played.
    std::unique_ptr<CXDSBuffer> CreateBuffer(const platform::SoundFormat& format,
                                             const uint8_t* pData, uint32_t dwSize);
    // A sound over the buffer and copies - 1 duplicates of it; null for a null buffer.
    std::unique_ptr<CXSound> CreateSound(const char* pszName, std::unique_ptr<CXDSBuffer> buffer,
                                         int nCopies);
    // Reads the WAVE file through the graphics device's resource lookup (packs, then the disk)
    // and makes a sound of nCopies buffers; null without a graphics device, or when the file is
    // missing or is not a playable WAVE.
    std::unique_ptr<CXSound> LoadSound(const char* pszName, int nCopies);

private:
    std::unique_ptr<platform::SoundMixer> m_pDS;
    std::unique_ptr<CXDSPrimaryBuffer> m_pPrimary;
    HWND m_hWnd = nullptr;
    bool m_bInit = false;
};
