#pragma once
// The Jix sound container: 44 borrowed references to sounds of the engine's sound manager
// (entries 0..42 the rows of the sound table, 43 the score-count sound); null where a sound is
// missing. The sounds belong to the manager and outlive the container.

#include "JixSoundTable.h"

class CXSound;

class CDemoSound {
public:
    CDemoSound() = default;
    virtual ~CDemoSound() = default;
    CDemoSound(const CDemoSound&) = delete;
    CDemoSound& operator=(const CDemoSound&) = delete;

    CXSound* Get(int nEntry) const;
    void Set(int nEntry, CXSound* pSound);

private:
    CXSound* m_apSound[kJixSoundEntries] = {};
};
