// Sound buffers, a software mixer and the audio output over SDL2.
// Stands in for: DirectSoundCreate, the primary buffer and its format, secondary sound buffers
//   and DirectSound's mixing (see sound.h).
// Not here: SetCooperativeLevel, Lock/Unlock of buffer memory (kept by the engine), frequency
//   control, 3D sound.
#include "platform/sound.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace platform {

namespace {

std::string g_outputError;

// SDL's name of a source format, or 0 when the mixer cannot take it. 24-bit PCM has no SDL
// format: it is widened to 32 bits first (see Widen24).
SDL_AudioFormat SourceFormat(const SoundFormat& f)
{
    const uint16_t tag = f.formatTag == kSoundFormatExtensible ? f.subFormat : f.formatTag;
    if (tag == kSoundFormatPCM) {
        switch (f.bitsPerSample) {
        case 8:
            return AUDIO_U8;
        case 16:
            return AUDIO_S16LSB;
        case 24:
            return AUDIO_S32LSB;
        case 32:
            return AUDIO_S32LSB;
        default:
            return 0;
        }
    }
    if (tag == kSoundFormatFloat && f.bitsPerSample == 32)
        return AUDIO_F32LSB;
    return 0;
}

// Sample rates a sound file may sensibly have; others load no sound (the resampler overflows
// on rates far above these).
constexpr uint32_t kSoundMinSourceRate = 1000;
constexpr uint32_t kSoundMaxSourceRate = 384000;

// Little-endian 24-bit samples as 32-bit ones (the three bytes in the high part).
std::vector<uint8_t> Widen24(const uint8_t* data, size_t bytes)
{
    std::vector<uint8_t> out(bytes / 3 * 4);
    for (size_t i = 0, o = 0; i + 3 <= bytes; i += 3, o += 4) {
        out[o] = 0;
        out[o + 1] = data[i];
        out[o + 2] = data[i + 1];
        out[o + 3] = data[i + 2];
    }
    return out;
}

}  // namespace

std::shared_ptr<const SoundSamples> ConvertSound(const SoundFormat& format, const uint8_t* data,
                                                 size_t bytes)
{
    const SDL_AudioFormat src = SourceFormat(format);
    if (src == 0 || data == nullptr || format.channels < 1 || format.channels > 8 ||
        format.samplesPerSec < kSoundMinSourceRate || format.samplesPerSec > kSoundMaxSourceRate ||
        format.blockAlign != format.channels * format.bitsPerSample / 8)
        return nullptr;
    const size_t whole = bytes - bytes % format.blockAlign;
    if (whole == 0 || whole > INT32_MAX)
        return nullptr;

    std::vector<uint8_t> widened;
    const uint8_t* put = data;
    size_t putBytes = whole;
    if (format.bitsPerSample == 24) {
        if (whole / 3 * 4 > INT32_MAX)
            return nullptr;
        widened = Widen24(data, whole);
        put = widened.data();
        putBytes = widened.size();
    }

    SDL_AudioStream* stream = SDL_NewAudioStream(src, static_cast<Uint8>(format.channels),
                                                 static_cast<int>(format.samplesPerSec),
                                                 AUDIO_S16SYS, kSoundChannels, kSoundRate);
    if (stream == nullptr)
        return nullptr;
    auto out = std::make_shared<SoundSamples>();
    bool ok = SDL_AudioStreamPut(stream, put, static_cast<int>(putBytes)) == 0 &&
              SDL_AudioStreamFlush(stream) == 0;
    if (ok) {
        const int available = SDL_AudioStreamAvailable(stream);
        out->pcm.resize(static_cast<size_t>(available) / sizeof(int16_t));
        const int got = SDL_AudioStreamGet(stream, out->pcm.data(), available);
        ok = got >= 0;
        if (ok)
            out->pcm.resize(static_cast<size_t>(got) / sizeof(int16_t));
    }
    SDL_FreeAudioStream(stream);
    if (!ok)
        return nullptr;
    out->pcm.resize(out->Frames() * kSoundChannels);
    if (out->Frames() == 0)
        return nullptr;
    out->sourceBytes = static_cast<uint32_t>(bytes);
    out->sourceRate = format.samplesPerSec;
    out->sourceBlockAlign = format.blockAlign;
    return out;
}

