#pragma once
// Channels: what the engine's 2D objects play a loaded sound through. A channel remembers the
// volume, pan and looping of its sound and the buffer it last started. It borrows the sound from
// the sound manager and must not outlive it.

#include <cstdint>

#include "CXMemoryPoolTmpl.h"

class CXSound;

class CX2DChannel {
public:
    CX_DECLARE_MEMORY_POOL(CX2DChannel)

    CX2DChannel();
    virtual ~CX2DChannel();
    CX2DChannel(const CX2DChannel&) = delete;
    CX2DChannel& operator=(const CX2DChannel&) = delete;

    // 0..100 (clamped); applied to every buffer of the sound with bAll, else to the last one.
    void SetVolume(int nVolume, bool bAll);
    // -100..100 (clamped); reaches the buffer unscaled, in hundredths of a decibel.
    void SetPan(int nPan);
    // Stored only.
    void SetPitch(float fPitch);
    void SetLoop(bool bLoop);
    bool IsPlaying() const;
    // Stops the buffer last started and forgets it.
    void Stop(bool bRewind);

    CXSound* GetSound() const { return m_pSound; }
    int GetBufferIndex() const { return m_nIndex; }
    int GetVolume() const { return m_nVolume; }
    int GetPan() const { return m_nPan; }
    float GetPitch() const { return m_fPitch; }
    bool GetLoop() const { return m_bLoop != 0; }

protected:
    // Stops and forgets the sound held, then takes the sound of the file from the sound manager
    // (loading it with nCopies buffers when needed). False for an empty name or without sound.
    bool Load(const char* pszFile, int nCopies);
    // The sound-off flag and a missing graphics device silence every channel.
    static bool CanPlay();

    int32_t m_nVolume = 100;
    int32_t m_nPan = 0;
    float m_fPitch = 1.0f;
    uint8_t m_bLoop = 0;
    CXSound* m_pSound = nullptr;
    int m_nIndex = -1;
};

// A sound effect: a retrigger takes an idle copy, so copies overlap.
class CX2DSound : public CX2DChannel {
public:
    CX_DECLARE_MEMORY_POOL(CX2DSound)

    bool Create(const char* pszFile, int nCopies);
    // Stops the buffer this channel last started (keeping its position) and plays on the first
    // idle buffer; a busy buffer found is left playing. The buffer index, or -1.
    int Play();
};

// A piece of music: one buffer, always played from the start.
class CX2DMusic : public CX2DChannel {
public:
    CX_DECLARE_MEMORY_POOL(CX2DMusic)

    // The second argument is accepted for callers that pass one; music always has one buffer.
    bool Create(const char* pszFile, int nUnused = 0);
    int Play();
};
