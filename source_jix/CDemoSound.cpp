#include "CDemoSound.h"

CXSound* CDemoSound::Get(int nEntry) const
{
    if (nEntry < 0 || nEntry >= kJixSoundEntries)
        return nullptr;
    return m_apSound[nEntry];
}

void CDemoSound::Set(int nEntry, CXSound* pSound)
{
    if (nEntry >= 0 && nEntry < kJixSoundEntries)
        m_apSound[nEntry] = pSound;
}
