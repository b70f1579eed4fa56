// WAVE files load into sounds only at sample rates a sound file can sensibly have: far above
// them the resampler's sizes overflow.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CXDSDevice.h"
#include "CXSound.h"
#include "sound_files.h"

namespace {

// 8-bit mono PCM at the rate, 400 samples.
std::vector<uint8_t> MonoWave(uint32_t rate)
{
    std::vector<uint8_t> file;
    auto put = [&file](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.push_back(uint8_t(v >> (8 * i)));
    };
    const std::string riff = "RIFF", wave = "WAVEfmt ", data = "data";
    file.insert(file.end(), riff.begin(), riff.end());
    put(4 + 24 + 8 + 400, 4);
    file.insert(file.end(), wave.begin(), wave.end());
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(rate, 4);
    put(rate, 4);  // bytes per second
    put(1, 2);     // block align
    put(8, 2);     // bits
    file.insert(file.end(), data.begin(), data.end());
    put(400, 4);
    file.insert(file.end(), 400, 0x80);
    return file;
}

using SoundRateTest = sound_test::SoundTest;

TEST_F(SoundRateTest, OnlySensibleRatesLoad)
{
    CXDSDevice device;
    ASSERT_TRUE(device.Init(nullptr, 44100, 16, 2));
    struct Case {
        uint32_t rate;
        bool loads;
    };
    const Case cases[] = {
        {0, false},     {999, false},    {1000, true},     {8000, true},        {44100, true},
        {384000, true}, {384001, false}, {4194304, false}, {0x7FFFFFFF, false}, {0xFFFFFFFF, false},
    };
    for (const Case& c : cases) {
        const std::string path = Write("rate.wav", MonoWave(c.rate));
        EXPECT_EQ(device.LoadSound(path.c_str(), 1) != nullptr, c.loads) << c.rate << " Hz";
    }
}

}  // namespace
