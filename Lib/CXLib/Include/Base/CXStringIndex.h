#pragma once
// Ordered map from key text to value text (keys ordered shorter first, then by bytes). A value
// can be bound to a program variable: setting the value stores it into the variable, and reading
// a bound value refreshes it from the variable.

#include <cstdint>

#include "CXAVLTreeTmpl.h"
#include "CXMemoryPoolTmpl.h"
#include "CXString.h"

class CXStringIndexData {
public:
    CX_DECLARE_MEMORY_POOL(CXStringIndexData)

    // Bound types: what the bound address points at.
    enum : int32_t {
        BIND_NONE = 0,
        BIND_BYTE = 1,       // uint8_t
        BIND_WORD = 2,       // uint16_t
        BIND_INT = 3,        // int32_t
        BIND_INT64 = 4,      // int64_t
        BIND_STRING = 5,     // CXString (receives a copy)
        BIND_STRING_PTR = 6  // const CXString* (receives the address of the value)
    };

    CXStringIndexData(const char* pszKey, const char* pszValue, unsigned nLength);
    virtual ~CXStringIndexData() = default;

    const CXString& GetKey() const { return m_strKey; }

    // Sets the value (nLength bytes, or the text when 0) and stores it into the bound variable.
    void SetValue(const char* pszValue, unsigned nLength = 0);
    void StoreToBound();
    void LoadFromBound();

    CXString m_strKey;
    CXString m_strValue;
    int32_t m_nBoundType = BIND_NONE;
    void* m_pBoundAddress = nullptr;
};

class CXStringIndex {
public:
    CXStringIndex() = default;
    CXStringIndex(const CXStringIndex&) = delete;
    CXStringIndex& operator=(const CXStringIndex&) = delete;
    virtual ~CXStringIndex() = default;

    // Sets the key's value (nLength bytes, binary-safe, or the text when 0). 0 for a null key or
    // value, or when the entry cannot be made.
    int SetValue(const char* pszKey, const char* pszValue, unsigned nLength = 0);
    int SetValueByNumber(int64_t nKey, const char* pszValue, unsigned nLength = 0);
    int SetNumberValue(int64_t nKey, int64_t nValue);
    // The integer as decimal text under the key.
    int Add(const char* pszKey, int64_t nValue);
    // Enters the integer under its own decimal text, with the flag as its value: an index of
    // numbers in which GetValueByNumber(n) tells whether n was added (and with which flag).
    int Add(int64_t nValue, int32_t nFlag);

    // The key's value, or the shared empty string when the key is absent (read-only: callers
    // must not change it).
    CXString& GetValue(const char* pszKey);
    // The same for a key of nKeyLength bytes at pszKey (the whole text when 0), so that a key
    // can be looked up inside a longer text.
    CXString& GetValue(const char* pszKey, unsigned nKeyLength);
    CXString& GetValueByNumber(int64_t nKey);
    bool HasKey(const char* pszKey) const;

    // Binds the key's value to a variable (creating the key with an empty value when absent); a
    // value already present is stored into the variable at once. 0 for a null key or address.
    int Bind(const char* pszKey, uint8_t* pVariable)
    {
        return BindAs(pszKey, CXStringIndexData::BIND_BYTE, pVariable);
    }
    int Bind(const char* pszKey, uint16_t* pVariable)
    {
        return BindAs(pszKey, CXStringIndexData::BIND_WORD, pVariable);
    }
    int Bind(const char* pszKey, int32_t* pVariable)
    {
        return BindAs(pszKey, CXStringIndexData::BIND_INT, pVariable);
    }
    int Bind(const char* pszKey, int64_t* pVariable)
    {
        return BindAs(pszKey, CXStringIndexData::BIND_INT64, pVariable);
    }
    int Bind(const char* pszKey, CXString* pVariable)
    {
        return BindAs(pszKey, CXStringIndexData::BIND_STRING, pVariable);
    }
    int Bind(const char* pszKey, const CXString** pVariable)
    {
        return BindAs(pszKey, CXStringIndexData::BIND_STRING_PTR, pVariable);
    }

    uint32_t GetCount() const { return m_Tree.GetCount(); }
    void RemoveAll() { m_Tree.RemoveAll(); }

    // Calls f(const CXString& key, CXString& value) for every entry in key order.
    template <class F>
    void ForEach(F&& f) const
    {
        m_Tree.ForEach([&](CXStringIndexData* pData) { f(pData->m_strKey, pData->m_strValue); });
    }

    CXAVLTreeTmpl<CXStringIndexData> m_Tree;

private:
    int BindAs(const char* pszKey, int32_t nType, void* pVariable);
};
