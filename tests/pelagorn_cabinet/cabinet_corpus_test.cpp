// Replays the cabinet fuzz targets' seed corpora (hand-made board streams, snapshot texts, setting
// files and "game.paf" files, and any hostile input found since) through the targets' own harness.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../fuzz/cabinet_fuzz.h"

namespace {

std::vector<std::filesystem::path> Seeds(const std::string& target)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / target))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(CabinetCorpus, EverySeedIsReadSafely)
{
    using Run = void (cabinet_fuzz::Harness::*)(const uint8_t*, size_t);
    struct Target {
        const char* name;
        Run run;
    };
    const Target targets[] = {
        {"board_frames", &cabinet_fuzz::Harness::BoardFrames},
        {"snapshot", &cabinet_fuzz::Harness::Snapshot},
        {"setting", &cabinet_fuzz::Harness::Setting},
        {"game_paf", &cabinet_fuzz::Harness::GamePaf},
    };
    for (const Target& target : targets) {
        const std::vector<std::filesystem::path> seeds = Seeds(target.name);
        EXPECT_GE(seeds.size(), 3u) << target.name;
        for (const auto& seed : seeds) {
            SCOPED_TRACE(seed.string());
            std::ifstream in(seed, std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
            (cabinet_fuzz::Shared().*target.run)(bytes.data(), bytes.size());
        }
    }
}

}  // namespace
