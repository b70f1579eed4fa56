// The login road of the real protocol client against the scripted dev server on loopback:
// messages 4, 0 and 8 with their exact bytes, the lobby after 9 with 99 sent, a refused login sent
// again on the open connection, failed connections that walk the server list and come back to
// the first, save.dat written only after a connection succeeded, the quit box when the lobby loses
// its connection, and the keep-alive every 30 s of the clock, also over slow frames.
#include <gtest/gtest.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <chrono>
#include <functional>

#include "Answers.h"
#include "AppStartup.h"
#include "CDXEdit.h"
#include "CNetClient.h"
#include "CWndLogin.h"
#include "CWndLoginPanel.h"
#include "CXDSBuffer.h"
#include "CXDSDevice.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "DevServer.h"
#include "ServerList.h"
#include "app/shell_fixture.h"
#include "platform/clock.h"
#include "support/hex.h"
#include "support/sound_format.h"
#include "support/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using devserver::Bytes;

using test_support::Hex;

// A loopback port where nothing listens (bound for a moment, then closed).
uint16_t DeadPort()
{
    boost::asio::io_context io;
    boost::asio::ip::tcp::acceptor acceptor(io, {boost::asio::ip::make_address("127.0.0.1"), 0});
    return acceptor.local_endpoint().port();
}

class LoginRoadTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        m_save = std::make_unique<TempFolder>("logintest");
        CWndLoginPanel::SetSaveFolder(m_save->Slashed());
        m_previousCreator = SetNetClientCreator(CreateProgramNetClient);
    }
    void TearDown() override
    {
        ShellTest::TearDown();
        SetNetClientCreator(m_previousCreator);
        CWndLoginPanel::SetSaveFolder(std::string());
        CWndLoginPanel::SetServerPort(HiNetworkClient::kDefaultPort);
    }

    // The login screen on server `index` of the unrotated list, with the two texts typed.
    CWndLoginPanel* OpenLogin(int index, const char* id = "user", const char* password = "pw")
    {
        WriteServerChoice(CWndLoginPanel::SavePath(), ServerChoice{0, index});
        std::filesystem::remove(CWndLoginPanel::SavePath());
        m_index = index;
        g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
        auto* login = dynamic_cast<CWndLogin*>(g_pWndMain->GetCurrentScreen());
        EXPECT_NE(login, nullptr);
        if (!login)
            return nullptr;
        CWndLoginPanel* panel = login->GetPanel();
        // No save.dat: a random variant; the test fixes it to the base order and the index.
        panel->LoadServerList();
        WriteServerChoice(CWndLoginPanel::SavePath(), ServerChoice{0, index});
        panel->LoadServerList();
        std::filesystem::remove(CWndLoginPanel::SavePath());
        panel->GetIdEdit()->SetText(id);
        panel->GetPasswordEdit()->SetText(password);
        return panel;
    }

    // Frames of network work until the condition holds (false after 10 s).
    static bool PumpUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 10000; ++i) {
            if (done())
                return true;
            g_pGameMain->PumpNetwork();
            PumpMessages();
            platform::SleepMs(1);
        }
        return done();
    }

    std::unique_ptr<TempFolder> m_save;
    NetClientCreator m_previousCreator = nullptr;
    int m_index = 0;
};

TEST_F(LoginRoadTest, LoginVersionAndPlayerDataThenTheLobby)
{
    devserver::DevServer server("127.0.0.1", 0);
    CWndLoginPanel::SetServerPort(server.Port());
    devserver::Script script;
    script.ExpectBody(Hex("0400 75736572000000000000000000000000 70770000000000000000000000000000"))
        .Send(devserver::answers::LoginResult(0))
        .ExpectBody(Hex("0000 01010000"))
        .Send(devserver::answers::VersionCheckResult(1))
        .ExpectBody(Hex("0800"))
        .Send(devserver::answers::UserInfo(u"tester", 1000000, 3, {}))
        .Expect(99)
        .Close();
    ASSERT_TRUE(server.Start(script));

    CWndLoginPanel* panel = OpenLogin(0);
    ASSERT_NE(panel, nullptr);
    panel->Login();
    EXPECT_FALSE(panel->IsEnabled());
    EXPECT_FALSE(std::filesystem::exists(CWndLoginPanel::SavePath()))
        << "nothing saved before the connection";

    ASSERT_TRUE(PumpUntil([] { return g_pWndMain->GetHistory().back() == CWndMain::kScreenGame; }));
    EXPECT_EQ(g_pGameMain->GetMode(), CGameMain::MODE_LOBBY);
    auto outcome = server.Wait(10s);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->ok) << outcome->message;
    const ServerChoice saved = ReadServerChoice(CWndLoginPanel::SavePath());
    EXPECT_EQ(saved.nVariant, 0);
    EXPECT_EQ(saved.nIndex, 0);

    // The server closed after 99: in the lobby that is the end of the session.
    ASSERT_TRUE(
        PumpUntil([] { return BoxShows("서버 연결이 끊어졌습니다.\n프로그램을 종료합니다."); }));
    EXPECT_EQ(Box()->GetTitle(), "서버연결");
    EXPECT_TRUE(Box()->IsQuitBox());
}

