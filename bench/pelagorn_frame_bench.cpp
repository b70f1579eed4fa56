// One Pelagorn machine on the real device (Mesa llvmpipe under Xvfb, sound on the dummy driver):
// the game scene's frame of 1/60 s through CPelagorn (tick, draw list, reel overlays, meters and
// windows, drawn into the 768 x 1280 target) while the four reels spin, twenty coins fall through
// the pins onto the item belt and the background scrolls its strips with its moving objects on.
// The data tree is written into a scratch folder: the generated frame, win table, dropper and prize
// files, and the reels, items, coins, pins, background with its music and windows written here.
// Counters per frame: CPU time of the UI thread (the benchmark's own column) and heap allocations
// on it (every malloc, operator new's included, counted at malloc; target 0). New
// spins, coin drops and moving-object starts are events of a round, not of a frame: they run
// outside the counted part. Reports only.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CPelagorn.h"
#include "CPelagornClock.h"
#include "CX2DEngine.h"
#include "CX2DTarget.h"
#include "CXDrawBG.h"
#include "CXDrawBGInfo.h"
#include "CXDrawCOIN.h"
#include "CXDrawDP.h"
#include "CXDrawREEL.h"
#include "CXSceneGAME.h"
#include "platform/image.h"
#include "support/alloc_count.h"
#include "support/gfx_device.h"
#include "support/temp_folder.h"

