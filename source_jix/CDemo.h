#pragma once
// The Jix engine: one object per CJix holding the whole game state. It runs one game tick at a
// time on the host's fixed 1/60 s clock, draws into the host's 1280x768 landscape target through
// DrawSprite (only on the last tick of a frame) and plays sounds through PlaySound (silent while
// the host is standalone). The server decides every outcome; the link (CDemoLink) carries the
// requests and answers.

#include <cstdint>
#include <string>
#include <vector>

#include "CJixSpinData.h"
#include "CXSaturate.h"

class CJixHost;
class CDemoLink;
class CDemoSound;
class CDemoSurface;
class CDemoTimer;
class CX2DSprite;
class CXFont;
class CXSound;
struct CXSpriteRect;

class CDemo {
public:
    static constexpr int32_t kScoreCap = 20000;
    static constexpr int32_t kPlayCost = 100;
    static constexpr int32_t kTicketUnit = 5000;
    static constexpr int32_t kEngineOpening = 1;
    static constexpr int32_t kEngineGame = 3;
    static constexpr int32_t kEngineIdle = 5;
    // Stop tick from which the reels stand still and the win presentation runs.
    static constexpr int32_t kAllReelsStopped = 260;
    // Longest win presentation a server's length may ask for: two minutes of 1/60 s ticks. The
    // game's own lengths reach 2450; a longer one from a server would hold the machine with no
    // way for the player to go on.
    static constexpr int32_t kMaxPresentationLength = 2 * 60 * 60;

    explicit CDemo(CJixHost* pHost);
    virtual ~CDemo();
    CDemo(const CDemo&) = delete;
    CDemo& operator=(const CDemo&) = delete;

    // --- set-up and resources --------------------------------------------------------------
    void Reset();
    void CreateResources();
    // Loads every sound of the table (entries stay null for missing files). Returns 1.
    int LoadSounds();
    // Loads every image of the list into its slot; a missing image leaves an empty sprite.
    void LoadImages();
    CXSound* LoadSound(const char* pszName);
    int LoadImage(const char* pszName, CX2DSprite* pSprite);
    // The one blit of the game: only while the draw flag is set; the source rectangle (or null
    // for the whole sprite) is clipped to the sprite on a copy.
    void DrawSprite(const CXSpriteRect* pRect, int x, int y, CX2DSprite* pSprite);
    void DrawSlot(int nSlot, int x, int y);
    // One-shot effect from the start; nothing while standalone or for a null sound.
    void PlaySound(CXSound* pSound);
    void PlayEntry(int nEntry);
    void StopEntry(int nEntry);
    // The score-count sound (entry 43) loops from its start until stopped; silent standalone.
    void StartScoreCount();
    void StopScoreCount();

    // --- ticks -----------------------------------------------------------------------------
    // One tick of the current engine state (1 opening, 3 game; any other runs nothing).
    void RunTick();
    void TickIntro();
    // One tick of the game state: its 22 steps in order (see CDemoTick.cpp).
    void TickGame();
    // The background cycle: scroll position, colour mode, change of background; draws the far
    // picture.
    void AnimateCharacters();
    // The background frame around the reels.
    void AnimateScroll();
    // Counts the pending win into the saved score and draws its digits.
    void DrawWinCounters();
    // The reel win animations over the reel window; marks the cells it animates.
    void Render();
    // Clears the win animations' step counter, their frame counters (but those of the joker
    // change and the column frame) and the joker-change-done flag for a new spin.
    void ResetWinAnimation();
    // Moves the coin one tick along the path of its code (nothing for a code not in the table).
    void RunPathScript();
    // The presentation picture of the running character action (none outside its range).
    void DrawCharacterPicture();
    // The 19 pins of the launcher field.
    void DrawPinField();
    void TickSpin();
    void EndSpin(bool bNoWinEnd, bool bClosingRun);
    // Copies the link's block into the engine (stops and strip set range-checked).
    void ApplySpinData(bool bTicketTest);

    // --- money, score and tickets ----------------------------------------------------------
    bool IsPlayable() const;
    // Credit below one play, no win in hand and a score below one play.
    bool IsOutOfCredit() const;
    // Score at the cap, or credit below one play with the score a positive multiple of 5000.
    bool NeedsTicketOut() const;
    bool CheckPlayable();
    void TicketTest();
    void SetCredit(int32_t nCredit);
    void SetScore(int32_t nScore);
    void SetWin(int32_t nSpins);
    void SetActionCode(int32_t nAction);
    void ChooseWalkAction();
    // The path code of a launch target; 0 for a target of 650 or more (the code does not change).
    static int32_t PathCodeForTarget(int32_t nTarget);
    void CountUpScore();
    void StepTicketOut(bool bTestOnly);
    void OnTicketPaid();
    int32_t GetSeriesMultiplier() const;
    void ApplyStage();
    // The bonus level the coin decided (1..7): online the request, standalone its reward.
    void DecideBonus(int32_t nLevel);

