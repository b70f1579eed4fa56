#pragma once
// Helpers of the sound tests: a temporary folder for WAVE files, a WAVE of silence, and a
// reference on the graphics device (its resource lookup reads the files).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "support/temp_folder.h"

namespace sound_test {

// 16-bit stereo PCM at 44100 Hz, all zero: a five-second one stays playing through a test.
inline std::vector<uint8_t> SilentWave(uint32_t frames)
{
    const uint32_t data = frames * 4;
    auto le32 = [](std::vector<uint8_t>& v, uint32_t x) {
        for (int i = 0; i < 4; ++i)
            v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    };
    std::vector<uint8_t> v = {'R', 'I', 'F', 'F'};
    le32(v, 36 + data);
    for (char c : std::string("WAVEfmt "))
        v.push_back(static_cast<uint8_t>(c));
    le32(v, 16);
    const uint8_t fmt[] = {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0};
    v.insert(v.end(), std::begin(fmt), std::end(fmt));
    for (char c : std::string("data"))
        v.push_back(static_cast<uint8_t>(c));
    le32(v, data);
    v.resize(v.size() + data, 0);
    return v;
}

// A fresh folder per test, removed afterwards, with a graphics device alive meanwhile.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pGfx = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
        ASSERT_NE(m_pGfx, nullptr);
    }
    void TearDown() override
    {
        if (m_pGfx)
            m_pGfx->Release();
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        return m_folder.Write(name, bytes);
    }
    std::string WriteSilence(const std::string& name) { return Write(name, SilentWave(44100 * 5)); }

    TempFolder m_folder{"cx_sound"};
    CXGfxDevice* m_pGfx = nullptr;
};

}  // namespace sound_test
