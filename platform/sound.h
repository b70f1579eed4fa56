// Sound buffers, a software mixer and the audio output over SDL2.
// Stands in for: DirectSoundCreate, the primary buffer and its format, secondary sound buffers
//   (CreateSoundBuffer, DuplicateSoundBuffer, Play/Stop, SetCurrentPosition, SetVolume, SetPan,
//   GetStatus), and the hardware mixing behind them.
// Not here: SetCooperativeLevel (no equivalent; the output is shared), Lock/Unlock of buffer memory
//   (the engine keeps the bytes and hands over converted data, see SoundBuffer::SetSamples),
//   frequency control, 3D sound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace platform {

// The one format everything is mixed and played in.
inline constexpr int kSoundRate = 44100;
inline constexpr int kSoundBits = 16;
inline constexpr int kSoundChannels = 2;

// Volumes and pans in hundredths of a decibel, as DirectSound counts them.
inline constexpr int32_t kSoundVolumeMin = -10000;  // silence
inline constexpr int32_t kSoundVolumeMax = 0;       // full
inline constexpr int32_t kSoundPanLeft = -10000;    // right side silent
inline constexpr int32_t kSoundPanRight = 10000;    // left side silent

inline constexpr uint16_t kSoundFormatPCM = 1;
inline constexpr uint16_t kSoundFormatFloat = 3;
inline constexpr uint16_t kSoundFormatExtensible = 0xFFFE;

// The fields of a WAVEFORMATEX that describe sample data.
struct SoundFormat {
    uint16_t formatTag = 0;  // kSoundFormatPCM, kSoundFormatFloat or kSoundFormatExtensible
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;  // of the sample's container
    // Extensible formats only: the tag of the sub-format GUID (PCM or float) when it is one of the
    // standard ones, else 0.
    uint16_t subFormat = 0;
};

// Sample data in the mixing format (interleaved signed 16-bit stereo at kSoundRate), shared by a
// buffer and all its duplicates. The source format is kept to map byte offsets to frames.
struct SoundSamples {
    std::vector<int16_t> pcm;
    uint32_t sourceBytes = 0;
    uint32_t sourceRate = 0;
    uint16_t sourceBlockAlign = 0;

    size_t Frames() const { return pcm.size() / kSoundChannels; }
};

// Converts sample data to the mixing format. Accepts PCM of 8, 16, 24 or 32 bits and 32-bit IEEE
// float, plainly or as the sub-format of an extensible format, rates of 1,000 to 384,000 Hz and 1
// to 8 channels; a trailing partial frame is dropped. Null for any other format, for a block align
// that does not match the format, or when no whole frame results.
std::shared_ptr<const SoundSamples> ConvertSound(const SoundFormat& format, const uint8_t* data,
                                                 size_t bytes);

// Linear gain of a volume in hundredths of a decibel; 0 at kSoundVolumeMin and below.
float GainFromHundredthsDb(int32_t hundredthsDb);

// The state the mixer reads and advances for one buffer.
struct SoundVoice {
    std::shared_ptr<const SoundSamples> samples;
    size_t frame = 0;  // next frame to play
    int32_t volume = kSoundVolumeMax;
    int32_t pan = 0;
    bool playing = false;
    bool looping = false;
};

// Adds every playing voice into `out` (frames x kSoundChannels samples, overwritten), advancing
// each voice. A looping voice wraps to its start; a one-shot voice that reaches its end stops and
// rewinds. The result depends only on the voices, so it runs without any device.
void MixVoices(std::span<SoundVoice* const> voices, int16_t* out, size_t frames);

class SoundMixer;

// One secondary buffer: shared sample data with its own position, volume, pan and play state.
// Every operation is safe against the output thread mixing at the same time.
class SoundBuffer {
public:
    SoundBuffer(SoundMixer& mixer, std::shared_ptr<const SoundSamples> samples);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // A new buffer on the same data and mixer, stopped at the start, with this buffer's volume and
    // pan.
    std::unique_ptr<SoundBuffer> Duplicate() const;

    // Starts (or keeps) playing from the current position.
    void Play(bool loop);
    // Stops and keeps the position, so the next Play resumes there.
    void Stop();
    // Moves to a byte offset of the source format; false past the end of the data.
    bool SetPosition(uint32_t byteOffset);
    // False for a value outside kSoundVolumeMin..kSoundVolumeMax; the volume is then unchanged.
    bool SetVolume(int32_t volume);
    int32_t GetVolume() const;
    // False for a value outside kSoundPanLeft..kSoundPanRight; the pan is then unchanged.
    bool SetPan(int32_t pan);
    int32_t GetPan() const;
    bool IsPlaying() const;
    bool IsLooping() const;
    // Puts new sample data under the buffer (its duplicates keep theirs). The position stays,
    // moved back inside the new data when it is shorter; null data stops the buffer.
    void SetSamples(std::shared_ptr<const SoundSamples> samples);

private:
    friend class SoundMixer;
    std::unique_lock<std::mutex> Guard() const;

    SoundMixer* m_pMixer;
    SoundVoice m_voice;
};

// The set of live buffers and the lock shared with the output thread.
class SoundMixer {
public:
    SoundMixer() = default;
    // Buffers still alive are detached and are never mixed again.
    ~SoundMixer();
    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;

    // Mixes one block of every live buffer (see platform::MixVoices).
    void Render(int16_t* out, size_t frames);

private:
    friend class SoundBuffer;
    void Attach(SoundBuffer* buffer);
    void Detach(SoundBuffer* buffer);

    mutable std::mutex m_lock;
    std::vector<SoundBuffer*> m_buffers;
    std::vector<SoundVoice*> m_scratch;
};

// The audio device: SDL's audio thread pulls blocks from a mixer while the output is open.
class SoundOutput {
public:
    // Opens the default device at the given format, which must be the mixing format (44100 Hz,
    // 16 bits, 2 channels). Null when the format differs or no audio device can be opened; then
    // LastError says why (SDL's own reason for the device).
    static std::unique_ptr<SoundOutput> Open(SoundMixer& mixer, int samplesPerSec, int bits,
                                             int channels);
    static const char* LastError();
    // Stops the audio thread and closes the device; the mixer is not touched afterwards.
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

private:
    SoundOutput(SoundMixer& mixer) : m_mixer(mixer) {}
    static void Callback(void* user, uint8_t* stream, int len);

    SoundMixer& m_mixer;
    uint32_t m_device = 0;
};

}  // namespace platform
