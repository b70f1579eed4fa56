// Pay table, line evaluation and the two ways of making one spin.
#include <cstring>

#include "CXProb.h"
#include "CXProbLog.h"
#include "ProbRandom.h"

namespace {

// Pay by matching reel count 1..4 (rows) and symbol 0..12 (columns).
constexpr uint16_t kPay[4][CXProb::kSymbols] = {
    {0, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 500, 300, 500, 500, 1000, 1500, 2000, 3000, 10000, 15000, 0, 0},
    {0, 5000, 1000, 2000, 3000, 5000, 10000, 15000, 15000, 20000, 20000, 0, 20000},
};

constexpr int kSpinTries = 200;

}  // namespace

uint16_t CXProb::GetPay(uint32_t dwCount, uint32_t dwSymbol)
{
    if (dwCount < 1 || dwCount > 4 || dwSymbol >= uint32_t(kSymbols))
        return 0;
    return kPay[dwCount - 1][dwSymbol];
}

uint8_t CXProb::GetSymbol(uint32_t dwReel, uint32_t dwStop, uint32_t dwRow) const
{
    const CXArrayExTmpl<uint8_t>& reel = m_Reel[dwReel & 3];
    const uint32_t dwLength = reel.GetSize();
    if (dwLength == 0)
        return *reel.GetAt(0);
    return *reel.GetAt(uint32_t((uint64_t(dwStop) + dwRow) % dwLength));
}

void CXProb::MatchLine(const uint8_t s[4], uint8_t* pbyHit, uint8_t& byCount, uint8_t& bySymbol,
                       uint8_t& byEdge)
{
    auto wild = [&](int r) { return s[r] == kWild; };
    auto match = [&](int r, uint32_t x) { return s[r] == x || s[r] == kWild; };
    auto hit = [&](int from, int to) {
        for (int r = from; r <= to; ++r)
            pbyHit[r] = 1;
    };

    for (uint32_t x = kWild; x >= 1 && byCount == 0; --x) {
        if (match(0, x) && match(1, x) && match(2, x) && match(3, x) && GetPay(4, x)) {
            byCount = 4, bySymbol = uint8_t(x), hit(0, 3);
        } else if (wild(0) && wild(1) && wild(2) && GetPay(4, s[3])) {
            byCount = 4, bySymbol = s[3], hit(0, 3);
        } else if (wild(1) && wild(2) && wild(3) && GetPay(4, s[0])) {
            byCount = 4, bySymbol = s[0], hit(0, 3);
        } else if (match(0, x) && match(1, x) && match(2, x) && GetPay(3, x)) {
            byCount = 3, bySymbol = uint8_t(x), hit(0, 2);
        } else if (match(1, x) && match(2, x) && match(3, x) && GetPay(3, x)) {
            byCount = 3, bySymbol = uint8_t(x), hit(1, 3);
        } else if (x == 1) {
            // Symbol 1 pays in pairs and alone at the edges; wilds do not stand in for it here.
            bySymbol = 1;
            if (s[0] == 1 && s[1] == 1) {
                byCount = 2, hit(0, 1);
                if (s[3] == 1)
                    byEdge = 1, pbyHit[3] = 1;
            } else if (s[2] == 1 && s[3] == 1) {
                byCount = 2, hit(2, 3);
                if (s[0] == 1)
                    byEdge = 1, pbyHit[0] = 1;
            } else if (s[0] == 1) {
                byCount = 1, pbyHit[0] = 1;
                if (s[3] == 1)
                    byEdge = 1, pbyHit[3] = 1;
            } else if (s[3] == 1) {
                byCount = 1, pbyHit[3] = 1;
            } else {
                bySymbol = 0;
            }
        }
    }
}

