#pragma once
// What the Pelagorn configuration fuzz target does with one input, shared with the test that
// replays its seed corpus. The first byte chooses the reader, the rest is the file: the frame,
// win table, dropper or prize file is written under its data-tree name in a scratch folder (the
// resource base), the object is initialised, updated, drawn and asked what its scene would ask;
// or the rest is a screen-shake value filled into the reel-wait preset table; or the background's
// file, whose background is then changed, dimmed, scrolled and drawn; or the reel, coin and pin, or
// item belt file, run through a spin, a coin fall or a belt cycle (a file may name itself as a
// symbol or kind file). The folders hold an image "t.png" (4 x 4) and animations "t.anf" and
// "t_0.anf" that inputs may name; the background's folder also holds "w.anf", 256 pixels wide.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "CXDrawBG.h"
#include "CXDrawCOIN.h"
#include "CXDrawDP.h"
#include "CXDrawFRAME.h"
#include "CXDrawITEM.h"
#include "CXDrawPIN.h"
#include "CXDrawPRIZE.h"
#include "CXDrawREEL.h"
#include "CXDrawScene.h"
#include "CXDrawWINTABLE.h"
#include "CXGfxDevice.h"
#include "CXReelWaitPreset.h"
#include "CXString.h"
#include "fuzz_device.h"
#include "platform/image.h"
#include "support/temp_folder.h"
#include <utility>

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
    uint32_t GetTimeMs() const override { return now; }
    bool IsDemoMode() const override { return seed & 32; }
    bool IsStandalone() const override { return seed & 64; }
    bool IsOnline() const override { return !(seed & 128); }
    bool IsAutoHold() const override { return seed & 256; }
    int32_t GetHeldReel() const override { return static_cast<int32_t>(seed >> 9) % 6 - 1; }
    int32_t GetSpinsLeft() const override { return static_cast<int32_t>(seed >> 12) % 40 - 2; }
    uint32_t GetResultTotalWin() const override { return seed & 512 ? 0 : seed >> 4; }
    int32_t GetResultLineWin(uint32_t line) const override { return (seed >> line) & 1; }
    void ShowReelPrize() override {}
    void FinishReelPrize(int32_t) override {}
    void StartScrollReel() override {}
    bool IsReelsStoppedSent() const override { return false; }
    bool IsResultPending() const override { return false; }
    bool IsSpinEndConfirmed() const override { return seed & 1024; }
    bool IsSpinDataHeld() const override { return seed & 2048; }
    bool IsGameFinPending() const override { return false; }
    bool SendReelsStopped() override { return true; }
    bool SendResultRequest() override { return true; }
    bool SendGameFin() override { return true; }
    void CheckItemHit(float, float) override {}
    bool IsFirstGroupShown() const override { return seed & 4096; }
    void SetObjectGroupShown(int32_t, bool) override {}

    uint32_t seed = 0;
    uint32_t now = 0;
};

class Harness {
public:
    enum Reader : uint8_t {
        kFrame,
        kWinTable,
        kDropper,
        kPrize,
        kShake,
        kBackground,
        kReel,
        kCoins,
        kItem,
        kReaders
    };

