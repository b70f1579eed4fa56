#pragma once
// The game scene's persistence: snapshots of its meters (game data), of its bookkeeping counters
// (account data, held here) and of its reel mode, each written only when its text changed; the
// start-up check that deletes the machine-number markers when the reel snapshot is stale.
//
// While the online flag is set (always, in the online client) every routine returns at once and
// nothing is read, written or deleted. Main thread only.

#include <cstdint>
#include <string>

#include "CPelagornClock.h"
#include "CXSnapshotFile.h"

// The game data body, in file order: the scene's meters of these names.
enum CXGameDataIndex : int {
    GAME_CREDIT,
    GAME_GIFT,
    GAME_SPIN,
    GAME_L_OIL,
    GAME_R_OIL,
    GAME_SKIP_COUNT,
    GAME_AUTO_HOLD_BONUS,
    GAME_NORMAL_BONUS,
    GAME_NORMAL_BONUS_AUTO_MODE,
    GAME_HIGH_BONUS,
    GAME_LAST_DATA_TYPE,
    GAME_SIGN_1,
    GAME_SIGN_2,
    GAME_LAST_HIGH_PRIZE_GID,
    GAME_LAST_TOTAL_HIGH_PRIZE,
    GAME_LAST_TOTAL_HIGH_PRIZE_ORIGIN,
    GAME_LAST_HIGH_PRIZE,
    GAME_LAST_HIGH_PRIZE_GCOUNT,
    GAME_LAST_HIGH_PRIZE_ADD,
    GAME_LAST_HIGH_PRIZE_END_ID,
    GAME_COMM_GIFT,
    GAME_GIFT_SEND_COUNT,
    GAME_AMEND_MONEY,
    GAME_AMEND_STIME,
    GAME_AMEND_TERM,
    GAME_AMEND_HIGH_PRIZE_GAP,
    GAME_AMEND_HIGH_PRIZE_MIN,
    GAME_AMEND_HIGH_PRIZE_MAX,
    GAME_AUTOHOLD_REEL_COUNT,
    GAME_ASYSTEM_REEL_COUNT,
    GAME_ASYSTEM_CHECK_TIME,
    GAME_ASYSTEM_PRIZE,
    GAME_ASYSTEM_PROB_KEY,
    GAME_DATA_COUNT
};
extern const char* const g_pszGameDataKeys[GAME_DATA_COUNT];

// The account data body, in file order.
enum CXAccountDataIndex : int {
    ACCOUNT_INPUT_MONEY,
    ACCOUNT_OUTPUT_GIFT,
    ACCOUNT_DROP_COIN_COUNT,
    ACCOUNT_REEL_PRIZE,
    ACCOUNT_SPIN_ITEM_COUNT,
    ACCOUNT_OIL_ITEM_COUNT,
    ACCOUNT_DIRECT_ITEM_COUNT,
    ACCOUNT_NOBONUS_ITEM_COUNT,
    ACCOUNT_OIL_BONUS,
    ACCOUNT_DIRECT_BONUS,
    ACCOUNT_DATA_COUNT
};
extern const char* const g_pszAccountDataKeys[ACCOUNT_DATA_COUNT];

class CXSceneGAME_LoadSave {
public:
    // A reel snapshot younger than this (seconds) with REEL_MODE 0 keeps the markers.
    static constexpr uint32_t kMarkerKeepSeconds = 3600;
    // Reel snapshots are written at most once per this many seconds.
    static constexpr uint32_t kReelSaveSeconds = 59;

    // Snapshots go to strSnapshotFolder ("__GAME_DATA_<slot>__", "__ACCOUNT_DATA_<slot>__",
    // "__REEL_DATA_<slot>__"); the machine-number markers live in strMarkerFolder. Both end in '/'.
    CXSceneGAME_LoadSave(const std::string& strSnapshotFolder, const std::string& strMarkerFolder);
    // The clock whose wall time stamps the snapshots (borrowed; null: the platform's).
    void SetClock(CPelagornClock* pClock) { m_pClock = pClock; }

    // 0 in demo mode, else 1; writes the meters (GAME_DATA_COUNT values in body order).
    int SaveGameData(const int32_t* piMeters, bool bDemo);
    // 0 in demo mode, else 1; writes the account counters.
    int SaveAccountsData(bool bDemo);
    // Always 1; writes TIME, TICK, REEL_MODE and the scene's further text (may be null), at most
    // once per kReelSaveSeconds.
    int SaveReelData(const char* pszSceneText);
    // Fill the account counters, or REEL_MODE and the reel snapshot time, from the newest
    // snapshot. True.
    bool LoadAccountsData();
    bool LoadReelData();
    // Start-up: unless the reel snapshot is recent with REEL_MODE 0, REEL_MODE := 1 and every
    // machine-number marker is deleted. Always 1.
    int CheckReelData();

    uint8_t m_bOnline = 1;
    int32_t m_aiAccounts[ACCOUNT_DATA_COUNT] = {};
    int32_t m_iReelMode = 0;
    int32_t m_iReelSnapshotTime = 0;  // low 32 bits of seconds since 1970
    uint32_t m_dwLastReelSave = 0;

    CXSnapshotFile m_GameFile;
    CXSnapshotFile m_AccountFile;
    CXSnapshotFile m_ReelFile;
    std::string m_strMarkerFolder;

private:
    int64_t Now() const;

    CPelagornClock* m_pClock = nullptr;
};
