// Time to render a 40-character Korean line into a text texture: measure, size the GDI surface,
// draw, copy into the texture (as a label does when its text changes).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "CX2DGDI.h"
#include "CXGfxDevice.h"
#include "support/gfx_device.h"

namespace {

void BM_KoreanLineToTexture(benchmark::State& state)
{
    std::string error;
    CXGfxDevice* dev = test_support::StartGfxDevice(800, 600, false, error, 320, 240);
    if (!dev) {
        state.SkipWithError(error.c_str());
        return;
    }
    TextFontDesc desc;
    std::strcpy(desc.faceName, "나눔고딕");
    desc.height = -16;
    TextFont font = platform::CreateFont(desc);
    std::string line;
    while (line.size() < 80)
        line += "가나다라마바사아자차카타파하";  // 2 bytes per character
    line.resize(80);
    {
        CX2DGDI gdi;
        gdi.SetFont(font);
        platform::SetBkMode(gdi.GetDC(), TEXT_BK_TRANSPARENT);
        platform::SetTextColor(gdi.GetDC(), 0xFFFFFF);
        HTEXTURE texture = dev->GetGpu()->CreateTexture(1024, 32, GPU_FORMAT_A8R8G8B8);
        for (auto _ : state) {
            TextSize size;
            platform::GetTextExtent(gdi.GetDC(), line.c_str(), -1, &size);
            gdi.Resize(size.cx, size.cy);
            TextRect rect{0, 0, size.cx, size.cy};
            platform::DrawText(gdi.GetDC(), line.c_str(), -1, &rect, 0);
            gdi.CopyToTexture(texture, 0, 0, 0, 0, 0, 0);
        }
        dev->GetGpu()->DestroyTexture(texture);
    }
    platform::DeleteFont(font);
    test_support::StopGfxDevice(dev);
}
BENCHMARK(BM_KoreanLineToTexture)->Unit(benchmark::kMicrosecond);

}  // namespace
