// Replays the Pelagorn link fuzz target's seed corpus (hand-made answer streams, and any hostile
// input found since) through the target's own harness.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "../../fuzz/pelagorn_link_fuzz.h"
#include "support/fuzz_seeds.h"

TEST(PelagornLinkCorpus, EverySeedRunsSafely)
{
    test_support::ReplayFuzzSeeds("pelagorn_records", 3, [](const std::vector<uint8_t>& bytes) {
        pelagorn_link_fuzz::Run(bytes.data(), bytes.size());
        for (size_t cut = 0; cut < bytes.size(); cut += 7)
            pelagorn_link_fuzz::Run(bytes.data(), cut);
    });
}
