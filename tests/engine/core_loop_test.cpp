// The paced frame loop with a fake clock, the device window procedure's input queue and close
// handling, and the device's small services.

#include <SDL2/SDL.h>

#include "CX2DEngine.h"
#include "core_fixture.h"
#include "platform/window_sdl.h"

namespace {

struct LoopRecord {
    CXGfxDevice* device = nullptr;
    FakeCoreClock* clock = nullptr;
    int frames = 0;
    int stopAfter = 0;
    std::vector<float> deltas;
    std::vector<uint32_t> frameTimes;
    std::vector<int> fps;
    std::vector<CXInputEvent> events;
    uint32_t jumpOnFrame = 0;  // frame number after which the clock jumps
    uint32_t jumpMs = 0;
    uint32_t alignMs = 0;  // after each frame, move the clock to the next multiple
    bool exitAllowed = true;
};
LoopRecord g_Loop;

bool RecordingFrame()
{
    LoopRecord& r = g_Loop;
    ++r.frames;
    r.deltas.push_back(r.device->Timer_GetDelta());
    r.frameTimes.push_back(r.clock->Ms());
    r.fps.push_back(r.device->Timer_GetFPS());
    CXInputEvent e;
    while (r.device->Input_GetEvent(&e))
        if (e.type != INPUT_MOUSEMOVE)  // the display may report the pointer on its own
            r.events.push_back(e);
    if (r.jumpOnFrame && static_cast<uint32_t>(r.frames) == r.jumpOnFrame)
        r.clock->Advance(r.jumpMs);
    if (r.alignMs) {
        const uint64_t step = r.alignMs * 1000ull;
        r.clock->us = (r.clock->us / step + 1) * step;
    }
    return r.frames >= r.stopAfter;
}

bool ExitQuery()
{
    return g_Loop.exitAllowed;
}

class CoreLoopTest : public CoreDeviceTest {
protected:
    void SetUp() override
    {
        CoreDeviceTest::SetUp();
        g_Loop = LoopRecord{};
        g_Loop.device = device;
        g_Loop.clock = &clock;
        device->System_SetState(GFX_STATE_FRAME_CALLBACK, &RecordingFrame);
        device->System_SetState(GFX_STATE_RUN_INACTIVE, true);
    }
};

TEST_F(CoreLoopTest, ALongFrameIsClampedToTheFixedDelta)
{
    struct Case {
        int rate;
        float expected;
    };
    for (const Case& c : {Case{60, 0.016f}, Case{0, 0.01f}}) {
        g_Loop.frames = 0;
        g_Loop.deltas.clear();
        g_Loop.stopAfter = 3;
        g_Loop.jumpOnFrame = 1;
        g_Loop.jumpMs = 500;
        device->System_SetState(GFX_STATE_FRAME_RATE, c.rate);
        ASSERT_TRUE(device->System_Start());
        ASSERT_EQ(g_Loop.deltas.size(), 3u);
        EXPECT_FLOAT_EQ(g_Loop.deltas[1], c.expected) << "rate " << c.rate;
        EXPECT_LT(g_Loop.deltas[2], 0.2f) << "rate " << c.rate;
    }
}

TEST_F(CoreLoopTest, SixtyFramesPerSecondSleepWhileMoreThanThreeMillisecondsRemain)
{
    device->System_SetState(GFX_STATE_FRAME_RATE, 60);
    g_Loop.stopAfter = 20;
    clock.sleepTimes.clear();
    ASSERT_TRUE(device->System_Start());
    ASSERT_EQ(g_Loop.frameTimes.size(), 20u);
    for (size_t i = 1; i < g_Loop.frameTimes.size(); ++i) {
        const uint32_t gap = g_Loop.frameTimes[i] - g_Loop.frameTimes[i - 1];
        EXPECT_GE(gap, 16u) << "frame " << i;
        EXPECT_LE(gap, 17u) << "frame " << i;
    }
    // Every 1 ms sleep starts before 13 ms of the frame have passed, and the loop spins after.
    size_t f = 0;
    uint32_t latest = 0;
    for (uint32_t t : clock.sleepTimes) {
        if (t < g_Loop.frameTimes[0])
            continue;
        while (f + 1 < g_Loop.frameTimes.size() && g_Loop.frameTimes[f + 1] <= t)
            ++f;
        const uint32_t since = t - g_Loop.frameTimes[f];
        EXPECT_LE(since, 13u) << "sleep at " << t;
        latest = std::max(latest, since);
    }
    EXPECT_GE(latest, 12u);
}

TEST_F(CoreLoopTest, TheFrameThatClosesASampleIsNotCountedInTheNext)
{
    device->System_SetState(GFX_STATE_FRAME_RATE, 0);
    clock.us = (clock.us / 100000) * 100000;
    device->System_SetState(GFX_STATE_FRAME_RATE, 0);
    g_Loop.alignMs = 100;
    g_Loop.stopAfter = 25;
    ASSERT_TRUE(device->System_Start());
    // Frames 100 ms apart: ten per second, of which nine are counted in each sample.
    EXPECT_EQ(g_Loop.fps.back(), 9);
}

TEST_F(CoreLoopTest, EventsOfAFrameAreGoneAfterItsCallback)
{
    HWND hwnd = device->GetWindow();
    platform::PostMessage(hwnd, WM_KEYDOWN, 'A', 1);
    platform::PostMessage(hwnd, WM_KEYDOWN, 'A', 1 | (LPARAM{1} << 30));
    platform::PostMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    platform::PostMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 20));
    platform::PostMessage(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 20));
    platform::PostMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 20));
    g_Loop.stopAfter = 2;
    ASSERT_TRUE(device->System_Start());
    ASSERT_EQ(g_Loop.events.size(), 6u);
    struct Expect {
        int type, key;
        uint32_t repeat;
    };
    const Expect expected[] = {{1, 'A', 0}, {1, 'A', 64}, {3, 1, 0},
                               {4, 1, 0},   {3, 1, 64},   {4, 1, 0}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(g_Loop.events[i].type, expected[i].type) << "event " << i;
        EXPECT_EQ(g_Loop.events[i].key, expected[i].key) << "event " << i;
        EXPECT_EQ(g_Loop.events[i].flags & INPUT_FLAG_REPEAT, expected[i].repeat) << "event " << i;
    }
    EXPECT_EQ(g_Loop.events[2].x, 10.0f);
    EXPECT_EQ(g_Loop.events[0].chr, 'a');
    CXInputEvent e;
    EXPECT_FALSE(device->Input_GetEvent(&e));
    EXPECT_EQ(device->Input_GetKey(), 0);
}

