#pragma once
// A looping frame animation over a set of UI images: the frame shown follows the time within one
// loop of the given duration.

#include <cstdint>

class CUIFrames;

class CUIAni {
public:
    CUIAni() = default;
    virtual ~CUIAni() = default;

    // Frames are not owned. Time and frame start at 0.
    void Set(CUIFrames* frames, float duration, float x, float y, float scaleX = 1.0f,
             float scaleY = 1.0f, uint32_t colour = 0xFFFFFFFF);
    void SetPos(float x, float y)
    {
        m_fX = x;
        m_fY = y;
    }
    void Update(float seconds);
    void Draw() const;

    int32_t GetFrameIndex() const { return m_nFrame; }
    float GetTime() const { return m_fTime; }

private:
    CUIFrames* m_pFrames = nullptr;
    float m_fDuration = 0.0f;
    float m_fTime = 0.0f;
    int32_t m_nFrame = 0;
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    float m_fScaleX = 1.0f;
    float m_fScaleY = 1.0f;
    uint32_t m_dwColour = 0xFFFFFFFF;
};
