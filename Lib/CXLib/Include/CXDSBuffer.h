#pragma once
// Wrappers of the sound device's buffers: one secondary buffer holding a whole sound (shared by
// its duplicates), and the primary buffer that opens the output in the mixing format.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sound.h"

// Lock flag: lock the whole buffer, whatever the offset and size.
constexpr uint32_t DSBLOCK_ENTIREBUFFER = 2;

class CXDSBuffer {
public:
    // The mixer is the sound device's; borrowed, never released here.
    explicit CXDSBuffer(platform::SoundMixer* pDS);
    virtual ~CXDSBuffer();
    CXDSBuffer(const CXDSBuffer&) = delete;
    CXDSBuffer& operator=(const CXDSBuffer&) = delete;

    virtual void Release();
    // Create, then the whole buffer locked, filled from pData and unlocked. False when the format
    // cannot be played or there is no mixer.
    virtual bool CreateFromWave(const platform::SoundFormat& format, const uint8_t* pData,
                                uint32_t dwSize);
    // A buffer of dwSize bytes in the given format, holding silence, for the caller to fill
    // through Lock and Unlock. False when the format cannot be played, the size holds no whole
    // frame, or there is no mixer.
    virtual bool Create(const platform::SoundFormat& format, uint32_t dwSize);
    // Gives the caller dwBytes of the buffer's memory from dwOffset, in the buffer's own format:
    // the part up to the end in (*ppv1, *pdw1) and the rest, wrapped to the start, in
    // (*ppv2, *pdw2) (null and 0 when nothing wraps). DSBLOCK_ENTIREBUFFER locks all of it.
    // False without a buffer made by Create, while locked, for an offset past the end, a size of
    // 0 or above the buffer's, or any other flag.
    virtual bool Lock(uint32_t dwOffset, uint32_t dwBytes, void** ppv1, uint32_t* pdw1, void** ppv2,
                      uint32_t* pdw2, uint32_t dwFlags);
    // Ends the lock with what Lock gave; what was written plays from then on (the position is
    // kept). False when the pointers are not those of the lock.
    virtual bool Unlock(void* pv1, uint32_t dw1, void* pv2, uint32_t dw2);
    // A new wrapper on the same mixer sharing this buffer's data; null without a buffer.
    virtual std::unique_ptr<CXDSBuffer> Duplicate();
    // Makes this wrapper a duplicate of the source and gives it the source's remembered volume.
    virtual bool Attach(CXDSBuffer* pSource);

    // Volumes in hundredths of a decibel: 0 full, -10000 silence.
    virtual int32_t GetVolume() const { return m_lVolume; }
    // Remembers the volume and applies it, or -10000 while muted.
    virtual void SetVolume(int32_t lVolume);
    virtual float GetVolumeRatio() const { return static_cast<float>(GetVolume() / 10000.0); }
    // 0.0..1.0 (clamped) maps linearly to -3000..0; the volume path of the layers above.
    virtual void SetVolumeRatio(float fRatio);
    // -10000 (left) .. 10000 (right), as given; false without buffer or out of range.
    virtual bool SetPan(int32_t lPan);
    // A byte offset of the sound's own format.
    virtual bool SetPosition(uint32_t dwOffset);
    virtual bool IsPlaying() const;
    // Loops when nLoop is 1. Started while muted, the buffer stays silent.
    virtual bool Play(int nLoop);
    virtual bool StopBuffer();
    // Stops, keeping the position unless bRewind.
    virtual bool Stop(bool bRewind);
    virtual void SetMute(bool bMute);
    bool IsMuted() const { return m_bMute != 0; }
    virtual platform::SoundBuffer* GetBuffer() const { return m_pBuffer.get(); }
    virtual void SetUserData(int32_t nValue) { m_nUserData = nValue; }
    virtual int32_t GetUserData() const { return m_nUserData; }

protected:
    platform::SoundMixer* m_pDS;
    std::unique_ptr<platform::SoundBuffer> m_pBuffer;
    // The buffer's bytes in its own format (buffers made by Create; duplicates share only the
    // converted samples, as they were when duplicated).
    platform::SoundFormat m_Format;
    std::vector<uint8_t> m_Memory;
    bool m_bLocked = false;
    int32_t m_nUserData = 0;
    int32_t m_lVolume = 0;
    uint8_t m_bMute = 0;
};

// The primary buffer: its format is the format of the output, which it opens.
class CXDSPrimaryBuffer : public CXDSBuffer {
public:
    using CXDSBuffer::CXDSBuffer;
    ~CXDSPrimaryBuffer() override;

    void Release() override;
    // Opens the output at that format; false when it is not the mixing format (44100 Hz, 16 bits,
    // stereo) or no audio device can be opened.
    virtual bool SetPrimaryFormat(int nSamplesPerSec, int nBitsPerSample, int nChannels);

private:
    std::unique_ptr<platform::SoundOutput> m_pOutput;
};
