// The running step in its fixed order, the machine modes, the reels, panels, counters and
// overlays. Everything is drawn through DrawSprite, which draws only on the last step of a frame.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "CButtonSinHo.h"
#include "CMorvaneMain.h"
#include "CMorvaneOwner.h"
#include "CXSaturate.h"

namespace {

using S = MorvaneImageSet;

// Panels slots.
enum : int32_t {
    kBar = 0,
    kCounterDigits = 1,
    kFeverDigits = 2,
    kBack = 3,
    kBack256 = 4,
    kBackM = 5,
    kMarks = 8,
    kFeverReel = 11,
    kFeverReelDown = 12,
};
constexpr int32_t kInsertCoin = 6;                     // Messages
constexpr int32_t kTicketWindow = 1, kCoinWindow = 2;  // CoinAndTicket
constexpr int32_t kMultiplierReel = 5;                 // Multipliers: x2-reel and on

constexpr MorvaneRect kTopPanel = {0, 0, 800, 83};
constexpr MorvaneRect kTopStrip = {0, 83, 800, 109};
constexpr MorvaneRect kReelArea = {0, 109, 800, 518};
constexpr MorvaneRect kLowStrip = {0, 518, 800, 544};
constexpr MorvaneRect kBottomPanel = {0, 544, 800, 600};
constexpr MorvaneRect kFeverArea = {0, 0, 800, 435};
constexpr MorvaneRect kFeverStrip = {0, 0, 800, 26};
constexpr MorvaneRect kMultiBack = {0, 0, 800, 413};
constexpr MorvaneRect kMultiFrame = {0, 0, 738, 413};
constexpr MorvaneRect kSymbol = {0, 0, 146, 125};
constexpr MorvaneRect kWindow = {0, 0, 200, 82};
constexpr MorvaneRect kInsertRect = {0, 0, 238, 29};
constexpr MorvaneRect kMarksRect = {0, 0, 161, 56};
constexpr MorvaneRect kSeriesRect = {0, 0, 92, 31};
constexpr MorvaneRect kMultiMark = {0, 0, 82, 40};
constexpr MorvaneRect kWhole = {0, 0, 800, 600};

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kShadow = 0xFF000000;

constexpr int32_t kReelRunSound = 28;
constexpr int32_t kLeadingSound = 3;

int32_t Mod23(int32_t v)
{
    return ((v % kMorvaneStops) + kMorvaneStops) % kMorvaneStops;
}

MorvaneRect DigitRect(int32_t digit, float width, float height)
{
    return {digit * width, 0, digit * width + width, height};
}

}  // namespace

void CMorvaneMain::Process()
{
    const int32_t v = SpinStepValue;
    const bool pastRun = ReelSettle[3] > m_nSettleWait + 10;
    ++m_nStepCount;

    ApplyStartMode();
    if (m_nPowerOffFlag == 1)
        CountPowerOff();
    const int32_t series = DrawSeriesBack();
    StartReelPhase();
    SettleReelsAtRest();
    CheckTicketOut(false);
    StartSpin();
    UpdateDisplayedCredit();
    DrawBackgrounds();
    DrawSpinStartMarks();
    DrawSeriesMarks(series);
    DrawInsertCoin();

    // A scripted empty credit resets the round once money is back.
    RunWinPresentation();
    if (m_byResetRequest && CXAddSat32(m_nCredit, m_nScore) > 0)
        ClearRoundState();

    TriggerDoubleUp(v, pastRun);
    StartPerformance();
    ReshowStoppedReels(pastRun);
    RunFeverOrEndGame(v, pastRun);
    RunIdleMode();
    DrawCounters();
    ApplyEndMode();
    DrawReelEffects(v);
    DrawTicketWindows();
    if (m_Rec.jackpottrue == 1)
        DrawJackpot();
    DrawOverlayCounters();
}

int32_t CMorvaneMain::DrawSeriesBack()
{
    if (m_Rec.Seriescount > 4)
        m_Rec.Seriescount = 4;
    const int32_t series = m_Rec.Seriescount;
    if (series <= 0) {
        DrawSprite(0, 109, S::Panels, kBack256, kReelArea);
    } else {
        DrawSprite(0, 107, S::Panels, kBackM, kMultiBack);
        DrawSprite(31, 107, S::Multipliers, kMultiplierReel + series - 1, kMultiFrame);
    }
    return series;
}

