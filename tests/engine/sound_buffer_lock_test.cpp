// Buffers the caller fills: Create, Lock (with the wrap to the start) and Unlock, heard through
// the mixer; extensible and 24-bit WAVE files read and played.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CXDSBuffer.h"
#include "CXDSDevice.h"
#include "CXSound.h"
#include "CXWaveFile.h"
#include "sound_files.h"
#include "support/sound_format.h"

namespace {

using test_support::Mono16Format;

std::vector<int16_t> Left(platform::SoundMixer& mixer, size_t frames)
{
    std::vector<int16_t> out(frames * 2);
    mixer.Render(out.data(), frames);
    std::vector<int16_t> left;
    for (size_t i = 0; i < frames; ++i)
        left.push_back(out[2 * i]);
    return left;
}

}  // namespace

TEST(SoundBufferLock, LockGivesTheBytesAndTheWrappedRest)
{
    platform::SoundMixer mixer;
    CXDSBuffer buffer(&mixer);
    ASSERT_TRUE(buffer.Create(Mono16Format(), 16));
    struct Case {
        const char* name;
        uint32_t offset, bytes, flags;
        bool ok;
        uint32_t first, second;  // offset of the first part, sizes of both
        uint32_t firstSize;
    };
    const Case cases[] = {
        {"inside", 4, 6, 0, true, 4, 0, 6},
        {"to the end", 10, 6, 0, true, 10, 0, 6},
        {"wrapping", 12, 8, 0, true, 12, 4, 4},
        {"whole buffer from any offset", 9, 1, DSBLOCK_ENTIREBUFFER, true, 0, 0, 16},
        {"offset past the end", 16, 2, 0, false, 0, 0, 0},
        {"more than the buffer", 0, 17, 0, false, 0, 0, 0},
        {"nothing", 3, 0, 0, false, 0, 0, 0},
        {"unknown flag", 0, 4, 1, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        void* p1 = nullptr;
        void* p2 = reinterpret_cast<void*>(1);
        uint32_t n1 = 99, n2 = 99;
        const bool ok = buffer.Lock(c.offset, c.bytes, &p1, &n1, &p2, &n2, c.flags);
        ASSERT_EQ(ok, c.ok) << c.name;
        if (!ok)
            continue;
        void* start = nullptr;
        void* ignored = nullptr;
        uint32_t all = 0, none = 0;
        EXPECT_EQ(n1, c.firstSize) << c.name;
        EXPECT_EQ(n2, c.second) << c.name;
        EXPECT_EQ(p2 == nullptr, c.second == 0) << c.name;
        EXPECT_FALSE(buffer.Lock(0, 2, &start, &all, &ignored, &none, 0))
            << c.name << ": locked twice";
        ASSERT_TRUE(buffer.Unlock(p1, n1, p2, n2)) << c.name;
        ASSERT_TRUE(buffer.Lock(0, 0, &start, &all, &ignored, &none, DSBLOCK_ENTIREBUFFER));
        EXPECT_EQ(static_cast<uint8_t*>(p1) - static_cast<uint8_t*>(start), c.first) << c.name;
        if (c.second) {
            EXPECT_EQ(p2, start) << c.name;
        }
        ASSERT_TRUE(buffer.Unlock(start, all, nullptr, 0));
    }
    EXPECT_FALSE(buffer.Unlock(nullptr, 0, nullptr, 0)) << "not locked";
    void* p1 = nullptr;
    uint32_t n1 = 0;
    EXPECT_FALSE(buffer.Lock(12, 8, &p1, &n1, nullptr, nullptr, 0)) << "a wrap with nowhere to go";
    ASSERT_TRUE(buffer.Lock(0, 4, &p1, &n1, nullptr, nullptr, 0));
    int16_t outside[2] = {};
    EXPECT_FALSE(buffer.Unlock(outside, 4, nullptr, 0)) << "pointers that are not the lock's";
    EXPECT_TRUE(buffer.Unlock(p1, n1, nullptr, 0));
}

TEST(SoundBufferLock, WhatIsWrittenPlaysFromTheUnlock)
{
    platform::SoundMixer mixer;
    CXDSBuffer buffer(&mixer);
    ASSERT_TRUE(buffer.Create(Mono16Format(), 8));
    ASSERT_TRUE(buffer.Play(1));
    EXPECT_EQ(Left(mixer, 4), (std::vector<int16_t>{0, 0, 0, 0})) << "a new buffer holds silence";
    // Frames 3, 0 and 1 written through one wrapped lock.
    void* p1 = nullptr;
    void* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    ASSERT_TRUE(buffer.Lock(6, 6, &p1, &n1, &p2, &n2, 0));
    const int16_t tail[1] = {400};
    const int16_t head[2] = {100, 200};
    std::memcpy(p1, tail, n1);
    std::memcpy(p2, head, n2);
    EXPECT_EQ(Left(mixer, 4), (std::vector<int16_t>{0, 0, 0, 0}))
        << "nothing changes before Unlock";
    ASSERT_TRUE(buffer.Unlock(p1, n1, p2, n2));
    EXPECT_EQ(Left(mixer, 8), (std::vector<int16_t>{100, 200, 0, 400, 100, 200, 0, 400}));
    EXPECT_TRUE(buffer.IsPlaying());
}

TEST(SoundBufferLock, BuffersWithoutMemoryRefuse)
{
    platform::SoundMixer mixer;
    CXDSBuffer none(&mixer);
    void* p1 = nullptr;
    uint32_t n1 = 0;
    EXPECT_FALSE(none.Lock(0, 2, &p1, &n1, nullptr, nullptr, 0)) << "never created";
    CXDSBuffer noMixer(nullptr);
    EXPECT_FALSE(noMixer.Create(Mono16Format(), 8));
    CXDSBuffer tooSmall(&mixer);
    EXPECT_FALSE(tooSmall.Create(Mono16Format(), 1)) << "no whole frame";
    platform::SoundFormat adpcm = Mono16Format();
    adpcm.formatTag = 2;
    EXPECT_FALSE(tooSmall.Create(adpcm, 8));
    CXDSBuffer made(&mixer);
    ASSERT_TRUE(made.Create(Mono16Format(), 8));
    auto copy = made.Duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->Lock(0, 2, &p1, &n1, nullptr, nullptr, 0))
        << "a duplicate has no memory of its own";
    made.Release();
    EXPECT_FALSE(made.Lock(0, 2, &p1, &n1, nullptr, nullptr, 0)) << "released";
}

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<const char*> hexParts)
{
    std::vector<uint8_t> out;
    for (const char* part : hexParts)
        for (const char* p = part; p[0] && p[1]; p += 2)
            out.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
    return out;
}

