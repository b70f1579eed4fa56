// The generated login sound is a WAVE file the engine's reader accepts: a short 16-bit mono tone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "CXWaveFile.h"
#include "platform/files.h"

TEST(LoginSound, GeneratedToneReadsAsPCM)
{
    const auto bytes = platform::ReadWholeFile(std::string(CX_ASSETS_DIR) + "/data_ui/login.wav");
    ASSERT_TRUE(bytes.has_value());
    CXWaveFile wave;
    ASSERT_EQ(wave.OpenFromMemory(bytes->data(), uint32_t(bytes->size())), CXWaveFile::S_OK);
    EXPECT_EQ(wave.GetFormat().formatTag, 1);
    EXPECT_EQ(wave.GetFormat().channels, 1);
    EXPECT_EQ(wave.GetFormat().bitsPerSample, 16);
    const uint32_t seconds100 = wave.GetSize() * 100 / wave.GetFormat().avgBytesPerSec;
    EXPECT_GE(seconds100, 10u);
    EXPECT_LE(seconds100, 100u);

    // Not silent: the samples swing both ways.
    std::vector<uint8_t> data(wave.GetSize());
    uint32_t read = 0;
    ASSERT_EQ(wave.Read(data.data(), uint32_t(data.size()), &read), CXWaveFile::S_OK);
    int16_t low = 0, high = 0;
    for (uint32_t i = 0; i + 1 < read; i += 2) {
        const auto sample = int16_t(data[i] | data[i + 1] << 8);
        low = std::min(low, sample);
        high = std::max(high, sample);
    }
    EXPECT_LT(low, -8000);
    EXPECT_GT(high, 8000);
}
