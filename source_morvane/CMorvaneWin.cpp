// The reel-window evaluation as the presentation runs it, the win count-up and the caption line.
#include <algorithm>
#include <cstring>

#include "CMorvaneMain.h"
#include "CXSaturate.h"
#include "MorvaneCaptions.h"

void CMorvaneMain::EvaluateReelWindow()
{
    MorvaneEvalInput in;
    in.window = MorvaneWindowOf(m_Rec.nReelSet, m_Rec.Array);
    std::copy(std::begin(m_Rec.Win), std::end(m_Rec.Win), in.aWin);
    in.nWinAmount = m_nWinAmount;
    in.nCaptionCue = m_Rec.CaptionCue;
    in.nStepsFromBase = SpinStep - m_nEvalBaseStep;
    in.nAnimTick = m_nAnimTick;
    in.nWinCode = m_nWinCode;
    in.nCaptionMark = m_nCaptionMark;
    in.byBandSoundFlag = m_byBandSoundFlag;
    in.nFeverImage = m_nFeverImage;

    MorvaneEvalResult& out = m_EvalResult;
    EvaluateMorvaneWindow(in, out);
    m_nPresentLength = out.nLength;
    m_nWinCode = out.nWinCode;
    m_nCaptionMark = out.nCaptionMark;
    m_byBandSoundFlag = out.byBandSoundFlag;
    m_nFeverImage = out.nFeverImage;
    m_Hits = out.hits;
    m_byDrawFeverOverlay = out.bDrawFever ? 1 : 0;
    for (int32_t row : out.sounds)
        PlaySound(row);
    DrawHighlights();
    if (out.bDrawFever)
        DrawSprite(0, 0, MorvaneImageSlot(MorvaneImageSet::FeverNumbers, m_nFeverImage),
                   {0, 0, 800, 600});
}

bool CMorvaneMain::CountUpWin()
{
    if (m_nWinState <= 0 || m_nPendingWin <= 0)
        return false;
    const int32_t band = m_nPendingWin < 1000 ? 10 : m_nPendingWin < 100000 ? 110 : 1110;
    // A win from a server may be any size: past what the bands count in kMaxCountUpSteps steps
    // (two minutes of steps), the step grows so that the count-up still ends by then, instead of
    // holding the machine for hours.
    const int32_t share =
        static_cast<int32_t>((int64_t{m_nWinAmount} + kMaxCountUpSteps - 1) / kMaxCountUpSteps);
    // The last step takes only what is left, so the count never passes the win.
    const int32_t step = std::min(std::max(band, share), m_nPendingWin);
    m_nPendingWin -= step;
    m_Rec.CountedWin = CXAddSat32(m_Rec.CountedWin, step);
    return m_nPendingWin > 0;
}

namespace {

void CopyCaption(char (&buffer)[256], const char* text)
{
    if (!text)
        return;
    std::strncpy(buffer, text, sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
}

constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kRed = 0xFFFF0000;

}  // namespace

void CMorvaneMain::DrawWinCaption()
{
    const bool winBranch = m_nWinAmount >= 2000 && ReelSettle[3] > m_nSettleWait;
    if (winBranch) {
        CopyCaption(m_szWinCaption, MorvaneWinCaption(m_Rec.Array, m_nWinCode, m_nCaptionMark));
    } else if (m_Rec.MoSumState > 0) {
        m_nWinCode = 0;
        CopyCaption(m_szWinCaption, MorvaneChanceCaption(m_Rec.Free));
    } else if (m_nFeverChance > 0 && m_nWinAmount < 2000 && m_Rec.ImsiFeverSpin == 10 &&
               MorvaneFeverChanceCaption(m_nFeverChance)) {
        CopyCaption(m_szWinCaption, MorvaneFeverChanceCaption(m_nFeverChance));
    } else {
        FormatMorvaneTicker(m_szTicker, m_Rec.jackValue);
    }

    if (winBranch) {
        ++m_nCaptionBlink;
        if (m_byDrawFlag)
            m_pIO->DrawText(m_szWinCaption, 220, 18, 1600,
                            m_nCaptionBlink % 50 < 20 ? kYellow : kRed);
    } else {
        if (++m_nTickerBlink > 100000)
            m_nTickerBlink = 0;
        const uint32_t colour = m_nTickerBlink % 40 < 20 ? kYellow : kRed;
        if (m_byDrawFlag) {
            m_pIO->DrawText(m_szTicker, 592 - m_nTickerOffset[0], 18, 1600, colour);
            m_pIO->DrawText(m_szTicker, 592 - m_nTickerOffset[1], 18, 1600, colour);
        }
        int32_t& first = m_nTickerOffset[0];
        int32_t& second = m_nTickerOffset[1];
        const bool firstMoves = first <= 1700 || second >= 1200;
        const bool secondMoves = first > 1199 || (second >= 1 && second <= 1699);
        if (firstMoves)
            ++first;
        if (secondMoves)
            ++second;
        if (second == 1200)
            first = 0;
        if (second > 1700)
            second = 0;
    }

    if (m_nCaptionBlink == 900 && winBranch &&
        (m_Rec.Free[0] > 0 || m_Rec.Free[1] > 0 || m_Rec.Free[2] > 0 || m_nFeverChance > 0))
        m_nCaptionBlink = 0;
}
