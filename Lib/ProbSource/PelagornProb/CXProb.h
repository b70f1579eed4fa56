#pragma once
// The Pelagorn game's local event engine. It builds event logs (one pre-decided outcome record
// per future spin) from its prize tables, keeps them in files and hands out one record per spin.
// The client uses it only for the demo game: there the tables stay empty, the demo build fails
// and every request answers an all-zero record.

#include <cstdint>
#include <vector>

#include "CXAVLTreeTmpl.h"
#include "CXArrayExTmpl.h"
#include "CXArrayTmpl.h"
#include "CXListTmpl.h"
#include "CXMemoryPoolTmpl.h"
#include "CXProbDataInfo.h"
#include "CXProbTables.h"
#include "CXString.h"
#include "CXThread.h"

// The settings block of a build.
struct CXProbSetting {
    float fRate = 0.0f;         // compared with the main data header
    float fRandomShare = 0.0f;  // x 100 = random spins per block of 100
    float fHighChance1 = 0.0f;  // chance of a configuration-index-1 high prize
    float fHighChance2 = 0.0f;  // chance of a configuration-index-2 high prize
    uint32_t dwSingleUnit = 0;  // forces base prize units of one prize
    uint8_t byCheck = 0;        // compared with the main data header
    uint8_t byForcedHighIndex = 0;
    uint32_t dwForcedHighAmount = 0;
};

// "Rai" rule of the second sign pass for one kind of stretch.
struct CXProbRaiRule {
    uint32_t dwMinLength = 0;
    uint8_t byPercent = 0;
    uint32_t dwOffsetMin = 0;
    uint32_t dwOffsetMax = 0;
    uint32_t dwLengthMin = 0;
    uint32_t dwLengthMax = 0;
    uint8_t byRai2Percent = 0;  // sign runs: "Rai" 2 instead of 1
    uint8_t byThuPercent = 0;   // sign runs: also set "Thu"
};

struct CXProbSignSetting {
    uint32_t dwPer100Min = 0;  // sign spins per 100 spins
    uint32_t dwPer100Max = 0;
    uint32_t dwRunMin = 0;
    uint32_t dwRunMax = 0;
    uint32_t dwGapMin = 0;
    uint32_t dwGapMax = 0;
    uint8_t byThuStartPercent = 0;     // "Thu" 1 or 2 on the first record of a run
    uint8_t byThuContinuePercent = 0;  // "Thu" on the following records
    uint8_t byThuHighPercent = 0;      // "Thu" 2 instead of 1 inside high leads and runs
    CXProbRaiRule NoSign;
    CXProbRaiRule SignRun;
    CXProbRaiRule HighRun;
};

class CXProb : public CXThread {
public:
    CX_DECLARE_MEMORY_POOL(CXProb)

    static constexpr uint32_t kMagic = 0x06042502u;
    static constexpr uint32_t kMainHeaderSize = 18;
    static constexpr uint32_t kPlayHeaderSize = 16;
    static constexpr uint16_t kMaxWin = 20000;
    static constexpr uint8_t kWild = 12;
    static constexpr int kSymbols = 13;
    // Files larger than this are refused before they are read.
    static constexpr uint64_t kMaxMainDataBytes = 64ull << 20;
    static constexpr uint64_t kMaxBonusHeaderBytes = 64u << 10;

    CXProb();
    ~CXProb() override;

    // Pay of a line by matching reel count (1..4) and symbol; 0 outside the table.
    static uint16_t GetPay(uint32_t dwCount, uint32_t dwSymbol);

    // --- Demo and hand-out ---------------------------------------------------------------------
    bool CreateDemoPDO(bool bSkipSign);
    bool GetEventData(CXProbDataInfo* pOut, bool bDemo);
    // The game's demo spin: asks in demo mode again while the record carries a reach mark, at
    // most once per record of the demo log, then marks the record type 9. False (with the zero
    // record, type 9) when no event was given.
    bool GetDemoSpinData(CXProbDataInfo* pOut);
    int OnThreadLoop() override;

    // --- Lines and spins ----------------------------------------------------------------------
    uint8_t GetSymbol(uint32_t dwReel, uint32_t dwStop, uint32_t dwRow) const;
    void EvaluateLine(CXProbDataInfo* pRecord, uint32_t dwRow) const;
    bool FindReach(const CXProbDataInfo* pRecord, uint8_t* pbySymbol, uint8_t* pbyCode) const;
    uint32_t CountWilds(const CXProbDataInfo* pRecord, uint32_t dwRow) const;
    bool AddReelInfoFromRandom(CXProbDataObject* pLog, uint32_t dwIndex, bool bStrict);
    bool AddReelInfoFromPrize(CXProbDataObject* pLog, uint32_t dwIndex, uint16_t wPrize,
                              uint8_t byType, uint8_t byKind, uint8_t byTable, uint32_t dwOption,
                              bool bStrict);
    bool BuildEventData(CXProbDataInfo* pOut, uint16_t wPrize);