void CXProb::EvaluateLine(CXProbDataInfo* pRecord, uint32_t dwRow) const
{
    if (!pRecord || dwRow > 2)
        return;
    uint16_t& wWin = pRecord->m_wLineWin[dwRow];
    uint8_t* pbyHit = pRecord->m_byHit[dwRow];
    wWin = 0;
    std::memset(pbyHit, 0, 4);
    pRecord->m_bySymbol[dwRow] = 0;
    pRecord->m_byCount[dwRow] = 0;
    pRecord->m_byEdge[dwRow] = 0;

    uint8_t s[4];
    for (uint32_t r = 0; r < 4; ++r)
        s[r] = GetSymbol(r, pRecord->m_byStop[r], dwRow);
    uint8_t byCount = 0, bySymbol = 0, byEdge = 0;
    MatchLine(s, pbyHit, byCount, bySymbol, byEdge);

    if (byCount != 0) {
        if (bySymbol != 1) {
            if (s[0] == 1)
                byEdge = 1, pbyHit[0] = 1;
            if (s[3] == 1)
                byEdge = 1, pbyHit[3] = 1;
        }
        uint32_t dwWin = GetPay(byCount, bySymbol);
        if (dwRow != 1)
            dwWin /= 2;
        if (byEdge)
            dwWin += dwRow == 1 ? 100 : 50;
        wWin = uint16_t(dwWin);
        pRecord->m_bySymbol[dwRow] = bySymbol;
        pRecord->m_byCount[dwRow] = byCount;
        pRecord->m_byEdge[dwRow] = byEdge;
        return;
    }

    if (dwRow == 1) {
        uint8_t byReachSymbol = 0, byCode = 0;
        if (FindReach(pRecord, &byReachSymbol, &byCode) && byReachSymbol > 5) {
            pRecord->m_byReach = byCode;
            pRecord->m_bySymbol[1] = byReachSymbol;
        }
    }
}

bool CXProb::FindReach(const CXProbDataInfo* pRecord, uint8_t* pbySymbol, uint8_t* pbyCode) const
{
    if (!pRecord || pRecord->m_wLineWin[1] != 0)
        return false;
    uint8_t s[4];
    for (uint32_t r = 0; r < 4; ++r)
        s[r] = GetSymbol(r, pRecord->m_byStop[r], 1);
    for (int r = 0; r < 3; ++r)
        if (s[r] == kWild && s[r + 1] == kWild)
            return false;
    for (uint32_t x = 11; x >= 1; --x) {
        int n = 0;
        for (int r = 0; r < 4; ++r)
            n += s[r] == x || s[r] == kWild;
        if (n != 3)
            continue;
        if (pbySymbol)
            *pbySymbol = uint8_t(x);
        if (pbyCode)
            *pbyCode = (s[1] == x || s[1] == kWild) ? 3 : 2;
        return true;
    }
    return false;
}

uint32_t CXProb::CountWilds(const CXProbDataInfo* pRecord, uint32_t dwRow) const
{
    if (!pRecord || dwRow > 2)
        return 0;
    uint32_t n = 0;
    for (uint32_t r = 0; r < 3; ++r)
        n += GetSymbol(r, pRecord->m_byStop[r], dwRow) == kWild;
    return n;
}

bool CXProb::EvaluateSpin(CXProbDataInfo* pRecord) const
{
    uint32_t dwTotal = 0;
    for (uint32_t row = 0; row < 3; ++row) {
        EvaluateLine(pRecord, row);
        dwTotal += pRecord->m_wLineWin[row];
    }
    // Three rows pay at most 20100 + 10050 + 10050, so the total fits its 16 bits.
    pRecord->m_wTotalWin = uint16_t(dwTotal);
    return dwTotal <= kMaxWin;
}

// A row that won with four of symbol 6 or with the wild symbol.
bool CXProb::WonBadFour(const CXProbDataInfo* pRecord) const
{
    for (int row = 0; row < 3; ++row) {
        if (pRecord->m_wLineWin[row] == 0)
            continue;
        if ((pRecord->m_byCount[row] == 4 && pRecord->m_bySymbol[row] == 6) ||
            pRecord->m_bySymbol[row] == kWild)
            return true;
    }
    return false;
}

