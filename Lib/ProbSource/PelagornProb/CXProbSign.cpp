// Signs ("Sn1"/"Sn2", "Rai", "Thu") and scene objects ("MO1"/"MN1", "MO2"/"MN2", "FOb") of a
// built event log. Only bytes 46..53 of the records change here.
#include <vector>

#include "CXProb.h"
#include "CXProbLog.h"
#include "ProbRandom.h"

namespace {

constexpr uint8_t kBothSigns = CXProbDataInfo::SIGN_FIRST | CXProbDataInfo::SIGN_SECOND;

uint32_t Back(uint32_t dwIndex, uint32_t dwBy)
{
    return dwBy > dwIndex ? 0 : dwIndex - dwBy;
}

}  // namespace

void CXProb::SignThu(CXProbDataInfo* pRecord, bool bRunStart, bool bHigh) const
{
    const CXProbSignSetting& s = m_SignSetting;
    if (bRunStart && ProbPercent(s.byThuStartPercent))
        pRecord->m_byThu = ProbRandomRange(0, 1) ? 2 : 1;
    else if (!bRunStart && ProbPercent(s.byThuContinuePercent))
        pRecord->m_byThu = bHigh && ProbPercent(s.byThuHighPercent) ? 2 : 1;
    else
        pRecord->m_byThu = 0;
}

// At the last record of a sign run: the first rule of the list that places its object.
bool CXProb::PlaceRunRules(CXProbDataObject* pLog, uint32_t dwIndex)
{
    for (auto* pElement = m_MovingRule.m_pHead; pElement; pElement = pElement->m_pNext) {
        CXProbMovingObject* pRule = pElement->m_pData;
        if (!pRule) {
            PROB_LOG("CXProb::MakeEventSign", "Invalid object config data.");
            return false;
        }
        if (!ProbPercent(pRule->m_byRunPercent))
            continue;
        const uint32_t dwAt =
            Back(dwIndex, ProbRandomRange(pRule->m_dwRunOffsetMin, pRule->m_dwRunOffsetMax));
        if (SetEventObject(pLog, dwAt, pRule, true))
            break;
    }
    return true;
}

// The pattern of sign runs and gaps and its random start in the log.
std::vector<uint8_t> CXProb::SignRunPattern(uint32_t dwCount, uint32_t* pdwStart) const
{
    const CXProbSignSetting& s = m_SignSetting;
    uint64_t nSigns = ProbRandomRange(uint32_t(uint64_t(dwCount / 100) * s.dwPer100Min > dwCount
                                                   ? dwCount
                                                   : (dwCount / 100) * s.dwPer100Min),
                                      uint32_t(uint64_t(dwCount / 100) * s.dwPer100Max > dwCount
                                                   ? dwCount
                                                   : (dwCount / 100) * s.dwPer100Max));
    std::vector<uint8_t> flags;
    uint64_t nLaid = 0;
    while (nLaid < nSigns) {
        const uint32_t dwRun = ProbRandomRange(s.dwRunMin, s.dwRunMax);
        for (uint32_t k = 0; k < (dwRun ? dwRun : 1) && nLaid < nSigns; ++k, ++nLaid)
            flags.push_back(1);
        if (nSigns - nLaid < s.dwPer100Min)
            break;
        const uint32_t dwGap = ProbRandomRange(s.dwGapMin, s.dwGapMax);
        if (flags.size() + uint64_t(dwGap) > dwCount)
            break;
        flags.insert(flags.end(), dwGap, 0);
    }
    flags.insert(flags.end(), nSigns - nLaid, 1);
    *pdwStart = flags.size() < dwCount ? ProbRandomRange(0, uint32_t(dwCount - flags.size()))
                                       : ProbRandomRange(0, s.dwPer100Min);
    // A run that would hang over the end of the log moves forward by dropping gap records.
    if (uint64_t(*pdwStart) + flags.size() > dwCount) {
        uint64_t nOver = uint64_t(*pdwStart) + flags.size() - dwCount;
        for (size_t k = flags.size(); k-- > 0 && nOver > 0;) {
            if (flags[k] == 0) {
                flags.erase(flags.begin() + std::ptrdiff_t(k));
                --nOver;
            }
        }
    }
    return flags;
}