namespace {

constexpr double kFrame = 1.0 / 60.0;
constexpr int kCoinsInFlight = 20;

// The game's clock, moved on by a frame's time at every frame.
class FrameClock : public CPelagornClock {
public:
    double Seconds() override { return seconds; }
    double seconds = 100.0;
};

// Takes every request and remembers nothing (a recording sender would allocate as it records).
class QuietSender : public CPelagornSender {
public:
    bool Send(PelagornRequest, uint8_t, uint16_t, const CPelagornItemHit&) override { return true; }
};

// The scene's data folder: generated pieces linked in, the rest written as the tests write them.
class DataTree {
public:
    DataTree()
    {
        const auto generated = std::filesystem::path(CX_ASSETS_DIR) / "DATA_PELAGORN";
        std::filesystem::create_directories(Root() / "image" / "interface");
        for (const char* sub :
             {"image/dropper", "image/prize", "image/placeholder", "image/interface/frame",
              "image/interface/wintable", "image/interface/table"})
            std::filesystem::create_directory_symlink(generated / sub, Root() / sub);
        WriteWindows();
        WriteReels();
        WriteItems();
        WriteCoinsAndPins();
        WriteBackground();
    }
    std::filesystem::path Root() const { return m_folder.Path() / "DATA_PELAGORN"; }
    std::string Folder() const { return m_folder.Slashed() + "DATA_PELAGORN/"; }

private:
    void Text(const std::string& name, const std::string& text)
    {
        m_folder.Write("DATA_PELAGORN/" + name, text);
    }
    // An animation of `frames` frames of w x h in one colour, drawn from its top-left corner.
    void Anf(const std::string& name, int w, int h, uint32_t argb, int frames = 1,
             const std::string& extra = "")
    {
        const std::string png = name.substr(0, name.size() - 4) + ".png";
        const auto path = Root() / png;
        std::filesystem::create_directories(path.parent_path());
        const std::vector<uint32_t> pixels(size_t(w) * frames * h, argb);
        platform::SavePng(path.string().c_str(), w * frames, h, pixels.data(), w * frames * 4);
        Text(name, "TEX=" + path.filename().string() + "\nCOUNT=" + std::to_string(frames) +
                       "\nFPS=10\nW=" + std::to_string(w) + "\nH=" + std::to_string(h) +
                       "\nHOT_SPOT_X=0\nHOT_SPOT_Y=0\n" + extra);
    }
    // 16-bit stereo PCM at 44100 Hz, all zero.
    void WriteQuietWave(const std::string& name, uint32_t frames)
    {
        std::string wave = "RIFF";
        auto le = [&wave](uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                wave += static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        le(36 + frames * 4, 4);
        wave += "WAVEfmt ";
        le(16, 4);
        le(1, 2);
        le(2, 2);
        le(44100, 4);
        le(44100 * 4, 4);
        le(4, 2);
        le(16, 2);
        wave += "data";
        le(frames * 4, 4);
        wave.append(size_t(frames) * 4, '\0');
        Text(name, wave);
    }
    void WriteWindows()
    {
        for (const char* name :
             {"demo/errorwindow", "demo/errorwindow3", "demo/errorwindow_2", "demo/black",
              "account/complete", "account/jijung", "demo/demo", "demo/demo2", "demo/nocredit",
              "demo/giftout", "demo/credit", "account/test", "logo/title"})
            Anf(std::string("image/") + name + ".anf", 64, 32, 0xFF808080);
        Text("image/demo/mframe.cfg",
             "NO_CREDIT=10,20,image/demo/nocredit.anf\nGIFT_OUT=30,40,image/demo/giftout.anf\n"
             "INPUT_CREDIT_SOUND=image/demo/credit.anf\n");
    }
    // Four reels of 13 symbol kinds, 150 x 120 cells, three rows shown.
    void WriteReels()
    {
        std::string reel =
            "SPEED=100\nVELOCITY=4000\nX_POS=24\nY_POS=600\nW=150\nH=120\nX_SPACE=30\n"
            "SOUND_REEL_STOP=30\nREEL_IDLE_TICK=500\nREEL_PRIZE_TICK=1000\nREEL_PRIZE_IDLE_TICK="
            "250\n"
            "FAST_SPIN_COUNT=20,10,3,150\nHIGH_FAST_SPIN_COUNT=40,200\n";
        for (int n = 0; n <= 12; ++n) {
            const std::string k = std::to_string(n);
            Anf("image/reel/sym/n" + k + ".anf", 120, 100,
                0xFF102030u + static_cast<uint32_t>(n) * 0x0A0A0A, 4);
            Text("image/reel/sym/s" + k + ".cfg", "REEL=n" + k + ".anf, n" + k + ".anf\n");
            reel += "REEL_" + k + "=sym\\s" + k + ".cfg\n";
        }
        Text("image/reel/reel.cfg", reel);
    }
    // A belt of eight item kinds, 64-pixel cells on the line at y 440, scrolling.
    void WriteItems()
    {
        std::string item = "SPEED=40\nY_POS=440\nW=64\nH=48\n";
        for (int k = 0; k < 8; ++k) {
            const std::string folder = "image/item/k" + std::to_string(k) + "/";
            Anf(folder + "pic.anf", 64, 48, 0xFF20A040);
            Anf(folder + "hit.anf", 64, 48, 0xFFE0E0E0, 3, "LOOP_MODE=FWD|NOLOOP\n");
            Text(folder + "kind.cfg",
                 "ITEM_COUNT=1\nITEM_0=1, pic.anf, hit.anf\nITEM_EFFECT_ANF=hit.anf\n");
            item += "ITEM_" + std::to_string(k) + "=k" + std::to_string(k) + "\\kind.cfg\n";
        }
        Text("image/item/item.cfg", item);
    }
    // Coins of three looks falling onto the belt's line through a field of 40 pins.
    void WriteCoinsAndPins()
    {
        for (int i = 0; i < 3; ++i)
            Anf("image/interface/coin/look/coin_" + std::to_string(i) + ".anf", 32, 32, 0xFFFFCC00,
                2);
        Text("image/interface/coin/coin.cfg",
             "COIN_ANF=look\\coin_%d.anf\nCOUNT=3\nRADIUS=16\nX_MARGIN=30\n");
        Anf("image/interface/pin/pin_1.anf", 20, 20, 0xFF808080);
        std::string pins = "PIN_ANF=pin_%d.anf\nPIN_COUNT=40\nPIN_RADIUS=10\n";
        for (int i = 0; i < 40; ++i)
            pins += "PIN_" + std::to_string(i) + "=1," +
                    std::to_string(60 + (i % 8) * 85 + (i / 8 % 2) * 40) + "," +
                    std::to_string(180 + (i / 8) * 60) + "\n";
        Text("image/interface/pin/pin.cfg", pins);
    }
    // Two layers of strips (one waving), music, moving objects that fill four display slots and a
    // kind that only starts on request, a sign, rain and thunder.
    void WriteBackground()
    {
        const std::string dir = "image/bg/";
        Anf(dir + "far.anf", 512, 256, 0xFF203050, 2);
        Anf(dir + "near.anf", 384, 128, 0xFF305070, 2);
        Anf(dir + "mo.anf", 64, 32, 0xFFFFFFFF, 4);
        Anf(dir + "sign.anf", 48, 48, 0xFFFFFF00);
        Anf(dir + "gauge.anf", 10, 10, 0xFFFFFFFF);
        Anf(dir + "rain.anf", 64, 64, 0xFF0000FF, 2);
        Anf(dir + "thunder.anf", 64, 64, 0xFFFFFFFF, 2);
        WriteQuietWave("music/quiet.wav", 44100 * 10);
        Text(dir + "bg.cfg",
             "BG_COUNT=2\n"
             "BG_LAYER_0=3\n"
             "BG_ANF_0_0=1,0,60,0,0,0,0,0,0,0,0,far.anf,far.anf\n"
             "BG_ANF_0_1=2,300,-30,1,2,40,3,5,80,1,0,near.anf\n"
             "BG_ANF_0_2=1,900,45,0,0,0,0,0,0,0,1,near.anf\n"
             "BG_MUSIC_0=1\n"
             "BG_MUSIC_0_0=60000,1,3,music/quiet.wav,80,0,1.0,1,0\n"
             "BG_MO_0=3\n"
             "BG_MO_DISPLAY_0=4\n"
             "BG_MO_ANF_0_0=1,5,0,0,0,+0,100,900,-10,10,0,50,150,80,120,0,image/bg/mo.anf,0\n"
             "BG_MO_ANF_0_1=1,3,0,0,1,0,0,700,-20,20,0,40,90,60,100,0,image/bg/mo.anf,0\n"
             "BG_MO_ANF_0_2=1,7,1,0,1,1,50,700,-15,15,0,60,120,90,110,0,image/bg/mo.anf,0\n"
             "BG_LAYER_1=1\n"
             "BG_ANF_1_0=1,0,30,0,0,0,0,0,0,0,0,far.anf\n"
             "SIGN_ALPHA=128\nSIGN_SPEED=1000\nBG_CHANGE_SPEED=500\nSIGN_FADE_SPEED=500\n"
             "SIGN_COUNT=1\nSIGN_0=100,600,200,900,0,sign.anf\n"
             "RTURN_PRIZE_GAUGE_0=10,20,gauge.anf\nRTURN_PRIZE_GAUGE_1=30,40,gauge.anf\n"
             "RAIN_COUNT=2\nRAIN_0=rain.anf\nRAIN_1=rain.anf\n"
             "THUNDER_COUNT=2\nTHUNDER_0=thunder.anf\nTHUNDER_1=thunder.anf\n");
    }

    TempFolder m_folder{"pelagorn_bench"};
};

// Keeps the round going between frames, outside the counted part: a new spin once the reels rest
// (with the rain on and three request-only moving objects started), and coins dropped until
// twenty fall.
void KeepPlaying(CXSceneGAME& scene, int& round)
{
    if (!scene.m_pReel->IsMoving()) {
        CXProbDataInfo event;
        event.m_byRai = 1;
        event.m_byMO1 = 2;
        event.m_byMN1 = 3;
        for (int i = 0; i < 4; ++i)
            scene.m_Result.aiReelStop[i] = (round * 3 + i * 5) % 13;
        scene.m_iSpin = 10;
        scene.ApplyEventData(event);
        ++round;
    }
    while (scene.m_pCoins->m_Coins.GetCount() < kCoinsInFlight &&
           scene.m_pCoins->DropCoin(scene.m_pDropper->GetDropX(), scene.m_pDropper->m_fDirection)) {
    }
}

void BM_GameFrameWithReelsCoinsAndBackground(benchmark::State& state)
{
    std::string error;
    CXGfxDevice* device = test_support::StartGfxDevice(320, 240, true, error);
    if (!device) {
        state.SkipWithError(error.c_str());
        return;
    }
    {
        DataTree tree;
        QuietSender sender;
        FrameClock clock;
        CPelagorn game(nullptr, 7, 3, false);
        game.SetClock(&clock);
        game.SetSender(&sender);
        game.SetDataFolder(tree.Folder());
        if (!game.Initialize(nullptr, false) || !game.GetSceneGAME()->m_pReel) {
            state.SkipWithError("the Pelagorn game did not start");
        } else {
            CXSceneGAME& scene = *game.GetSceneGAME();
            game.OnTitleDone();
            scene.m_iCredit = 100000;
            int round = 0;
            auto frame = [&] {
                clock.seconds += kFrame;
                EngineBeginScene(game.m_pTarget->GetTarget());
                game.RunScene(static_cast<float>(kFrame));
                EngineEndScene(false);
            };
            // Ten seconds to bring every piece into motion (and the effect queue to its usual
            // length) before measuring.
            for (int i = 0; i < 600; ++i) {
                KeepPlaying(scene, round);
                frame();
            }
            long frames = 0;
            long allocations = 0;
            for (auto _ : state) {
                KeepPlaying(scene, round);
                StartCountingAllocations();
                frame();
                allocations += StopCountingAllocations();
                ++frames;
            }
            state.counters["allocs_per_frame"] =
                frames ? double(allocations) / double(frames) : 0.0;
            state.counters["allocs_target"] = 0;
            state.counters["coins"] = static_cast<double>(scene.m_pCoins->m_Coins.GetCount());
        }
    }
    test_support::StopGfxDevice(device);
}
BENCHMARK(BM_GameFrameWithReelsCoinsAndBackground)->Unit(benchmark::kMicrosecond);

}  // namespace
