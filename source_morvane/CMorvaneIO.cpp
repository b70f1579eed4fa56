#include "CMorvaneIO.h"

#include "CX2DSprite.h"
#include "CXFont.h"
#include "CXLog.h"
#include "CXSound.h"
#include "platform/clock.h"
#include "platform/window.h"

uint32_t CMorvaneIO::Now()
{
    return platform::TickCount();
}

void CMorvaneIO::DrawImage(int32_t, CX2DSprite* sprite, float x, float y, const MorvaneRect& source)
{
    if (!sprite)
        return;
    sprite->SetTextureRect(source.left, source.top, source.right - source.left,
                           source.bottom - source.top);
    sprite->Render(x, y);
}

void CMorvaneIO::DrawText(const char* text, int32_t x, int32_t y, int32_t width, uint32_t argb)
{
    if (!m_pFont || !text)
        return;
    const uint32_t colour = argb;
    m_pFont->DrawText(text, float(x), float(y), float(width), float(m_pFont->GetHeight()), colour,
                      0);
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

CX2DSprite* CMorvaneIO::NewSprite()
{
    return new CX2DSprite;
}

bool CMorvaneIO::RegisterPath(const char*)
{
    return false;
}

bool MorvaneClipSource(MorvaneRect& source, float width, float height)
{
    if (source.left < 0 || source.top < 0 || source.left >= width || source.top >= height)
        return false;
    if (source.right > width)
        source.right = width;
    if (source.bottom > height)
        source.bottom = height;
    return source.right > source.left && source.bottom > source.top;
}

void CMorvaneIO::PowerOff()
{
    // A cabinet switched itself off here; a player's computer is never switched off.
    CXLog::SystemLog().Write(
        __FILE__, "CMorvaneIO::PowerOff", __LINE__,
        "machine power-off requested: the program ends, the computer stays on.");
    platform::PostQuitMessage(0);
}
