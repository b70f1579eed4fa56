#pragma once

#include <cstdint>

// One machine the player sits at. Index 0..3 is the deck, -1 an empty row. Game type: 1 Jix, 2 and
// 4 Morvane (bets 100 and 200), 3 Pelagorn, 0 none.
struct CMachineState {
    int32_t m_nIndex = -1;
    int32_t m_nGameType = 0;
    int32_t m_nMachineNo = 0;
    int32_t m_nCredit = 0;
    int32_t m_nWin = 0;  // Jix: spins left; Pelagorn: SPIN
    int32_t m_nScore = 0;
    uint8_t m_byReserved = 0;
};

// The player's logged-in flag, money, gift tickets, four machines and nickname. Written by the
// network dispatcher and handlers, read by screens and games, all on the UI thread.
class CMachineTable {
public:
    static constexpr int kRows = 4;
    static constexpr int kNicknameUnits = 32;

    // Empties every row; the header and the nickname stay.
    void Reset();
    CMachineState* FindByIndex(int32_t nIndex);
    // A key with machine number 0 names no machine (empty rows carry 0) and finds nothing.
    CMachineState* Find(int32_t nGameType, int32_t nMachineNo);

    uint8_t m_byLoggedIn = 0;
    int32_t m_nMoney = 0;
    int32_t m_nGiftTickets = 0;
    CMachineState m_aRows[kRows];
    char16_t m_szNickname[kNicknameUnits] = {};
};

extern CMachineTable g_MachineTable;