float GainFromHundredthsDb(int32_t hundredthsDb)
{
    if (hundredthsDb <= kSoundVolumeMin)
        return 0.0f;
    if (hundredthsDb >= 0)
        return 1.0f;
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

void MixVoices(std::span<SoundVoice* const> voices, int16_t* out, size_t frames)
{
    // Summed in float so that many loud voices clip once, at the end.
    // Kept per thread: the mixing thread sums every block without allocating.
    thread_local std::vector<float> sum;
    sum.assign(frames * kSoundChannels, 0.0f);
    for (SoundVoice* v : voices) {
        if (!v->playing || !v->samples)
            continue;
        const size_t total = v->samples->Frames();
        if (total == 0) {
            v->playing = false;
            continue;
        }
        // A positive pan lowers the left side by its amount, a negative one the right side.
        const float left = platform::GainFromHundredthsDb(v->volume - std::max(v->pan, 0));
        const float right = platform::GainFromHundredthsDb(v->volume - std::max(-v->pan, 0));
        const int16_t* pcm = v->samples->pcm.data();
        size_t done = 0;
        while (done < frames) {
            const size_t take = std::min(frames - done, total - v->frame);
            if (left != 0.0f || right != 0.0f) {
                const int16_t* src = pcm + v->frame * kSoundChannels;
                float* dst = sum.data() + done * kSoundChannels;
                for (size_t i = 0; i < take; ++i) {
                    dst[2 * i] += src[2 * i] * left;
                    dst[2 * i + 1] += src[2 * i + 1] * right;
                }
            }
            done += take;
            v->frame += take;
            if (v->frame >= total) {
                v->frame = 0;
                if (!v->looping) {
                    v->playing = false;
                    break;
                }
            }
        }
    }
    for (size_t i = 0; i < sum.size(); ++i)
        out[i] = static_cast<int16_t>(std::clamp(std::lround(sum[i]), -32768L, 32767L));
}

// ---- SoundBuffer ----

SoundBuffer::SoundBuffer(SoundMixer& mixer, std::shared_ptr<const SoundSamples> samples)
    : m_pMixer(&mixer)
{
    m_voice.samples = std::move(samples);
    mixer.Attach(this);
}

SoundBuffer::~SoundBuffer()
{
    if (m_pMixer)
        m_pMixer->Detach(this);
}

std::unique_lock<std::mutex> SoundBuffer::Guard() const
{
    // A detached buffer is no longer seen by any output thread, so it needs no lock.
    return m_pMixer ? std::unique_lock<std::mutex>(m_pMixer->m_lock)
                    : std::unique_lock<std::mutex>();
}

std::unique_ptr<SoundBuffer> SoundBuffer::Duplicate() const
{
    if (!m_pMixer)
        return nullptr;
    int32_t volume, pan;
    {
        auto lock = Guard();
        volume = m_voice.volume;
        pan = m_voice.pan;
    }
    auto copy = std::make_unique<SoundBuffer>(*m_pMixer, m_voice.samples);
    copy->SetVolume(volume);
    copy->SetPan(pan);
    return copy;
}

void SoundBuffer::Play(bool loop)
{
    auto lock = Guard();
    m_voice.looping = loop;
    m_voice.playing = m_voice.samples != nullptr;
}

void SoundBuffer::Stop()
{
    auto lock = Guard();
    m_voice.playing = false;
}

bool SoundBuffer::SetPosition(uint32_t byteOffset)
{
    auto lock = Guard();
    const SoundSamples* s = m_voice.samples.get();
    if (!s || byteOffset >= s->sourceBytes)
        return false;
    const uint64_t sourceFrame = byteOffset / s->sourceBlockAlign;
    const size_t frame = static_cast<size_t>(sourceFrame * kSoundRate / s->sourceRate);
    m_voice.frame = std::min(frame, s->Frames() - 1);
    return true;
}

bool SoundBuffer::SetVolume(int32_t volume)
{
    if (volume < kSoundVolumeMin || volume > kSoundVolumeMax)
        return false;
    auto lock = Guard();
    m_voice.volume = volume;
    return true;
}

int32_t SoundBuffer::GetVolume() const
{
    auto lock = Guard();
    return m_voice.volume;
}

bool SoundBuffer::SetPan(int32_t pan)
{
    if (pan < kSoundPanLeft || pan > kSoundPanRight)
        return false;
    auto lock = Guard();
    m_voice.pan = pan;
    return true;
}

int32_t SoundBuffer::GetPan() const
{
    auto lock = Guard();
    return m_voice.pan;
}

bool SoundBuffer::IsPlaying() const
{
    auto lock = Guard();
    return m_voice.playing;
}

bool SoundBuffer::IsLooping() const
{
    auto lock = Guard();
    return m_voice.looping;
}

void SoundBuffer::SetSamples(std::shared_ptr<const SoundSamples> samples)
{
    auto lock = Guard();
    m_voice.samples = std::move(samples);
    const size_t frames = m_voice.samples ? m_voice.samples->Frames() : 0;
    if (frames == 0) {
        m_voice.frame = 0;
        m_voice.playing = false;
    } else if (m_voice.frame >= frames) {
        m_voice.frame = frames - 1;
    }
}

// ---- SoundMixer ----

SoundMixer::~SoundMixer()
{
    std::lock_guard lock(m_lock);
    for (SoundBuffer* b : m_buffers)
        b->m_pMixer = nullptr;
}

void SoundMixer::Attach(SoundBuffer* buffer)
{
    std::lock_guard lock(m_lock);
    m_buffers.push_back(buffer);
}

void SoundMixer::Detach(SoundBuffer* buffer)
{
    std::lock_guard lock(m_lock);
    std::erase(m_buffers, buffer);
}

void SoundMixer::Render(int16_t* out, size_t frames)
{
    std::lock_guard lock(m_lock);
    m_scratch.clear();
    for (SoundBuffer* b : m_buffers)
        if (b->m_voice.playing)
            m_scratch.push_back(&b->m_voice);
    platform::MixVoices(m_scratch, out, frames);
}

// ---- SoundOutput ----

std::unique_ptr<SoundOutput> SoundOutput::Open(SoundMixer& mixer, int samplesPerSec, int bits,
                                               int channels)
{
    g_outputError.clear();
    if (samplesPerSec != kSoundRate || bits != kSoundBits || channels != kSoundChannels) {
        g_outputError = "only 44100 Hz, 16 bits, stereo is played";
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        g_outputError = std::string("no audio: ") + SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<SoundOutput> output(new SoundOutput(mixer));
    SDL_AudioSpec want{};
    want.freq = kSoundRate;
    want.format = AUDIO_S16SYS;
    want.channels = kSoundChannels;
    want.samples = 512;  // about 12 ms per block
    want.callback = &SoundOutput::Callback;
    want.userdata = output.get();
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    output->m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (output->m_device == 0) {
        g_outputError = std::string("SDL_OpenAudioDevice: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(output->m_device, 0);
    return output;
}

const char* SoundOutput::LastError()
{
    return g_outputError.c_str();
}

SoundOutput::~SoundOutput()
{
    SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundOutput::Callback(void* user, uint8_t* stream, int len)
{
    auto* self = static_cast<SoundOutput*>(user);
    self->m_mixer.Render(reinterpret_cast<int16_t*>(stream),
                         static_cast<size_t>(len) / (sizeof(int16_t) * kSoundChannels));
}

}  // namespace platform
