#pragma once
// The Pelagorn play field: the display objects in their draw list, the overlay windows, the
// item-effect table, the meters and the money rules (coins, gifts, ticket-out), and the spin
// results from the server link. Every call comes from the UI thread inside CPelagorn::Update
// under the scene lock (the CXLockFast base), or from the server link's answers.
//
// Bases: the scene; the cabinet serial layer, never attached to a port in this client; the scene
// lock; what the display objects ask of the scene; what the server link writes into it.

#include <cstdint>

#include "CPelagornLinkHost.h"
#include "CPelagornRecords.h"
#include "CX2DAnimation.h"
#include "CX2DSceneObject.h"
#include "CXASTask.h"
#include "CXAVLTreeTmpl.h"
#include "CXBoardSerialComm.h"
#include "CXDrawDP.h"
#include "CXDrawEFFECT.h"
#include "CXDrawList.h"
#include "CXDrawNUMBER.h"
#include "CXDrawScene.h"
#include "CXDrawScrollObject.h"
#include "CXFade.h"
#include "CXLockFast.h"
#include "CXMemoryPoolTmpl.h"
#include "CXProbDataInfo.h"
#include "CXReelWaitPreset.h"
#include "CXSceneGAME_LoadSave.h"
#include "CXString.h"
#include "CXStringIndex.h"

class CPelagorn;
class CPelagornProbClient;
class CXDrawBG;
class CXDrawCOIN;
class CXDrawFRAME;
class CXDrawITEM;
class CXDrawItemBeltInfo;
class CXDrawPIN;
class CXDrawREEL;
class CXDrawPRIZE;
class CXDrawWINTABLE;
class CXSceneAccount;

// One row of the item-effect table: a winning line's key and the prize effects it shows.
class CXItemEffectObject {
public:
    CX_DECLARE_MEMORY_POOL(CXItemEffectObject)

    CXItemEffectObject() = default;
    virtual ~CXItemEffectObject() = default;
    const CXString& GetKey() const { return m_strKey; }

    CXString m_strKey;
    uint8_t m_byEffect = 0;       // ordinary results
    uint8_t m_byEffectType3 = 0;  // results of event type 3
};