// An extensible "fmt " chunk (40 bytes) of 16-bit mono at 44100 Hz with the given sub-format GUID.
std::vector<uint8_t> ExtensibleWave(const char* guid)
{
    return Bytes({"52494646", "40000000", "57415645", "666D7420", "28000000", "FEFF", "0100",
                  "44AC0000", "88580100", "0200", "1000", "1600", "1000", "04000000", guid,
                  "64617461", "04000000", "3412", "CCED"});
}

}  // namespace

TEST(SoundWaveExtensible, TheSubFormatDecidesWhatPlays)
{
    struct Case {
        const char* name;
        const char* guid;
        uint16_t subFormat;
    };
    const Case cases[] = {
        {"PCM",
         "01000000000010008000"
         "00AA00389B71",
         platform::kSoundFormatPCM},
        {"float",
         "03000000000010008000"
         "00AA00389B71",
         platform::kSoundFormatFloat},
        {"someone's own GUID",
         "01000000000010008000"
         "00AA00389B72",
         0},
    };
    for (const Case& c : cases) {
        const auto bytes = ExtensibleWave(c.guid);
        CXWaveFile file;
        ASSERT_EQ(file.OpenFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())),
                  CXWaveFile::S_OK)
            << c.name;
        EXPECT_EQ(file.GetFormat().formatTag, platform::kSoundFormatExtensible) << c.name;
        EXPECT_EQ(file.GetFormat().subFormat, c.subFormat) << c.name;
        EXPECT_EQ(file.GetExtraSize(), 22) << c.name;
    }
}

using SoundWaveFormatFiles = sound_test::SoundTest;

TEST_F(SoundWaveFormatFiles, ExtensiblePcmAnd24BitFilesLoadAsSounds)
{
    CXDSDevice device;
    ASSERT_TRUE(device.Init(nullptr, 44100, 16, 2));
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        bool playable;
    };
    const Case cases[] = {
        {"extensible PCM",
         ExtensibleWave("01000000000010008000"
                        "00AA00389B71"),
         true},
        {"extensible of an unknown GUID",
         ExtensibleWave("01000000000010008000"
                        "00AA00389B72"),
         false},
        {"24-bit stereo PCM",
         Bytes({"52494646", "2A000000", "57415645", "666D7420", "10000000", "0100", "0200",
                "44AC0000", "A8090400", "0600", "1800", "64617461", "06000000", "563412",
                "A9CBED"}),
         true},
    };
    for (const Case& c : cases) {
        const std::string path = Write("format.wav", c.bytes);
        auto sound = device.LoadSound(path.c_str(), 1);
        EXPECT_EQ(sound != nullptr, c.playable) << c.name;
    }
}
