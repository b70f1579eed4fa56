// Coins and pins: the fall, wall and pin bounces, the sideways kick, the hand-over at the bottom
// line, the coin looks and the drop interval; the pins' file.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "CXDrawCOIN.h"
#include "CXDrawPIN.h"
#include "pelagorn_fixture.h"

namespace {

constexpr uint32_t kGold = 0xFFFFCC00, kGrey = 0xFF808080;

class PelagornCoins : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        for (int i = 0; i < 3; ++i)
            WriteAnf("image/interface/coin/look/coin_" + std::to_string(i) + ".anf", 32, 32,
                     {kGold}, 2, "FPS=10\n");
        WriteAnf("image/interface/pin/pin_1.anf", 20, 20, {kGrey});
        WriteAnf("image/interface/pin/pin_2.anf", 10, 10, {kGrey});
        m_coins.m_pScene = &m_scene;
    }
    void LoadCoins(const std::string& text)
    {
        WriteText("image/interface/coin/coin.cfg", text);
        m_coins.Init();
    }
    void LoadPins(const std::string& text)
    {
        WriteText("image/interface/pin/pin.cfg", text);
        m_pins.Init();
        m_coins.m_pPins = &m_pins;
    }
    CXDrawCoinInfo& Drop(float x, float y, float vx, float vy)
    {
        EXPECT_TRUE(m_coins.DropCoin(x, 1.0f));
        CXDrawCoinInfo& coin = *m_coins.m_Coins.m_pTail->m_pData;
        coin.m_fX = x;
        coin.m_fY = y;
        coin.m_fVX = vx;
        coin.m_fVY = vy;
        return coin;
    }
    CXDrawCOIN m_coins;
    CXDrawPIN m_pins;
};

const std::string kCoinFile = "COIN_ANF=look\\coin_%d.anf\nCOUNT=3\nRADIUS=16\nX_MARGIN=30\n";
const std::string kPinFile = "PIN_ANF=pin_%d.anf\nPIN_COUNT=1\nPIN_RADIUS=10\nPIN_0=1,300,300\n";

TEST_F(PelagornCoins, KeysScaleAsReadAndAbsentOnesKeepTheirDefaults)
{
    LoadCoins("COIN_ANF=look/"
              "coin_%d.anf\nCOUNT=1\nSPIN_RATE=50\nVX_FRICTION=40\nVY_FRICTION=90\nGRAVITY=5\n"
              "FRICTION=10\nX_MARGIN=50\nDROP_TICK=1500\n");
    EXPECT_EQ(m_coins.m_fSpeed, 100.0f);
    EXPECT_FLOAT_EQ(m_coins.m_fSpinRate, 0.5f);
    EXPECT_FLOAT_EQ(m_coins.m_fXFriction, 0.4f);
    EXPECT_FLOAT_EQ(m_coins.m_fYFriction, 0.9f);
    EXPECT_FLOAT_EQ(m_coins.m_fGravity, 500.0f);
    EXPECT_FLOAT_EQ(m_coins.m_fDrag, 0.1f);
    EXPECT_EQ(m_coins.m_fLeftWall, 50.0f);
    EXPECT_EQ(m_coins.m_fRightWall, 718.0f);
    EXPECT_EQ(m_coins.m_dwDropTick, 1500u);
    EXPECT_EQ(m_coins.m_fMass, 2.0f);
    EXPECT_EQ(m_coins.m_fBottom, 500.0f);

    CXDrawCOIN defaults;
    WriteText("image/interface/coin/coin.cfg", "COUNT=0\n");
    defaults.Init();
    EXPECT_EQ(defaults.m_fSpinRate, 80.0f) << "SPIN_RATE absent is 80, not 0.8";
    EXPECT_FLOAT_EQ(defaults.m_fXFriction, 0.6f);
    EXPECT_EQ(defaults.m_fRightWall, 738.0f);
}

