#include "pelagorn_assets.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "placeholder_image.h"

namespace {

// How an animation's pictures look and play.
enum class Look {
    Filled,  // a filled rectangle labelled with its name and frame
    Hollow,  // only the border and a band (a frame over other pictures)
    Digits,  // frame n shows the digit n
};

// One animation of the data tree: "<path>.anf" with one picture per frame "<path>_<n>.png".
struct PelagornAnimation {
    const char* path;  // under DATA_PELAGORN, without ".anf"
    int width, height, frames;
    int fps;
    uint32_t fill;
    Look look;
    bool centred;  // hot spot in the middle (pictures drawn around a point), else the top-left
                   // corner
    bool once;     // plays through once instead of looping
};

const PelagornAnimation kAnimations[] = {
    {"image/dropper/dropper", 96, 40, 2, 4, 0xFF8A6A2A, Look::Filled, false, false},
    {"image/interface/frame/oil_frame", 40, 300, 1, 0, 0xFF6A6A6A, Look::Hollow, false, false},
    {"image/interface/frame/oil_fill", 40, 300, 1, 0, 0xFFD09020, Look::Filled, false, false},
    {"image/interface/frame/road_0", 112, 64, 1, 0, 0xFF304050, Look::Filled, false, false},
    {"image/interface/frame/road_1", 112, 64, 1, 0, 0xFF3A6A9A, Look::Filled, false, false},
    {"image/interface/frame/road_2", 112, 64, 1, 0, 0xFF4A8ABA, Look::Filled, false, false},
    {"image/interface/frame/road_3", 112, 64, 1, 0, 0xFF5AAADA, Look::Filled, false, false},
    {"image/interface/frame/title_lamp", 112, 64, 2, 6, 0xFFE0C040, Look::Filled, false, false},
    {"image/interface/frame/panel", 768, 104, 1, 0, 0xFF2A2A3A, Look::Hollow, false, false},
    {"image/interface/frame/digits", 24, 32, 10, 0, 0xFF202020, Look::Digits, false, false},
    {"image/interface/frame/title", 400, 120, 4, 5, 0xFF9A3A3A, Look::Filled, false, false},
    {"image/interface/wintable/table_0", 400, 260, 1, 0, 0xFF2A4A6A, Look::Filled, false, false},
    {"image/interface/wintable/table_1", 400, 260, 1, 0, 0xFF2A6A4A, Look::Filled, false, false},
    {"image/interface/wintable/table_2", 400, 260, 1, 0, 0xFF6A4A2A, Look::Filled, false, false},
    {"image/interface/table/wintable_0", 560, 240, 1, 0, 0xFF2A4A6A, Look::Filled, false, false},
    {"image/interface/table/wintable_1", 560, 240, 1, 0, 0xFF2A6A4A, Look::Filled, false, false},
    {"image/interface/table/wintable_2", 560, 240, 1, 0, 0xFF6A4A2A, Look::Filled, false, false},
    {"image/prize/item", 240, 120, 6, 12, 0xFF3A8A3A, Look::Filled, false, false},
    {"image/prize/direct", 240, 120, 6, 12, 0xFF8A3A8A, Look::Filled, false, false},
    {"image/prize/thunder", 320, 200, 6, 12, 0xFFC0C0F0, Look::Filled, false, false},
    // The background: the sea behind the field and a band of clouds drifting over it.
    {"image/bg/sea", 768, 1280, 1, 0, 0xFF16304C, Look::Filled, false, false},
    {"image/bg/clouds", 768, 120, 1, 0, 0xFF6A84A0, Look::Hollow, false, false},
    // Coins (drawn around their centre as they turn), pins, the reels' prize number.
    {"image/interface/coin/coin_0", 32, 32, 2, 8, 0xFFD0A020, Look::Filled, true, false},
    {"image/interface/coin/coin_1", 32, 32, 2, 8, 0xFFE8C858, Look::Filled, true, false},
    {"image/interface/pin/pin_1", 12, 12, 1, 0, 0xFFC8C8C8, Look::Filled, false, false},
    {"image/reel/prize_digits", 28, 40, 10, 0, 0xFF402020, Look::Digits, false, false},
    // The game scene's own numbers.
    {"image/number/no_be", 24, 32, 10, 0, 0xFF203040, Look::Digits, false, false},
    // The scene's windows: title, demo banners, credit and gift-out notes, error and account boxes.
    {"image/logo/title", 480, 240, 1, 0, 0xFF2A5A8A, Look::Filled, true, false},
    {"image/demo/demo", 400, 160, 2, 2, 0xFF5A2A6A, Look::Filled, true, false},
    {"image/demo/demo2", 400, 120, 2, 2, 0xFF6A2A5A, Look::Filled, true, false},
    {"image/demo/nocredit", 300, 80, 2, 2, 0xFF8A2A2A, Look::Filled, false, false},
    {"image/demo/giftout", 400, 120, 2, 4, 0xFF2A8A5A, Look::Filled, false, false},
    {"image/demo/credit", 8, 8, 1, 0, 0xFF808080, Look::Filled, false, true},
    {"image/demo/errorwindow", 400, 200, 1, 0, 0xFF7A2A2A, Look::Filled, false, false},
    {"image/demo/errorwindow3", 400, 200, 1, 0, 0xFF7A3A2A, Look::Filled, false, false},
    {"image/demo/errorwindow_2", 434, 120, 2, 2, 0xFF2A6A7A, Look::Filled, false, false},
    {"image/demo/black", 434, 120, 1, 0, 0xFF101010, Look::Filled, false, false},
    {"image/account/complete", 400, 200, 1, 0, 0xFF2A4A2A, Look::Filled, false, false},
    {"image/account/jijung", 400, 200, 1, 0, 0xFF2A2A4A, Look::Filled, false, false},
    {"image/account/test", 200, 60, 1, 0, 0xFF4A4A4A, Look::Filled, false, false},
};

// The symbols on the reels' built-in belts; each gets "image/reel/sym/s<n>.cfg" with a still and
// a marked (prize) look.
constexpr int kReelSymbols[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
// The item kinds of the belt's sequence; each gets "image/item/k<k>/kind.cfg" with a picture, a
// hit animation and an effect.
constexpr int kItemKinds = 6;

bool WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

bool WriteAnimation(const std::string& root, const PelagornAnimation& a)
{
    const std::filesystem::path base = std::filesystem::path(root) / a.path;
    const std::string stem = base.filename().string();
    for (int n = 0; n < a.frames; ++n) {
        PlaceholderImage image{a.width, a.height, a.fill, a.look == Look::Hollow,
                               a.look == Look::Digits ? std::to_string(n)
                                                      : stem + " " + std::to_string(n)};
        if (!WritePlaceholderPNG(base.string() + "_" + std::to_string(n) + ".png", image))
            return false;
    }
    std::string text = "TEX_LIST=" + stem + "_%d.png\nCOUNT=" + std::to_string(a.frames) +
                       "\nFPS=" + std::to_string(a.fps) + "\n";
    // Without hot-spot keys an animation turns around its middle.
    if (!a.centred)
        text += "HOT_SPOT_X=0\nHOT_SPOT_Y=0\n";
    if (a.once)
        text += "LOOP_MODE=FWD\n";
    return WriteText(base.string() + ".anf", text);
}

// A colour per index that keeps neighbours apart.
uint32_t Shade(int index, uint32_t base)
{
    return base | uint32_t((index * 0x35 + 0x40) & 0xFF) << 16 |
           uint32_t((index * 0x5B + 0x30) & 0xFF) << 8 | uint32_t((index * 0x29 + 0x60) & 0xFF);
}

int WriteReelSymbols(const std::string& root)
{
    int failures = 0;
    for (const int n : kReelSymbols) {
        const std::string path = "image/reel/sym/s" + std::to_string(n);
        const PelagornAnimation still{path.c_str(),         90,           80,    1,    0,
                                      Shade(n, 0xFF000000), Look::Filled, false, false};
        const std::string marked = path + "_prize";
        const PelagornAnimation prize{marked.c_str(), 90,           80,    2,    6,
                                      0xFFF0E060,     Look::Filled, false, false};
        const std::string stem = path.substr(path.rfind('/') + 1);  // "s<n>"
        if (!WriteAnimation(root, still) || !WriteAnimation(root, prize) ||
            !WriteText(root + "/" + path + ".cfg",
                       "REEL=" + stem + ".anf, " + stem + "_prize.anf\n")) {
            std::fprintf(stderr, "cannot write %s/%s\n", root.c_str(), path.c_str());
            ++failures;
        }
    }
    return failures;
}

int WriteItemKinds(const std::string& root)
{
    int failures = 0;
    for (int k = 1; k <= kItemKinds; ++k) {
        const std::string folder = "image/item/k" + std::to_string(k) + "/";
        const std::string picture = folder + "pic", hit = folder + "hit",
                          effect = folder + "effect";
        const PelagornAnimation animations[] = {
            {picture.c_str(), 80, 72, 2, 4, Shade(k, 0xFF000000), Look::Filled, false, false},
            {hit.c_str(), 80, 72, 3, 10, 0xFFF0F0F0, Look::Filled, false, true},
            {effect.c_str(), 96, 96, 4, 12, 0xFFFFE080, Look::Hollow, false, true},
        };
        bool ok =
            WriteText(root + "/" + folder + "kind.cfg",
                      "ITEM_COUNT=1\nITEM_0=0, pic.anf, hit.anf\nITEM_EFFECT_ANF=effect.anf\n");
        for (const PelagornAnimation& animation : animations)
            ok = WriteAnimation(root, animation) && ok;
        if (!ok) {
            std::fprintf(stderr, "cannot write %s/%s\n", root.c_str(), folder.c_str());
            ++failures;
        }
    }
    return failures;
}

}  // namespace

int WritePelagornAssets(const std::string& out)
{
    int failures = 0;
    const std::string root = out + "/DATA_PELAGORN";
    std::error_code error;
    std::filesystem::create_directories(root, error);
    std::filesystem::copy(CX_PELAGORN_DATA_DIR "/DATA_PELAGORN", root,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing,
                          error);
    if (error) {
        std::fprintf(stderr, "cannot copy the Pelagorn configuration files: %s\n",
                     error.message().c_str());
        ++failures;
    }
    for (const PelagornAnimation& animation : kAnimations)
        if (!WriteAnimation(root, animation)) {
            std::fprintf(stderr, "cannot write %s/%s\n", root.c_str(), animation.path);
            ++failures;
        }
    failures += WriteReelSymbols(root);
    failures += WriteItemKinds(root);
    return failures;
}
