#include "CXSceneGAME_LoadSave.h"

#include "CXLog.h"
#include "CXMarkerFiles.h"
#include "platform/clock.h"

const char* const g_pszGameDataKeys[GAME_DATA_COUNT] = {
    "CREDIT",
    "GIFT",
    "SPIN",
    "L_OIL",
    "R_OIL",
    "SKIP_COUNT",
    "AUTO_HOLD_BONUS",
    "NORMAL_BONUS",
    "NORMAL_BONUS_AUTO_MODE",
    "HIGH_BONUS",
    "LAST_DATA_TYPE",
    "SIGN_1",
    "SIGN_2",
    "LAST_HIGH_PRIZE_GID",
    "LAST_TOTAL_HIGH_PRIZE",
    "LAST_TOTAL_HIGH_PRIZE_ORIGIN",
    "LAST_HIGH_PRIZE",
    "LAST_HIGH_PRIZE_GCOUNT",
    "LAST_HIGH_PRIZE_ADD",
    "LAST_HIGH_PRIZE_END_ID",
    "COMM_GIFT",
    "GIFT_SEND_COUNT",
    "AMEND_MONEY",
    "AMEND_STIME",
    "AMEND_TERM",
    "AMEND_HIGH_PRIZE_GAP",
    "AMEND_HIGH_PRIZE_MIN",
    "AMEND_HIGH_PRIZE_MAX",
    "AUTOHOLD_REEL_COUNT",
    "ASYSTEM_REEL_COUNT",
    "ASYSTEM_CHECK_TIME",
    "ASYSTEM_PRIZE",
    "ASYSTEM_PROB_KEY",
};

const char* const g_pszAccountDataKeys[ACCOUNT_DATA_COUNT] = {
    "INPUT_MONEY",    "OUTPUT_GIFT",       "DROP_COIN_COUNT",    "REEL_PRIZE", "SPIN_ITEM_COUNT",
    "OIL_ITEM_COUNT", "DIRECT_ITEM_COUNT", "NOBONUS_ITEM_COUNT", "OIL_BONUS",  "DIRECT_BONUS",
};

namespace {

CXString Body(const char* const* ppszKeys, const int32_t* piValues, int nCount)
{
    CXString body;
    for (int i = 0; i < nCount; ++i)
        body.AppendFormat("%s=%d\n", ppszKeys[i], piValues[i]);
    return body;
}

// Writes the snapshot; a failed write is logged (the body counts as not written, so the next save
// tries again).
void Save(CXSnapshotFile& file, const CXString& body, int64_t nNow, const char* pszFunction)
{
    if (!file.Save(body, nNow))
        CX_LOG_ERROR(pszFunction, "Snapshot write fail. [%s]", file.SlotPath(file.m_iSlot).c_str());
}

}  // namespace

CXSceneGAME_LoadSave::CXSceneGAME_LoadSave(const std::string& strSnapshotFolder,
                                           const std::string& strMarkerFolder)
    : m_GameFile(strSnapshotFolder + "__GAME_DATA_%d__"),
      m_AccountFile(strSnapshotFolder + "__ACCOUNT_DATA_%d__"),
      m_ReelFile(strSnapshotFolder + "__REEL_DATA_%d__"), m_strMarkerFolder(strMarkerFolder)
{}

int64_t CXSceneGAME_LoadSave::Now() const
{
    return m_pClock ? m_pClock->UnixSeconds() : platform::UnixTimeNow();
}

int CXSceneGAME_LoadSave::SaveGameData(const int32_t* piMeters, bool bDemo)
{
    if (bDemo)
        return 0;
    if (m_bOnline || !piMeters)
        return 1;
    Save(m_GameFile, Body(g_pszGameDataKeys, piMeters, GAME_DATA_COUNT), Now(),
         "CXSceneGAME::SaveGameData");
    return 1;
}

int CXSceneGAME_LoadSave::SaveAccountsData(bool bDemo)
{
    if (bDemo)
        return 0;
    if (m_bOnline)
        return 1;
    Save(m_AccountFile, Body(g_pszAccountDataKeys, m_aiAccounts, ACCOUNT_DATA_COUNT), Now(),
         "CXSceneGAME::SaveAccountsData");
    return 1;
}

int CXSceneGAME_LoadSave::SaveReelData(const char* pszSceneText)
{
    if (m_bOnline)
        return 1;
    const auto dwNow = static_cast<uint32_t>(Now());
    if (dwNow - m_dwLastReelSave <= kReelSaveSeconds)
        return 1;
    CXString body;
    body.Format("REEL_MODE=%d\n%s", m_iReelMode, pszSceneText ? pszSceneText : "");
    // The reel text carries no meter that changes between saves, so it is written every time.
    m_dwLastReelSave = dwNow;
    m_ReelFile.m_strLastBody = "";
    Save(m_ReelFile, body, Now(), "CXSceneGAME::SaveReelData");
    return 1;
}

bool CXSceneGAME_LoadSave::LoadAccountsData()
{
    if (m_bOnline)
        return true;
    CXFileConfig config;
    m_AccountFile.LoadNewest(&config);
    for (int i = 0; i < ACCOUNT_DATA_COUNT; ++i)
        m_aiAccounts[i] =
            static_cast<int32_t>(config.GetValue(g_pszAccountDataKeys[i]).ToInteger());
    return true;
}

bool CXSceneGAME_LoadSave::LoadReelData()
{
    if (m_bOnline)
        return true;
    CXFileConfig config;
    m_ReelFile.LoadNewest(&config);
    m_iReelSnapshotTime = static_cast<int32_t>(config.GetValue("TIME").ToInteger());
    m_iReelMode = static_cast<int32_t>(config.GetValue("REEL_MODE").ToInteger());
    return true;
}

int CXSceneGAME_LoadSave::CheckReelData()
{
    if (m_bOnline)
        return 1;
    LoadReelData();
    const auto dwNow = static_cast<uint32_t>(Now());
    const uint32_t dwAge = dwNow - static_cast<uint32_t>(m_iReelSnapshotTime);
    if (m_iReelMode == 0 && dwAge <= kMarkerKeepSeconds)
        return 1;
    m_iReelMode = 1;
    DeleteMachineMarkers(m_strMarkerFolder);
    return 1;
}
