// Event log building: high-prize sequences spread over the log, then every block of 100 spins
// completed with base prizes, random spins and losing spins.
#include <vector>

#include "CXProb.h"
#include "CXProbLog.h"
#include "ProbRandom.h"

namespace {

constexpr uint32_t kBlock = 100;

// A 1-based index taken from a random entry of a pick list; 0 when the list is empty.
uint32_t Pick(const CXArrayExTmpl<uint8_t>& pick)
{
    const uint32_t n = pick.GetSize();
    return n ? *pick.GetAt(ProbRandomRange(0, n - 1)) : 0;
}

template <class T>
T* Slot(const CXArrayTmpl<T>& array, uint32_t dwOneBased)
{
    if (dwOneBased == 0 || dwOneBased > array.GetSize())
        return nullptr;
    return array.m_ppArray[dwOneBased - 1]->m_pData;
}

// A high event's option word: the symbol, the forced reel count and the reel count.
uint32_t HighOption(uint32_t symbol, uint32_t force, uint32_t reels)
{
    return symbol | (force << 8) | (reels << 16);
}

}  // namespace

bool CXProb::BuildLog(CXProbDataObject* pLog, const CXProbSetting* pSetting)
{
    static const char* const kFunction = "CXProb::BuildLog";
    if (!pLog || !pSetting)
        return false;
    pLog->Clear();

    CXProbDataObject* pHigh = new CXProbDataObject;
    if (!pHigh)
        return false;
    struct Owner {
        CXProbDataObject* p;
        ~Owner() { delete p; }
    } owner{pHigh};

    if (!BuildLogHigh(pHigh, pSetting)) {
        PROB_LOG(kFunction, "BuildLogHigh fail");
        return false;
    }

    if (pHigh->m_dwCount == 0 || pHigh->m_dwHighAmount == 0) {
        if (!BuildLogNormal(pLog, pSetting, 0, false)) {
            PROB_LOG(kFunction, "BuildLogNormal fail");
            return false;
        }
    } else {
        pLog->m_byHighIndex = pHigh->m_byHighIndex;
        pLog->m_byHighNumber = pHigh->m_byHighNumber;
        pLog->m_byHighSlot = pHigh->m_byHighSlot;
        pLog->m_byHighUnit = pHigh->m_byHighUnit;
        pLog->m_dwHighAmount = pHigh->m_dwHighAmount;
        if (!pLog->Grow(kBlock)) {
            PROB_LOG(kFunction, "Create Event data fail");
            return false;
        }
        uint32_t c = ProbRandomRange(m_byFirstGapMin, m_byFirstGapMax);
        for (uint32_t k = 0; k < pHigh->GetSize(); ++k) {
            const CXProbDataInfo* pEvent = pHigh->GetAt(k);
            if (!pEvent) {
                PROB_LOG(kFunction, "Invalid Event Data.");
                return false;
            }
            if (k > 0 && pEvent->m_byType == CXProbDataInfo::TYPE_HIGH_SIGN) {
                c += ProbRandomRange(m_byHighGapMin, m_byHighGapMax);
                if (ProbRandomRange(1, 100) > 29)
                    c += ProbRandomRange(4, 6);
            }
            // The log grows block by block until the event fits; each block it leaves behind is
            // completed first.
            while (c >= pLog->GetSize()) {
                if (!BuildLogNormal(pLog, pSetting, pLog->GetSize() - kBlock, true) ||
                    !pLog->Grow(pLog->GetSize() + kBlock)) {
                    PROB_LOG(kFunction, "Create Event data fail");
                    return false;
                }
            }
            if (!pLog->AddDataObject(c, *pEvent)) {
                PROB_LOG(kFunction, "Invalid Event Data.");
                return false;
            }
            c += pEvent->m_byType == CXProbDataInfo::TYPE_HIGH_LAST ? 1 : 1 + Pick(m_Gap);
        }
        if (!BuildLogNormal(pLog, pSetting, pLog->GetSize() - kBlock, true)) {
            PROB_LOG(kFunction, "BuildLogNormal fail");
            return false;
        }
    }
    pLog->Recount();
    if (CXProbDataInfo* pFirst = pLog->GetAt(0))
        pFirst->m_byBlockStart = 1;
    return true;
}

