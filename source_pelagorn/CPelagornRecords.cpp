#include "CPelagornRecords.h"

#include <cstring>

namespace {

// Reads fields out of n bytes; a field not wholly inside them is left as it was.
class FieldReader {
public:
    FieldReader(const uint8_t* p, size_t n) : m_p(p), m_n(p ? n : 0) {}

    bool Has(size_t offset, size_t width) const { return offset + width <= m_n; }
    void I32(size_t offset, int32_t& out) const
    {
        if (Has(offset, 4))
            out = static_cast<int32_t>(U32At(offset));
    }
    void U32(size_t offset, uint32_t& out) const
    {
        if (Has(offset, 4))
            out = U32At(offset);
    }
    void U8(size_t offset, uint8_t& out) const
    {
        if (Has(offset, 1))
            out = m_p[offset];
    }
    const uint8_t* At(size_t offset) const { return m_p + offset; }

private:
    uint32_t U32At(size_t offset) const
    {
        return static_cast<uint32_t>(m_p[offset]) | static_cast<uint32_t>(m_p[offset + 1]) << 8 |
               static_cast<uint32_t>(m_p[offset + 2]) << 16 |
               static_cast<uint32_t>(m_p[offset + 3]) << 24;
    }

    const uint8_t* m_p;
    size_t m_n;
};

}  // namespace

void CPelagornResultState::Read(const uint8_t* p)
{
    const FieldReader r(p, kSize);
    std::memcpy(abyHead, p, sizeof abyHead);
    r.U8(4, byResultType);
    for (int i = 0; i < 4; ++i)
        r.I32(5 + 4 * i, aiReelStop[i]);
    for (int i = 0; i < 3; ++i)
        r.I32(21 + 4 * i, aiLineWin[i]);
    r.I32(33, iTotalWin);
    r.I32(37, iPrizeEffect);
    for (int i = 0; i < 3; ++i)
        std::memcpy(abyReelMark[i], p + 41 + 4 * i, 4);
    r.U8(53, byReach);
    r.I32(54, iReachReel);
    r.I32(58, iReachStop);
    r.I32(62, iMiddleWin);
    wUnused64 = static_cast<uint16_t>(p[64] | p[65] << 8);
    r.U8(66, byReelPrizeMode);
}

void CPelagornEnterRecord::Read(const uint8_t* p, size_t n)
{
    const FieldReader r(p, n);
    bComplete = r.Has(0, kSize);
    r.I32(0, iCredit);
    r.I32(4, iGift);
    r.I32(8, iSpin);
    r.I32(12, iCoinThreshold);
    r.I32(16, iGiftMaximum);
    r.I32(20, iGiftUnit);
    r.I32(24, iGiftOutLimit);
    for (int i = 0; i < 3; ++i)
        r.I32(28 + 4 * i, aiUnused28[i]);
    r.I32(40, iOilMaximum);
    r.I32(44, iLOil);
    r.I32(48, iROil);
    r.I32(52, iCommGift);
    r.I32(56, iGiftSendCount);
    r.I32(60, iShakeAmplitude);
    r.I32(64, iUnused64);
    for (int i = 0; i < 3; ++i)
        r.I32(68 + 4 * i, aiCabinetRule[i]);
    r.I32(80, iHighPrizeRepeat);
    r.I32(84, iCabinetRule84);
    r.U8(88, byType4Effect);
    r.I32(89, iHighEffectMode);
    r.I32(93, iHighPrizeKind);
    r.I32(97, iHighPrizeMode);
    for (int i = 0; i < 4; ++i)
        r.I32(101 + 4 * i, aiReelStopLine[i]);
}

void CPelagornCoinDropRecord::Read(const uint8_t* p, size_t n)
{
    const FieldReader r(p, n);
    bComplete = r.Has(0, kSize);
    r.I32(0, iCredit);
    r.I32(4, iGift);
    r.U32(8, dwFromCredit);
}

void CPelagornItemRecord::Read(const uint8_t* p, size_t n)
{
    const FieldReader r(p, n);
    bComplete = r.Has(0, kSize);
    r.I32(0, iKind);
    r.I32(12, iCredit);
    r.I32(16, iGift);
    r.U8(20, byGiftReset);
    r.I32(21, iSpin);
    r.I32(25, iROil);
    r.I32(29, iLOil);
    r.I32(33, iValue);
    r.U8(37, byItemIndex);
    r.I32(38, iGiftAmount);
}

void CPelagornSpinRecord::Read(const uint8_t* p, size_t n)
{
    const FieldReader r(p, n);
    bComplete = r.Has(0, kSize);
    if (!bComplete) {
        // Only the meters can be taken from a short record; the blocks need all their bytes.
        r.I32(4, iCredit);
        r.I32(8, iGift);
        r.I32(12, iSpin);
        return;
    }
    std::memcpy(abyRaw, p, kSize);
    r.I32(4, iCredit);
    r.I32(8, iGift);
    r.I32(12, iSpin);
    r.I32(16, iHighPrizeKind);
    r.I32(20, iHighPrizeMode);
    r.I32(24, iStored24);
    state.Read(p + 32);
    lastEvent.Read(p + 99);
    event.Read(p + 163);
}

void CPelagornResultRecord::Read(const uint8_t* p, size_t n)
{
    const FieldReader r(p, n);
    bComplete = r.Has(0, kSize);
    // A short record carries no result: its status stays "no result".
    if (!bComplete)
        return;
    r.U8(0, byStatus);
    state.Read(p + 5);
    lastEvent.Read(p + 72);
    event.Read(p + 136);
}

void CPelagornTicketOutRecord::Read(const uint8_t* p, size_t n)
{
    const FieldReader r(p, n);
    bComplete = r.Has(0, kSize);
    r.I32(0, iCommGift);
    r.I32(4, iGiftSendCount);
    r.I32(8, iCredit);
    r.I32(12, iGift);
    r.I32(16, iSpin);
    r.I32(20, iROil);
    r.I32(24, iLOil);
}

void CPelagornGameFinRecord::Read(const uint8_t* p, size_t n)
{
    const FieldReader r(p, n);
    bComplete = r.Has(0, kSize);
    r.I32(0, iCredit);
    r.I32(4, iGift);
    r.I32(8, iSpin);
}
