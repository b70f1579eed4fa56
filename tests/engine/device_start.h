#pragma once
// Start-up and shutdown of the real graphics device the drawing tests share: windowed, with the
// screen and the window the same small size, sound on the dummy driver or off.
#include <gtest/gtest.h>

#include "CXGfxDevice.h"

// The started device, or nullptr after a failed start-up (reported as a test failure, with the
// device's own error message, and the device released).
inline CXGfxDevice* StartTestDevice(int width, int height, bool sound)
{
    CXGfxDevice* device = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
    if (!device) {
        ADD_FAILURE() << "no graphics device";
        return nullptr;
    }
    device->System_SetState(GFX_STATE_WINDOWED, true);
    device->System_SetState(GFX_STATE_USE_SOUND, sound);
    device->System_SetState(GFX_STATE_SCREEN_WIDTH, width);
    device->System_SetState(GFX_STATE_SCREEN_HEIGHT, height);
    device->System_SetState(GFX_STATE_WINDOW_WIDTH, width);
    device->System_SetState(GFX_STATE_WINDOW_HEIGHT, height);
    if (!device->System_Initiate(0) || !device->GetGpu()) {
        ADD_FAILURE() << "device start-up failed: " << device->System_GetErrorMessage();
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
