// The graphics device opens the sound layer during its start-up and closes it at shutdown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "CXDSDevice.h"
#include "CXGfxDevice.h"
#include "CXSoundMgr.h"
#include "fake_core_sink.h"

namespace {

class SoundDeviceStartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pGfx = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
        ASSERT_NE(m_pGfx, nullptr);
        m_pGfx->SetSink(&m_sink);
        m_pGfx->SetClock(&m_clock);
        m_pGfx->System_SetState(GFX_STATE_WINDOWED, true);
        m_pGfx->System_SetState(GFX_STATE_WINDOW_WIDTH, 320);
        m_pGfx->System_SetState(GFX_STATE_WINDOW_HEIGHT, 180);
    }
    void TearDown() override { m_pGfx->Release(); }

    void ExpectNoSound() const
    {
        EXPECT_EQ(m_pGfx->GetSoundMgr(), nullptr);
        EXPECT_EQ(m_pGfx->GetDSDevice(), nullptr);
        EXPECT_EQ(m_pGfx->m_pWaveList, nullptr);
    }

    CXGfxDevice* m_pGfx = nullptr;
    FakeCoreSink m_sink;
    FakeCoreClock m_clock;
};

// Puts an audio driver name in place for one scope (SDL reads it when audio starts).
class AudioDriverScope {
public:
    explicit AudioDriverScope(const char* name)
    {
        if (const char* old = std::getenv("SDL_AUDIODRIVER")) {
            m_bHad = true;
            m_strOld = old;
        }
        setenv("SDL_AUDIODRIVER", name, 1);
    }
    ~AudioDriverScope()
    {
        if (m_bHad)
            setenv("SDL_AUDIODRIVER", m_strOld.c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }
    AudioDriverScope(const AudioDriverScope&) = delete;
    AudioDriverScope& operator=(const AudioDriverScope&) = delete;

private:
    bool m_bHad = false;
    std::string m_strOld;
};

}  // namespace

TEST_F(SoundDeviceStartUp, StartUpOpensSoundAndShutdownClosesIt)
{
    EXPECT_NE(m_pGfx->System_GetState(GFX_STATE_USE_SOUND), 0) << "sound is on by default";
    ASSERT_TRUE(m_pGfx->System_Initiate(4)) << m_pGfx->System_GetErrorMessage();
    ASSERT_NE(m_pGfx->GetSoundMgr(), nullptr);
    EXPECT_EQ(m_pGfx->GetSoundMgr()->GetGroupCount(), 5) << "group 0 and four more";
    ASSERT_NE(m_pGfx->GetDSDevice(), nullptr);
    EXPECT_TRUE(m_pGfx->GetDSDevice()->IsInitialised());
    EXPECT_NE(m_pGfx->m_pWaveList, nullptr);

    m_pGfx->System_Shutdown();
    ExpectNoSound();
}

TEST_F(SoundDeviceStartUp, SoundOffStartsWithoutSound)
{
    m_pGfx->System_SetState(GFX_STATE_USE_SOUND, false);
    ASSERT_TRUE(m_pGfx->System_Initiate(4)) << m_pGfx->System_GetErrorMessage();
    ExpectNoSound();
    m_pGfx->System_Shutdown();
}

TEST_F(SoundDeviceStartUp, NoAudioDeviceFailsStartUp)
{
    {
        AudioDriverScope driver("no-such-driver");
        EXPECT_FALSE(m_pGfx->System_Initiate(4));
    }
    ExpectNoSound();
    // The failed start-up shut the device down again, so it can start once audio is there.
    ASSERT_TRUE(m_pGfx->System_Initiate(1)) << m_pGfx->System_GetErrorMessage();
    ASSERT_NE(m_pGfx->GetSoundMgr(), nullptr);
    EXPECT_EQ(m_pGfx->GetSoundMgr()->GetGroupCount(), 2);
    m_pGfx->System_Shutdown();
}
