// The game scene's spin results: asking for the next outcome, applying the server's spin data
// and results, the event record's reel stops and prize effect, and item hits.
#include <algorithm>
#include <cstring>
#include <thread>

#include "CPelagorn.h"
#include "CXDrawBG.h"
#include "CXDrawBGInfo.h"
#include "CXDrawEFFECT.h"
#include "CXDrawITEM.h"
#include "CXDrawPRIZE.h"
#include "CXDrawREEL.h"
#include "CXLog.h"
#include "CXProb.h"
#include "CXSceneGAME.h"

void CXSceneGAME::StartScrollReel()
{
    if (m_iCommGift != 0 || m_byError.load() != 0 || m_iGift >= m_iGiftMaximum)
        return;
    // Nothing ever queues this task in this client; the wait only guards a queued one.
    if (m_pTask && m_pTask->FindTask("SCROLL_REEL")) {
        if (!g_bUseASTask.load()) {
            CX_LOG_ERROR("CXSceneGAME::StartScrollReel", "### SCROLL_REEL exist.");
            return;
        }
        while (m_pTask->FindTask("SCROLL_REEL")) {
            UnLock();
            std::this_thread::yield();
            Lock();
        }
    }
    RunScrollReel();
}

void CXSceneGAME::RunScrollReel()
{
    Lock();
    try {
        NextSpinResult();
    } catch (...) {
        CX_LOG_ERROR("CXSceneGAME::RunScrollReel", "exception in NextSpinResult.");
    }
    UnLock();
}

void CXSceneGAME::NextSpinResult()
{
    if (IsDemoMode()) {
        CXProb* pProb = m_pOwner ? m_pOwner->GetProb() : nullptr;
        if (!pProb)
            return;
        CXProbDataInfo event;
        // The demo takes the first losing-free record; one pass over the log at most.
        for (int i = 0; i < 100000; ++i) {
            if (!pProb->GetEventData(&event, true))
                return;
            if (event.m_byReach == 0) {
                event.m_byType = 9;
                ApplyEventData(event);
                return;
            }
        }
        return;
    }
    CPelagornProbClient* pLink = m_pOwner ? m_pOwner->GetProbClient() : nullptr;
    if (!pLink || pLink->m_bSpinDataHeld || pLink->m_bSpinDataPending)
        return;
    pLink->RequestSpinData();
}

void CXSceneGAME::ApplySpinData(const CPelagornSpinRecord& r)
{
    TakeMeters(r.iCredit, r.iGift, r.iSpin);
    m_iHighPrizeKind = r.iHighPrizeKind;
    m_iHighPrizeMode = r.iHighPrizeMode;
    m_iHighPrizeStored = r.iStored24;
    m_LastEvent = r.lastEvent;
    m_Result = r.state;
    ApplyEventData(r.event);
}

void CXSceneGAME::ApplySpinResult(const CPelagornResultRecord& r)
{
    m_Result = r.state;
    m_LastEvent = r.lastEvent;
    ApplyEventData(r.event);
}

void CXSceneGAME::ApplyEventData(const CXProbDataInfo& event)
{
    if (!m_bOnline || IsDemoMode()) {
        // Demo: the result state is built from the event itself.
        m_Result = CPelagornResultState();
        m_Result.byResultType = event.m_byType;
        if (event.m_byReach != 0) {
            m_Result.byReach = 1;
            m_Result.iReachReel = event.m_byReach - 1;
            // The near-win reel's stop is the byte at 17 + the mark: a reel stop for marks 1..4.
            if (event.m_byReach >= 1 && event.m_byReach <= 4)
                m_Result.iReachStop = event.m_byStop[event.m_byReach - 1];
            m_Result.iMiddleWin = event.m_wLineWin[1];
        }
        for (int i = 0; i < 4; ++i)
            m_Result.aiReelStop[i] = event.m_byStop[i];
        for (int i = 0; i < 3; ++i)
            m_Result.aiLineWin[i] = event.m_wLineWin[i];
        std::memcpy(m_Result.abyReelMark, event.m_byHit, sizeof m_Result.abyReelMark);
        m_Result.iTotalWin = event.m_wTotalWin;
        m_Result.iPrizeEffect = 0;
        if (m_Result.iTotalWin != 0) {
            if (m_byType4Effect && event.m_byType == 4)
                m_Result.iPrizeEffect = kType4EffectIndex;
            else
                m_Result.iPrizeEffect = FindItemEffect(event);
        }
    }
    SetReelStops(m_Result.aiReelStop);
    if (m_pReel)
        m_pReel->StartSpin(IsDemoMode() ? m_iDemoSpinCount : m_iSpin);
    if (IsDemoMode() && m_iDemoSpinCount > 0 && m_Result.byReach == 0)
        m_iDemoSpinCount -= 1;
    ApplyBackground(event);
}

