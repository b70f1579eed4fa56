#pragma once
// The Morvane game's images: every set of sprite slots with its file names (relative to the data
// folder, without extension), the loader that reads it and the size its pictures are drawn at.
// The loaders and the placeholder generator read this one table.

#include <cstdint>
#include <string>

enum class MorvaneImageLoader : int32_t { Game, DoubleGame, Effect, Animation, Setting };

enum class MorvaneImageSet : int32_t {
    // LoadGameImages
    Symbols,
    Panels,
    SmallDigits,
    MainPanels,
    Messages,
    SeriesMarks,
    FeverNumbers,
    Multipliers,
    HighlightedSymbols,
    BigSymbols,
    CoinAndTicket,
    // LoadDoubleGameImages
    DoubleDance,
    DoubleX2,
    DoubleX2C,
    DoubleSetA,
    DoubleSetB,
    DoubleSetC,
    // LoadEffectImages
    Neon,
    Gun,
    Light,
    Firework512,
    Firework400,
    Firework240,
    Firework304,
    Firework320,
    JackpotStars,
    JackpotGirlStrip,
    JackpotBanner,
    Dance,
    JackpotGirl,
    Fire,
    // LoadAnimationImages
    Horse,
    Yang,
    LightBoom,
    LightItems,
    FireFrames,
    Curtain,
    Stones,
    KeyAndLock,
    StoneBursts,
    // CButtonSinHo::LoadImages
    Setting,
    Count
};

// One named picture with its placeholder size.
struct MorvaneImageName {
    const char* pszName;
    int16_t nWidth;
    int16_t nHeight;
};

struct MorvaneImageSetDef {
    MorvaneImageSet eSet;
    MorvaneImageLoader eLoader;
    // Numbered sets: a format with one integer conversion, `nCount` files numbered from `nFirst`
    // by `nStep` (-1 loads a set in reverse). Named sets: `pNames`, `nCount` entries.
    const char* pszFormat;
    const MorvaneImageName* pNames;
    int32_t nCount;
    int32_t nFirst;
    int32_t nStep;
    int16_t nWidth;  // placeholder size of a numbered set's pictures
    int16_t nHeight;
};

extern const MorvaneImageSetDef g_MorvaneImageSets[static_cast<int>(MorvaneImageSet::Count)];

// Sets lie in consecutive sprite slots in table order.
int32_t MorvaneImageSlot(MorvaneImageSet set, int32_t index = 0);
int32_t MorvaneImageSlotCount();

// The file name of picture `index` of a set (without folder and extension).
std::string MorvaneImageFile(const MorvaneImageSetDef& def, int32_t index);
// Placeholder size of picture `index`.
void MorvaneImageSize(const MorvaneImageSetDef& def, int32_t index, int* width, int* height);

// Index of a setting-screen picture by its name under "image/config/" (-1 when there is none).
int32_t MorvaneSettingImage(const char* name);
