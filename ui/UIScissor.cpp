#include "UIScissor.h"

#include <cstdint>

#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"

namespace {

// The device's scissor state from before clipping began.
struct SavedScissor {
    RECT rect;
    uint32_t test = 0;
    bool active = false;
};

SavedScissor g_Scissor;

// What the sprite batch holds so far is drawn under the state it was queued in.
void FlushSprites()
{
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (batch && batch->IsBegun())
        batch->Flush();
}

}  // namespace

bool SaveScissorState()
{
    return g_pGfxDevice && g_pGfxDevice->Gfx_GetScissorRect(&g_Scissor.rect) &&
           g_pGfxDevice->Gfx_GetRenderState(GFX_RS_SCISSORTESTENABLE, &g_Scissor.test);
}

bool BeginScissor(const RECT& rect)
{
    if (g_Scissor.active || !g_pGfxDevice)
        return false;
    FlushSprites();
    if (!SaveScissorState() || !g_pGfxDevice->Gfx_SetScissorRect(&rect))
        return false;
    if (!g_pGfxDevice->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, 1)) {
        g_pGfxDevice->Gfx_SetScissorRect(&g_Scissor.rect);
        return false;
    }
    g_pGfxDevice->Gfx_ResetBatchState();
    g_Scissor.active = true;
    return true;
}

bool EndScissor()
{
    if (!g_Scissor.active)
        return false;
    g_Scissor.active = false;
    if (!g_pGfxDevice)
        return true;
    FlushSprites();
    g_pGfxDevice->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, g_Scissor.test);
    g_pGfxDevice->Gfx_SetScissorRect(&g_Scissor.rect);
    g_pGfxDevice->Gfx_ResetBatchState();
    return true;
}

bool IsScissorActive()
{
    return g_Scissor.active;
}
