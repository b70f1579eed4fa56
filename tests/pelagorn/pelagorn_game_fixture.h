#pragma once
// A Pelagorn game on the real device whose data folder is a scratch folder holding the generated
// display-object tree and the scene's own windows written by the fixture, with a clock the test
// moves and a recording sender.
#include <filesystem>
#include <memory>
#include <string>

#include "CPelagorn.h"
#include "CXSceneGAME.h"
#include "CXSceneLOGO.h"
#include "pelagorn_fixture.h"
#include "pelagorn_link_fakes.h"

class PelagornGameTest : public PelagornTest {
protected:
    static inline double s_seconds = 0.0;
    // The game's clock: s_seconds.
    struct Clock : CPelagornClock {
        double Seconds() override { return s_seconds; }
    };
    Clock m_clock;

    void SetUp() override
    {
        PelagornTest::SetUp();
        s_seconds = 100.0;
        const auto data = m_folder.Path() / "DATA_PELAGORN" / "image";
        std::filesystem::create_directories(data);
        const auto generated = std::filesystem::path(CX_ASSETS_DIR) / "DATA_PELAGORN" / "image";
        for (const char* sub : {"dropper", "interface", "prize", "placeholder"})
            std::filesystem::create_directory_symlink(generated / sub, data / sub);
        const std::vector<uint32_t> grey{0xFF808080};
        for (const char* name :
             {"demo/errorwindow", "demo/errorwindow3", "demo/errorwindow_2", "demo/black",
              "account/complete", "account/jijung", "demo/demo", "demo/demo2", "demo/nocredit",
              "demo/giftout", "demo/credit", "account/test", "logo/title"})
            WriteAnf(std::string("DATA_PELAGORN/image/") + name + ".anf", 8, 8, grey);
        WriteText("DATA_PELAGORN/image/demo/mframe.cfg",
                  "NO_CREDIT=10,20,image/demo/nocredit.anf\nGIFT_OUT=30,40,image/demo/giftout.anf\n"
                  "INPUT_CREDIT_SOUND=image/demo/credit.anf\n");
    }
    void TearDown() override
    {
        m_game.reset();
        PelagornTest::TearDown();
    }

    // A hosted game (no enter request unless `enter`), or a demo instance.
    CPelagorn& MakeGame(bool demo = false, bool enter = false)
    {
        m_game = std::make_unique<CPelagorn>(nullptr, 7, 3, demo);
        m_game->SetClock(&m_clock);
        m_game->SetSender(&m_sender);
        m_game->SetDataFolder(m_folder.Slashed() + "DATA_PELAGORN/");
        EXPECT_TRUE(m_game->Initialize(nullptr, enter));
        return *m_game;
    }
    CXSceneGAME& Scene() { return *m_game->GetSceneGAME(); }
    // Runs frames of `wall` seconds each, moving the clock with them.
    void Frames(int n, double wall)
    {
        for (int i = 0; i < n; ++i) {
            s_seconds += wall;
            m_game->RunScene(static_cast<float>(wall));
        }
    }
    // Hands the title over to the game scene.
    void EnterGame()
    {
        Frames(7, 0.5);
        ASSERT_EQ(m_game->GetCurrentScene(), static_cast<CX2DSceneObject*>(m_game->GetSceneGAME()));
    }

    RecordingPelagornSender m_sender;
    std::unique_ptr<CPelagorn> m_game;
};
