#include "CMorvaneIO.h"

#include "CX2DSprite.h"
#include "CXFont.h"
#include "CXSound.h"
#include "platform/clock.h"

uint32_t CMorvaneIO::Now() { return platform::TickCount(); }

void CMorvaneIO::DrawImage(int32_t, CX2DSprite* sprite, float x, float y, const MorvaneRect& source)
{
    if (!sprite)
        return;
    sprite->SetTextureRect(source.left, source.top, source.right - source.left, source.bottom - source.top);
    sprite->Render(x, y);
}

void CMorvaneIO::DrawText(const char* text, int32_t x, int32_t y, int32_t width, uint32_t argb)
{
    if (!m_pFont || !text)
        return;
    const uint32_t colour = argb;
    m_pFont->DrawText(text, float(x), float(y), float(width), float(m_pFont->GetHeight()), colour, 0);
}

void CMorvaneIO::PlaySound(int32_t, CXSound* sound, bool loop)
{
    if (sound)
        sound->Play(loop, false);
}

void CMorvaneIO::StopSound(int32_t, CXSound* sound)
{
    if (sound)
        sound->StopAll(true);
}

bool CMorvaneIO::RegisterPath(const char*) { return false; }
