#pragma once
// Helpers of the sound tests: a temporary folder for WAVE files, a WAVE of silence, and a
// reference on the graphics device (its resource lookup reads the files).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "CXGfxDevice.h"

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

// A fresh folder per test (a random suffix keeps parallel runs apart), removed afterwards, with a graphics device alive meanwhile.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() /
                   (std::string("cx_sound_") + info->test_suite_name() + "_" + info->name() + "_" +
                    std::to_string(std::random_device{}()));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        m_pGfx = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
        ASSERT_NE(m_pGfx, nullptr);
    }
    void TearDown() override
    {
        if (m_pGfx)
            m_pGfx->Release();
        std::filesystem::remove_all(m_folder);
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const auto path = m_folder / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::string WriteSilence(const std::string& name) { return Write(name, SilentWave(44100 * 5)); }

    std::filesystem::path m_folder;
    CXGfxDevice* m_pGfx = nullptr;
};

}  // namespace sound_test