bool CXProb::RandomSpinAcceptable(const CXProbDataInfo& record, bool bStrict) const
{
    if (record.m_wTotalWin > kMaxWin)
        return false;
    uint8_t bySymbol = 0, byCode = 0;
    if (record.m_wLineWin[1] == 0 && record.m_byReach == 0 &&
        FindReach(&record, &bySymbol, &byCode) && bySymbol >= 1 && bySymbol <= 5)
        return false;
    if (!bStrict)
        return true;
    if (record.m_byReach != 0)
        return false;
    if (record.m_wTotalWin == 0)
        return true;
    if (WonBadFour(&record))
        return false;
    if (m_byMode == 0) {
        for (uint32_t row = 0; row < 3; ++row)
            if (record.m_wLineWin[row] != 0 && CountWilds(&record, row) != 0)
                return false;
    }
    return true;
}

// Looks for a losing spin without a reach over the stop combinations, from stop 0 on every
// reel; bounded, so very long strips may give none.
bool CXProb::FindLosingSpin(CXProbDataInfo* pRecord) const
{
    uint32_t dwLength[4];
    for (int r = 0; r < 4; ++r)
        dwLength[r] = m_Reel[r].GetSize() ? m_Reel[r].GetSize() : 1;
    uint32_t stop[4] = {0, 0, 0, 0};
    for (uint32_t n = 0; n < 65536; ++n) {
        for (int r = 0; r < 4; ++r)
            pRecord->m_byStop[r] = uint8_t(stop[r]);
        if (EvaluateSpin(pRecord) && pRecord->m_wTotalWin == 0 && pRecord->m_byReach == 0 &&
            RandomSpinAcceptable(*pRecord, false))
            return true;
        int r = 0;
        while (r < 4 && ++stop[r] >= dwLength[r])
            stop[r++] = 0;
        if (r == 4)
            break;
    }
    return false;
}

bool CXProb::AddReelInfoFromRandom(CXProbDataObject* pLog, uint32_t dwIndex, bool bStrict)
{
    CXProbDataInfo* pRecord = pLog ? pLog->GetAt(dwIndex) : nullptr;
    if (!pRecord)
        return false;

    CXProbDataInfo losing;
    bool bHaveLosing = false;
    bool bTaken = false;
    for (int nTry = 0; nTry < kSpinTries && !bTaken; ++nTry) {
        pRecord->Clear();
        pRecord->m_byType = CXProbDataInfo::TYPE_RANDOM;
        for (int round = 0; round < 10; ++round) {
            for (int r = 0; r < 4; ++r) {
                const uint32_t dwLength = m_Reel[r].GetSize();
                pRecord->m_byStop[r] = dwLength ? uint8_t(ProbRandom() % dwLength) : 0;
            }
        }
        const bool bCapped = EvaluateSpin(pRecord);
        if (bCapped && RandomSpinAcceptable(*pRecord, bStrict))
            bTaken = true;
        else if (bCapped && !bHaveLosing && pRecord->m_wTotalWin == 0 && pRecord->m_byReach == 0 &&
                 RandomSpinAcceptable(*pRecord, false)) {
            losing = *pRecord;
            bHaveLosing = true;
        }
    }
    if (!bTaken) {
        PROB_LOG("CXProb::AddReelInfoFromRandom", "Random create fail.");
        // Falls back on a losing spin: never one over the cap or one the rules refuse.
        if (bHaveLosing) {
            *pRecord = losing;
        } else {
            pRecord->Clear();
            pRecord->m_byType = CXProbDataInfo::TYPE_RANDOM;
            if (!FindLosingSpin(pRecord)) {
                pRecord->Clear();
                return false;
            }
        }
    }
    ++pLog->m_dwCount;
    pLog->m_dwTotalWin += pRecord->m_wTotalWin;
    return true;
}

const CXProbPrizeIndexObject* CXProb::FindPrize(uint16_t wPrize) const
{
    const uint8_t key[2] = {uint8_t(wPrize), uint8_t(wPrize >> 8)};
    return m_PrizeIndex.FindNode(CXProbPrizeIndexObject::KeyOf(key));
}

