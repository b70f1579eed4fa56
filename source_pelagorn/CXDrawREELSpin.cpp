// The reels' spin: starting, the per-belt motion, the stop countdown with its server requests,
// the prize stage and the request for the next spin.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "CX2DEngine.h"
#include "CXDrawREEL.h"
#include "CXDrawScene.h"

namespace {

// Whole pixels of a distance; broken settings (a huge acceleration or stop delay) can make the
// distance exceed any integer, so it is clamped first.
int64_t WholePixels(double distance)
{
    constexpr double kLimit = 1.0e15;
    if (!(distance > -kLimit))
        return std::isnan(distance) ? 0 : static_cast<int64_t>(-kLimit);
    return static_cast<int64_t>(std::min(distance, kLimit));
}

}  // namespace

uint32_t CXDrawREEL::Now() const
{
    return m_pScene ? m_pScene->GetTimeMs() : 0;
}

bool CXDrawREEL::IsAutoHold() const
{
    return m_pScene && m_pScene->IsAutoHold();
}

int32_t CXDrawREEL::HeldReel() const
{
    return m_pScene ? m_pScene->GetHeldReel() : -1;
}

void CXDrawREEL::StartSpin(int32_t spinCount)
{
    m_bySpinMode = 0;
    float acceleration = m_fSpeed;
    float divisor = 0.0f;
    bool aircraft = false;
    const bool autoHold = IsAutoHold();
    const int32_t held = HeldReel();
    if (autoHold) {
        m_bySpinMode = 2;
        if (held == 1 || held == 2) {
            const int side = held == 1 ? 0 : 1;
            m_Aircraft[side].Play(true);
            m_nAircraftState = held == 1 ? kAircraftLeft : kAircraftRight;
            m_dwAircraftStamp = Now();
            aircraft = true;
        }
    } else if (spinCount >= 0 && static_cast<uint32_t>(spinCount) >= m_dwHighFastSpinCount) {
        m_bySpinMode = 2;
        acceleration = m_fHighFastSpeed;
        divisor = 2.0f;
    } else if (spinCount >= 0 && static_cast<uint32_t>(spinCount) >= m_dwFastSpinCount &&
               m_dwFastRange >= 1) {
        // A fast spin needs a range to draw from: a missing FAST_SPIN_COUNT gives none.
        if (RandomRange(uint32_t{1}, m_dwFastRange) <= m_dwFastLimit) {
            m_bySpinMode = 1;
            acceleration = m_fFastSpeed;
        }
    }
    // A mode without a usable acceleration would never reach its spin-up distance.
    if (!(acceleration > 0.0f))
        acceleration = m_fSpeed;

    for (uint32_t i = 0; i < m_Belts.GetSize(); ++i) {
        CXDrawReelBeltInfo* belt = GetBelt(i);
        if (!belt)
            continue;
        if (autoHold && static_cast<int32_t>(i) != held) {
            belt->m_bActive = 0;
            belt->m_bStopSoundDone = 1;
            belt->m_fAcceleration = 0.0f;
        } else {
            belt->m_fAcceleration = acceleration;
            belt->m_bStopSoundDone = 0;
            belt->m_bActive = belt->GetCount() > 0;
        }
        belt->m_fStartDelay = divisor != 0.0f ? belt->m_fBaseDelay / divisor : belt->m_fBaseDelay;
        belt->ResetMotion();
    }
    m_iSoundReel = 0;
    if (!aircraft)
        m_Sounds[m_bySpinMode][kSoundStart].Play();
}

void CXDrawREEL::UpdateAnimations(float dt)
{
    m_Background.Update(dt);
    for (CX2DAnimation& effect : m_AutoHoldEffects)
        if (effect.IsPlaying())
            effect.Update(dt);
    for (CX2DAnimation& aircraft : m_Aircraft)
        if (aircraft.IsPlaying())
            aircraft.Update(dt);
    for (uint32_t n = 0; n < m_Symbols.GetSize(); ++n)
        if (CXDrawReelInfo* info = m_Symbols.GetAt(n))
            info->Update(dt);
    m_PrizeNumber.UpdateCount(dt, 0);
    for (CX2DAnimation& line : m_LineEffects)
        line.Update(dt);
}

bool CXDrawREEL::UpdateAircraft()
{
    if (m_nAircraftState <= kAircraftNone)
        return false;
    const uint32_t now = Now();
    if (m_dwAircraftStamp > now)
        m_dwAircraftStamp = now;
    const bool left = m_nAircraftState == kAircraftLeft;
    if (now - m_dwAircraftStamp > m_dwAircraftDelay[left ? 0 : 1]) {
        m_AutoHoldEffects[left ? 0 : 1].Play(true);
        m_AutoHoldEffects[left ? 2 : 3].Play(true);
        m_nAircraftState = kAircraftNone;
        m_dwAircraftStamp = now;
    }
    return true;
}