// The lead of a high sign record: the records before it get both signs and the high mark.
bool CXProb::SignHighLead(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record) const
{
    const CXProbHighTableObject* pEntry = nullptr;
    for (uint32_t k = 0; k < m_HighTable.GetSize() && !pEntry; ++k) {
        const CXProbHighTableObject* p = m_HighTable.m_ppArray[k]->m_pData;
        if (p && p->m_byNumber == record.m_byHighTable)
            pEntry = p;
    }
    if (!pEntry) {
        PROB_LOG("CXProb::MakeEventSign", "Invalid HighPrize Object.");
        return false;
    }
    const uint32_t dwLists = pEntry->m_LeadMin.GetSize() < pEntry->m_LeadMax.GetSize()
                                 ? pEntry->m_LeadMin.GetSize()
                                 : pEntry->m_LeadMax.GetSize();
    const uint32_t dwPick = dwLists ? ProbRandomRange(0, dwLists - 1) : 0;
    const uint32_t dwLead =
        ProbRandomRange(*pEntry->m_LeadMin.GetAt(dwPick), *pEntry->m_LeadMax.GetAt(dwPick));
    bool bStart = true;
    for (uint32_t j = Back(i, dwLead); j < i; ++j) {
        CXProbDataInfo* pLead = pLog->GetAt(j);
        if (!pLead || pLead->HasSignOnlySecond())
            continue;
        pLead->m_bySign |= kBothSigns | CXProbDataInfo::SIGN_HIGH;
        SignThu(pLead, bStart, true);
        bStart = false;
    }
    return true;
}

// Before a random win: the first sign rule of its win range may sign a lead ending at it.
void CXProb::SignWinLead(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record) const
{
    for (uint32_t k = 0; k < m_SignObject.GetSize(); ++k) {
        const CXProbSignObject* pSign = m_SignObject.GetAt(k);
        if (record.m_wTotalWin < pSign->m_wWinMin || record.m_wTotalWin > pSign->m_wWinMax)
            continue;
        if (i >= pSign->m_dwLeadMin && ProbRandomRange(1, 100) <= pSign->m_byPercent) {
            bool bStart = true;
            for (uint32_t j = Back(i, ProbRandomRange(pSign->m_dwLeadMin, pSign->m_dwLeadMax));
                 j <= i; ++j) {
                CXProbDataInfo* pLead = pLog->GetAt(j);
                pLead->m_bySign |= kBothSigns;
                SignThu(pLead, bStart, false);
                bStart = false;
            }
        }
        break;
    }
}

bool CXProb::MakeEventSign(CXProbDataObject* pLog)
{
    static const char* const kFunction = "CXProb::MakeEventSign";
    if (!pLog)
        return false;
    const uint32_t dwCount = pLog->GetSize();

    uint32_t dwStart = 0;
    const std::vector<uint8_t> flags = SignRunPattern(dwCount, &dwStart);
    auto flagAt = [&](uint32_t i) -> bool {
        return i >= dwStart && i - dwStart < flags.size() && flags[i - dwStart] != 0;
    };

    bool bHigh = false;
    for (uint32_t i = 0; i < dwCount; ++i) {
        CXProbDataInfo* pRecord = pLog->GetAt(i);
        if (!pRecord) {
            PROB_LOG(kFunction, "Invalid event object.");
            return false;
        }
        if (pRecord->m_byType == CXProbDataInfo::TYPE_HIGH_SIGN) {
            if (!SignHighLead(pLog, i, *pRecord))
                return false;
            bHigh = true;
        }
        if (bHigh) {
            pRecord->m_byRai = pRecord->m_byThu = 0;
            pRecord->m_bySign = CXProbDataInfo::SIGN_SECOND;
            if (pRecord->m_byType == CXProbDataInfo::TYPE_HIGH_LAST)
                bHigh = false;
            continue;
        }
        if (flagAt(i)) {
            pRecord->m_bySign =
                uint8_t((pRecord->m_bySign | kBothSigns) & ~CXProbDataInfo::SIGN_HIGH);
            SignThu(pRecord, !flagAt(i - 1) || i == 0, false);
            if ((!flagAt(i + 1) || i + 1 == dwCount) && !PlaceRunRules(pLog, i))
                return false;
            continue;
        }
        if (pRecord->m_wTotalWin != 0 && pRecord->m_byType <= CXProbDataInfo::TYPE_RANDOM)
            SignWinLead(pLog, i, *pRecord);
    }
    return RaiPass(pLog);
}