bool CXProb::BuildLogHigh(CXProbDataObject* pLog, const CXProbSetting* pSetting)
{
    static const char* const kFunction = "CXProb::BuildLogHigh";
    if (!pLog || !pSetting)
        return false;
    pLog->Clear();

    uint32_t dwIndex = 0, dwSlot = 0, dwUnit = 0;
    if (pSetting->dwForcedHighAmount) {
        // The configuration whose first unit pays the forced amount, last first.
        for (int pass = 0; pass < 2 && !dwIndex; ++pass) {
            const uint32_t dwOnly = pass == 0 ? pSetting->byForcedHighIndex : 0;
            for (uint32_t i = m_HighConfig.GetSize(); i >= 1 && !dwIndex; --i) {
                if (dwOnly && i != dwOnly)
                    continue;
                const CXProbHighConfigIndex* pIndex = Slot(m_HighConfig, i);
                if (!pIndex)
                    continue;
                for (uint32_t j = pIndex->m_Configs.GetSize(); j >= 1; --j) {
                    const CXProbHighConfigObject* pConfig = Slot(pIndex->m_Configs, j);
                    const CXProbPrizeUnit* pUnit = pConfig ? Slot(pConfig->m_Units, 1) : nullptr;
                    if (pUnit && pUnit->m_dwAmount == pSetting->dwForcedHighAmount) {
                        dwIndex = i, dwSlot = j, dwUnit = 1;
                        break;
                    }
                }
            }
        }
        if (!dwIndex) {
            PROB_LOG(kFunction, "CXProbHighConfigObject not found. [bIndex=%d]",
                     pSetting->byForcedHighIndex);
            return false;
        }
    } else {
        if (ProbChance(uint32_t(pSetting->fHighChance2 * 10000.0f), 1080000))
            dwIndex = 2;
        else if (ProbChance(uint32_t(pSetting->fHighChance1 * 10000.0f), 1080000))
            dwIndex = 1;
        else
            return true;
        const CXProbHighConfigIndex* pIndex = Slot(m_HighConfig, dwIndex);
        if (!pIndex) {
            PROB_LOG(kFunction, "CXProbHighConfigIndex not found. [bIndex=%d]", dwIndex);
            return false;
        }
        dwSlot = Pick(pIndex->m_Pick);
        const CXProbHighConfigObject* pConfig = Slot(pIndex->m_Configs, dwSlot);
        if (!pConfig) {
            PROB_LOG(kFunction, "CXProbHighConfigObject not found. [bIndex=%d]", dwSlot);
            return false;
        }
        dwUnit = Pick(pConfig->m_Pick);
    }

    const CXProbHighConfigObject* pConfig = Slot(Slot(m_HighConfig, dwIndex)->m_Configs, dwSlot);
    const CXProbPrizeUnit* pUnit = Slot(pConfig->m_Units, dwUnit);
    if (!pUnit) {
        PROB_LOG(kFunction, "CXProbPrizeUnit not found. [bIndex=%d]", dwUnit);
        return false;
    }
    pLog->m_byHighIndex = uint8_t(dwIndex);
    pLog->m_byHighNumber = pConfig->m_byNumber;
    pLog->m_byHighSlot = uint8_t(dwSlot);
    pLog->m_byHighUnit = uint8_t(dwUnit);
    pLog->m_dwHighAmount = pUnit->m_dwAmount;

    for (uint32_t i = 0; i < pUnit->m_Prizes.GetSize(); ++i)
        if (!AppendHighEntry(pLog, *pUnit->m_Prizes.GetAt(i)))
            return false;

    if (!pLog->Recount()) {
        PROB_LOG(kFunction, "Invalid event data.");
        return false;
    }
    return true;
}

