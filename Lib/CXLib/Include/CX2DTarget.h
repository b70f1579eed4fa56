#pragma once
// An off-screen render target that a game or screen draws into and a sprite then shows.

#include "CXGfxDevice.h"
#include "CXMemoryPoolTmpl.h"

class CX2DTarget {
public:
    CX_DECLARE_MEMORY_POOL(CX2DTarget)

    CX2DTarget() = default;
    ~CX2DTarget() { Release(); }
    CX2DTarget(const CX2DTarget&) = delete;
    CX2DTarget& operator=(const CX2DTarget&) = delete;

    // Format 0 is the back-buffer format. Replaces a target held before.
    bool Create(int width, int height, bool zbuffer, uint32_t format = 0);
    void Release();
    HTARGET GetTarget() const { return m_hTarget; }
    // The colour texture (it changes after a device loss); null without a target.
    HTEXTURE GetTexture() const;
    // Size of the texture: the recorded size, or the texture's own when recorded is false.
    int GetWidth(bool recorded = true) const;
    int GetHeight(bool recorded = true) const;

private:
    HTARGET m_hTarget = nullptr;
};
