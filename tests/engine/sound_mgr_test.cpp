// Sound manager groups, sounds with several buffer copies, and the buffers' volume and mute rules.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "CXDSBuffer.h"
#include "CXDSDevice.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "sound_files.h"

namespace {

class SoundManager : public sound_test::SoundTest {
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        ASSERT_TRUE(m_device.Init(nullptr, 44100, 16, 2));
        m_path = WriteSilence("a.wav");
    }

    std::string WriteWave(const std::string& name) { return WriteSilence(name); }

    static int32_t Applied(const CXSound* sound, int index)
    {
        return sound->GetBuffer(index)->GetBuffer()->GetVolume();
    }

    std::string m_path;
    CXDSDevice m_device;
};

}  // namespace

TEST_F(SoundManager, BlanksAndCaseGiveTheSameSound)
{
    CXSoundMgr mgr(&m_device);
    CXSound* first = mgr.LoadSound(m_path.c_str(), 2);
    ASSERT_NE(first, nullptr);
    std::string shouted = m_path;
    for (char& c : shouted)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(mgr.LoadSound(("  " + shouted + " \t").c_str(), 4), first);
    EXPECT_EQ(first->GetBufferCount(), 2) << "a found sound is not reloaded";
    EXPECT_EQ(mgr.FindSound(0, (" " + m_path).c_str()), first);
}

TEST_F(SoundManager, EveryGroupGetsItsOwnCopy)
{
    CXSoundMgr mgr(&m_device);
    ASSERT_TRUE(mgr.CreateGroups(4));
    ASSERT_EQ(mgr.GetGroupCount(), 5);
    mgr.m_nCurrentGroup = 3;
    CXSound* sound = mgr.LoadSound(m_path.c_str(), 2);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(mgr.FindSound(3, m_path.c_str()), sound);
    CXSound* lobby = mgr.FindSound(0, m_path.c_str());
    CXSound* slot4 = mgr.FindSound(4, m_path.c_str());
    ASSERT_NE(lobby, nullptr);
    ASSERT_NE(slot4, nullptr);
    EXPECT_NE(lobby, sound);
    EXPECT_NE(slot4, sound);
    EXPECT_NE(slot4->GetBuffer(0), lobby->GetBuffer(0));
    EXPECT_EQ(slot4->GetBufferCount(), 2);
    EXPECT_EQ(mgr.FindSound(5, m_path.c_str()), nullptr);
    EXPECT_EQ(mgr.FindSound(-1, m_path.c_str()), nullptr);

    // Playing one group's copy leaves the others idle.
    sound->Play(false, false);
    EXPECT_TRUE(sound->IsPlaying(0));
    EXPECT_FALSE(lobby->IsPlaying(0));
    mgr.GetGroup(3)->StopAll();
    EXPECT_FALSE(sound->IsPlaying(0));
}

TEST_F(SoundManager, GroupMadeAfterALoadGetsAClone)
{
    CXSoundMgr mgr(&m_device);
    CXSound* lobby = mgr.LoadSound(m_path.c_str(), 3);
    ASSERT_NE(lobby, nullptr);
    ASSERT_TRUE(mgr.CreateGroups(2));
    // Group 0 holds the key: the new group is served by a clone, without reading the file again.
    std::filesystem::remove(m_path);
    mgr.m_nCurrentGroup = 2;
    CXSound* slot = mgr.LoadSound(m_path.c_str(), 1);
    ASSERT_NE(slot, nullptr);
    EXPECT_NE(slot, lobby);
    EXPECT_EQ(slot->GetBufferCount(), 3);
    EXPECT_NE(mgr.FindSound(1, m_path.c_str()), nullptr);
    EXPECT_EQ(mgr.FindSound(0, m_path.c_str()), lobby);
}

TEST_F(SoundManager, FailedLoadAddsNothingAndIsRetried)
{
    CXSoundMgr mgr(&m_device);
    ASSERT_TRUE(mgr.CreateGroups(1));
    const std::string later = (m_folder.Path() / "later.wav").string();
    EXPECT_EQ(mgr.LoadSound(later.c_str(), 1), nullptr);
    EXPECT_EQ(mgr.GetGroup(0)->GetCount(), 0u);
    EXPECT_EQ(mgr.GetGroup(1)->GetCount(), 0u);
    WriteWave("later.wav");
    EXPECT_NE(mgr.LoadSound(later.c_str(), 1), nullptr);
}

