// The game scene's structure: construction, Init, the tick, the frame, the overlay windows, the
// item-effect table and the demo mode.
#include "CXSceneGAME.h"

#include "CPelagorn.h"
#include "CX2DEngine.h"
#include "CX2DFileConfig.h"
#include "CXDrawBG.h"
#include "CXDrawCOIN.h"
#include "CXDrawFRAME.h"
#include "CXDrawITEM.h"
#include "CXDrawPIN.h"
#include "CXDrawPRIZE.h"
#include "CXDrawREEL.h"
#include "CXDrawWINTABLE.h"
#include "CXGamePaf.h"
#include "CXLog.h"
#include "CXSceneLOGO.h"
#include "CXStringParser.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

constexpr const char* kLogFile = "source_pelagorn\\CXSceneGAME";
constexpr float kWidth = 768.0f;
constexpr float kHeight = 1280.0f;

// Names in the data folder are written with or without a leading '/'; joined to the folder, the
// name loses it, so "//" never reaches the resource name rule.
const char* DataName(const char* pszName)
{
    while (pszName && *pszName == '/')
        ++pszName;
    return pszName;
}

// Places a window centred in the 768x1280 target: its hot spot minus half of the size beyond it.
void CentreWindow(CX2DAnimation& window, float* pPos)
{
    float hx = 0.0f;
    float hy = 0.0f;
    window.GetHotSpot(&hx, &hy);
    pPos[0] = hx - (window.GetWidth() - kWidth) / 2.0f;
    pPos[1] = hy - (window.GetHeight() - kHeight) / 2.0f;
}

struct ItemEffectRow {
    uint8_t bySymbol;
    uint8_t byLine;
    uint8_t byCount;
    uint16_t wWin;
    uint8_t byEffect;
    uint8_t byEffectType3;
};

constexpr ItemEffectRow kItemEffects[] = {
    {6, 1, 4, 10000, 1, 11},  {7, 1, 4, 15000, 2, 12},  {8, 1, 4, 15000, 3, 13},
    {9, 1, 3, 10000, 4, 14},  {9, 0, 4, 10000, 4, 14},  {9, 2, 4, 10000, 4, 14},
    {9, 1, 4, 20000, 4, 14},  {10, 1, 3, 15000, 5, 15}, {10, 0, 4, 10000, 5, 15},
    {10, 2, 4, 10000, 5, 15}, {10, 1, 4, 20000, 5, 15}, {12, 0, 4, 10000, 6, 16},
    {12, 2, 4, 10000, 6, 16}, {12, 1, 4, 20000, 6, 16},
};

// "x,y,animation" of the demo frame file.
bool ReadPlacedWindow(CX2DFileConfig& config, const char* pszKey, float* pPos,
                      CX2DAnimation& window)
{
    CXStringParser parser(config.GetValue(pszKey).GetString());
    if (parser.Split(',') < 3)
        return false;
    pPos[0] = static_cast<float>(parser.GetValueByNumber(1).ToInteger());
    pPos[1] = static_cast<float>(parser.GetValueByNumber(2).ToInteger());
    CXString file = parser.GetValueByNumber(3);
    file.Trim();
    return window.Load(DataName(file.GetString()));
}

}  // namespace

CXSceneGAME::CXSceneGAME(CPelagorn* pOwner)
    : CXBoardSerialComm(&m_CabinetClock), m_pOwner(pOwner), m_SaveData("./DATA_PELAGORN/", "./")
{
    m_SaveData.m_bOnline = m_bOnline;
    m_pBG = new CXDrawBG(pOwner);
    m_pPins = new CXDrawPIN;
    m_pItem = new CXDrawITEM;
    m_pCoins = new CXDrawCOIN;
    m_pCoins->m_pPins = m_pPins;
    m_pDropper = new CXDrawDP;
    m_pReel = new CXDrawREEL;
    m_pWinTable = new CXDrawWINTABLE;
    m_pFrame = new CXDrawFRAME;
    m_pPrize = new CXDrawPRIZE;
    m_pEffect = new CXDrawEFFECT;
    m_pFade = new CXFade;
    // The draw list, from the bottom layer up.
    m_DrawList.Add(m_pBG);
    m_DrawList.Add(m_pPins);
    m_DrawList.Add(m_pItem);
    m_DrawList.Add(m_pCoins);
    m_DrawList.Add(m_pDropper);
    m_DrawList.Add(m_pReel);
    m_DrawList.Add(m_pWinTable);
    m_DrawList.Add(m_pFrame);
    m_DrawList.Add(m_pPrize);
    m_DrawList.Add(m_pEffect);
    m_DrawList.Add(m_pFade);
    m_pTask = new CXASTask("CXSceneGame-Task");
    m_FirstFade.m_fAlpha = 255.0f;
}

