// The double-up card game: offered on small wins, announced with id 29, one card per stage
// decided by the server (id 30), closed with id 31. The deck's buttons set the two choice flags.
#include <algorithm>

#include "CMorvaneMain.h"

namespace {

using S = MorvaneImageSet;

// Set A pictures.
constexpr int32_t kSubBack = 0, kSubCard = 1, kSubCloseCard = 2, kCloseCardB = 3, kSubLose = 4,
                  kSubWin = 5, kStageA = 6, kPic01A = 11, kPic02A = 12, kLoseA = 14,
                  kCongratulation = 15;
// Set C pictures.
constexpr int32_t kSubBackC = 0, kStageC = 1, kPic01C = 6, kPic02C = 7, kLoseC = 9;

constexpr int32_t kReelStopSound = 1;
constexpr int32_t kReelRunSound = 28;
constexpr int32_t kCountSound = 2;
constexpr int32_t kWinCardSound = 10;
constexpr int32_t kLoseCardSound = 11;
constexpr int32_t kStages = 5;

constexpr MorvaneRect kWhole = {0, 0, 800, 600};

}  // namespace

void CMorvaneMain::StartPerformance()
{
    if (!m_byDoubleDue)
        return;
    StopSound(kReelStopSound);
    StopSound(kReelRunSound);
    // Variants 0..2; a value the server should not send plays the first rather than never ending.
    switch (m_Rec.nRand) {
    case 1:
        RunPerformance1();
        break;
    case 2:
        RunPerformance2();
        break;
    default:
        RunPerformance0();
        break;
    }
    ++m_nDoubleSteps;
    std::fill(m_aSmokeState, m_aSmokeState + 4, 0);
    m_byReshow = 1;
    StopSound(kCountSound);
}

void CMorvaneMain::RunPerformance0()
{
    RunPerformance(0);
}
void CMorvaneMain::RunPerformance1()
{
    RunPerformance(1);
}
void CMorvaneMain::RunPerformance2()
{
    RunPerformance(2);
}

bool CMorvaneMain::ReqPerformanceValue()
{
    if (m_nValueState == 2)
        return true;
    if (m_nValueState == 0) {
        int32_t choice = -1;
        if (DeckKeyRequest) {
            choice = 1;
            m_abyChoiceMade[0] = 1;
            DeckKeyRequest = 0;
        } else if (DeckQuickEnd) {
            choice = 0;
            m_abyChoiceMade[1] = 1;
            DeckQuickEnd = 0;
        }
        if (choice >= 0) {
            m_nValueState = 1;
            if (Networked() && !m_pLink->ValueRequested())
                m_pLink->ReqPerformanceValue(m_nDoubleStage, choice);
        }
    }
    return false;
}

void CMorvaneMain::AnsPerformanceValue(uint32_t index, int32_t value, int32_t flag, int32_t amount)
{
    if (index < uint32_t(kStages))
        m_anValueTable[index] = std::clamp(value, 0, 55);
    m_nValueFlag = flag;
    m_nDoubleWin = amount;
    m_nWinAmount = amount;
    SetWinAmount(amount);
    m_nValueState = 2;
}

void CMorvaneMain::AnsPerformanceRefused()
{
    m_nValueFlag = 0;
    m_nValueState = 2;
}

void CMorvaneMain::EndPerformance()
{
    const bool wasDue = m_byDoubleDue != 0;
    m_nDoubleStage = 0;
    m_byDoubleDue = 0;
    m_byDoubleUpOffer = 0;
    m_nDoubleSteps = 0;
    m_nStageSteps = 0;
    m_nValueState = 0;
    m_abyChoiceMade[0] = m_abyChoiceMade[1] = 0;
    DeckKeyRequest = 0;
    DeckQuickEnd = 0;
    // The win the last card left is the one shown and counted from here on.
    SplitWin();
    if (Networked() && wasDue)
        m_pLink->ReqPerformanceEnd();
}

