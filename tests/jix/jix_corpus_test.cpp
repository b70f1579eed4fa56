// Replays the spin-data fuzzing seeds, whole and cut at every length, through the block checks
// the fuzz target runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "../../fuzz/jix_spin_check.h"

TEST(JixCorpus, EverySeedAndEveryPrefixHoldsTheBlockChecks)
{
    const std::filesystem::path dir = std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / "jix_spin";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        ++seeds;
        for (size_t n = 0; n <= bytes.size(); ++n)
            EXPECT_EQ(CheckJixSpinBlock(bytes.data(), n), "")
                << entry.path().filename() << " cut at " << n;
    }
    EXPECT_GE(seeds, 5);
}