    // --- Log building -------------------------------------------------------------------------
    bool BuildLog(CXProbDataObject* pLog, const CXProbSetting* pSetting);
    bool BuildLogHigh(CXProbDataObject* pLog, const CXProbSetting* pSetting);
    bool BuildLogNormal(CXProbDataObject* pLog, const CXProbSetting* pSetting,
                        uint32_t dwBlockStart, bool bAppend);

    // --- Signs and scene objects --------------------------------------------------------------
    bool MakeEventSign(CXProbDataObject* pLog);
    bool MakeEventObject(CXProbDataObject* pLog);
    bool SetEventObject(CXProbDataObject* pLog, uint32_t dwIndex, CXProbMovingObject* pObject,
                        bool bSignAware);

    // --- Files (play mode) --------------------------------------------------------------------
    bool LoadMainData();
    bool GetPlayEventData();
    bool CheckBonusData();
    bool CheckEventData();
    bool MakeTextLog();
    bool MakeEventLine(int nFile, const CXProbDataInfo& record);
    // The text-log lines of one record; sDateTime is the time shown in a block header.
    void FormatEventLine(CXString& strOut, const CXProbDataInfo& record,
                         const char* pszDateTime) const;

    // Header fields of the loaded main data (valid while m_bMainLoaded).
    uint32_t GetMainCount() const { return m_dwMainCount; }
    uint32_t GetMainMakeNo() const { return m_dwMainMakeNo; }
    bool IsMainLoaded() const { return m_bMainLoaded; }

    // Folders: data (main data, play data, bonus files), backup, log. Empty in the client.
    CXString m_strDataFolder;
    CXString m_strBackupFolder;
    CXString m_strLogFolder;
    uint8_t m_byMode = 0;
    CXProbSetting m_Setting;

    CXArrayExTmpl<uint8_t> m_Reel[4];
    // Stop lists [reel][symbol]: kind 0 shows the symbol, kind 1 avoids it.
    CXArrayExTmpl<uint8_t> m_StopList[4][kSymbols][2];
    CXArrayTmpl<CXProbBasePrizeObject> m_BasePrize;
    CXArrayExTmpl<uint8_t> m_BasePick;
    CXAVLTreeTmpl<CXProbPrizeIndexObject> m_PrizeIndex;
    uint8_t m_byNormalFirst = 0;  // window of base prizes, 1-based in a block of 100
    uint8_t m_byNormalLast = 0;
    CXArrayTmpl<CXProbHighTableObject> m_HighTable;
    CXArrayTmpl<CXProbHighConfigIndex> m_HighConfig;
    CXArrayTmpl<CXProbBasePrizeObject> m_HighPrize;  // [0] steps of 20000, [1] steps of 10000
    uint8_t m_byFirstGapMin = 0;
    uint8_t m_byFirstGapMax = 0;
    uint8_t m_byHighGapMin = 0;
    uint8_t m_byHighGapMax = 0;
    CXArrayExTmpl<uint8_t> m_Gap;

    CXString m_strMain;  // main data file bytes
    CXString m_strPlay;  // current play chunk
    uint32_t m_dwDemoCursor = 0;
    uint32_t m_dwPlayCursor = 0;
    uint32_t m_dwSavedCursor = 0;
    uint32_t m_dwSavedMakeNo = 0;
    CXProbDataObject* m_pDemoLog = nullptr;

    CXArrayTmpl<CXProbSignObject> m_SignObject;
    CXListTmpl<CXProbMovingObject> m_MovingRule;
    CXArrayTmpl<CXProbMovingObject> m_MovingObject[2];
    CXProbSignSetting m_SignSetting;

