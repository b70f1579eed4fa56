// The music of a background layer: the current entry's fade-out, its volume, the count that ends
// a piece after its play limit, and the choice of the next entry.
#include <vector>

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
    const bool group0 = m_pScene && m_pScene->IsFirstGroupShown();
    std::vector<uint32_t> group0Entries, otherEntries;
    for (uint32_t i = 0; i < m_Music.GetSize(); ++i)
        if (const CXDrawBGMusicInfo* entry = m_Music.GetAt(i))
            (entry->m_bGroup0 ? group0Entries : otherEntries).push_back(i);
    const std::vector<uint32_t>& pool = group0 && !group0Entries.empty() ? group0Entries : otherEntries;
    if (pool.empty())
        return;
    const uint32_t index = pool[static_cast<size_t>(CXDrawBGRandomRange(0, static_cast<int32_t>(pool.size() - 1)))];
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
