#pragma once
// Start-up and shutdown of the real graphics device the drawing tests share: windowed, with the
// window the size of the screen unless told otherwise, sound on the dummy driver or off.
#include <gtest/gtest.h>

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
