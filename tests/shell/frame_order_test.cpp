// One frame of the application on the engine the program starts: the network pump, the input,
// the games' logic and their drawing into their own targets, the games composed into the screen
// target, the widgets drawn into it, and the target stretched onto the window and presented, in
// that order. The device draws through a sink that records each pass and forwards to the GPU.
#include <gtest/gtest.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AppStartup.h"
#include "CGameDeckList.h"
#include "CGameMain.h"
#include "CX2DEngine.h"
#include "CX2DTarget.h"
#include "CXFileLoad.h"
#include "CXGfxDevice.h"
#include "NetClientGlobal.h"
#include "app/fake_game.h"
#include "platform/clock.h"

namespace {

std::vector<std::string> g_passes;
HTEXTURE g_hGamePicture = nullptr;  // the game's own target

void Note(const std::string& what)
{
    if (g_passes.empty() || g_passes.back() != what)
        g_passes.push_back(what);
}

// Forwards everything to the device's own sink; notes render-target changes, clears, draws (the
// game's picture, the screen target's picture, or anything else: widgets) and presents by the
// target they go to.
class RecordingSink final : public CXGfxSink {
public:
    explicit RecordingSink(CXGfxSink& inner) : m_Inner(inner) {}

    GpuVertex* LockVertices() override { return m_Inner.LockVertices(); }
    void UnlockVertices() override { m_Inner.UnlockVertices(); }
    void Draw(GpuPrimitive kind, int count) override
    {
        const CX2DTarget* screen = g_pGameMain ? g_pGameMain->GetScreenTarget() : nullptr;
        Note(m_strTarget + (m_hTexture && m_hTexture == g_hGamePicture     ? " game picture"
                            : screen && m_hTexture == screen->GetTexture() ? " screen picture"
                                                                           : " draw"));
        m_Inner.Draw(kind, count);
    }
    void SetTexture(HTEXTURE texture) override
    {
        m_hTexture = texture;
        m_Inner.SetTexture(texture);
    }
    void SetBlend(GpuBlend destination) override { m_Inner.SetBlend(destination); }
    void SetColorOp(GpuColorOp op) override { m_Inner.SetColorOp(op); }
    void SetDepthWrite(bool enabled) override { m_Inner.SetDepthWrite(enabled); }
    void SetDepthTest(bool enabled) override { m_Inner.SetDepthTest(enabled); }
    void SetSampler(bool linear) override { m_Inner.SetSampler(linear); }
    void SetSpritePath(bool sprite) override { m_Inner.SetSpritePath(sprite); }
    void SetView(const float matrix[16]) override { m_Inner.SetView(matrix); }
    void SetProjection(const float matrix[16]) override { m_Inner.SetProjection(matrix); }
    void SetViewport(const GpuRect& rect) override { m_Inner.SetViewport(rect); }
    void SetScissorRect(const GpuRect& rect) override { m_Inner.SetScissorRect(rect); }
    GpuRect GetScissorRect() override { return m_Inner.GetScissorRect(); }
    void SetScissorTest(bool enabled) override { m_Inner.SetScissorTest(enabled); }
    bool GetScissorTest() override { return m_Inner.GetScissorTest(); }
    void SetFixedStates(bool linearFilter) override { m_Inner.SetFixedStates(linearFilter); }
    bool SetRenderTarget(HTEXTURE colour, GpuDepth* depth) override
    {
        const CX2DTarget* screen = g_pGameMain ? g_pGameMain->GetScreenTarget() : nullptr;
        m_strTarget = !colour                                    ? "window"
                      : screen && colour == screen->GetTexture() ? "screen"
                                                                 : "game";
        // A new pass, even on the target of the one before.
        g_passes.push_back("-> " + m_strTarget);
        return m_Inner.SetRenderTarget(colour, depth);
    }
    void Clear(uint32_t argb, bool depth) override
    {
        Note(m_strTarget + " clear");
        m_Inner.Clear(argb, depth);
    }
    GpuStatus Present() override
    {
        Note("present");
        return m_Inner.Present();
    }
    GpuStatus TestCooperativeLevel() override { return m_Inner.TestCooperativeLevel(); }
    bool Reset() override { return m_Inner.Reset(); }
    HTEXTURE CreateRenderTarget(int width, int height, uint32_t format) override
    {
        return m_Inner.CreateRenderTarget(width, height, format);
    }
    void DestroyTexture(HTEXTURE texture) override { m_Inner.DestroyTexture(texture); }
    GpuDepth* CreateDepth(int width, int height) override
    {
        return m_Inner.CreateDepth(width, height);
    }
    void DestroyDepth(GpuDepth* depth) override { m_Inner.DestroyDepth(depth); }
    int TextureWidth(HTEXTURE texture) override { return m_Inner.TextureWidth(texture); }
    int TextureHeight(HTEXTURE texture) override { return m_Inner.TextureHeight(texture); }

private:
    CXGfxSink& m_Inner;
    std::string m_strTarget = "window";
    HTEXTURE m_hTexture = nullptr;
};

// A portrait game (type 3) that notes its logic and input and draws its picture into its own
// target during its logic, as the games do.
class FrameGame : public FakeGame {
public:
    FrameGame(CGameDeck* deck, int32_t machine, bool demo) : FakeGame(deck, machine, 3, demo)
    {
        m_pTarget = new CX2DTarget();
        m_pTarget->Create(768, 1280, false);
        g_hGamePicture = m_pTarget->GetTexture();
    }
    void Update() override
    {
        g_passes.push_back("game logic");
        if (EngineBeginScene(m_pTarget->GetTarget())) {
            EngineClear(0xFF000000);
            EngineEndScene(false);
        }
    }
    void OnInputEvent(const CXInputEvent*) override { g_passes.push_back("game input"); }
};

CGameBase* CreateFrameGame(CGameDeck* deck, int32_t machine, bool demo)
{
    return new FrameGame(deck, machine, demo);
}

// The protocol client notes the connection event the frame's network pump delivers.
class RecordingClient : public NetworkClient {
public:
    ~RecordingClient() override { Close(); }
    void OnConnected() override { g_passes.push_back("network"); }
};

std::string Joined()
{
    std::string all;
    for (const std::string& pass : g_passes)
        all += "<" + pass + ">";
    return all;
}

// The engine and the application start as the program starts them, in a forked child that ends
// with _Exit (see startup_test.cpp: the leak checker's pass after the engine's full shutdown).
TEST(FrameOrderTest, NetworkInputGamesWidgetsThenTheStretchOntoTheWindow)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            g_pFileLoad = new CXFileLoad();
            bool ok = AppInit() && InitGame();
            ClearGameTypes();
            RegisterGameType(3, CreateFrameGame);
            ok = ok && g_pGameMain->GetDeckList() &&
                 g_pGameMain->GetDeckList()->StartGame(0, 3, 7, false);
            g_pGameMain->SetMode(CAppCore::MODE_LOBBY);