// One step of a double-up performance (variant 0..2): the closed card until the server's card
// value comes, then the stage won or lost.
void CMorvaneMain::RunPerformance(int32_t variant)
{
    const bool c = variant == 2;
    const int32_t n = m_nDoubleSteps + 1;
    if (n < 20) {
        DeckKeyRequest = 0;
        DeckQuickEnd = 0;
        m_nValueState = 0;
    }

    // The closed card and the title picture, each switching between two frames every 20 steps.
    const bool second = (n / 20) % 2 == 1;
    DrawSprite(301, 218, S::DoubleSetA, second ? kSubCloseCard : kCloseCardB, kWhole);
    DrawSprite(489, 162, c ? S::DoubleSetC : S::DoubleSetA,
               c ? (second ? kPic02C : kPic01C) : (second ? kPic02A : kPic01A), kWhole);

    if (!ReqPerformanceValue())
        return;

    const int32_t s = ++m_nStageSteps;
    const bool won = m_nValueFlag != 0;
    DrawPerformanceStage(variant, s, won);
    if (won)
        WinPerformanceStage(variant, s);
    else
        LosePerformanceStage(variant, s);
}

// Step s of a stage whose card is known: the cards so far, the stage's picture, the win digits;
// the card's sound on step 10.
void CMorvaneMain::DrawPerformanceStage(int32_t variant, int32_t s, bool won)
{
    const bool c = variant == 2;
    const S stageSet = variant == 0 ? S::DoubleSetA : variant == 1 ? S::DoubleSetB : S::DoubleSetC;
    const int32_t stageFirst = variant == 2 ? kStageC : variant == 1 ? 0 : kStageA;
    // The cards of the stages so far: earlier ones in a row below, the current one on the deck.
    for (int32_t i = 0; i <= m_nDoubleStage && i < kStages; ++i) {
        const float cell = 65.0f * m_anValueTable[i];
        const float x = i == m_nDoubleStage ? 301.0f : 40.0f + 70.0f * i;
        const float y = i == m_nDoubleStage ? 218.0f : 360.0f;
        DrawSprite(x, y, S::DoubleSetA, kSubCard, {cell, 0, cell + 65, 98});
    }
    DrawSprite(489, 162, c ? S::DoubleSetC : S::DoubleSetA, c ? kSubBackC : kSubBack, kWhole);
    DrawSprite(489, 162, stageSet, stageFirst + std::min(m_nDoubleStage, kStages - 1), kWhole);
    if (s == 10)
        PlaySound(won ? kWinCardSound : kLoseCardSound);
    for (int i = 0; i < 7; ++i)
        DrawSprite(127.0f + 16.0f * i, 151, S::Panels, 1,
                   {16.0f * m_abyWinDigit[6 - i], 0, 16.0f * m_abyWinDigit[6 - i] + 16, 22});
}

// Step s of a won stage: the dance, then from step 150 on the next stage on the player's key, or
// the end after the last stage or on the quick-end key.
void CMorvaneMain::WinPerformanceStage(int32_t variant, int32_t s)
{
    const bool c = variant == 2;
    DrawSprite(250, 60, S::DoubleSetA, kSubWin, kWhole);
    DrawSprite(300, 330, c ? S::DoubleX2C : S::DoubleX2, (s / 4) % 17, kWhole);
    if (variant != 1 && s >= 100)
        DrawSprite(200, 20, S::DoubleSetA, kCongratulation, kWhole);
    DrawSprite(560, 360, S::DoubleDance, (s / 3) % 49, kWhole);
    if (s == 100) {
        DeckKeyRequest = 0;
        DeckQuickEnd = 0;
        m_dwDoubleStamp = m_pIO->Now();
    }
    if (s < 150)
        return;
    if (m_nDoubleStage >= kStages - 1) {
        EndPerformance();
    } else if (DeckKeyRequest) {
        ++m_nDoubleStage;
        m_dwDoubleStamp = m_pIO->Now();
        DeckKeyRequest = 0;
        DeckQuickEnd = 0;
        m_abyChoiceMade[0] = m_abyChoiceMade[1] = 0;
        m_nValueState = 0;
        m_nStageSteps = 0;
    } else if (DeckQuickEnd) {
        EndPerformance();
    }
}

// Step s of a lost stage: the win is gone on step 100, the performance ends on step 150.
void CMorvaneMain::LosePerformanceStage(int32_t variant, int32_t s)
{
    const bool c = variant == 2;
    DrawSprite(250, 60, S::DoubleSetA, kSubLose, kWhole);
    DrawSprite(489, 300, c ? S::DoubleSetC : S::DoubleSetA, c ? kLoseC : kLoseA, kWhole);
    if (s == 100) {
        m_nWinAmount = 0;
        SetWinAmount(0);
    }
    if (s >= 150)
        EndPerformance();
}