TEST_F(LoginRoadTest, RefusedLoginReenablesThePanelAndTheNextTrySendsOnTheSameConnection)
{
    devserver::DevServer server("127.0.0.1", 0);
    CWndLoginPanel::SetServerPort(server.Port());
    devserver::Script script;
    script.Expect(4)
        .Send(devserver::answers::LoginResult(2))
        .ExpectBody(Hex("0400 75736572000000000000000000000000 73656372657400000000000000000000"))
        .Send(devserver::answers::LoginResult(0))
        .Expect(0)
        .Close();
    ASSERT_TRUE(server.Start(script));

    CWndLoginPanel* panel = OpenLogin(0);
    ASSERT_NE(panel, nullptr);
    panel->Login();
    ASSERT_TRUE(PumpUntil([&] { return panel->IsEnabled(); }));
    EXPECT_TRUE(BoxShows(CDlgCommon::ErrorText(2)));
    EXPECT_EQ(Box()->GetTitle(), "로그인");
    ASSERT_TRUE(g_NetClient->IsConnected());

    panel->GetPasswordEdit()->SetText("secret");
    panel->Login();
    std::optional<devserver::Outcome> outcome;
    PumpUntil([&] { return (outcome = server.Wait(0ms)).has_value(); });
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->ok) << outcome->message;
}

TEST_F(LoginRoadTest, FailedConnectionsWalkTheListAndFiveComeBackToTheFirst)
{
    CWndLoginPanel::SetServerPort(DeadPort());
    CWndLoginPanel* panel = OpenLogin(2);
    ASSERT_NE(panel, nullptr);
    std::vector<int> tried;
    for (int attempt = 0; attempt < 5; ++attempt) {
        tried.push_back(panel->GetServerIndex());
        Box()->Show(false);
        panel->Login();
        ASSERT_TRUE(PumpUntil([&] { return panel->IsEnabled(); })) << "attempt " << attempt;
        EXPECT_TRUE(BoxShows("로그인에 실패하였습니다."));
    }
    EXPECT_EQ(tried, (std::vector<int>{2, 3, 4, 0, 1}));
    EXPECT_EQ(panel->GetServerIndex(), 2) << "five failures come back to the first server";
    EXPECT_FALSE(std::filesystem::exists(CWndLoginPanel::SavePath()))
        << "no connection, nothing saved";
}

TEST_F(LoginRoadTest, EmptyTextsAskForInputAndConnectNowhere)
{
    CWndLoginPanel* panel = OpenLogin(0, "", "pw");
    ASSERT_NE(panel, nullptr);
    panel->Login();
    EXPECT_TRUE(BoxShows("아이디와 암호를 올바르게 입력해 주십시오"));
    EXPECT_FALSE(Box()->IsQuitBox());
    EXPECT_TRUE(panel->IsEnabled());
    EXPECT_EQ(g_NetClient->GetState(), HiNetworkClient::STATE_CLOSED);
}

TEST_F(LoginRoadTest, EnterInTheIdOnlyMovesTheFocusAndTabSwaps)
{
    CWndLoginPanel* panel = OpenLogin(0);
    ASSERT_NE(panel, nullptr);
    panel->GetIdEdit()->TakeFocus();
    EXPECT_EQ(panel->OnChar(13), 0);
    EXPECT_TRUE(panel->GetPasswordEdit()->HasKeyboardFocus());
    EXPECT_EQ(g_NetClient->GetState(), HiNetworkClient::STATE_CLOSED);
    EXPECT_EQ(panel->OnChar(9), 0);
    EXPECT_TRUE(panel->GetIdEdit()->HasKeyboardFocus());
    EXPECT_EQ(panel->OnChar('a'), 1);
}

// A suite of its own, so its device's sound manager is fresh: no earlier login of the suite has
// loaded the login sound yet.
class LoginSoundTest : public LoginRoadTest {};

TEST_F(LoginSoundTest, LoginScreenPlaysItsSound)
{
    // The sound manager holds a 20-second sound under the login sound's name, so the panel's load
    // finds it and what it plays is still playing when the test looks, however loaded the machine.
    CXSoundMgr* sounds = s_dev->GetSoundMgr();
    ASSERT_NE(sounds, nullptr);
    ASSERT_NE(s_dev->GetDSDevice(), nullptr);
    const platform::SoundFormat format = test_support::Mono16Format();
    const std::vector<uint8_t> silence(88200 * 20, 0);
    const char* name = "./data_ui/login.wav";
    auto sound = s_dev->GetDSDevice()->CreateSound(
        name, s_dev->GetDSDevice()->CreateBuffer(format, silence.data(), uint32_t(silence.size())),
        1);
    ASSERT_NE(sound, nullptr);
    ASSERT_TRUE(sounds->GetGroup(0)->Add("./DATA_UI/LOGIN.WAV", std::move(sound)));

    ASSERT_NE(OpenLogin(0), nullptr);
    CXSound* played = sounds->LoadSound(name, 1);
    ASSERT_NE(played, nullptr);
    EXPECT_TRUE(played->IsPlaying(0)) << "the login panel did not play its sound";
}

