#pragma once
// Start-up and shutdown of the real graphics device the drawing tests share: windowed, with the
// screen and the window the same small size, sound on the dummy driver or off.
#include <gtest/gtest.h>

#include <string>

#include "CXGfxDevice.h"
#include "support/gfx_device.h"

// The started device, or nullptr after a failed start-up (reported as a test failure, with the
// device's own error message, and the device released).
inline CXGfxDevice* StartTestDevice(int width, int height, bool sound)
{
    std::string error;
    CXGfxDevice* device = test_support::StartGfxDevice(width, height, sound, error);
    if (!device)
        ADD_FAILURE() << error;
    return device;
}

inline void StopTestDevice(CXGfxDevice*& device)
{
    test_support::StopGfxDevice(device);
}
