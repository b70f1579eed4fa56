#pragma once
// Start-up and shutdown of the real graphics device the drawing tests share: windowed, with the
// window the size of the screen unless told otherwise, sound on the dummy driver or off.
#include <gtest/gtest.h>

#include <string>

#include "CXGfxDevice.h"

// Why the last StartTestDevice failed (empty after a success): the fixtures repeat it in every
// test that finds no device, so that the failure explains itself.
inline std::string& TestDeviceFailure()
{
    static std::string reason;
    return reason;
}

// The started device, or nullptr after a failed start-up (reported as a test failure, with the
// device's error message and the GPU layer's reason, and the device released).
inline CXGfxDevice* StartTestDevice(int width, int height, bool sound, int windowWidth = 0, int windowHeight = 0)
{
    TestDeviceFailure().clear();
    CXGfxDevice* device = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
    if (!device) {
        TestDeviceFailure() = "no graphics device (CreateGfxDevice refused the version)";
        ADD_FAILURE() << TestDeviceFailure();
        return nullptr;
    }
    device->System_SetState(GFX_STATE_WINDOWED, true);
    device->System_SetState(GFX_STATE_USE_SOUND, sound);
    device->System_SetState(GFX_STATE_SCREEN_WIDTH, width);
    device->System_SetState(GFX_STATE_SCREEN_HEIGHT, height);
    device->System_SetState(GFX_STATE_WINDOW_WIDTH, windowWidth ? windowWidth : width);
    device->System_SetState(GFX_STATE_WINDOW_HEIGHT, windowHeight ? windowHeight : height);
    if (!device->System_Initiate(0) || !device->GetGpu()) {
        std::string reason = std::string("device start-up failed: \"") + device->System_GetErrorMessage() + "\"";
        if (*GpuDevice::LastError())
            reason += std::string("; GPU layer: \"") + GpuDevice::LastError() + "\"";
        if (!device->GetGpu() && !*device->System_GetErrorMessage())
            reason += " (started without a GPU device)";
        TestDeviceFailure() = reason;
        ADD_FAILURE() << reason;
        device->Release();
        return nullptr;
    }
    return device;
}

inline void StopTestDevice(CXGfxDevice*& device)
{
    if (!device)
        return;
    device->System_Shutdown();
    device->Release();
    device = nullptr;
}
