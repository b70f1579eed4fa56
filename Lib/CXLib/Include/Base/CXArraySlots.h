#pragma once
// Slot-array rules shared by CXArrayTmpl and CXArrayExTmpl.

#include <cstdint>
#include <cstring>

// The capacity a store at dwIndex needs: one grow step more than now (a step of 0 counts as 1),
// or just enough to cover the index when one step falls short. dwIndex must be below UINT32_MAX.
inline uint32_t CXArrayCapacityFor(uint32_t dwIndex, uint32_t dwMaxSize, uint32_t dwGrowStep)
{
    const uint32_t dwWanted = dwMaxSize + (dwGrowStep ? dwGrowStep : 1);
    return dwWanted <= dwIndex || dwWanted < dwMaxSize ? dwIndex + 1 : dwWanted;
}

// Moves the slots of the old array to the front of ppNew (dwCapacity slots), frees the old array
// and makes ppNew the array.
template <class Slot>
void CXArrayAdoptSlots(Slot**& ppArray, uint32_t& dwMaxSize, Slot** ppNew, uint32_t dwCapacity)
{
    if (dwMaxSize)
        std::memcpy(ppNew, ppArray, sizeof(Slot*) * dwMaxSize);
    delete[] ppArray;
    ppArray = ppNew;
    dwMaxSize = dwCapacity;
}

// Frees the slot array after its slots were deleted, and resets size, capacity and grow step.
template <class Slot>
void CXArrayResetSlots(Slot**& ppArray, uint32_t& dwSize, uint32_t& dwMaxSize, uint32_t& dwGrowStep)
{
    delete[] ppArray;
    ppArray = nullptr;
    dwSize = dwMaxSize = 0;
    dwGrowStep = 4;
}
