#include "CXDrawFRAME.h"

#include <algorithm>
#include <cstdio>

#include "CXDrawConfig.h"
#include "CXDrawScene.h"
#include "CXGfxDevice.h"
#include "CXLog.h"
#include "CXSaturate.h"

namespace {

constexpr const char* kFolder = "/image/interface/frame";
constexpr const char* kFile = "/image/interface/frame/frame.cfg";
// One folder separator: a "//" would make the resource lookup keep only what follows it.
constexpr const char* kTitleFile = "/image/interface/frame/title.anf";
constexpr float kDefaultGaugeSpeed = 100.0f;
constexpr int32_t kDefaultGiftMaximum = 20000;
constexpr uint32_t kTitlePiece = 3;

// Moves a gauge's shown value one step toward its target; an overshoot is corrected next time.
template <class T>
void MoveGauge(T& shown, T target, float step)
{
    const uint32_t now = CXToUInt32(shown), goal = CXToUInt32(target);
    if (now > goal)
        shown -= step;
    else if (now < goal)
        shown += step;
}

}  // namespace

CX2DAnimation* CXDrawFrameInfo::Current() const
{
    if (m_nState < 0)
        return nullptr;
    return m_Animations.GetAt(static_cast<uint32_t>(m_nState));
}

void CXDrawFRAME::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    m_fSpeed = kDefaultGaugeSpeed;
    config.FloatIf("SPEED", m_fSpeed);
    config.Fields("OIL_GAUGE");
    m_nLeftOilPiece = static_cast<int32_t>(config.FieldInteger(1));
    m_nRightOilPiece = static_cast<int32_t>(config.FieldInteger(2));
    config.Fields("SIGN_FRAME");
    m_nSignPieces[0] = static_cast<int32_t>(config.FieldInteger(1));
    m_nSignPieces[1] = static_cast<int32_t>(config.FieldInteger(2));
    config.Fields("CREDIT_GAUGE");
    m_nCreditPiece = static_cast<int32_t>(config.FieldInteger(1));
    const float creditMax = config.FieldFloat(2);
    if (creditMax != 0.0f)
        m_fCreditGaugeMax = creditMax;
    else
        CX_LOG_ERROR("CXDrawFRAME::Init",
                     "CREDIT_GAUGE has no maximum; the credit gauge keeps %.1f.",
                     m_fCreditGaugeMax);
    m_nGiftPiece = static_cast<int32_t>(config.Integer("GIFT_GAUGE"));
    config.Fields("ROAD_GAUGE");
    m_nRoadPieceBelow = static_cast<int32_t>(config.FieldInteger(1));
    m_nRoadPieceAbove = static_cast<int32_t>(config.FieldInteger(2));

    const int32_t pieces = config.Count("FRAME_COUNT");
    for (int i = 0; i < pieces; ++i)
        ReadPiece(config, i);
    const int32_t scores = config.Count("SCORE_COUNT");
    for (int i = 0; i < scores; ++i)
        ReadScore(config, i);
    m_Title.Load(kTitleFile);
}

void CXDrawFRAME::ReadPiece(CXDrawConfig& config, int index)
{
    char key[32];
    std::snprintf(key, sizeof key, "FRAME_%d", index);
    const int fields = config.Fields(key);
    if (fields < 3)
        return;
    auto* piece = new CXDrawFrameInfo;
    if (!piece)
        return;
    piece->m_fX = config.FieldFloat(1);
    piece->m_fY = config.FieldFloat(2);
    uint32_t state = 0;
    for (int field = 3; field <= fields; ++field) {
        const std::string name = config.FieldText(field);
        if (name.empty())
            continue;
        auto* animation = new CX2DAnimation;
        if (!animation)
            continue;
        animation->Load(CXJoinPath(kFolder, name.c_str()).c_str());
        animation->Play(true);
        piece->m_Animations.SetAt(state++, animation);
    }
    m_Pieces.SetAt(static_cast<uint32_t>(index), piece);
}

void CXDrawFRAME::ReadScore(CXDrawConfig& config, int index)
{
    char key[32];
    std::snprintf(key, sizeof key, "SCORE_%d", index);
    if (config.Fields(key) < 6)
        return;
    auto* number = new CXDrawNUMBER;
    if (!number)
        return;
    number->m_pOwner = m_pOwner;
    number->m_pScene = m_pScene;
    number->m_fX = config.FieldFloat(1);
    number->m_fY = config.FieldFloat(2);
    number->m_nMode = number->m_nSavedMode = static_cast<int32_t>(config.FieldInteger(3));
    number->m_fSpeed = config.FieldFloat(4);
    number->m_Digits.Load(CXJoinPath(kFolder, config.FieldText(5).c_str()).c_str());
    const std::string format = config.FieldText(6);
    if (!number->SetFormat(format.c_str()))
        CX_LOG_ERROR("CXDrawFRAME::Init",
                     "%s: the format needs one integer conversion; \"%%d\" is used.", key);
    m_Scores.SetAt(static_cast<uint32_t>(index), number);
}