void CMorvaneMain::StartReelPhase()
{
    if ((m_nReelPhase == 2 && m_byArmed && CanPlay()) || (m_nReelPhase == 0 && m_byArmed)) {
        // The spin starts its reels from rest.
        ClearSpinState();
        StopSound(kLeadingSound);
        SpinPhase = 0;
        ResultTaken = 0;
        std::fill(std::begin(ReelPos), std::end(ReelPos), 0);
        std::fill(std::begin(ReelDelta), std::end(ReelDelta), 0);
        std::fill(std::begin(ReelSettle), std::end(ReelSettle), 0);
        m_nSettleWait = 20;
        m_nReelPhase = 1;
    }
    if (m_nReelPhase == 0)
        DrawReels();
}

void CMorvaneMain::SettleReelsAtRest()
{
    if (m_bySpinInProgress)
        return;
    SpinStep = 0;
    SpinPhase = 0;
    if (m_nSettleWait == 20)
        DrawReels();
    // An armed spin waiting for its record keeps its phase.
    if (m_nReelPhase == 1 && !m_byArmed) {
        m_nReelPhase = 2;
        StopSound(kReelRunSound);
    }
}

void CMorvaneMain::UpdateDisplayedCredit()
{
    const bool hold = m_nDispScore >= m_nBet ||
                      (ReelPos[0] >= 500 &&
                       (m_nDispCredit >= m_nBet || (m_nCredit < m_nBet && m_nScore >= m_nBet)));
    if (m_byFirstStep || !hold)
        SetCredit(m_nCredit, m_byFirstStep != 0);
    m_byFirstStep = 0;
}

void CMorvaneMain::DrawBackgrounds()
{
    if (m_Rec.MoFever <= 0 && m_Rec.FeverSpin <= 0) {
        DrawSprite(0, 83, S::Panels, kBack256, kTopStrip);
        DrawSprite(0, 518, S::Panels, kBack256, kLowStrip);
    } else {
        DrawSprite(0, 518, S::Panels, kFeverReelDown, kFeverStrip);
        DrawSprite(0, 83, S::Panels, kFeverReel, kFeverArea);
    }
    DrawSprite(0, 544, S::Panels, kBack256, kBottomPanel);
    if (++m_nAnimTick >= 10000)
        m_nAnimTick = 0;
    DrawSprite(0, 0, S::Panels, kBack256, kTopPanel);
    DrawWinCaption();
    DrawSprite(0, 0, S::Panels, kBack, kWhole);
}

void CMorvaneMain::DrawSpinStartMarks()
{
    if (m_bySpinInProgress && SpinStep >= 1 && SpinStep <= 20 && m_nStepCount % 30 < 15)
        DrawSprite(108, 544, S::Panels, kMarks, kMarksRect);
}

void CMorvaneMain::DrawSeriesMarks(int32_t series)
{
    if (series >= 1 && m_bySpinInProgress && SpinStep >= 30) {
        if (m_nStepCount % 30 < 15)
            DrawSprite(611, 27, S::SeriesMarks, series - 1, kSeriesRect);
        DrawSprite(707, 22, S::Multipliers, series - 1, kMultiMark);
    }
}

void CMorvaneMain::DrawInsertCoin()
{
    if (CXAddSat32(m_nCredit, m_nScore) < m_nBet || !Networked()) {
        ++m_nInsertCoinCount;
        if (m_nInsertCoinCount <= 2000 && m_nInsertCoinCount % 19 < 15)
            DrawSprite(281, 485, S::Messages, kInsertCoin, kInsertRect);
        if (m_nInsertCoinCount >= 10000) {
            m_nInsertCoinCount = 0;
            m_nDoubleStage = 0;
        }
    }
}

void CMorvaneMain::TriggerDoubleUp(int32_t v, bool pastRun)
{
    if (DeckKeyRequest && m_Rec.FeverStop == 0 && m_Rec.MoSumState == 0 && m_Rec.FeverTime == 0 &&
        m_Rec.nReelSet == 0 && SettingFlag != 1 && m_Rec.PerformanceCue >= 1 &&
        m_Rec.PerformanceCue <= 500 && SpinStep == 358 - v && m_Rec.PerformanceBlock == 0 &&
        pastRun) {
        if (m_Rec.FireValue <= 0) {
            const bool wasDue = m_byDoubleDue != 0;
            m_byDoubleDue = 1;
            m_nDoubleSteps = 0;
            if (!wasDue && Networked())
                m_pLink->ReqDoubleUp();
        }
        DeckKeyRequest = 0;
        DeckQuickEnd = 0;
        SpinStep = 359 - v;
        StopPresentationSounds();
    }
}