    Harness()
    {
        const std::vector<uint32_t> pixels(16, 0xFF336699);
        for (const char* folder :
             {"image/interface/frame", "image/interface/wintable", "image/interface/table",
              "image/dropper", "image/prize", "image/reel", "image/interface/coin",
              "image/interface/pin", "image/item", "image/bg"}) {
            const std::string dir = std::string(folder) + "/";
            m_folder.Write(dir + "t.anf", "TEX=t.png\nCOUNT=2\nFPS=30\nW=2\nH=4\n");
            m_folder.Write(dir + "t_0.anf", "TEX=t.png\nCOUNT=1\nW=4\nH=4\n");
            platform::SavePng((m_folder.Path() / dir / "t.png").string().c_str(), 4, 4,
                              pixels.data(), 16);
        }
        m_folder.Write("image/interface/table/wintable_0.anf", "TEX=t.png\n");
        // A strip tile of a realistic width: a wave strip of 2-pixel tiles draws hundreds of
        // meshes.
        const std::vector<uint32_t> wide(256 * 4, 0xFF996633);
        platform::SavePng((m_folder.Path() / "image/bg/w.png").string().c_str(), 256, 4,
                          wide.data(), 256 * 4);
        m_folder.Write("image/bg/w.anf", "TEX=w.png\nCOUNT=1\nW=256\nH=4\n");
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
        case kFrame:
            Frame(file);
            break;
        case kWinTable:
            WinTable(file);
            break;
        case kDropper:
            Dropper(file);
            break;
        case kPrize:
            Prize(file);
            break;
        case kShake:
            Shake(file);
            break;
        case kBackground:
            Background(file);
            break;
        case kReel:
            Reel(file);
            break;
        case kCoins:
            Coins(file);
            break;
        default:
            Item(file);
            break;
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
        ReelWaitPresets().FillShake(m_scene.seed % (CXReelWaitPresetTable::kSize + 2),
                                    text.c_str());
        CXReelWaitPreset copy;
        ReelWaitPresets().Take(m_scene.seed % CXReelWaitPresetTable::kSize, copy);
    }

    void Reel(std::string_view file)
    {
        m_folder.Write("image/reel/reel.cfg", file);
        CXDrawREEL reel;
        reel.m_pScene = &m_scene;
        reel.Init();
        const uint32_t seed = m_scene.seed;
        const uint32_t stops[4] = {seed % 60, seed >> 8 & 63, seed >> 16 & 63, seed >> 24};
        reel.SetReelPosition(stops);
        reel.StartSpin(static_cast<int32_t>(seed % 300) - 20);
        // Ten seconds of frames: enough for a spin of the usual settings to stop and show its
        // prize.
        for (int frame = 0; frame < 200; ++frame) {
            m_scene.now += 50;
            reel.Update(0.05f);
            if (frame == 100) {
                reel.ShowPrizeEffect(seed & 0xFFF, static_cast<int32_t>(seed % 23) - 1);
                reel.MarkPrizeSymbol(seed % 7, seed % 5, seed & 1);
            }
            if (frame % 40 == 0)
                Draw([&] {
                    reel.Draw();
                    reel.DrawEffects();
                    reel.DrawSymbols();
                });
        }
        reel.ResetReels();
        ReelWaitPresets().Clear();
    }

    void Coins(std::string_view file)
    {
        m_folder.Write("image/interface/coin/coin.cfg", file);
        m_folder.Write("image/interface/pin/pin.cfg", file);
        CXDrawPIN pins;
        pins.Init();
        CXDrawCOIN coins;
        coins.m_pScene = &m_scene;
        coins.m_pPins = &pins;
        coins.Init();
        for (int frame = 0; frame < 120; ++frame) {
            m_scene.now += 33;
            if (frame % 10 == 0 && coins.IsDropTime())
                coins.DropCoin(static_cast<float>(m_scene.seed % 800), frame % 20 ? 1.0f : -1.0f);
            pins.Update(1.0f / 30.0f);
            coins.Update(1.0f / 30.0f);
            if (frame % 30 == 0)
                Draw([&] {
                    pins.Draw();
                    coins.Draw();
                });
        }
    }

    void Item(std::string_view file)
    {
        m_folder.Write("image/item/item.cfg", file);
        CXDrawITEM items;
        items.Init();
        for (int frame = 0; frame < 60; ++frame) {
            items.Update(0.25f);
            if (items.m_Belt.m_pHead && frame % 7 == 0)
                items.m_Belt.m_pHead->m_pData->m_bHit = 1;
            if (frame % 15 == 0)
                Draw([&] { items.Draw(); });
        }
    }

    template <class F>
    void Draw(F&& draw)
    {
        m_device.Draw(std::forward<F>(draw));
    }

    FuzzDevice m_device{"pelagorn_fuzz", false};
    CXGfxDevice* m_pDevice = m_device.Get();
    TempFolder& m_folder = m_device.Folder();
    InputScene m_scene;
};

// The harness of a fuzz target's process, started on first use and kept to the end.
inline Harness& Shared()
{
    static Harness* harness = new Harness;
    return *harness;
}

}  // namespace pelagorn_fuzz
