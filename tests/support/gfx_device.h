#pragma once
// Start-up and shutdown of the real graphics device, shared by the drawing tests and the benchmark
// scenes: windowed, with the screen and the window the same size, sound on the dummy driver or off.

#include <string>

#include "CXGfxDevice.h"

namespace test_support {

// The started device, or nullptr after a failed start-up, with the reason (the device's error
// message and the GPU layer's reason) in `error` and the device released. A window size of 0 means
// the screen's.
inline CXGfxDevice* StartGfxDevice(int width, int height, bool sound, std::string& error,
                                   int windowWidth = 0, int windowHeight = 0)
{
    CXGfxDevice* device = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
    if (!device) {
        error = "no graphics device (CreateGfxDevice refused the version)";
        return nullptr;
    }
    device->System_SetState(GFX_STATE_WINDOWED, true);
    device->System_SetState(GFX_STATE_USE_SOUND, sound);
    device->System_SetState(GFX_STATE_SCREEN_WIDTH, width);
    device->System_SetState(GFX_STATE_SCREEN_HEIGHT, height);
    device->System_SetState(GFX_STATE_WINDOW_WIDTH, windowWidth ? windowWidth : width);
    device->System_SetState(GFX_STATE_WINDOW_HEIGHT, windowHeight ? windowHeight : height);
    if (!device->System_Initiate(0) || !device->GetGpu()) {
        error = std::string("device start-up failed: \"") + device->System_GetErrorMessage() + "\"";
        if (*GpuDevice::LastError())
            error += std::string("; GPU layer: \"") + GpuDevice::LastError() + "\"";
        if (!device->GetGpu() && !*device->System_GetErrorMessage())
            error += " (started without a GPU device)";
        device->Release();
        return nullptr;
    }
    return device;
}

inline void StopGfxDevice(CXGfxDevice*& device)
{
    if (!device)
        return;
    device->System_Shutdown();
    device->Release();
    device = nullptr;
}

// Waits until the GPU has drawn everything sent, by reading one pixel of the back buffer; returns
// it.
inline uint32_t WaitForGpu(CXGfxDevice* device)
{
    uint32_t pixel = 0;
    GpuRect one{0, 0, 1, 1};
    device->GetGpu()->ReadPixels(device->GetGpu()->BackBuffer(), &one, &pixel);
    return pixel;
}

}  // namespace test_support
