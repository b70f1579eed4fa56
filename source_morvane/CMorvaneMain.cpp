#include "CMorvaneMain.h"

#include <algorithm>

#include "CButtonSinHo.h"
#include "CMorvaneOwner.h"
#include "CX2DSprite.h"

CMorvaneMain::CMorvaneMain(CMorvaneOwner* owner, int32_t bet, CMorvaneIO* io)
    : m_pOwner(owner), m_pIO(io ? io : &m_EngineIO), m_nBet(bet),
      m_apSprite(static_cast<size_t>(MorvaneImageSlotCount()), nullptr),
      m_aSpriteSize(static_cast<size_t>(MorvaneImageSlotCount()), MorvaneRect{0, 0, 0, 0})
{
    SetCredit(m_nCredit, true);
    SetScore(m_nScore, true);
    m_pLink = std::make_unique<CMorvaneLink>(this);
    m_pSinHo = std::make_unique<CButtonSinHo>(this);
}

CMorvaneMain::~CMorvaneMain()
{
    ReleaseResources();
}

void CMorvaneMain::SplitDigits(int32_t value, uint8_t* digits, int count)
{
    // Negative values show 0.
    uint32_t rest = value > 0 ? static_cast<uint32_t>(value) : 0;
    for (int i = 0; i < count; ++i) {
        digits[i] = static_cast<uint8_t>(rest % 10);
        rest /= 10;
    }
}

void CMorvaneMain::SetCredit(int32_t value, bool force)
{
    if (value == m_nDispCredit && !force)
        return;
    m_nDispCredit = value;
    SplitDigits(value, m_abyCreditDigit, kDigits);
}

void CMorvaneMain::SetScore(int32_t value, bool force)
{
    if (value == m_nDispScore && !force)
        return;
    m_nDispScore = value;
    SplitDigits(value, m_abyScoreDigit, kDigits);
}

void CMorvaneMain::SetWinAmount(int32_t value)
{
    m_nWinAmount = value;
    SplitDigits(value, m_abyWinDigit, kDigits);
}

void CMorvaneMain::SetFeverSpin(int32_t value)
{
    m_Rec.FeverSpin = value;
    SplitDigits(value, m_abyFeverDigit, 3);
}

void CMorvaneMain::DrawSprite(float x, float y, int32_t slot, const MorvaneRect& source)
{
    if (!m_byDrawFlag || slot < 0 || slot >= static_cast<int32_t>(m_apSprite.size()))
        return;
    CX2DSprite* sprite = m_apSprite[static_cast<size_t>(slot)];
    MorvaneRect clipped = source;
    // Without a picture the seam decides (the engine's draws nothing; tests record the call).
    const MorvaneRect& size = m_aSpriteSize[static_cast<size_t>(slot)];
    if (sprite && !MorvaneClipSource(clipped, size.right, size.bottom))
        return;
    m_pIO->DrawImage(slot, sprite, x, y, clipped);
}

void CMorvaneMain::PlaySound(int32_t row, bool loop)
{
    if (row >= 0 && row < kMorvaneSoundRows)
        m_pIO->PlaySound(row, m_apSound[row], loop);
}

void CMorvaneMain::StopSound(int32_t row)
{
    if (row >= 0 && row < kMorvaneSoundRows)
        m_pIO->StopSound(row, m_apSound[row]);
}

void CMorvaneMain::Tick(int32_t topState)
{
    if (topState == 5) {
        // The opening picture's slot is never loaded: the target stays cleared for the first
        // second.
        if (m_pIO->Now() - m_dwStartStamp >= 1000)
            m_nTopState = 10;
        return;
    }
    if (topState == 10) {
        m_dwStartStamp = 0;
        Process();
    }
}