CXSceneGAME::~CXSceneGAME()
{
    StopThread();
    delete m_pTask;
    m_pTask = nullptr;
    m_ItemEffects.RemoveAll();
}

int CXSceneGAME::CabinetClock::SaveGameData()
{
    m_pScene->SaveGameData();
    return 1;
}

uint32_t CXSceneGAME::GetTimeMs() const
{
    return m_pOwner ? m_pOwner->GetTimeMs() : 0;
}

CPelagornProbClient* CXSceneGAME::Link() const
{
    return m_pOwner ? m_pOwner->GetProbClient() : nullptr;
}

bool CXSceneGAME::IsStandalone() const
{
    return !m_pOwner || m_pOwner->IsDemo();
}

void CXSceneGAME::SetObjectGroupShown(int32_t group, bool shown)
{
    if (group == 0)
        m_bGroup0Shown = shown ? 1 : 0;
    else
        m_bGroup1Shown = shown ? 1 : 0;
}

uint32_t CXSceneGAME::Elapsed(uint32_t& dwStamp) const
{
    const uint32_t dwNow = GetTimeMs();
    if (static_cast<int32_t>(dwNow - dwStamp) < 0)
        dwStamp = dwNow;
    return dwNow - dwStamp;
}

bool CXSceneGAME::IsKeyDown(int nVirtualKey) const
{
    return m_bKeyboardMode && EngineGetKeyState(nVirtualKey) != 0;
}

bool CXSceneGAME::IsDemoUnderTitle() const
{
    return m_iMode == MODE_DEMO && m_pOwner && m_pOwner->GetPreviousScene() == this;
}

bool CXSceneGAME::LoadItemEffect()
{
    m_ItemEffects.RemoveAll();
    for (const ItemEffectRow& row : kItemEffects) {
        CXItemEffectObject* pObject = new CXItemEffectObject;
        if (!pObject) {
            CXLog::ErrorLog().Write(kLogFile, "CXSceneGAME::LoadItemEffect", __LINE__,
                                    "CXItemEffectObject create fail.");
            return false;
        }
        pObject->m_strKey.Format("%X.%X.%X.%X", row.bySymbol, row.byLine, row.byCount, row.wWin);
        pObject->m_byEffect = row.byEffect;
        pObject->m_byEffectType3 = row.byEffectType3;
        if (!m_ItemEffects.Insert(pObject, 1)) {
            CXLog::ErrorLog().Write(kLogFile, "CXSceneGAME::LoadItemEffect", __LINE__,
                                    "CXItemEffectObject add fail.");
            return false;
        }
    }
    return true;
}

int32_t CXSceneGAME::FindItemEffect(const CXProbDataInfo& event) const
{
    // Only the first line with a win is looked up.
    for (int i = 0; i < 3; ++i) {
        if (event.m_wLineWin[i] == 0)
            continue;
        CXString key;
        key.Format("%X.%X.%X.%X", event.m_bySymbol[i], i, event.m_byCount[i], event.m_wLineWin[i]);
        const CXItemEffectObject* pRow = m_ItemEffects.FindNode(key);
        if (!pRow)
            return 0;
        return event.m_byType == 3 ? pRow->m_byEffectType3 : pRow->m_byEffect;
    }
    return 0;
}

