// Line evaluation, the near-win test and the wild count, on strips where stop s shows symbol s.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "prob_fixture.h"

namespace {

// Stops that put the four symbols on the row (strips 0..12: row L of stop s shows s + L).
CXProbDataInfo RowOf(uint32_t row, std::array<uint8_t, 4> symbols)
{
    CXProbDataInfo r;
    for (int i = 0; i < 4; ++i)
        r.m_byStop[i] = uint8_t((symbols[i] + 13 - row) % 13);
    return r;
}

std::string Describe(uint32_t row, std::array<uint8_t, 4> s)
{
    return "row " + std::to_string(row) + ": " + std::to_string(s[0]) + " " + std::to_string(s[1]) +
           " " + std::to_string(s[2]) + " " + std::to_string(s[3]);
}

TEST(ProbLine, EvaluateLineRulesEdgeBonusHalvingAndReach)
{
    CXProb prob;
    SetIdentityStrips(prob);
    struct Case {
        uint32_t row;
        std::array<uint8_t, 4> symbols;
        uint16_t win;
        uint8_t count, symbol, edge;
        std::array<uint8_t, 4> hit;
        uint8_t reach;
    };
    const Case cases[] = {
        // a: four of a kind, wilds standing in; four wilds pay 20000, halved off the middle row.
        {1, {12, 12, 12, 12}, 20000, 4, 12, 0, {1, 1, 1, 1}, 0},
        {0, {12, 12, 12, 12}, 10000, 4, 12, 0, {1, 1, 1, 1}, 0},
        {2, {9, 12, 9, 9}, 10000, 4, 9, 0, {1, 1, 1, 1}, 0},
        // b, c: three wilds and a symbol that pays for four at the other end.
        {1, {12, 12, 12, 5}, 5000, 4, 5, 0, {1, 1, 1, 1}, 0},
        {1, {3, 12, 12, 12}, 2000, 4, 3, 0, {1, 1, 1, 1}, 0},
        // Three wilds beside a symbol that does not pay for four pay as three of symbol 10.
        {1, {0, 12, 12, 12}, 15000, 3, 10, 0, {0, 1, 1, 1}, 0},
        // d, e: three of a kind from either end, with the symbol-1 edge bonus at the other end.
        {1, {5, 5, 5, 1}, 1100, 3, 5, 1, {1, 1, 1, 1}, 0},
        {0, {5, 5, 5, 1}, 550, 3, 5, 1, {1, 1, 1, 1}, 0},
        {1, {0, 8, 8, 8}, 3000, 3, 8, 0, {0, 1, 1, 1}, 0},
        {1, {1, 8, 12, 8}, 3100, 3, 8, 1, {1, 1, 1, 1}, 0},
        {1, {1, 1, 1, 0}, 500, 3, 1, 0, {1, 1, 1, 0}, 0},
        // f: symbol 1 in pairs and alone at the edges; wilds do not stand in for it.
        {1, {1, 1, 0, 1}, 400, 2, 1, 1, {1, 1, 0, 1}, 0},
        {0, {1, 1, 0, 1}, 200, 2, 1, 1, {1, 1, 0, 1}, 0},
        {1, {0, 0, 1, 1}, 300, 2, 1, 0, {0, 0, 1, 1}, 0},
        {1, {1, 0, 1, 1}, 400, 2, 1, 1, {1, 0, 1, 1}, 0},
        {1, {1, 0, 0, 0}, 100, 1, 1, 0, {1, 0, 0, 0}, 0},
        {2, {1, 0, 0, 0}, 50, 1, 1, 0, {1, 0, 0, 0}, 0},
        {1, {0, 0, 0, 1}, 100, 1, 1, 0, {0, 0, 0, 1}, 0},
        {1, {1, 0, 0, 1}, 200, 1, 1, 1, {1, 0, 0, 1}, 0},
        {1, {12, 1, 0, 0}, 0, 0, 0, 0, {0, 0, 0, 0}, 0},
        // Reach: three of four on the middle row without a win; symbols 1 to 5 give no mark.
        {1, {7, 0, 7, 7}, 0, 0, 7, 0, {0, 0, 0, 0}, 2},
        {1, {7, 7, 0, 7}, 0, 0, 7, 0, {0, 0, 0, 0}, 3},
        {1, {6, 12, 0, 6}, 0, 0, 6, 0, {0, 0, 0, 0}, 3},
        {1, {3, 0, 3, 3}, 0, 0, 0, 0, {0, 0, 0, 0}, 0},
        {0, {7, 7, 0, 7}, 0, 0, 0, 0, {0, 0, 0, 0}, 0},
        // Two neighbouring wilds rule the reach out.
        {1, {12, 12, 0, 7}, 0, 0, 0, 0, {0, 0, 0, 0}, 0},
        {1, {0, 11, 2, 3}, 0, 0, 0, 0, {0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        CXProbDataInfo r = RowOf(c.row, c.symbols);
        prob.EvaluateLine(&r, c.row);
        const std::string what = Describe(c.row, c.symbols);
        EXPECT_EQ(r.m_wLineWin[c.row], c.win) << what;
        EXPECT_EQ(r.m_byCount[c.row], c.count) << what;
        EXPECT_EQ(r.m_bySymbol[c.row], c.symbol) << what;
        EXPECT_EQ(r.m_byEdge[c.row], c.edge) << what;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(r.m_byHit[c.row][i], c.hit[i]) << what << " reel " << i + 1;
        EXPECT_EQ(r.m_byReach, c.reach) << what;
    }
}

TEST(ProbLine, EvaluateLineClearsWhatAnEarlierEvaluationLeft)
{
    CXProb prob;
    SetIdentityStrips(prob);
    CXProbDataInfo r = RowOf(1, {12, 12, 12, 12});
    prob.EvaluateLine(&r, 1);
    const CXProbDataInfo lose = RowOf(1, {0, 2, 3, 4});
    std::memcpy(r.m_byStop, lose.m_byStop, 4);
    prob.EvaluateLine(&r, 1);
    EXPECT_EQ(r.m_wLineWin[1], 0);
    EXPECT_EQ(r.m_byCount[1], 0);
    EXPECT_EQ(r.m_bySymbol[1], 0);
    EXPECT_EQ(r.m_byHit[1][0] + r.m_byHit[1][1] + r.m_byHit[1][2] + r.m_byHit[1][3], 0);
}

TEST(ProbLine, FindReachAndCountWilds)
{
    CXProb prob;
    SetIdentityStrips(prob);
    CXProbDataInfo r = RowOf(1, {4, 0, 4, 4});
    uint8_t symbol = 0, code = 0;
    ASSERT_TRUE(prob.FindReach(&r, &symbol, &code));
    EXPECT_EQ(symbol, 4);
    EXPECT_EQ(code, 2);
    r.m_wLineWin[1] = 300;  // a middle row that already won has no reach
    EXPECT_FALSE(prob.FindReach(&r, &symbol, &code));

    struct Case {
        std::array<uint8_t, 4> symbols;
        uint32_t wilds;
    };
    for (const Case& c :
         {Case{{12, 12, 0, 12}, 2}, Case{{0, 0, 0, 12}, 0}, Case{{12, 12, 12, 12}, 3}}) {
        const CXProbDataInfo w = RowOf(2, c.symbols);
        EXPECT_EQ(prob.CountWilds(&w, 2), c.wilds) << Describe(2, c.symbols);
    }
}

TEST(ProbLine, AnEmptyStripGivesStopZeroAndTheDefaultSymbol)
{
    CXProb prob;
    SetIdentityStrips(prob);
    prob.m_Reel[2].DeleteAll();
    EXPECT_EQ(prob.GetSymbol(2, 7, 1), 0);
    ScriptedRandom random(3);
    RandomScope scope(&random);
    CXProbDataObject log;
    ASSERT_TRUE(log.m_Records.SetSize(1, 1));
    ASSERT_TRUE(prob.AddReelInfoFromRandom(&log, 0, false));
    EXPECT_EQ(log.GetAt(0)->m_byStop[2], 0);
    EXPECT_EQ(log.GetAt(0)->m_byType, CXProbDataInfo::TYPE_RANDOM);
}

TEST(ProbLine, PayTableCorners)
{
    EXPECT_EQ(CXProb::GetPay(4, 12), 20000);
    EXPECT_EQ(CXProb::GetPay(3, 12), 0);
    EXPECT_EQ(CXProb::GetPay(3, 10), 15000);
    EXPECT_EQ(CXProb::GetPay(1, 1), 100);
    EXPECT_EQ(CXProb::GetPay(0, 1), 0);
    EXPECT_EQ(CXProb::GetPay(5, 1), 0);
    EXPECT_EQ(CXProb::GetPay(4, 13), 0);
}

}  // namespace
