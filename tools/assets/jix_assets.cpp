// The Jix placeholders: one labelled PNG per image-list slot and one short tone per sound-table
// row. The opening and the plain backgrounds have the game's picture size; the long animation
// runs are small, so that a game loads its 1755 images quickly. Names come from the game's own
// tables.
#include "jix_assets.h"

#include <cstdio>

#include "JixImageList.h"
#include "JixSoundTable.h"
#include "placeholder_image.h"
#include "wave_tone.h"

namespace {

struct JixLook {
    int first, last;  // slots
    int width, height;
    uint32_t fill;
};

// Later rows win; slots no row names are 64 x 64 grey.
const JixLook kLooks[] = {
    {1, 8, 1280, 768, 0xFF203048},   // opening, plain backgrounds
    {9, 20, 320, 192, 0xFF283858},   // "trans" and "dark_moon" backgrounds
    {21, 22, 420, 60, 0xFFC08020},   // insert coin
    {23, 23, 200, 100, 0xFFD0D0E0},  // cloud
    {24, 35, 40, 40, 0xFFE0C040},    // coin frames
    {36, 42, 520, 420, 0xFF806030},  // reel frames and titles
    {43, 77, 300, 60, 0xFF6A3A8A},   // presentation titles
    {78, 85, 60, 40, 0xFF8A6A3A},      {86, 86, 12, 20, 0xFFE0E0E0},      // comma
    {87, 89, 80, 24, 0xFF3A5A8A},                                         // counter captions
    {90, 94, 120, 120, 0xFF602020},                                       // devil
    {95, 476, 62, 67, 0xFF7A5A2A},                                        // reel win animations
    {477, 571, 64, 64, 0xFFA04010},                                       // fire
    {572, 646, 100, 150, 0xFF2A6A3A},                                     // trees, bird, flags
    {655, 678, 120, 40, 0xFF4A4A6A},   {679, 689, 120, 130, 0xFFE0D0A0},  // reel symbols
    {690, 746, 60, 60, 0xFF3A7A7A},                                       // wheel pockets
    {747, 809, 190, 210, 0xFF2A2A4A},                                     // ticket-out pictures
    {810, 811, 16, 16, 0xFFC0C0C0},    {812, 891, 100, 150, 0xFF5A3A6A},  // character previews
    {892, 921, 24, 32, 0xFF202020},                                       // digits
    {922, 1676, 64, 64, 0xFF4A2A5A},    // character actions and the dragon
    {1677, 1733, 160, 96, 0xFF283848},  // background changes
    {1734, 1756, 62, 67, 0xFFB09030},   // win frame
};

PlaceholderImage LookOf(int slot)
{
    PlaceholderImage image{64, 64, 0xFF808080, false, std::to_string(slot)};
    for (const JixLook& look : kLooks)
        if (slot >= look.first && slot <= look.last) {
            image.width = look.width;
            image.height = look.height;
            image.fill = look.fill;
        }
    if (slot >= 892 && slot <= 921)
        image.label = std::to_string((slot - 892) % 10);
    else if (slot >= 679 && slot <= 689)
        image.label = JixImageName(slot).substr(5);  // after "Reel/"
    return image;
}

}  // namespace

int WriteJixAssets(const std::string& out)
{
    const std::string root = out + "/data_jix";
    int failures = 0;
    for (int slot = 0; slot < kJixImageSlots; ++slot) {
        const std::string name = JixImageName(slot);
        if (name.empty())
            continue;
        const std::string path = root + "/Graphic/" + name + ".png";
        if (!WritePlaceholderPNG(path, LookOf(slot))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    for (int i = 0; i <= kJixSoundRows; ++i) {
        const char* file = i < kJixSoundRows ? kJixSoundTable[i].pszFile : kJixScoreCountFile;
        const std::string path = root + "/Sound/" + file;
        // Each row its own pitch, so a listener can tell them apart.
        if (!WriteToneWAV(path, 330.0 + 20.0 * i, i < kJixSoundRows ? 0.15 : 0.5)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures;
}