bool CXSceneGAME::LoadWindows()
{
    m_TestWindow.Load(DataName("/image/account/test.anf"));
    m_DemoWindow.Load(DataName("/image/demo/demo.anf"));
    m_DemoWindow.Play();
    m_Demo2Window.Load("image/demo/demo2.anf");
    m_FireOverWindow.Load("image/interface/wintable/fire_over.anf");
    m_iMode = MODE_PLAY;

    CX2DFileConfig config;
    if (!config.Load(DataName("/image/demo/mframe.cfg"))) {
        CXLog::ErrorLog().Write(kLogFile, "CXSceneGAME::Init", __LINE__,
                                "/image/demo/mframe.cfg load fail.");
        return false;
    }
    if (ReadPlacedWindow(config, "NO_CREDIT", m_afNoCreditPos, m_NoCreditWindow))
        m_NoCreditWindow.Play();
    ReadPlacedWindow(config, "GIFT_OUT", m_afGiftOutPos, m_GiftOutWindow);
    CXString sound = config.GetValue("INPUT_CREDIT_SOUND");
    sound.Trim();
    m_InputCreditSound.Load(DataName(sound.GetString()));

    struct Window {
        CX2DAnimation* pWindow;
        const char* pszFile;
        const char* pszFailure;
    };
    const Window windows[] = {
        {&m_ErrorWindow, "image/demo/errorwindow.anf", "Failed to load the error window."},
        {&m_Error3Window, "image/demo/errorwindow3.anf", "Failed to load the error3 window."},
        {&m_GiftOutMessageWindow, "image/demo/errorwindow_2.anf",
         "Failed to load the gift out message window."},
        {&m_BlackWindow, "image/demo/black.anf", "Failed to load the black window."},
        {&m_CompleteWindow, "image/account/complete.anf",
         "Failed to load the account message window."},
        {&m_NumberWindow, "image/account/jijung.anf", "Failed to load the number message window."},
    };
    for (const Window& w : windows) {
        if (!w.pWindow->Load(w.pszFile)) {
            CXLog::ErrorLog().Write(kLogFile, "CXSceneGAME::Init", __LINE__, "%s", w.pszFailure);
            return false;
        }
    }
    m_BlackWindow.Play();
    CentreWindow(m_ErrorWindow, m_afErrorPos);
    return true;
}

int CXSceneGAME::Init(void* owner)
{
    if (owner)
        m_pOwner = static_cast<CPelagorn*>(owner);
    if (m_bInitialized) {
        m_dElapsed = 0.0;
        if (m_pBG)
            m_pBG->ChangeBG(0);
        return 1;
    }
    m_bKeyboardMode = 1;
    m_iAutoGiftMode = 2;
    m_iSkipSign = 1;
    m_iHighEffectMode = 1;
    // The resource base is the data folder while the scenes start.
    CXHighPrizeRule rule{m_iHighPrizeSkip, m_iHighPrizeRepeat};
    if (CXGamePaf::Load(g_strResourceBase + "game.paf", &rule, &m_HighPrizeRepeatIndex)) {
        m_iHighPrizeSkip = rule.iSkip;
        m_iHighPrizeRepeat = rule.iRepeat;
    }
    for (CXDrawNUMBER& number : m_aNumbers)
        number.m_Digits.Load(DataName("/image/number/no_be.anf"));
    LoadItemEffect();
    ReelWaitPresets().Clear();
    m_DrawList.InitAll(m_pOwner, this);
    ResetBackgroundScroll();
    if (!LoadWindows())
        return 0;
    m_bCreditArrived = 0;
    m_ReelWait = CXReelWaitPreset();
    m_bInitialized = true;
    m_dElapsed = 0.0;
    if (m_pBG)
        m_pBG->ChangeBG(0);
    return 1;
}

void CXSceneGAME::StartReelWait(uint32_t index)
{
    CXReelWaitPreset copy;
    if (!ReelWaitPresets().Take(index, copy))
        return;
    m_ReelWait = copy;
    m_iReelWaitEntry = 0;
    m_dwReelWaitEntryStamp = GetTimeMs();
    m_dwShakeStamp = m_dwReelWaitEntryStamp;
    m_byShake = 0;
}

