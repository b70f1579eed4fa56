#include "CDemoTimer.h"

#include "JixClock.h"

void CDemoTimer::Arm(int nSlot, uint32_t dwUnitMs)
{
    if (nSlot < 0 || nSlot >= kSlots)
        return;
    m_aSlot[nSlot].dwStart = JixTimeGetTime();
    m_aSlot[nSlot].dwUnit = dwUnitMs ? dwUnitMs : 1;
}

uint32_t CDemoTimer::Elapsed(int nSlot) const
{
    if (nSlot < 0 || nSlot >= kSlots)
        return 0;
    return (JixTimeGetTime() - m_aSlot[nSlot].dwStart) / m_aSlot[nSlot].dwUnit;
}
