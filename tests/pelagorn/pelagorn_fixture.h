#pragma once
// Display objects on a real device (under Xvfb, sound on the dummy driver) drawing into a
// 768 x 1280 target, with a scratch folder as the resource base in which a test writes the
// objects' files under their data-tree names, and a recording stand-in for the game scene.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "CXDrawScene.h"
#include "CXGfxDevice.h"
#include "CXString.h"
#include "platform/image.h"
#include "support/gfx_device.h"
#include "support/temp_folder.h"

// Records what the objects ask of the scene and answers with settable values.
class FakeScene : public CXDrawScene {
public:
    void SendCommand(const char* command) override { commands.emplace_back(command); }
    void StartReelWait(uint32_t index) override { reelWaits.push_back(index); }
    void UpdateOverlays(float) override { calls.push_back("UpdateOverlays"); }
    void DrawOverlays() override { calls.push_back("DrawOverlays"); }
    void SaveGameData() override { ++saves; }
    bool IsDemoUnderTitle() const override { return demoUnderTitle; }
    int32_t GetGiftMaximum() const override { return giftMaximum; }
    int32_t GetRoadValue() const override { return road; }
    bool IsSecondGroupShown() const override { return secondGroup; }
    int32_t GetHighEffectMode() const override { return highEffect; }
    bool IsHighPrizeMode() const override { return highPrize; }
    bool IsLoweredTableLayout() const override { return lowered; }
    CXDrawFRAME* GetFrameDisplay() override { return frame; }
    bool IsFirstGroupShown() const override { return firstGroup; }
    void SetObjectGroupShown(int32_t group, bool shown) override
    {
        (group == 0 ? firstGroup : secondGroup) = shown;
    }

    std::vector<std::string> commands;
    std::vector<uint32_t> reelWaits;
    std::vector<std::string> calls;
    int saves = 0;
    bool demoUnderTitle = false;
    int32_t giftMaximum = 20000;
    int32_t road = 0;
    bool secondGroup = false;
    int32_t highEffect = 0;
    bool highPrize = false;
    bool lowered = false;
    CXDrawFRAME* frame = nullptr;
    bool firstGroup = false;

    // Reels and coins: settable answers, and a count of every request and call.
    uint32_t GetTimeMs() const override { return now; }
    bool IsDemoMode() const override { return demo; }
    bool IsStandalone() const override { return standalone; }
    bool IsOnline() const override { return online; }
    bool IsAutoHold() const override { return autoHold; }
    int32_t GetHeldReel() const override { return heldReel; }
    int32_t GetSpinsLeft() const override { return spinsLeft; }
    uint32_t GetResultTotalWin() const override { return totalWin; }
    int32_t GetResultLineWin(uint32_t line) const override { return line < 3 ? lineWins[line] : 0; }
    void ShowReelPrize() override { ++prizesShown; }
    void FinishReelPrize(int32_t effect) override { finishedEffects.push_back(effect); }
    void StartScrollReel() override { ++scrollRequests; }
    bool IsReelsStoppedSent() const override { return reelsStoppedSent; }
    bool IsResultPending() const override { return resultPending; }
    bool IsSpinEndConfirmed() const override { return spinEndConfirmed; }
    bool IsSpinDataHeld() const override { return spinDataHeld; }
    bool IsGameFinPending() const override { return gameFinPending; }
    // The sends behave like the link: the byte is set when the request goes out.
    bool SendReelsStopped() override
    {
        ++sent42;
        return reelsStoppedSent = true;
    }
    bool SendResultRequest() override
    {
        ++sent39;
        return resultPending = true;
    }
    bool SendGameFin() override
    {
        ++sentGameFin;
        return gameFinPending = true;
    }
    void CheckItemHit(float x, float y) override { itemChecks.emplace_back(x, y); }