void CXSceneGAME::RunReelWait()
{
    if (m_ReelWait.nIndex != 0 && m_ReelWait.nCount > 0) {
        if (m_iReelWaitEntry < 0 || m_iReelWaitEntry >= m_ReelWait.nCount)
            m_iReelWaitEntry = 0;
        const CXReelWaitEntry& entry = m_ReelWait.entries[m_iReelWaitEntry];
        m_byShake = entry.byShake;
        if (Elapsed(m_dwReelWaitEntryStamp) >=
            static_cast<uint32_t>(std::max(entry.nDuration, 0))) {
            m_dwReelWaitEntryStamp = GetTimeMs();
            if (++m_iReelWaitEntry >= m_ReelWait.nCount) {
                m_iReelWaitEntry = 0;
                if (!m_ReelWait.byRepeat) {
                    m_ReelWait.nIndex = 0;
                    m_byShake = 0;
                    EngineSetTransform(0, 0, 0, 0, 0, 1.0f, 1.0f);
                }
            }
        }
    }
    if (m_byShake && Elapsed(m_dwShakeStamp) >=
                         static_cast<uint64_t>(std::max<int64_t>(m_ReelWait.nShakeInterval, 0))) {
        m_dwShakeStamp = GetTimeMs();
        const int32_t w = std::max(m_ReelWait.nShakeWidth, 0);
        const int32_t h = std::max(m_ReelWait.nShakeHeight, 0);
        const int32_t dx = RandomRange(int32_t{0}, w) - w / 2;
        const int32_t dy = RandomRange(int32_t{0}, h) - h / 2;
        EngineSetTransform(0, 0, static_cast<float>(dx), static_cast<float>(dy), 0, 1.0f, 1.0f);
    }
}

void CXSceneGAME::DrawDigits(int32_t iValue, float fX, float fY)
{
    // Frames 0..9 of the item belt's digit animation.
    if (!m_pItem)
        return;
    CX2DAnimation& digits = m_pItem->m_NumberFont;
    const int shown = digits.GetFrame();
    char text[16];
    std::snprintf(text, sizeof text, "%d", iValue);
    float x = fX;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            continue;
        digits.SetFrame(*p - '0');
        digits.RenderEx(x, fY, 0.0f, 0.9f);
        x += 0.9f * digits.GetWidth();
    }
    digits.SetFrame(shown);
}

void CXSceneGAME::DrawErrorWindow()
{
    m_ErrorWindow.Render(m_afErrorPos[0], 371.0f);
    DrawDigits(m_iGiftUnit > 0 ? m_iCommGift / m_iGiftUnit : 0, 335.0f, 403.0f);
}

// A gift-out announced before a restart goes to the board again once the counts match.
void CXSceneGAME::ResendGiftOut()
{
    if (m_bResend && m_iGiftUnit > 0) {
        const int32_t iSendCount = m_iGiftSendCount.load();
        if (iSendCount != 0 && iSendCount == m_iCommGift / m_iGiftUnit) {
            SendGiftOut(iSendCount);
            m_bResend = 0;
        }
    }
}

int CXSceneGAME::Process(HTARGET)
{
    ResendGiftOut();
    const float dt = m_fFrameTime;
    m_bCoinDropPermit = 1;
    if (m_byError.load() == 0 && !m_ErrorWindow.IsPlaying()) {
        // The demo drops its own coins; online the drop switch or auto play asks the server.
        if (IsDemoMode()) {
            if (m_pCoins && m_pDropper && m_pCoins->IsDropTime())
                m_pCoins->DropCoin(m_pDropper->GetDropX(), m_pDropper->m_fDirection);
        } else if ((m_bySwitch[1].load() && !m_bMenuSwitches.load()) || m_bAutoPlay) {
            RequestCoinDrop();
        }
    }
    CreditTick();
    const uint8_t byError = m_byError.load();
    if (!m_ErrorWindow.IsPlaying() && byError != 0 && byError != ERROR_GIFT_UNANSWERED &&
        m_iCommGift < 1) {
        if (m_pFrame)
            m_pFrame->Update(dt);
        for (auto* e = m_DrawList.m_List.m_pHead; e; e = e->m_pNext)
            e->m_pData->Draw();
        m_ErrorWindow.Play();
        DrawErrorWindow();
        return 1;
    }
    if (m_ErrorWindow.IsPlaying()) {
        if (m_pFrame)
            m_pFrame->Update(dt);
        for (auto* e = m_DrawList.m_List.m_pHead; e; e = e->m_pNext)
            e->m_pData->Draw();
        m_ErrorWindow.Update(dt);
        DrawErrorWindow();
        return 1;
    }
    RunBackgroundShake();
    CheckAutoGiftOut();
    RequestTicketOut();
    if (CPelagornProbClient* pLink = m_pOwner ? m_pOwner->GetProbClient() : nullptr)
        pLink->Process();
    RunFrame(dt);
    m_dElapsed += dt;
    return 1;
}

