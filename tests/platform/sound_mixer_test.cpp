// Offline mixing of sound buffers: levels, pan, play/stop/position, duplicates, conversion.
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace platform;

namespace {

// Stereo data already in the mixing format; frame i holds (left(i), right(i)).
std::shared_ptr<const SoundSamples> Stereo(size_t frames, int16_t (*left)(size_t),
                                           int16_t (*right)(size_t))
{
    auto s = std::make_shared<SoundSamples>();
    for (size_t i = 0; i < frames; ++i) {
        s->pcm.push_back(left(i));
        s->pcm.push_back(right(i));
    }
    s->sourceBytes = static_cast<uint32_t>(frames * 4);
    s->sourceRate = kSoundRate;
    s->sourceBlockAlign = 4;
    return s;
}

// Frame i is i on both sides, so the output shows which frames were played.
std::shared_ptr<const SoundSamples> Ramp(size_t frames)
{
    auto f = [](size_t i) { return static_cast<int16_t>(i); };
    return Stereo(frames, f, f);
}

std::vector<int16_t> Render(SoundMixer& mixer, size_t frames)
{
    std::vector<int16_t> out(frames * kSoundChannels, 12345);
    mixer.Render(out.data(), frames);
    return out;
}

double Rms(const std::vector<int16_t>& out, int channel)
{
    double sum = 0;
    size_t n = out.size() / 2;
    for (size_t i = 0; i < n; ++i)
        sum += double(out[2 * i + channel]) * out[2 * i + channel];
    return std::sqrt(sum / n);
}

}  // namespace

TEST(SoundMix, ToneLevelFollowsVolumeAndPan)
{
    // 440 Hz at amplitude 16000: RMS 16000/sqrt(2) before attenuation.
    auto tone = [](size_t i) {
        return static_cast<int16_t>(
            std::lround(16000 * std::sin(2 * std::numbers::pi * 440 * i / 44100.0)));
    };
    SoundMixer mixer;
    SoundBuffer buffer(mixer, Stereo(kSoundRate, tone, tone));
    ASSERT_TRUE(buffer.SetVolume(-2000));
    ASSERT_TRUE(buffer.SetPan(1000));
    buffer.Play(true);
    auto out = Render(mixer, kSoundRate);
    const double full = 16000 / std::sqrt(2.0);
    // Right: -20 dB (x0.1); left: a further -10 dB for the pan (x0.0316).
    EXPECT_NEAR(Rms(out, 1), full * 0.1, full * 0.1 * 0.01);
    EXPECT_NEAR(Rms(out, 0), full * std::pow(10.0, -1.5), full * std::pow(10.0, -1.5) * 0.01);
}

TEST(SoundMix, GainAndPanEdges)
{
    struct Case {
        const char* name;
        int32_t volume;
        int32_t pan;
        int16_t left;
        int16_t right;
    };
    const Case cases[] = {
        {"full centre", 0, 0, 10000, 10000},
        {"silence", -10000, 0, 0, 0},
        {"-6.02 dB halves", -602, 0, 5000, 5000},
        {"hard right silences left", 0, 10000, 0, 10000},
        {"hard left silences right", 0, -10000, 10000, 0},
        {"pan -2000 lowers right by 20 dB", 0, -2000, 10000, 1000},
    };
    for (const auto& c : cases) {
        SoundMixer mixer;
        auto k = [](size_t) { return int16_t(10000); };
        SoundBuffer b(mixer, Stereo(64, k, k));
        ASSERT_TRUE(b.SetVolume(c.volume)) << c.name;
        ASSERT_TRUE(b.SetPan(c.pan)) << c.name;
        b.Play(false);
        auto out = Render(mixer, 8);
        EXPECT_NEAR(out[0], c.left, 2) << c.name;
        EXPECT_NEAR(out[1], c.right, 2) << c.name;
    }
}

TEST(SoundMix, OutOfRangeVolumeAndPanAreRefused)
{
    SoundMixer mixer;
    SoundBuffer b(mixer, Ramp(8));
    ASSERT_TRUE(b.SetVolume(-1500));
    ASSERT_TRUE(b.SetPan(300));
    EXPECT_FALSE(b.SetVolume(1));
    EXPECT_FALSE(b.SetVolume(-10001));
    EXPECT_FALSE(b.SetPan(10001));
    EXPECT_FALSE(b.SetPan(-10001));
    EXPECT_EQ(b.GetVolume(), -1500);
    EXPECT_EQ(b.GetPan(), 300);
}

TEST(SoundMix, StopKeepsPositionAndPlayResumes)
{
    SoundMixer mixer;
    SoundBuffer b(mixer, Ramp(1000));
    b.Play(false);
    auto first = Render(mixer, 100);
    EXPECT_EQ(first[2 * 99], 99);
    b.Stop();
    EXPECT_FALSE(b.IsPlaying());
    auto idle = Render(mixer, 50);
    EXPECT_EQ(idle, std::vector<int16_t>(100, 0));
    b.Play(false);
    auto resumed = Render(mixer, 10);
    EXPECT_EQ(resumed[0], 100);
    EXPECT_EQ(resumed[2 * 9 + 1], 109);

    ASSERT_TRUE(b.SetPosition(4 * 500));  // a byte offset: frame 500
    auto moved = Render(mixer, 1);
    EXPECT_EQ(moved[0], 500);
    EXPECT_FALSE(b.SetPosition(4 * 1000));
}

