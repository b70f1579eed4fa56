#include "CXStringIndex.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "CXLog.h"

namespace {

// Decimal text of a number, as keys and values of numbered entries are written.
struct NumberText {
    explicit NumberText(int64_t n) { std::snprintf(sz, sizeof sz, "%" PRId64, n); }
    char sz[24];
};

}  // namespace

CXStringIndexData::CXStringIndexData(const char* pszKey, const char* pszValue, unsigned nLength)
    : m_strKey(pszKey)
{
    m_strValue.SetData(pszValue, nLength);
}

void CXStringIndexData::SetValue(const char* pszValue, unsigned nLength)
{
    if (nLength)
        m_strValue.SetData(pszValue, nLength);
    else
        m_strValue.SetString(pszValue);
    StoreToBound();
}

void CXStringIndexData::StoreToBound()
{
    if (!m_pBoundAddress)
        return;
    switch (m_nBoundType) {
    case BIND_BYTE:
        *static_cast<uint8_t*>(m_pBoundAddress) = static_cast<uint8_t>(m_strValue.ToInteger());
        break;
    case BIND_WORD:
        *static_cast<uint16_t*>(m_pBoundAddress) = static_cast<uint16_t>(m_strValue.ToInteger());
        break;
    case BIND_INT:
        *static_cast<int32_t*>(m_pBoundAddress) = static_cast<int32_t>(m_strValue.ToInteger());
        break;
    case BIND_INT64:
        *static_cast<int64_t*>(m_pBoundAddress) = m_strValue.ToInteger();
        break;
    case BIND_STRING:
        static_cast<CXString*>(m_pBoundAddress)->Copy(m_strValue);
        break;
    case BIND_STRING_PTR:
        *static_cast<const CXString**>(m_pBoundAddress) = &m_strValue;
        break;
    default:
        break;
    }
}

void CXStringIndexData::LoadFromBound()
{
    if (!m_pBoundAddress)
        return;
    switch (m_nBoundType) {
    case BIND_BYTE:
        m_strValue.Format("%d", *static_cast<uint8_t*>(m_pBoundAddress));
        break;
    case BIND_WORD:
        m_strValue.Format("%d", *static_cast<uint16_t*>(m_pBoundAddress));
        break;
    case BIND_INT:
        m_strValue.Format("%d", *static_cast<int32_t*>(m_pBoundAddress));
        break;
    case BIND_INT64:
        m_strValue.Format("%" PRId64, *static_cast<int64_t*>(m_pBoundAddress));
        break;
    case BIND_STRING:
        m_strValue.Copy(*static_cast<CXString*>(m_pBoundAddress));
        break;
    default:
        break;
    }
}

int CXStringIndex::SetValue(const char* pszKey, const char* pszValue, unsigned nLength)
{
    if (!pszKey || !pszValue)
        return 0;
    if (CXStringIndexData* pData = m_Tree.FindNode(pszKey)) {
        pData->SetValue(pszValue, nLength);
        return 1;
    }
    CXStringIndexData* pData = new CXStringIndexData(pszKey, pszValue, nLength);
    if (!pData) {
        CXLog::ErrorLog().Write(CX_SOURCE_FILE, "CXStringIndex::SetValue", __LINE__,
                                "CXStringIndexData create fail. [%s]", pszKey);
        return 0;
    }
    if (!m_Tree.Insert(pData, 1)) {
        delete pData;
        return 0;
    }
    return 1;
}

int CXStringIndex::SetValueByNumber(int64_t nKey, const char* pszValue, unsigned nLength)
{
    return SetValue(NumberText(nKey).sz, pszValue, nLength);
}

int CXStringIndex::SetNumberValue(int64_t nKey, int64_t nValue)
{
    return SetValue(NumberText(nKey).sz, NumberText(nValue).sz);
}

int CXStringIndex::Add(const char* pszKey, int64_t nValue)
{
    return SetValue(pszKey, NumberText(nValue).sz);
}

int CXStringIndex::Add(int64_t nValue, int32_t nFlag)
{
    return SetNumberValue(nValue, nFlag);
}

CXString& CXStringIndex::GetValue(const char* pszKey, unsigned nKeyLength)
{
    if (!pszKey || nKeyLength == 0)
        return GetValue(pszKey);
    const std::string key(pszKey, strnlen(pszKey, nKeyLength));
    return GetValue(key.c_str());
}

CXString& CXStringIndex::GetValue(const char* pszKey)
{
    CXStringIndexData* pData = pszKey ? m_Tree.FindNode(pszKey) : nullptr;
    if (!pData)
        return CXString::GetEmptyString();
    if (pData->m_strValue.GetLength() != 0)
        pData->LoadFromBound();
    return pData->m_strValue;
}

CXString& CXStringIndex::GetValueByNumber(int64_t nKey)
{
    return GetValue(NumberText(nKey).sz);
}

bool CXStringIndex::HasKey(const char* pszKey) const
{
    return pszKey && m_Tree.FindNode(pszKey) != nullptr;
}

int CXStringIndex::BindAs(const char* pszKey, int32_t nType, void* pVariable)
{
    if (!pszKey || !pVariable)
        return 0;
    if (!m_Tree.FindNode(pszKey) && !SetValue(pszKey, ""))
        return 0;
    CXStringIndexData* pData = m_Tree.FindNode(pszKey);
    pData->m_nBoundType = nType;
    pData->m_pBoundAddress = pVariable;
    if (pData->m_strValue.GetLength() != 0 || nType == CXStringIndexData::BIND_STRING_PTR)
        pData->StoreToBound();
    return 1;
}
