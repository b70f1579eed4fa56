#pragma once
// The device's two texture caches: CXTextureList finds a loaded file's texture by its name, and
// CTexChainList registers every texture the loaders create with its size at creation, so that the
// device can release them all at shutdown.

#include <cstdint>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "CXGfxTypes.h"
#include "CXPtrMapTempl.h"

// Image size and format reported by Texture_LoadFromMemory.
struct CXImageInfo {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint32_t Format = 0;
};

class CXTextureList {
public:
    struct sTexture {
        std::string strName;
        HTEXTURE pTexture = nullptr;
        int nWidth = 0;
        int nHeight = 0;
        uint32_t dwFormat = 0;
        bool bOwn = false;  // the loaders never hand their textures to the list
    };

    HTEXTURE Find(const std::string& name) const;
    bool Add(const std::string& name, HTEXTURE texture, int width, int height, uint32_t format);
    // Forgets every record of the texture (it is being released elsewhere).
    void Forget(HTEXTURE texture);
    // Empties the list, releasing only the textures it owns (none without a GPU).
    void Clear(GpuDevice* gpu);
    size_t GetCount() const { return m_Map.GetCount(); }

private:
    CXPtrMapTempl<std::string, sTexture> m_Map;
};

struct CTextureList {
    HTEXTURE pTexture = nullptr;
    int nWidth = 0;
    int nHeight = 0;
};

class CTexChainList {
public:
    bool Add(HTEXTURE texture, int width, int height);
    const CTextureList* Find(HTEXTURE texture) const;
    // Unregisters the texture; false when it was not registered.
    bool Remove(HTEXTURE texture);
    // Releases every registered texture (none without a GPU) and empties the list.
    void Clear(GpuDevice* gpu);
    size_t GetCount() const { return m_Map.GetCount(); }

private:
    CXPtrMapTempl<uintptr_t, CTextureList> m_Map;  // keyed by the texture's address
};

// A zip pack attached to the device: absolute lower-case path and password (empty for none).
struct CXZipPack {
    std::string strPath;
    std::string strPassword;
};

// The file of a resource name on disk: a relative name lies under the program folder, '\' becomes
// '/'. Empty for an over-long path. Keeps no state, so any thread may call it.
std::string ResourceFilePath(const char* name);

// Everything the texture and resource operations keep in the device. The device empties the
// caches at the graphics start-up (Texture_StartUp) and releases their textures at shutdown
// (Texture_ShutDown), while the GPU still exists.
struct CXTextureStore {
    CXTextureList TextureList;
    CTexChainList TexChain;
    std::vector<CXZipPack> Packs;    // newest first
    std::string strPath;             // the result of Resource_MakePath
    std::vector<std::string> Found;  // names of the running enumeration
    size_t nFound = 0;
    std::string strFound;  // the name last returned by an enumeration
};
