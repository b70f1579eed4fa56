// Replays the file loaders' fuzzing seed corpora (hand-made files of every kind the engine
// loads, and the hostile inputs found so far) through the same harness as the fuzz targets, so
// the seeds stay loadable and the inputs that once crashed, hung or over-allocated stay safe.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "../../fuzz/loader_fuzz.h"
#include "support/fuzz_seeds.h"

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
    // The hostile seeds once took minutes or hours.
    for (const Target& target : targets)
        test_support::ReplayFuzzSeeds(
            target.name, 3,
            [&](const std::vector<uint8_t>& bytes) {
                (s_harness->*target.run)(bytes.data(), bytes.size());
            },
            std::chrono::seconds(5));
}

}  // namespace
