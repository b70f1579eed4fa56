// 24-bit PCM and the extensible format's sub-formats in the converter; replacing a buffer's data;
// why the audio device did not open.
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace platform;

TEST(SoundConvertFormats, TwentyFourBitAndExtensibleSubFormats)
{
    struct Case {
        const char* name;
        SoundFormat format;
        std::vector<uint8_t> data;
        bool ok;
        int16_t first, second;  // the first frame's left and right sample
    };
    // One stereo frame of 24-bit samples 0x123456 and -0x123457 (the low byte is below 16 bits).
    const std::vector<uint8_t> s24 = {0x56, 0x34, 0x12, 0xA9, 0xCB, 0xED};
    // One stereo frame of float samples 0.5 and -0.25.
    const std::vector<uint8_t> f32 = {0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0xBE};
    const std::vector<uint8_t> s16 = {0x34, 0x12, 0xCC, 0xED};
    const Case cases[] = {
        {"24-bit PCM", {kSoundFormatPCM, 2, 44100, 264600, 6, 24, 0}, s24, true, 0x1234, -0x1235},
        {"extensible PCM 24-bit",
         {kSoundFormatExtensible, 2, 44100, 264600, 6, 24, kSoundFormatPCM},
         s24,
         true,
         0x1234,
         -0x1235},
        {"extensible PCM 16-bit",
         {kSoundFormatExtensible, 2, 44100, 176400, 4, 16, kSoundFormatPCM},
         s16,
         true,
         0x1234,
         -0x1234},
        {"extensible float",
         {kSoundFormatExtensible, 2, 44100, 352800, 8, 32, kSoundFormatFloat},
         f32,
         true,
         16384,
         -8192},
        {"extensible of an unknown sub-format",
         {kSoundFormatExtensible, 2, 44100, 176400, 4, 16, 0},
         s16,
         false,
         0,
         0},
        {"24-bit with a 4-byte block",
         {kSoundFormatPCM, 1, 44100, 176400, 4, 24, 0},
         s24,
         false,
         0,
         0},
        {"float of 24 bits", {kSoundFormatFloat, 2, 44100, 264600, 6, 24, 0}, s24, false, 0, 0},
    };
    for (const Case& c : cases) {
        auto s = platform::ConvertSound(c.format, c.data.data(), c.data.size());
        ASSERT_EQ(s != nullptr, c.ok) << c.name;
        if (!s)
            continue;
        ASSERT_EQ(s->Frames(), 1u) << c.name;
        EXPECT_NEAR(s->pcm[0], c.first, 1) << c.name;
        EXPECT_NEAR(s->pcm[1], c.second, 1) << c.name;
    }
}

TEST(SoundBufferData, NewDataKeepsThePositionInsideIt)
{
    auto frames = [](size_t n) {
        auto s = std::make_shared<SoundSamples>();
        s->pcm.assign(n * kSoundChannels, 7);
        s->sourceBytes = static_cast<uint32_t>(n * 4);
        s->sourceRate = kSoundRate;
        s->sourceBlockAlign = 4;
        return s;
    };
    SoundMixer mixer;
    SoundBuffer b(mixer, frames(100));
    ASSERT_TRUE(b.SetPosition(90 * 4));
    b.Play(true);
    b.SetSamples(frames(10));
    EXPECT_TRUE(b.IsPlaying());
    std::vector<int16_t> out(4, 0);
    mixer.Render(out.data(), 2);
    EXPECT_EQ(out[0], 7) << "the position moved back inside the shorter data";
    b.SetSamples(nullptr);
    EXPECT_FALSE(b.IsPlaying());
}

TEST(SoundOutputFailure, TheReasonIsKept)
{
    SoundMixer mixer;
    EXPECT_EQ(SoundOutput::Open(mixer, 22050, 16, 2), nullptr);
    EXPECT_NE(std::string(SoundOutput::LastError()).find("44100"), std::string::npos);

    // A driver that does not exist: SDL's own reason reaches the caller.
    const char* saved = std::getenv("SDL_AUDIODRIVER");
    const std::string previous = saved ? saved : "";
    setenv("SDL_AUDIODRIVER", "cx-no-such-driver", 1);
    auto output = SoundOutput::Open(mixer, 44100, 16, 2);
    const std::string reason = SoundOutput::LastError();
    if (saved)
        setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    EXPECT_EQ(output, nullptr);
    EXPECT_NE(reason.find("no audio: "), std::string::npos) << reason;
    EXPECT_GT(reason.size(), std::string("no audio: ").size()) << reason;
}
