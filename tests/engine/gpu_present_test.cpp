// Present on the real device: the 1920 x 1080 back buffer stretched over a 1280 x 720 window,
// top row at the top, read back from the window.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "device_start.h"

namespace {

std::string Hex(uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

CXQuad Solid(float x0, float y0, float x1, float y1, uint32_t colour)
{
    CXQuad q{};
    q.v[0] = {x0, y0, 0, colour, 0, 0};
    q.v[1] = {x1, y0, 0, colour, 0, 0};
    q.v[2] = {x1, y1, 0, colour, 0, 0};
    q.v[3] = {x0, y1, 0, colour, 0, 0};
    q.blend = BLEND_DEFAULT;
    return q;
}

TEST(GpuPresent, TheBackBufferIsStretchedOverTheWindowTopRowAtTheTop)
{
    CXGfxDevice* dev = StartTestDevice(1920, 1080, false, 1280, 720);
    ASSERT_NE(dev, nullptr);
    ASSERT_TRUE(dev->Gfx_BeginScene(nullptr));
    dev->Gfx_Clear(0xFF000000);
    // Red over the top-left quarter, green over the bottom-right one, a blue band over the top 30
    // rows (20 in the window).
    dev->Gfx_RenderQuad(Solid(0, 0, 960, 540, 0xFFFF0000));
    dev->Gfx_RenderQuad(Solid(960, 540, 1920, 1080, 0xFF00FF00));
    dev->Gfx_RenderQuad(Solid(0, 0, 1920, 30, 0xFF0000FF));
    dev->GetGpu()->CapturePresents(true);
    dev->Gfx_EndScene(true);

    std::vector<uint32_t> px;
    int w = 0, h = 0;
    ASSERT_TRUE(dev->GetGpu()->ReadPresented(px, w, h));
    ASSERT_EQ(w, 1280);
    ASSERT_EQ(h, 720);
    struct Probe {
        int x, y;
        uint32_t colour;
    };
    const Probe probes[] = {
        {5, 5, 0xFF0000FF},     {1275, 15, 0xFF0000FF},  {100, 100, 0xFFFF0000},
        {630, 355, 0xFFFF0000}, {650, 100, 0xFF000000},  {100, 365, 0xFF000000},
        {650, 365, 0xFF00FF00}, {1275, 715, 0xFF00FF00}, {1275, 100, 0xFF000000},
        {5, 715, 0xFF000000},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(Hex(px[size_t(p.y) * w + p.x]), Hex(p.colour))
            << "window pixel " << p.x << "," << p.y;
    StopTestDevice(dev);
}

}  // namespace
