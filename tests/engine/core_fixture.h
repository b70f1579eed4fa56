#pragma once
// A device brought up on a small hidden-from-tests window with a recording sink and a fake clock.

#include <gtest/gtest.h>

#include "CXGfxDevice.h"
#include "fake_core_sink.h"

// A device made after emptying the message queue, recording its drawing in `sink`, with sound off,
// not started yet; nullptr if none was made.
inline CXGfxDevice* CreateRecordedDevice(FakeCoreSink& sink)
{
    platform::ResetMessageQueue();
    CXGfxDevice* device = CreateGfxDevice(16);
    if (device) {
        device->SetSink(&sink);
        device->System_SetState(GFX_STATE_USE_SOUND, false);
    }
    return device;
}

class CoreDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        device = CreateRecordedDevice(sink);
        ASSERT_NE(device, nullptr);
        device->SetClock(&clock);
        device->System_SetState(GFX_STATE_WINDOWED, true);
        device->System_SetState(GFX_STATE_SCREEN_WIDTH, 800);
        device->System_SetState(GFX_STATE_SCREEN_HEIGHT, 600);
        device->System_SetState(GFX_STATE_WINDOW_WIDTH, 320);
        device->System_SetState(GFX_STATE_WINDOW_HEIGHT, 180);
        ASSERT_TRUE(device->System_Initiate(0))
            << "device start-up failed: \"" << device->System_GetErrorMessage() << "\"";
        sink.draws.clear();
        sink.calls.clear();
        sink.presents = 0;
    }
    void TearDown() override
    {
        device->Release();
        platform::ResetMessageQueue();
        EXPECT_EQ(g_pGfxDevice, nullptr);
    }

    static CXQuad Quad(HTEXTURE texture, uint32_t blend = BLEND_DEFAULT)
    {
        CXQuad q{};
        q.tex = texture;
        q.blend = blend;
        return q;
    }

    CXGfxDevice* device = nullptr;
    FakeCoreSink sink;
    FakeCoreClock clock;
};
