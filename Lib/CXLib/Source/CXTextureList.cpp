// The device's two texture caches: the name cache of loaded files and the registry of every
// texture the loaders create.
#include "CXTextureList.h"

#include <string>
#include <vector>

HTEXTURE CXTextureList::Find(const std::string& name) const
{
    const sTexture* record = m_Map.Find(name);
    return record ? record->pTexture : nullptr;
}

bool CXTextureList::Add(const std::string& name, HTEXTURE texture, int width, int height,
                        uint32_t format)
{
    auto* record = new sTexture{name, texture, width, height, format, false};
    return m_Map.Insert(name, record);
}

void CXTextureList::Forget(HTEXTURE texture)
{
    std::vector<std::string> names;
    for (const auto& [name, record] : m_Map)
        if (record->pTexture == texture)
            names.push_back(name);
    for (const std::string& name : names)
        m_Map.Remove(name, true);
}

void CXTextureList::Clear(GpuDevice* gpu)
{
    for (const auto& entry : m_Map)
        if (entry.second->bOwn && gpu)
            gpu->DestroyTexture(entry.second->pTexture);
    m_Map.RemoveAll(true);
}

bool CTexChainList::Add(HTEXTURE texture, int width, int height)
{
    return m_Map.Insert(reinterpret_cast<uintptr_t>(texture),
                        new CTextureList{texture, width, height});
}

const CTextureList* CTexChainList::Find(HTEXTURE texture) const
{
    return m_Map.Find(reinterpret_cast<uintptr_t>(texture));
}

bool CTexChainList::Remove(HTEXTURE texture)
{
    const uintptr_t key = reinterpret_cast<uintptr_t>(texture);
    if (!m_Map.Find(key))
        return false;
    m_Map.Remove(key, true);
    return true;
}

void CTexChainList::Clear(GpuDevice* gpu)
{
    if (gpu)
        for (const auto& entry : m_Map)
            gpu->DestroyTexture(entry.second->pTexture);
    m_Map.RemoveAll(true);
}
