#include "morvane_assets.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "CMorvaneMain.h"
#include "MorvaneImageSets.h"
#include "MorvaneSoundList.h"
#include "platform/files.h"
#include "platform/image.h"
#include "wave_tone.h"

namespace {

// A path under the data folder; folders named in another case elsewhere in the tables share one
// folder on disk (the game resolves names without regard to case).
std::string DataPath(const std::string& root, const std::string& name)
{
    const std::string path = platform::ResolvePath(root + "/" + name);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return path;
}

// A filled picture with a light border, its colour picked by the set so neighbouring sets differ.
bool WritePicture(const std::string& path, int width, int height, int set)
{
    const uint32_t fill = 0xFF000000u | uint32_t((set * 0x3B) & 0xFF) << 16 |
                          uint32_t((set * 0x71 + 0x40) & 0xFF) << 8 |
                          uint32_t((set * 0x2F + 0x80) & 0xFF);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height), fill);
    for (int x = 0; x < width; ++x)
        pixels[size_t(x)] = pixels[size_t(height - 1) * size_t(width) + size_t(x)] = 0xFFE0E0E0;
    for (int y = 0; y < height; ++y)
        pixels[size_t(y) * size_t(width)] = pixels[size_t(y) * size_t(width) + size_t(width - 1)] =
            0xFFE0E0E0;
    return platform::SaveBmp(path.c_str(), width, height, pixels.data(), width * 4);
}

}  // namespace

int WriteMorvaneAssets(const std::string& out)
{
    const std::string root = out + "/" + (kMorvaneDataFolder + 2);  // without "./"
    int failures = 0;
    for (const MorvaneImageSetDef& def : g_MorvaneImageSets) {
        for (int32_t i = 0; i < def.nCount; ++i) {
            int width = 0;
            int height = 0;
            MorvaneImageSize(def, i, &width, &height);
            const std::string path = DataPath(root, MorvaneImageFile(def, i) + ".bmp");
            if (!WritePicture(path, width, height, static_cast<int>(def.eSet))) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                ++failures;
            }
        }
    }
    for (int row = 0; row < kMorvaneSoundRows; ++row) {
        if (!g_MorvaneSoundList[row].bLoaded)
            continue;
        const std::string path = DataPath(root, g_MorvaneSoundList[row].pszFile);
        if (!WriteToneWAV(path, 220.0 + 20.0 * row, 0.2)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures;
}
