// Playing an animation: frames, tracks, fades, loops, play time and children.
#include "CX2DAnimation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "CX2DTexture.h"
#include "CXGfxDevice.h"

namespace {

// An alpha value from a track (keys come from the file) as a level of 0..255: values past either
// end hold at that end instead of leaving the integer range.
int AlphaLevel(float value)
{
    return static_cast<int>(std::clamp(value, 0.0f, 255.0f));
}

}  // namespace

CX2DAnimationANFInfo::~CX2DAnimationANFInfo()
{
    delete m_pAnimation;
}

CX2DAnimation::~CX2DAnimation()
{
    // The channel borrows its sound from the device's sound manager, which may be gone by now.
    if (g_pGfxDevice && g_pGfxDevice->GetSoundMgr())
        m_Sound.Stop(true);
}

void CX2DAnimation::Reset()
{
    Stop();
    m_Sound.Create(nullptr, 1);  // forgets the sound
    Release();
    m_TexList.clear();
    m_Children.clear();
    for (CX2DAnimationTrack& track : m_Tracks) {
        track = CX2DAnimationTrack{};
    }
    m_fFrameX = m_fFrameY = m_fFrameW = m_fFrameH = 0.0f;
    m_nAppliedFrame = -1;
    m_nAnimAlpha = 255;
    m_dwRGB = 0xFFFFFF;
    m_nLoopCount = 0;
    m_nPlays = 1;
    m_fPlayTime = m_fPlayTimeLeft = 0.0f;
    m_fAlphaValue = 255.0f;
}

void CX2DAnimation::ApplyAlpha(int alpha)
{
    if (!m_pCore)
        return;
    m_bColorSet = 1;
    m_nAlpha = static_cast<uint8_t>(alpha & 0xFF);
    m_dwColor = static_cast<uint32_t>(m_nAlpha) << 24 | m_dwRGB;
    m_pCore->SetColor(m_dwColor, -1);
}

void CX2DAnimation::SetAnimationColor(uint32_t argb)
{
    m_dwRGB = argb & 0xFFFFFF;
    m_nAnimAlpha = static_cast<int>(argb >> 24);
    ApplyAlpha(m_nAnimAlpha);
}

void CX2DAnimation::FadeStart(float fTarget, float fSpeed, int nDirection)
{
    const float current = static_cast<float>(GetAlpha(0));
    if (nDirection == 0)
        nDirection = fTarget >= current ? 1 : -1;
    m_fFadeTarget = fTarget;
    m_fFadeAlpha = current;
    m_fFadeAccel = 1.0f;
    m_fFadeSpeed = nDirection > 0 ? fSpeed : -fSpeed;
}

void CX2DAnimation::ApplyTrackValues()
{
    const CX2DAnimationTrack& pos = m_Tracks[TRACK_POSITION];
    const CX2DAnimationTrack& scale = m_Tracks[TRACK_SCALE];
    const CX2DAnimationTrack& rot = m_Tracks[TRACK_ROTATION];
    const CX2DAnimationTrack& alpha = m_Tracks[TRACK_ALPHA];
    if (pos.HasKeys())
        m_fOffsetX = pos.m_Value.x, m_fOffsetY = pos.m_Value.y;
    if (scale.HasKeys())
        m_fHScale = scale.m_Value.x, m_fVScale = scale.m_Value.y;
    if (rot.HasKeys())
        m_fRotation = rot.m_Value.x;
    if (alpha.HasKeys())
        m_fAlphaValue = alpha.m_Value.x;
}

void CX2DAnimation::Play(bool withSound)
{
    Stop();
    if (CXAnimationCore* core = GetAnimationCore())
        core->Play();
    if (withSound)
        m_Sound.Play();
    m_nPlays = 1;
    m_fOffsetX = m_fOffsetY = 0.0f;
    m_fHScale = m_fVScale = 1.0f;
    m_fRotation = 0.0f;
    m_fAlphaValue = 255.0f;
    for (CX2DAnimationTrack& track : m_Tracks)
        track.Start();
    ApplyTrackValues();
    for (auto& child : m_Children)
        if (child->m_pAnimation)
            child->m_pAnimation->Play(true);
    m_fPlayTimeLeft = m_fPlayTime;
}

void CX2DAnimation::Stop()
{
    if (CXAnimationCore* core = GetAnimationCore())
        core->m_bPlaying = 0;
    m_Sound.Stop(true);
    for (CX2DAnimationTrack& track : m_Tracks)
        track.Stop();
    for (auto& child : m_Children)
        if (child->m_pAnimation)
            child->m_pAnimation->Stop();
}

