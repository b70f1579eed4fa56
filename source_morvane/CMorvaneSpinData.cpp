#include "CMorvaneSpinData.h"

#include <cstring>

namespace {

// Every field in record order with its byte offset; one table serves reading and writing.
template <class Record, class Visit>
void ForEachField(Record& r, Visit visit)
{
    for (int i = 0; i < 4; ++i)
        visit(0 + 4 * i, r.Array[i]);
    for (int i = 0; i < 3; ++i)
        visit(16 + 4 * i, r.Win[i]);
    for (int i = 0; i < 3; ++i)
        visit(28 + 4 * i, r.Free[i]);
    visit(40, r.SmokeCount);
    visit(44, r.nWinAmount);
    visit(48, r.WinMark);
    visit(52, r.PerformanceCue);
    visit(56, r.RateScore);
    visit(60, r.CountedWin);
    visit(64, r.Allbarrand);
    visit(68, r.FeverSpin);
    visit(72, r.ImsiFeverSpin);
    visit(76, r.FeverSpinStart);
    visit(80, r.FeverTime);
    visit(84, r.FeverCue);
    visit(88, r.FeverStop);
    for (int i = 0; i < 4; ++i)
        visit(92 + 4 * i, r.FeverReel[i]);
    visit(108, r.nRand);
    visit(112, r.FeverStopCue);
    visit(116, r.SpinCue);
    visit(120, r.Reserved120);
    visit(124, r.FeverDrawMode);
    visit(128, r.CaptionCue);
    visit(132, r.jackValue);
    visit(136, r.MoFever);
    visit(140, r.MoSumState);
    visit(144, r.FeverCue2);
    visit(148, r.PerformanceBlock);
    visit(152, r.nReelSet);
    visit(156, r.Seriescount);
    visit(160, r.Reserved160);
    visit(164, r.WinHave);
    visit(168, r.WinHaveFlag);
    visit(172, r.jackpottrue);
    visit(176, r.CaptionMode);
    visit(180, r.FireStage);
    visit(184, r.FireCase);
    visit(188, r.FireCount);
    visit(192, r.FireValue);
}

}  // namespace

bool ReadMorvaneSpinData(const uint8_t* data, size_t size, CMorvaneSpinData& out)
{
    CMorvaneSpinData record;
    if (data) {
        ForEachField(record, [data, size](size_t offset, int32_t& field) {
            if (offset + 4 > size)
                return;
            field = static_cast<int32_t>(uint32_t(data[offset]) | uint32_t(data[offset + 1]) << 8 |
                                         uint32_t(data[offset + 2]) << 16 |
                                         uint32_t(data[offset + 3]) << 24);
        });
    }
    for (int32_t stop : record.Array)
        if (stop < 0 || stop > 22)
            return false;
    if (record.nReelSet < 0 || record.nReelSet > 2)
        return false;
    out = record;
    return true;
}

void WriteMorvaneSpinData(const CMorvaneSpinData& record, uint8_t (&out)[CMorvaneSpinData::kSize])
{
    std::memset(out, 0, sizeof out);
    ForEachField(record, [&out](size_t offset, const int32_t& field) {
        const uint32_t value = static_cast<uint32_t>(field);
        for (int i = 0; i < 4; ++i)
            out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    });
}