TEST_F(SoundManager, SwapGroupsChecksBothIndexes)
{
    CXSoundMgr mgr(&m_device);
    ASSERT_TRUE(mgr.CreateGroups(4));
    CXSoundList* one = mgr.GetGroup(1);
    CXSoundList* two = mgr.GetGroup(2);
    EXPECT_TRUE(mgr.SwapGroups(1, 1));
    EXPECT_EQ(mgr.GetGroup(1), one);
    EXPECT_FALSE(mgr.SwapGroups(0, 5));
    EXPECT_FALSE(mgr.SwapGroups(-1, 0));
    EXPECT_TRUE(mgr.SwapGroups(1, 2));
    EXPECT_EQ(mgr.GetGroup(1), two);
    EXPECT_EQ(mgr.GetGroup(2), one);
    EXPECT_EQ(mgr.GetGroup(1)->GetIndex(), 2) << "a group keeps its own number";
    EXPECT_EQ(mgr.GetGroup(5), nullptr);
}

TEST_F(SoundManager, MuteIsPerGroup)
{
    CXSoundMgr mgr(&m_device);
    ASSERT_TRUE(mgr.CreateGroups(2));
    CXSound* lobby = mgr.LoadSound(m_path.c_str(), 2);
    ASSERT_NE(lobby, nullptr);
    CXSound* one = mgr.FindSound(1, m_path.c_str());
    CXSound* two = mgr.FindSound(2, m_path.c_str());
    two->SetVolumeAll(50);
    two->m_nVolume = 50;

    mgr.SetGroupMute(2, true);
    EXPECT_TRUE(mgr.IsGroupMuted(2));
    EXPECT_FALSE(mgr.IsGroupMuted(1));
    EXPECT_FALSE(mgr.IsGroupMuted(9));
    mgr.SetGroupMute(9, true);  // out of range: nothing
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Applied(two, i), -10000) << "buffer " << i;
        EXPECT_EQ(Applied(one, i), 0) << "buffer " << i;
        EXPECT_EQ(Applied(lobby, i), 0) << "buffer " << i;
    }
    // A muted group plays silently and gets its volume back when unmuted.
    ASSERT_EQ(two->Play(false, false), 0);
    EXPECT_EQ(Applied(two, 0), -10000);
    mgr.SetGroupMute(2, false);
    EXPECT_EQ(Applied(two, 0), -1500);
    EXPECT_EQ(Applied(two, 1), -1500);

    // Sounds loaded into a group after it was muted are not muted.
    mgr.SetGroupMute(1, true);
    CXSound* other = mgr.LoadSound(WriteWave("b.wav").c_str(), 1);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(Applied(mgr.FindSound(1, (m_folder.Path() / "b.wav").string().c_str()), 0), 0);
}

TEST_F(SoundManager, FifthPlayOfFourCopiesFindsBufferZeroBusy)
{
    CXSoundMgr mgr(&m_device);
    CXSound* sound = mgr.LoadSound(m_path.c_str(), 4);
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->GetBufferCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(sound->PlayEx(false, 100, 0, false), i);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(sound->IsPlaying(i)) << "buffer " << i;
    // Every copy is busy: buffer 0 is returned and left as it was (its volume too).
    EXPECT_EQ(sound->PlayEx(false, 50, 0, false), 0);
    EXPECT_EQ(Applied(sound, 0), 0);
    EXPECT_EQ(sound->m_nVolume, 100);
    // With restart, buffer 0 starts again and takes the new volume.
    EXPECT_EQ(sound->PlayEx(false, 50, 0, true), 0);
    EXPECT_EQ(Applied(sound, 0), -1500);
    // A stopped copy is the first idle one again.
    sound->Stop(2, false);
    EXPECT_EQ(sound->Play(true, false), 2);
    EXPECT_TRUE(sound->GetBuffer(2)->GetBuffer()->IsLooping());
    EXPECT_EQ(sound->m_bLoop, 1);
    sound->StopAll(true);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(sound->IsPlaying(i)) << "buffer " << i;
}

