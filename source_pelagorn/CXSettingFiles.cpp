#include "CXSettingFiles.h"

#include <optional>
#include <vector>

#include "platform/files.h"

bool CXSettingFiles::ParseValue(const void* pData, size_t nSize, int32_t* pValue)
{
    if (!pData || !pValue || nSize == 0 || nSize > kMaxFileSize)
        return false;
    const auto* p = static_cast<const unsigned char*>(pData);
    size_t i = 0;
    while (i < nSize && (p[i] == ' ' || p[i] == '\t' || p[i] == '\r' || p[i] == '\n'))
        ++i;
    bool bNegative = false;
    if (i < nSize && (p[i] == '-' || p[i] == '+'))
        bNegative = p[i++] == '-';
    int64_t nValue = 0;
    size_t nDigits = 0;
    for (; i < nSize && p[i] >= '0' && p[i] <= '9'; ++i, ++nDigits) {
        nValue = nValue * 10 + (p[i] - '0');
        if (nValue > int64_t(INT32_MAX) + 1)
            return false;
    }
    if (nDigits == 0)
        return false;
    if (bNegative)
        nValue = -nValue;
    if (nValue > INT32_MAX || nValue < INT32_MIN)
        return false;
    *pValue = static_cast<int32_t>(nValue);
    return true;
}

int CXSettingFiles::Load(const std::string& strFolder, CXSettingValues* pValues)
{
    if (!pValues)
        return 0;
    const auto Read = [&](const char* pszName, int32_t* pValue) {
        const std::string path = strFolder + pszName;
        const std::optional<uint64_t> size = platform::FileSize(path);
        if (!size || *size > kMaxFileSize)
            return false;
        const std::optional<std::vector<uint8_t>> bytes = platform::ReadWholeFile(path);
        return bytes && ParseValue(bytes->data(), bytes->size(), pValue);
    };
    int nTaken = 0;
    int32_t iValue = 0;
    if (Read("__AUTO_GIFT_COME_DISABLE__", &iValue) && iValue >= 0 && iValue <= kMaxAutoGiftMode) {
        pValues->iAutoGiftMode = iValue;
        ++nTaken;
    }
    if (Read("__HIGH_EFFECT_MODE__", &iValue)) {
        pValues->iHighEffectMode = iValue;
        ++nTaken;
    }
    return nTaken;
}
