// The lobby's user-info panel: layout, the money and gift-ticket labels, the buttons that open the
// lobby's dialogs, and the sound switches that mute their sound group, heard in an offline mix.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CDXButton.h"
#include "CDXLabel.h"
#include "CDXRadioButton.h"
#include "CDlgGameExit.h"
#include "CWndGameInfo.h"
#include "CXDSBuffer.h"
#include "CXSound.h"
#include "lobby_fixture.h"
#include "support/sound_format.h"

namespace {

class UserInfoTest : public InLobbyTest {
protected:
    void SetUp() override
    {
        InLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        m_info = m_lobby->GetInfo();
        ASSERT_NE(m_info, nullptr);
    }
    void TearDown() override
    {
        // The engine's sound groups outlive the lobby: leave them audible for the next test.
        if (CXSoundMgr* sounds = s_dev ? s_dev->GetSoundMgr() : nullptr)
            for (int k = 0; k < sounds->GetGroupCount(); ++k)
                sounds->SetGroupMute(k, false);
        InLobbyTest::TearDown();
    }
    // Flips a switch as a click on it does: the toggle changes, then the selection is handled.
    void Toggle(int k)
    {
        CDXRadioButton* sw = m_info->GetSoundSwitch(k);
        sw->SetChecked(!sw->IsChecked());
        m_info->OnRadioSelect(sw->GetId());
    }

    CWndGameInfo* m_info = nullptr;
};

TEST_F(UserInfoTest, LabelsShowMoneyAndTicketsWithSeparators)
{
    EXPECT_EQ(m_info->GetId(), 64);
    EXPECT_EQ(m_info->GetX(), 1538);
    EXPECT_EQ(m_info->GetY(), 698);
    EXPECT_EQ(m_info->GetMoneyLabel()->GetText(), "50,000") << "filled at creation";
    g_MachineTable.m_nMoney = 1234567;
    g_MachineTable.m_nGiftTickets = 12345;
    m_lobby->RefreshMoney();
    m_lobby->RefreshGiftTickets();
    EXPECT_EQ(m_info->GetMoneyLabel()->GetText(), "1,234,567");
    EXPECT_EQ(m_info->GetTicketLabel()->GetText(), "12,345");
    EXPECT_EQ(m_info->GetMoneyLabel()->GetColour(), CWndGameInfo::kLabelColour);

    // The coin-charged answer refreshes the money and writes its chat line.
    g_MachineTable.m_nMoney = 2000000;
    m_lobby->AnsCoinCharged(0);
    EXPECT_EQ(m_info->GetMoneyLabel()->GetText(), "2,000,000");
}

TEST_F(UserInfoTest, ButtonsOpenTheLobbysDialogs)
{
    struct Case {
        int button;
        int dialog;  // 0: the main window's exit dialog; -1: not part of the lobby yet, nothing
                     // opens
    } cases[] = {
        {73, 467}, {77, 431}, {78, 420}, {74, 465}, {75, 406},
        {80, 446}, {82, 0},   {79, -1},  {76, -1},  {81, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        ASSERT_NE(m_info->GetButton(c.button), nullptr);
        m_info->OnClick(c.button);
        CDXWnd* dialog = c.dialog == 0  ? g_pWndMain->GetExitDialog()
                         : c.dialog > 0 ? m_lobby->FindById(c.dialog)
                                        : nullptr;
        if (c.dialog < 0)
            continue;
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->IsVisible());
        dialog->Show(false);
    }
}

TEST_F(UserInfoTest, SwitchesStartFromTheGroupsMuteState)
{
    CXSoundMgr* sounds = s_dev->GetSoundMgr();
    for (int k = 0; k < CWndGameInfo::kSoundSwitches; ++k)
        EXPECT_TRUE(m_info->GetSoundSwitch(k)->IsChecked()) << k;
    Toggle(2);
    EXPECT_TRUE(sounds->IsGroupMuted(2));
    EXPECT_FALSE(sounds->IsGroupMuted(1));

    // A new lobby reads the groups again.
    g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
    m_lobby = EnterLobby();
    ASSERT_NE(m_lobby, nullptr);
    m_info = m_lobby->GetInfo();
    EXPECT_FALSE(m_info->GetSoundSwitch(2)->IsChecked());
    EXPECT_TRUE(m_info->GetSoundSwitch(1)->IsChecked());
    Toggle(2);
    EXPECT_FALSE(sounds->IsGroupMuted(2));
}

// A steady tone of one group, panned hard to one side, on a mixer the test renders itself.
std::unique_ptr<CXSound> Tone(platform::SoundMixer& mixer)
{
    const std::vector<int16_t> pcm(4410, 8000);
    auto buffer = std::make_unique<CXDSBuffer>(&mixer);
    if (!buffer->CreateFromWave(test_support::Mono16Format(),
                                reinterpret_cast<const uint8_t*>(pcm.data()),
                                static_cast<uint32_t>(pcm.size() * 2)))
        return nullptr;
    auto sound = std::make_unique<CXSound>();
    if (!sound->AddBuffers(std::move(buffer), 1))
        return nullptr;
    return sound;
}

// The loudest sample of each side of a block of the mix.
std::pair<int, int> Peaks(platform::SoundMixer& mixer)
{
    std::vector<int16_t> out(2 * 256);
    mixer.Render(out.data(), 256);
    int left = 0, right = 0;
    for (size_t i = 0; i < out.size(); i += 2) {
        left = std::max(left, std::abs(out[i]));
        right = std::max(right, std::abs(out[i + 1]));
    }
    return {left, right};
}

TEST_F(UserInfoTest, SwitchMutesOnlyItsSoundGroupInTheMix)
{
    // The mixer outlives the engine's groups, which keep the tones until the device goes.
    static platform::SoundMixer mixer;
    static std::atomic<int> run{0};
    const std::string name = "USERINFO_TONE_" + std::to_string(run++);
    CXSoundMgr* sounds = s_dev->GetSoundMgr();
    auto left = Tone(mixer);
    auto right = Tone(mixer);
    ASSERT_TRUE(left && right);
    CXSound* slot1 = left.get();
    CXSound* slot2 = right.get();
    ASSERT_TRUE(sounds->GetGroup(1)->Add(name.c_str(), std::move(left)));
    ASSERT_TRUE(sounds->GetGroup(2)->Add(name.c_str(), std::move(right)));
    ASSERT_GE(slot1->PlayEx(true, 100, platform::kSoundPanLeft, true), 0);
    ASSERT_GE(slot2->PlayEx(true, 100, platform::kSoundPanRight, true), 0);

    auto [l0, r0] = Peaks(mixer);
    EXPECT_GT(l0, 1000);
    EXPECT_GT(r0, 1000);

    Toggle(2);
    auto [l1, r1] = Peaks(mixer);
    EXPECT_GT(l1, 1000) << "group 1 still plays";
    EXPECT_EQ(r1, 0) << "group 2 is silent";

    Toggle(2);
    auto [l2, r2] = Peaks(mixer);
    EXPECT_GT(l2, 1000);
    EXPECT_GT(r2, 1000) << "unmuted, group 2 is heard again";

    Toggle(1);
    auto [l3, r3] = Peaks(mixer);
    EXPECT_EQ(l3, 0);
    EXPECT_GT(r3, 1000);
    slot1->Stop(0, true);
    slot2->Stop(0, true);
}

}  // namespace