TEST_F(PelagornCoins, WallsDampTheSidewaysSpeedDifferently)
{
    LoadCoins(kCoinFile);
    LoadPins(kPinFile);
    struct Case {
        float x, vx;
        float wallX, vxAfter;
    };
    const Case cases[] = {
        {20.0f, -50.0f, 30.0f, 30.0f},    // left wall: x friction 0.6
        {750.0f, 50.0f, 738.0f, -35.0f},  // right wall: y friction 0.7
        {29.9f, 10.0f, 30.0f, -6.0f},     // reversed whatever the direction
    };
    for (const Case& c : cases) {
        CXDrawCoinInfo& coin = Drop(c.x, 100.0f, c.vx, 40.0f);
        m_coins.CollidePins(coin);
        EXPECT_EQ(coin.m_fX, c.wallX) << c.x;
        EXPECT_FLOAT_EQ(coin.m_fVX, c.vxAfter) << c.x;
        EXPECT_EQ(coin.m_fVY, 40.0f) << c.x;
        EXPECT_FLOAT_EQ(coin.m_fSpin, c.vxAfter / 19.0f * 80.0f) << c.x;
    }
}

TEST_F(PelagornCoins, ACoinTouchingAPinBouncesAndIsPlacedJustOutsideIt)
{
    LoadCoins(kCoinFile);
    LoadPins(kPinFile);
    // r = 10 + 16; the coin ends r + 1 from the centre, on the side it came from.
    struct Case {
        float x, y;
    };
    for (const Case c : {Case{290.0f, 285.0f}, Case{312.0f, 290.0f}, Case{300.0f, 280.0f},
                         Case{280.5f, 310.7f}, Case{300.0f, 320.0f}}) {
        CXDrawCoinInfo& coin = Drop(c.x, c.y, 5.0f, 80.0f);
        m_coins.CollidePins(coin);
        const double dx = coin.m_fX - 300.0, dy = coin.m_fY - 300.0;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 27.0, 0.01) << c.x << "," << c.y;
        const double ix = 300.0 - std::trunc(c.x), iy = 300.0 - std::trunc(c.y);
        EXPECT_NEAR(std::atan2(-dy, -dx), std::atan2(iy, ix), 1e-3) << c.x << "," << c.y;
    }
    // Straight down onto the top of the pin: the normal speed reverses, damped by y friction.
    CXDrawCoinInfo& coin = Drop(300.0f, 280.0f, 0.0f, 100.0f);
    m_coins.CollidePins(coin);
    EXPECT_NEAR(coin.m_fVX, 0.0f, 1e-4f);
    EXPECT_NEAR(coin.m_fVY, -70.0f, 1e-3f);
    // Pan 0 lies at x = 384 - X_MARGIN: (300 - 354) x 100 / 354, truncated toward zero.
    CX2DAnimation& pin = m_pins.m_Pins.m_pHead->m_pData->m_Animation;
    EXPECT_EQ(pin.GetSound().GetPan(), -15);
    EXPECT_NEAR(pin.GetSound().GetPitch(), 1.0f + 4900.0f * 0.0002f * 20.0f / 10000.0f, 1e-6f);
    EXPECT_TRUE(pin.IsPlaying()) << "the pin's hit animation plays";
    // A coin clear of the pin is left alone.
    CXDrawCoinInfo& clear = Drop(300.0f, 273.0f, 3.0f, 60.0f);
    m_coins.CollidePins(clear);
    EXPECT_EQ(clear.m_fY, 273.0f);
    EXPECT_EQ(clear.m_fVY, 60.0f);
}