CXProbDataInfo* CXProb::RecordAt(CXProbDataObject* pLog, uint32_t dwIndex)
{
    CXProbDataInfo* pRecord = pLog->GetAt(dwIndex);
    if (!pRecord) {
        pRecord = new CXProbDataInfo;
        if (!pRecord || !pLog->m_Records.SetAt(dwIndex, pRecord)) {
            delete pRecord;
            PROB_LOG("CXProb::AddReelInfoFromPrize", "LPCXPROB_DATA_INFO create fail.");
            return nullptr;
        }
    }
    return pRecord;
}

bool CXProb::ChoosePattern(const CXProbPrizeIndexObject& prize, uint8_t byOptSymbol,
                           uint8_t byOptReels, bool bStrict, uint32_t* pdwPattern)
{
    const uint32_t dwPatterns = prize.m_Patterns.GetSize();
    const uint32_t dwStart = ProbRandomRange(0, dwPatterns - 1);
    const bool bAllow6 = byOptSymbol == 6 || byOptSymbol == kWild;
    bool bFound = false;
    for (uint32_t i = 0; i < dwPatterns && !bFound; ++i) {
        const uint32_t p = *prize.m_Patterns.GetAt((dwStart + i) % dwPatterns);
        const uint8_t bySym = uint8_t(p), byReels = uint8_t(p >> 8);
        if (byOptSymbol) {
            if (bySym != byOptSymbol || (byOptReels && byReels != byOptReels))
                continue;
            if (bStrict && (bySym == 6 || bySym == kWild) && !bAllow6)
                continue;
        } else {
            if (bySym == kWild || (byOptReels && byReels != byOptReels))
                continue;
            if (bStrict && bySym == 6 && !bAllow6)
                continue;
        }
        *pdwPattern = p;
        bFound = true;
    }
    return bFound;
}

void CXProb::PlanReels(uint8_t bySymbol, uint8_t byReels, uint8_t byForce, uint8_t want[4])
{
    uint32_t reels[4];
    const uint32_t dwFirst = ProbRandomRange(1, 100) > 50 ? 4 - byReels : 0;
    for (uint32_t i = 0; i < byReels; ++i) {
        reels[i] = dwFirst + i;
        want[reels[i]] = kWild;
    }
    ProbShuffle(reels, byReels);
    uint32_t k = bySymbol == 1 ? byReels : (byForce ? byForce : ProbRandomRange(1, byReels));
    for (uint32_t i = 0; i < k; ++i)
        want[reels[i]] = bySymbol;
    if (byReels < 4 && want[1] == kWild && want[2] == kWild)
        want[ProbRandomRange(0, 1) ? 2 : 1] = bySymbol;
}

void CXProb::PlaceStops(CXProbDataInfo* pRecord, const uint8_t want[4], uint8_t bySymbol,
                        uint32_t dwRow) const
{
    for (uint32_t r = 0; r < 4; ++r) {
        const CXArrayExTmpl<uint8_t>& list = want[r] != 0xFF
                                                 ? m_StopList[r][want[r] % kSymbols][0]
                                                 : m_StopList[r][bySymbol % kSymbols][1];
        const uint32_t dwSize = list.GetSize();
        const uint32_t dwStop = *list.GetAt(dwSize ? ProbRandomRange(0, dwSize - 1) : 0);
        const uint32_t dwLength = m_Reel[r].GetSize();
        pRecord->m_byStop[r] =
            dwLength ? uint8_t((dwStop + dwLength - dwRow % dwLength) % dwLength) : 0;
    }
}

bool CXProb::SpinMakesPrize(const CXProbDataInfo* pRecord, bool bCapped, bool bLosing,
                            uint16_t wPrize, uint8_t byType, bool bStrict) const
{
    if (bLosing) {
        uint8_t byReach = 0, byCode = 0;
        return !(FindReach(pRecord, &byReach, &byCode) && byReach < 6) && pRecord->m_wTotalWin == 0;
    }
    return bCapped && pRecord->m_byReach == 0 && pRecord->m_wTotalWin == wPrize &&
           !(bStrict && byType <= CXProbDataInfo::TYPE_RANDOM && WonBadFour(pRecord));
}

