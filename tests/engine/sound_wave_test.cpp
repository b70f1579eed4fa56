// The RIFF WAVE reader and loading WAVE files into sounds, on hand-written files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CXDSBuffer.h"
#include "CXDSDevice.h"
#include "CXSound.h"
#include "CXWaveFile.h"
#include "CXWaveList.h"
#include "sound_files.h"
#include "support/hex.h"

namespace {

using test_support::Hex;

// "fmt " of 16-bit stereo PCM at 44100 Hz, and two frames of data.
const char* const kFmtPcm = "666D7420 10000000 0100 0200 44AC0000 10B10200 0400 1000";
const char* const kData = "64617461 08000000 3412CCED 785688A9";

struct WaveCase {
    const char* name;
    std::string hex;
    int32_t result;
    uint32_t dataSize;  // when the result is S_OK
    uint16_t formatTag;
    uint16_t extraSize;
    bool playable;  // LoadSound gives a sound
};

std::vector<WaveCase> Cases()
{
    const std::string fmt = kFmtPcm, data = kData;
    return {
        {"plain PCM", "52494646 2C000000 57415645" + fmt + data, CXWaveFile::S_OK, 8, 1, 0, true},
        {"odd chunks are padded",
         "52494646 42000000 57415645 6A756E6B 01000000 7800" + fmt + "4C495354 03000000 616263 00" +
             data,
         CXWaveFile::S_OK, 8, 1, 0, true},
        {"oversized data size is bounded by the file",
         "52494646 2C000000 57415645" + fmt + "64617461 FFFFFF7F 3412CCED 785688A9",
         CXWaveFile::S_OK, 8, 1, 0, true},
        {"RIFF size past the file is bounded", "52494646 FFFFFFFF 57415645" + fmt + data,
         CXWaveFile::S_OK, 8, 1, 0, true},
        {"RIFF size cuts the data chunk", "52494646 28000000 57415645" + fmt + data,
         CXWaveFile::S_OK, 4, 1, 0, true},
        {"IEEE float with a 16-byte fmt",
         "52494646 2C000000 57415645 666D7420 10000000 0300 0100 44AC0000 10B10200 0400 2000" +
             data,
         CXWaveFile::S_OK, 8, 3, 0, true},
        {"non-PCM keeps its extra bytes but does not play",
         "52494646 30000000 57415645 666D7420 14000000 0200 0100 401F0000 00100000 0001 0400"
         "0200 F401" +
             data,
         CXWaveFile::S_OK, 8, 2, 2, false},
        {"non-PCM extra size past its chunk",
         "52494646 30000000 57415645 666D7420 14000000 0200 0100 401F0000 00100000 0001 0400"
         "6400 F401" +
             data,
         CXWaveFile::E_FAIL, 0, 0, 0, false},
        {"short fmt",
         "52494646 2A000000 57415645 666D7420 0E000000 0100 0200 44AC0000 10B10200 0400" + data,
         CXWaveFile::E_FAIL, 0, 0, 0, false},
        {"fmt cut by the end of the file",
         "52494646 2C000000 57415645 666D7420 10000000 0100 0200 44AC0000 10", CXWaveFile::E_FAIL,
         0, 0, 0, false},
        {"not WAVE", "52494646 2C000000 41564920" + fmt + data, CXWaveFile::E_FAIL, 0, 0, 0, false},
        {"not RIFF", "52494658 2C000000 57415645" + fmt + data, CXWaveFile::E_FAIL, 0, 0, 0, false},
        {"no data chunk", "52494646 1C000000 57415645" + fmt, CXWaveFile::E_FAIL, 0, 0, 0, false},
        {"empty data chunk", "52494646 24000000 57415645" + fmt + "64617461 00000000",
         CXWaveFile::S_OK, 0, 1, 0, false},
        {"shorter than a RIFF header", "52494646 04000000 5741", CXWaveFile::E_FAIL, 0, 0, 0,
         false},
    };
}

using SoundWaveFiles = sound_test::SoundTest;

}  // namespace

TEST(SoundWave, ReaderBoundsEveryChunk)
{
    for (const auto& c : Cases()) {
        const auto bytes = Hex(c.hex);
        CXWaveFile file;
        ASSERT_EQ(file.OpenFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())), c.result)
            << c.name;
        if (c.result != CXWaveFile::S_OK)
            continue;
        EXPECT_EQ(file.GetSize(), c.dataSize) << c.name;
        EXPECT_EQ(file.GetFormat().formatTag, c.formatTag) << c.name;
        EXPECT_EQ(file.GetExtraSize(), c.extraSize) << c.name;
        EXPECT_EQ(file.GetExtra().size(), c.extraSize) << c.name;
        // The sample bytes are the data chunk's, wherever the chunk lies.
        std::vector<uint8_t> samples(16, 0xEE);
        uint32_t read = 0;
        ASSERT_EQ(file.Read(samples.data(), 16, &read), CXWaveFile::S_OK) << c.name;
        ASSERT_EQ(read, c.dataSize) << c.name;
        const auto expected = Hex("3412CCED 785688A9");
        EXPECT_TRUE(std::equal(samples.begin(), samples.begin() + read, expected.begin()))
            << c.name;
    }
}