TEST_F(SoundManager, PlayExClampsVolumeAndPan)
{
    struct Case {
        const char* name;
        int volume, pan;
        int storedVolume, storedPan;
        int32_t appliedVolume, appliedPan;
    };
    const Case cases[] = {
        {"volume above 100", 150, 0, 100, 0, 0, 0},
        {"negative volume stored, applied as silence ratio 0", -20, 0, -20, 0, -3000, 0},
        {"half volume", 50, 0, 50, 0, -1500, 0},
        {"pan above 10000", 100, 20000, 100, 10000, 0, 10000},
        {"pan below -10000 is stored but refused by the buffer", 100, -20000, 100, -20000, 0, 0},
    };
    for (const auto& c : cases) {
        CXSoundMgr mgr(&m_device);
        CXSound* sound = mgr.LoadSound(m_path.c_str(), 1);
        ASSERT_NE(sound, nullptr) << c.name;
        ASSERT_EQ(sound->PlayEx(false, c.volume, c.pan, false), 0) << c.name;
        EXPECT_EQ(sound->m_nVolume, c.storedVolume) << c.name;
        EXPECT_EQ(sound->m_nPan, c.storedPan) << c.name;
        EXPECT_EQ(Applied(sound, 0), c.appliedVolume) << c.name;
        EXPECT_EQ(sound->GetBuffer(0)->GetBuffer()->GetPan(), c.appliedPan) << c.name;
    }
}

TEST_F(SoundManager, OutOfRangeBufferIndexesAreIgnored)
{
    CXSoundMgr mgr(&m_device);
    CXSound* sound = mgr.LoadSound(m_path.c_str(), 2);
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(sound->IsPlaying(-1));
    EXPECT_FALSE(sound->Stop(2, true));
    EXPECT_FALSE(sound->SetPan(5, 100));
    EXPECT_FALSE(sound->PlayBuffer(-1));
    sound->SetVolume(7, 10);
    EXPECT_EQ(sound->GetBuffer(2), nullptr);
    sound->ReleaseBuffers();
    EXPECT_EQ(sound->PlayEx(false, 100, 0, false), -1);
    EXPECT_EQ(sound->Clone(), nullptr);
}

TEST_F(SoundManager, BufferVolumeRatioAndMute)
{
    auto sound = m_device.LoadSound(m_path.c_str(), 1);
    ASSERT_NE(sound, nullptr);
    CXDSBuffer* buffer = sound->GetBuffer(0);

    struct Case {
        float ratio;
        int32_t volume;
    };
    for (const Case& c :
         {Case{1.5f, 0}, Case{-1.0f, -3000}, Case{0.5f, -1500}, Case{0.0f, -3000}, Case{1.0f, 0}}) {
        buffer->SetVolumeRatio(c.ratio);
        EXPECT_EQ(buffer->GetVolume(), c.volume) << "ratio " << c.ratio;
        EXPECT_EQ(buffer->GetBuffer()->GetVolume(), c.volume) << "ratio " << c.ratio;
    }

    buffer->SetVolumeRatio(0.5f);
    ASSERT_TRUE(buffer->Play(1));
    buffer->SetMute(true);
    EXPECT_EQ(buffer->GetBuffer()->GetVolume(), -10000) << "muting a playing buffer silences it";
    EXPECT_EQ(buffer->GetVolume(), -1500);
    buffer->SetVolume(-800);
    EXPECT_EQ(buffer->GetBuffer()->GetVolume(), -10000) << "a volume set while muted waits";
    buffer->SetMute(false);
    EXPECT_EQ(buffer->GetBuffer()->GetVolume(), -800);

    buffer->Stop(true);
    buffer->SetMute(true);
    ASSERT_TRUE(buffer->Play(0));
    EXPECT_EQ(buffer->GetBuffer()->GetVolume(), -10000) << "started while muted stays silent";
    buffer->SetMute(false);
    EXPECT_EQ(buffer->GetBuffer()->GetVolume(), -800);

    // A duplicate of a muted buffer takes the remembered volume, not the silence.
    buffer->SetMute(true);
    auto copy = buffer->Duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetBuffer()->GetVolume(), -800);
    EXPECT_FALSE(copy->IsMuted());

    CXDSBuffer empty(nullptr);
    EXPECT_EQ(empty.Duplicate(), nullptr);
    EXPECT_FALSE(empty.Play(0));
    EXPECT_FALSE(empty.IsPlaying());
    EXPECT_FALSE(empty.SetPan(0));
    EXPECT_FALSE(empty.SetPosition(0));
    EXPECT_FALSE(empty.Stop(true));
}