void CXSceneGAME::SetReelStops(const int32_t aiStops[4])
{
    if (!m_pReel)
        return;
    // A negative stop becomes a huge position, which the reels refuse and log.
    uint32_t adwStops[CXDrawREEL::kReelCount];
    for (uint32_t i = 0; i < CXDrawREEL::kReelCount; ++i)
        adwStops[i] = static_cast<uint32_t>(aiStops[i]);
    m_pReel->SetReelPosition(adwStops);
}

void CXSceneGAME::ApplyBackground(const CXProbDataInfo& event)
{
    const uint8_t bySign0 = event.m_bySign & 1;
    m_bGroup0Shown = bySign0;
    m_bGroup1Shown = (event.m_bySign >> 1) & 1;
    if (!m_pBG) {
        m_bSignBit0 = bySign0;
        return;
    }
    m_pBG->SetObjectGroupVisible(0, bySign0 != 0);
    m_pBG->SetObjectGroupVisible(1, ((event.m_bySign >> 1) & 1) != 0);
    m_pBG->ChangeSign(event.m_byFOb);
    if (event.m_byRai != m_pBG->m_nRainIndex) {
        if (CX2DAnimation* pOld = m_pBG->m_Rain.GetAt(static_cast<uint32_t>(m_pBG->m_nRainIndex)))
            pOld->Stop();
        m_pBG->m_nRainIndex = event.m_byRai;
        if (CX2DAnimation* pRain = m_pBG->m_Rain.GetAt(event.m_byRai))
            pRain->Play();
    }
    m_pBG->ChangeThunder(event.m_byThu);
    // Moving objects start in the layer shown now.
    if (CXDrawBGInfo* pLayer = m_pBG->GetLayer(m_pBG->m_dwCurrentLayer)) {
        pLayer->StartMoveObject(event.m_byMO1, event.m_byMN1);
        pLayer->StartMoveObject(event.m_byMO2, event.m_byMN2);
    }
    m_pBG->ChangeBG(event.m_byBGN);
    // The first group switching on or off fades out every layer's current music.
    if (bySign0 != m_bSignBit0) {
        for (uint32_t i = 0; i < m_pBG->m_Layers.GetSize(); ++i) {
            CXDrawBGInfo* pLayer = m_pBG->GetLayer(i);
            CXDrawBGMusicInfo* pMusic =
                pLayer && pLayer->m_nCurrentMusic >= 0
                    ? pLayer->m_Music.GetAt(static_cast<uint32_t>(pLayer->m_nCurrentMusic))
                    : nullptr;
            if (!pMusic)
                continue;
            pMusic->m_bFading = 1;
            pMusic->m_dwFadeStamp = GetTimeMs();
            pMusic->m_nFadeSteps = 100;
        }
    }
    m_bSignBit0 = bySign0;
}