TEST_F(CoreLoopTest, AltF4WithAVetoKeepsTheWindowAndWithoutOneEndsTheLoop)
{
    device->System_SetState(GFX_STATE_EXIT_CALLBACK, &ExitQuery);
    HWND hwnd = device->GetWindow();
    const LPARAM alt = LPARAM{1} << 29;
    g_Loop.exitAllowed = false;
    g_Loop.stopAfter = 2;
    platform::PostMessage(hwnd, WM_SYSKEYDOWN, VK_F4, 1 | alt);
    platform::PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(device->System_Start());
    EXPECT_TRUE(platform::IsWindow(hwnd));
    EXPECT_EQ(g_Loop.frames, 2);

    g_Loop.exitAllowed = true;
    g_Loop.frames = 0;
    g_Loop.stopAfter = 1000;
    platform::PostMessage(hwnd, WM_SYSKEYDOWN, VK_F4, 1 | alt);
    ASSERT_TRUE(device->System_Start());
    EXPECT_FALSE(platform::IsWindow(hwnd));
    EXPECT_LT(g_Loop.frames, 1000);
}

TEST(CoreDeviceServices, CreationRandomAndKeyNames)
{
    EXPECT_EQ(CreateGfxDevice(15), nullptr);
    CXGfxDevice* a = CreateGfxDevice(16);
    CXGfxDevice* b = CreateGfxDevice(16);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a->System_Start());
    EXPECT_STREQ(a->System_GetErrorMessage(), "System_Start: System_Initiate wasn't called");
    a->Random_Seed(12345);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(a->Random_Int(7, 7), 7);
        EXPECT_EQ(a->Random_Int(9, 3), 9);
        const int v = a->Random_Int(-5, 5);
        EXPECT_TRUE(v >= -5 && v <= 5) << v;
    }
    // seed = 12345 * 214013 + 2531011; a + (seed ^ (seed >> 15)) % range.
    a->Random_Seed(12345);
    const uint32_t seed = 12345u * 214013u + 2531011u;
    EXPECT_EQ(a->Random_Int(0, 99), static_cast<int>((seed ^ (seed >> 15)) % 100));
    a->System_SetState(GFX_STATE_SCREEN_WIDTH, 1920);
    EXPECT_EQ(a->System_GetState(GFX_STATE_SCREEN_WIDTH), 1920);
    EXPECT_EQ(a->System_GetState(99), 0);
    struct Name {
        int vk;
        const char* name;
    };
    for (const Name& n : {Name{7, "?"}, Name{13, "Enter"}, Name{65, "A"}, Name{105, "NumPad 9"},
                          Name{123, "F12"}, Name{222, "Apostrophe"}, Name{300, "?"}, Name{-1, "?"}})
        EXPECT_STREQ(a->Input_GetKeyName(n.vk), n.name) << n.vk;
    b->Release();
    a->Release();
    EXPECT_EQ(g_pGfxDevice, nullptr);
}

TEST(CoreEngineRandom, RangesAreInclusiveInEitherOrder)
{
    for (int i = 0; i < 200; ++i) {
        const uint32_t v = RandomRange(5u, 2u);
        EXPECT_TRUE(v >= 2 && v <= 5) << v;
        EXPECT_EQ(RandomRange(9u, 9u), 9u);
    }
    // The whole range is not a wrapped empty one: values spread over it.
    uint32_t high = 0;
    for (int i = 0; i < 64; ++i)
        high |= RandomRange(0u, 4294967295u);
    EXPECT_NE(high, 0u);
    EngineShutdown();
    EngineShutdown();
}

}  // namespace
