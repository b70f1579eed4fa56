#include "wave_tone.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool WriteToneWAV(const std::string& path, double frequency, double seconds, int sampleRate)
{
    const uint32_t samples = static_cast<uint32_t>(seconds * sampleRate);
    const uint32_t dataBytes = samples * 2;
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, static_cast<uint32_t>(sampleRate));
    Put32(out, static_cast<uint32_t>(sampleRate) * 2);
    Put16(out, 2);   // block align
    Put16(out, 16);  // bits per sample
    PutTag(out, "data");
    Put32(out, dataBytes);
    const double fade = 0.010 * sampleRate;
    for (uint32_t i = 0; i < samples; ++i) {
        const double envelope = std::min({1.0, i / fade, (samples - i) / fade});
        const double value = 0.5 * envelope * std::sin(2.0 * M_PI * frequency * i / sampleRate);
        Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767.0))));
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
