// Replays the probability engine's fuzzing seed corpora (hand-made main data files and bonus
// files, sound and hostile) through the same harness as the fuzz targets.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "../../fuzz/prob_fuzz.h"
#include "support/fuzz_seeds.h"

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
                                 Target{"prob_bonus", &prob_fuzz::Harness::Bonus}})
        test_support::ReplayFuzzSeeds(
            target.name, 4,
            [&](const std::vector<uint8_t>& bytes) {
                (harness.*target.run)(bytes.data(), bytes.size());
            },
            std::chrono::seconds(5));
}

}  // namespace