    uint32_t now = 0;
    bool demo = false;
    bool standalone = false;
    bool online = true;
    bool autoHold = false;
    int32_t heldReel = 0;
    int32_t spinsLeft = 0;
    uint32_t totalWin = 0;
    int32_t lineWins[3] = {0, 0, 0};
    int prizesShown = 0;
    std::vector<int32_t> finishedEffects;
    int scrollRequests = 0;
    bool reelsStoppedSent = false;
    bool resultPending = false;
    bool spinEndConfirmed = false;
    bool spinDataHeld = false;
    bool gameFinPending = false;
    int sent42 = 0;
    int sent39 = 0;
    int sentGameFin = 0;
    std::vector<std::pair<float, float>> itemChecks;
};

class PelagornTest : public ::testing::Test {
protected:
    static constexpr int kTargetWidth = 768;
    static constexpr int kTargetHeight = 1280;

    static void SetUpTestSuite()
    {
        s_dev = test_support::StartGfxDevice(320, 240, true, s_failure);
    }
    static void TearDownTestSuite() { test_support::StopGfxDevice(s_dev); }

    void SetUp() override
    {
        ASSERT_NE(s_dev, nullptr) << "the device did not start: " << s_failure;
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_folder.Slashed();
        m_target = s_dev->Target_Create(kTargetWidth, kTargetHeight, false, GPU_FORMAT_A8R8G8B8);
        ASSERT_NE(m_target, nullptr);
    }
    void TearDown() override
    {
        if (!s_dev)
            return;
        s_dev->Target_Free(m_target);
        g_strResourceBase = m_savedBase;
    }

    void WriteText(const std::string& name, const std::string& text) { m_folder.Write(name, text); }
    void WriteSolidPng(const std::string& name, int w, int h, uint32_t argb)
    {
        const auto path = m_folder.Path() / name;
        std::filesystem::create_directories(path.parent_path());
        const std::vector<uint32_t> pixels(size_t(w) * h, argb);
        ASSERT_TRUE(platform::SavePng(path.string().c_str(), w, h, pixels.data(), w * 4)) << name;
    }
    // An animation of `frames` frames of w x h side by side, each filled with its own colour
    // (colours[i % size]), drawn from its top-left corner; `extra` lines are appended.
    void WriteAnf(const std::string& name, int w, int h, const std::vector<uint32_t>& colours,
                  int frames = 1, const std::string& extra = "")
    {
        const std::string png = name.substr(0, name.size() - 4) + ".png";
        const auto path = m_folder.Path() / png;
        std::filesystem::create_directories(path.parent_path());
        std::vector<uint32_t> pixels(size_t(w) * frames * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w * frames; ++x)
                pixels[size_t(y) * w * frames + x] = colours[size_t(x / w) % colours.size()];
        ASSERT_TRUE(
            platform::SavePng(path.string().c_str(), w * frames, h, pixels.data(), w * frames * 4))
            << png;
        const std::string tex = std::filesystem::path(png).filename().string();
        WriteText(name, "TEX=" + tex + "\nCOUNT=" + std::to_string(frames) +
                            "\nFPS=0\nW=" + std::to_string(w) + "\nH=" + std::to_string(h) +
                            "\nHOT_SPOT_X=0\nHOT_SPOT_Y=0\n" + extra);
    }

    template <class F>
    void DrawFrame(F&& draw)
    {
        ASSERT_TRUE(s_dev->Gfx_BeginScene(m_target)) << s_dev->System_GetErrorMessage();
        s_dev->Gfx_Clear(0xFF000000);
        draw();
        s_dev->Gfx_EndScene(false);
    }
    uint32_t Pixel(int x, int y)
    {
        uint32_t v = 0;
        GpuRect r{x, y, 1, 1};
        EXPECT_TRUE(s_dev->GetGpu()->ReadPixels(s_dev->Target_GetTexture(m_target), &r, &v))
            << x << "," << y;
        return v & 0xFFFFFF;
    }

    static inline CXGfxDevice* s_dev = nullptr;
    static inline std::string s_failure;
    TempFolder m_folder{"pelagorn"};
    std::string m_savedBase;
    HTARGET m_target = nullptr;
    FakeScene m_scene;
};