// "Rai" (and more "Thu") on parts of sign runs and of stretches without a sign.
bool CXProb::RaiPass(CXProbDataObject* pLog)
{
    const uint32_t dwCount = pLog->GetSize();
    auto kindOf = [&](uint32_t i) -> int {  // 0 no sign, 1 both signs, 2 anything else
        const CXProbDataInfo* p = pLog->GetAt(i);
        if ((p->m_bySign & kBothSigns) == 0)
            return 0;
        return p->HasBothSigns() ? 1 : 2;
    };
    for (uint32_t i = 0; i < dwCount;) {
        const int nKind = kindOf(i);
        uint32_t dwEnd = i + 1;
        bool bHighRun = (pLog->GetAt(i)->m_bySign & CXProbDataInfo::SIGN_HIGH) != 0;
        while (dwEnd < dwCount && kindOf(dwEnd) == nKind) {
            bHighRun = bHighRun || (pLog->GetAt(dwEnd)->m_bySign & CXProbDataInfo::SIGN_HIGH) != 0;
            ++dwEnd;
        }
        const uint32_t dwLength = dwEnd - i;
        if (nKind != 2) {
            const CXProbRaiRule& rule =
                nKind == 0 ? m_SignSetting.NoSign
                           : (bHighRun ? m_SignSetting.HighRun : m_SignSetting.SignRun);
            if (dwLength >= rule.dwMinLength && ProbPercent(rule.byPercent)) {
                const uint64_t nFrom =
                    uint64_t(i) + ProbRandomRange(rule.dwOffsetMin, rule.dwOffsetMax);
                const uint64_t nTo = nFrom + ProbRandomRange(rule.dwLengthMin, rule.dwLengthMax);
                const uint8_t byRai = nKind == 0 ? 1 : (ProbPercent(rule.byRai2Percent) ? 2 : 1);
                const bool bThu = nKind != 0 && ProbPercent(rule.byThuPercent);
                for (uint64_t j = nFrom; j < nTo && j < dwEnd; ++j) {
                    CXProbDataInfo* p = pLog->GetAt(uint32_t(j));
                    p->m_byRai = byRai;
                    if (bThu)
                        p->m_byThu =
                            bHighRun && ProbPercent(m_SignSetting.byThuHighPercent) ? 2 : 1;
                }
            }
        }
        i = dwEnd;
    }
    return true;
}

// One object of the record's array: the first whose chance comes up and that places.
void CXProb::PlaceArrayObject(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record)
{
    const int nArray =
        (!(record.m_bySign & CXProbDataInfo::SIGN_FIRST) || record.IsHighType()) ? 0 : 1;
    CXArrayTmpl<CXProbMovingObject>& objects = m_MovingObject[nArray];
    for (uint32_t k = 0; k < objects.GetSize(); ++k) {
        CXProbMovingObject* pObject = objects.GetAt(k);
        if (ProbPercent(pObject->m_byPercent[nArray]) && SetEventObject(pLog, i, pObject, false))
            break;
    }
}

// After sign records: rules for short runs fill the records before this one.
void CXProb::PlaceShortRunRules(CXProbDataObject* pLog, uint32_t i, uint32_t dwSigned)
{
    for (auto* pElement = m_MovingRule.m_pHead; pElement; pElement = pElement->m_pNext) {
        CXProbMovingObject* pRule = pElement->m_pData;
        if (pRule->m_dwRunLimit < dwSigned || !ProbPercent(pRule->m_byRunPercent))
            continue;
        for (uint32_t j =
                 Back(i, ProbRandomRange(pRule->m_dwRunOffsetMin, pRule->m_dwRunOffsetMax));
             j < i; ++j)
            SetEventObject(pLog, j, pRule, false);
    }
}

// Before a win: the first rule of its win range that places its object.
void CXProb::PlaceWinRules(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record)
{
    if (!(record.m_wTotalWin != 0 && record.m_byType <= CXProbDataInfo::TYPE_RANDOM &&
          !record.HasSignOnlySecond()))
        return;
    for (auto* pElement = m_MovingRule.m_pHead; pElement; pElement = pElement->m_pNext) {
        CXProbMovingObject* pRule = pElement->m_pData;
        if (record.m_wTotalWin < pRule->m_wWinMin || record.m_wTotalWin > pRule->m_wWinMax ||
            !ProbPercent(pRule->m_byWinPercent))
            continue;
        if (SetEventObject(
                pLog, Back(i, ProbRandomRange(pRule->m_dwWinOffsetMin, pRule->m_dwWinOffsetMax)),
                pRule, true))
            break;
    }
}

// Around the start of a high sequence.
void CXProb::PlaceHighRules(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record)
{
    if (!(record.m_byType == CXProbDataInfo::TYPE_HIGH_SIGN &&
          (record.m_byHighKind == 1 || record.m_byHighKind == 2)))
        return;
    const uint32_t dwCount = pLog->GetSize();
    for (auto* pElement = m_MovingRule.m_pHead; pElement; pElement = pElement->m_pNext) {
        CXProbMovingObject* pRule = pElement->m_pData;
        const CXProbMovingObject::High& high = pRule->m_High[record.m_byHighKind - 1];
        if (!ProbPercent(high.byPercent))
            continue;
        const uint32_t dwFrom = Back(i, ProbRandomRange(high.dwOffsetMin, high.dwOffsetMax));
        if (high.dwCount == 0) {
            SetEventObject(pLog, dwFrom, pRule, false);
            continue;
        }
        for (uint32_t j = dwFrom; j < uint64_t(dwFrom) + high.dwCount && j < i && j < dwCount; ++j)
            SetEventObject(pLog, j, pRule, false);
    }
}

