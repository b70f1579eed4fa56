// Cost of mixing one 10 ms block (441 frames at 44100 Hz) of 32 playing voices.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/sound.h"

static void BM_Mix32Voices10ms(benchmark::State& state)
{
    auto samples = std::make_shared<platform::SoundSamples>();
    const size_t frames = platform::kSoundRate;  // one second, looped
    for (size_t i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(8000 * std::sin(i * 0.0627));
        samples->pcm.push_back(v);
        samples->pcm.push_back(v);
    }
    samples->sourceBytes = static_cast<uint32_t>(frames * 4);
    samples->sourceRate = platform::kSoundRate;
    samples->sourceBlockAlign = 4;

    std::vector<platform::SoundVoice> voices(static_cast<size_t>(state.range(0)));
    std::vector<platform::SoundVoice*> pointers;
    for (size_t i = 0; i < voices.size(); ++i) {
        voices[i].samples = samples;
        voices[i].frame = i * 997 % frames;
        voices[i].volume = -static_cast<int32_t>(i * 50);
        voices[i].pan = static_cast<int32_t>(i * 100) - 1600;
        voices[i].playing = true;
        voices[i].looping = true;
        pointers.push_back(&voices[i]);
    }
    std::vector<int16_t> out(441 * platform::kSoundChannels);
    for (auto _ : state) {
        platform::MixVoices(pointers, out.data(), 441);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Mix32Voices10ms)->Arg(32);