void CXDrawFRAME::SetScore(uint32_t index, uint32_t value, bool jump, uint8_t immediate)
{
    CXDrawNUMBER* number = index < m_Scores.GetSize() ? m_Scores.GetAt(index) : nullptr;
    if (!number)
        return;
    if (m_pScene && m_pScene->IsDemoUnderTitle())
        value = 0;
    if (index == kCreditScore && number->Reached() && number->m_dwTarget > value)
        number->m_nMode = 0;
    else
        number->m_nMode = immediate ? 0 : 1;
    number->SetNumber(value, jump);
    if (index == kCreditScore) {
        m_fCreditGaugeShown = m_fCreditGaugeTarget;
        m_fCreditGaugeTarget = static_cast<float>(value) * 100.0f / m_fCreditGaugeMax;
    } else if (index == kGiftScore) {
        const int32_t giftMax = m_pScene ? m_pScene->GetGiftMaximum() : kDefaultGiftMaximum;
        if (giftMax > 0) {
            m_fGiftGaugeShown = m_fGiftGaugeTarget;
            m_fGiftGaugeTarget = static_cast<float>(value) * 100.0f / static_cast<float>(giftMax);
        }
    }
    if (m_pScene)
        m_pScene->SaveGameData();
}

void CXDrawFRAME::SetPieceState(int32_t piece, int64_t state)
{
    if (piece < 0)
        return;
    if (CXDrawFrameInfo* info = m_Pieces.GetAt(static_cast<uint32_t>(piece)))
        info->m_nState = CXSaturateInt32(state);
}

void CXDrawFRAME::Update(float dt)
{
    for (uint32_t i = 0; i < m_Pieces.GetSize(); ++i)
        if (CXDrawFrameInfo* piece = m_Pieces.GetAt(i))
            if (CX2DAnimation* animation = piece->Current())
                animation->Update(dt);

    const float oilStep = m_fSpeed * dt * 0.5f + 0.5f * dt * dt;
    MoveGauge(m_dLeftOilShown, m_dLeftOilTarget, oilStep);
    MoveGauge(m_dRightOilShown, m_dRightOilTarget, oilStep);
    const float gaugeStep = m_fSpeed * dt * 0.3f + 0.5f * dt * dt;
    MoveGauge(m_fCreditGaugeShown, m_fCreditGaugeTarget, gaugeStep);
    MoveGauge(m_fGiftGaugeShown, m_fGiftGaugeTarget, gaugeStep);

    for (uint32_t i = 0; i < m_Scores.GetSize(); ++i)
        if (CXDrawNUMBER* number = m_Scores.GetAt(i))
            number->UpdateCount(dt, static_cast<int32_t>(i));

    const int64_t road = m_pScene ? m_pScene->GetRoadValue() : 0;
    if (road >= 1) {
        SetPieceState(m_nRoadPieceBelow, 0);
        SetPieceState(m_nRoadPieceAbove, road);
    } else {
        SetPieceState(m_nRoadPieceBelow, -road);
        SetPieceState(m_nRoadPieceAbove, 0);
    }

    if (m_pScene)
        m_pScene->UpdateOverlays(dt);
    m_Title.Update(dt);
}

void CXDrawFRAME::Draw()
{
    for (uint32_t i = 0; i < m_Pieces.GetSize(); ++i)
        if (CXDrawFrameInfo* piece = m_Pieces.GetAt(i))
            if (CX2DAnimation* animation = piece->Current())
                animation->Render(piece->m_fX, piece->m_fY);
    if (m_bTitlePlaying && (!m_pScene || m_pScene->GetHighEffectMode() == 0))
        m_Title.RenderAtPosition();
    DrawGauge(m_dLeftOilShown, m_nLeftOilPiece);
    DrawGauge(m_dRightOilShown, m_nRightOilPiece);
    if (m_pScene)
        m_pScene->DrawOverlays();
    for (uint32_t i = 0; i < m_Scores.GetSize(); ++i)
        if (CXDrawNUMBER* number = m_Scores.GetAt(i))
            number->Draw();
}

void CXDrawFRAME::DrawGauge(double percent, int32_t piece)
{
    if (piece < 0 || !g_pGfxDevice)
        return;
    CXDrawFrameInfo* info = m_Pieces.GetAt(static_cast<uint32_t>(piece));
    if (!info || info->m_Animations.GetSize() < 2)
        return;
    CX2DAnimation* gauge = info->m_Animations.GetAt(1);
    if (!gauge || !gauge->GetTexture())
        return;
    const int64_t height = g_pGfxDevice->Texture_GetHeight(gauge->GetTexture(), true);
    const int64_t width = g_pGfxDevice->Texture_GetWidth(gauge->GetTexture(), true);
    // Percent clamped before the integer product, so a huge value cannot overflow it.
    const int64_t value = CXToUInt32(std::min(percent, 1000.0));
    const int64_t rows = std::min(value * height / 100, height);
    if (rows <= 0)
        return;
    gauge->SetTextureRect(0.0f, static_cast<float>(height - rows), static_cast<float>(width),
                          static_cast<float>(rows));
    gauge->Render(info->m_fX, info->m_fY + static_cast<float>(height - rows));
}

void CXDrawFRAME::ClearSignPieces()
{
    for (int32_t piece : m_nSignPieces)
        SetPieceState(piece, 0);
}

void CXDrawFRAME::SyncTitleAnimation()
{
    CXDrawFrameInfo* titlePiece =
        m_Pieces.GetSize() > kTitlePiece ? m_Pieces.GetAt(kTitlePiece) : nullptr;
    if (m_pScene && m_pScene->IsSecondGroupShown()) {
        if (titlePiece)
            titlePiece->m_nState = 4;
        m_Title.SetFPS(m_pScene->IsHighPrizeMode() ? 15.0f : 5.0f);
        if (!m_Title.IsPlaying())
            m_Title.Play(true);
        m_bTitlePlaying = 1;
    } else {
        if (titlePiece)
            titlePiece->m_nState = 0;
        m_bTitlePlaying = 0;
        m_Title.Stop();
    }
}
