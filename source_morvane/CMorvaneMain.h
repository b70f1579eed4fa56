#pragma once
// The whole state of one running Morvane game: money and its display digits, the spin record's
// fields, the spin cycle with the server, the reel motion, the reel-window evaluation's outputs
// and the loaded sprites and sounds. Every step runs on the UI thread inside the game's frame.

#include <cstdint>
#include <memory>
#include <vector>

#include "CMorvaneIO.h"
#include "CMorvaneLink.h"
#include "CMorvaneLinkHost.h"
#include "CMorvaneSpinData.h"
#include "MorvaneImageSets.h"
#include "MorvaneReelStrips.h"
#include "MorvaneSoundList.h"
#include "MorvaneWindowEval.h"

class CButtonSinHo;
class CMorvaneOwner;
class CX2DSprite;
class CXFont;
class CXSound;
struct MorvaneSpinPattern;

// Image and sound files lie below this folder.
constexpr const char* kMorvaneDataFolder = "./data_morvane";

// One animated highlight strip: its picture in the highlighted-symbol set, frame size, frame
// count, period in animation ticks and frame counter.
struct MorvaneHitStrip {
    int32_t image;
    float w, h;
    int32_t frames;
    int32_t period;
    int32_t counter;
};

class CMorvaneMain : public CMorvaneLinkHost {
public:
    static constexpr int32_t kTicketUnit = 5000;
    static constexpr int32_t kDigits = 10;
    // The most steps a win's count-up takes: two minutes of 1/60 s steps.
    static constexpr int32_t kMaxCountUpSteps = 2 * 60 * 60;

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
    bool LoadImageSets(MorvaneImageLoader loader);
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
    // The running step in its fixed order: machine mode, the whole picture, the spin, the ticket
    // rule, the win presentation, the double-up game, the end of the game, counters and overlays.
    void Process();
    // Machine modes acted on at the start (0, 1) and at the end (6, 2, 5, 4, 8, 7) of a step.
    void ApplyStartMode();
    void ApplyEndMode();
    void DrawReels();
    void DrawCounters();
    void DrawOverlayCounters();
    void DrawDepositInfo();
    void DrawStateDump();
    // The deck's debug overlay: lines from 120 pixels below (x, y), a line height apart.
    void DrawDebugInfo(CXFont* font, float x, float y);
    // Ends the program through the platform (never the computer), once.
    void PowerOff();
    void CountPowerOff();
    void ProcessIdleMode();
    // The setting screen, once per step: its page and the four held operator keys (6th tick acts).
    void ShowSettingScreen();
    void ClearRoundState();
    // The standalone game's next scripted result.
    void ScriptSpin();

    // --- Spin cycle --------------------------------------------------------------------------
    void StartSpin();
    void EndSpin();
    // The end of a spin's game: counters, fever spins, and ids 26 and 33 to the server.
    void FinishGame();
    void CheckTicketOut(bool check);
    bool CanPlay() const;
    void ApplySpinData(bool check) override;
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
    // One step of the win presentation.
    void RunWinPresentation();
    // The state the presentation enters once its evaluation has run its length.
    int32_t ChooseWinState() const;
    void WinStage5();
    void WinStage10();
    void WinStage20();
    void WinStage30();
    void WinStage40();
    bool StepFireworks(int32_t n);
    void DrawFireworkScene();
    void WinStage50();
    void DrawJackpotIntro();
    void DrawWinEffect();
    void DrawJackpot();
    // Files the win amount in its size class and makes it the shown win that the count-up counts.
    void SplitWin();
    void StopPresentationSounds();
    // One count-up step of a running state, shown in the score digits.
    void CountUpWinStep();
    void RunJackpotShow(bool jackpot);
    void DrawFireworks(int32_t n, int32_t period, int32_t period512);
    void DrawDancers(int32_t n, int32_t period);
    // The highlights of the last evaluation over the stopped reels.
    void DrawHighlights();
    void DrawFourOfAKind(const MorvaneHit& hit, uint32_t& stepped);
    void DrawMixedBars(const MorvaneHit& hit);
    // Advances a strip's counter on a tick whose value modulo the period is 1, unless its bit in
    // `stepped` says it already has in this call (the bit is then set); its frame.
    int32_t AdvanceStrip(int32_t counter, int32_t period, int32_t frames, uint32_t& stepped);
    void DrawStripCells(const MorvaneHitStrip& strip, int32_t row, uint8_t cells, int32_t symbol,
                        bool wild, uint32_t& stepped);

    // --- Double-up ---------------------------------------------------------------------------
    void StartPerformance();
    void RunPerformance0();
    void RunPerformance1();
    void RunPerformance2();
    bool ReqPerformanceValue();
    // Any index takes the answer in; only 0..4 keep their card.
    void AnsPerformanceValue(uint32_t index, int32_t value, int32_t flag, int32_t amount) override;
    // A refused card counts as lost: the stage ends instead of waiting for an answer.
    void AnsPerformanceRefused() override;
    void EndPerformance();