void CXSceneGAME::ApplyItemHit(const CPelagornItemRecord& r)
{
    if (r.byGiftReset) {
        m_iGift = 0;
        ShowGift();
    }
    m_iSpin = r.iSpin;
    m_iROil = r.iROil;
    m_iLOil = r.iLOil;
    ShowOil();
    switch (r.iKind) {
    case 1:
        ShowSpin();
        break;
    case 2:
        if (r.iValue != 0 && m_pPrize && m_pEffect) {
            if (CXDrawPrizeInfo* pInfo = m_pPrize->FindPrize(0, r.iValue)) {
                const int place = r.byItemIndex != 0 ? 0 : 2;
                m_pEffect->AddAnimation(pInfo->m_fPlace[place], pInfo->m_fPlace[place + 1],
                                        &pInfo->m_Animation, 0);
                pInfo->m_Particle.MoveTo(pInfo->m_fPlace[place], pInfo->m_fPlace[place + 1]);
                pInfo->m_Particle.Fire();
            }
        }
        break;
    case 3:
        if (r.iGiftAmount != 0 && !IsDemoMode())
            AddGift(r.iGiftAmount);
        break;
    default:
        break;
    }
}

void CXSceneGAME::ReportItemHit(uint16_t wItemType, int32_t iItemValue, float fCoinX, float fSlotX,
                                float fLineY)
{
    const bool bDemo = IsDemoMode();
    if (!bDemo) {
        CPelagornItemHit hit;
        hit.wItemType = wItemType;
        hit.byRightHalf = fCoinX > 384.0f ? 1 : 0;
        hit.fX = fSlotX;
        hit.fY = fLineY;
        if (CPelagornProbClient* pLink = m_pOwner ? m_pOwner->GetProbClient() : nullptr)
            pLink->RequestItemHit(hit);
    }
    int32_t* aiAccounts = m_SaveData.m_aiAccounts;
    switch (wItemType) {
    case 1:
        if (bDemo)
            m_iDemoSpinCount += 1;
        else
            aiAccounts[ACCOUNT_SPIN_ITEM_COUNT] += 1;
        break;
    case 2:
        if (!bDemo)
            aiAccounts[ACCOUNT_OIL_ITEM_COUNT] += 1;
        break;
    case 3:
        if (!bDemo) {
            aiAccounts[ACCOUNT_DIRECT_BONUS] += iItemValue;
            aiAccounts[ACCOUNT_DIRECT_ITEM_COUNT] += 1;
        }
        if (m_pPrize && m_pEffect) {
            if (CXDrawPrizeInfo* pInfo = m_pPrize->FindPrize(1, iItemValue)) {
                // Centred over the item's slot, at the item line.
                const float fCentre = fSlotX + (m_pItem ? m_pItem->m_fWidth : 0.0f) / 2.0f;
                m_pEffect->AddAnimation(fCentre - pInfo->m_Animation.GetWidth() / 2.0f, fLineY,
                                        &pInfo->m_Animation, 0);
                pInfo->m_Particle.MoveTo(fCentre, fLineY);
                pInfo->m_Particle.Fire();
            }
        }
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        if (!bDemo)
            aiAccounts[ACCOUNT_NOBONUS_ITEM_COUNT] += 1;
        break;
    default:
        break;
    }
    if (!bDemo)
        SaveAccountsData();
}

uint32_t CXSceneGAME::GetResultTotalWin() const
{
    return static_cast<uint32_t>(std::max(m_Result.iTotalWin, 0));
}

int32_t CXSceneGAME::GetResultLineWin(uint32_t line) const
{
    return line < 3 ? m_Result.aiLineWin[line] : 0;
}

void CXSceneGAME::ShowReelPrize()
{
    const uint32_t dwTotalWin = GetResultTotalWin();
    const bool bEffect = m_pReel && m_pReel->ShowPrizeEffect(dwTotalWin, m_Result.iPrizeEffect);
    m_iLastTotalWin = static_cast<int32_t>(dwTotalWin);
    m_iReelPrize = static_cast<int32_t>(dwTotalWin);
    if (m_pReel) {
        for (uint32_t line = 0; line < 3; ++line) {
            for (uint32_t reel = 0; reel < 4; ++reel) {
                if (m_Result.abyReelMark[line][reel] != 0)
                    m_pReel->MarkPrizeSymbol(reel, line, !bEffect);
            }
        }
    }
    if (m_Result.byReelPrizeMode == 1)
        m_iReelPrizeCount += 1;
}

