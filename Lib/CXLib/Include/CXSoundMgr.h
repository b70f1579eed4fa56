#pragma once
// The sound manager: every loaded sound once per sound group. Group 0 serves the lobby and
// groups 1 to 4 the machine slots, so that one slot's sounds can be muted, stopped or swapped
// with another's without touching the rest.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CXPtrMapTempl.h"

class CXDSDevice;
class CXSound;

// One sound group: its own copy of every sound, keyed by the normalised name.
class CXSoundList {
public:
    explicit CXSoundList(int nIndex);
    virtual ~CXSoundList();
    CXSoundList(const CXSoundList&) = delete;
    CXSoundList& operator=(const CXSoundList&) = delete;

    // Takes the sound under the name. False for a null name or sound, or when the name is taken
    // (the sound already there stays; the new one is deleted).
    bool Add(const char* pszName, std::unique_ptr<CXSound> pSound);
    // Adds a clone of the sound unless the name is present (true, nothing changes).
    bool AddClone(const char* pszName, const CXSound* pSound);
    CXSound* Find(const char* pszName) const;
    // Stores the flag and mutes or unmutes every buffer of every sound.
    void SetMute(bool bMute);
    bool IsMuted() const { return m_bMute != 0; }
    // Stops every sound and rewinds it.
    void StopAll();
    int GetIndex() const { return m_nIndex; }
    size_t GetCount() const { return m_Sounds.GetCount(); }

private:
    CXPtrMapTempl<std::string, CXSound> m_Sounds;
    int m_nIndex;
    uint8_t m_bMute = 0;
};

class CXSoundMgr {
public:
    // Sounds are loaded through the sound device (borrowed). Makes group 0.
    explicit CXSoundMgr(CXDSDevice* pDevice);
    virtual ~CXSoundMgr();
    CXSoundMgr(const CXSoundMgr&) = delete;
    CXSoundMgr& operator=(const CXSoundMgr&) = delete;

    // Appends nCount groups, each numbered by its position.
    bool CreateGroups(int nCount);
    int GetGroupCount() const { return static_cast<int>(m_Groups.size()); }
    CXSoundList* GetGroup(int nIndex) const;
    // Exchanges two groups' places (their own numbers stay); false for an index out of range.
    bool SwapGroups(int a, int b);
    bool IsGroupMuted(int nIndex) const;
    void SetGroupMute(int nIndex, bool bMute);

    // The group's sound of that name (trimmed, upper-cased); null when absent or out of range.
    CXSound* FindSound(int nGroup, const char* pszName) const;
    // The current group's sound of that name, loading the file (nCopies buffers) into group 0
    // and a clone into every other group when no group holds it yet. Null when the file is
    // missing or unplayable, or when a clone cannot be made.
    CXSound* LoadSound(const char* pszName, int nCopies);

    // The group whose sounds LoadSound returns; -1 (read as 0) until a deck sets it.
    int32_t m_nCurrentGroup = -1;

private:
    CXDSDevice* m_pDevice;
    std::vector<std::unique_ptr<CXSoundList>> m_Groups;
};
