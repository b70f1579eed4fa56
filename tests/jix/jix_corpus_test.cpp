// Replays the spin-data fuzzing seeds, whole and cut at every length, through the block checks
// the fuzz target runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "../../fuzz/jix_spin_check.h"
#include "support/fuzz_seeds.h"

TEST(JixCorpus, EverySeedAndEveryPrefixHoldsTheBlockChecks)
{
    test_support::ReplayFuzzSeeds("jix_spin", 5, [](const std::vector<uint8_t>& bytes) {
        for (size_t n = 0; n <= bytes.size(); ++n)
            EXPECT_EQ(CheckJixSpinBlock(bytes.data(), n), "") << "cut at " << n;
    });
}