            // A connection made and waiting to be delivered.
            boost::asio::io_context io;
            boost::asio::ip::tcp::acceptor acceptor(
                io, {boost::asio::ip::make_address("127.0.0.1"), 0});
            SetNetClientCreator([]() -> NetworkClient* { return new RecordingClient(); });
            ok = ok && CreateNetClient() &&
                 g_NetClient->Connect("127.0.0.1", acceptor.local_endpoint().port());
            boost::asio::ip::tcp::socket peer(io);
            acceptor.accept(peer);
            for (int i = 0; i < 5000 && g_NetClient->GetState() != HiNetworkClient::STATE_CONNECTED;
                 ++i)
                platform::SleepMs(1);
            // A key pressed before the frame.
            g_pGfxDevice->QueueEvent(INPUT_KEYDOWN, 'A', 0, 0, 0, 0);

            RecordingSink sink(*g_pGfxDevice->GetSink());
            g_pGfxDevice->SetSink(&sink);
            g_passes.clear();
            OnEngineFrame();
            std::fprintf(stderr, "ok %d passes %s\n", ok ? 1 : 0, Joined().c_str());
            std::fflush(stderr);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0),
        "ok 1 passes <network><game input><game logic><-> game><game clear>"
        "<-> screen><screen clear><screen game picture><screen draw>"
        "<-> window><window screen picture><present>\n");
}

}  // namespace
