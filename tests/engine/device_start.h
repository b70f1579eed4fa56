#pragma once
// Start-up and shutdown of the real graphics device the drawing tests share: windowed, with the
// window the size of the screen unless told otherwise, sound on the dummy driver or off.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "CXGfxDevice.h"
#include "support/gfx_device.h"

// Why the last StartTestDevice failed (empty after a success): the fixtures repeat it in every
// test that finds no device, so that the failure explains itself.
inline std::string& TestDeviceFailure()
{
    static std::string reason;
    return reason;
}

// The started device, or nullptr after a failed start-up (reported as a test failure, with the
// device's error message and the GPU layer's reason, and the device released).
inline CXGfxDevice* StartTestDevice(int width, int height, bool sound, int windowWidth = 0,
                                    int windowHeight = 0)
{
    TestDeviceFailure().clear();
    CXGfxDevice* device = test_support::StartGfxDevice(width, height, sound, TestDeviceFailure(),
                                                       windowWidth, windowHeight);
    if (!device)
        ADD_FAILURE() << TestDeviceFailure();
    return device;
}

inline void StopTestDevice(CXGfxDevice*& device)
{
    test_support::StopGfxDevice(device);
}

// Opens a scene on the target and clears it to `clear`; a refusal fails the test with the device's
// reason.
inline void BeginTargetScene(CXGfxDevice* device, HTARGET target, uint32_t clear)
{
    ASSERT_TRUE(device->Gfx_BeginScene(target))
        << "no scene on the test target: \"" << device->System_GetErrorMessage() << "\""
        << (device->IsReady() ? "" : " (device not ready)")
        << (device->InScene() ? " (a scene is still open)" : "");
    device->Gfx_Clear(clear);
}

// One pixel (ARGB) of the target, read back; a failed read-back fails the test and gives 0.
inline uint32_t TargetPixel(CXGfxDevice* device, HTARGET target, int x, int y)
{
    uint32_t v = 0;
    GpuRect r{x, y, 1, 1};
    EXPECT_TRUE(device->GetGpu()->ReadPixels(device->Target_GetTexture(target), &r, &v))
        << "read-back of (" << x << "," << y << ") failed"
        << (device->IsReady() ? "" : ": device not ready");
    return v;
}
