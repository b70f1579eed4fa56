// Replays the Pelagorn link fuzz target's seed corpus (hand-made answer streams, and any hostile
// input found since) through the target's own harness.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "../../fuzz/pelagorn_link_fuzz.h"

TEST(PelagornLinkCorpus, EverySeedRunsSafely)
{
    std::vector<std::filesystem::path> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / "pelagorn_records"))
        seeds.push_back(entry.path());
    std::sort(seeds.begin(), seeds.end());
    EXPECT_GE(seeds.size(), 3u);
    for (const auto& seed : seeds) {
        SCOPED_TRACE(seed.string());
        std::ifstream in(seed, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        pelagorn_link_fuzz::Run(bytes.data(), bytes.size());
        for (size_t cut = 0; cut < bytes.size(); cut += 7)
            pelagorn_link_fuzz::Run(bytes.data(), cut);
    }
}
