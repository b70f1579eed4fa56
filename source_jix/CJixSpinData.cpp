#include "CJixSpinData.h"

#include <iterator>

#include "JixReelStrips.h"

namespace {

// Every field in block order, so reading and writing walk one list.
template <class F>
void ForEachField(CJixSpinData& data, F&& visit)
{
    int32_t* const aSingles1[] = {&data.WinSum,     &data.SpecialMode,   &data.TotalWin,
                                  &data.BigWinFlag, &data.ScoreAfterWin, &data.PreviewStage};
    for (int32_t* p : aSingles1)
        visit(*p);
    for (int32_t& v : data.ReelStop)
        visit(v);
    int32_t* const aSingles2[] = {&data.ShownWin, &data.PendingWin, &data.SavedScore,
                                  &data.PresentationLength};
    for (int32_t* p : aSingles2)
        visit(*p);
    for (int32_t& v : data.Mid)
        visit(v);
    for (int32_t& v : data.Win)
        visit(v);
    for (int32_t& v : data.Series)
        visit(v);
    for (int32_t& v : data.Fever)
        visit(v);
    for (int32_t& v : data.Hint)
        visit(v);
    visit(data.EventKind);
    visit(data.ActionJix);
}

}  // namespace

bool CJixSpinData::Read(const uint8_t* pData, size_t nSize)
{
    if (!pData || nSize < kSize)
        return false;
    size_t nAt = 0;
    ForEachField(*this, [&](int32_t& value) {
        const uint32_t u = uint32_t(pData[nAt]) | uint32_t(pData[nAt + 1]) << 8 |
                           uint32_t(pData[nAt + 2]) << 16 | uint32_t(pData[nAt + 3]) << 24;
        value = int32_t(u);
        nAt += 4;
    });
    return true;
}

void CJixSpinData::Write(uint8_t* pOut) const
{
    CJixSpinData copy = *this;
    size_t nAt = 0;
    ForEachField(copy, [&](int32_t& value) {
        const uint32_t u = uint32_t(value);
        for (int i = 0; i < 4; ++i)
            pOut[nAt + i] = uint8_t(u >> (8 * i));
        nAt += 4;
    });
}

bool CJixSpinData::RangeCheck()
{
    bool bCorrected = false;
    for (int32_t& nStop : ReelStop)
        if (nStop < 0 || nStop >= kJixStops) {
            nStop = 0;
            bCorrected = true;
        }
    if (Hint[6] < 0 || Hint[6] >= kJixStripSets) {
        Hint[6] = 0;
        bCorrected = true;
    }
    return bCorrected;
}