TEST(SoundMix, OneShotEndsRewoundAndLoopWraps)
{
    SoundMixer mixer;
    SoundBuffer once(mixer, Ramp(10));
    once.Play(false);
    auto out = Render(mixer, 16);
    EXPECT_EQ(out[2 * 9], 9);
    EXPECT_EQ(out[2 * 10], 0) << "silence after the end";
    EXPECT_FALSE(once.IsPlaying());
    once.Play(false);
    EXPECT_EQ(Render(mixer, 1)[0], 0) << "a finished one-shot starts again from the beginning";

    SoundMixer mixer2;
    SoundBuffer loop(mixer2, Ramp(10));
    loop.Play(true);
    auto looped = Render(mixer2, 25);
    EXPECT_EQ(looped[2 * 10], 0);
    EXPECT_EQ(looped[2 * 24], 4);
    EXPECT_TRUE(loop.IsPlaying());
    EXPECT_TRUE(loop.IsLooping());
}

TEST(SoundMix, DuplicatesShareDataButMixIndependently)
{
    SoundMixer mixer;
    SoundBuffer original(mixer, Ramp(1000));
    ASSERT_TRUE(original.SetVolume(-602));
    original.Play(false);
    Render(mixer, 100);  // the original is now at frame 100

    auto copy = original.Duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetVolume(), -602) << "a duplicate starts with the source's volume";
    EXPECT_FALSE(copy->IsPlaying());
    ASSERT_TRUE(copy->SetVolume(0));
    copy->Play(false);
    auto both = Render(mixer, 1);
    // original frame 100 at half level plus the copy's frame 0 at full level.
    EXPECT_NEAR(both[0], 50, 1);

    original.Stop();
    auto onlyCopy = Render(mixer, 1);
    EXPECT_EQ(onlyCopy[0], 1) << "stopping the original leaves the copy playing";
    EXPECT_TRUE(copy->IsPlaying());
    EXPECT_EQ(original.GetVolume(), -602);
}

TEST(SoundMix, SumClipsInsteadOfWrapping)
{
    SoundMixer mixer;
    auto loud = [](size_t) { return int16_t(30000); };
    auto quiet = [](size_t) { return int16_t(-30000); };
    SoundBuffer a(mixer, Stereo(8, loud, quiet));
    SoundBuffer b(mixer, Stereo(8, loud, quiet));
    a.Play(false);
    b.Play(false);
    auto out = Render(mixer, 1);
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[1], -32768);
}

TEST(SoundMix, BufferOutlivingItsMixerIsDetached)
{
    auto mixer = std::make_unique<SoundMixer>();
    SoundBuffer b(*mixer, Ramp(8));
    mixer.reset();
    b.Play(false);
    EXPECT_TRUE(b.IsPlaying());
    EXPECT_EQ(b.Duplicate(), nullptr);
}

TEST(SoundConvert, FormatsAndRates)
{
    struct Case {
        const char* name;
        SoundFormat format;
        std::vector<uint8_t> data;
        bool ok;
        size_t minFrames, maxFrames;  // of the converted data
        int16_t firstLeft, firstRight;
    };
    // 16-bit stereo at the mixing rate: taken as it is.
    std::vector<uint8_t> s16 = {0x34, 0x12, 0xCC, 0xED, 0x00, 0x00, 0x00, 0x00};
    const Case cases[] = {
        {"16-bit stereo 44100", {1, 2, 44100, 176400, 4, 16}, s16, true, 2, 2, 0x1234, -0x1234},
        {"partial last frame is dropped",
         {1, 2, 44100, 176400, 4, 16},
         {0x34, 0x12, 0xCC, 0xED, 0x01},
         true,
         1,
         1,
         0x1234,
         -0x1234},
        {"8-bit mono 22050 doubles",
         {1, 1, 22050, 22050, 1, 8},
         std::vector<uint8_t>(100, 0x80),
         true,
         190,
         210,
         0,
         0},
        {"ADPCM refused",
         {2, 1, 22050, 11100, 512, 4},
         std::vector<uint8_t>(512, 0),
         false,
         0,
         0,
         0,
         0},
        {"block align mismatch", {1, 2, 44100, 176400, 2, 16}, s16, false, 0, 0, 0, 0},
        {"no channels", {1, 0, 44100, 0, 0, 16}, s16, false, 0, 0, 0, 0},
        {"zero rate", {1, 2, 0, 0, 4, 16}, s16, false, 0, 0, 0, 0},
        {"less than one frame", {1, 2, 44100, 176400, 4, 16}, {1, 2, 3}, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        auto s = platform::ConvertSound(c.format, c.data.data(), c.data.size());
        ASSERT_EQ(s != nullptr, c.ok) << c.name;
        if (!s)
            continue;
        EXPECT_GE(s->Frames(), c.minFrames) << c.name;
        EXPECT_LE(s->Frames(), c.maxFrames) << c.name;
        EXPECT_EQ(s->pcm[0], c.firstLeft) << c.name;
        EXPECT_EQ(s->pcm[1], c.firstRight) << c.name;
        EXPECT_EQ(s->sourceBytes, c.data.size()) << c.name;
    }
}

TEST(SoundOutput, OpensOnlyTheMixingFormat)
{
    SoundMixer mixer;
    EXPECT_EQ(SoundOutput::Open(mixer, 22050, 16, 2), nullptr);
    EXPECT_EQ(SoundOutput::Open(mixer, 44100, 8, 2), nullptr);
    EXPECT_EQ(SoundOutput::Open(mixer, 44100, 16, 1), nullptr);

    auto output = SoundOutput::Open(mixer, 44100, 16, 2);
    ASSERT_NE(output, nullptr) << SDL_GetError();
    SoundBuffer b(mixer, Ramp(10));
    b.Play(false);
    // The output thread plays the ten frames and the buffer stops by itself.
    for (int i = 0; i < 200 && b.IsPlaying(); ++i)
        SDL_Delay(5);
    EXPECT_FALSE(b.IsPlaying());
}