void CXDrawREEL::Update(float dt)
{
    UpdateAnimations(dt);
    if (UpdateAircraft())
        return;

    bool lastSounded = false;
    const bool autoHold = IsAutoHold();
    for (uint32_t i = 0; i < m_Belts.GetSize(); ++i) {
        if (autoHold && static_cast<int32_t>(i) != HeldReel())
            continue;
        UpdateBelt(i, dt, lastSounded);
    }
    // The countdown to the prize starts once every moving belt has sounded its stop. The spin-loop
    // owner alone cannot tell: with sound off (demo, standalone) no loop plays and every spinning
    // belt takes it over, so the first belt to stop would start the prize while others still turn.
    if (lastSounded)
        for (uint32_t i = 0; i < m_Belts.GetSize(); ++i)
            if (const CXDrawReelBeltInfo* belt = GetBelt(i);
                belt && belt->m_bActive && !belt->m_bStopSoundDone)
                lastSounded = false;
    if (lastSounded)
        m_fStopTime = m_fPrizeIdleTick;
    RunStopTimeline(dt);
}

void CXDrawREEL::UpdateBelt(uint32_t index, float dt, bool& lastSounded)
{
    CXDrawReelBeltInfo* belt = GetBelt(index);
    if (!belt || !belt->m_bActive || belt->GetCount() == 0)
        return;
    belt->m_fElapsed += dt;
    const float delay = IsAutoHold() ? m_fAutoHoldTick : belt->m_fStartDelay;
    if (belt->m_bStopping)
        StopBelt(index, *belt, lastSounded);
    else if (belt->m_fElapsed >= delay)
        SpinBelt(index, *belt, delay);
}

void CXDrawREEL::SpinBelt(uint32_t index, CXDrawReelBeltInfo& belt, float delay)
{
    const float u = belt.m_fElapsed - delay;
    const float distance = u * u * belt.m_fAcceleration;
    CX2DSound& loop = m_Sounds[m_bySpinMode][kSoundSpin];
    if (distance > m_fVelocity) {
        if (belt.m_fStopBegin == 0.0f)
            belt.m_fStopBegin = u;
        if (u - belt.m_fStopBegin >= static_cast<float>(m_dwStopDelay) * delay) {
            belt.m_fElapsed = 0.0f;
            belt.m_fStopBegin = u;
            belt.m_fLastDistance = distance;
            belt.m_bStopping = 1;
            belt.m_bStopSoundDone = 0;
            m_iSoundReel = static_cast<int32_t>(index);
            loop.SetVolume(100, true);
            return;
        }
    }
    const int64_t count = belt.GetCount();
    const int64_t h = static_cast<int64_t>(m_fHeight);
    if (h > 0) {
        const int64_t travelled = WholePixels(distance);
        belt.m_fOffset = static_cast<float>(travelled % h);
        // The belt runs downward, through decreasing indexes.
        belt.m_nPosition = belt.Wrap(belt.m_nSpinStart - (travelled / h) % count);
    }
    if (!loop.IsPlaying()) {
        m_iSoundReel = static_cast<int32_t>(index);
        loop.SetVolume(0, true);
        loop.Play();
    }
    if (m_iSoundReel == static_cast<int32_t>(index)) {
        // The channel clamps to 0..100; the clamp here only keeps the conversion defined.
        const double volume =
            static_cast<double>(distance) * 100.0 / static_cast<double>(m_fVelocity);
        loop.SetVolume(std::isnan(volume) ? 0 : static_cast<int>(std::clamp(volume, -1.0, 101.0)),
                       true);
    }
}

