#pragma once
// The whole state of one running Morvane game: money and its display digits, the spin record's
// fields, the spin cycle with the server, the reel motion, the reel-window evaluation's outputs
// and the loaded sprites and sounds. Every step runs on the UI thread inside the game's frame.

#include <cstdint>
#include <memory>
#include <vector>

#include "CMorvaneIO.h"
#include "CMorvaneLink.h"
#include "CMorvaneSpinData.h"
#include "MorvaneImageSets.h"
#include "MorvaneReelStrips.h"
#include "MorvaneSoundList.h"
#include "MorvaneWindowEval.h"

class CMorvaneOwner;
class CX2DSprite;
class CXSound;

// Image and sound files lie below this folder.
constexpr const char* kMorvaneDataFolder = "./data_morvane";

class CMorvaneMain {
public:
    static constexpr int32_t kTicketUnit = 5000;
    static constexpr int32_t kDigits = 10;

    // io: the clock, drawing and sound seam (borrowed; null uses the engine's).
    CMorvaneMain(CMorvaneOwner* owner, int32_t bet, CMorvaneIO* io = nullptr);
    virtual ~CMorvaneMain();
    CMorvaneMain(const CMorvaneMain&) = delete;
    CMorvaneMain& operator=(const CMorvaneMain&) = delete;

    // --- Resources ---------------------------------------------------------------------------
    // Every loader in order; false when one fails.
    bool LoadResources();
    bool LoadGameImages();
    bool LoadSounds();
    bool LoadAnimationImages();
    bool LoadDoubleGameImages();
    bool LoadEffectImages();
    // Deletes every sprite; stops and forgets every sound (the sound manager owns them).
    void ReleaseResources();
    // "./data_morvane/<name>.bmp": null when it cannot be loaded, and during the resource
    // registry's registering pass (the path is registered instead).
    CX2DSprite* LoadImage(const char* name);
    CXSound* LoadSound(const char* name);

    // --- Steps -------------------------------------------------------------------------------
    // One fixed step of the running game: top state 5 shows the opening for 1000 ms, 10 runs
    // Process.
    void Tick(int32_t topState);
    // The running step: ticket rule, spin start, and the end of the game once the reels rest.
    void Process();

    // --- Spin cycle --------------------------------------------------------------------------
    void StartSpin();
    void EndSpin();
    // The end of a spin's game: counters, fever spins, and ids 26 and 33 to the server.
    void FinishGame();
    void CheckTicketOut(bool check);
    bool CanPlay() const;
    void ApplySpinData(bool check);
    void ClearSpinState();

    // --- Reels -------------------------------------------------------------------------------
    void SpinReels0();
    void SpinReels1();
    void SpinReels2();
    void SpinReels3();
    // Completes the shown win on the fourth reel's last settle tick.
    void FinishWinAmount();

    // --- Win ---------------------------------------------------------------------------------
    void EvaluateReelWindow();
    // One count-up step; false once nothing is pending.
    bool CountUpWin();
    void DrawWinCaption();

    // --- Money and digits --------------------------------------------------------------------
    void SetCredit(int32_t value, bool force);
    void SetScore(int32_t value, bool force);
    void SetWinAmount(int32_t value);
    void SetFeverSpin(int32_t value);

    // --- Drawing and sound -------------------------------------------------------------------
    // Nothing on a step that does not draw.
    void DrawSprite(float x, float y, int32_t slot, const MorvaneRect& source);
    void PlaySound(int32_t row, bool loop = false);
    void StopSound(int32_t row);

    CMorvaneOwner* GetOwner() const { return m_pOwner; }
    CMorvaneLink& GetLink() { return *m_pLink; }
    CMorvaneIO& GetIO() { return *m_pIO; }

    // Ownership.
    CMorvaneOwner* m_pOwner;
    std::unique_ptr<CMorvaneLink> m_pLink;
    CMorvaneIO m_EngineIO;
    CMorvaneIO* m_pIO;

    // Top state: 0 not started, 5 opening, 10 running.
    int32_t m_nTopState = 0;
    uint32_t m_dwStartStamp = 0;