    // --- debug overlay ---------------------------------------------------------------------
    // The overlay's lines in order (CP949); an empty line is a blank line.
    std::vector<std::string> DebugLines() const;
    void DrawDebugInfo(CXFont* pFont, float x, float y);

    bool IsOnline() const;
    int32_t StripSet() const { return m_anHint[6]; }
    // The spin at which the previewed event comes (hint 3 + 20) and the last stop tick of a win
    // presentation (its length + the extra ticks); both sum server values, so they are clamped.
    int32_t PreviewEventSpin() const { return CXAddSat32(m_anHint[3], 20); }
    int32_t PresentationEnd() const { return CXAddSat32(m_nPresentationLength, m_nExtraTicks); }
    // Where a reel cell at x is drawn: x mod 1280 (never negative) when that is past 678, else
    // -1 (not drawn), so cells leaving on the right come back at the left edge of the reels.
    static int CellScreenX(int x);
    // The symbol shown by a reel at a stop index (any integer, taken modulo 23).
    int32_t Symbol(int nReel, int nIndex) const;
    // Row 0 top, 1 middle, 2 bottom: does the row show the joker on all four reels?
    bool RowAllJokers(int nRow) const;
    bool HasFeverWin() const { return m_anFever[0] || m_anFever[1] || m_anFever[2]; }
    bool HasRowWin() const { return m_anWin[0] || m_anWin[1] || m_anWin[2]; }

    CDemoSurface* GetSurface() const { return m_pSurface; }
    CDemoSound* GetSound() const { return m_pSound; }
    CDemoTimer* GetTimer() const { return m_pTimer; }
    CDemoLink* GetLink() const { return m_pLink; }
    CJixHost* GetHost() const { return m_pHost; }

