#pragma once
// A CXListTmpl with a name index: every object carries a unique name (T::GetName(), a CXString
// or a C text), and the index finds its element by that name.

#include "CXAVLTreeTmpl.h"
#include "CXListTmpl.h"

template <class T>
CXAVLKey CXAVLKeyOf(const CXListElementTmpl<T>& element)
{
    return CXMakeAVLKey(element.m_pData->GetName());
}

template <class T>
class CXListExTmpl : public CXListTmpl<T> {
public:
    using Element = CXListElementTmpl<T>;

    ~CXListExTmpl() override { RemoveAll(0); }

    // Adds the object unless its name is already in the list (then 0, and the object is left to
    // the caller, not deleted).
    int AddTail(T* pData, int bOwn = 1) { return AddIndexed(pData, bOwn, false); }
    int AddHead(T* pData, int bOwn = 1) { return AddIndexed(pData, bOwn, true); }

    int DelList(Element* pElement, int bSetOwn = 0)
    {
        if (!pElement || !this->m_pHead)
            return 0;
        if (pElement->m_pData)
            m_Index.DeleteNode(pElement->m_pData->GetName());
        return CXListTmpl<T>::DelList(pElement, bSetOwn);
    }

    int DelLink(const T* pData)
    {
        Element* pElement = this->Find(pData);
        if (!pElement)
            return 0;
        pElement->m_bOwn = 0;
        return DelList(pElement);
    }

    // The object of that name, or null.
    template <class K>
    T* FindByName(const K& name) const
    {
        Element* pElement = m_Index.FindNode(name);
        return pElement ? pElement->m_pData : nullptr;
    }

    int RemoveAll(int bForceOwn = 0)
    {
        m_Index.RemoveAll();
        return CXListTmpl<T>::RemoveAll(bForceOwn);
    }

    // Elements by name; its nodes never own the elements (the list does).
    CXAVLTreeTmpl<Element> m_Index;

private:
    int AddIndexed(T* pData, int bOwn, bool bHead)
    {
        if (!pData || m_Index.FindNode(pData->GetName()))
            return 0;
        if (!(bHead ? CXListTmpl<T>::AddHead(pData, bOwn) : CXListTmpl<T>::AddTail(pData, bOwn)))
            return 0;
        Element* pElement = bHead ? this->m_pHead : this->m_pTail;
        if (!m_Index.Insert(pElement, 0)) {
            pElement->m_bOwn = 0;
            CXListTmpl<T>::DelList(pElement);
            return 0;
        }
        return 1;
    }
};