void CXSceneGAME::FinishReelPrize(int32_t effect)
{
    // The scene keeps one prize source: the total win ShowReelPrize stored.
    if (m_iReelPrize != 0 && !IsDemoMode())
        AddGift(m_iReelPrize);
    m_iReelPrize = 0;
    if (effect == 0 || effect == m_Result.iPrizeEffect)
        m_Result.iPrizeEffect = 0;
}

bool CXSceneGAME::IsReelsStoppedSent() const
{
    const CPelagornProbClient* pLink = Link();
    return pLink && pLink->m_bReelsStoppedSent;
}

bool CXSceneGAME::IsResultPending() const
{
    const CPelagornProbClient* pLink = Link();
    return pLink && pLink->m_bResultPending;
}

bool CXSceneGAME::IsSpinEndConfirmed() const
{
    const CPelagornProbClient* pLink = Link();
    return pLink && pLink->m_bSpinEndConfirmed;
}

bool CXSceneGAME::IsSpinDataHeld() const
{
    const CPelagornProbClient* pLink = Link();
    return pLink && pLink->m_bSpinDataHeld;
}

bool CXSceneGAME::IsGameFinPending() const
{
    const CPelagornProbClient* pLink = Link();
    return pLink && pLink->m_bGameFinPending;
}

bool CXSceneGAME::SendReelsStopped()
{
    CPelagornProbClient* pLink = Link();
    return pLink && pLink->RequestReelsStopped();
}

bool CXSceneGAME::SendResultRequest()
{
    CPelagornProbClient* pLink = Link();
    return pLink && pLink->RequestResult();
}

bool CXSceneGAME::SendGameFin()
{
    CPelagornProbClient* pLink = Link();
    return pLink && pLink->RequestGameFin();
}

void CXSceneGAME::CheckItemHit(float x, float y)
{
    // A coin still above the belt's line hits nothing yet.
    if (m_pItem && m_pItem->m_fY > y)
        return;
    if (m_pItem) {
        const float fWidth = m_pItem->m_fWidth;
        float fLeft = -m_pItem->m_fOffset;
        for (auto* e = m_pItem->m_Belt.m_pHead; e && fLeft <= CXDrawITEM::kFieldWidth;
             e = e->m_pNext) {
            CXDrawItemBeltInfo* pCell = e->m_pData;
            if (!pCell || !pCell->m_pKind || !pCell->m_pPicture)
                continue;
            if (fLeft <= x && x <= fLeft + fWidth) {
                HitItem(*pCell, x, fLeft, m_pItem->m_fY);
                break;
            }
            fLeft += fWidth;
        }
    }
    CoinLeavesPlay();
}

void CXSceneGAME::HitItem(CXDrawItemBeltInfo& cell, float fCoinX, float fSlotX, float fLineY)
{
    CXDrawItemInfo& kind = *cell.m_pKind;
    const int nPan = (static_cast<int>(fCoinX) - 384) * 100 / 384;
    kind.m_Effect.GetSound().SetPan(nPan);
    kind.m_Effect2.GetSound().SetPan(nPan);
    kind.m_Particle.GetSound().SetPan(nPan);

    cell.m_bHit = 1;
    cell.m_pPicture->m_Hit.SetFrame(0);
    cell.m_pPicture->m_Hit.Play();
    const float fWidth = m_pItem->m_fWidth;
    if (m_pEffect) {
        CX2DAnimation* effects[] = {&kind.m_Effect, &kind.m_Effect2};
        for (CX2DAnimation* pEffect : effects) {
            const float fX = fSlotX + (fWidth - pEffect->GetWidth()) / 2.0f;
            const float fY = fLineY - pEffect->GetHeight();
            m_pEffect->AddAnimation(fX, fY, pEffect, 0);
            if (pEffect == &kind.m_Effect)
                m_pEffect->GetParticleManager().SpawnPS(&kind.m_Particle, fSlotX + fWidth / 2.0f,
                                                        fLineY + m_pItem->m_fHeight / 2.0f);
        }
    }
    ReportItemHit(static_cast<uint16_t>(cell.m_nKind), cell.m_nNumber, fCoinX, fSlotX, fLineY);
}
