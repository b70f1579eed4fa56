#pragma once
// A started graphics device (under Xvfb) with sound on the dummy driver, a 64 x 64 render target,
// and a scratch folder that is the resource base while a test runs, so that animation and
// particle files, images, sounds and PSI records can be written there under relative names.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "CXString.h"
#include "device_start.h"
#include "platform/image.h"
#include "support/temp_folder.h"

class AnimTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_dev = StartTestDevice(320, 240, true); }
    static void TearDownTestSuite() { StopTestDevice(s_dev); }

    void SetUp() override
    {
        ASSERT_NE(s_dev, nullptr) << "the device did not start: " << TestDeviceFailure();
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_folder.Slashed();
        m_target = s_dev->Target_Create(64, 64, false, GPU_FORMAT_A8R8G8B8);
        ASSERT_NE(m_target, nullptr);
    }
    void TearDown() override
    {
        if (!s_dev)
            return;
        s_dev->Target_Free(m_target);
        s_dev->m_bLastPass = true;
        g_strResourceBase = m_savedBase;
    }

    void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        m_folder.Write(name, bytes);
    }
    void WriteText(const std::string& name, const std::string& text) { m_folder.Write(name, text); }
    void WritePng(const std::string& name, int w, int h, const std::vector<uint32_t>& argb)
    {
        const auto path = m_folder.Path() / name;
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(platform::SavePng(path.string().c_str(), w, h, argb.data(), w * 4)) << name;
    }
    void WriteSolidPng(const std::string& name, int w, int h, uint32_t argb)
    {
        WritePng(name, w, h, std::vector<uint32_t>(size_t(w) * h, argb));
    }

    void Begin() { BeginTargetScene(s_dev, m_target, 0xFF000000); }
    void End() { s_dev->Gfx_EndScene(false); }
    uint32_t Pixel(int x, int y) { return TargetPixel(s_dev, m_target, x, y); }

    static CXGfxDevice* s_dev;
    TempFolder m_folder{"anim"};
    std::string m_savedBase;
    HTARGET m_target = nullptr;
};

inline CXGfxDevice* AnimTest::s_dev = nullptr;