bool CXProb::AppendHighEvent(CXProbDataObject* pLog, uint16_t wPrize, uint8_t byType,
                             const CXProbHighTableObject& entry, uint32_t dwOption)
{
    return AddReelInfoFromPrize(pLog, pLog->GetSize(), wPrize, byType, entry.m_byType,
                                entry.m_byNumber, dwOption, true);
}

// Appends one high sequence: the sign prize, the second prize and the rest in steps.
bool CXProb::AppendHighEntry(CXProbDataObject* pLog, uint16_t wEntry)
{
    static const char* const kFunction = "CXProb::BuildLogHigh";
    const CXProbHighTableObject* pEntry = Slot(m_HighTable, uint32_t(wEntry) + 1);
    if (!pEntry) {
        PROB_LOG(kFunction, "CXProbHighTableObject not found. [bIndex=%d]", wEntry + 1);
        return false;
    }
    if (!AppendHighSign(pLog, *pEntry))
        return false;
    uint16_t wSecond = 0;
    if (!AppendHighSecond(pLog, *pEntry, &wSecond))
        return false;
    return AppendHighRest(pLog, *pEntry, wSecond);
}

// The sign prize of a high sequence: a four-reel win of its type.
bool CXProb::AppendHighSign(CXProbDataObject* pLog, const CXProbHighTableObject& entry)
{
    static const char* const kFunction = "CXProb::BuildLogHigh";
    uint32_t dwOption;
    if (entry.m_byType == 1)
        dwOption = HighOption(ProbRandomRange(0, 1) ? 10 : 9, ProbRandomRange(1, 3), 4);
    else if (entry.m_byType == 2)
        dwOption = HighOption(kWild, 4, 4);
    else {
        PROB_LOG(kFunction, "Unknown high event type. [m_bType=%d]", entry.m_byType);
        return false;
    }
    return AppendHighEvent(pLog, entry.m_wSignPrize, CXProbDataInfo::TYPE_HIGH_SIGN, entry,
                           dwOption);
}

// The second prize of a high sequence, by mode and the entry's top reels.
bool CXProb::AppendHighSecond(CXProbDataObject* pLog, const CXProbHighTableObject& entry,
                              uint16_t* pwSecond)
{
    uint32_t dwOption;
    if (m_byMode == 1) {
        *pwSecond = 10000;
        dwOption = HighOption(6, entry.m_byTop, 4);
    } else if (entry.m_byTop == 4) {
        *pwSecond = kMaxWin;
        dwOption = HighOption(kWild, 0, 4);
    } else {
        static const uint16_t kSecond[5] = {10000, 15000, 15000, 20000, 20000};
        const uint32_t dwSlot = ProbRandomRange(0, 4);
        *pwSecond = kSecond[dwSlot];
        dwOption = HighOption(6 + dwSlot, 4u - entry.m_byTop, 4);
    }
    return AppendHighEvent(pLog, *pwSecond, CXProbDataInfo::TYPE_HIGH_SECOND, entry, dwOption);
}

