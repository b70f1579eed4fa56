#pragma once
// The sound format the tests make their buffers in: 16-bit mono PCM at the mixing rate, so that a
// frame of the buffer is one output frame, left = right.

#include "platform/sound.h"

namespace test_support {

inline platform::SoundFormat Mono16Format()
{
    platform::SoundFormat f;
    f.formatTag = platform::kSoundFormatPCM;
    f.channels = 1;
    f.samplesPerSec = 44100;
    f.avgBytesPerSec = 88200;
    f.blockAlign = 2;
    f.bitsPerSample = 16;
    return f;
}

}  // namespace test_support
