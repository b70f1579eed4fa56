#pragma once
// A protocol client that hands each Morvane answer to one game's link, as the program's protocol
// object does for the game it finds by the machine key.

#include "CMorvaneMain.h"
#include "MachineTable.h"
#include "NetworkClient.h"

namespace morvane_test {

// A machine table holding only this machine, in the first row, as the lobby's list leaves it.
inline void SeatMorvaneMachine(uint8_t kind, uint16_t machineNo)
{
    g_MachineTable.Reset();
    CMachineState& row = g_MachineTable.m_aRows[0];
    row.m_nIndex = 0;
    row.m_nGameType = kind;
    row.m_nMachineNo = machineNo;
}

class MorvaneAnswerClient : public NetworkClient {
public:
    explicit MorvaneAnswerClient(CMorvaneMain& main) : m_Main(main) {}
    ~MorvaneAnswerClient() override { Close(); }

protected:
    void OnMorvaneEnter(int32_t, int32_t, const uint8_t* record) override
    {
        m_Main.GetLink().OnAnsEnter(record, CMorvaneSpinData::kSize);
    }
    void OnMorvaneCoinIn(int32_t result, int32_t, int32_t) override
    {
        m_Main.GetLink().OnAnsCoinIn(result == 0);
    }
    void OnMorvaneSpinData(int32_t, int32_t, bool granted, const uint8_t* record) override
    {
        m_Main.GetLink().OnAnsSpinData(granted, record, CMorvaneSpinData::kSize);
    }
    void OnMorvaneSpinEnd(int32_t, int32_t, bool ok) override { m_Main.GetLink().OnAnsSpinEnd(ok); }
    void OnMorvaneTicketOut(int32_t, int32_t, int32_t result) override
    {
        m_Main.GetLink().OnAnsTicketOut(result != 0);
    }
    void OnMorvaneGameFin(int32_t, int32_t, bool ok) override { m_Main.GetLink().OnAnsGameFin(ok); }
    void OnMorvanePerformanceValue(int32_t, int32_t, uint32_t index, int32_t value, int32_t flag,
                                   uint32_t amount) override
    {
        m_Main.GetLink().OnAnsPerformanceValue(index, value, flag, int32_t(amount));
    }

private:
    CMorvaneMain& m_Main;
};

}  // namespace morvane_test
