// Base of the scenes: the versions a scene does not override do nothing.

#include "CX2DSceneObject.h"

int CX2DSceneObject::Init(void* /*owner*/)
{
    return 0;
}

int CX2DSceneObject::Process(HTARGET /*target*/)
{
    return 0;
}
