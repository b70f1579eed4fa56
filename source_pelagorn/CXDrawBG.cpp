// The background's behaviour: layer and sign changes, thunder, scroll speed, object groups, the
// per-frame update and the draw order.
#include "CXDrawBG.h"

#include "CXDrawBGRandom.h"
#include "CXDrawFRAME.h"
#include "CXDrawScene.h"
#include "CXReelWaitPreset.h"

namespace {

bool IsFadingWithChildren(const CX2DAnimation& animation)
{
    if (animation.IsFading())
        return true;
    for (uint32_t i = 0; i < animation.GetChildCount(); ++i)
        if (const CX2DAnimation* child = animation.GetChild(i)->m_pAnimation;
            child && child->IsFading())
            return true;
    return false;
}

}  // namespace

CXDrawBG::CXDrawBG(CPelagorn* owner)
{
    m_pOwner = owner;
}

void CXDrawBG::ChangeBG(uint32_t index)
{
    if (index == m_dwCurrentLayer || index == m_dwIncomingLayer)
        return;
    CXDrawBGInfo* layer = GetLayer(index);
    if (!layer)
        return;
    const bool shown = m_dwCurrentLayer != kNone;
    if (shown) {
        if (m_dwIncomingLayer != kNone) {
            // The layer that was current is dropped half-way through its fade: its music ends.
            if (CXDrawBGInfo* dropped = GetLayer(m_dwCurrentLayer))
                dropped->StopMusic();
            m_dwCurrentLayer = m_dwIncomingLayer;
            m_dwIncomingLayer = kNone;
        }
        if (CXDrawBGInfo* outgoing = GetLayer(m_dwCurrentLayer)) {
            outgoing->RestartStrips();
            outgoing->Fade(m_fLayerChangeSpeed, CXDrawBGInfo::kFadeOut);
        }
    }
    layer->RestartStrips();
    layer->Fade(m_fLayerChangeSpeed, CXDrawBGInfo::kFadeIn);
    if (shown)
        m_dwIncomingLayer = index;
    else
        m_dwCurrentLayer = index;
}

void CXDrawBG::ChangeSign(uint32_t index)
{
    if (index == m_dwCurrentSign || index == m_dwIncomingSign)
        return;
    CXDrawSignInfo* sign = GetSign(index);
    if (!sign)
        return;
    const bool shown = m_dwCurrentSign != kNone;
    if (shown) {
        if (m_dwIncomingSign != kNone) {
            if (CXDrawSignInfo* dropped = GetSign(m_dwCurrentSign))
                dropped->m_Animation.Stop();
            m_dwCurrentSign = m_dwIncomingSign;
            m_dwIncomingSign = kNone;
        }
        if (CXDrawSignInfo* outgoing = GetSign(m_dwCurrentSign)) {
            CX2DAnimation& animation = outgoing->m_Animation;
            if (!animation.IsPlaying())
                animation.Play(false);
            animation.SetAlphaTrackEnabled(false);
            animation.FadeStart(0.0f, m_fSignFadeSpeed, -1);
        }
    }
    sign->m_fX = static_cast<float>(CXDrawBGRandomRange(sign->m_nXMin, sign->m_nXMax));
    sign->m_fY = static_cast<float>(CXDrawBGRandomRange(sign->m_nYMin, sign->m_nYMax));
    CX2DAnimation& animation = sign->m_Animation;
    animation.Play(false);
    animation.SetAlpha(0);
    animation.SetAlphaTrackEnabled(false);
    animation.FadeStart(static_cast<float>(animation.m_nAnimAlpha), m_fSignFadeSpeed, 1);
    if (shown)
        m_dwIncomingSign = index;
    else
        m_dwCurrentSign = index;
}

void CXDrawBG::ChangeThunder(uint32_t index)
{
    if (index >= CXReelWaitPresetTable::kSize - CXReelWaitPresetTable::kThunderBase)
        return;
    if (index == static_cast<uint32_t>(m_nThunderIndex))
        return;
    if (CX2DAnimation* old = m_Thunder.GetAt(static_cast<uint32_t>(m_nThunderIndex)))
        old->Stop();
    m_nThunderIndex = static_cast<int32_t>(index);
    if (CX2DAnimation* thunder = m_Thunder.GetAt(index)) {
        thunder->Play(true);
        if (m_pScene) {
            m_pScene->SendCommand("L501\r");
            m_pScene->SendCommand("L500\r");
            m_pScene->SendCommand("L101\r");
        }
    }
    if (m_pScene)
        m_pScene->StartReelWait(index + CXReelWaitPresetTable::kThunderBase);
}

void CXDrawBG::SetScrollSpeed(float speed)
{
    if (speed == m_fScrollSpeed)
        return;
    m_fScrollSpeed = speed;
    for (uint32_t i = 0; i < m_Layers.GetSize(); ++i)
        if (CXDrawBGInfo* layer = GetLayer(i))
            layer->SetScrollSpeed(speed, m_fScrollFactorRate);
}

