// A lost and reset graphics device as the program's engine callbacks see it: every hosted game
// hears of the loss and of the reset, and the screen sprite shows the screen target's new texture.
#include <gtest/gtest.h>

#include "AppStartup.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "lobby_fixture.h"

namespace {

using DeviceResetTest = LobbyTest;

TEST_F(DeviceResetTest, GamesHearOfItAndTheScreenSpriteTakesTheNewTexture)
{
    SetRow(0, 0, 0);  // demo games of types 2, 1 and 3 around the player's machine
    SetRow(1, 2, 42);
    SetRow(2, 0, 0);
    SetRow(3, 0, 0);
    ASSERT_NE(EnterLobby(), nullptr);
    s_dev->System_SetState(GFX_STATE_LOST_CALLBACK, &OnEngineDeviceLost);
    s_dev->System_SetState(GFX_STATE_RESTORE_CALLBACK, &OnEngineDeviceReset);
    FakeGame::log.clear();

    CX2DTarget* target = g_pGameMain->GetScreenTarget();
    CX2DSprite* sprite = g_pGameMain->GetScreenSprite();
    ASSERT_NE(target->GetTexture(), nullptr);
    ASSERT_EQ(sprite->GetTexture(), target->GetTexture());

    // The present of a frame finds the device lost.
    s_dev->GetGpu()->ForceDeviceLost(1);
    ASSERT_TRUE(s_dev->Gfx_BeginScene(nullptr));
    s_dev->Gfx_EndScene(true);
    EXPECT_FALSE(s_dev->IsReady());
    EXPECT_EQ(target->GetTexture(), nullptr) << "the screen target went with the device";

    // The next frame's check resets it.
    EXPECT_TRUE(s_dev->CheckDevice());
    s_dev->System_SetState(GFX_STATE_LOST_CALLBACK, CXGfxCallback(nullptr));
    s_dev->System_SetState(GFX_STATE_RESTORE_CALLBACK, CXGfxCallback(nullptr));
    EXPECT_EQ(FakeGame::log,
              (std::vector<std::string>{"2:0:lost", "2:42:lost", "1:0:lost", "3:0:lost",
                                        "2:0:reset", "2:42:reset", "1:0:reset", "3:0:reset"}))
        << "every hosted game, in deck order";
    ASSERT_NE(target->GetTexture(), nullptr);
    EXPECT_EQ(sprite->GetTexture(), target->GetTexture())
        << "the screen sprite shows the new texture";
}

}  // namespace
