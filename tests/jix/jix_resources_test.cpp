// The Jix resources on the real graphics device: the register-only pass, loading the generated
// files (linked as "data_jix" beside the test program), the draw and sound gates, and the host's
// targets.
#include <gtest/gtest.h>

#include <set>

#include "CDemo.h"
#include "CDemoSound.h"
#include "CDemoSurface.h"
#include "CDemoTimer.h"
#include "CJix.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXFileLoad.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXSpriteBatch.h"
#include "JixImageList.h"
#include "JixSoundTable.h"
#include "jix_test_support.h"
#include "support/gfx_device.h"

namespace {

class JixDevice : public testing::Test {
protected:
    void Start(bool sound)
    {
        std::string error;
        m_device = test_support::StartGfxDevice(640, 480, sound, error);
        ASSERT_NE(m_device, nullptr) << error;
    }
    void TearDown() override { test_support::StopGfxDevice(m_device); }

    CXGfxDevice* m_device = nullptr;
};

// A standalone game made in the register-only pass: its targets and engine, no files loaded.
struct UnloadedGame {
    // clock: the game's clock (null for the platform's).
    explicit UnloadedGame(CJixClock* clock = nullptr)
    {
        jix.SetClock(clock);
        CXFileLoad* previous = g_pFileLoad;
        g_pFileLoad = &registry;
        registry.SetRegisterOnly(true);
        ok = jix.Initialize(nullptr, false);
        g_pFileLoad = previous;
    }
    CXFileLoad registry;
    CJix jix{nullptr, 0, true};
    bool ok = false;
};

// Counts the paths a standalone game registers in the register-only pass.
size_t RegisteredPaths(std::set<std::string>* paths)
{
    CXFileLoad registry;
    registry.SetRegisterOnly(true);
    CXFileLoad* previous = g_pFileLoad;
    g_pFileLoad = &registry;
    CJix jix(nullptr, 0, true);
    const bool ok = jix.Initialize(nullptr, false);
    g_pFileLoad = previous;
    EXPECT_TRUE(ok);
    // Nothing was loaded: every slot stays empty.
    for (int slot = 0; slot < kJixImageSlots; ++slot)
        EXPECT_EQ(jix.GetEngine()->GetSurface()->Get(slot)->GetTexture(), nullptr) << slot;
    for (const auto& [key, entry] : registry.GetRegistered()) {
        if (paths)
            paths->insert(entry->strPath);
        EXPECT_EQ(entry->nKind, entry->strPath.ends_with(".wav") ? CXFileLoad::KIND_SOUND
                                                                 : CXFileLoad::KIND_IMAGE);
    }
    return registry.GetRegisteredCount();
}

TEST_F(JixDevice, RegisterOnlyPassListsEveryImageAndWithASoundDeviceEverySound)
{
    Start(true);
    ASSERT_NE(m_device->GetSoundMgr(), nullptr);
    std::set<std::string> paths;
    EXPECT_EQ(RegisteredPaths(&paths), 1799u);
    EXPECT_EQ(paths.count("./data_jix/Graphic/reel_ani/joker/joker_0048.png"), 1u);
    EXPECT_EQ(paths.count("./data_jix/Graphic/3.7.s.t/3.7.s.t23.png"), 1u);
    EXPECT_EQ(paths.count("./data_jix/Sound/scorecount.wav"), 1u);
    EXPECT_EQ(paths.count("./data_jix/Sound/score/300000.wav"), 1u);
}

TEST_F(JixDevice, RegisterOnlyPassWithoutASoundDeviceListsTheImagesOnly)
{
    Start(false);
    ASSERT_EQ(m_device->GetSoundMgr(), nullptr);
    EXPECT_EQ(RegisteredPaths(nullptr), 1755u);
}

TEST_F(JixDevice, GeneratedFilesFillEverySlotAndSoundEntry)
{
    Start(true);
    CJix jix(nullptr, 0, true);
    ASSERT_TRUE(jix.Initialize(nullptr, false));
    CDemo* demo = jix.GetEngine();
    for (int slot = 0; slot < kJixImageSlots; ++slot) {
        CX2DSprite* sprite = demo->GetSurface()->Get(slot);
        ASSERT_NE(sprite, nullptr) << slot;
        const bool named = !JixImageName(slot).empty();
        EXPECT_EQ(sprite->GetTexture() != nullptr, named) << slot;
    }
    // The sprite takes the image's own size.
    EXPECT_FLOAT_EQ(demo->GetSurface()->Get(679)->GetWidth(), 120.0f);
    EXPECT_FLOAT_EQ(demo->GetSurface()->Get(679)->GetHeight(), 130.0f);
    for (int entry = 0; entry < kJixSoundEntries; ++entry)
        EXPECT_NE(demo->GetSound()->Get(entry), nullptr) << entry;
    EXPECT_EQ(demo->GetSound()->Get(kJixScoreCountEntry)->m_bLoop, 1);

    // Standalone: no sound plays, images still draw.
    CXSound* reelStop = demo->GetSound()->Get(JixSndReelStop);
    demo->PlayEntry(JixSndReelStop);
    EXPECT_FALSE(reelStop->IsPlaying(0));
    // The same game online plays it.
    jix.m_bDemo = 0;
    demo->PlayEntry(JixSndReelStop);
    EXPECT_TRUE(reelStop->IsPlaying(0));
    demo->StopEntry(JixSndReelStop);
    EXPECT_FALSE(reelStop->IsPlaying(0));
}

TEST_F(JixDevice, OnlyTheLastTickOfAFrameDrawsAndRectanglesAreClippedToTheSprite)
{
    Start(false);
    CJix jix(nullptr, 0, true);
    ASSERT_TRUE(jix.Initialize(nullptr, false));
    CDemo* demo = jix.GetEngine();
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    ASSERT_NE(batch, nullptr);
    ASSERT_TRUE(m_device->Gfx_BeginScene(jix.m_pTarget->GetTarget()));
    ASSERT_TRUE(batch->Begin(CXSPRITE_ALPHABLEND));

    // The opening draws its picture on every tick; a frame of three ticks draws it once.
    const size_t before = batch->GetQueuedCount();
    jix.RunFrame(0.035f);
    EXPECT_EQ(jix.m_nRun, 3);
    EXPECT_EQ(batch->GetQueuedCount(), before + 1);

    CX2DSprite* symbol = demo->GetSurface()->Get(679);  // 120 x 130
    struct Case {
        CXSpriteRect rect;
        bool drawn;
    };
    const Case cases[] = {
        {{0, 0, 60, 60}, true},
        {{119, 0, 500, 500}, true},  // wider than the sprite: clipped
        {{120, 0, 130, 10}, false},  // left edge at the width
        {{0, 130, 10, 140}, false},  // top edge at the height
    };
    demo->m_bDraw = 1;
    for (const Case& c : cases) {
        const size_t queued = batch->GetQueuedCount();
        CXSpriteRect rect = c.rect;
        demo->DrawSprite(&rect, 10, 10, symbol);
        EXPECT_EQ(batch->GetQueuedCount(), queued + (c.drawn ? 1 : 0))
            << c.rect.left << "," << c.rect.top;
        EXPECT_EQ(rect.right, c.rect.right) << "the caller's rectangle is not changed";
    }
    const size_t queued = batch->GetQueuedCount();
    demo->DrawSlot(0, 0, 0);
    demo->DrawSlot(4, 0, 0);
    demo->m_bDraw = 0;
    demo->DrawSlot(679, 0, 0);
    EXPECT_EQ(batch->GetQueuedCount(), queued) << "empty slots and undrawn ticks add nothing";
    batch->End();
    m_device->Gfx_EndScene(false);
}

TEST_F(JixDevice, OpeningLastsOneSecondWhateverTheTickRate)
{
    Start(false);
    jix_test::FakeClock clock(1000);
    UnloadedGame game(&clock);
    ASSERT_TRUE(game.ok);
    CDemo* demo = game.jix.GetEngine();
    EXPECT_EQ(demo->m_nEngineState, CDemo::kEngineOpening);
    for (int i = 0; i < 500; ++i)
        demo->RunTick();
    clock.Advance(999);
    demo->RunTick();
    EXPECT_EQ(demo->m_nEngineState, CDemo::kEngineOpening) << "99 units of 10 ms";
    clock.Advance(1);
    demo->RunTick();
    EXPECT_EQ(demo->m_nEngineState, CDemo::kEngineGame);
    // The timer runs on in units of 50 ms.
    clock.Advance(149);
    EXPECT_EQ(demo->GetTimer()->Elapsed(1, clock.Now()), 2u);
}

TEST_F(JixDevice, TargetsAreLandscapeAndPortraitAndTheTurnKeepsTheSceneTarget)
{
    Start(false);
    UnloadedGame game;
    ASSERT_TRUE(game.ok);
    CJix& jix = game.jix;
    ASSERT_NE(jix.m_pTarget, nullptr);
    EXPECT_EQ(jix.m_pTarget->GetWidth(), 1280);
    EXPECT_EQ(jix.m_pTarget->GetHeight(), 768);
    EXPECT_EQ(jix.GetPortraitTarget()->GetWidth(), 768);
    EXPECT_EQ(jix.GetPortraitTarget()->GetHeight(), 1280);

    jix.Update();
    ASSERT_TRUE(m_device->Gfx_BeginScene(nullptr));
    CX2DSprite* portrait = jix.DrawTarget();
    ASSERT_NE(portrait, nullptr);
    EXPECT_FLOAT_EQ(portrait->GetWidth(), 768.0f);
    EXPECT_FLOAT_EQ(portrait->GetHeight(), 1280.0f);
    // The deck's scene is open again on the screen.
    EXPECT_EQ(m_device->Gfx_EndScene(false), nullptr);

    jix.OnDeviceReset();
    EXPECT_EQ(portrait->GetTexture(), jix.GetPortraitTarget()->GetTexture());
}

// The deck shows the landscape picture turned a quarter turn clockwise: landscape pixel (x, y)
// lands on portrait pixel (767 - y, x).
TEST_F(JixDevice, PortraitPictureIsTheLandscapePictureTurnedAQuarter)
{
    Start(false);
    UnloadedGame game;
    ASSERT_TRUE(game.ok);
    CJix& jix = game.jix;
    CDemo* demo = jix.GetEngine();

    // A 40 x 20 picture: red on its left half, green on its right.
    constexpr uint32_t kRed = 0xFFFF0000;
    constexpr uint32_t kGreen = 0xFF00FF00;
    constexpr uint32_t kBlack = 0xFF000000;
    HTEXTURE texture = m_device->Texture_Create(40, 20, GPU_FORMAT_A8R8G8B8);
    ASSERT_NE(texture, nullptr);
    auto* pixels = static_cast<uint32_t*>(m_device->Texture_Lock(texture, false));
    ASSERT_NE(pixels, nullptr);
    const int pitch = m_device->Texture_GetWidth(texture);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            pixels[y * pitch + x] = x < 20 ? kRed : kGreen;
    m_device->Texture_Unlock(texture);
    CX2DSprite picture;
    ASSERT_TRUE(picture.CreateFromTexture(texture, 0, 0, 40, 20));

    ASSERT_TRUE(m_device->Gfx_BeginScene(jix.m_pTarget->GetTarget()));
    m_device->Gfx_Clear(kBlack);
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    ASSERT_TRUE(batch->Begin(CXSPRITE_ALPHABLEND));
    demo->m_bDraw = 1;
    demo->DrawSprite(nullptr, 100, 50, &picture);
    batch->End();
    m_device->Gfx_EndScene(false);

    ASSERT_TRUE(m_device->Gfx_BeginScene(nullptr));
    jix.DrawTarget();
    m_device->Gfx_EndScene(false);

    std::vector<uint32_t> portrait(768 * 1280);
    ASSERT_TRUE(m_device->GetGpu()->ReadPixels(jix.GetPortraitTarget()->GetTexture(), nullptr,
                                               portrait.data()));
    auto at = [&](int x, int y) { return portrait[size_t(y) * 768 + size_t(x)] | 0xFF000000; };
    struct Case {
        int x, y;
        uint32_t colour;
    };
    const Case cases[] = {
        {767 - 50, 100, kRed},   {767 - 69, 119, kRed},  // the red half's corners
        {767 - 50, 120, kGreen}, {767 - 69, 139, kGreen},
        {767 - 49, 110, kBlack}, {767 - 70, 110, kBlack},  // just outside
        {767 - 60, 99, kBlack},  {767 - 60, 140, kBlack},
        {60, 110, kBlack},  // where an unturned or counter-turned picture would be
        {0, 0, kBlack},          {767, 1279, kBlack},  // the whole portrait target is covered
    };
    for (const Case& c : cases)
        EXPECT_EQ(at(c.x, c.y), c.colour) << c.x << "," << c.y;
    m_device->GetGpu()->DestroyTexture(texture);
}

// The character presentations' sound cues, on the 7th tick that steps the preview counter, and
// the looping score-count sound of the win count-up.
TEST_F(JixDevice, CharacterCuesAndTheScoreCountPlayTheirSounds)
{
    Start(true);
    jix_test::RecordingSender sender;
    CJix jix(nullptr, 0, false);
    jix.SetSender(&sender);
    ASSERT_TRUE(jix.Initialize(nullptr, false));
    CDemo* d = jix.GetEngine();
    d->m_nEngineState = CDemo::kEngineGame;
    auto silence = [&] {
        for (int entry = 0; entry < kJixSoundEntries; ++entry)
            d->GetSound()->Get(entry)->StopAll(true);
    };
    auto playing = [&](int entry) { return d->GetSound()->Get(entry)->IsPlaying(0); };

    struct Case {
        int32_t action, counterBefore, second;  // second: the main character's second counter
        int row;
        bool plays;
    };
    const Case cases[] = {
        {2, 7, 0, 18, true},   {2, 16, 0, 12, true}, {2, 46, 0, 41, true}, {2, 61, 0, 18, true},
        {2, 8, 0, 18, false},  {3, 0, 0, 17, true},  {3, 34, 0, 16, true}, {3, 97, 0, 20, true},
        {3, 119, 0, 20, true}, {4, 0, 0, 37, true},  {4, 80, 0, 36, true}, {4, 109, 0, 25, true},
        {4, 116, 0, 38, true}, {1, 0, 4, 8, true},   {1, 0, 99, 9, true},  {1, 0, 98, 9, false},
    };
    for (const Case& c : cases) {
        silence();
        d->m_nActionJix = c.action;
        d->m_nPreviewCounter = c.counterBefore;
        d->m_nAction1Counter = c.second;
        d->m_bAction1Sound = c.second >= 99 ? 1 : 0;
        d->m_anHoldCounter[0] = 0;
        d->m_anHoldCounter[1] = 0;
        d->m_nTickCount = 6;
        d->RunTick();
        EXPECT_EQ(playing(c.row), c.plays)
            << "action " << c.action << " from " << c.counterBefore << ", row " << c.row;
    }

    // The count-up: from the presentation length while a pending win remains.
    silence();
    d->m_nActionJix = 0;
    d->m_nSpinPhase = 30;
    d->m_nStopTick = 599;
    d->m_nPresentationLength = 600;
    d->m_nExtraTicks = 300;
    d->m_nWinSum = 5000;
    d->m_nPendingWin = 300;
    d->RunTick();
    EXPECT_TRUE(playing(kJixScoreCountEntry));
    EXPECT_EQ(d->m_nPendingWin, 290);
    for (int i = 0; i < 28; ++i)
        d->RunTick();
    EXPECT_TRUE(playing(kJixScoreCountEntry));
    d->RunTick();
    EXPECT_EQ(d->m_nPendingWin, 0);
    EXPECT_FALSE(playing(kJixScoreCountEntry)) << "stopped once the win is counted in";
}

}  // namespace
