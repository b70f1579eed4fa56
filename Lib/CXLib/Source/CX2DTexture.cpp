// Texture handles shared by file name, and the name form every engine file lookup uses.
#include "CX2DTexture.h"

#include <cstring>

#include "CX2DPack.h"
#include "CXAVLTreeTmpl.h"
#include "CXGfxDevice.h"

namespace {

CXAVLTreeTmpl<CX2DGlobalTexture>* g_pSharedTextures = nullptr;
// Changes whenever the index is made or deleted, so a handle that outlived its index never
// touches an entry of it.
uint32_t g_dwSharedGeneration = 0;

}  // namespace

bool CX2DNormalizeName(const char* name, CXString& out)
{
    if (!name)
        return false;
    const char* text = name;
    if (const char* slashes = std::strstr(name, "//"))
        text = slashes + 2;
    out = text;
    out.Trim();
    out.MakeUpper();
    if (out.GetAt(0) == '/') {
        out.SetAt(0, ' ');
        out.Trim();
    }
    return out.GetLength() > 0;
}

void CX2DTexture::CreateSharedIndex()
{
    if (g_pSharedTextures)
        return;
    g_pSharedTextures = new CXAVLTreeTmpl<CX2DGlobalTexture>;
    ++g_dwSharedGeneration;
}

void CX2DTexture::DeleteSharedIndex()
{
    if (!g_pSharedTextures)
        return;
    delete g_pSharedTextures;
    g_pSharedTextures = nullptr;
    ++g_dwSharedGeneration;
}

CX2DGlobalTexture* CX2DTexture::FindShared(const char* name)
{
    return g_pSharedTextures && name ? g_pSharedTextures->FindNode(name) : nullptr;
}

void CX2DTexture::ReadSizes()
{
    m_nWidth = g_pGfxDevice->Texture_GetWidth(m_pTexture, false);
    m_nHeight = g_pGfxDevice->Texture_GetHeight(m_pTexture, false);
    m_nRecordedWidth = g_pGfxDevice->Texture_GetWidth(m_pTexture, true);
    m_nRecordedHeight = g_pGfxDevice->Texture_GetHeight(m_pTexture, true);
}

HTEXTURE CX2DTexture::Create(int width, int height)
{
    Release();
    if (!g_pGfxDevice)
        return nullptr;
    m_pTexture = g_pGfxDevice->Texture_Create(width, height, GPU_FORMAT_A8R8G8B8);
    if (m_pTexture)
        ReadSizes();
    return m_pTexture;
}

bool CX2DTexture::Load(const char* name)
{
    if (!g_pGfxDevice || !name)
        return false;
    Release();
    CXString normalized;
    if (!CX2DNormalizeName(name, normalized))
        return false;
    CXString full(g_strResourceBase.c_str());
    full.AppendFormat("%s", normalized.GetString());

    if (CX2DGlobalTexture* shared = FindShared(full.GetString())) {
        ++shared->m_nRefCount;
        m_pShared = shared;
        m_dwGeneration = g_dwSharedGeneration;
        m_pTexture = shared->m_pTexture;
        ReadSizes();
        return true;
    }

    CXString bytes;
    HTEXTURE texture;
    if (PackLookup(full.GetString(), bytes))
        texture = g_pGfxDevice->Texture_Load(bytes.GetString(), bytes.GetDataSize(), 0, 0);
    else
        texture = g_pGfxDevice->Texture_Load(full.GetString(), 0, 0, 0);
    if (!texture)
        return false;
    auto* shared = new CX2DGlobalTexture;
    if (!shared) {
        g_pGfxDevice->Texture_Free(texture);
        return false;
    }
    shared->m_nRefCount = 1;
    shared->m_pTexture = texture;
    shared->m_strName = full;
    if (!g_pSharedTextures || !g_pSharedTextures->Insert(shared)) {
        delete shared;
        g_pGfxDevice->Texture_Free(texture);
        return false;
    }
    m_pShared = shared;
    m_dwGeneration = g_dwSharedGeneration;
    m_pTexture = texture;
    ReadSizes();
    return true;
}

void CX2DTexture::Release()
{
    if (m_pShared) {
        if (m_dwGeneration == g_dwSharedGeneration && g_pSharedTextures &&
            --m_pShared->m_nRefCount <= 0)
            g_pSharedTextures->DeleteNode(m_pShared->m_strName);
    } else if (m_pTexture && g_pGfxDevice && !g_pGfxDevice->Texture_Free(m_pTexture)) {
        if (GpuDevice* gpu = g_pGfxDevice->GetGpu())
            gpu->DestroyTexture(m_pTexture);
    }
    m_pTexture = nullptr;
    m_pShared = nullptr;
    m_nWidth = m_nHeight = m_nRecordedWidth = m_nRecordedHeight = 0;
}

void* CX2DTexture::Lock(bool readOnly, int x, int y, int w, int h)
{
    if (!g_pGfxDevice || !m_pTexture)
        return nullptr;
    return g_pGfxDevice->Texture_Lock(m_pTexture, readOnly, x, y, w, h);
}

void CX2DTexture::Unlock()
{
    if (g_pGfxDevice && m_pTexture)
        g_pGfxDevice->Texture_Unlock(m_pTexture);
}
