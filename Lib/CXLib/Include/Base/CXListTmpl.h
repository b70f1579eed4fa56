#pragma once
// Doubly linked list whose elements own their object when flagged. Callers walk it directly from
// m_pHead along m_pNext. No lock of its own: shared lists live inside a CXLockTmpl.

#include <cstdint>
#include <new>

#include "CXTmplReport.h"

template <class T>
class CXListElementTmpl {
public:
    int32_t m_bOwn = 0;  // non-zero: the list deletes m_pData with the element
    T* m_pData = nullptr;
    CXListElementTmpl* m_pNext = nullptr;
    CXListElementTmpl* m_pPrev = nullptr;
};

template <class T>
class CXListTmpl {
public:
    using Element = CXListElementTmpl<T>;

    CXListTmpl() = default;
    CXListTmpl(const CXListTmpl&) = delete;
    CXListTmpl& operator=(const CXListTmpl&) = delete;
    virtual ~CXListTmpl() { RemoveAll(0); }

    uint32_t GetCount() const { return m_dwCount; }

    // Appends the object; 0 for a null object or when no element can be made.
    int AddTail(T* pData, int bOwn = 1)
    {
        Element* pElement = MakeElement(pData, bOwn, "AddTail", __LINE__);
        if (!pElement)
            return 0;
        LinkTail(pElement);
        return 1;
    }

    int AddHead(T* pData, int bOwn = 1)
    {
        Element* pElement = MakeElement(pData, bOwn, "AddHead", __LINE__);
        if (!pElement)
            return 0;
        pElement->m_pNext = m_pHead;
        if (m_pHead)
            m_pHead->m_pPrev = pElement;
        else
            m_pTail = pElement;
        m_pHead = pElement;
        ++m_dwCount;
        return 1;
    }

    // Unlinks and deletes the element; its object goes too when the element owns it (bSetOwn
    // non-zero forces that).
    int DelList(Element* pElement, int bSetOwn = 0)
    {
        if (!pElement || !m_pHead)
            return 0;
        Unlink(pElement);
        if (bSetOwn)
            pElement->m_bOwn = bSetOwn;
        FreeData(pElement);
        delete pElement;
        return 1;
    }

    // Unlinks the element that holds the object and deletes the element, never the object.
    int DelLink(const T* pData)
    {
        Element* pElement = Find(pData);
        if (!pElement)
            return 0;
        pElement->m_bOwn = 0;
        return DelList(pElement);
    }

    Element* Find(const T* pData) const
    {
        for (Element* p = m_pHead; p; p = p->m_pNext)
            if (p->m_pData == pData)
                return p;
        return nullptr;
    }

    // Deletes the object when the element owns it, then forgets it.
    void FreeData(Element* pElement)
    {
        if (pElement->m_bOwn && pElement->m_pData)
            delete pElement->m_pData;
        pElement->m_pData = nullptr;
    }

    // Removes every element; with bForceOwn every object is deleted, else only the owned ones.
    int RemoveAll(int bForceOwn = 0)
    {
        Element* p = m_pHead;
        while (p) {
            Element* pNext = p->m_pNext;
            if (bForceOwn)
                p->m_bOwn = 1;
            DelList(p);
            p = pNext;
        }
        m_pHead = m_pTail = nullptr;
        m_dwCount = 0;
        return 1;
    }

    uint32_t m_dwCount = 0;
    Element* m_pHead = nullptr;
    Element* m_pTail = nullptr;

protected:
    // Links an element that is in no list at the tail.
    void LinkTail(Element* pElement)
    {
        pElement->m_pNext = nullptr;
        pElement->m_pPrev = m_pTail;
        if (m_pTail)
            m_pTail->m_pNext = pElement;
        else
            m_pHead = pElement;
        m_pTail = pElement;
        ++m_dwCount;
    }

    Element* MakeElement(T* pData, int bOwn, const char* method, int line)
    {
        if (!pData)
            return nullptr;
        Element* pElement = new (std::nothrow) Element;
        if (!pElement) {
            CXReportTmplFail("Lib\\CXLib\\Include\\Base/CXListTmpl", "CXListTmpl",
                             CXTmplArgName<T>(), method, line);
            return nullptr;
        }
        pElement->m_bOwn = bOwn;
        pElement->m_pData = pData;
        return pElement;
    }

    void Unlink(Element* pElement)
    {
        if (pElement->m_pPrev)
            pElement->m_pPrev->m_pNext = pElement->m_pNext;
        else
            m_pHead = pElement->m_pNext;
        if (pElement->m_pNext)
            pElement->m_pNext->m_pPrev = pElement->m_pPrev;
        else
            m_pTail = pElement->m_pPrev;
        pElement->m_pNext = pElement->m_pPrev = nullptr;
        --m_dwCount;
    }
};