    // --- Fever sequences and reel effects ----------------------------------------------------
    void FeverStartRock();
    void FeverEndRock();
    void FeverEndCurtain();
    void FeverStartCurtain();
    void DrawSmokeA();
    void DrawSmokeB();
    void DrawSmokeC();
    void InstallFeverReels();
    void ReturnNormalReels();
    void EndFeverSequence();
    void RunCurtain(bool start);
    bool WinShownPastRun() const;

    // --- Money and digits --------------------------------------------------------------------
    void SetCredit(int32_t value, bool force);
    void SetScore(int32_t value, bool force);
    void SetWinAmount(int32_t value);
    void SetFeverSpin(int32_t value);

    // --- Drawing and sound -------------------------------------------------------------------
    // Nothing on a step that does not draw; the source is clipped to a loaded sprite's size, and
    // a source whose left or top lies outside it draws nothing.
    void DrawSprite(float x, float y, int32_t slot, const MorvaneRect& source);
    void DrawSprite(float x, float y, MorvaneImageSet set, int32_t index, const MorvaneRect& source)
    {
        DrawSprite(x, y, MorvaneImageSlot(set, index), source);
    }
    void PlaySound(int32_t row, bool loop = false);
    void StopSound(int32_t row);

    // CMorvaneLinkHost (the link's answers).
    CMorvaneOwner* GetOwner() const override { return m_pOwner; }
    bool Networked() const override { return m_byNetworked != 0; }
    int32_t GetBet() const override { return m_nBet; }
    void TakeCredit(int32_t credit) override;
    void TakeScore(int32_t score) override;
    void OnSpinEnded() override { m_byDoubleUpOffer = 0; }
    void OnTicketOut(bool paid) override;
    void OnGameFin(bool ok) override;

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
    int32_t m_nPendingWin = 0;    // the shown win still to count up
    int32_t m_nWinSizeClass = 0;  // of the last split win: 2 from 1000, 1 from 300, else 0
    int32_t m_nGiftUnit = 0;

    int32_t SettingFlag = 7;
    uint8_t m_byNetworked = 1;
    uint8_t m_byDrawFlag = 0;
    uint8_t m_byInStep = 0;
    int32_t AvgValue = 2;
    int32_t Rate1 = 15;

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
    int32_t m_nEvalBaseStep = 0;     // the presentation's reference step for the time windows
    int32_t m_nAnimTick = 0;         // 0..9999
    std::vector<MorvaneHit> m_Hits;  // what the highlights show
    MorvaneEvalResult m_EvalResult;  // the last evaluation (its lists reused)
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

    // Per-step process.
    int32_t m_nReelPhase = 0;  // 0 still, 1 running, 2 stopped
    uint8_t m_byFirstStep = 1;
    int32_t m_nStepCount = 0;  // steps of Process, for the blinks
    int32_t m_nInsertCoinCount = 0;
    int32_t m_nIdleCount = 0;
    int32_t m_nTicketsPaid = 0;  // since the game started
    int32_t keypoint = 0;
    int32_t m_nDepositCount = 0;
    int32_t m_nSensorCount = 0;
    uint32_t m_dwQuickEndStamp = 0;  // 0: none yet

    // Power-off and the setting screen's held keys (previous, next, back, select).
    int32_t m_nPowerOffFlag = 0;
    int32_t m_nPowerOffCounter = 0;
    uint8_t m_byPoweredOff = 0;
    int32_t m_anKeyRequest[4] = {};
    int32_t m_anKeyDelay[4] = {};
    int32_t m_nKeysServedStep = -1;
    std::unique_ptr<CButtonSinHo> m_pSinHo;

    // Win presentation beyond the evaluation.
    int32_t m_nEndCount = 0;   // steps of state 50
    int32_t m_nEndCount2 = 0;  // steps of state 50 once the shown win is counted out
    uint8_t m_byWinSoundDone = 0;
    uint8_t m_byPresentDone = 0;  // the presentation has let the game end
    int32_t m_nFreeSoundSteps = 0;
    int32_t m_nStageCount = 0;  // steps in the current state 5..40
    int32_t m_nShowStep = 0;    // 0 intro, 20 main show
    int32_t m_nGunFrame = 0;
    int32_t m_nStarFrame = 0;
    int32_t m_anFirework[7] = {};  // 400, 320, 304, 240, 512, 512 (second), 320 extra
    int32_t m_nNeonFrame = 0;
    int32_t m_nGirlFrame = 0;
    int32_t m_nMunFrame = 0;
    int32_t m_nBannerRow = 0;
    int32_t m_nLightFrame = 0;
    int32_t m_nDanceFrame = 0;
    uint8_t m_byDanceBack = 0;
    int32_t m_nFireworkScene = 0;  // 0, 20, 30, 40
    int32_t m_nIntroCount = 0;
    int32_t m_nFireFrame = 0;
    int32_t m_nWinEffectSteps = 0;