void CMorvaneMain::ReshowStoppedReels(bool pastRun)
{
    if (!m_byDoubleDue && m_byReshow && pastRun && SpinStep < 500) {
        StopPresentationSounds();
        for (int32_t& pos : ReelPos)
            pos = 8201;
        DrawStill3(115);
        if (++m_nReshowSteps >= 50) {
            SpinStep = 500;
            m_byPresentDone = 1;
            m_byReshow = 0;
            m_nReshowSteps = 0;
        }
    }
}

void CMorvaneMain::RunFeverOrEndGame(int32_t v, bool pastRun)
{
    const bool settled = m_nEndCount2 > 50 || (SpinStep == 360 - v && m_nWinAmount == 0 && pastRun);
    if (m_bySpinInProgress && FeverEndDue == 1 && settled) {
        if (m_Rec.FeverDrawMode == 1 || m_nCurtainFlag == 1)
            FeverEndCurtain();
        else
            FeverEndRock();
    } else if (m_bySpinInProgress && m_Rec.FeverTime == 1 && settled) {
        if (m_Rec.FeverDrawMode == 1)
            FeverStartCurtain();
        else
            FeverStartRock();
    } else if (m_bySpinInProgress && SpinStep > 360 - v && pastRun && m_Rec.FeverStop == 0 &&
               FeverEndDue == 0 && m_Rec.FeverTime == 0) {
        StopPresentationSounds();
        if (DeckQuickEnd && m_byPresentDone) {
            // Pressed over a presented win: the end waits 10 s from the press.
            m_dwQuickEndStamp = m_pIO->Now();
            DeckQuickEnd = 0;
        } else if (m_dwQuickEndStamp == 0 || m_pIO->Now() - m_dwQuickEndStamp > 10000) {
            // Without a presentation the press has already shortened the pause; it is used up.
            DeckQuickEnd = 0;
            m_dwQuickEndStamp = 0;
            m_bySpinInProgress = 0;
            FinishGame();
        }
    }
}

void CMorvaneMain::RunIdleMode()
{
    if (m_nCredit == 0 && m_nScore == 0) {
        ProcessIdleMode();
        if (++m_nIdleCount >= 2000)
            m_nIdleCount = 0;
    }
}

void CMorvaneMain::DrawReelEffects(int32_t v)
{
    const int32_t smoke = m_Rec.SmokeCount;
    if (smoke == 1 && SpinStep != 359 - v)
        DrawSmokeA();
    else if (smoke == 2)
        DrawSmokeB();
    else if (smoke == 3 && SpinStep != 359 - v)
        DrawSmokeC();
}

void CMorvaneMain::DrawTicketWindows()
{
    if (m_nTicketsPaid > 0) {
        DrawSprite(586, 473, S::CoinAndTicket, kTicketWindow, kWindow);
        DrawSprite(13, 473, S::CoinAndTicket, kCoinWindow, kWindow);
    }
}

void CMorvaneMain::ApplyStartMode()
{
    if (SettingFlag == 0)
        PowerOff();
    if (SettingFlag == 1)
        ShowSettingScreen();
}

void CMorvaneMain::ApplyEndMode()
{
    switch (SettingFlag) {
    case 6:
        DrawDepositInfo();
        break;
    case 2:
        keypoint = 5;
        break;
    case 5:
        keypoint = 0;
        break;
    case 4:
        DrawStateDump();
        break;
    case 8:
        m_nSensorCount = 0;
        break;
    case 7:
        giftpaid = 0;
        m_nDepositCount = 0;
        break;
    default:
        break;
    }
}

void CMorvaneMain::DrawReels()
{
    static constexpr float kHeights[kMorvaneReels][5] = {{113, 249, 385, 510, 635},
                                                         {111, 247, 383, 508, 633},
                                                         {110, 246, 382, 507, 632},
                                                         {110, 246, 382, 507, 632}};
    static constexpr int32_t kOffsets[5] = {1, 0, 22, 21, 20};
    if (!m_byDrawFlag)
        return;
    for (int reel = 0; reel < kMorvaneReels; ++reel)
        for (int i = 0; i < 5; ++i) {
            const int32_t symbol =
                MorvaneSymbolAt(m_Rec.nReelSet, reel, Mod23(m_Rec.Array[reel] + kOffsets[i]));
            DrawSprite(float(ReelX[reel]), kHeights[reel][i], S::Symbols, symbol, kWhole);
        }
}

