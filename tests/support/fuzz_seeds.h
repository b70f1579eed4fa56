#pragma once
// The fuzz targets' seed corpora (tests/fixtures/fuzz/<target>), for the tests that replay them:
// every seed read whole, in name order, and a replay that names the seed in every failure.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace test_support {

struct FuzzSeed {
    std::filesystem::path path;
    std::vector<uint8_t> bytes;
};

// Every file of the target's corpus folder, read whole, in name order.
inline std::vector<FuzzSeed> FuzzSeeds(const std::string& target)
{
    std::vector<FuzzSeed> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / target)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.push_back({entry.path(), {std::istreambuf_iterator<char>(in), {}}});
    }
    std::sort(seeds.begin(), seeds.end(),
              [](const FuzzSeed& a, const FuzzSeed& b) { return a.path < b.path; });
    return seeds;
}

// Runs run(bytes) on every seed of the target under a trace naming the seed, and expects the corpus
// to hold at least `least` seeds. With a `limit`, each run must also end within it: generous for a
// sanitizer build, where a hang or a huge loop takes far longer.
template <class Run>
void ReplayFuzzSeeds(const std::string& target, size_t least, Run run,
                     std::chrono::seconds limit = std::chrono::seconds::zero())
{
    const std::vector<FuzzSeed> seeds = FuzzSeeds(target);
    EXPECT_GE(seeds.size(), least) << target;
    for (const FuzzSeed& seed : seeds) {
        SCOPED_TRACE(seed.path.string());
        const auto start = std::chrono::steady_clock::now();
        run(seed.bytes);
        if (limit != std::chrono::seconds::zero()) {
            EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
        }
    }
}

}  // namespace test_support
