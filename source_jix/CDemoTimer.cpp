#include "CDemoTimer.h"

void CDemoTimer::Arm(int nSlot, uint32_t dwUnitMs, uint32_t dwNow)
{
    if (nSlot < 0 || nSlot >= kSlots)
        return;
    m_aSlot[nSlot].dwStart = dwNow;
    m_aSlot[nSlot].dwUnit = dwUnitMs ? dwUnitMs : 1;
}

uint32_t CDemoTimer::Elapsed(int nSlot, uint32_t dwNow) const
{
    if (nSlot < 0 || nSlot >= kSlots)
        return 0;
    return (dwNow - m_aSlot[nSlot].dwStart) / m_aSlot[nSlot].dwUnit;
}