    // Double-up game.
    uint8_t m_byDoubleDue = 0;
    uint8_t m_byDoubleShown = 0;
    uint8_t m_byReshow = 0;
    int32_t m_nReshowSteps = 0;
    int32_t m_nDoubleStage = 0;
    int32_t m_nDoubleSteps = 0;  // steps of the whole game
    int32_t m_nStageSteps = 0;   // steps since the stage's answer came in
    uint8_t m_abyChoiceMade[2] = {};
    int32_t m_nValueState = 0;  // 0 none, 1 asked, 2 answered
    int32_t m_anValueTable[5] = {};
    int32_t m_nValueFlag = 0;
    int32_t m_nDoubleWin = 0;
    uint32_t m_dwDoubleStamp = 0;

    // Highlight strip counters (see MorvaneHighlight.h).
    int32_t m_anStripFrame[32] = {};
    int32_t m_anBarFrame[2][4][3] = {};

    // Fever sequences and reel effects.
    int32_t m_nFeverSeq = 0;
    int32_t m_nFeverFrame = 0;
    int32_t m_nFeverLockFrame = 0;
    int32_t m_nFeverFinish = 0;
    int32_t m_nFeverBurst = 0;
    uint8_t m_byFeverSwapped = 0;  // the reels under the stones or curtain have changed
    int32_t m_nCurtainFlag = 0;
    int32_t m_nClosingStyle = 0;
    int32_t m_anSavedStops[4] = {};
    int32_t m_nSmokeTick = 0;
    int32_t m_nSmokeFrame = 0;
    uint8_t m_bySmokeBack = 0;

    // Standalone script.
    int32_t m_nScriptStep = 0;
    int32_t ImsiSeries = 0;
    uint8_t m_byResetRequest = 0;

    // Resources.
    std::vector<CX2DSprite*> m_apSprite;  // by image slot (MorvaneImageSlot)
    // Each loaded picture's whole size (a sprite's own size follows its last source rectangle).
    std::vector<MorvaneRect> m_aSpriteSize;
    CXSound* m_apSound[kMorvaneSoundRows] = {};
    uint8_t m_byLoaded = 0;

private:
    // One tick of a spin pattern (0..3).
    void SpinReels(int32_t pattern);
    // The steps of SpinReels. Each reel takes its speed from the pattern's ranges its position is
    // in; a reel past its stop limit sets the settle phase of that reel.
    void ApplySpeedSchedule(const MorvaneSpinPattern& p);
    // The phase rules for the step count n; firstPos is the first reel's position before the move.
    void RunSpinPhase(int32_t pattern, int32_t n, int32_t firstPos);
    // Phases 30..60: the reels before the settling one stop, and it settles and then holds.
    void SettleReel(int32_t pattern);
    // The steps of Process, in its order. v is the spin pattern's step value and pastRun whether
    // the fourth reel has settled, both as they were when the step began.
    // The series back and mark (shown at most as series 4); the series shown.
    int32_t DrawSeriesBack();
    // An armed spin starts its reels from rest; reels at phase 0 are drawn.
    void StartReelPhase();
    void SettleReelsAtRest();
    void UpdateDisplayedCredit();
    // Backgrounds and captions.
    void DrawBackgrounds();
    void DrawSpinStartMarks();
    // The series animation and multiplier mark.
    void DrawSeriesMarks(int32_t series);
    void DrawInsertCoin();
    void TriggerDoubleUp(int32_t v, bool pastRun);
    // After a double-up game the stopped reels show again before the game ends.
    void ReshowStoppedReels(bool pastRun);
    // Fever sequences, else the end of the game.
    void RunFeverOrEndGame(int32_t v, bool pastRun);
    void RunIdleMode();
    void DrawReelEffects(int32_t v);
    void DrawTicketWindows();
    // The steps of RunWinPresentation, in its order; v is the spin pattern's step value, blink
    // the shared blink phase, anyFree whether a row holds free spins.
    // The win sound, once.
    void PlayWinSound(bool anyFree);
    // Row bars and marks.
    void DrawWinMarks(bool blink);
    void DrawFreeMarks(bool anyFree, bool blink);
    // Opens the presentation's state machine, or holds it while a double-up runs.
    void OpenWinStates(int32_t v, bool blink);
    void RunWinStates(int32_t v);
    // Count-up sound and the win digits.
    void ShowWinDigits();
    void DrawReels(int32_t pattern);
    void RunPerformance(int32_t variant);
    void DrawPerformanceStage(int32_t variant, int32_t s, bool won);
    void WinPerformanceStage(int32_t variant, int32_t s);
    void LosePerformanceStage(int32_t variant, int32_t s);
    void DrawStill3(int32_t y0);
    void SplitDigits(int32_t value, uint8_t* digits, int count);
};
