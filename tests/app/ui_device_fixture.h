#pragma once
// A started graphics device (small window under Xvfb, no sound) with one render target that the UI
// drawing tests draw into through the frame's sprite batch and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "CX2DEngine.h"
#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"
#include "engine/device_start.h"

class UIDeviceTest : public testing::Test {
protected:
    static constexpr int kTargetWidth = 256;
    static constexpr int kTargetHeight = 96;
    static constexpr uint32_t kClear = 0xFF000000;

    static void SetUpTestSuite() { s_dev = StartTestDevice(kTargetWidth, kTargetHeight, false); }
    static void TearDownTestSuite() { StopTestDevice(s_dev); }

    void SetUp() override
    {
        ASSERT_NE(s_dev, nullptr) << "the device did not start";
        m_target = s_dev->Target_Create(kTargetWidth, kTargetHeight, false, GPU_FORMAT_A8R8G8B8);
        ASSERT_NE(m_target, nullptr);
    }
    void TearDown() override
    {
        if (!s_dev)
            return;
        if (Batch().IsBegun())
            Batch().End();
        if (s_dev->InScene())
            s_dev->Gfx_EndScene(false);
        s_dev->Target_Free(m_target);
        for (HTEXTURE t : m_textures)
            s_dev->GetGpu()->DestroyTexture(t);
        m_textures.clear();
    }

    // A texture of one colour, destroyed with the test.
    HTEXTURE Solid(int w, int h, uint32_t argb)
    {
        std::vector<uint32_t> pixels(size_t(w) * h, argb);
        HTEXTURE t = s_dev->GetGpu()->CreateTexture(w, h, GPU_FORMAT_A8R8G8B8);
        EXPECT_TRUE(s_dev->GetGpu()->Upload(t, pixels.data(), w * 4));
        m_textures.push_back(t);
        return t;
    }

    static CXSpriteBatch& Batch() { return *s_dev->GetSpriteBatch(); }

    // A scene on the target, cleared, with the sprite batch begun as the application begins it.
    void Begin()
    {
        ASSERT_TRUE(s_dev->Gfx_BeginScene(m_target));
        s_dev->Gfx_Clear(kClear);
        ASSERT_TRUE(Batch().Begin(CXSPRITE_ALPHABLEND));
    }
    void End()
    {
        Batch().End();
        s_dev->Gfx_EndScene(false);
    }

    std::vector<uint32_t> ReadBack()
    {
        std::vector<uint32_t> pixels(size_t(kTargetWidth) * kTargetHeight);
        GpuRect all{0, 0, kTargetWidth, kTargetHeight};
        EXPECT_TRUE(
            s_dev->GetGpu()->ReadPixels(s_dev->Target_GetTexture(m_target), &all, pixels.data()));
        return pixels;
    }
    uint32_t Pixel(int x, int y)
    {
        uint32_t value = 0;
        GpuRect one{x, y, 1, 1};
        EXPECT_TRUE(s_dev->GetGpu()->ReadPixels(s_dev->Target_GetTexture(m_target), &one, &value));
        return value;
    }

    // A box of pixels of the target; left > right when there is none.
    struct Ink {
        int left = kTargetWidth, top = kTargetHeight, right = -1, bottom = -1;
        bool Empty() const { return right < left; }
    };
    // The box around every pixel of a read-back target for which `inked` (of its ARGB) holds.
    template <typename Inked>
    static Ink InkBox(const std::vector<uint32_t>& pixels, Inked inked)
    {
        Ink ink;
        for (int y = 0; y < kTargetHeight; ++y)
            for (int x = 0; x < kTargetWidth; ++x)
                if (inked(pixels[size_t(y) * kTargetWidth + x])) {
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                }
        return ink;
    }
    // The box around every pixel that is not the clear colour.
    Ink FindInk()
    {
        return InkBox(ReadBack(), [](uint32_t argb) { return argb != kClear; });
    }
    // The box around every pixel of one colour.
    Ink FindColour(uint32_t colour)
    {
        return InkBox(ReadBack(), [colour](uint32_t argb) { return argb == colour; });
    }

    static inline CXGfxDevice* s_dev = nullptr;
    HTARGET m_target = nullptr;
    std::vector<HTEXTURE> m_textures;
};
