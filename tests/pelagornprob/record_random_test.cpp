// The event record's byte layout, and the engine's random draws.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CXProbDataInfo.h"
#include "prob_fixture.h"

namespace {

std::string Hex(const uint8_t* p, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

TEST(ProbRecord, FieldsSitAtTheirOffsetsLittleEndian)
{
    CXProbDataInfo r;
    r.m_dwMakeNo = 0x01020304;
    r.m_dwEventNo = 101;
    r.m_wLineWin[0] = 0x0102;
    r.m_wLineWin[1] = 1000;
    r.m_wLineWin[2] = 3;
    r.m_wTotalWin = 0x0405;
    r.m_byBlockStart = 1;
    r.m_byType = 7;
    const uint8_t stops[4] = {0x11, 0x12, 0x13, 0x14};
    std::memcpy(r.m_byStop, stops, 4);
    r.m_byHit[0][0] = 1;
    r.m_byHit[2][3] = 1;
    r.m_byReach = 3;
    r.m_byHighKind = 2;
    r.m_byHighTable = 9;
    r.m_bySymbol[2] = 12;
    r.m_byCount[1] = 4;
    r.m_byEdge[0] = 1;
    r.m_bySign = 3;
    r.m_byRai = 0x21;
    r.m_byThu = 0x22;
    r.m_byMO1 = 0x23;
    r.m_byMO2 = 0x24;
    r.m_byMN1 = 0x25;
    r.m_byMN2 = 0x26;
    r.m_byFOb = 0x27;
    r.m_byUnused54 = 0x28;
    r.m_byBGN = 0x29;
    r.m_byReserved[7] = 0xFF;

    uint8_t bytes[64];
    r.Write(bytes);
    EXPECT_EQ(Hex(bytes, 64), "04030201"
                              "65000000"
                              "0201"
                              "e803"
                              "0300"
                              "0504"
                              "01"
                              "07"
                              "11121314"
                              "01000000"
                              "00000000"
                              "00000001"
                              "03"
                              "02"
                              "09"
                              "00000c"
                              "000400"
                              "010000"
                              "03"
                              "21"
                              "22"
                              "23"
                              "24"
                              "25"
                              "26"
                              "27"
                              "28"
                              "29"
                              "00000000000000ff");

    CXProbDataInfo back;
    back.Read(bytes);
    uint8_t again[64];
    back.Write(again);
    EXPECT_EQ(0, std::memcmp(bytes, again, 64));
}

TEST(ProbRecord, CopyResultTakesOnlyTheResultBytes)
{
    uint8_t a[64], b[64];
    for (int i = 0; i < 64; ++i) {
        a[i] = uint8_t(i + 1);
        b[i] = uint8_t(200 + i / 2);
    }
    CXProbDataInfo target, source;
    target.Read(a);
    source.Read(b);
    target.CopyResult(source);
    uint8_t out[64];
    target.Write(out);
    for (int i = 0; i < 64; ++i) {
        const bool fromSource = (i >= 8 && i <= 15) || (i >= 18 && i <= 34) || (i >= 37 && i <= 45);
        EXPECT_EQ(out[i], fromSource ? b[i] : a[i]) << "byte " << i;
    }
}

TEST(ProbRandom, RangeDrawsInEitherOrderAndTheFullRangeGivesAnyValue)
{
    ScriptedRandom random;
    RandomScope scope(&random);
    random.m_Queue = {0, 1, 2, 3, 4, 7};
    for (uint32_t expected : {2u, 3u, 4u, 5u, 2u, 5u})
        EXPECT_EQ(ProbRandomRange(5, 2), expected);
    random.m_Queue = {0xDEADBEEF, 0};
    EXPECT_EQ(ProbRandomRange(0, 0xFFFFFFFFu), 0xDEADBEEFu);
    EXPECT_EQ(ProbRandomRange(0xFFFFFFFFu, 0), 0u);
    random.m_Queue = {12345};
    EXPECT_EQ(ProbRandomRange(9, 9), 9u);
}

TEST(ProbRandom, ChanceAndPercentWindows)
{
    ScriptedRandom random;
    RandomScope scope(&random);
    struct Case {
        uint32_t a, b, raw;  // the draw is 1 + raw mod b
        bool pass;
    };
    const Case chances[] = {
        {0, 100, 49, false},  {101, 100, 49, false}, {100, 100, 99, true}, {100, 100, 0, true},
        {3, 3, 0, true},      {3, 3, 1, true},       {3, 3, 2, false},     {10, 100, 44, true},
        {10, 100, 43, false}, {10, 100, 54, true},   {10, 100, 55, false},
    };
    for (const Case& c : chances) {
        random.m_Queue = {c.raw};
        EXPECT_EQ(ProbChance(c.a, c.b), c.pass) << c.a << " in " << c.b << " raw " << c.raw;
    }
    const Case percents[] = {
        {0, 0, 49, false}, {101, 0, 49, false}, {100, 0, 0, true}, {100, 0, 99, true},
        {1, 0, 49, true},  {1, 0, 50, false},   {99, 0, 0, true},  {99, 0, 99, false},
    };
    for (const Case& c : percents) {
        random.m_Queue = {c.raw, c.raw};
        EXPECT_EQ(ProbPercent(c.a), c.pass) << c.a << "% raw " << c.raw;
    }
}

}  // namespace
