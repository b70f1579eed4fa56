// Time to render a 40-character Korean line into a text texture: measure, size the GDI surface,
// draw, copy into the texture (as a label does when its text changes).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "CX2DGDI.h"
#include "CXGfxDevice.h"

namespace {

void BM_KoreanLineToTexture(benchmark::State& state) {
    CXGfxDevice* dev = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
    dev->System_SetState(GFX_STATE_WINDOWED, true);
    dev->System_SetState(GFX_STATE_USE_SOUND, false);
    dev->System_SetState(GFX_STATE_WINDOW_WIDTH, 320);
    dev->System_SetState(GFX_STATE_WINDOW_HEIGHT, 240);
    if (!dev->System_Initiate(0) || !dev->GetGpu()) {
        state.SkipWithError("no graphics device (run under a display)");
        dev->Release();
        return;
    }
    TextFontDesc desc;
    std::strcpy(desc.faceName, "나눔고딕");
    desc.height = -16;
    TextFont font = platform::CreateFont(desc);
    std::string line;
    while (line.size() < 80) line += "가나다라마바사아자차카타파하";  // 2 bytes per character
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
    dev->System_Shutdown();
    dev->Release();
}
BENCHMARK(BM_KoreanLineToTexture)->Unit(benchmark::kMicrosecond);

}  // namespace
