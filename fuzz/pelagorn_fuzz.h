#pragma once
// What the Pelagorn configuration fuzz target does with one input, shared with the test that
// replays its seed corpus. The first byte chooses the reader, the rest is the file: the frame,
// win table, dropper or prize file is written under its data-tree name in a scratch folder (the
// resource base), the object is initialised, updated, drawn and asked what its scene would ask;
// or the rest is a screen-shake value filled into the reel-wait preset table, or the background's
// file, whose background is then changed, dimmed, scrolled and drawn. The folders hold an image
// "t.png" (4 x 4) and animations "t.anf" and "t_0.anf" that inputs may name; the background's
// folder also holds "w.anf", 256 pixels wide.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "CXDrawBG.h"
#include "CXDrawDP.h"
#include "CXDrawFRAME.h"
#include "CXDrawPRIZE.h"
#include "CXDrawScene.h"
#include "CXDrawWINTABLE.h"
#include "CXGfxDevice.h"
#include "CXReelWaitPreset.h"
#include "CXString.h"
#include "platform/image.h"
#include "support/temp_folder.h"

namespace pelagorn_fuzz {

// A scene that answers with values taken from the input.
class InputScene : public CXDrawScene {
public:
    void SendCommand(const char*) override {}
    void StartReelWait(uint32_t) override {}
    void UpdateOverlays(float) override {}
    void DrawOverlays() override {}
    void SaveGameData() override {}
    bool IsDemoUnderTitle() const override { return seed & 1; }
    int32_t GetGiftMaximum() const override { return static_cast<int32_t>(seed) - 100; }
    int32_t GetRoadValue() const override { return static_cast<int32_t>(seed * 16777259u); }
    bool IsSecondGroupShown() const override { return seed & 2; }
    int32_t GetHighEffectMode() const override { return seed & 4; }
    bool IsHighPrizeMode() const override { return seed & 8; }
    bool IsLoweredTableLayout() const override { return seed & 16; }
    CXDrawFRAME* GetFrameDisplay() override { return nullptr; }
    uint32_t GetTimeMs() const override { return seed * 7u; }
    bool IsFirstGroupShown() const override { return seed & 32; }
    void SetObjectGroupShown(int32_t, bool) override {}

    uint32_t seed = 0;
};

class Harness {
public:
    enum Reader : uint8_t { kFrame, kWinTable, kDropper, kPrize, kShake, kBackground, kReaders };

    Harness()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        m_pDevice = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
        if (!m_pDevice)
            Fail("no graphics device");
        m_pDevice->System_SetState(GFX_STATE_WINDOWED, true);
        m_pDevice->System_SetState(GFX_STATE_USE_SOUND, false);
        m_pDevice->System_SetState(GFX_STATE_SCREEN_WIDTH, 64);
        m_pDevice->System_SetState(GFX_STATE_SCREEN_HEIGHT, 64);
        m_pDevice->System_SetState(GFX_STATE_WINDOW_WIDTH, 64);
        m_pDevice->System_SetState(GFX_STATE_WINDOW_HEIGHT, 64);
        if (!m_pDevice->System_Initiate(0))
            Fail(m_pDevice->System_GetErrorMessage());
        m_pTarget = m_pDevice->Target_Create(64, 64, false, GPU_FORMAT_A8R8G8B8);
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_folder.Slashed();
        const std::vector<uint32_t> pixels(16, 0xFF336699);
        for (const char* folder : {"image/interface/frame", "image/interface/wintable", "image/interface/table",
                                   "image/dropper", "image/prize", "image/bg"}) {
            const std::string dir = std::string(folder) + "/";
            m_folder.Write(dir + "t.anf", "TEX=t.png\nCOUNT=2\nFPS=30\nW=2\nH=4\n");
            m_folder.Write(dir + "t_0.anf", "TEX=t.png\nCOUNT=1\nW=4\nH=4\n");
            platform::SavePng((m_folder.Path() / dir / "t.png").string().c_str(), 4, 4, pixels.data(), 16);
        }
        m_folder.Write("image/interface/table/wintable_0.anf", "TEX=t.png\n");
        // A strip tile of a realistic width: a wave strip of 2-pixel tiles draws hundreds of meshes.
        const std::vector<uint32_t> wide(256 * 4, 0xFF996633);
        Image_SavePNG((m_folder.Path() / "image/bg/w.png").string().c_str(), 256, 4, wide.data(), 256 * 4);
        m_folder.Write("image/bg/w.anf", "TEX=w.png\nCOUNT=1\nW=256\nH=4\n");
    }
    ~Harness()
    {
        g_strResourceBase = m_savedBase;
        m_pDevice->Target_Free(m_pTarget);
        m_pDevice->System_Shutdown();
        m_pDevice->Release();
    }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    void Config(const uint8_t* data, size_t size)
    {
        if (size == 0)
            return;
        const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
        m_scene.seed = static_cast<uint32_t>(size * 2654435761u);
        switch (data[0] % kReaders) {
        case kFrame: Frame(file); break;
        case kWinTable: WinTable(file); break;
        case kDropper: Dropper(file); break;
        case kPrize: Prize(file); break;
        case kBackground: Background(file); break;
        default: Shake(file); break;
        }
    }

private:
    void Frame(std::string_view file)
    {
        m_folder.Write("image/interface/frame/frame.cfg", file);
        CXDrawFRAME frame;
        frame.m_pScene = &m_scene;
        frame.Init();
        for (uint32_t i = 0; i < 6; ++i) {
            frame.SetScore(i, m_scene.seed >> i, i & 1, static_cast<uint8_t>(i & 2));
            frame.m_dLeftOilShown = static_cast<double>(m_scene.seed % 300) - 50.0;
            frame.Update(0.05f);
            Draw([&] { frame.Draw(); });
        }
        frame.SyncTitleAnimation();
    }