// The rest of the sequence's total after the sign and second prizes, in high prize steps.
bool CXProb::AppendHighRest(CXProbDataObject* pLog, const CXProbHighTableObject& entry,
                            uint16_t wSecond)
{
    static const char* const kFunction = "CXProb::BuildLogHigh";
    int64_t nRest = int64_t(entry.m_dwTotal) - entry.m_wSignPrize - wSecond;
    const uint32_t dwBoth = uint32_t(entry.m_wSignPrize) + wSecond;
    if (dwBoth > 20000 && dwBoth < 40000 && nRest >= 0) {
        const uint16_t wFill = uint16_t(40000 - dwBoth);
        if (!AppendHighEvent(pLog, wFill, CXProbDataInfo::TYPE_HIGH_MORE, entry, 0))
            return false;
        nRest -= wFill;
    }
    if (nRest < 0) {
        PROB_LOG(kFunction,
                 "Invalid high prize. [dwHighPrize=%d, wSignPrize=%d, HIGH_PRIZE_MONEY=%d]",
                 int(entry.m_dwTotal), entry.m_wSignPrize, wSecond);
        return false;
    }
    while (nRest != 0) {
        uint32_t dwStep, dwSlot;
        if (nRest >= 20000)
            dwStep = 20000, dwSlot = 1;
        else if (nRest >= 10000)
            dwStep = 10000, dwSlot = 2;
        else {
            PROB_LOG(kFunction,
                     "Invalid high prize. [dwHighPrize=%d, wSignPrize=%d, HIGH_PRIZE_MONEY=%d]",
                     int(entry.m_dwTotal), entry.m_wSignPrize, 10000);
            return false;
        }
        const CXProbBasePrizeObject* pStep = Slot(m_HighPrize, dwSlot);
        const CXProbPrizeUnit* pUnit = pStep ? Slot(pStep->m_Units, Pick(pStep->m_Pick)) : nullptr;
        if (!pUnit || pUnit->m_Prizes.GetSize() == 0) {
            PROB_LOG(kFunction, "CXProbHighPrizeObject not found.");
            return false;
        }
        nRest -= dwStep;
        const uint32_t n = pUnit->m_Prizes.GetSize();
        for (uint32_t i = 0; i < n; ++i) {
            const uint8_t byType = nRest == 0 && i == n - 1 ? CXProbDataInfo::TYPE_HIGH_LAST
                                                            : CXProbDataInfo::TYPE_HIGH_MORE;
            if (!AppendHighEvent(pLog, *pUnit->m_Prizes.GetAt(i), byType, entry, 0))
                return false;
        }
    }
    return true;
}

// The block's base prize unit: a single-prize unit when the setting or appending asks for one.
const CXProbPrizeUnit* CXProb::ChooseBaseUnit(const CXProbSetting& setting, bool bAppend)
{
    static const char* const kFunction = "CXProb::BuildLogNormal";
    const CXProbBasePrizeObject* pBase = Slot(m_BasePrize, Pick(m_BasePick));
    if (!pBase)
        return nullptr;
    const CXProbPrizeUnit* pUnit = nullptr;
    if (setting.dwSingleUnit || bAppend) {
        for (uint32_t i = 1; i <= pBase->m_Units.GetSize() && !pUnit; ++i) {
            const CXProbPrizeUnit* p = Slot(pBase->m_Units, i);
            if (p && p->m_Prizes.GetSize() == 1)
                pUnit = p;
        }
    } else {
        pUnit = Slot(pBase->m_Units, Pick(pBase->m_Pick));
    }
    if (!pUnit)
        PROB_LOG(kFunction, "CXProbPrizeUnit not found.");
    return pUnit;
}

// A losing spin in every empty record of the block.
bool CXProb::FillLosingSpins(CXProbDataObject* pLog, uint32_t dwBlockStart, bool bAppend)
{
    static const char* const kFunction = "CXProb::BuildLogNormal";
    for (uint32_t i = dwBlockStart; i < dwBlockStart + kBlock; ++i) {
        if (pLog->GetAt(i))
            continue;
        if (!AddReelInfoFromPrize(pLog, i, 0, CXProbDataInfo::TYPE_LOSE, 0, 0, 0, bAppend)) {
            PROB_LOG(kFunction, "AddReelInfoFromPrize fail. [T=0, i=%d, P=%d]", i, 0);
            return false;
        }
    }
    return true;
}