TEST(SoundWave, ExtraFormatBytesAndFormatFields)
{
    const auto bytes = Hex(Cases()[6].hex);
    CXWaveFile file;
    ASSERT_EQ(file.OpenFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())),
              CXWaveFile::S_OK);
    EXPECT_EQ(file.GetFormat().channels, 1);
    EXPECT_EQ(file.GetFormat().samplesPerSec, 8000u);
    EXPECT_EQ(file.GetFormat().blockAlign, 256);
    EXPECT_EQ(file.GetFormat().bitsPerSample, 4);
    EXPECT_EQ(file.GetExtra(), Hex("F401"));
}

TEST(SoundWave, ReadContinuesAndRefusesBadArguments)
{
    const auto bytes = Hex(Cases()[0].hex);
    CXWaveFile file;
    uint8_t out[8] = {};
    uint32_t read = 99;
    EXPECT_EQ(file.Read(out, 4, &read), CXWaveFile::CO_E_NOTINITIALIZED);
    ASSERT_EQ(file.OpenFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())),
              CXWaveFile::S_OK);
    EXPECT_EQ(file.Read(nullptr, 4, &read), CXWaveFile::E_INVALIDARG);
    EXPECT_EQ(file.Read(out, 4, nullptr), CXWaveFile::E_INVALIDARG);
    ASSERT_EQ(file.Read(out, 6, &read), CXWaveFile::S_OK);
    EXPECT_EQ(read, 6u);
    ASSERT_EQ(file.Read(out, 6, &read), CXWaveFile::S_OK);
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(out[0], 0x88);
    EXPECT_EQ(out[1], 0xA9);
    file.Close();
    EXPECT_EQ(file.Read(out, 4, &read), CXWaveFile::CO_E_NOTINITIALIZED);
}

TEST(SoundWave, DecodeKeepsTheSamples)
{
    const auto bytes = Hex(Cases()[1].hex);
    auto wav = CXWaveList::Decode("a.wav", bytes.data(), static_cast<uint32_t>(bytes.size()));
    ASSERT_NE(wav, nullptr);
    EXPECT_EQ(wav->strName, "a.wav");
    EXPECT_EQ(wav->dwSize, 8u);
    EXPECT_EQ(wav->Data, Hex("3412CCED 785688A9"));
    EXPECT_EQ(wav->Format.samplesPerSec, 44100u);
}

TEST_F(SoundWaveFiles, LoadSoundOnlyForPlayableFiles)
{
    CXDSDevice device;
    ASSERT_TRUE(device.Init(nullptr, 44100, 16, 2));
    for (const auto& c : Cases()) {
        const std::string path = Write("case.wav", Hex(c.hex));
        auto sound = device.LoadSound(path.c_str(), 3);
        EXPECT_EQ(sound != nullptr, c.playable) << c.name;
        if (sound) {
            EXPECT_EQ(sound->GetBufferCount(), 3) << c.name;
        }
    }
    EXPECT_EQ(device.LoadSound((m_folder.Path() / "missing.wav").string().c_str(), 1), nullptr);
}

TEST_F(SoundWaveFiles, FileNamesIgnoreCase)
{
    CXDSDevice device;
    ASSERT_TRUE(device.Init(nullptr, 44100, 16, 2));
    const std::string path = Write("Bell.wav", Hex(Cases()[0].hex));
    const std::string upper = (m_folder.Path() / "BELL.WAV").string();
    EXPECT_NE(device.LoadSound(upper.c_str(), 1), nullptr);
}

TEST_F(SoundWaveFiles, DeviceInitNeedsTheMixingFormat)
{
    CXDSDevice device;
    EXPECT_FALSE(device.Init(nullptr, 22050, 16, 2));
    EXPECT_FALSE(device.IsInitialised());
    EXPECT_EQ(device.LoadSound("anything.wav", 1), nullptr);
    ASSERT_TRUE(device.Init(nullptr, 44100, 16, 2));
    EXPECT_TRUE(device.IsInitialised());
    device.Release();
    EXPECT_FALSE(device.IsInitialised());
}
