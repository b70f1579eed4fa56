#pragma once
// Growable array of object pointers. Each slot has a holder that records whether the array owns
// (deletes) its object. Slots may be empty; a lookup of an empty slot or past the size gives the
// default object (null unless SetDefault gave one).

#include <cstdint>
#include <cstdio>
#include <new>
#include <type_traits>
#include <vector>

#include "CXArraySlots.h"
#include "CXTmplReport.h"

template <class T>
class CXArrayElementTmpl {
public:
    T* m_pData = nullptr;
    int32_t m_bOwn = 0;
};

template <class T>
class CXArrayTmpl {
public:
    using Holder = CXArrayElementTmpl<T>;

    CXArrayTmpl() = default;
    CXArrayTmpl(const CXArrayTmpl&) = delete;
    CXArrayTmpl& operator=(const CXArrayTmpl&) = delete;
    virtual ~CXArrayTmpl()
    {
        DeleteAll();
        ClearData(&m_Default, 0);
    }

    uint32_t GetSize() const { return m_dwSize; }

    // Sets the number of slots in use. Growing past the capacity makes holders for the new slots
    // and, with bCreate, a new T for every holder without an object. Shrinking keeps holders and
    // objects for a later growth. 0 on failure, with the array as it was.
    int SetSize(uint32_t dwSize, int bCreate = 0, uint32_t dwGrowStep = 4)
    {
        if (dwSize > m_dwMaxSize && !Reserve(dwSize, bCreate))
            return 0;
        m_dwGrowStep = dwGrowStep;
        m_dwSize = dwSize;
        return 1;
    }

    // Stores the object at the index, growing the array (by at least the grow step) to cover it.
    // An object the slot owned before is deleted.
    int SetAt(uint32_t dwIndex, T* pData, int bOwn = 1)
    {
        if (dwIndex == UINT32_MAX)
            return 0;
        if (dwIndex >= m_dwMaxSize &&
            !Reserve(CXArrayCapacityFor(dwIndex, m_dwMaxSize, m_dwGrowStep), 0))
            return 0;
        if (dwIndex >= m_dwSize)
            m_dwSize = dwIndex + 1;
        Holder* pHolder = m_ppArray[dwIndex];
        if (pHolder->m_pData != pData)
            ClearData(pHolder, 0);
        pHolder->m_pData = pData;
        pHolder->m_bOwn = pData ? bOwn : 0;
        return 1;
    }

    T* GetAt(uint32_t dwIndex) const
    {
        if (dwIndex < m_dwSize && m_ppArray[dwIndex] && m_ppArray[dwIndex]->m_pData)
            return m_ppArray[dwIndex]->m_pData;
        return m_Default.m_pData;
    }

    // The object that lookups of empty or missing slots return.
    void SetDefault(T* pData, int bOwn = 1)
    {
        if (m_Default.m_pData != pData)
            ClearData(&m_Default, 0);
        m_Default.m_pData = pData;
        m_Default.m_bOwn = pData ? bOwn : 0;
    }

    // Deletes the holder's object when forced or owned, then empties the holder.
    static void ClearData(Holder* pHolder, int bForce)
    {
        if ((bForce || pHolder->m_bOwn) && pHolder->m_pData)
            delete pHolder->m_pData;
        pHolder->m_bOwn = 0;
        pHolder->m_pData = nullptr;
    }

    // Empties every slot (deleting owned objects, or all with bForce); holders and size stay.
    void RemoveAll(int bForce = 0)
    {
        for (uint32_t i = 0; i < m_dwMaxSize; ++i)
            if (m_ppArray[i])
                ClearData(m_ppArray[i], bForce);
    }

    // Deletes owned objects, every holder and the slot array.
    void DeleteAll()
    {
        for (uint32_t i = 0; i < m_dwMaxSize; ++i) {
            if (m_ppArray[i]) {
                ClearData(m_ppArray[i], 0);
                delete m_ppArray[i];
            }
        }
        CXArrayResetSlots(m_ppArray, m_dwSize, m_dwMaxSize, m_dwGrowStep);
    }

    uint32_t m_dwSize = 0;     // slots in use
    uint32_t m_dwMaxSize = 0;  // holders allocated
    uint32_t m_dwGrowStep = 4;
    Holder** m_ppArray = nullptr;
    Holder m_Default;

private:
    static void Report(const char* method, int line, const char* text = nullptr)
    {
        CXReportTmplFail("Lib\\CXLib\\Include\\Base/CXArrayTmpl", "CXArrayTmpl", CXTmplArgName<T>(),
                         method, line, text);
    }

    // Grows the capacity to dwCapacity holders; on failure nothing changes.
    int Reserve(uint32_t dwCapacity, int bCreate)
    {
        char text[128];
        Holder** ppNew = new (std::nothrow) Holder*[dwCapacity]();
        if (!ppNew) {
            std::snprintf(text, sizeof text,
                          "CXArrayElementTmpl double array create fail. [dwMaxArraySize=%u]",
                          dwCapacity);
            Report("SetSize", __LINE__, text);
            return 0;
        }
        for (uint32_t i = m_dwMaxSize; i < dwCapacity; ++i) {
            ppNew[i] = new (std::nothrow) Holder;
            if (!ppNew[i]) {
                std::snprintf(text, sizeof text,
                              "CXArrayElementTmpl array create fail. [dwMaxArraySize=%u, i=%u]",
                              dwCapacity, i);
                Report("SetSize", __LINE__, text);
                for (uint32_t j = m_dwMaxSize; j < i; ++j)
                    delete ppNew[j];
                delete[] ppNew;
                return 0;
            }
        }
        if constexpr (std::is_default_constructible_v<T>) {
            if (bCreate && !CreateObjects(ppNew, dwCapacity)) {
                for (uint32_t j = m_dwMaxSize; j < dwCapacity; ++j)
                    delete ppNew[j];
                delete[] ppNew;
                Report("SetSize", __LINE__);
                return 0;
            }
        }
        CXArrayAdoptSlots(m_ppArray, m_dwMaxSize, ppNew, dwCapacity);
        return 1;
    }

    // Gives every holder without an object a new T: the old holders (still in m_ppArray) and the
    // new ones. On failure the objects made here are deleted again.
    bool CreateObjects(Holder** ppNew, uint32_t dwCapacity)
    {
        std::vector<Holder*> made;
        try {
            made.reserve(dwCapacity);
            for (uint32_t i = 0; i < dwCapacity; ++i) {
                Holder* pHolder = i < m_dwMaxSize ? m_ppArray[i] : ppNew[i];
                if (pHolder->m_pData)
                    continue;
                pHolder->m_pData = new T;
                if (!pHolder->m_pData)  // a pooled class whose pool is exhausted
                    throw std::bad_alloc();
                pHolder->m_bOwn = 1;
                made.push_back(pHolder);
            }
            return true;
        } catch (...) {
            for (Holder* pHolder : made)
                ClearData(pHolder, 1);
            return false;
        }
    }
};
