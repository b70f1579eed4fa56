// One frame of a lobby-sized widget tree (about 300 controls: image buttons, a few with captions,
// labels, a dozen seven-row text lists): update and draw into a 1920x1080 target. Counters: text
// textures rendered per frame, which should be 0 while no text changes; the second case adds one
// chat line per frame; the third walks the tree outside a scene (update, hit-free draw calls that
// the device refuses), which is the toolkit's own share without the rasteriser's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CDXButton.h"
#include "CDXLabel.h"
#include "CDXWnd.h"
#include "CTextTexture.h"
#include "CUIFrames.h"
#include "CUITexture.h"
#include "CWndTextList.h"
#include "CXFont.h"
#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"
#include "support/gfx_device.h"

namespace {

constexpr int kButtons = 200;
constexpr int kCaptioned = 16;
constexpr int kLabels = 60;
constexpr int kLists = 12;
constexpr int kRows = 7;

// printf-style text (string concatenation of literals trips a false -Wrestrict in g++ 12).
template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, format, args...);
    return buf;
}

struct Lobby {
    CXGfxDevice* dev = nullptr;
    HTARGET target = nullptr;
    std::vector<HTEXTURE> textures;
    CUIFrames frames;
    CXFont font;
    CDXWnd* root = nullptr;
    std::vector<CWndTextList*> lists;

    bool Start(benchmark::State& state)
    {
        std::string error;
        dev = test_support::StartGfxDevice(800, 600, false, error, 320, 240);
        if (!dev) {
            state.SkipWithError(error.c_str());
            return false;
        }
        target = dev->Target_Create(1920, 1080, false, GPU_FORMAT_A8R8G8B8);
        const uint32_t colours[4] = {0xFF3060A0, 0xFF60A0E0, 0xFF4080C0, 0xFF808080};
        for (uint32_t c : colours) {
            std::vector<uint32_t> pixels(size_t(120) * 40, c);
            HTEXTURE t = dev->GetGpu()->CreateTexture(120, 40, GPU_FORMAT_A8R8G8B8);
            dev->GetGpu()->Upload(t, pixels.data(), 120 * 4);
            textures.push_back(t);
            frames.Add(new CUITexture(t));
        }
        CXFontDesc desc;
        desc.Height = -19;
        desc.Weight = 400;
        std::strcpy(desc.FaceName, "나눔고딕");
        font.SetDesc(desc);
        font.Create(1.0f, 1.0f);

        root = new CDXWnd();
        root->CreateWidget(0, 0, 1920, 1080, 1, nullptr, 0, 255);
        int id = 100;
        for (int i = 0; i < kButtons; ++i) {
            CDXButton* b = root->CreateButton(id++, (i % 15) * 125, (i / 15) * 45, &frames, &font);
            if (b && i < kCaptioned)
                b->SetCaption(Format("버튼 %d", i).c_str());
        }
        for (int i = 0; i < kLabels; ++i) {
            CDXLabel* l =
                root->CreateLabel(id++, &font, (i % 6) * 300, 620 + (i / 6) * 24, 280, 24, true);
            if (l)
                l->SetText(Format("레이블 %d 금액 1,234,567", i).c_str());
        }
        for (int i = 0; i < kLists; ++i) {
            auto* list = new CWndTextList();
            if (!list->Create(id, root, (i % 4) * 480, 860 + (i / 4) * 70, 345, 70, &font, id + 1,
                              kRows, 1.1f)) {
                if (!list->GetParent())
                    delete list;
                continue;
            }
            id += kRows + 1;
            for (int k = 0; k < kRows; ++k)
                list->AddText(Format("[%03d] 플레이어님 잭팟 축하드립니다.", k).c_str(),
                              0xFF34C1FE);
            lists.push_back(list);
        }
        return true;
    }

    void Walk()
    {
        root->Update(1.0f / 60.0f);
        root->Draw();
    }

    void Frame()
    {
        dev->Gfx_BeginScene(target);
        CXSpriteBatch* batch = dev->GetSpriteBatch();
        batch->Begin(CXSPRITE_ALPHABLEND);
        root->Update(1.0f / 60.0f);
        root->Draw();
        batch->End();
        dev->Gfx_EndScene(false);
    }

    ~Lobby()
    {
        if (!dev)
            return;
        delete root;
        for (HTEXTURE t : textures)
            dev->GetGpu()->DestroyTexture(t);
        dev->Target_Free(target);
        test_support::StopGfxDevice(dev);
    }
};

int CountWidgets(const CDXWnd* w)
{
    int n = 1;
    for (const CDXWnd* c : w->GetChildren())
        n += CountWidgets(c);
    return n;
}

void Report(benchmark::State& state, const Lobby& lobby, uint64_t renders)
{
    state.counters["widgets"] = CountWidgets(lobby.root);
    state.counters["text_renders/frame"] =
        benchmark::Counter(static_cast<double>(renders), benchmark::Counter::kAvgIterations);
}

void BM_LobbyFrameNoTextChange(benchmark::State& state)
{
    Lobby lobby;
    if (!lobby.Start(state))
        return;
    lobby.Frame();  // warm the font's caption cache
    const uint64_t before = CTextTexture::RenderCount();
    for (auto _ : state)
        lobby.Frame();
    Report(state, lobby, CTextTexture::RenderCount() - before);
}
BENCHMARK(BM_LobbyFrameNoTextChange)->Unit(benchmark::kMicrosecond);

void BM_LobbyFrameOneChatLine(benchmark::State& state)
{
    Lobby lobby;
    if (!lobby.Start(state))
        return;
    lobby.Frame();
    const uint64_t before = CTextTexture::RenderCount();
    int n = 0;
    for (auto _ : state) {
        lobby.lists[static_cast<size_t>(n) % lobby.lists.size()]->AddText(
            Format("[%d] 채팅 한 줄", n).c_str(), 0xFFFFFFFF);
        ++n;
        lobby.Frame();
    }
    Report(state, lobby, CTextTexture::RenderCount() - before);
}
BENCHMARK(BM_LobbyFrameOneChatLine)->Unit(benchmark::kMicrosecond);

void BM_LobbyTreeWalkOutsideAScene(benchmark::State& state)
{
    Lobby lobby;
    if (!lobby.Start(state))
        return;
    const uint64_t before = CTextTexture::RenderCount();
    for (auto _ : state)
        lobby.Walk();
    Report(state, lobby, CTextTexture::RenderCount() - before);
}
BENCHMARK(BM_LobbyTreeWalkOutsideAScene)->Unit(benchmark::kMicrosecond);

}  // namespace
