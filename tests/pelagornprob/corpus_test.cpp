// Replays the probability engine's fuzzing seed corpora (hand-made main data files and bonus
// files, sound and hostile) through the same harness as the fuzz targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../fuzz/prob_fuzz.h"

namespace {

TEST(ProbCorpus, EverySeedIsReadSafelyAndQuickly)
{
    using Run = void (prob_fuzz::Harness::*)(const uint8_t*, size_t);
    struct Target {
        const char* name;
        Run run;
    };
    prob_fuzz::Harness harness;
    for (const Target& target : {Target{"prob_main", &prob_fuzz::Harness::MainData},
                                 Target{"prob_bonus", &prob_fuzz::Harness::Bonus}}) {
        std::vector<std::filesystem::path> seeds;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / target.name))
            seeds.push_back(entry.path());
        std::sort(seeds.begin(), seeds.end());
        EXPECT_GE(seeds.size(), 4u) << target.name;
        for (const auto& seed : seeds) {
            std::ifstream in(seed, std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
            const auto start = std::chrono::steady_clock::now();
            (harness.*target.run)(bytes.data(), bytes.size());
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << seed;
        }
    }
}

}  // namespace