void CMorvaneMain::DrawStill3(int32_t y0)
{
    static constexpr int32_t kOffsets[3] = {1, 0, 22};
    if (!m_byDrawFlag)
        return;
    for (int reel = 0; reel < kMorvaneReels; ++reel)
        for (int i = 0; i < 3; ++i) {
            const int32_t symbol =
                MorvaneSymbolAt(m_Rec.nReelSet, reel, Mod23(m_Rec.Array[reel] + kOffsets[i]));
            DrawSprite(float(ReelX[reel]), float(y0 + 136 * i), S::Symbols, symbol, kSymbol);
        }
}

void CMorvaneMain::DrawCounters()
{
    // Fever spins: three digits, most significant first.
    for (int i = 0; i < 3; ++i)
        DrawSprite(109.0f + 19.0f * i, 30, S::Panels, kFeverDigits,
                   DigitRect(m_abyFeverDigit[2 - i], 17, 26));
    if (SettingFlag == 1)
        return;
    // Seven digits each (the lower seven of larger values), most significant first.
    for (int i = 0; i < 7; ++i) {
        DrawSprite(131.0f + 16.0f * i, 561, S::Panels, kCounterDigits,
                   DigitRect(m_abyCreditDigit[6 - i], 16, 22));
        DrawSprite(393.0f + 17.0f * i, 561, S::Panels, kCounterDigits,
                   DigitRect(m_abyWinDigit[6 - i], 16, 22));
        DrawSprite(653.0f + 16.0f * i, 561, S::Panels, kCounterDigits,
                   DigitRect(m_abyScoreDigit[6 - i], 16, 22));
    }
}

void CMorvaneMain::DrawOverlayCounters()
{
    if (!m_byDrawFlag)
        return;
    if (m_nTicketsPaid == 0) {
        m_pIO->DrawText("v3", 780, 0, 100, kRed);
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", m_nTicketsPaid);
    m_pIO->DrawText(text, 697, 503, 100, kYellow);
}

namespace {

void ShadowText(CMorvaneIO& io, const char* text, int32_t x, int32_t y)
{
    io.DrawText(text, x + 1, y + 1, 600, kShadow);
    io.DrawText(text, x, y, 600, kWhite);
}

// One line of the state dump: its printf format and value.
struct DumpLine {
    const char* format;
    int32_t value;
};

// The game's own counters and switches.
std::vector<DumpLine> GameDumpLines(const CMorvaneMain& m)
{
    return {
        {"SettingFlag =>%d", m.SettingFlag},
        {"keypoint =>%d", m.keypoint},
        {"giftpaid =>%d", m.giftpaid},
        {"Block Spin =>%d", m.BlockSpin},
        {"TicketFlag =>%d", m.TicketFlag},
        {"AutoTicketFlag =>%d", m.AutoTicketFlag},
        {"credit =>%d", m.m_nCredit},
        {"score =>%d", m.m_nScore},
        {"bet =>%d", m.m_nBet},
        {"AvgValue =>%d", m.AvgValue},
        {"Rate1 =>%d", m.Rate1},
        {"win amount =>%d", m.m_nWinAmount},
    };
}

// Where the spin cycle stands with the server.
std::vector<DumpLine> LinkDumpLines(const CMorvaneLink& l)
{
    return {
        {"SpinReq =>%d", l.SpinDataRequested()}, {"SpinDataRecved =>%d", l.SpinDataReceived()},
        {"SpinEnd =>%d", l.SpinEnded()},         {"playing =>%d", l.Playing()},
        {"finReq =>%d", l.GameFinRequested()},
    };
}

// The round record's values; its stops and free marks follow on lines of their own.
std::vector<DumpLine> RecordDumpLines(const CMorvaneSpinData& r)
{
    return {
        {"FeverSpin =>%d", r.FeverSpin},
        {"WinHaveFlag=>%d", r.WinHaveFlag},
        {"jackValue =>%d", r.jackValue},
        {"nRand =>%d", r.nRand},
        {"Seriescount =>%d", r.Seriescount},
        {"Win[0] =>%d", r.Win[0]},
        {"Win[1] =>%d", r.Win[1]},
        {"Win[2] =>%d", r.Win[2]},
        {"SmokeCount[0] =>%d", r.SmokeCount},
        {"WinMark =>%d", r.WinMark},
        {"PerformanceCue =>%d", r.PerformanceCue},
        {"RateScore =>%d", r.RateScore},
        {"CountedWin =>%d", r.CountedWin},
        {"Allbarrand =>%d", r.Allbarrand},
        {"ImsiFeverSpin =>%d", r.ImsiFeverSpin},
        {"FeverSpinStart =>%d", r.FeverSpinStart},
        {"FeverTime =>%d", r.FeverTime},
        {"FeverCue =>%d", r.FeverCue},
        {"FeverStop =>%d", r.FeverStop},
        {"FeverReel[0] =>%d", r.FeverReel[0]},
        {"FeverReel[1] =>%d", r.FeverReel[1]},
        {"FeverReel[2] =>%d", r.FeverReel[2]},
        {"FeverReel[3] =>%d", r.FeverReel[3]},
        {"FeverStopCue =>%d", r.FeverStopCue},
        {"SpinCue =>%d", r.SpinCue},
        {"FeverDrawMode =>%d", r.FeverDrawMode},
        {"CaptionCue =>%d", r.CaptionCue},
        {"MoFever =>%d", r.MoFever},
        {"MoSumState =>%d", r.MoSumState},
        {"FeverCue2 =>%d", r.FeverCue2},
        {"PerformanceBlock =>%d", r.PerformanceBlock},
        {"reel set =>%d", r.nReelSet},
        {"WinHave =>%d", r.WinHave},
        {"jackpottrue =>%d", r.jackpottrue},
        {"CaptionMode =>%d", r.CaptionMode},
        {"FireStage =>%d", r.FireStage},
        {"FireCase =>%d", r.FireCase},
        {"FireCount =>%d", r.FireCount},
        {"FireValue =>%d", r.FireValue},
    };
}

// Lays text lines out three to a row, left to right, from the top of the picture.
class DumpLayout {
public:
    explicit DumpLayout(CMorvaneIO& io) : m_io(io) {}

    void Place(const char* text)
    {
        static constexpr int32_t kColumnX[3] = {20, 300, 550};
        ShadowText(m_io, text, kColumnX[m_nIndex % 3], 85 + 20 * (m_nIndex / 3));
        ++m_nIndex;
    }

    void Place(const std::vector<DumpLine>& lines)
    {
        char text[96];
        for (const DumpLine& line : lines) {
            std::snprintf(text, sizeof text, line.format, line.value);
            Place(text);
        }
    }

private:
    CMorvaneIO& m_io;
    int32_t m_nIndex = 0;
};

}  // namespace

void CMorvaneMain::DrawDepositInfo()
{
    if (!m_byDrawFlag)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "돈입금 수 : %d 만원", m_nDepositCount);
    ShadowText(*m_pIO, text, 20, 100);
    std::snprintf(text, sizeof text, "상품권 수 : %d 장 ", giftpaid);
    ShadowText(*m_pIO, text, 20, 200);
}