    // Amending of sign spins before high events.
    uint16_t m_wAmendThreshold = 0;
    uint8_t m_byAmendPercent = 0;
    CXArrayExTmpl<uint16_t> m_AmendPrize;

private:
    bool EvaluateSpin(CXProbDataInfo* pRecord) const;
    // The best paying match of one row's four symbols: count, symbol and the symbol-1 edge, marking
    // the hit reels. Tries the symbols from the wild down; byCount stays 0 when nothing pays.
    static void MatchLine(const uint8_t s[4], uint8_t* pbyHit, uint8_t& byCount, uint8_t& bySymbol,
                          uint8_t& byEdge);
    bool WonBadFour(const CXProbDataInfo* pRecord) const;
    bool RandomSpinAcceptable(const CXProbDataInfo& record, bool bStrict) const;
    bool FindLosingSpin(CXProbDataInfo* pRecord) const;
    const CXProbPrizeIndexObject* FindPrize(uint16_t wPrize) const;
    // The log's record at dwIndex, made when missing; null when it cannot be made.
    CXProbDataInfo* RecordAt(CXProbDataObject* pLog, uint32_t dwIndex);
    // A pattern of the prize that fits the options, scanning cyclically from a random start.
    bool ChoosePattern(const CXProbPrizeIndexObject& prize, uint8_t byOptSymbol, uint8_t byOptReels,
                       bool bStrict, uint32_t* pdwPattern);
    // The symbol each reel must show on the row (0xFF = none, an avoiding stop).
    void PlanReels(uint8_t bySymbol, uint8_t byReels, uint8_t byForce, uint8_t want[4]);
    // Random stops that put the planned symbols on the row.
    void PlaceStops(CXProbDataInfo* pRecord, const uint8_t want[4], uint8_t bySymbol,
                    uint32_t dwRow) const;
    // Whether the evaluated spin is the one asked for: no reach and no win for a losing spin, else
    // exactly the prize.
    bool SpinMakesPrize(const CXProbDataInfo* pRecord, bool bCapped, bool bLosing, uint16_t wPrize,
                        uint8_t byType, bool bStrict) const;
    bool AppendHighEntry(CXProbDataObject* pLog, uint16_t wEntry);
    bool AppendHighSign(CXProbDataObject* pLog, const CXProbHighTableObject& entry);
    bool AppendHighSecond(CXProbDataObject* pLog, const CXProbHighTableObject& entry,
                          uint16_t* pwSecond);
    bool AppendHighRest(CXProbDataObject* pLog, const CXProbHighTableObject& entry,
                        uint16_t wSecond);
    bool AppendHighEvent(CXProbDataObject* pLog, uint16_t wPrize, uint8_t byType,
                         const CXProbHighTableObject& entry, uint32_t dwOption);
    const CXProbPrizeUnit* ChooseBaseUnit(const CXProbSetting& setting, bool bAppend);
    bool FillLosingSpins(CXProbDataObject* pLog, uint32_t dwBlockStart, bool bAppend);
    bool PlaceBasePrizes(CXProbDataObject* pLog, const CXProbDataObject& scratch, uint32_t dwPrizes,
                         uint32_t dwBlockStart);
    bool PlaceRandomSpins(CXProbDataObject* pLog, const CXProbSetting* pSetting,
                          uint32_t dwBlockStart, bool bAppend);
    bool LosingPositions(CXProbDataObject* pLog, uint32_t dwBlockStart, uint32_t n,
                         std::vector<uint32_t>* pLosing) const;
    bool PlaceWinningSpins(CXProbDataObject* pLog,
                           const std::vector<const CXProbDataInfo*>& winning,
                           uint32_t dwBlockStart);
    bool CutPlayChunk();
    bool ReadPlayHeader(uint32_t* pdwFirst, uint32_t* pdwLast, uint32_t* pdwMakeNo) const;
    // The record of the play chunk at index i (0 = its first event); false outside the buffer.
    bool GetPlayRecord(uint32_t i, CXProbDataInfo* pRecord) const;
    void SetPlayRecord(uint32_t i, const CXProbDataInfo& record);
    void RotateMainData();
    static bool ReadBoundedFile(const CXString& strPath, uint64_t nMaxBytes, CXString* pOut);
    // The folder joined with the formatted name: one '/' between them, none for an empty folder.
    static CXString MakePath(const CXString& strFolder, const char* pszFormat, ...)
        __attribute__((format(printf, 2, 3)));
    void SignThu(CXProbDataInfo* pRecord, bool bRunStart, bool bHigh) const;
    std::vector<uint8_t> SignRunPattern(uint32_t dwCount, uint32_t* pdwStart) const;
    bool SignHighLead(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record) const;
    void SignWinLead(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record) const;
    void PlaceArrayObject(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record);
    void PlaceShortRunRules(CXProbDataObject* pLog, uint32_t i, uint32_t dwSigned);
    void PlaceWinRules(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record);
    void PlaceHighRules(CXProbDataObject* pLog, uint32_t i, const CXProbDataInfo& record);
    bool PlaceRunRules(CXProbDataObject* pLog, uint32_t dwIndex);
    bool RaiPass(CXProbDataObject* pLog);

    bool m_bMainLoaded = false;
    uint32_t m_dwMainCount = 0;
    uint32_t m_dwMainMakeNo = 0;
};
