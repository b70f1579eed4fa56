#include "data_tree.h"

#include <cstdio>

#include "placeholder_image.h"
#include "wave_tone.h"

namespace {

struct Group {
    const char* folder;
    int count;
    bool sound;
    uint32_t fill;
};

// Folder, file count, kind; the counts add up to kPelagornPlaceholderFiles.
constexpr Group kGroups[] = {
    {"image/placeholder/BACK", 100, false, 0xFF203040},
    {"image/placeholder/COIN", 400, false, 0xFFC0A020},
    {"image/placeholder/EFFECT", 800, false, 0xFF8040C0},
    {"image/placeholder/ITEM", 600, false, 0xFF40A060},
    {"image/placeholder/NUMBER", 300, false, 0xFFE0E0E0},
    {"image/placeholder/REEL", 307, false, 0xFFA04040},
    {"sound/placeholder", 100, true, 0},
};

constexpr int TotalFiles()
{
    int total = 0;
    for (const Group& g : kGroups)
        total += g.count;
    return total;
}
static_assert(TotalFiles() == kPelagornPlaceholderFiles);

}  // namespace

int WritePelagornPlaceholders(const std::string& out)
{
    int failures = 0;
    for (const Group& group : kGroups) {
        for (int i = 0; i < group.count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, group.sound ? "%s/snd_%04d.wav" : "%s/img_%04d.png",
                          group.folder, i);
            const std::string path = out + "/DATA_PELAGORN/" + name;
            const bool ok =
                group.sound
                    ? WriteToneWAV(path, 440.0 + 10.0 * i, 0.05)
                    : WritePlaceholderPNG(path, PlaceholderImage{8, 8, group.fill, false, ""});
            if (!ok) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                ++failures;
            }
        }
    }
    return failures;
}
