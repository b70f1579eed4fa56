// Writes the placeholder resource tree the client loads: every UI image of the registry's table
// as a labelled PNG of a size its layout can use, the two UI font files (copied from installed
// fonts), the login sound, the placeholder trees the loading screen walks, the Jix and Morvane
// games' images and sounds (jix_assets.cpp, morvane_assets.cpp) and the Pelagorn game's data tree
// (pelagorn_assets.cpp).
//   uiassets <output folder> <folder of the installed Korean fonts>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "UIFontFiles.h"
#include "UIResTable.h"
#include "data_tree.h"
#include "jix_assets.h"
#include "morvane_assets.h"
#include "pelagorn_assets.h"
#include "placeholder_image.h"
#include "wave_tone.h"

namespace {

// Size and colour of a slot's pictures.
struct SlotLook {
    int first, last;  // slots
    int width, height;
    uint32_t fill;
    bool hollow = false;
};

// Sizes fit the places the screens put the pictures at, on the 1920x1080 screen, without covering
// a neighbouring control (the layout test in the application's tests checks this).
const SlotLook kSlotLooks[] = {
    {0, 0, 1920, 36, 0xFF303848},     // caption bar
    {1, 3, 26, 26, 0xFF5A6A8A},       // caption buttons, 10 px below the bar's top
    {4, 5, 160, 56, 0xFF3A7A3A},      // ok, cancel
    {6, 6, 740, 480, 0xFF2A3040},     // exit dialog
    {7, 8, 1920, 1080, 0xFF1A2030},   // title, loading background
    {9, 9, 548, 64, 0xFF404858},      // loading gauge frame, the percentage inside it
    {10, 10, 560, 400, 0xFF283848},   // login panel, from y 676 down to the screen's bottom
    {11, 11, 200, 60, 0xFF3A6A9A},    // login button
    {12, 12, 40, 40, 0xFF9A3A3A},     // close button
    {13, 22, 96, 32, 0xFF3A5A8A},     // lobby buttons, about 120 px apart
    {23, 23, 48, 48, 0xFF5A5A8A},     // volume switches, above the money label
    {24, 26, 180, 80, 0xFF6A4A2A},    // large deck buttons
    {27, 29, 120, 56, 0xFF6A4A2A},    // small deck buttons
    {30, 31, 64, 64, 0xFF4A6A4A},     // move buttons
    {32, 32, 578, 118, 0xFF2A2A3A},   // back line under large decks
    {33, 34, 382, 382, 0xFF202838},   // chat and info panels under small decks
    {35, 35, 1400, 880, 0xFF242C3C},  // machine selection
    {36, 39, 140, 56, 0xFF4A5A7A},    // game tabs
    {40, 43, 240, 72, 0xFF4A6A7A},    // channel buttons
    {44, 47, 110, 100, 0xFF5A6A5A},   // machine buttons
    {48, 48, 24, 32, 0xFFE0E0E0},     // digit glyphs
    {49, 49, 1000, 720, 0xFF2C3444},  // game explanation
    {50, 52, 140, 56, 0xFF4A5A7A},    // explanation tabs
    {53, 53, 900, 660, 0xFF2C3444},   // reservation list
    {54, 54, 160, 56, 0xFF3A7A3A},
    {55, 55, 1880, 900, 0xFF2C3444},  // machine information
    {57, 57, 960, 760, 0xFF2C3444},   // exchange
    {58, 58, 160, 56, 0xFF3A7A3A},
    {59, 59, 960, 760, 0xFF2C3444},  // charge
    {60, 61, 160, 56, 0xFF3A7A3A},
    {62, 62, 960, 760, 0xFF2C3444},  // reserve machine
    {63, 63, 160, 56, 0xFF3A7A3A},
    {64, 64, 120, 40, 0xFF7A7A3A},
    {65, 65, 900, 600, 0xFF2C3444},  // inquiry
    {66, 67, 160, 56, 0xFF3A7A3A},
    {68, 68, 1000, 720, 0xFF2C3444},        // required reading
    {69, 69, 960, 620, 0xFF2C3444},         // gift tickets
    {70, 70, 740, 480, 0xFF3A2A2A},         // message box
    {71, 71, 578, 1080, 0xFF1E2A1E, true},  // large deck frames over the game
    {72, 72, 382, 698, 0xFF1E2A1E, true},   // small deck frames
    {73, 73, 578, 1080, 0xFF1E2A1E, true},
    {74, 74, 382, 698, 0xFF1E2A1E, true},
    {75, 77, 120, 60, 0xFF7A3A6A},  // double-up buttons
    {78, 80, 80, 40, 0xFF7A3A6A},
    {81, 83, 24, 24, 0xFFC0C0A0},   // prize-list symbols, 25 px apart in a text row
    {84, 84, 124, 52, 0x80FFD040},  // glow over auto-play, x1.5 on large decks
};

// Pictures of a slot that differ from its look: the gauge bar and the tops of the deck frames.
struct NameLook {
    const char* name;
    int width, height;
    bool hollow;
};

const NameLook kNameLooks[] = {
    {"Loading_gauge.png", 544, 48, false},
    {"Morv_topBackg100.png", 578, 249, false},
    {"Morv_topBackg200.png", 578, 249, false},
    {"Morv_topBackg_small100.png", 382, 215, false},
    {"Morv_topBackg_small_200.png", 382, 215, false},
};

// Digit glyphs show their character.
const std::pair<const char*, const char*> kGlyphLabels[] = {
    {"number_comma.png", ","},        {"number_dollar.png", "$"}, {"number_exclamation.png", "!"},
    {"number_ForwardSlash.png", "/"}, {"number_period.png", "."}, {"number_question.png", "?"},
};

// The installed file each UI face is copied from.
const std::pair<const char*, const char*> kFontSources[] = {
    {"나눔고딕", "NanumGothic.ttf"},
    {"HY울릉도E", "NanumSquareB.ttf"},
};

// Button frames by state: normal, pressed (darker), highlighted (lighter), disabled (grey).
uint32_t Shade(uint32_t fill, int state)
{
    auto scale = [fill](int shift, int num, int den) {
        const int value = static_cast<int>((fill >> shift) & 0xFF) * num / den;
        return static_cast<uint32_t>(value > 255 ? 255 : value) << shift;
    };
    switch (state) {
    case 1:
        return (fill & 0xFF000000) | scale(16, 3, 5) | scale(8, 3, 5) | scale(0, 3, 5);
    case 2:
        return (fill & 0xFF000000) | scale(16, 7, 5) | scale(8, 7, 5) | scale(0, 7, 5);
    case 3:
        return (fill & 0xFF000000) | 0x606060;
    default:
        return fill;
    }
}

std::string Label(int slot, const char* name)
{
    if (slot == 48) {
        for (const auto& [file, glyph] : kGlyphLabels)
            if (std::strcmp(file, name) == 0)
                return glyph;
        int digit = 0;
        if (std::sscanf(name, "number_%d", &digit) == 1)
            return std::to_string(digit);
    }
    std::string label = name;
    if (label.size() > 4 && label.compare(label.size() - 4, 4, ".png") == 0)
        label.resize(label.size() - 4);
    return std::to_string(slot) + " " + label;
}

PlaceholderImage Look(const UIResRow& row, int index, const char* name)
{
    PlaceholderImage image{64, 64, 0xFF808080, false, Label(row.slot, name)};
    for (const SlotLook& look : kSlotLooks)
        if (row.slot >= look.first && row.slot <= look.last) {
            image.width = look.width;
            image.height = look.height;
            image.fill = look.fill;
            image.hollow = look.hollow;
        }
    for (const NameLook& look : kNameLooks)
        if (std::strcmp(look.name, name) == 0) {
            image.width = look.width;
            image.height = look.height;
            image.hollow = look.hollow;
        }
    if (row.kind == UIResKind::Button)
        image.fill = Shade(image.fill, index);
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <output folder> <installed font folder>\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    const std::filesystem::path fonts = argv[2];
    const std::string imageFolder = out + "/" + UIRES_FOLDER;
    int failures = 0;

    // A file named in several places is written once, as its first place wants it (a button's
    // normal frame comes before the places that repeat it).
    std::set<std::string> written;
    std::vector<std::string> numbered;
    for (const UIResRow& row : g_UIResTable) {
        const std::vector<const char*> names = UIResRowNames(row, numbered);
        for (size_t i = 0; i < names.size(); ++i) {
            if (!names[i])
                continue;
            const std::string path = UIResPath(imageFolder.c_str(), row.set, names[i]);
            if (!written.insert(path).second)
                continue;
            if (!WritePlaceholderPNG(path, Look(row, static_cast<int>(i), names[i]))) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                ++failures;
            }
        }
    }

    for (const UIFontFile& font : g_UIFontFiles) {
        const std::string target = UIFontFilePath(font, out);
        const char* source = nullptr;
        for (const auto& [face, file] : kFontSources)
            if (std::strcmp(face, font.face) == 0)
                source = file;
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(target).parent_path(), error);
        if (!source ||
            !std::filesystem::copy_file(fonts / source, target,
                                        std::filesystem::copy_options::overwrite_existing, error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", target.c_str(), error.message().c_str());
            ++failures;
        }
    }

    const std::string sound = imageFolder + "/login.wav";
    if (!WriteToneWAV(sound, 880.0, 0.25)) {
        std::fprintf(stderr, "cannot write %s\n", sound.c_str());
        ++failures;
    }
    failures += WritePelagornPlaceholders(out);
    failures += WriteJixAssets(out);
    failures += WriteMorvaneAssets(out);
    failures += WritePelagornAssets(out);
    return failures == 0 ? 0 : 1;
}