bool CX2DAnimation::IsPlaying() const
{
    if (m_fPlayTime > 0.0f)
        return m_fPlayTimeLeft > 0.0f;
    if (m_nLoopCount != 0 && m_nPlays < m_nLoopCount)
        return true;
    const CXAnimationCore* core = GetAnimationCore();
    return core && core->m_bPlaying;
}

void CX2DAnimation::ApplyListFrame(int frame)
{
    if (frame < 0 || frame >= static_cast<int>(m_TexList.size()) ||
        !m_TexList[static_cast<size_t>(frame)])
        return;
    SetTexture(m_TexList[static_cast<size_t>(frame)]->GetTexture());
    SetTextureRect(m_fFrameX, m_fFrameY, m_fFrameW, m_fFrameH);
}

void CX2DAnimation::Update(float dt)
{
    const bool fading = IsFading();
    UpdateFade(dt);
    if (fading && m_dwRGB != 0xFFFFFF)
        ApplyAlpha(GetAlpha(0));
    if (CXAnimationCore* core = GetAnimationCore())
        core->Update(dt);

    // The alpha track also applies the update in which it reaches its last key and stops, so a
    // fade to a key ends on that key's alpha.
    const bool alphaMoved = m_Tracks[TRACK_ALPHA].m_bActive;
    for (CX2DAnimationTrack& track : m_Tracks)
        if (track.m_bActive)
            track.Update(dt);
    ApplyTrackValues();
    if (m_bAlphaTrack && alphaMoved && !std::isnan(m_fAlphaValue))
        ApplyAlpha(AlphaLevel(m_fAlphaValue));

    const int alpha = GetAlpha(0);
    for (auto& child : m_Children) {
        CX2DAnimation* anim = child->m_pAnimation;
        if (!anim)
            continue;
        anim->Update(dt);
        if (fading && anim->GetAlpha(0) > alpha)
            anim->ApplyAlpha(alpha);
    }

    if (!m_TexList.empty()) {
        const int frame = GetFrame();
        if (frame != m_nAppliedFrame) {
            m_nAppliedFrame = frame;
            ApplyListFrame(frame);
        }
    }

    // Each restart counts one play, so LOOP_COUNT n plays n times in all.
    const CXAnimationCore* core = GetAnimationCore();
    if (m_nLoopCount != 0 && m_nPlays < m_nLoopCount && core && !core->m_bPlaying) {
        const int32_t plays = m_nPlays;
        Play(true);
        m_nPlays = plays + 1;
    }

    if (m_fPlayTimeLeft > 0.0f) {
        m_fPlayTimeLeft -= dt;
        if (m_fPlayTimeLeft <= 0.0f)
            Stop();
    }
}

void CX2DAnimation::RenderChildren(float x, float y, const char* key)
{
    if (key)
        RenderChildren(x, y, std::atoi(key));
    else
        for (auto& child : m_Children)
            if (CX2DAnimation* anim = child->m_pAnimation)
                anim->Render(child->m_bAbsolute ? child->m_fX : x + child->m_fX,
                             child->m_bAbsolute ? child->m_fY : y + child->m_fY);
}

void CX2DAnimation::RenderChildren(float x, float y, int key)
{
    for (auto& child : m_Children)
        if (CX2DAnimation* anim = child->m_pAnimation; anim && child->m_nKey == key)
            anim->Render(child->m_bAbsolute ? child->m_fX : x + child->m_fX,
                         child->m_bAbsolute ? child->m_fY : y + child->m_fY);
}

int CX2DAnimation::GetFrame() const
{
    const CXAnimationCore* core = GetAnimationCore();
    return core ? core->m_nCurFrame : 0;
}

int CX2DAnimation::GetFrameCount() const
{
    if (!m_TexList.empty())
        return static_cast<int>(m_TexList.size());
    const CXAnimationCore* core = GetAnimationCore();
    return core ? core->m_nFrames : 0;
}

void CX2DAnimation::SetFrame(int frame)
{
    CXAnimationCore* core = GetAnimationCore();
    if (!core)
        return;
    core->SetFrame(frame);
    if (!m_TexList.empty()) {
        m_nAppliedFrame = frame;
        ApplyListFrame(frame);
    }
}

void CX2DAnimation::SetMode(uint32_t bits)
{
    if (CXAnimationCore* core = GetAnimationCore())
        core->SetMode(bits);
}

void CX2DAnimation::SetFPS(float fps)
{
    if (CXAnimationCore* core = GetAnimationCore())
        core->SetFPS(fps);
}