    // --- run ---
    uint8_t m_bDraw = 1;
    CJixHost* m_pHost;
    CDemoLink* m_pLink = nullptr;
    int32_t m_nBlockSpin = 0;
    int32_t m_nEngineState = kEngineIdle;
    int32_t m_nOpeningPhase = 0;
    int32_t m_nOpeningCounter = 0;
    int32_t m_nStage = 25;
    // --- spin ---
    int32_t m_nSpinPhase = 0;
    int32_t m_nScrollOffset = 0;
    int32_t m_nPhase0Wait = 0;
    int32_t m_nPhase10Counter = 0;
    int32_t m_nPhase20Counter = 0;
    int32_t m_nStopTick = 0;
    int32_t m_anReelOffset[4] = {};
    uint8_t m_bRequestMade = 0;
    int32_t m_nClosingCounter = 0;
    int32_t m_nClosingImage = 0;
    int32_t m_nExtraTicks = 0;
    uint8_t m_abHighlight[3][4] = {};  // row x reel
    int32_t m_nEffectStep = 0;
    int32_t m_anEffectCounter[20] = {};
    int32_t m_nBigWinLevel = 0;
    // --- block copy ---
    int32_t m_nWinSum = 0;
    int32_t m_nSpecialMode = 0;
    int32_t m_nTotalWin = 0;
    int32_t m_nBigWinFlag = 0;
    int32_t m_nScoreAfterWin = 0;
    int32_t m_nPreviewStage = 0;
    int32_t m_anReelStop[4] = {5, 6, 7, 9};
    int32_t m_nShownWin = 0;
    int32_t m_nPendingWin = 0;
    int32_t m_nSavedScore = 0;
    int32_t m_nPresentationLength = 0;
    int32_t m_anMid[4] = {};
    int32_t m_anWin[4] = {};
    int32_t m_anSeries[7] = {};
    int32_t m_anFever[6] = {};
    int32_t m_anHint[8] = {};
    int32_t m_nEventKind = 0;
    int32_t m_nActionJix = 0;
    // --- coin and bonus ---
    int32_t m_nLaunchHeight = 0;
    int32_t m_nLaunchDir = 0;  // 0 up the numbers, 1 down
    int32_t m_nPathCode = 0;
    int32_t m_nLaunchTarget = 0;
    uint8_t m_bFlying = 0;
    int32_t m_nFlightCounter = 0;
    int32_t m_nCoinX = 0;
    int32_t m_nCoinYOffset = 0;
    int32_t m_nCoinYStep = 0;
    int32_t m_nCoinFrame = 0;    // 0..11
    int32_t m_nCoinSpinDir = 0;  // the launch direction at the first flight tick
    int32_t m_nBonusWheel = 0;
    int32_t m_nWheelClock = 0;
    int32_t m_nBonusLevel = 0;  // 0 none, 1..7, 9 shown
    uint8_t m_bBonusDecided = 0;
    int32_t m_anPocketFrame[4] = {};
    // --- preview ---
    int32_t m_nPreviewCounter = 0;
    int32_t m_anHoldCounter[2] = {};
    int32_t m_nAction1Counter = 0;
    uint8_t m_bAction1Sound = 0;
    // --- devil ---
    int32_t m_nDevilAction = 0;
    int32_t m_nDevilFlag = 0;
    int32_t m_nDevilCount = 0;
    int32_t m_nSmileFlag = 0;
    uint8_t m_bDevilBlock = 0;
    int32_t m_nDevilFrame = 0;
    // --- background ---
    int32_t m_nBgVariant = 1;
    int32_t m_nColourMode = 0;
    int32_t m_nScrollPos = 0;
    int32_t m_nScrollDir = 0;  // 0 forward, 1 backward
    int32_t m_nSide = 0;
    uint8_t m_bCycleStarted = 0;
    int32_t m_nSway = 0;  // 0..76 and back
    int32_t m_nSwayDir = 0;
    int32_t m_nSlowSteps = 0;      // colour mode 0 moves on every 5th step
    int32_t m_nForwardPasses = 0;  // times the position passed 279
    int32_t m_nChangeFrame = -1;   // step of the change sequence, -1 none
    uint8_t m_bChanging = 0;
    // --- presentation ---
    int32_t m_nTickCount = 0;
    int32_t m_nFrameA = 0;       // side figures, 0..19
    int32_t m_nBigWinFrame = 0;  // full-screen big-win picture, 0..90
    int32_t m_anBigWinDigit[5] = {};
    // --- win animations ---
    int32_t m_nRenderStep = 0;
    int32_t m_anAnimFrame[20] = {};
    uint8_t m_bJokerChangeDone = 0;
    uint8_t m_bScoreCounting = 0;
    // --- money ---
    int32_t m_nCredit = 0;
    int32_t m_nSpinsLeft = 0;
    int32_t m_nScore = 0;
    int32_t m_nScoreOverflow = 0;
    int32_t m_nCreditShown = 0;
    int32_t m_nSpinsShown = 0;
    int32_t m_nScoreShown = 0;
    int32_t m_anCreditDigit[10] = {};
    int32_t m_anCreditQuot[10] = {};
    int32_t m_anScoreDigit[10] = {};
    int32_t m_anScoreQuot[10] = {};
    int32_t m_anSpinsDigit[6] = {};
    int32_t m_anSpinsQuot[6] = {};
    int32_t m_anPendingDigit[5] = {};
    uint8_t m_bDigitsShown = 0;
    uint8_t m_bPlayWanted = 0;
    uint8_t m_bTicketWanted = 0;  // "giftflag"
    int32_t m_nTicketsPaid = 0;
    int32_t m_nTicketImageStep = 0;
    int32_t m_nTicketStepCounter = 0;
    uint8_t m_bSpinsCashed = 0;
    uint8_t m_bTicketShown = 0;
    int32_t m_nLowScoreWait = 0;

private:
    void DrawStillCells();
    void DrawReelCells(int nReel, int nFirstX, int nStepX, int nCells, int nFirstIndex);
    void DrawCell(int nReel, int x, int nIndex);
    void ArmDevil();
    // Phases of TickSpin.
    void AskForSpin();
    void WindReelsUp();
    void SpinReels();
    void StopReels();
    void EndPresentation();
    bool BeginClosing(bool bWin);
    bool StepClosing(bool bWin);
    void StartWinPresentation();
    void ComputeStandaloneWin();
    void EndTicketOut();
    // Steps of TickGame.
    void ApplyPreviewRules(int32_t m);
    void TickDevil(int32_t m);
    void DrawReelFrame();
    void StepPresentationCounters();
    void DrawSideFigures();
    void TickBonusWheel();
    void DrawWheelPockets();
    void StepCharacterAction();
    void TickWinPresentation();
    void TickLaunchMarker();
    void DrawAttract();
    void DrawCoin();
    void DrawCounters();

    CDemoSurface* m_pSurface = nullptr;
    CDemoSound* m_pSound = nullptr;
    CDemoTimer* m_pTimer = nullptr;
};

// Splits a value into nCount decimal digits (least significant first) and the quotient of the
// value by each digit's power of ten; a negative value shows as 0.
void JixSplitDigits(int32_t nValue, int32_t* pDigits, int32_t* pQuotients, int nCount);
