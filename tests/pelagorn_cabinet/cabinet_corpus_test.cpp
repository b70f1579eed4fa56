// Replays the cabinet fuzz targets' seed corpora (hand-made board streams, snapshot texts, setting
// files and "game.paf" files, and any hostile input found since) through the targets' own harness.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "../../fuzz/cabinet_fuzz.h"
#include "support/fuzz_seeds.h"

namespace {

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
    for (const Target& target : targets)
        test_support::ReplayFuzzSeeds(target.name, 3, [&](const std::vector<uint8_t>& bytes) {
            (cabinet_fuzz::Shared().*target.run)(bytes.data(), bytes.size());
        });
}

}  // namespace
