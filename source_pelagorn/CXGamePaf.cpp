#include "CXGamePaf.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "CXFileConfig.h"
#include "CXStringIndex.h"
#include "CXStringParser.h"
#include "platform/files.h"

namespace {

int32_t ToInt32(const CXString& text)
{
    return static_cast<int32_t>(std::clamp<int64_t>(text.ToInteger(), INT32_MIN, INT32_MAX));
}

}  // namespace

bool CXGamePaf::Read(const void* pData, size_t nSize, CXHighPrizeRule* pRule,
                     CXStringIndex* pRepeatIndex)
{
    if (!pData || nSize == 0 || nSize > kMaxFileSize || !pRule)
        return false;
    CXFileConfig config;
    if (!config.Load(static_cast<const char*>(pData), static_cast<unsigned>(nSize)))
        return false;
    if (config.HasKey("HIGH_PRIZE_SKIP"))
        pRule->iSkip = ToInt32(config.GetValue("HIGH_PRIZE_SKIP"));
    if (config.HasKey("HIGH_PRIZE_REPEAT")) {
        CXStringParser parser(config.GetValue("HIGH_PRIZE_REPEAT").GetString());
        const int nFields = parser.Split(',');
        if (nFields >= 1)
            pRule->iRepeat = ToInt32(parser.GetValueByNumber(1));
        const int nLast = std::min(nFields, kMaxRepeatValues + 1);
        for (int i = 2; i <= nLast; ++i) {
            if (pRepeatIndex && pRepeatIndex->Add(parser.GetValueByNumber(i).ToInteger(), 1))
                ++pRule->nRepeatValues;
        }
    }
    return true;
}

bool CXGamePaf::Load(const std::string& strPath, CXHighPrizeRule* pRule,
                     CXStringIndex* pRepeatIndex)
{
    const std::optional<uint64_t> size = platform::FileSize(strPath);
    if (!size || *size == 0 || *size > kMaxFileSize)
        return false;
    const std::optional<std::vector<uint8_t>> bytes = platform::ReadWholeFile(strPath);
    return bytes && Read(bytes->data(), bytes->size(), pRule, pRepeatIndex);
}