void CXSceneGAME::RunFrame(float dt)
{
    RunReelWait();
    m_DrawList.Frame(dt);
    // The reels' auto-hold effects, prize symbols and prize effect lie above everything else.
    if (m_pReel) {
        m_pReel->DrawEffects();
        m_pReel->DrawSymbols();
        if (m_pReel->m_pEffect)
            m_pReel->m_pEffect->Render(m_pReel->m_fEffectX, m_pReel->m_fEffectY);
    }
    if (IsDemoMode()) {
        m_DemoWindow.Update(dt);
        m_DemoWindow.Render(kWidth / 2.0f, kHeight / 2.0f);
        CheckIdleReturn();
    }
    if (m_ErrorWindow.IsPlaying()) {
        m_ErrorWindow.Update(dt);
        DrawErrorWindow();
    }
}

void CXSceneGAME::UpdateOverlays(float dt)
{
    if (!IsDemoMode())
        m_NoCreditWindow.Update(dt);
    else
        m_Demo2Window.Update(dt);
    if (m_iHighPrizeMode)
        m_FireOverWindow.Update(dt);
    if (m_iCommGift != 0 && m_byError.load() == 0) {
        m_GiftOutWindow.Update(dt);
        m_GiftOutMessageWindow.Update(dt);
    }
}

void CXSceneGAME::DrawOverlays()
{
    if (!IsDemoMode()) {
        if (m_iCredit <= 1000)
            m_NoCreditWindow.Render(m_afNoCreditPos[0], m_afNoCreditPos[1]);
    } else {
        m_Demo2Window.Render(kWidth / 2.0f, kHeight / 2.0f);
        m_BlackWindow.Render(167.0f, 721.0f);
    }
    if (m_iHighPrizeMode)
        m_FireOverWindow.Render(0.0f, 0.0f);
    if (m_iCommGift != 0 && m_byError.load() == 0) {
        CX2DAnimation* windows[] = {&m_GiftOutWindow, &m_GiftOutMessageWindow};
        for (CX2DAnimation* pWindow : windows) {
            if (!pWindow->IsPlaying())
                pWindow->Play();
            if (!pWindow->GetSound().IsPlaying())
                pWindow->GetSound().Play();
        }
        m_GiftOutWindow.Render(m_afGiftOutPos[0], m_afGiftOutPos[1]);
        m_BlackWindow.Render(167.0f, 721.0f);
        m_GiftOutMessageWindow.Render(167.0f, 721.0f);
    } else {
        m_GiftOutWindow.Stop();
        m_GiftOutMessageWindow.Stop();
    }
}

void CXSceneGAME::StartDemo(CXSceneAccount*)
{
    const bool bCanStart = m_iCredit < m_iCoinThreshold && m_iGift < m_iCoinThreshold &&
                           m_iSpin == 0 && !m_ErrorWindow.IsPlaying() && m_iCommGift == 0 &&
                           m_byError.load() == 0;
    if (!bCanStart) {
        m_dwDemoStamp = GetTimeMs();
        return;
    }
    m_ReelWait.nIndex = 0;
    m_iMode = MODE_DEMO;
    m_DemoWindow.Play();
    m_Demo2Window.Play();
    m_NoCreditWindow.Stop();
    m_iDemoSpinCount = 0;
    ResetDemoDisplays();
    if (m_pReel)
        m_pReel->ResetReels();
    if (m_pBG) {
        m_pBG->SetObjectGroupVisible(0, false);
        m_pBG->SetObjectGroupVisible(1, false);
    }
    m_bGroup0Shown = 0;
    m_bGroup1Shown = 0;
    if (m_pFrame)
        m_pFrame->SyncTitleAnimation();
    if (m_pBG) {
        m_pBG->ChangeSign(0);
        m_pBG->StopAllSigns();
    }
    if (m_pFrame)
        m_pFrame->ClearSignPieces();
    if (m_pOwner && m_pOwner->GetSceneLOGO())
        m_pOwner->GetSceneLOGO()->StartDemoLogo();
    EngineSetEffectVolume(static_cast<int>(kDemoVolume));
    if (m_pBG)
        m_pBG->SetMusicVolume(static_cast<int32_t>(kDemoVolume));
    if (m_pOwner)
        m_pOwner->ChangeScene(reinterpret_cast<CX2DSceneObject*>(m_pOwner->GetSceneLOGO()));
    m_dwIdleStamp = GetTimeMs();
    CXSerialComm::SendCommand("L601\r");
}