class CXSceneGAME : public CX2DSceneObject,
                    public CXBoardSerialComm,
                    public CXLockFast,
                    public CXDrawScene,
                    public CPelagornLinkHost {
public:
    CX_DECLARE_MEMORY_POOL(CXSceneGAME)

    enum : int32_t { MODE_PLAY = 0, MODE_DEMO = 2 };
    static constexpr uint32_t kIdleReturnMs = 180000;
    static constexpr int32_t kType4EffectIndex = 11;
    static constexpr float kDemoVolume = 10.0f;

    explicit CXSceneGAME(CPelagorn* pOwner);
    ~CXSceneGAME() override;

    // CX2DSceneObject
    int Init(void* owner) override;
    int Process(HTARGET target) override;

    // The drawing of one frame: the reel-wait preset, the draw list, the demo window, the error
    // window.
    void RunFrame(float dt);
    void StartDemo(CXSceneAccount* pAccounts);
    void ResetDemoDisplays();
    void CheckIdleReturn();
    bool IsKeyDown(int nVirtualKey) const;
    bool LoadItemEffect();
    // The prize-effect index of the event's first winning line when its key is in the table
    // (type 3 takes the row's type-3 index); 0 otherwise.
    int32_t FindItemEffect(const CXProbDataInfo& event) const;

    // Meters, coins and gift-out.
    void RequestCoinDrop();
    void AddGift(int32_t n);
    void RefreshSpin() override;
    void CheckAutoGiftOut();
    void ResendGiftOut();
    void StartGiftOut(int32_t iCount, bool bFromKey);
    void AddCommGiftToGo(int32_t iCount);
    void ResumeGiftOut();
    void RequestTicketOut();
    void CreditTick();
    void StartReelWait(uint32_t index) override;
    // Shows every meter from its value (after a restore or an enter answer).
    void RestoreDisplays();
    // Takes the credit, gift and spin meters of an answer and shows them.
    void TakeMeters(int32_t iCredit, int32_t iGift, int32_t iSpin);
    void ShowCredit(bool bJump);
    void ShowGift();
    void ShowSpin();
    void ShowCoinsInPlay();
    void ShowOil();

    // Spin results.
    void StartScrollReel() override;
    void RunScrollReel();
    void NextSpinResult();
    void ApplyEventData(const CXProbDataInfo& event);
    // Sets the four stops on the reels (each checked against its belt there).
    void SetReelStops(const int32_t aiStops[4]);
    // An item of the belt was hit by a coin at x (the slot starts at fSlotX on the line at fLineY):
    // message 37 outside demo mode and the item's counters.
    void ReportItemHit(uint16_t wItemType, int32_t iItemValue, float fCoinX, float fSlotX,
                       float fLineY);
    // A coin reached the item line and leaves play.
    void CoinLeavesPlay();

    // CPelagornLinkHost
    uint32_t GetTimeMs() const override;
    void ApplyEnterData(const CPelagornEnterRecord& record) override;
    void ApplyCoinInCredit(int32_t iCredit) override;
    void ApplyCoinDrop(bool bFromCredit) override;
    void ApplyMeters(int32_t iCredit, int32_t iGift, int32_t iSpin, bool bWithSpin) override;
    void ApplyItemHit(const CPelagornItemRecord& record) override;
    void ApplySpinData(const CPelagornSpinRecord& record) override;
    void ApplySpinResult(const CPelagornResultRecord& record) override;
    void ApplyTicketOut(bool bOk, const CPelagornTicketOutRecord& record) override;
    void ApplyGameFin(const CPelagornGameFinRecord& record) override;

    // CXDrawScene
    void SendCommand(const char* command) override { CXSerialComm::SendCommand(command); }
    void UpdateOverlays(float dt) override;
    void DrawOverlays() override;
    void SaveGameData() override;
    bool IsDemoUnderTitle() const override;
    int32_t GetGiftMaximum() const override { return m_iGiftMaximum; }
    int32_t GetRoadValue() const override { return m_iReelPrizeCount; }
    bool IsSecondGroupShown() const override { return m_bGroup1Shown != 0; }
    int32_t GetHighEffectMode() const override { return m_iHighEffectMode; }
    bool IsHighPrizeMode() const override { return m_iHighPrizeMode != 0; }
    bool IsLoweredTableLayout() const override { return false; }
    CXDrawFRAME* GetFrameDisplay() override { return m_pFrame; }

    // Asked by the reels and the coins.
    bool IsDemoMode() const override { return m_iMode == MODE_DEMO; }
    bool IsStandalone() const override;
    bool IsOnline() const override { return m_bOnline != 0; }
    bool IsAutoHold() const override { return m_bAutoHold != 0; }
    int32_t GetHeldReel() const override { return m_iHeldReel; }
    int32_t GetSpinsLeft() const override { return IsDemoMode() ? m_iDemoSpinCount : m_iSpin; }
    uint32_t GetResultTotalWin() const override;
    int32_t GetResultLineWin(uint32_t line) const override;
    void ShowReelPrize() override;
    void FinishReelPrize(int32_t effect) override;
    bool IsReelsStoppedSent() const override;
    bool IsResultPending() const override;
    bool IsSpinEndConfirmed() const override;
    bool IsSpinDataHeld() const override;
    bool IsGameFinPending() const override;
    bool SendReelsStopped() override;
    bool SendResultRequest() override;
    bool SendGameFin() override;
    void CheckItemHit(float x, float y) override;
    // Asked by the background.
    bool IsFirstGroupShown() const override { return m_bGroup0Shown != 0; }
    void SetObjectGroupShown(int32_t group, bool shown) override;

    int SaveAccountsData();
    bool IsLastResultHigh() const
    {
        return m_Result.byResultType >= 3 && m_Result.byResultType <= 6;
    }

    CPelagorn* m_pOwner;
    uint8_t m_bOnline = 1;
    int32_t m_iMode = MODE_PLAY;
    uint8_t m_bKeyboardMode = 0;
    uint8_t m_bAutoPlay = 0;
    uint8_t m_bCreditArrived = 0;
    int32_t m_iAutoGiftMode = 2;
    int32_t m_iSkipSign = 1;
    int32_t m_iHighEffectMode = 1;

    // Meters.
    int32_t m_iCredit = 0;
    int32_t m_iGift = 0;
    int32_t m_iSpin = 0;
    int32_t m_iLOil = 0;
    int32_t m_iROil = 0;
    int32_t m_iSkipCount = 0;
    int32_t m_iNormalBonus = 0;
    int32_t m_iHighBonus = 0;
    int32_t m_iCommGift = 0;
    int32_t m_iLastHighPrizeGCount = 0;
    int32_t m_iDirectBonus = 0;
    // Settings (the enter answer overwrites them).
    int32_t m_iCoinThreshold = 100;
    int32_t m_iGiftMaximum = 20000;
    int32_t m_iGiftUnit = 5000;
    int32_t m_iGiftOutLimit = 4;
    int32_t m_iOilMaximum = 0;
    int32_t m_iShakeAmplitude = 0;
    uint8_t m_byType4Effect = 0;
    int32_t m_iHighPrizeKind = 0;
    int32_t m_iHighPrizeMode = 0;
    int32_t m_iHighPrizeStored = 0;
    int32_t m_iHighPrizeSkip = 0;
    int32_t m_iHighPrizeRepeat = 0;
    // Coins and gift-out.
    int32_t m_iCoinsInPlay = 0;
    uint8_t m_bCoinDropPermit = 0;
    uint8_t m_bResend = 0;
    int32_t m_iGiftsStarted = 0;
    uint32_t m_dwGiftsStartedStamp = 0;
    uint32_t m_dwGiftErrorStamp = 0;
    float m_fScrollFactor = 0.5f;
    // Spin results.
    CPelagornResultState m_Result;
    CXProbDataInfo m_LastEvent;
    int32_t m_iDemoSpinCount = 0;
    uint8_t m_bSignBit0 = 0;
    uint8_t m_bGroup0Shown = 0;
    uint8_t m_bGroup1Shown = 0;
    int32_t m_iReelPrizeCount = 0;
    int32_t m_iLastTotalWin = 0;
    // The prize the stopped reels show, paid into GIFT when the prize display ends.
    int32_t m_iReelPrize = 0;
    // Auto-hold: only the reel at the held index turns.
    uint8_t m_bAutoHold = 0;
    int32_t m_iHeldReel = 0;
    int32_t m_aiReelStopLine[4] = {};
    // Demo and idle.
    uint32_t m_dwIdleStamp = 0;
    uint32_t m_dwDemoStamp = 0;
    // The reel-wait preset running now.
    CXReelWaitPreset m_ReelWait;
    int32_t m_iReelWaitEntry = 0;
    uint32_t m_dwReelWaitEntryStamp = 0;
    uint32_t m_dwShakeStamp = 0;
    uint8_t m_byShake = 0;
    // The background shake: an offset on the scroll speed, stepped at random intervals.
    int32_t m_iBGShake = 0;
    uint32_t m_dwBGShakeStamp = 0;
    uint32_t m_dwBGShakeInterval = 0;

    // Display objects: the list owns them; these point into it.
    CXDrawList m_DrawList;
    CXDrawBG* m_pBG = nullptr;
    CXDrawPIN* m_pPins = nullptr;
    CXDrawITEM* m_pItem = nullptr;
    CXDrawCOIN* m_pCoins = nullptr;
    CXDrawDP* m_pDropper = nullptr;
    CXDrawREEL* m_pReel = nullptr;
    CXDrawWINTABLE* m_pWinTable = nullptr;
    CXDrawFRAME* m_pFrame = nullptr;
    CXDrawPRIZE* m_pPrize = nullptr;
    CXDrawEFFECT* m_pEffect = nullptr;
    CXFade* m_pFade = nullptr;

    // Windows.
    CX2DAnimation m_TestWindow;
    CX2DAnimation m_DemoWindow;
    CX2DAnimation m_Demo2Window;
    CX2DAnimation m_FireOverWindow;
    CX2DAnimation m_NoCreditWindow;
    CX2DAnimation m_GiftOutWindow;
    CX2DAnimation m_InputCreditSound;
    CX2DAnimation m_ErrorWindow;
    CX2DAnimation m_Error3Window;
    CX2DAnimation m_GiftOutMessageWindow;
    CX2DAnimation m_BlackWindow;
    CX2DAnimation m_CompleteWindow;
    CX2DAnimation m_NumberWindow;
    float m_afNoCreditPos[2] = {};
    float m_afGiftOutPos[2] = {};
    float m_afErrorPos[2] = {};

    // Kept from the cabinet game and drawn by nothing here: three numbers on the digits of
    // "/image/number/no_be.anf", the first of the two fades (the second ends the draw list), the
    // scroll layer, and the values of HIGH_PRIZE_REPEAT in "game.paf".
    CXDrawNUMBER m_aNumbers[3];
    CXFade m_FirstFade;
    CXDrawScrollObject m_ScrollLayer;
    CXStringIndex m_HighPrizeRepeatIndex;

    CXAVLTreeTmpl<CXItemEffectObject> m_ItemEffects;
    CXASTask* m_pTask = nullptr;
    CXSceneGAME_LoadSave m_SaveData;

private:
    // The game clock seen by the cabinet layer.
    class CabinetClock : public CXCabinetGame {
    public:
        explicit CabinetClock(CXSceneGAME* pScene) : m_pScene(pScene) {}
        uint32_t GetTimeMs() const override { return m_pScene->GetTimeMs(); }
        int SaveGameData() override;

    private:
        CXSceneGAME* m_pScene;
    };

    uint32_t Elapsed(uint32_t& dwStamp) const;
    // The server link; null without an owner.
    CPelagornProbClient* Link() const;
    // The coin at fCoinX hit the cell whose slot starts at fSlotX: pan, hit animation, effects and
    // the report.
    void HitItem(CXDrawItemBeltInfo& cell, float fCoinX, float fSlotX, float fLineY);
    // The event's background part: groups, sign, rain, thunder, moving objects, the layer, and a
    // music fade when the first group changes.
    void ApplyBackground(const CXProbDataInfo& event);
    // The background's scroll speed drifts by the shake within the enter answer's amplitude.
    void RunBackgroundShake();
    // Scroll factor back to 0.5, shake cleared.
    void ResetBackgroundScroll();
    bool LoadWindows();
    void RunReelWait();
    void DrawErrorWindow();
    void DrawDigits(int32_t iValue, float fX, float fY);

    CabinetClock m_CabinetClock{this};
};