TEST_F(PelagornCoins, AStraightFallGetsASmallSidewaysKick)
{
    LoadCoins(kCoinFile);
    std::set<int> kicks;
    for (int i = 0; i < 60; ++i)
        Drop(400.0f, 100.0f, 0.0f, 50.0f);
    m_coins.Update(1.0f / 60.0f);
    for (auto* e = m_coins.m_Coins.m_pHead; e; e = e->m_pNext) {
        const float vx = e->m_pData->m_fVX;
        const int tenths = static_cast<int>(std::lround(vx * 10.0f));
        EXPECT_NEAR(vx * 10.0f, static_cast<float>(tenths), 1e-4f);
        EXPECT_GE(std::abs(tenths), 1);
        EXPECT_LE(std::abs(tenths), 10);
        kicks.insert(tenths > 0 ? 1 : -1);
    }
    EXPECT_EQ(kicks.size(), 2u) << "both directions occur";
}

TEST_F(PelagornCoins, CoinsPastTheBottomLineAreHandedToTheSceneAndLeave)
{
    LoadCoins(kCoinFile);
    Drop(200.0f, 499.0f, 3.0f, 400.0f);
    Drop(250.0f, 100.0f, 3.0f, 50.0f);
    m_coins.Update(1.0f / 60.0f);
    ASSERT_EQ(m_scene.itemChecks.size(), 1u);
    EXPECT_NEAR(m_scene.itemChecks[0].first, 200.05f, 0.05f);
    EXPECT_GT(m_scene.itemChecks[0].second, 500.0f);
    EXPECT_EQ(m_coins.m_Coins.GetCount(), 1u);
    // Without a pin object a coin passes the walls: nothing bounces it.
    Drop(10.0f, 100.0f, -30.0f, 50.0f);
    m_coins.Update(1.0f / 60.0f);
    EXPECT_LT(m_coins.m_Coins.m_pTail->m_pData->m_fX, 10.0f);
}

TEST_F(PelagornCoins, ACoinDroppedThroughThePinsNeverRestsInsideOneAndReachesTheBottom)
{
    LoadCoins(kCoinFile);
    LoadPins("PIN_ANF=pin_%d.anf\nPIN_COUNT=5\nPIN_RADIUS=10\nPIN_0=1,300,200\nPIN_1=1,340,260\n"
             "PIN_2=2,260,260\nPIN_3=1,300,320\nPIN_4=1,320,400\n");
    ASSERT_EQ(m_pins.m_Pins.GetCount(), 5u);
    ASSERT_TRUE(m_coins.DropCoin(302.0f, 1.0f));
    int frames = 0;
    while (m_coins.m_Coins.GetCount() > 0 && frames < 60 * 60) {
        m_coins.Update(1.0f / 60.0f);
        ++frames;
        for (auto* e = m_coins.m_Coins.m_pHead; e; e = e->m_pNext)
            for (auto* p = m_pins.m_Pins.m_pHead; p; p = p->m_pNext) {
                const double dx = e->m_pData->m_fX - p->m_pData->m_nX,
                             dy = e->m_pData->m_fY - p->m_pData->m_nY;
                ASSERT_GE(std::sqrt(dx * dx + dy * dy), 26.0 - 1e-3) << frames;
            }
    }
    EXPECT_EQ(m_coins.m_Coins.GetCount(), 0u);
    EXPECT_EQ(m_scene.itemChecks.size(), 1u);
}

TEST_F(PelagornCoins, LooksGoRoundAndTheDropIntervalFollowsTheGameClock)
{
    LoadCoins(kCoinFile + "DROP_TICK=4000\n");
    ASSERT_EQ(m_coins.m_Animations.GetSize(), 3u);
    const CX2DAnimation* looks[4];
    for (auto& look : looks) {
        ASSERT_TRUE(m_coins.DropCoin(100.0f, -1.0f));
        look = m_coins.m_Coins.m_pTail->m_pData->m_pAnimation;
        EXPECT_LT(m_coins.m_Coins.m_pTail->m_pData->m_fVX, 0.0f);
    }
    EXPECT_EQ(looks[0], m_coins.m_Animations.GetAt(0));
    EXPECT_EQ(looks[2], m_coins.m_Animations.GetAt(2));
    EXPECT_EQ(looks[3], looks[0]) << "the fourth coin uses look 0 again";

    struct Step {
        uint32_t now;
        bool drop;
        bool due;
    };
    m_coins.m_dwLastDrop = 0;
    for (const Step s :
         {Step{5000, true, true}, Step{8999, false, false}, Step{9000, false, true},
          Step{3000, false, false}, Step{6999, false, false}, Step{7000, false, true}}) {
        m_scene.now = s.now;
        EXPECT_EQ(m_coins.IsDropTime(), s.due) << s.now;
        if (s.drop) {
            ASSERT_TRUE(m_coins.DropCoin(100.0f, 1.0f));
            EXPECT_EQ(m_coins.m_dwLastDrop, s.now);
        }
    }
}