bool CXProb::AddReelInfoFromPrize(CXProbDataObject* pLog, uint32_t dwIndex, uint16_t wPrize,
                                  uint8_t byType, uint8_t byKind, uint8_t byTable,
                                  uint32_t dwOption, bool bStrict)
{
    static const char* const kFunction = "CXProb::AddReelInfoFromPrize";
    if (!pLog)
        return false;
    if (wPrize > kMaxWin)
        wPrize = kMaxWin;
    CXProbDataInfo* pRecord = RecordAt(pLog, dwIndex);
    if (!pRecord)
        return false;

    const bool bLosing = wPrize == 0;
    const uint16_t wLookup = bLosing ? GetPay(4, ProbRandomRange(1, 10)) : wPrize;
    const uint8_t byOptSymbol = bLosing ? 0 : uint8_t(dwOption);
    const uint8_t byOptForce = uint8_t(dwOption >> 8);
    const uint8_t byOptReels = uint8_t(dwOption >> 16);

    const CXProbPrizeIndexObject* pPrize = FindPrize(wLookup);
    if (!pPrize || pPrize->m_Patterns.GetSize() == 0) {
        PROB_LOG(kFunction, "Prize not found. [wPrize=%d]", wLookup);
        return false;
    }

    uint32_t dwPattern = 0;
    if (!ChoosePattern(*pPrize, byOptSymbol, byOptReels, bStrict, &dwPattern)) {
        PROB_LOG(kFunction, "Invalid Option data. [wPrize=%d, dwOption=%X]", wPrize, dwOption);
        return false;
    }
    const uint8_t bySymbol = uint8_t(dwPattern);
    const uint8_t byReels = uint8_t(dwPattern >> 8);
    const uint32_t dwRow =
        (dwPattern & CXProbPrizeIndexObject::PATTERN_MIDDLE) ? 1 : (ProbRandomRange(0, 1) ? 2 : 0);

    uint8_t byForce = byOptForce;
    if (!byForce && m_byMode == 0 && bStrict)
        byForce = byReels;
    if (byForce > 4 || byForce > byReels || byReels > 4 || byReels == 0) {
        PROB_LOG(kFunction, "Invalid variables. [bCount=%d, bItemForceCount=%d]", byReels, byForce);
        return false;
    }

    uint8_t want[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    if (!bLosing)
        PlanReels(bySymbol, byReels, byForce, want);

    for (int nTry = 0; nTry < kSpinTries; ++nTry) {
        pRecord->Clear();
        pRecord->m_byType = byType;
        pRecord->m_byHighKind = byKind;
        pRecord->m_byHighTable = byTable;
        PlaceStops(pRecord, want, bySymbol, dwRow);
        const bool bCapped = EvaluateSpin(pRecord);
        if (SpinMakesPrize(pRecord, bCapped, bLosing, wPrize, byType, bStrict)) {
            ++pLog->m_dwCount;
            pLog->m_dwTotalWin += pRecord->m_wTotalWin;
            return true;
        }
    }
    PROB_LOG(kFunction, "Prize making fail. [%02d %02d %02d %02d][wPrize=%d, wMakePrize=%d]",
             want[0] == 0xFF ? 0 : want[0], want[1] == 0xFF ? 0 : want[1],
             want[2] == 0xFF ? 0 : want[2], want[3] == 0xFF ? 0 : want[3], wPrize,
             pRecord->m_wTotalWin);
    return false;
}

bool CXProb::BuildEventData(CXProbDataInfo* pOut, uint16_t wPrize)
{
    CXProbDataObject* pScratch = new CXProbDataObject;
    bool bOk =
        pScratch && pOut &&
        AddReelInfoFromPrize(pScratch, 0, wPrize, CXProbDataInfo::TYPE_RANDOM, 0, 0, 0, true);
    if (bOk)
        *pOut = *pScratch->GetAt(0);
    else
        PROB_LOG("CXProb::BuildEventData", "BuildEventData fail. [wPrize=%d]", wPrize);
    delete pScratch;
    return bOk;
}