// The graphics device's clock, moved by the test; sleeps pass at once.
class StepClock final : public CXGfxClock {
public:
    uint32_t ms = 1000;
    uint32_t Now() override { return ms; }
    void Sleep(uint32_t n) override { ms += n; }
};

class KeepAliveTest : public LoginRoadTest {
protected:
    void SetUp() override
    {
        LoginRoadTest::SetUp();
        s_dev->SetClock(&m_clock);
    }
    void TearDown() override
    {
        s_dev->SetClock(nullptr);
        LoginRoadTest::TearDown();
    }
    // Connects the client to a dev server that answers keep-alives and waits for the close.
    void Connect(devserver::DevServer& server)
    {
        devserver::Script script;
        script.answerPings = true;
        script.ExpectClose(20s);
        ASSERT_TRUE(server.Start(script));
        ASSERT_NE(CreateNetClient(), nullptr);
        ASSERT_TRUE(g_NetClient->Connect("127.0.0.1", server.Port()));
        ASSERT_TRUE(PumpUntil([] { return g_NetClient->IsConnected(); }));
    }
    // The keep-alives the server got once the client has closed.
    static size_t Pings(devserver::DevServer& server)
    {
        // The server writes each echo as the keep-alive arrives: let the last one land first, so
        // the close does not cut it off.
        platform::SleepMs(500);
        g_NetClient->Close();
        auto outcome = server.Wait(10s);
        EXPECT_TRUE(outcome.has_value() && outcome->ok)
            << (outcome ? outcome->message : "no outcome");
        size_t pings = 0;
        for (const auto& body : outcome ? outcome->received : std::vector<devserver::Bytes>{}) {
            EXPECT_EQ(body.size(), 6u);
            pings += body.size() >= 2 && body[0] == 0xE9 && body[1] == 0x03;  // 1001
        }
        return pings;
    }

    StepClock m_clock;
};

TEST_F(KeepAliveTest, EveryThirtySecondsOfTheClockWhileConnectedOnly)
{
    g_pGameMain->PumpNetwork();
    m_clock.ms += 40000;
    g_pGameMain->PumpNetwork();
    EXPECT_EQ(g_pGameMain->GetPingTime(), 0u) << "no time counts while there is no client";

    devserver::DevServer server("127.0.0.1", 0);
    ASSERT_NO_FATAL_FAILURE(Connect(server));
    m_clock.ms += 29500;
    g_pGameMain->PumpNetwork();
    m_clock.ms += 400;
    g_pGameMain->PumpNetwork();
    EXPECT_EQ(g_pGameMain->GetPingTime(), 29900u);
    m_clock.ms += 200;
    g_pGameMain->PumpNetwork();
    EXPECT_EQ(g_pGameMain->GetPingTime(), 0u);
    EXPECT_EQ(Pings(server), 1u) << "exactly one keep-alive";
}

// Frames of half a second: the frame loop counts each as one 16 ms interval, yet the keep-alive
// still goes out every 30 s of real time, through the program's own frame callback.
int g_slowFrames = 0;
StepClock* g_slowClock = nullptr;

bool SlowFrame()
{
    EXPECT_FLOAT_EQ(g_pGfxDevice->Timer_GetDelta(), 0.016f)
        << "a slow frame counts as one interval";
    OnEngineFrame();
    g_slowClock->ms += 500;
    return ++g_slowFrames >= 130;
}

TEST_F(KeepAliveTest, SlowFramesStillSendItEveryThirtySeconds)
{
    devserver::DevServer server("127.0.0.1", 0);
    ASSERT_NO_FATAL_FAILURE(Connect(server));
    g_pGameMain->PumpNetwork();
    g_slowFrames = 0;
    g_slowClock = &m_clock;
    s_dev->System_SetState(GFX_STATE_FRAME_RATE, 60);
    s_dev->System_SetState(GFX_STATE_RUN_INACTIVE, true);
    s_dev->System_SetState(GFX_STATE_FRAME_CALLBACK, &SlowFrame);
    m_clock.ms += 500;
    EXPECT_TRUE(s_dev->System_Start());
    s_dev->System_SetState(GFX_STATE_FRAME_CALLBACK, static_cast<CXGfxCallback>(nullptr));
    s_dev->System_SetState(GFX_STATE_FRAME_RATE, 0);
    EXPECT_EQ(g_slowFrames, 130);
    EXPECT_EQ(Pings(server), 2u) << "65 s of frames: keep-alives at 30 s and 60 s";
}

}  // namespace
