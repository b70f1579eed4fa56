#pragma once
// Stand-ins around the Morvane game state: a host, a request recorder, and an IO that records
// draws and sounds and holds the clock.

#include <cstdint>
#include <string>
#include <vector>

#include "CMorvaneIO.h"
#include "CMorvaneMain.h"
#include "CMorvaneOwner.h"
#include "CMorvaneSender.h"

namespace morvane_test {

class FakeOwner : public CMorvaneOwner {
public:
    FakeOwner(int32_t kind = 2, int32_t machineNo = 7, bool standalone = false)
        : m_nKind(kind), m_nMachineNo(machineNo), m_bStandalone(standalone)
    {}

    int32_t GetMorvaneKind() const override { return m_nKind; }
    int32_t GetMorvaneMachineNo() const override { return m_nMachineNo; }
    bool IsMorvaneStandalone() const override { return m_bStandalone; }
    void SetMorvaneActive() override { m_bActive = true; }
    void AddMorvaneTotals(int64_t bet, int64_t win) override
    {
        m_nBetTotal += bet;
        m_nWinTotal += win;
    }
    void AddMorvaneMoneyInserted(int64_t amount) override { m_nInserted += amount; }
    void ClearMorvaneTotals() override { m_nBetTotal = m_nWinTotal = m_nInserted = 0; }

    int32_t m_nKind;
    int32_t m_nMachineNo;
    bool m_bStandalone;
    bool m_bActive = false;
    int64_t m_nBetTotal = 0;
    int64_t m_nWinTotal = 0;
    int64_t m_nInserted = 0;
};

class RecordingSender : public CMorvaneSender {
public:
    bool Send(MorvaneRequest request, uint8_t kind, uint16_t machineNo) override
    {
        m_Sent.push_back(request);
        m_nKind = kind;
        m_nMachineNo = machineNo;
        return m_bAccept;
    }
    bool SendPerformanceValue(uint8_t kind, uint16_t machineNo, uint32_t stage,
                              uint8_t choice) override
    {
        m_Values.push_back({stage, choice});
        return Send(MorvaneRequest::PerformanceValue, kind, machineNo);
    }
    struct Value {
        uint32_t stage;
        uint8_t choice;
    };
    std::vector<MorvaneRequest> m_Sent;
    std::vector<Value> m_Values;
    bool m_bAccept = true;
    int m_nKind = -1;
    int m_nMachineNo = -1;
};

struct DrawCall {
    int32_t slot;
    float x, y;
    MorvaneRect source;
};

struct TextCall {
    std::string text;
    int32_t x, y;
    uint32_t argb;
};

class RecordingIO : public CMorvaneIO {
public:
    uint32_t Now() override { return m_dwNow; }
    void DrawImage(int32_t slot, CX2DSprite*, float x, float y, const MorvaneRect& source) override
    {
        m_Draws.push_back({slot, x, y, source});
    }
    void DrawText(const char* text, int32_t x, int32_t y, int32_t, uint32_t argb) override
    {
        m_LastText = text ? text : "";
        m_dwLastColour = argb;
        m_Texts.push_back({m_LastText, x, y, argb});
    }
    void PlaySound(int32_t row, CXSound*, bool loop) override
    {
        m_Played.push_back(row);
        if (loop)
            m_Looped.push_back(row);
    }
    void StopSound(int32_t row, CXSound*) override { m_Stopped.push_back(row); }
    void PowerOff() override { ++m_nPowerOffs; }
    // A sprite pool that refuses stands in for one that has run out.
    CX2DSprite* NewSprite() override
    {
        return m_bRefuseSprites ? nullptr : CMorvaneIO::NewSprite();
    }

    uint32_t m_dwNow = 100000;
    std::vector<DrawCall> m_Draws;
    std::vector<int32_t> m_Played;
    std::vector<int32_t> m_Looped;
    std::vector<int32_t> m_Stopped;
    std::vector<TextCall> m_Texts;
    std::string m_LastText;
    uint32_t m_dwLastColour = 0;
    int m_nPowerOffs = 0;
    bool m_bRefuseSprites = false;
};

inline int Count(const std::vector<MorvaneRequest>& sent, MorvaneRequest request)
{
    int n = 0;
    for (MorvaneRequest r : sent)
        n += r == request;
    return n;
}

inline int Count(const std::vector<int32_t>& rows, int32_t row)
{
    int n = 0;
    for (int32_t r : rows)
        n += r == row;
    return n;
}

}  // namespace morvane_test
