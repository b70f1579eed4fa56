#pragma once
// The Jix image list: which PNG file of the "Graphic" folder fills each of the 1757 sprite slots.
// The loader and the placeholder generator both read this table, so names cannot drift.

#include <cstdint>
#include <string>

constexpr int kJixImageSlots = 1757;

// A run of consecutive slots: either a list of names, one per slot, or one name pattern with a
// single integer conversion that takes consecutive frame numbers from nFirstFrame.
struct JixImageRun {
    int16_t nFirstSlot;
    int16_t nCount;
    const char* pszPattern;  // null for a list of names
    int16_t nFirstFrame;
    const char* const* ppNames;  // nCount names, or null for a pattern
};

// The runs in slot order; slots 0 and 4 belong to no run.
const JixImageRun* JixImageRuns(int* pCount);

// The image name of a slot ("" for a slot that no image fills or one out of range).
std::string JixImageName(int nSlot);
