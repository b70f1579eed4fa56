#pragma once
// Shared pieces of the probability engine's tests: a scripted random source and a small
// hand-made table set on which every kind of spin can be made.

#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "CXProb.h"
#include "ProbRandom.h"

// Gives the queued values first, then a seeded Mersenne Twister's.
class ScriptedRandom : public CXProbRandomSource {
public:
    explicit ScriptedRandom(uint32_t seed = 1) : m_Random(seed) {}
    uint32_t Next() override
    {
        if (!m_Queue.empty()) {
            const uint32_t v = m_Queue.front();
            m_Queue.pop_front();
            return v;
        }
        return m_Random();
    }
    std::deque<uint32_t> m_Queue;

private:
    std::mt19937 m_Random;
};

// Installs a source for the scope of a test.
class RandomScope {
public:
    explicit RandomScope(CXProbRandomSource* pSource) : m_pOld(SetProbRandomSource(pSource)) {}
    ~RandomScope() { SetProbRandomSource(m_pOld); }
    RandomScope(const RandomScope&) = delete;
    RandomScope& operator=(const RandomScope&) = delete;

private:
    CXProbRandomSource* m_pOld;
};

inline void SetStrip(CXProb& prob, int reel, const std::vector<uint8_t>& symbols)
{
    prob.m_Reel[reel].DeleteAll();
    for (uint32_t i = 0; i < symbols.size(); ++i)
        prob.m_Reel[reel].SetAt(i, symbols[i]);
}

// Every reel shows symbol s at stop s: strip 0..12, so row L of stop s shows (s + L) mod 13.
inline void SetIdentityStrips(CXProb& prob)
{
    std::vector<uint8_t> strip;
    for (uint8_t s = 0; s < 13; ++s)
        strip.push_back(s);
    for (int r = 0; r < 4; ++r)
        SetStrip(prob, r, strip);
}

inline void AddPattern(CXProb& prob, uint16_t wPrize, uint8_t bySymbol, uint8_t byReels,
                       bool bMiddle = true)
{
    const uint8_t key[2] = {uint8_t(wPrize), uint8_t(wPrize >> 8)};
    CXProbPrizeIndexObject* pPrize = prob.m_PrizeIndex.FindNode(CXProbPrizeIndexObject::KeyOf(key));
    if (!pPrize) {
        pPrize = new CXProbPrizeIndexObject(wPrize);
        prob.m_PrizeIndex.Insert(pPrize);
    }
    const uint32_t pattern = bySymbol | (uint32_t(byReels) << 8) |
                             (bMiddle ? CXProbPrizeIndexObject::PATTERN_MIDDLE : 0);
    pPrize->m_Patterns.SetAt(pPrize->m_Patterns.GetSize(), pattern);
}

inline CXProbPrizeUnit* MakeUnit(std::vector<uint16_t> prizes, uint32_t dwAmount = 0)
{
    auto* pUnit = new CXProbPrizeUnit;
    pUnit->m_dwAmount = dwAmount;
    for (uint32_t i = 0; i < prizes.size(); ++i)
        pUnit->m_Prizes.SetAt(i, prizes[i]);
    return pUnit;
}

inline void SetBytes(CXArrayExTmpl<uint8_t>& list, std::vector<uint8_t> values)
{
    list.DeleteAll();
    for (uint32_t i = 0; i < values.size(); ++i)
        list.SetAt(i, values[i]);
}

// Strips of 20 stops: paying symbols 2..10 and the wild on even stops (each reel turned a
// little), symbols 0 and 11 between them, so a symbol on the middle row has non-paying
// neighbours. Stop lists: kind 0 the stops of each symbol, kind 1 the non-paying stops.
// Prize patterns for the base prizes and for every four-of-a-kind amount (losing spins look
// those up); one base prize object with units {1000, 2000} and {300}.
inline void FillTables(CXProb& prob)
{
    static const uint8_t kPaying[10] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
    for (int r = 0; r < 4; ++r) {
        std::vector<uint8_t> strip(20);
        for (int i = 0; i < 10; ++i) {
            strip[2 * i] = kPaying[(i + 3 * r) % 10];
            strip[2 * i + 1] = i % 2 ? 11 : 0;
        }
        SetStrip(prob, r, strip);
        for (int s = 0; s < CXProb::kSymbols; ++s) {
            std::vector<uint8_t> shows, avoids;
            for (uint8_t i = 0; i < 20; ++i) {
                if (strip[i] == s)
                    shows.push_back(i);
                if (strip[i] == 0 || strip[i] == 11)
                    avoids.push_back(i);
            }
            SetBytes(prob.m_StopList[r][s][0], shows);
            SetBytes(prob.m_StopList[r][s][1], avoids);
        }
    }
    AddPattern(prob, 300, 2, 3);
    AddPattern(prob, 1000, 2, 4);
    AddPattern(prob, 1000, 5, 3);
    AddPattern(prob, 2000, 3, 4);
    AddPattern(prob, 2000, 7, 3);
    AddPattern(prob, 3000, 4, 4);
    AddPattern(prob, 5000, 5, 4);
    AddPattern(prob, 10000, 9, 3);
    AddPattern(prob, 15000, 7, 4);
    AddPattern(prob, 20000, 9, 4);
    AddPattern(prob, 20000, 10, 4);
    AddPattern(prob, 20000, 12, 4);

    auto* pBase = new CXProbBasePrizeObject;
    pBase->m_Units.SetAt(0, MakeUnit({1000, 2000}));
    pBase->m_Units.SetAt(1, MakeUnit({300}));
    SetBytes(pBase->m_Pick, {1});
    prob.m_BasePrize.SetAt(0, pBase);
    SetBytes(prob.m_BasePick, {1});
    prob.m_byNormalFirst = 1;
    prob.m_byNormalLast = 100;
    prob.m_Setting.fRandomShare = 0.1f;
}

// Sums of a log's records; false when it has a hole.
inline bool SumLog(const CXProbDataObject& log, uint32_t* pCount, uint32_t* pTotal)
{
    *pCount = *pTotal = 0;
    for (uint32_t i = 0; i < log.GetSize(); ++i) {
        const CXProbDataInfo* p = log.GetAt(i);
        if (!p)
            return false;
        ++*pCount;
        *pTotal += p->m_wTotalWin;
    }
    return true;
}
