#include "MachineTable.h"

CMachineTable g_MachineTable;

void CMachineTable::Reset()
{
    for (CMachineState& row : m_aRows)
        row = CMachineState{};
}

CMachineState* CMachineTable::FindByIndex(int32_t nIndex)
{
    for (CMachineState& row : m_aRows)
        if (row.m_nIndex == nIndex)
            return &row;
    return nullptr;
}

CMachineState* CMachineTable::Find(int32_t nGameType, int32_t nMachineNo)
{
    if (nMachineNo == 0)
        return nullptr;
    for (CMachineState& row : m_aRows)
        if (row.m_nGameType == nGameType && row.m_nMachineNo == nMachineNo)
            return &row;
    return nullptr;
}
