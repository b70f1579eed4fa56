#pragma once
// The game's two setting files in its data folder, one decimal number each:
// "__AUTO_GIFT_COME_DISABLE__" (the automatic gift mode, 0 to 2) and "__HIGH_EFFECT_MODE__".
// Read at scene start, never written by this client.

#include <cstddef>
#include <cstdint>
#include <string>

struct CXSettingValues {
    int32_t iAutoGiftMode = 2;
    int32_t iHighEffectMode = 1;
};

class CXSettingFiles {
public:
    static constexpr int32_t kMaxAutoGiftMode = 2;
    // A setting file longer than this holds no number of ours and is ignored.
    static constexpr uint64_t kMaxFileSize = 64;

    // Reads both files of the folder (ending in '/'); a missing, oversized or unreadable file, or
    // one whose value is out of range, leaves that value as it was. Returns how many were taken.
    static int Load(const std::string& strFolder, CXSettingValues* pValues);

    // The number in a setting file's bytes: optional blanks and sign, then decimal digits.
    // False when there is no number or it does not fit 32 bits.
    static bool ParseValue(const void* pData, size_t nSize, int32_t* pValue);
};