// The developer's dump of the game, the spin cycle and the round record, three lines to a row.
void CMorvaneMain::DrawStateDump()
{
    if (!m_byDrawFlag)
        return;
    DumpLayout layout(*m_pIO);
    layout.Place(GameDumpLines(*this));
    layout.Place(LinkDumpLines(*m_pLink));
    layout.Place(RecordDumpLines(m_Rec));
    char text[96];
    const CMorvaneSpinData& r = m_Rec;
    std::snprintf(text, sizeof text, "Array[%d][%d][%d][%d]", r.Array[0], r.Array[1], r.Array[2],
                  r.Array[3]);
    layout.Place(text);
    std::snprintf(text, sizeof text, "Free[%d][%d][%d] ", r.Free[0], r.Free[1], r.Free[2]);
    layout.Place(text);
}

void CMorvaneMain::ClearRoundState()
{
    m_byResetRequest = 0;
    if (m_pOwner)
        m_pOwner->ClearMorvaneTotals();
    m_nCredit = 0;
    SetCredit(0, true);
    m_nScore = 0;
    SetScore(0, true);

    SetFeverSpin(0);
    m_Rec.ImsiFeverSpin = 0;
    m_Rec.FeverSpinStart = 0;
    m_Rec.FeverTime = 0;
    m_Rec.FeverStop = 0;
    m_Rec.MoFever = 0;
    m_Rec.MoSumState = 0;
    m_Rec.Seriescount = 0;
    ImsiSeries = 0;

    std::fill(std::begin(m_Rec.Win), std::end(m_Rec.Win), 0);
    std::fill(std::begin(m_Rec.Free), std::end(m_Rec.Free), 0);
    m_Rec.WinMark = 0;
    m_nPendingWin = 0;
    SetWinAmount(0);

    std::fill(std::begin(m_aSmokeState), std::end(m_aSmokeState), 0);
    m_Rec.jackValue = 0;
    m_Rec.jackpottrue = 0;
    if (m_Rec.nReelSet > 0)
        m_Rec.nReelSet = 0;
    StopPresentationSounds();
}
