// Loading the Jix images and sounds, and the two gates every drawing and sound passes.
#include <cstdio>

#include "CDemo.h"
#include "CDemoSound.h"
#include "CDemoSurface.h"
#include "CJixHost.h"
#include "CX2DSprite.h"
#include "CXFileLoad.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "CXSpriteBatch.h"
#include "JixDrawSink.h"
#include "platform/debug_output.h"

namespace {

constexpr const char* kDataRoot = "./data_jix";

// The loading screen's pre-scan: the loaders only register what they would load.
bool IsCollecting()
{
    return g_pFileLoad && g_pFileLoad->IsRegisterOnly();
}

void DebugLine(const char* pszFormat, const char* pszText)
{
    char szLine[600];
    std::snprintf(szLine, sizeof(szLine), pszFormat, pszText);
    platform::DebugOutput(szLine);
}

}  // namespace

CXSound* CDemo::LoadSound(const char* pszName)
{
    CXSoundMgr* pManager = g_pGfxDevice ? g_pGfxDevice->GetSoundMgr() : nullptr;
    if (!pManager || !pszName)
        return nullptr;
    char szPath[512];
    std::snprintf(szPath, sizeof(szPath), "%s/Sound/%s", kDataRoot, pszName);
    if (IsCollecting()) {
        g_pFileLoad->Register(szPath, 1);
        return nullptr;
    }
    const int nGroup = m_pHost ? m_pHost->GetSoundGroup() : 0;
    if (CXSound* pFound = pManager->FindSound(nGroup, szPath))
        return pFound;
    if (!pManager->LoadSound(szPath, 1)) {
        DebugLine("sound load error: %s\n", pszName);
        return nullptr;
    }
    return pManager->FindSound(nGroup, szPath);
}

int CDemo::LoadImage(const char* pszName, CX2DSprite* pSprite)
{
    if (!pszName)
        return 0;
    char szPath[512];
    std::snprintf(szPath, sizeof(szPath), "%s/Graphic/%s.png", kDataRoot, pszName);
    if (IsCollecting()) {
        g_pFileLoad->Register(szPath, 1);
        return 0;
    }
    if (!g_pGfxDevice || !pSprite)
        return 0;
    HTEXTURE hTexture = g_pGfxDevice->Texture_Load(szPath);
    if (!hTexture) {
        DebugLine("texture load error: %s\n", szPath);
        return 0;
    }
    if (!pSprite->CreateFromTexture(hTexture, 0, 0, 0, 0)) {
        DebugLine("surface create error: %s\n", szPath);
        return 0;
    }
    pSprite->SetTextureRect(0, 0, float(g_pGfxDevice->Texture_GetWidth(hTexture, true)),
                            float(g_pGfxDevice->Texture_GetHeight(hTexture, true)));
    return 1;
}

int CDemo::LoadSounds()
{
    if (!m_pSound)
        return 1;
    if (CXSound* pCount = LoadSound(kJixScoreCountFile)) {
        pCount->m_nVolume = 100;
        pCount->m_bLoop = 1;
        m_pSound->Set(kJixScoreCountEntry, pCount);
    }
    for (int i = 0; i < kJixSoundRows; ++i) {
        CXSound* pSound = LoadSound(kJixSoundTable[i].pszFile);
        if (pSound)
            pSound->m_nVolume = kJixSoundTable[i].nVolume;
        m_pSound->Set(i, pSound);
    }
    return 1;
}

void CDemo::LoadImages()
{
    if (!m_pSurface)
        return;
    int nRuns = 0;
    const JixImageRun* pRuns = JixImageRuns(&nRuns);
    for (int r = 0; r < nRuns; ++r)
        for (int i = 0; i < pRuns[r].nCount; ++i) {
            const int nSlot = pRuns[r].nFirstSlot + i;
            LoadImage(JixImageName(nSlot).c_str(), m_pSurface->Get(nSlot));
        }
}

void CDemo::DrawSprite(const CXSpriteRect* pRect, int x, int y, CX2DSprite* pSprite)
{
    if (!m_bDraw || !pSprite)
        return;
    if (CJixDrawSink* pSink = m_pHost->GetJixDrawSink()) {
        pSink->Draw(pSprite, pRect, x, y);
        return;
    }
    if (!pSprite->GetTexture())
        return;
    CXSpriteBatch* pBatch = EngineGetSpriteBatch();
    if (!pBatch)
        return;
    CXSpriteRect clipped;
    const CXSpriteRect* pSource = nullptr;
    if (pRect) {
        const int32_t nWidth = int32_t(pSprite->GetWidth());
        const int32_t nHeight = int32_t(pSprite->GetHeight());
        if (pRect->left >= nWidth || pRect->top >= nHeight)
            return;
        clipped = *pRect;
        if (clipped.right > nWidth)
            clipped.right = nWidth;
        if (clipped.bottom > nHeight)
            clipped.bottom = nHeight;
        pSource = &clipped;
    }
    pBatch->DrawPlain(pSprite->GetTexture(), float(x), float(y), pSource, 0xFFFFFFFF);
}

void CDemo::DrawSlot(int nSlot, int x, int y)
{
    if (m_pSurface)
        DrawSprite(nullptr, x, y, m_pSurface->Get(nSlot));
}

void CDemo::PlaySound(CXSound* pSound)
{
    if (!IsOnline() || !pSound)
        return;
    pSound->Play(false, true);
}

void CDemo::PlayEntry(int nEntry)
{
    if (m_pSound)
        PlaySound(m_pSound->Get(nEntry));
}

void CDemo::StopEntry(int nEntry)
{
    if (CXSound* pSound = m_pSound ? m_pSound->Get(nEntry) : nullptr)
        pSound->StopAll(true);
}

void CDemo::StartScoreCount()
{
    CXSound* pSound = m_pSound ? m_pSound->Get(kJixScoreCountEntry) : nullptr;
    if (!IsOnline() || !pSound)
        return;
    pSound->Play(true, true);
    m_bScoreCounting = 1;
}

void CDemo::StopScoreCount()
{
    StopEntry(kJixScoreCountEntry);
    m_bScoreCounting = 0;
}
