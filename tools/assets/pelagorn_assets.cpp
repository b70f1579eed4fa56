#include "pelagorn_assets.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "placeholder_image.h"

namespace {

// One animation of the data tree: "<path>.anf" with one picture per frame "<path>_<n>.png".
struct PelagornAnimation {
    const char* path;  // under DATA_PELAGORN, without ".anf"
    int width, height, frames;
    int fps;
    uint32_t fill;
    bool hollow;
    bool digits;  // frame n shows the digit n
};

const PelagornAnimation kAnimations[] = {
    {"image/dropper/dropper", 96, 40, 2, 4, 0xFF8A6A2A, false, false},
    {"image/interface/frame/oil_frame", 40, 300, 1, 0, 0xFF6A6A6A, true, false},
    {"image/interface/frame/oil_fill", 40, 300, 1, 0, 0xFFD09020, false, false},
    {"image/interface/frame/road_0", 112, 64, 1, 0, 0xFF304050, false, false},
    {"image/interface/frame/road_1", 112, 64, 1, 0, 0xFF3A6A9A, false, false},
    {"image/interface/frame/road_2", 112, 64, 1, 0, 0xFF4A8ABA, false, false},
    {"image/interface/frame/road_3", 112, 64, 1, 0, 0xFF5AAADA, false, false},
    {"image/interface/frame/title_lamp", 112, 64, 2, 6, 0xFFE0C040, false, false},
    {"image/interface/frame/panel", 768, 104, 1, 0, 0xFF2A2A3A, true, false},
    {"image/interface/frame/digits", 24, 32, 10, 0, 0xFF202020, false, true},
    {"image/interface/frame/title", 400, 120, 4, 5, 0xFF9A3A3A, false, false},
    {"image/interface/wintable/table_0", 400, 260, 1, 0, 0xFF2A4A6A, false, false},
    {"image/interface/wintable/table_1", 400, 260, 1, 0, 0xFF2A6A4A, false, false},
    {"image/interface/wintable/table_2", 400, 260, 1, 0, 0xFF6A4A2A, false, false},
    {"image/interface/table/wintable_0", 560, 240, 1, 0, 0xFF2A4A6A, false, false},
    {"image/interface/table/wintable_1", 560, 240, 1, 0, 0xFF2A6A4A, false, false},
    {"image/interface/table/wintable_2", 560, 240, 1, 0, 0xFF6A4A2A, false, false},
    {"image/prize/item", 240, 120, 6, 12, 0xFF3A8A3A, false, false},
    {"image/prize/direct", 240, 120, 6, 12, 0xFF8A3A8A, false, false},
    {"image/prize/thunder", 320, 200, 6, 12, 0xFFC0C0F0, false, false},
};

bool WriteAnimation(const std::string& root, const PelagornAnimation& a)
{
    const std::filesystem::path base = std::filesystem::path(root) / a.path;
    const std::string stem = base.filename().string();
    for (int n = 0; n < a.frames; ++n) {
        PlaceholderImage image{a.width, a.height, a.fill, a.hollow,
                               a.digits ? std::to_string(n) : stem + " " + std::to_string(n)};
        if (!WritePlaceholderPNG(base.string() + "_" + std::to_string(n) + ".png", image))
            return false;
    }
    std::ofstream anf(base.string() + ".anf", std::ios::binary);
    anf << "TEX_LIST=" << stem << "_%d.png\nCOUNT=" << a.frames << "\nFPS=" << a.fps
        << "\nHOT_SPOT_X=0\nHOT_SPOT_Y=0\n";
    return static_cast<bool>(anf);
}

}  // namespace

int WritePelagornAssets(const std::string& out)
{
    int failures = 0;
    const std::string root = out + "/DATA_PELAGORN";
    std::error_code error;
    std::filesystem::create_directories(root, error);
    std::filesystem::copy(CX_PELAGORN_DATA_DIR "/DATA_PELAGORN", root,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          error);
    if (error) {
        std::fprintf(stderr, "cannot copy the Pelagorn configuration files: %s\n", error.message().c_str());
        ++failures;
    }
    for (const PelagornAnimation& animation : kAnimations)
        if (!WriteAnimation(root, animation)) {
            std::fprintf(stderr, "cannot write %s/%s\n", root.c_str(), animation.path);
            ++failures;
        }
    return failures;
}
