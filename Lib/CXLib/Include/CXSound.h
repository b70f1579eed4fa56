#pragma once
// One loaded sound held in several buffer copies, so that it can overlap itself.

#include <cstdint>
#include <memory>
#include <vector>

class CXDSBuffer;

class CXSound {
public:
    CXSound();
    virtual ~CXSound();
    CXSound(const CXSound&) = delete;
    CXSound& operator=(const CXSound&) = delete;

    // Keeps the buffer and adds nCopies - 1 duplicates of it (a failed duplicate is skipped).
    // False for a null buffer.
    bool AddBuffers(std::unique_ptr<CXDSBuffer> pBuffer, int nCopies);
    // A new sound (volume 100, pan 0, no loop) with as many duplicates of the first buffer as
    // this sound has buffers; null when this sound has none.
    std::unique_ptr<CXSound> Clone() const;

    // Stores the loop flag and plays with the sound's own volume and pan (see PlayEx).
    int Play(bool bLoop, bool bRestart);
    // Plays on the first idle buffer, else on buffer 0. Without bRestart a buffer that is already
    // playing is left as it is; with it, the buffer starts again from the beginning. Volume
    // (at most 100) and pan (at most 10000) are stored and applied. The buffer index, or -1 when
    // the buffer could not start.
    int PlayEx(bool bLoop, int nVolume, int nPan, bool bRestart);
    bool PlayBuffer(int nIndex);

    // Operations on one buffer; an index outside the array is ignored (false).
    bool IsPlaying(int nIndex) const;
    bool Stop(int nIndex, bool bRewind);
    bool SetPan(int nIndex, int nPan);
    // 0..100 (clamped), applied as a ratio of full volume.
    void SetVolume(int nIndex, int nVolume);

    void SetVolumeAll(int nVolume);
    void StopAll(bool bRewind);
    void SetMute(bool bMute);
    void ReleaseBuffers();

    int GetBufferCount() const { return static_cast<int>(m_Buffers.size()); }
    CXDSBuffer* GetBuffer(int nIndex) const;

    int32_t m_nVolume = 100;  // 0..100
    int32_t m_nPan = 0;       // hundredths of a decibel
    uint8_t m_bLoop = 0;

private:
    std::vector<std::unique_ptr<CXDSBuffer>> m_Buffers;
};