bool CXProb::MakeEventObject(CXProbDataObject* pLog)
{
    static const char* const kFunction = "CXProb::MakeEventObject";
    if (!pLog)
        return false;
    const uint32_t dwCount = pLog->GetSize();
    uint32_t dwSigned = 0;
    for (uint32_t i = 0; i < dwCount; ++i) {
        CXProbDataInfo* pRecord = pLog->GetAt(i);
        if (!pRecord) {
            PROB_LOG(kFunction, "Invalid event object.");
            return false;
        }
        PlaceArrayObject(pLog, i, *pRecord);

        for (auto* pElement = m_MovingRule.m_pHead; pElement; pElement = pElement->m_pNext)
            if (!pElement->m_pData) {
                PROB_LOG(kFunction, "Invalid object config data.");
                return false;
            }

        if (pRecord->HasBothSigns())
            ++dwSigned;
        else if (dwSigned > 0)
            PlaceShortRunRules(pLog, i, dwSigned);
        PlaceWinRules(pLog, i, *pRecord);
        PlaceHighRules(pLog, i, *pRecord);
    }
    return true;
}

bool CXProb::SetEventObject(CXProbDataObject* pLog, uint32_t dwIndex, CXProbMovingObject* pObject,
                            bool bSignAware)
{
    static const char* const kFunction = "CXProb::SetEventObject";
    if (!pLog || !pObject)
        return false;
    const uint32_t dwCount = pLog->GetSize();
    CXProbDataInfo* pRecord = pLog->GetAt(dwIndex);
    if (dwIndex >= dwCount || !pRecord) {
        PROB_LOG(kFunction, "Invalid event object. dwIndex=%d, MAX=%d]", int(dwIndex),
                 int(dwCount));
        return false;
    }
    if (bSignAware && pRecord->HasSignOnlySecond())
        return true;

    auto window = [&](uint32_t dwMin, uint32_t dwMax, uint32_t* pS, uint32_t* pE) {
        *pS = Back(dwIndex, ProbRandomRange(dwMin, dwMax));
        const uint64_t nE = uint64_t(dwIndex) + ProbRandomRange(dwMin, dwMax);
        *pE = nE >= dwCount ? dwCount - 1 : uint32_t(nE);
    };
    auto inRange = [&](uint8_t v) {
        return v != 0 && v >= pObject->m_byValueMin && v <= pObject->m_byValueMax;
    };

    uint32_t s = 0, e = 0;
    if (pObject->m_dwExcludeMax) {
        window(pObject->m_dwExcludeMin, pObject->m_dwExcludeMax, &s, &e);
        for (uint32_t j = s; j <= e; ++j) {
            const CXProbDataInfo* p = pLog->GetAt(j);
            if (!p) {
                PROB_LOG(kFunction, "Invalid event object. [nS=%d, nE=%d, j=%d]", int(s), int(e),
                         int(j));
                return false;
            }
            if (inRange(p->m_byFOb) || inRange(p->m_byMO1) || inRange(p->m_byMO2))
                return false;
        }
    }
    if (pObject->m_dwClearMax) {
        window(pObject->m_dwClearMin, pObject->m_dwClearMax, &s, &e);
        for (uint32_t j = s; j <= e; ++j) {
            CXProbDataInfo* p = pLog->GetAt(j);
            if (!p) {
                PROB_LOG(kFunction, "Invalid event object. [nS=%d, nE=%d, j=%d]", int(s), int(e),
                         int(j));
                return false;
            }
            p->m_byMO1 = p->m_byMN1 = 0;
        }
    }

    uint8_t byValue;
    if (pObject->m_bCycle) {
        byValue = pObject->m_byNextValue;
        if (byValue < pObject->m_byValueMin || byValue > pObject->m_byValueMax)
            byValue = pObject->m_byValueMin;
        pObject->m_byNextValue =
            byValue >= pObject->m_byValueMax ? pObject->m_byValueMin : uint8_t(byValue + 1);
    } else {
        byValue = uint8_t(ProbRandomRange(pObject->m_byValueMin, pObject->m_byValueMax));
    }
    const uint8_t byNumber =
        uint8_t(ProbRandomRange(pObject->m_byNumberMin, pObject->m_byNumberMax));
    if (pObject->m_bySlot == CXProbMovingObject::SLOT_FIELD) {
        pRecord->m_byFOb = byValue;
    } else if (pObject->m_bySlot == CXProbMovingObject::SLOT_SECOND) {
        pRecord->m_byMO2 = byValue;
        pRecord->m_byMN2 = byNumber;
    } else {
        pRecord->m_byMO1 = byValue;
        pRecord->m_byMN1 = byNumber;
    }
    return true;
}
