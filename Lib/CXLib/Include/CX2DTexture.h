#pragma once
// The texture handle that sprites and other 2D objects hold. Handles loaded from the same file
// name share one texture through a reference-counted CX2DGlobalTexture entry of a process-wide
// name index; the texture itself stays in the device's caches until shutdown.

#include <cstdint>

#include "CXGfxTypes.h"
#include "CXMemoryPoolTmpl.h"
#include "CXString.h"

// One shared texture: the number of handles holding it and the name it was loaded under.
class CX2DGlobalTexture {
public:
    CX_DECLARE_MEMORY_POOL(CX2DGlobalTexture)

    const CXString& GetKey() const { return m_strName; }

    int32_t m_nRefCount = 0;
    HTEXTURE m_pTexture = nullptr;
    CXString m_strName;
};

class CX2DTexture {
public:
    CX_DECLARE_MEMORY_POOL(CX2DTexture)

    CX2DTexture() = default;
    ~CX2DTexture() { Release(); }
    CX2DTexture(const CX2DTexture&) = delete;
    CX2DTexture& operator=(const CX2DTexture&) = delete;

    // A texture of its own (A8R8G8B8), not shared. Null without a device or on failure.
    HTEXTURE Create(int width, int height);
    // Loads (or shares) the texture of a file: g_strResourceBase followed by the normalised name;
    // the engine packs first, then the device's lookup (zip packs, disk).
    bool Load(const char* name);
    void Release();
    void* Lock(bool readOnly = true, int x = 0, int y = 0, int w = 0, int h = 0);
    void Unlock();

    HTEXTURE GetTexture() const { return m_pTexture; }
    CX2DGlobalTexture* GetShared() const { return m_pShared; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetRecordedWidth() const { return m_nRecordedWidth; }
    int GetRecordedHeight() const { return m_nRecordedHeight; }

    // The process-wide name index, made at the graphics start-up and deleted at shutdown.
    static void CreateSharedIndex();
    static void DeleteSharedIndex();
    // The shared entry of a name as stored (already normalised and prefixed), or null.
    static CX2DGlobalTexture* FindShared(const char* name);

private:
    void ReadSizes();

    HTEXTURE m_pTexture = nullptr;
    CX2DGlobalTexture* m_pShared = nullptr;  // none for a texture made by Create
    uint32_t m_dwGeneration = 0;             // of the name index that holds m_pShared
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nRecordedWidth = 0;
    int32_t m_nRecordedHeight = 0;
};

// The lookup form of a file name: the text after the first "//" when there is one, trimmed and
// upper-cased (double-byte characters untouched), a leading '/' dropped. False when nothing is
// left.
bool CX2DNormalizeName(const char* name, CXString& out);
