// The engine pack list and the lookup through it.
#include "CX2DPack.h"

namespace {

CX2DPackList* g_pPackList = nullptr;

}  // namespace

CX2DPackList* EnginePackList()
{
    return g_pPackList;
}

void EngineCreatePackList()
{
    if (!g_pPackList)
        g_pPackList = new CX2DPackList;
}

void EngineDeletePackList()
{
    delete g_pPackList;
    g_pPackList = nullptr;
}

int PackLookup(const char* name, CXString& buffer)
{
    if (!name || !g_pPackList)
        return 0;
    for (auto* element = g_pPackList->m_pHead; element; element = element->m_pNext)
        if (element->m_pData && element->m_pData->Extract(name, buffer))
            return 1;
    return 0;
}
