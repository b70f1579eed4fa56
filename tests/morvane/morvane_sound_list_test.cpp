// The sound list on a real sound device (the dummy driver): each row loads its file from
// "./data_morvane" (linked beside the test program) into the deck's sound group and plays there,
// looping for the rows the game loops.
#include <gtest/gtest.h>

#include <string>

#include "CMorvaneIO.h"
#include "CMorvaneMain.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "MorvaneSoundList.h"
#include "morvane_fakes.h"
#include "support/gfx_device.h"

using namespace morvane_test;

namespace {

class MorvaneSoundDeviceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        s_pDevice = test_support::StartGfxDevice(800, 600, true, error);
        s_strError = error;
    }
    static void TearDownTestSuite() { test_support::StopGfxDevice(s_pDevice); }

    void SetUp() override
    {
        ASSERT_NE(s_pDevice, nullptr) << s_strError;
        ASSERT_NE(s_pDevice->GetSoundMgr(), nullptr) << "no sound on the dummy driver";
        s_pDevice->GetSoundMgr()->CreateGroups(3);  // groups 0..3, one per deck
    }

    static inline CXGfxDevice* s_pDevice = nullptr;
    static inline std::string s_strError;
};

struct SoundRow {
    int row;
    const char* file;  // under "./data_morvane/"; null: not loaded
    bool loop;         // how the game plays it
};

// The table in full: the file of every row, and the rows the game plays looping (the score
// count, the horse's run, the spin's loop, the figure and the jackpot fire).
const SoundRow kRows[] = {
    {0, "SoundData/winsound.wav", false},
    {1, "SoundData/reelstop3.wav", false},
    {2, "SoundData/scorecount/count.wav", true},
    {3, "SoundData/morvanewin.wav", false},
    {4, nullptr, false},
    {5, "SoundData/fourA_theme.wav", false},
    {6, "SoundData/mid_allocation.wav", false},
    {7, "SoundData/jackpot_theme.wav", false},
    {8, "SoundData/sexy_loosebar.wav", false},
    {9, "SoundData/doublegame/double_theme.wav", false},
    {10, "SoundData/doublegame/youwin.wav", false},
    {11, "SoundData/doublegame/lose.wav", false},
    {12, "SoundData/1000to2500/band_theme.wav", false},
    {13, "SoundData/1000to2500/forework-3.wav", false},
    {14, "SoundData/2500to5000/band_theme.wav", false},
    {15, "SoundData/2500to5000/sexyreel-3.wav", false},
    {16, "SoundData/5000more/band_theme.wav", false},
    {17, "SoundData/5000more/gunshot-3.wav", false},
    {18, "SoundData/exsound/fire-ex2.wav", false},
    {19, "SoundData/effect5000_20000/allocation-theme.wav", false},
    {20, "SoundData/effect5000_20000/allocation_normal.wav", false},
    {21, "SoundData/ticketout/ticketout.wav", false},
    {22, "SoundData/curtain/curtain_open.wav", false},
    {23, "SoundData/basicsound/winsound.wav", false},
    {24, "SoundData/horse/Horseshoe_begin.wav", true},
    {25, "SoundData/horse/horsehowl.wav", false},
    {26, "SoundData/horse/Horseshoe_end.wav", false},
    {27, "SoundData/carpet/carpet1.wav", false},
    {28, "SoundData/bg2.wav", true},
    {29, "SoundData/curtain/keystop.wav", false},
    {30, "SoundData/curtain/rock_close.wav", false},
    {31, "SoundData/carpet/carpet2.wav", false},
    {32, "SoundData/added/1.wav", false},
    {33, "SoundData/added/2.wav", true},
    {34, "SoundData/added/3.wav", false},
    {35, "SoundData/added/4.wav", false},
    {36, "SoundData/added/5.wav", false},
    {37, "SoundData/exsound/fire-ex-jackpot.wav", true},
};
static_assert(sizeof kRows / sizeof kRows[0] == kMorvaneSoundRows);

TEST_F(MorvaneSoundDeviceTest, EachRowLoadsItsFileIntoTheDecksGroupAndPlaysInItsMode)
{
    CXSoundMgr& sounds = *s_pDevice->GetSoundMgr();
    for (int group = 0; group < 4; ++group) {
        sounds.m_nCurrentGroup = group;
        FakeOwner owner;
        CMorvaneIO io;  // the engine's own: sounds play on the device
        CMorvaneMain main{&owner, 100, &io};
        ASSERT_TRUE(main.LoadSounds());
        for (const SoundRow& row : kRows) {
            SCOPED_TRACE("group " + std::to_string(group) + " row " + std::to_string(row.row));
            CXSound* sound = main.m_apSound[size_t(row.row)];
            if (!row.file) {
                EXPECT_EQ(sound, nullptr);
                continue;
            }
            ASSERT_NE(sound, nullptr) << row.file;
            EXPECT_EQ(sound,
                      sounds.FindSound(group, (std::string("./data_morvane/") + row.file).c_str()))
                << "the deck's group holds it";
            EXPECT_EQ(std::string(g_MorvaneSoundList[row.row].pszFile), row.file);
            main.PlaySound(row.row, row.loop);
            EXPECT_TRUE(sound->IsPlaying(0));
            EXPECT_EQ(sound->m_bLoop, row.loop ? 1 : 0);
            main.StopSound(row.row);
            EXPECT_FALSE(sound->IsPlaying(0));
        }
        main.ReleaseResources();
    }
    sounds.m_nCurrentGroup = -1;
}

}  // namespace
