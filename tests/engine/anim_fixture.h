#pragma once
// A started graphics device (under Xvfb) with sound on the dummy driver, a 64 x 64 render target,
// and a scratch folder that is the resource base while a test runs, so that animation and
// particle files, images, sounds and PSI records can be written there under relative names.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "CXString.h"
#include "platform/image.h"

class AnimTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dev = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
        s_dev->System_SetState(GFX_STATE_WINDOWED, true);
        s_dev->System_SetState(GFX_STATE_USE_SOUND, false);
        s_dev->System_SetState(GFX_STATE_SCREEN_WIDTH, 320);
        s_dev->System_SetState(GFX_STATE_SCREEN_HEIGHT, 240);
        s_dev->System_SetState(GFX_STATE_WINDOW_WIDTH, 320);
        s_dev->System_SetState(GFX_STATE_WINDOW_HEIGHT, 240);
        s_ready = s_dev->System_Initiate(0) && s_dev->GetGpu() && s_dev->InitSound(0);
    }
    static void TearDownTestSuite()
    {
        s_dev->System_Shutdown();
        s_dev->Release();
        s_dev = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_ready) << s_dev->System_GetErrorMessage();
        m_folder = std::filesystem::temp_directory_path() /
                   ("anim_" + std::to_string(std::random_device{}()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_folder.string() + "/";
        m_target = s_dev->Target_Create(64, 64, false, GPU_FORMAT_A8R8G8B8);
        ASSERT_NE(m_target, nullptr);
    }
    void TearDown() override
    {
        s_dev->Target_Free(m_target);
        s_dev->m_bLastPass = true;
        g_strResourceBase = m_savedBase;
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const auto path = m_folder / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void WriteText(const std::string& name, const std::string& text)
    {
        WriteBytes(name, std::vector<uint8_t>(text.begin(), text.end()));
    }
    void WritePng(const std::string& name, int w, int h, const std::vector<uint32_t>& argb)
    {
        const auto path = m_folder / name;
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(Image_SavePNG(path.string().c_str(), w, h, argb.data(), w * 4)) << name;
    }
    void WriteSolidPng(const std::string& name, int w, int h, uint32_t argb)
    {
        WritePng(name, w, h, std::vector<uint32_t>(size_t(w) * h, argb));
    }

    void Begin()
    {
        ASSERT_TRUE(s_dev->Gfx_BeginScene(m_target));
        s_dev->Gfx_Clear(0xFF000000);
    }
    void End() { s_dev->Gfx_EndScene(false); }
    uint32_t Pixel(int x, int y)
    {
        uint32_t v = 0;
        GpuRect r{x, y, 1, 1};
        EXPECT_TRUE(s_dev->GetGpu()->ReadPixels(s_dev->Target_GetTexture(m_target), &r, &v));
        return v;
    }

    static CXGfxDevice* s_dev;
    static bool s_ready;
    std::filesystem::path m_folder;
    std::string m_savedBase;
    HTARGET m_target = nullptr;
};

inline CXGfxDevice* AnimTest::s_dev = nullptr;
inline bool AnimTest::s_ready = false;