TEST_F(PelagornCoins, BrokenFilesNeverCrashOrStopTheFall)
{
    struct Case {
        const char* text;
        bool falls;  // SPEED 0 and no gravity leave a coin where it was dropped
    };
    const Case cases[] = {
        {"MASS=0\nCOUNT=1\nCOIN_ANF=look/coin_%d.anf\n", true},
        {"MASS=-3\nX_VFORCE=-5\nCOUNT=99999\nCOIN_ANF=%s%n\n", true},
        {"COUNT=2\nCOIN_ANF=missing_%d.anf\nY_MAX_POS=-100\n", true},
        {"X_MARGIN=384\nCOUNT=1\nCOIN_ANF=look/coin_%d.anf\n", true},
        {"SPEED=nan\nGRAVITY=1e30\nFRICTION=-1e8\nCOUNT=1\nCOIN_ANF=look/coin_%d.anf\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        m_scene.itemChecks.clear();
        LoadCoins(c.text);
        LoadPins(kPinFile);
        EXPECT_GT(m_coins.m_fMass, 0.0f);
        ASSERT_TRUE(m_coins.DropCoin(300.0f, 1.0f));
        for (int i = 0; i < 60 * 30 && m_coins.m_Coins.GetCount() > 0; ++i)
            m_coins.Update(1.0f / 60.0f);
        if (c.falls) {
            EXPECT_EQ(m_scene.itemChecks.size(), 1u) << "the coin reached the scene";
        }
        DrawFrame([&] { m_coins.Draw(); });
    }
}

TEST_F(PelagornCoins, PinsLoadTheirAnimationsCentredAndStill)
{
    LoadPins("PIN_ANF=pin_%d.anf\nPIN_COUNT=3\nPIN_RADIUS=12\nPIN_0=1,100,100\nPIN_1=7,200,"
             "200\nPIN_2=2, 300, 150\n");
    EXPECT_EQ(m_pins.m_nRadius, 12);
    ASSERT_EQ(m_pins.m_Pins.GetCount(), 2u) << "a pin whose animation is missing is dropped";
    CXDrawPINObjectInfo& second = *m_pins.m_Pins.m_pTail->m_pData;
    EXPECT_EQ(second.m_nX, 300);
    EXPECT_EQ(second.m_nY, 150);
    EXPECT_FALSE(second.m_Animation.IsPlaying());
    EXPECT_EQ(second.m_Animation.GetFrame(), 0);
    DrawFrame([&] { m_pins.Draw(); });
    // The 20 x 20 pin is drawn centred on (100, 100).
    EXPECT_EQ(Pixel(91, 91), kGrey & 0xFFFFFF);
    EXPECT_EQ(Pixel(109, 109), kGrey & 0xFFFFFF);
    EXPECT_EQ(Pixel(111, 100), 0u);
    EXPECT_EQ(Pixel(100, 89), 0u);

    CXDrawPIN bad;
    WriteText("image/interface/pin/pin.cfg", "PIN_ANF=pin_%s.anf\nPIN_COUNT=2\nPIN_0=1,1,1\n");
    bad.Init();
    EXPECT_EQ(bad.m_Pins.GetCount(), 0u)
        << "a pattern without one integer conversion loads nothing";
}

}  // namespace
