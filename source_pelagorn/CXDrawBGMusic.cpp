// The music of a background layer: the current entry's fade-out, its volume, the count that ends
// a piece after its play limit, and the choice of the next entry.

#include "CXDrawBGInfo.h"
#include "CXDrawBGRandom.h"
#include "CXDrawScene.h"

namespace {

// A fade-out takes one step per this much game time.
constexpr uint32_t kFadeStepMs = 100;

}  // namespace

int32_t CXDrawBGMusicInfo::Volume() const
{
    const int64_t volume = int64_t{m_nVolumePercent} * m_nVolume / 100;
    return static_cast<int32_t>(m_bFading ? volume * m_nFadeSteps / 100 : volume);
}

void CXDrawBGInfo::SetMusicVolume(int32_t percent)
{
    for (uint32_t i = 0; i < m_Music.GetSize(); ++i)
        if (CXDrawBGMusicInfo* entry = m_Music.GetAt(i))
            entry->m_nVolumePercent = percent;
}

void CXDrawBGInfo::StopMusic()
{
    if (m_nCurrentMusic < 0)
        return;
    if (CXDrawBGMusicInfo* entry = m_Music.GetAt(static_cast<uint32_t>(m_nCurrentMusic)))
        entry->m_Music.Stop(true);
}

void CXDrawBGInfo::ChooseMusic()
{
    StopMusic();
    // The entries to draw from: the group-0 ones while that group shows (when there are any), else
    // the others. Counted, then the drawn one found by a second walk.
    uint32_t group0Count = 0, otherCount = 0;
    for (uint32_t i = 0; i < m_Music.GetSize(); ++i)
        if (const CXDrawBGMusicInfo* entry = m_Music.GetAt(i))
            ++(entry->m_bGroup0 ? group0Count : otherCount);
    const bool fromGroup0 = m_pScene && m_pScene->IsFirstGroupShown() && group0Count > 0;
    const uint32_t count = fromGroup0 ? group0Count : otherCount;
    if (count == 0)
        return;
    uint32_t left = static_cast<uint32_t>(CXDrawBGRandomRange(0, static_cast<int32_t>(count - 1)));
    uint32_t index = 0;
    for (uint32_t i = 0; i < m_Music.GetSize(); ++i) {
        const CXDrawBGMusicInfo* entry = m_Music.GetAt(i);
        if (!entry || (entry->m_bGroup0 != 0) != fromGroup0)
            continue;
        index = i;
        if (left-- == 0)
            break;
    }
    CXDrawBGMusicInfo* entry = m_Music.GetAt(index);
    m_nCurrentMusic = static_cast<int32_t>(index);
    entry->m_fPlayed = 0.0f;
    entry->m_Music.Play();
    entry->m_nCounter = 0;
    entry->m_nChosenCount = CXDrawBGRandomRange(entry->m_nMinCount, entry->m_nMaxCount);
}

void CXDrawBGInfo::UpdateMusic(float dt)
{
    if (m_Music.GetSize() == 0)
        return;
    CXDrawBGMusicInfo* entry =
        m_nCurrentMusic < 0 ? nullptr : m_Music.GetAt(static_cast<uint32_t>(m_nCurrentMusic));
    if (!entry) {
        ChooseMusic();
        return;
    }
    if (entry->m_bFading) {
        const uint32_t now = m_pScene ? m_pScene->GetTimeMs() : 0;
        if (entry->m_dwFadeStamp > now)
            entry->m_dwFadeStamp = now;
        if (now - entry->m_dwFadeStamp > kFadeStepMs) {
            entry->m_dwFadeStamp = now;
            if (--entry->m_nFadeSteps < 1) {
                entry->m_bFading = 0;
                ChooseMusic();
                entry = m_Music.GetAt(static_cast<uint32_t>(m_nCurrentMusic));
            }
        }
    }
    entry->m_Music.SetVolume(entry->Volume(), true);
    if (!entry->m_Music.IsPlaying()) {
        ChooseMusic();
        return;
    }
    entry->m_fPlayed += dt;
    if (entry->m_fPlayed > entry->m_fPlayLimit && entry->m_nChosenCount != 0 &&
        ++entry->m_nCounter >= entry->m_nChosenCount) {
        entry->m_Music.Stop(true);
        entry->m_nCounter = 0;
        entry->m_nChosenCount = 0;
    }
}
