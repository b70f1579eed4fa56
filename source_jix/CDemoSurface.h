#pragma once
// The Jix sprite container: one owned sprite per slot of the image list, every one created
// empty (an empty sprite draws nothing and sizes to 0) and filled by CDemo::LoadImages.

#include "JixImageList.h"

class CX2DSprite;

class CDemoSurface {
public:
    CDemoSurface();
    virtual ~CDemoSurface();
    CDemoSurface(const CDemoSurface&) = delete;
    CDemoSurface& operator=(const CDemoSurface&) = delete;

    // Deletes every sprite and clears its slot.
    void Release();
    // The slot's sprite; null for a slot out of range or released.
    CX2DSprite* Get(int nSlot) const;

private:
    CX2DSprite* m_apSprite[kJixImageSlots] = {};
};
