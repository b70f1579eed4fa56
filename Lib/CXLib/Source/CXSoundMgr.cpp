#include "CXSoundMgr.h"

#include <utility>

#include "CXDSDevice.h"
#include "CXSound.h"
#include "CXString.h"

namespace {

std::string NormaliseName(const char* pszName)
{
    CXString key(pszName ? pszName : "");
    key.TrimUpper();
    return key.GetString();
}

}  // namespace

// ---- CXSoundList ----

CXSoundList::CXSoundList(int nIndex) : m_nIndex(nIndex) {}

CXSoundList::~CXSoundList() = default;

bool CXSoundList::Add(const char* pszName, std::unique_ptr<CXSound> pSound)
{
    // The map replaces (and deletes) an object under a taken key, and channels may be holding
    // that one: a taken name is refused instead.
    if (!pszName || !pSound || m_Sounds.Find(pszName))
        return false;
    return m_Sounds.Insert(pszName, pSound.release());
}

bool CXSoundList::AddClone(const char* pszName, const CXSound* pSound)
{
    if (!pszName || !pSound)
        return false;
    if (m_Sounds.Find(pszName))
        return true;
    auto clone = pSound->Clone();
    return clone && Add(pszName, std::move(clone));
}

CXSound* CXSoundList::Find(const char* pszName) const
{
    return pszName ? m_Sounds.Find(pszName) : nullptr;
}

void CXSoundList::SetMute(bool bMute)
{
    m_bMute = bMute ? 1 : 0;
    for (const auto& entry : m_Sounds)
        entry.second->SetMute(bMute);
}

void CXSoundList::StopAll()
{
    for (const auto& entry : m_Sounds)
        entry.second->StopAll(true);
}

// ---- CXSoundMgr ----

CXSoundMgr::CXSoundMgr(CXDSDevice* pDevice) : m_pDevice(pDevice)
{
    m_Groups.push_back(std::make_unique<CXSoundList>(0));
}

CXSoundMgr::~CXSoundMgr() = default;

bool CXSoundMgr::CreateGroups(int nCount)
{
    for (int i = 0; i < nCount; ++i)
        m_Groups.push_back(std::make_unique<CXSoundList>(GetGroupCount()));
    return true;
}

CXSoundList* CXSoundMgr::GetGroup(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetGroupCount())
        return nullptr;
    return m_Groups[nIndex].get();
}

bool CXSoundMgr::SwapGroups(int a, int b)
{
    if (!GetGroup(a) || !GetGroup(b))
        return false;
    std::swap(m_Groups[a], m_Groups[b]);
    return true;
}

bool CXSoundMgr::IsGroupMuted(int nIndex) const
{
    CXSoundList* pGroup = GetGroup(nIndex);
    return pGroup && pGroup->IsMuted();
}

void CXSoundMgr::SetGroupMute(int nIndex, bool bMute)
{
    if (CXSoundList* pGroup = GetGroup(nIndex))
        pGroup->SetMute(bMute);
}

CXSound* CXSoundMgr::FindSound(int nGroup, const char* pszName) const
{
    CXSoundList* pGroup = GetGroup(nGroup);
    return pGroup ? pGroup->Find(NormaliseName(pszName).c_str()) : nullptr;
}

CXSound* CXSoundMgr::LoadSound(const char* pszName, int nCopies)
{
    const std::string key = NormaliseName(pszName);
    const int nGroup = m_nCurrentGroup < 0 ? 0 : m_nCurrentGroup;
    if (CXSound* pFound = FindSound(nGroup, key.c_str()))
        return pFound;

    // Group 0 holds the sound as loaded; a group made after a load (or one a failed clone left
    // out) gets a clone of it instead of a second load that group 0 would refuse.
    CXSound* pSource = FindSound(0, key.c_str());
    if (!pSource) {
        if (!m_pDevice)
            return nullptr;
        auto sound = m_pDevice->LoadSound(key.c_str(), nCopies);
        if (!sound)
            return nullptr;
        pSource = sound.get();
        if (!m_Groups[0]->Add(key.c_str(), std::move(sound)))
            return nullptr;
    }
    for (size_t i = 1; i < m_Groups.size(); ++i)
        if (!m_Groups[i]->AddClone(key.c_str(), pSource))
            return nullptr;
    return FindSound(nGroup, key.c_str());
}