// Base prizes go to free positions of the window, two or three apart.
bool CXProb::PlaceBasePrizes(CXProbDataObject* pLog, const CXProbDataObject& scratch,
                             uint32_t dwPrizes, uint32_t dwBlockStart)
{
    static const char* const kFunction = "CXProb::BuildLogNormal";
    const uint32_t dwFirst = m_byNormalFirst ? m_byNormalFirst : 1;
    const uint32_t dwLast = m_byNormalLast > kBlock ? kBlock : m_byNormalLast;
    const uint32_t dwWindow = dwLast >= dwFirst ? dwLast - dwFirst + 1 : 0;
    if (dwPrizes > dwWindow) {
        PROB_LOG(kFunction, "### 기본당첨금 수량이 범위보다 많습니다. [dwD=%d, Size=%d]", dwWindow,
                 dwPrizes);
        return false;
    }
    std::vector<uint32_t> candidates;
    for (uint32_t pos = dwFirst; pos <= dwLast; pos += ProbRandomRange(2, 3)) {
        const CXProbDataInfo* pRecord = pLog->GetAt(dwBlockStart + pos - 1);
        if (!pRecord) {
            PROB_LOG(kFunction, "Invalid Event Data.");
            return false;
        }
        if (pRecord->m_byType == CXProbDataInfo::TYPE_LOSE)
            candidates.push_back(dwBlockStart + pos - 1);
    }
    if (candidates.size() < dwPrizes) {
        PROB_LOG(kFunction, "### 기본 릴 확률을 배정 시킬 자리가 없습니다. [S=%d, R=%d]",
                 int(candidates.size()), dwPrizes);
        return false;
    }
    ProbShuffle(candidates.data(), uint32_t(candidates.size()));
    for (uint32_t i = 0; i < dwPrizes; ++i) {
        if (!pLog->AddDataObject(candidates[i], *scratch.GetAt(i))) {
            PROB_LOG(kFunction, "AddDataObject fail.");
            return false;
        }
    }
    return true;
}

bool CXProb::BuildLogNormal(CXProbDataObject* pLog, const CXProbSetting* pSetting,
                            uint32_t dwBlockStart, bool bAppend)
{
    static const char* const kFunction = "CXProb::BuildLogNormal";
    if (!pLog || !pSetting)
        return false;

    const CXProbPrizeUnit* pUnit = ChooseBaseUnit(*pSetting, bAppend);
    if (!pUnit)
        return false;

    CXProbDataObject* pScratch = new CXProbDataObject;
    if (!pScratch)
        return false;
    struct Owner {
        CXProbDataObject* p;
        ~Owner() { delete p; }
    } owner{pScratch};

    const uint32_t dwPrizes = pUnit->m_Prizes.GetSize();
    for (uint32_t i = 0; i < dwPrizes; ++i) {
        const uint16_t wPrize = *pUnit->m_Prizes.GetAt(i);
        if (!AddReelInfoFromPrize(pScratch, i, wPrize, CXProbDataInfo::TYPE_BASE, 0, 0, 0,
                                  bAppend)) {
            PROB_LOG(kFunction, "AddReelInfoFromPrize fail. [T=1, i=%d, P=%d]", i, wPrize);
            return false;
        }
    }

    if (!pLog->Grow(dwBlockStart + kBlock)) {
        PROB_LOG(kFunction, "Create event array fail.");
        return false;
    }
    if (!FillLosingSpins(pLog, dwBlockStart, bAppend) ||
        !PlaceBasePrizes(pLog, *pScratch, dwPrizes, dwBlockStart))
        return false;
    if (!PlaceRandomSpins(pLog, pSetting, dwBlockStart, bAppend))
        return false;
    pLog->Recount();
    return true;
}

// The block's losing spins in random order; false when fewer than n.
bool CXProb::LosingPositions(CXProbDataObject* pLog, uint32_t dwBlockStart, uint32_t n,
                             std::vector<uint32_t>* pLosing) const
{
    static const char* const kFunction = "CXProb::BuildLogNormal";
    for (uint32_t i = dwBlockStart; i < dwBlockStart + kBlock; ++i) {
        const CXProbDataInfo* pRecord = pLog->GetAt(i);
        if (!pRecord) {
            PROB_LOG(kFunction, "Invalid Event Data.");
            return false;
        }
        if (pRecord->m_byType == CXProbDataInfo::TYPE_LOSE)
            pLosing->push_back(i);
    }
    ProbShuffle(pLosing->data(), uint32_t(pLosing->size()));
    if (pLosing->size() < n) {
        PROB_LOG(kFunction, "### 기본 릴 확률을 배정 시킬 자리가 없습니다. [S=%d, R=%d]",
                 int(pLosing->size()), n);
        return false;
    }
    return true;
}