    // Money; each displayed value with its decimal digits, units first.
    int32_t m_nBet;
    int32_t m_nCredit = 0;
    int32_t m_nDispCredit = 0;
    int32_t m_nScore = 0;
    int32_t m_nDispScore = 0;
    int32_t m_nWinAmount = 0;
    uint8_t m_abyCreditDigit[kDigits] = {};
    uint8_t m_abyScoreDigit[kDigits] = {};
    uint8_t m_abyWinDigit[kDigits] = {};
    int32_t m_nPendingWin = 0;  // the shown win still to count up
    int32_t m_nGiftUnit = 0;

    int32_t SettingFlag = 7;
    uint8_t m_byNetworked = 1;
    uint8_t m_byDrawFlag = 0;
    uint8_t m_byInStep = 0;
    int32_t AvgValue = 2;
    int32_t Rate1 = 15;
    // The spin pattern chosen on the operator setting screen (0 after start-up).
    int32_t m_nSpinPattern = 0;

    // Spin cycle.
    uint8_t BlockSpin = 0;  // spins refused while set; the server's business, never set here
    uint8_t m_byAutoPlay = 0;
    uint8_t m_byArmed = 0;
    uint8_t m_bySpinInProgress = 0;
    int32_t m_nArmedTicks = 0;
    uint32_t m_dwSpinStartStamp = 0;
    uint32_t m_dwPlayStartStamp = 0;
    int32_t m_nSpinCount = 0;
    int32_t m_aSpinCounter[8] = {};  // per-spin counters cleared on the first armed tick
    int32_t m_aSmokeState[10] = {};
    int32_t m_aSpinEndTime[3] = {};  // hour, minute, second of the last spin's end

    // Ticket-out.
    uint8_t TicketFlag = 0;
    uint8_t AutoTicketFlag = 0;
    int32_t m_nTicketCounter = 0;
    int32_t m_nTicketState = 0;  // 0, 1 paid, 2 refused
    int32_t m_nRefusedCounter = 0;
    int32_t giftpaid = 0;
    int32_t m_nPaidCounter = 0;
    int32_t m_nTicketDisplay = 0;

    // The spin record's fields as the game uses them (Array, Win, Free, fever and effect values).
    CMorvaneSpinData m_Rec;
    uint8_t m_abyFeverDigit[3] = {};

    // Win presentation and the reel-window evaluation's outputs.
    int32_t m_nWinState = 0;
    int32_t m_nWinStateStep = 0;
    uint8_t m_byDoubleUpOffer = 0;
    int32_t WinBankState = 0;
    int32_t WinStateCount = 0;
    int32_t m_nBankStep = 0;
    int32_t m_nWinCode = 0;
    int32_t m_nCaptionMark = 0;
    int32_t m_nPresentLength = 0;
    uint8_t m_byBandSoundFlag = 0;
    int32_t m_nFeverImage = 0;
    int32_t m_nEvalBaseStep = 0;  // the presentation's reference step for the time windows
    int32_t m_nAnimTick = 0;      // 0..9999
    std::vector<MorvaneHit> m_Hits;  // what the highlights show
    uint8_t m_byDrawFeverOverlay = 0;

    // Reels.
    int32_t SpinStep = 0;
    int32_t SpinPhase = 0;
    int32_t SpinStepValue = 80;
    int32_t ReelPos[kMorvaneReels] = {};
    int32_t ReelDelta[kMorvaneReels] = {};
    int32_t ReelSettle[kMorvaneReels] = {};
    const int32_t ReelX[kMorvaneReels] = {38, 231, 424, 617};
    int32_t ResultTaken = 0;
    int32_t m_nSettleWait = 20;
    int32_t FeverEndDue = 0;
    int32_t DeckKeyRequest = 0;
    int32_t DeckQuickEnd = 0;

    // Captions.
    char m_szWinCaption[256] = {};
    char m_szTicker[256] = {};
    int32_t m_nCaptionBlink = 0;
    int32_t m_nTickerBlink = 0;
    int32_t m_nTickerOffset[2] = {};
    int32_t m_nFeverChance = 0;

    // Resources.
    std::vector<CX2DSprite*> m_apSprite;  // by image slot (MorvaneImageSlot)
    CXSound* m_apSound[kMorvaneSoundRows] = {};
    uint8_t m_byLoaded = 0;

private:
    // One tick of a spin pattern (0..3).
    void SpinReels(int32_t pattern);
    void DrawReels(int32_t pattern);
    bool LoadImageSets(MorvaneImageLoader loader);
    void SplitDigits(int32_t value, uint8_t* digits, int count);
    bool Networked() const { return m_byNetworked != 0; }
};
