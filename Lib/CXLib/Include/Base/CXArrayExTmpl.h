#pragma once
// Growable array of plain values (bytes, 16-bit and 32-bit numbers). A lookup past the size or of
// an empty slot gives the array's default value, read-only, never null.

#include <cstdint>
#include <cstdio>
#include <new>

#include "CXArraySlots.h"
#include "CXTmplReport.h"

template <class V>
class CXArrayExTmpl {
public:
    CXArrayExTmpl() = default;
    CXArrayExTmpl(const CXArrayExTmpl&) = delete;
    CXArrayExTmpl& operator=(const CXArrayExTmpl&) = delete;
    virtual ~CXArrayExTmpl() { DeleteAll(); }

    uint32_t GetSize() const { return m_dwSize; }

    // Sets the number of values in use; new slots hold 0. Shrinking keeps the values beyond the
    // size for a later growth. False on failure, with the array as it was.
    bool SetSize(uint32_t dwSize, uint32_t dwGrowStep = 4)
    {
        if (dwSize > m_dwMaxSize && !Reserve(dwSize))
            return false;
        m_dwGrowStep = dwGrowStep;
        m_dwSize = dwSize;
        return true;
    }

    // Stores the value at the index, growing the array (by at least the grow step) to cover it.
    bool SetAt(uint32_t dwIndex, V value)
    {
        if (dwIndex == UINT32_MAX)
            return false;
        if (dwIndex >= m_dwMaxSize &&
            !Reserve(CXArrayCapacityFor(dwIndex, m_dwMaxSize, m_dwGrowStep)))
            return false;
        if (dwIndex >= m_dwSize)
            m_dwSize = dwIndex + 1;
        *m_ppArray[dwIndex] = value;
        return true;
    }

    // The value at the index, or the default value.
    const V* GetAt(uint32_t dwIndex) const
    {
        if (dwIndex < m_dwSize && m_ppArray[dwIndex])
            return m_ppArray[dwIndex];
        return &m_Default;
    }

    void SetDefault(V value) { m_Default = value; }

    void DeleteAll()
    {
        for (uint32_t i = 0; i < m_dwMaxSize; ++i)
            delete m_ppArray[i];
        CXArrayResetSlots(m_ppArray, m_dwSize, m_dwMaxSize, m_dwGrowStep);
    }

    uint32_t m_dwSize = 0;     // values in use
    uint32_t m_dwMaxSize = 0;  // slots allocated
    uint32_t m_dwGrowStep = 4;
    V** m_ppArray = nullptr;
    V m_Default{};

private:
    bool Reserve(uint32_t dwCapacity)
    {
        V** ppNew = new (std::nothrow) V*[dwCapacity]();
        bool bOk = ppNew != nullptr;
        uint32_t i = m_dwMaxSize;
        for (; bOk && i < dwCapacity; ++i) {
            ppNew[i] = new (std::nothrow) V{};
            bOk = ppNew[i] != nullptr;
        }
        if (!bOk) {
            char text[96];
            std::snprintf(text, sizeof text, "SetSize fail. [dwMaxArraySize=%u]", dwCapacity);
            CXReportTmplFail("Lib\\CXLib\\Include\\Base/CXArrayExTmpl", "CXArrayExTmpl",
                             CXTmplArgName<V>(), "SetSize", __LINE__, text);
            if (ppNew) {
                for (uint32_t j = m_dwMaxSize; j < i; ++j)
                    delete ppNew[j];
                delete[] ppNew;
            }
            return false;
        }
        CXArrayAdoptSlots(m_ppArray, m_dwMaxSize, ppNew, dwCapacity);
        return true;
    }
};