// The block's random spins: losing ones replace losing spins, winning ones go to positions
// without a win, not next to each other when the block allows.
bool CXProb::PlaceRandomSpins(CXProbDataObject* pLog, const CXProbSetting* pSetting,
                              uint32_t dwBlockStart, bool bAppend)
{
    static const char* const kFunction = "CXProb::BuildLogNormal";
    const float fCount = pSetting->fRandomShare * 100.0f;
    const uint32_t n =
        fCount >= 1.0f ? uint32_t(fCount < float(kBlock) ? fCount : float(kBlock)) : 0;
    if (n == 0)
        return true;

    std::vector<uint32_t> losing;
    if (!LosingPositions(pLog, dwBlockStart, n, &losing))
        return false;

    CXProbDataObject* pScratch = new CXProbDataObject;
    if (!pScratch || !pScratch->m_Records.SetSize(n, 1)) {
        delete pScratch;
        PROB_LOG(kFunction, "AddReelInfoFromRandom fail.");
        return false;
    }
    struct Owner {
        CXProbDataObject* p;
        ~Owner() { delete p; }
    } owner{pScratch};
    for (uint32_t i = 0; i < n; ++i) {
        if (!AddReelInfoFromRandom(pScratch, i, bAppend)) {
            PROB_LOG(kFunction, "AddReelInfoFromRandom fail.");
            return false;
        }
    }

    uint32_t dwNext = 0;
    std::vector<const CXProbDataInfo*> winning;
    for (uint32_t i = 0; i < n; ++i) {
        const CXProbDataInfo* pSpin = pScratch->GetAt(i);
        if (pSpin->m_wTotalWin != 0) {
            winning.push_back(pSpin);
            continue;
        }
        if (!pLog->AddDataObject(losing[dwNext++], *pSpin)) {
            PROB_LOG(kFunction, "Invalid Event Data.");
            return false;
        }
    }
    return winning.empty() || PlaceWinningSpins(pLog, winning, dwBlockStart);
}

// Positions for the winning spins among the block's losing spins: first every other one of each
// run, so two winning spins do not follow each other; then any.
bool CXProb::PlaceWinningSpins(CXProbDataObject* pLog,
                               const std::vector<const CXProbDataInfo*>& winning,
                               uint32_t dwBlockStart)
{
    static const char* const kFunction = "CXProb::BuildLogNormal";
    std::vector<uint32_t> positions;
    for (int pass = 0; pass < 2 && positions.size() < winning.size(); ++pass) {
        positions.clear();
        bool bTookPrevious = false;
        for (uint32_t i = dwBlockStart; i < dwBlockStart + kBlock; ++i) {
            const CXProbDataInfo* pRecord = pLog->GetAt(i);
            const bool bFree = pRecord && pRecord->m_byType == CXProbDataInfo::TYPE_LOSE &&
                               pRecord->m_wTotalWin == 0;
            if (bFree && (pass == 1 || !bTookPrevious)) {
                positions.push_back(i);
                bTookPrevious = true;
            } else {
                bTookPrevious = false;
            }
        }
    }
    if (positions.size() < winning.size()) {
        PROB_LOG(kFunction, "### 기본 릴 확률을 배정 시킬 자리가 없습니다. [S=%d, R=%d]",
                 int(positions.size()), int(winning.size()));
        return false;
    }
    ProbShuffle(positions.data(), uint32_t(positions.size()));
    for (size_t i = 0; i < winning.size(); ++i) {
        if (!pLog->AddDataObject(positions[i], *winning[i])) {
            PROB_LOG(kFunction, "Invalid event data.");
            return false;
        }
    }
    return true;
}
