#pragma once
// The four decks of the application, and the lookups by machine key.

#include <cstdint>
#include <vector>

class CGameBase;
class CGameDeck;
class CXSoundMgr;

class CGameDeckList {
public:
    // Sets g_pGameDeckList. The sound manager is the engine's when null.
    explicit CGameDeckList(CXSoundMgr* pSoundMgr = nullptr);
    virtual ~CGameDeckList();  // deletes the decks; clears g_pGameDeckList
    CGameDeckList(const CGameDeckList&) = delete;
    CGameDeckList& operator=(const CGameDeckList&) = delete;

    // Replaces any decks by four empty ones laid out by the layout table.
    bool BuildDecks();
    // Null when a non-demo game of the key already runs in a deck, the index is out of range or
    // the deck cannot create the game; a deck that lost its game to a failed start of a server
    // machine gets its demonstration game back. Stops every sound of the deck's group.
    CGameBase* StartGame(int32_t nIndex, int32_t nGameType, int32_t nMachineNo, bool bDemo);
    // The first deck's game of the key; null when none. Machine number 0 names no machine and
    // demonstration games are bound to none, so neither ever matches.
    CGameBase* FindGame(int32_t nGameType, int32_t nMachineNo);
    // Exchanges the games (and sound groups) of two decks, sliding both pictures in.
    bool SwapGames(int32_t a, int32_t b);
    void UpdateGames();
    void DrawGames();
    void NotifyDeviceLost();
    void NotifyDeviceReset();

    // The demonstration game type of a deck (2, 4, 1, 3), 0 for an index out of range.
    static int32_t DemoGameType(int32_t nIndex);

    int32_t GetCount() const { return static_cast<int32_t>(m_Decks.size()); }
    // Null for an index out of range.
    CGameDeck* GetDeck(int32_t nIndex) const;
    // The index of the deck hosting the game, or -1.
    int32_t IndexOf(const CGameBase* pGame) const;

private:
    void DeleteDecks();

    std::vector<CGameDeck*> m_Decks;  // owned
    CXSoundMgr* m_pSoundMgr;
};

// The application's deck list, null while there is none.
extern CGameDeckList* g_pGameDeckList;
