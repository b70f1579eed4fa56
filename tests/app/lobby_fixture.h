#pragma once
// The application object with fake games for every type, the lobby screen made by the main
// window's screen change, and helpers to fill the machine table and read the decks.
#include <gtest/gtest.h>

#include <new>

#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CWndGame.h"
#include "CXSoundMgr.h"
#include "MachineTable.h"
#include "ScreenFactory.h"
#include "fake_game.h"
#include "shell_fixture.h"

class LobbyTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        // The program's engine has a sound group per deck besides the lobby's.
        CXSoundMgr* sounds = s_dev->GetSoundMgr();
        ASSERT_NE(sounds, nullptr);
        if (sounds->GetGroupCount() < 5)
            sounds->CreateGroups(5 - sounds->GetGroupCount());
        g_MachineTable = CMachineTable{};
        g_MachineTable.m_nMoney = 50000;
        m_oldFactory = CWndMain::SetScreenFactory(&Screens);
    }
    void TearDown() override
    {
        CWndMain::SetScreenFactory(m_oldFactory);
        ShellTest::TearDown();
        g_MachineTable = CMachineTable{};
    }

    static CDXWnd* Screens(int id)
    {
        if (id == CWndGame::kId)
            return new (std::nothrow) CWndGame();
        return CreateScreenObject(id);
    }

    // The lobby as the main window creates it after the login.
    CWndGame* EnterLobby()
    {
        g_pWndMain->ChangeScreen(CWndGame::kId);
        return dynamic_cast<CWndGame*>(g_pWndMain->GetCurrentScreen());
    }

    static void SetRow(int index, int type, int machine, int credit = 0)
    {
        CMachineState& row = g_MachineTable.m_aRows[index];
        row = CMachineState{};
        row.m_nIndex = index;
        row.m_nGameType = type;
        row.m_nMachineNo = machine;
        row.m_nCredit = credit;
    }
    static CGameBase* Game(int deck) { return g_pGameDeckList->GetDeck(deck)->GetGame(); }
    static FakeGame* Fake(int deck) { return static_cast<FakeGame*>(Game(deck)); }

    FakeGameTypes m_types{1, 2, 3, 4};
    CWndMain::ScreenFactory m_oldFactory = nullptr;
};

// LobbyTest with the lobby entered before each test.
class InLobbyTest : public LobbyTest {
protected:
    void SetUp() override
    {
        LobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        m_lobby = EnterLobby();
        ASSERT_NE(m_lobby, nullptr);
    }

    CWndGame* m_lobby = nullptr;
};
