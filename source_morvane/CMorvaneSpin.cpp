// The spin cycle with the server: arming, the spin-data request, the hand-over at the reels' full
// speed, the end of the game, and the ticket-out rule.
#include "CButtonSinHo.h"
#include "CMorvaneMain.h"
#include "CMorvaneOwner.h"
#include "MorvaneSpinPatterns.h"
#include "platform/clock.h"

namespace {

// Sound-list rows the spin cycle plays or stops.
constexpr int32_t kLoopSound = 28;    // played through a spin while SmokeCount is 1
constexpr int32_t kLeadingSound = 3;  // the previous spin's win tune, stopped as a spin starts
constexpr int32_t kTicketSound = 21;
constexpr int32_t kFireSounds[] = {15, 17, 18, 37};
constexpr int32_t kWinSounds[] = {0, 2};  // stopped when the spin state is cleared

constexpr float kTicketX = 117.0f;
constexpr float kTicketY = 267.0f;
constexpr MorvaneRect kTicketRect = {0, 0, 564, 97};

}  // namespace

bool CMorvaneMain::CanPlay() const
{
    return m_Rec.FeverSpin > 0 || m_nCredit >= m_nBet ||
           (m_nScore <= 19999 && m_nScore % kTicketUnit >= m_nBet);
}

void CMorvaneMain::ApplySpinData(bool check)
{
    const CMorvaneSpinData& record = m_pLink->Record();
    const int32_t feverSpin = record.FeverSpin;
    m_Rec = record;
    SetFeverSpin(feverSpin);
    SetWinAmount(record.nWinAmount);
    if (check)
        CheckTicketOut(true);
}

void CMorvaneMain::StartSpin()
{
    CMorvaneLink& link = *m_pLink;
    if (!m_byArmed) {
        if (Networked() && !link.SpinEnded())
            return;
        if (TicketFlag == 0 && AutoTicketFlag == 0 && CanPlay() && BlockSpin == 0 && m_byAutoPlay &&
            (!Networked() || !link.Playing())) {
            m_byArmed = 1;
            m_dwSpinStartStamp = m_pIO->Now();
        }
        if (!m_byArmed)
            return;
    }

    if (++m_nArmedTicks == 1) {
        StopSound(kLeadingSound);
        std::fill(std::begin(m_aSpinCounter), std::end(m_aSpinCounter), 0);
        // A new spin starts its reels from rest.
        SpinStep = 0;
        SpinPhase = 0;
        std::fill(std::begin(ReelPos), std::end(ReelPos), 0);
        std::fill(std::begin(ReelDelta), std::end(ReelDelta), 0);
        std::fill(std::begin(ReelSettle), std::end(ReelSettle), 0);
        ResultTaken = 0;
        m_nSettleWait = 20;
        FeverEndDue = 0;
    }
    if (m_dwPlayStartStamp == 0)
        m_dwPlayStartStamp = m_pIO->Now();

    if (m_Rec.SmokeCount == 1)
        PlaySound(kLoopSound, true);
    else
        StopSound(kLoopSound);

    if (Networked() && !link.SpinDataReceived()) {
        if (!link.Playing() && !link.SpinDataRequested())
            link.ReqSpinData();
        return;
    }

    m_bySpinInProgress = 1;
    const int32_t chosen = m_pSinHo->m_nSpinPattern;
    const int32_t pattern = (chosen >= 0 && chosen < kMorvaneSpinPatterns) ? chosen : 0;
    switch (pattern) {
    case 1:
        SpinReels1();
        break;
    case 2:
        SpinReels2();
        break;
    case 3:
        SpinReels3();
        break;
    default:
        SpinReels0();
        break;
    }
    SpinStepValue = g_MorvaneSpinPatterns[pattern].nStepValue;
}

void CMorvaneMain::EndSpin()
{
    m_nWinCode = 0;
    m_nCaptionMark = 0;
    m_nWinState = 0;
    m_nWinStateStep = 0;
    m_nPresentLength = 0;
    ApplySpinData(false);

    CMorvaneLink& link = *m_pLink;
    if (Networked() && !link.SpinDoneSent())
        link.ReqSpinDone();
    if (Networked())
        std::fill(std::begin(m_aSmokeState), std::end(m_aSmokeState), 0);
    if (m_Rec.WinHave == 0) {
        WinBankState = 0;
        WinStateCount = 0;
        m_nBankStep = 0;
    }
    if (m_Rec.FireCount > 34) {
        m_Rec.FireStage = 0;
        m_Rec.FireCase = 0;
        m_Rec.FireCount = 0;
        m_Rec.FireValue = 0;
        std::fill(std::begin(m_aSmokeState), std::end(m_aSmokeState), 0);
    }
    if (m_Rec.FireValue == 1 && m_Rec.FireCount > 20 && m_Rec.FireCount <= 30)
        for (int32_t row : kFireSounds)
            StopSound(row);

    m_Hits.clear();
    m_byDrawFeverOverlay = 0;
    const platform::LocalTime now = platform::LocalTimeNow();
    m_aSpinEndTime[0] = now.nHour;
    m_aSpinEndTime[1] = now.nMinute;
    m_aSpinEndTime[2] = now.nSecond;

    if (!Networked()) {
        // A standalone game takes the script's next result and settles its win from the row wins.
        ScriptSpin();
        m_nWinAmount = m_Rec.Win[0] + m_Rec.Win[1] + m_Rec.Win[2];
        if (m_Rec.Win[1] > m_Rec.Win[0] && m_Rec.Win[1] > m_Rec.Win[2] && m_Rec.Win[1] >= 2000)
            m_Rec.WinMark = 2;
        SplitWin();
    }
}

