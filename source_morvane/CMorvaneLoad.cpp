// Loading and releasing the game's images and sounds from "./data_morvane".
#include <cstdio>
#include <string>

#include "CButtonSinHo.h"
#include "CMorvaneMain.h"
#include "CX2DSprite.h"
#include "CX2DTexture.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "platform/debug_output.h"

namespace {

void ReportFailure(const char* format, const std::string& what)
{
    char text[512];
    std::snprintf(text, sizeof text, format, what.c_str());
    platform::DebugOutput(text);
}

}  // namespace

CX2DSprite* CMorvaneMain::LoadImage(const char* name)
{
    const std::string path = std::string(kMorvaneDataFolder) + "/" + name + ".bmp";
    if (m_pIO->RegisterPath(path.c_str()))
        return nullptr;
    auto* texture = new CX2DTexture;
    if (!texture || !texture->Load(path.c_str())) {
        ReportFailure("texture load error: %s\n", path);
        delete texture;
        return nullptr;
    }
    CX2DSprite* sprite = m_pIO->NewSprite();
    if (!sprite) {
        delete texture;
        ReportFailure("surface create error: %s\n", path);
        return nullptr;
    }
    if (!sprite->AdoptTexture(texture, 0, 0, 0, 0)) {
        ReportFailure("surface create error: %s\n", path);
        delete sprite;
        return nullptr;
    }
    sprite->SetTextureRect(0, 0, sprite->GetWidth(), sprite->GetHeight());
    return sprite;
}

CXSound* CMorvaneMain::LoadSound(const char* name)
{
    const std::string path = std::string(kMorvaneDataFolder) + "/" + name;
    if (m_pIO->RegisterPath(path.c_str()))
        return nullptr;
    CXSoundMgr* manager = g_pGfxDevice ? g_pGfxDevice->GetSoundMgr() : nullptr;
    CXSound* sound = manager ? manager->LoadSound(path.c_str(), 1) : nullptr;
    if (!sound)
        ReportFailure("sound load error: %s\n", name);
    return sound;
}

bool CMorvaneMain::LoadImageSets(MorvaneImageLoader loader)
{
    for (const MorvaneImageSetDef& def : g_MorvaneImageSets) {
        if (def.eLoader != loader)
            continue;
        const int32_t first = MorvaneImageSlot(def.eSet);
        for (int32_t i = 0; i < def.nCount; ++i) {
            CX2DSprite*& slot = m_apSprite[static_cast<size_t>(first + i)];
            delete slot;
            slot = LoadImage(MorvaneImageFile(def, i).c_str());
            m_aSpriteSize[static_cast<size_t>(first + i)] =
                slot ? MorvaneRect{0, 0, slot->GetWidth(), slot->GetHeight()}
                     : MorvaneRect{0, 0, 0, 0};
        }
    }
    return true;
}

bool CMorvaneMain::LoadGameImages()
{
    return LoadImageSets(MorvaneImageLoader::Game);
}
bool CMorvaneMain::LoadDoubleGameImages()
{
    return LoadImageSets(MorvaneImageLoader::DoubleGame);
}
bool CMorvaneMain::LoadEffectImages()
{
    return LoadImageSets(MorvaneImageLoader::Effect);
}
bool CMorvaneMain::LoadAnimationImages()
{
    return LoadImageSets(MorvaneImageLoader::Animation);
}

bool CMorvaneMain::LoadSounds()
{
    for (int row = 0; row < kMorvaneSoundRows; ++row)
        m_apSound[row] =
            g_MorvaneSoundList[row].bLoaded ? LoadSound(g_MorvaneSoundList[row].pszFile) : nullptr;
    SetScore(m_nScore, false);
    m_nGiftUnit = kTicketUnit;
    return true;
}

bool CMorvaneMain::LoadResources()
{
    if (!LoadGameImages() || !LoadSounds() || !LoadAnimationImages() || !LoadDoubleGameImages() ||
        !LoadEffectImages() || !m_pSinHo->LoadImages())
        return false;
    m_byLoaded = 1;
    return true;
}

void CMorvaneMain::ReleaseResources()
{
    for (CX2DSprite*& sprite : m_apSprite) {
        delete sprite;
        sprite = nullptr;
    }
    // The sound manager owns the sounds: stop them and forget them.
    for (int row = 0; row < kMorvaneSoundRows; ++row) {
        StopSound(row);
        m_apSound[row] = nullptr;
    }
}