void CXDrawREEL::StopBelt(uint32_t index, CXDrawReelBeltInfo& belt, bool& lastSounded)
{
    float u = belt.m_fElapsed;
    if (IsAutoHold())
        u /= m_fAutoHoldStopDelay;
    const float left = belt.m_fStopBegin - u;
    // The remaining distance runs down the mirror of the spin-up curve.
    const float distance = left * left * belt.m_fAcceleration;
    const bool passed = distance > belt.m_fLastDistance;
    if ((distance < m_fStopSoundDistance || passed) && !belt.m_bStopSoundDone) {
        belt.m_bStopSoundDone = 1;
        if (m_iSoundReel == static_cast<int32_t>(index))
            m_Sounds[m_bySpinMode][kSoundSpin].Stop(false);
        lastSounded = true;
        const uint32_t last = m_Belts.GetSize() > 1 ? m_Belts.GetSize() - 1 : 1;
        CX2DSound& stop = m_Sounds[m_bySpinMode][kSoundStop];
        stop.SetPan(static_cast<int32_t>(index * 200u / last - 100u));
        stop.Play();
    }
    if (passed) {
        belt.m_nPosition = belt.m_nTarget;
        belt.m_bActive = 0;
        belt.m_bStopping = 0;
        belt.m_fOffset = 0.0f;
        return;
    }
    belt.m_fLastDistance = distance;
    const int64_t h = static_cast<int64_t>(m_fHeight);
    if (h <= 0)
        return;
    const int64_t travelled = WholePixels(static_cast<double>(m_fHeight) + distance);
    belt.m_nPosition = belt.Wrap(belt.m_nTarget + travelled / h);
    belt.m_fOffset = m_fHeight - static_cast<float>(travelled % h);
    if (belt.m_fOffset >= m_fHeight) {
        belt.m_fOffset = 0.0f;
        belt.m_nPosition = belt.Wrap(static_cast<int64_t>(belt.m_nPosition) - 1);
    }
}

void CXDrawREEL::RunStopTimeline(float dt)
{
    if (m_fStopTime > 0.0f) {
        m_fStopTime -= dt;
        if (m_fStopTime > 0.0f)
            return;
        m_fStopTime = 0.0f;
        if (!m_pScene)
            return;
        m_pScene->ShowReelPrize();
        if (!m_pScene->IsStandalone() && !m_pScene->IsReelsStoppedSent())
            m_pScene->SendReelsStopped();
        if (m_pScene->GetResultTotalWin() == 0 && !m_pScene->IsDemoMode() && m_pScene->IsOnline() &&
            !m_pScene->IsResultPending())
            m_pScene->SendResultRequest();
        return;
    }
    const bool prizeDone = RunPrizeStage(dt);
    if (!m_pScene || !prizeDone || IsMoving() || m_fPrizeTime > 0.0f)
        return;
    if (m_pScene->GetSpinsLeft() > 0 && !m_pScene->IsSpinDataHeld()) {
        m_fIdleTime += dt;
        if (m_fIdleTime > m_fIdleTick) {
            m_fIdleTime = 0.0f;
            m_pScene->StartScrollReel();
        }
    }
}

bool CXDrawREEL::RunPrizeStage(float dt)
{
    if (m_fPrizeTime == 0.0f) {
        if (m_pScene && m_pScene->IsSpinEndConfirmed() && m_pScene->IsSpinDataHeld() &&
            !m_pScene->IsGameFinPending())
            m_pScene->SendGameFin();
        return true;
    }
    if (!m_bPrizeRequested) {
        m_bPrizeRequested = 1;
        if (m_pScene && !m_pScene->IsDemoMode() && m_pScene->IsOnline() &&
            !m_pScene->IsResultPending())
            m_pScene->SendResultRequest();
    }
    if (m_pEffect)
        m_pEffect->Update(dt);
    if (m_pEffectParticle)
        m_pEffectParticle->Update(dt);
    m_fPrizeTime -= dt;
    // A looping prize effect keeps the stage open until it stops playing; the countdown then
    // rests below 0 (exactly 0 would read as "no prize" next frame).
    if (m_fPrizeTime <= 0.0f && !(m_pEffect && m_pEffect->IsPlaying()))
        EndPrize();
    else if (m_fPrizeTime == 0.0f)
        m_fPrizeTime = -std::numeric_limits<float>::min();
    return false;
}

void CXDrawREEL::EndPrize()
{
    if (m_pScene) {
        m_pScene->FinishReelPrize(m_nEffect);
        if (m_pScene->IsOnline())
            m_bPrizeRequested = 0;
    }
    m_fPrizeTime = 0.0f;
    m_PrizeNumber.m_nMode = 1;
    m_PrizeNumber.SetNumber(0, false);
    const float distance =
        static_cast<float>(std::fabs(m_PrizeNumber.m_dwTarget - m_PrizeNumber.m_dShown));
    m_PrizeNumber.m_fCountSpeed = std::fmax(1000.0f, distance / 300.0f * 1000.0f);
    m_PrizeNumber.UpdateCount(0.0f, 0);
    if (m_pEffect)
        m_pEffect->Stop();
    if (m_pEffectParticle)
        m_pEffectParticle->Stop(false);
    m_pEffect = nullptr;
    m_pEffectParticle = nullptr;
    UnmarkAll();
}