    void WinTable(std::string_view file)
    {
        m_folder.Write("image/interface/wintable/wintable.cfg", file);
        CXDrawWINTABLE table;
        table.m_pScene = &m_scene;
        table.Init();
        for (int i = 0; i < 6; ++i) {
            table.Update(0.4f);
            Draw([&] {
                table.Draw();
                table.ArrangeTables();
            });
        }
    }

    void Dropper(std::string_view file)
    {
        m_folder.Write("image/dropper/dropper.cfg", file);
        CXDrawDP dropper;
        dropper.Init();
        for (int i = 0; i < 6; ++i) {
            dropper.Update(0.25f);
            Draw([&] { dropper.Draw(); });
        }
    }

    void Prize(std::string_view file)
    {
        m_folder.Write("image/prize/prize.cfg", file);
        CXDrawPRIZE prizes;
        prizes.Init();
        prizes.Update(0.1f);
        for (int32_t group = 0; group < 4; ++group)
            for (int32_t value : {0, 50, 500, 10000})
                prizes.FindPrize(group, value);
    }

    void Background(std::string_view file)
    {
        m_folder.Write("image/bg/bg.cfg", file);
        CXDrawBG bg(nullptr);
        bg.m_pScene = &m_scene;
        bg.Init();
        const uint32_t seed = m_scene.seed;
        for (uint32_t i = 0; i < 6; ++i) {
            bg.ChangeBG((seed >> i) % 4);
            bg.ChangeSign((seed >> (i + 2)) % 4);
            bg.ChangeThunder((seed >> (i + 4)) % 24);
            bg.SetScrollSpeed(static_cast<float>(static_cast<int32_t>(seed >> i) % 7 - 3));
            bg.SetObjectGroupVisible(static_cast<int32_t>(i % 3), (seed >> i) & 1);
            if (CXDrawBGInfo* layer = bg.GetLayer(i % 3))
                layer->StartMoveObject((seed >> i) % 4, (seed >> (i + 8)) % 5);
            bg.m_nRainIndex = static_cast<int32_t>((seed >> i) % 3);
            bg.Update(0.2f);
            Draw([&] { bg.Draw(); });
        }
        bg.SetMusicVolume(static_cast<int32_t>(seed % 150));
        bg.StopAllSigns();
        bg.Update(0.2f);
    }

    void Shake(std::string_view file)
    {
        const std::string text(file);
        ReelWaitPresets().FillShake(m_scene.seed % (CXReelWaitPresetTable::kSize + 2), text.c_str());
        CXReelWaitPreset copy;
        ReelWaitPresets().Take(m_scene.seed % CXReelWaitPresetTable::kSize, copy);
    }

    [[noreturn]] static void Fail(const char* reason)
    {
        std::fprintf(stderr, "pelagorn fuzz: the device did not start: %s\n", reason ? reason : "");
        std::abort();
    }

    template <class F>
    void Draw(F&& draw)
    {
        if (!m_pDevice->Gfx_BeginScene(m_pTarget))
            return;
        draw();
        m_pDevice->Gfx_EndScene(false);
    }

    CXGfxDevice* m_pDevice = nullptr;
    HTARGET m_pTarget = nullptr;
    TempFolder m_folder{"pelagorn_fuzz"};
    std::string m_savedBase;
    InputScene m_scene;
};

// The harness of a fuzz target's process, started on first use and kept to the end.
inline Harness& Shared()
{
    static Harness* harness = new Harness;
    return *harness;
}

}  // namespace pelagorn_fuzz
