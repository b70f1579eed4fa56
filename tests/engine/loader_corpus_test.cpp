// Replays the file loaders' fuzzing seed corpora (hand-made files of every kind the engine
// loads, and the hostile inputs found so far) through the same harness as the fuzz targets, so
// the seeds stay loadable and the inputs that once crashed, hung or over-allocated stay safe.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../../fuzz/loader_fuzz.h"

namespace {

class LoaderCorpus : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_harness = new loader_fuzz::Harness; }
    static void TearDownTestSuite()
    {
        delete s_harness;
        s_harness = nullptr;
    }
    static loader_fuzz::Harness* s_harness;
};

loader_fuzz::Harness* LoaderCorpus::s_harness = nullptr;

std::vector<std::filesystem::path> Seeds(const std::string& target)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / target))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(LoaderCorpus, EverySeedLoadsSafelyAndQuickly)
{
    using Run = void (loader_fuzz::Harness::*)(const uint8_t*, size_t);
    struct Target {
        const char* name;
        Run run;
    };
    const Target targets[] = {
        {"zip", &loader_fuzz::Harness::Zip},       {"pcx", &loader_fuzz::Harness::Pcx},
        {"image", &loader_fuzz::Harness::Image},   {"wave", &loader_fuzz::Harness::Wave},
        {"anf", &loader_fuzz::Harness::Anf},       {"particle", &loader_fuzz::Harness::Particle},
        {"sprite", &loader_fuzz::Harness::Sprite}, {"config", &loader_fuzz::Harness::Config},
    };
    for (const Target& target : targets) {
        const std::vector<std::filesystem::path> seeds = Seeds(target.name);
        EXPECT_GE(seeds.size(), 3u) << target.name;
        for (const auto& seed : seeds) {
            std::ifstream in(seed, std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
            const auto start = std::chrono::steady_clock::now();
            (s_harness->*target.run)(bytes.data(), bytes.size());
            // Generous for a sanitizer build; the hostile seeds once took minutes or hours.
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << seed;
        }
    }
}

}  // namespace
