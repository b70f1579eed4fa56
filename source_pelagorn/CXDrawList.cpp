#include "CXDrawList.h"

bool CXDrawList::Add(CXDrawObject* object)
{
    if (!object)
        return false;
    if (!m_List.AddTail(object)) {
        delete object;
        return false;
    }
    return true;
}

void CXDrawList::InitAll(CPelagorn* owner, CXDrawScene* scene)
{
    for (auto* element = m_List.m_pHead; element; element = element->m_pNext) {
        element->m_pData->m_pOwner = owner;
        element->m_pData->m_pScene = scene;
        element->m_pData->Init();
    }
}

void CXDrawList::Frame(float dt)
{
    for (auto* element = m_List.m_pHead; element; element = element->m_pNext) {
        element->m_pData->Update(dt);
        element->m_pData->Draw();
    }
}
