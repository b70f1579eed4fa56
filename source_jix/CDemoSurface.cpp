#include "CDemoSurface.h"

#include "CX2DSprite.h"

CDemoSurface::CDemoSurface()
{
    for (CX2DSprite*& pSprite : m_apSprite)
        pSprite = new CX2DSprite();
}

CDemoSurface::~CDemoSurface()
{
    Release();
}

void CDemoSurface::Release()
{
    for (CX2DSprite*& pSprite : m_apSprite) {
        delete pSprite;
        pSprite = nullptr;
    }
}

CX2DSprite* CDemoSurface::Get(int nSlot) const
{
    if (nSlot < 0 || nSlot >= kJixImageSlots)
        return nullptr;
    return m_apSprite[nSlot];
}