void CXDrawBG::SetObjectGroupVisible(int32_t group, bool on)
{
    if (m_pScene)
        m_pScene->SetObjectGroupShown(group, on);
    const uint8_t from = on ? 0 : m_byDimLevel;
    const uint8_t to = on ? m_byDimLevel : 0;
    for (uint32_t i = 0; i < m_Layers.GetSize(); ++i)
        if (CXDrawBGInfo* layer = GetLayer(i))
            layer->FadeObjectGroup(group, from, to);
    if (group == 1 && m_pScene)
        if (CXDrawFRAME* frame = m_pScene->GetFrameDisplay())
            frame->SyncTitleAnimation();
}

void CXDrawBG::SetMusicVolume(int32_t percent)
{
    for (uint32_t i = 0; i < m_Layers.GetSize(); ++i)
        if (CXDrawBGInfo* layer = GetLayer(i))
            layer->SetMusicVolume(percent);
}

uint32_t CXDrawBG::StopAllSigns()
{
    for (uint32_t i = 0; i < m_Signs.GetSize(); ++i)
        if (CXDrawSignInfo* sign = GetSign(i))
            sign->m_Animation.Stop();
    m_dwCurrentSign = m_dwIncomingSign;
    m_dwIncomingSign = kNone;
    return m_dwCurrentSign;
}

void CXDrawBG::UpdateSigns(float dt)
{
    bool fading = false;
    for (uint32_t i = 0; i < m_Signs.GetSize(); ++i)
        if (CXDrawSignInfo* sign = GetSign(i)) {
            sign->m_Animation.Update(dt);
            fading = fading || IsFadingWithChildren(sign->m_Animation);
        }
    if (fading || (m_dwIncomingSign != kNone && !GetSign(m_dwIncomingSign)))
        return;
    if (m_dwIncomingSign != kNone) {
        if (CXDrawSignInfo* outgoing = GetSign(m_dwCurrentSign))
            outgoing->m_Animation.Stop();
        m_dwCurrentSign = m_dwIncomingSign;
        m_dwIncomingSign = kNone;
    }
    if (CXDrawSignInfo* current = GetSign(m_dwCurrentSign))
        current->m_Animation.SetAlphaTrackEnabled(true);
}

void CXDrawBG::Update(float dt)
{
    for (uint32_t i = 0; i < m_Layers.GetSize(); ++i)
        if (CXDrawBGInfo* layer = GetLayer(i))
            layer->Update(dt);

    if (m_dwIncomingLayer != kNone) {
        bool fading = false;
        for (uint32_t i = 0; i < m_Layers.GetSize() && !fading; ++i)
            if (const CXDrawBGInfo* layer = GetLayer(i))
                fading = layer->IsStripFading();
        if (!fading) {
            if (CXDrawBGInfo* current = GetLayer(m_dwCurrentLayer))
                current->StopMusic();
            m_dwCurrentLayer = m_dwIncomingLayer;
            m_dwIncomingLayer = kNone;
        }
    }

    UpdateSigns(dt);
    if (CXDrawBGInfo* current = GetLayer(m_dwCurrentLayer))
        current->UpdateMusic(dt);
    for (CXDrawBGTurnGaugeInfo& gauge : m_TurnGauges)
        gauge.m_Animation.Update(dt);
    if (CX2DAnimation* rain = m_Rain.GetAt(static_cast<uint32_t>(m_nRainIndex)))
        rain->Update(dt);
    if (CX2DAnimation* thunder = m_Thunder.GetAt(static_cast<uint32_t>(m_nThunderIndex)))
        thunder->Update(dt);
}

void CXDrawBG::DrawSigns(bool front)
{
    for (const uint32_t index : {m_dwCurrentSign, m_dwIncomingSign})
        if (CXDrawSignInfo* sign = GetSign(index); sign && (sign->m_bFront != 0) == front)
            sign->m_Animation.Render(sign->m_fX, sign->m_fY);
}

void CXDrawBG::Draw()
{
    CXDrawBGInfo* current = GetLayer(m_dwCurrentLayer);
    CXDrawBGInfo* incoming = GetLayer(m_dwIncomingLayer);
    DrawSigns(false);
    for (CXDrawBGInfo* layer : {current, incoming})
        if (layer)
            layer->DrawStrips(false);
    for (CXDrawBGInfo* layer : {current, incoming})
        if (layer)
            layer->DrawSorted(0);
    DrawSigns(true);
    for (CXDrawBGInfo* layer : {current, incoming})
        if (layer)
            layer->DrawSorted(1);
    for (uint32_t i = 0; i < m_Layers.GetSize(); ++i)
        if (CXDrawBGInfo* layer = GetLayer(i))
            layer->DrawStrips(true);
    for (CX2DAnimation* animation : {m_Rain.GetAt(static_cast<uint32_t>(m_nRainIndex)),
                                     m_Thunder.GetAt(static_cast<uint32_t>(m_nThunderIndex))})
        if (animation && animation->IsPlaying())
            animation->Render(0.0f, 0.0f);
}