void CXSceneGAME::ResetDemoDisplays()
{
    m_iGift = 0;
    m_iSpin = 0;
    m_iCredit = 0;
    m_iCoinsInPlay = 0;
    ShowGift();
    ShowSpin();
    ShowCredit(false);
    ShowCoinsInPlay();
    ResetBackgroundScroll();
    SaveGameData();
}

void CXSceneGAME::ResetBackgroundScroll()
{
    m_fScrollFactor = 0.5f;
    m_iBGShake = 0;
    m_dwBGShakeStamp = GetTimeMs();
    if (m_pBG)
        m_pBG->SetScrollSpeed(m_fScrollFactor);
}

void CXSceneGAME::RunBackgroundShake()
{
    if (!m_pBG || Elapsed(m_dwBGShakeStamp) < m_dwBGShakeInterval)
        return;
    m_dwBGShakeStamp = GetTimeMs();
    const int64_t iLow =
        std::max<int64_t>(std::min(m_pBG->m_nSpeedChangeMinTime, m_pBG->m_nSpeedChangeMaxTime), 0);
    const int64_t iHigh = std::min<int64_t>(
        std::max(m_pBG->m_nSpeedChangeMinTime, m_pBG->m_nSpeedChangeMaxTime), INT32_MAX);
    m_dwBGShakeInterval = static_cast<uint32_t>(
        RandomRange(static_cast<int32_t>(std::min(iLow, iHigh)), static_cast<int32_t>(iHigh)));
    const int32_t iAmplitude = std::max(m_iShakeAmplitude, 0);
    const int32_t iShake =
        std::clamp(m_iBGShake + RandomRange(int32_t{-1}, int32_t{1}), -iAmplitude, iAmplitude);
    if (iShake == m_iBGShake)
        return;
    m_iBGShake = iShake;
    m_pBG->SetScrollSpeed(m_fScrollFactor + static_cast<float>(m_iBGShake));
}

void CXSceneGAME::CheckIdleReturn()
{
    if (!IsDemoMode() || !m_pOwner)
        return;
    if (Elapsed(m_dwIdleStamp) > kIdleReturnMs) {
        m_dwIdleStamp = GetTimeMs();
        m_pOwner->ChangeScene(reinterpret_cast<CX2DSceneObject*>(m_pOwner->GetSceneLOGO()));
    }
}

void CXSceneGAME::SaveGameData()
{
    int32_t aiMeters[GAME_DATA_COUNT] = {};
    aiMeters[GAME_CREDIT] = m_iCredit;
    aiMeters[GAME_GIFT] = m_iGift;
    aiMeters[GAME_SPIN] = m_iSpin;
    aiMeters[GAME_L_OIL] = m_iLOil;
    aiMeters[GAME_R_OIL] = m_iROil;
    aiMeters[GAME_SKIP_COUNT] = m_iSkipCount;
    aiMeters[GAME_NORMAL_BONUS] = m_iNormalBonus;
    aiMeters[GAME_HIGH_BONUS] = m_iHighBonus;
    aiMeters[GAME_LAST_HIGH_PRIZE_GCOUNT] = m_iLastHighPrizeGCount;
    aiMeters[GAME_COMM_GIFT] = m_iCommGift;
    aiMeters[GAME_GIFT_SEND_COUNT] = m_iGiftSendCount.load();
    m_SaveData.SaveGameData(aiMeters, IsDemoMode());
}

int CXSceneGAME::SaveAccountsData()
{
    return m_SaveData.SaveAccountsData(IsDemoMode());
}
