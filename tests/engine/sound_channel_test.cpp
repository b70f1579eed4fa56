// Sound and music channels over the graphics device's sound manager.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CX2DChannel.h"
#include "CX2DEngine.h"
#include "CXDSBuffer.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "CXString.h"
#include "sound_files.h"

namespace {

class SoundChannel : public sound_test::SoundTest {
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        ASSERT_TRUE(m_pGfx->InitSound(4));
        WriteSilence("a.wav");
        // Channel names lose a leading '/', so files are named under the resource base.
        g_strResourceBase = m_folder.Slashed();
    }
    void TearDown() override
    {
        EngineSetSoundOff(false);
        g_strResourceBase.clear();
        m_pGfx->FreeSound();
        SoundTest::TearDown();
    }

    static int32_t Applied(const CXSound* sound, int index)
    {
        return sound->GetBuffer(index)->GetBuffer()->GetVolume();
    }

    const char* m_path = "a.wav";
};

}  // namespace

TEST_F(SoundChannel, DeviceMakesTheGroupsAndFreesThem)
{
    ASSERT_NE(m_pGfx->GetSoundMgr(), nullptr);
    EXPECT_EQ(m_pGfx->GetSoundMgr()->GetGroupCount(), 5);
    EXPECT_NE(m_pGfx->GetDSDevice(), nullptr);
    m_pGfx->FreeSound();
    EXPECT_EQ(m_pGfx->GetSoundMgr(), nullptr);
    EXPECT_EQ(m_pGfx->GetDSDevice(), nullptr);
    CX2DSound sound;
    EXPECT_FALSE(sound.Create(m_path, 1)) << "no sound manager, no sound";
    EXPECT_EQ(sound.Play(), -1);
}

TEST_F(SoundChannel, FiveChannelsOnFourCopies)
{
    std::unique_ptr<CX2DSound> channels[5];
    for (auto& c : channels) {
        c.reset(new CX2DSound);
        ASSERT_NE(c, nullptr);
        ASSERT_TRUE(c->Create(m_path, 4));
    }
    CXSound* sound = channels[0]->GetSound();
    ASSERT_EQ(sound->GetBufferCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(channels[i]->Play(), i) << "channel " << i;
    channels[4]->SetVolume(50, false);
    EXPECT_EQ(channels[4]->Play(), 0);
    EXPECT_EQ(Applied(sound, 0), 0) << "the busy buffer 0 is left as it was";
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(sound->IsPlaying(i)) << "buffer " << i;

    // A retrigger stops its own buffer, which is then the first idle one.
    EXPECT_EQ(channels[2]->Play(), 2);
    EXPECT_TRUE(channels[2]->IsPlaying());
    channels[2]->Stop(true);
    EXPECT_EQ(channels[2]->GetBufferIndex(), -1);
    EXPECT_FALSE(sound->IsPlaying(2));
}

TEST_F(SoundChannel, MusicStartsAgainFromTheBeginning)
{
    CX2DMusic music;
    ASSERT_TRUE(music.Create(m_path, 0));
    ASSERT_EQ(music.GetSound()->GetBufferCount(), 1);
    music.SetLoop(true);
    EXPECT_EQ(music.GetSound()->m_bLoop, 1);
    EXPECT_EQ(music.Play(), 0);
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_EQ(music.Play(), 0);
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_TRUE(music.GetSound()->GetBuffer(0)->GetBuffer()->IsLooping());
}

TEST_F(SoundChannel, SoundOffTouchesNoBuffer)
{
    CX2DSound sound;
    CX2DMusic music;
    ASSERT_TRUE(sound.Create(m_path, 2));
    ASSERT_TRUE(music.Create(m_path));
    EngineSetSoundOff(true);
    EXPECT_EQ(sound.Play(), -1);
    EXPECT_EQ(music.Play(), -1);
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(sound.GetSound()->IsPlaying(i));
    EngineSetSoundOff(false);
    EXPECT_EQ(sound.Play(), 0);
}

TEST_F(SoundChannel, FileNamesAreNormalisedUnderTheResourceBase)
{
    struct Case {
        const char* name;
        bool ok;
    };
    const Case cases[] = {
        {"a.wav", true}, {"  A.WAV\t", true}, {"ignored//a.wav", true}, {"ignored// /a.wav", true},
        {"", false},     {"  ", false},       {"x//", false},           {"missing.wav", false},
    };
    CXSound* expected = m_pGfx->GetSoundMgr()->LoadSound((g_strResourceBase + "A.WAV").c_str(), 1);
    ASSERT_NE(expected, nullptr);
    for (const auto& c : cases) {
        CX2DSound sound;
        EXPECT_EQ(sound.Create(c.name, 1), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(sound.GetSound(), expected) << c.name;
        }
    }
}

TEST_F(SoundChannel, CreateStopsAndForgetsTheOldSound)
{
    CX2DSound sound;
    ASSERT_TRUE(sound.Create(m_path, 1));
    CXSound* first = sound.GetSound();
    ASSERT_EQ(sound.Play(), 0);
    EXPECT_FALSE(sound.Create("missing.wav", 1));
    EXPECT_EQ(sound.GetSound(), nullptr);
    EXPECT_FALSE(first->IsPlaying(0));
    EXPECT_EQ(sound.Play(), -1);
}

TEST_F(SoundChannel, SettersClampAndReachTheLastBuffer)
{
    CX2DSound sound;
    ASSERT_TRUE(sound.Create(m_path, 2));
    CXSound* s = sound.GetSound();
    ASSERT_EQ(sound.Play(), 0);

    sound.SetVolume(150, false);
    EXPECT_EQ(sound.GetVolume(), 100);
    sound.SetVolume(50, false);
    EXPECT_EQ(Applied(s, 0), -1500);
    EXPECT_EQ(Applied(s, 1), 0) << "only the last buffer";
    sound.SetVolume(-5, true);
    EXPECT_EQ(sound.GetVolume(), 0);
    EXPECT_EQ(Applied(s, 0), -3000);
    EXPECT_EQ(Applied(s, 1), -3000);

    sound.SetPan(-300);
    EXPECT_EQ(sound.GetPan(), -100);
    EXPECT_EQ(s->GetBuffer(0)->GetBuffer()->GetPan(), -100) << "unscaled";
    sound.SetPitch(1.5f);
    EXPECT_FLOAT_EQ(sound.GetPitch(), 1.5f);
    sound.SetLoop(true);
    EXPECT_EQ(s->m_bLoop, 1);
}

TEST_F(SoundChannel, DeckGroupsAreMutedOneAtATime)
{
    CXSoundMgr* mgr = m_pGfx->GetSoundMgr();
    mgr->m_nCurrentGroup = 2;
    CX2DSound slot2;
    ASSERT_TRUE(slot2.Create(m_path, 1));
    mgr->m_nCurrentGroup = 1;
    CX2DSound slot1;
    ASSERT_TRUE(slot1.Create(m_path, 1));
    EXPECT_NE(slot1.GetSound(), slot2.GetSound());
    mgr->SetGroupMute(2, true);
    ASSERT_EQ(slot2.Play(), 0);
    ASSERT_EQ(slot1.Play(), 0);
    EXPECT_EQ(Applied(slot2.GetSound(), 0), -10000);
    EXPECT_EQ(Applied(slot1.GetSound(), 0), 0);
    mgr->GetGroup(2)->StopAll();
    EXPECT_FALSE(slot2.IsPlaying());
    EXPECT_TRUE(slot1.IsPlaying());
}