void CMorvaneMain::FinishWinAmount()
{
    m_nPendingWin = m_nWinAmount;
    SplitDigits(m_nWinAmount, m_abyWinDigit, kDigits);
}

void CMorvaneMain::FinishGame()
{
    m_nArmedTicks = 0;
    ++m_nSpinCount;
    if (m_Rec.FeverSpin > 0)
        SetFeverSpin(m_Rec.FeverSpin - 1);
    if (m_nCredit >= m_nBet && AutoTicketFlag != 4)
        ClearSpinState();
    m_byAutoPlay = 0;
    m_byArmed = 0;
    if (!Networked())
        return;
    CMorvaneLink& link = *m_pLink;
    if (!link.SpinEndRequested())
        link.ReqSpinEnd();
    if (!link.GameFinRequested())
        link.ReqGameFin();
}

void CMorvaneMain::ClearSpinState()
{
    for (int32_t& win : m_Rec.Win)
        win = 0;
    for (int32_t& mark : m_Rec.Free)
        mark = 0;
    SetWinAmount(0);
    m_nPendingWin = 0;
    m_Rec.WinMark = 0;
    m_nWinState = 0;
    m_nWinStateStep = 0;
    m_nWinCode = 0;
    m_nCaptionMark = 0;
    m_nPresentLength = 0;
    m_byBandSoundFlag = 0;
    m_nFeverImage = 0;
    m_Hits.clear();
    m_byDrawFeverOverlay = 0;
    m_nEndCount = 0;
    m_nEndCount2 = 0;
    m_byWinSoundDone = 0;
    m_byPresentDone = 0;
    m_nFreeSoundSteps = 0;
    m_nStageCount = 0;
    m_nShowStep = 0;
    m_nGunFrame = 0;
    m_nIntroCount = 0;
    m_nMunFrame = 0;
    m_nNeonFrame = 0;
    m_nBannerRow = 0;
    m_nLightFrame = 0;
    m_nDanceFrame = 0;
    m_byDanceBack = 0;
    m_nFireFrame = 0;
    m_nFireworkScene = 0;
    std::fill(std::begin(m_anFirework), std::end(m_anFirework), 0);
    m_byDoubleShown = 0;
    m_byReshow = 0;
    m_nReshowSteps = 0;
    m_dwQuickEndStamp = 0;
    for (int32_t row : kWinSounds)
        StopSound(row);
    if (m_Rec.WinHave == 0)
        WinStateCount = 5;
    SpinStep = 0;
}

void CMorvaneMain::CheckTicketOut(bool check)
{
    if (check && !m_byArmed && TicketFlag == 0 && m_nScore >= kTicketUnit &&
        (m_nScore % kTicketUnit < m_nBet || m_nScore >= 20000))
        TicketFlag = 1;

    if (TicketFlag == 1) {
        const bool enough = m_nScore >= kTicketUnit;
        ++m_nTicketCounter;
        if (m_nTicketCounter >= 2 && m_nTicketCounter <= 119)
            DrawSprite(kTicketX, kTicketY, MorvaneImageSlot(MorvaneImageSet::CoinAndTicket, 1),
                       kTicketRect);
        if (m_nTicketCounter == 60 && enough)
            m_pLink->ReqTicketOut();
        if (!enough) {
            TicketFlag = 0;
            m_nPaidCounter = 0;
            m_nTicketDisplay = 0;
            m_nTicketCounter = 0;
        }
    }

    if (m_nTicketState == 1) {
        PlaySound(kTicketSound);
        m_nTicketCounter = 0;
        m_nRefusedCounter = 0;
        m_nTicketState = 0;
    } else if (m_nTicketState == 2) {
        DrawSprite(kTicketX, kTicketY, MorvaneImageSlot(MorvaneImageSet::Messages, 4), kTicketRect);
        if (++m_nRefusedCounter >= 100) {
            TicketFlag = 0;
            m_nTicketCounter = 0;
            m_nRefusedCounter = 0;
            m_nTicketState = 0;
        }
    }
}
