#pragma once
// The Jix game in a deck: owns the engine (CDemo) and two render targets. The game draws in
// landscape into the 1280x768 target; DrawTarget turns that picture a quarter turn into the
// 768x1280 target the deck shows. Update runs the fixed-step clock: the frame time x 1.45 becomes
// whole game ticks of 1/60 s, the engine runs once per tick and draws only on the last.
//
// CGameBase fields as used here: m_bFlag the started flag (the enter answer came), m_dBaseSpeed
// the time scale, m_dCurSpeed the speed, m_nRun the ticks of the current frame, m_nCreditIn the
// in-credit counter, m_nCreditPlayed the play credit (100 per granted spin).

#include <cstdint>

#include "CGameBase.h"
#include "CJixHost.h"
#include "CXSaturate.h"
#include "JixClock.h"
#include "JixSender.h"

class CDemo;
class CX2DSprite;
class CX2DTarget;

class CJix : public CGameBase, public CJixHost {
public:
    static constexpr double kSpeed = 1.45;
    static constexpr int kLandscapeWidth = 1280;
    static constexpr int kLandscapeHeight = 768;
    // The tick length held in single precision, as the clock compares it.
    static constexpr float kStep = 1.0f / 60.0f;

    CJix(CGameDeck* pDeck, int32_t nMachineNo, bool bStandalone);
    ~CJix() override;

    // Makes the targets and the engine, loads the resources and starts the opening; with
    // bSendEnter (and not standalone) sends the enter request. False when a target fails.
    bool Initialize(HWND hWnd, bool bSendEnter) override;
    void Release() override;
    void SetCredit(int32_t nCredit) override;
    void Update() override;
    void OnDeviceLost() override {}
    void OnDeviceReset() override;
    void DrawDebugInfo() override;
    bool IsIdle() override;
    bool RequestCoinIn(bool bForce) override;
    bool CanPlay() override;
    bool SetAutoPlay(bool bOn) override { return CGameBase::SetAutoPlay(bOn); }
    bool IsOutOfCredit() override;
    // Turns the landscape picture into the portrait target; returns the portrait sprite.
    CX2DSprite* DrawTarget() override;

    // Runs the clock for one frame of fSeconds (Update passes the engine's frame time).
    void RunFrame(float fSeconds);

    // The game screen's answers for this machine (the protocol handlers call these).
    void OnAnsEnter(const uint8_t* pBlock);
    // nCredit: the machine's credit in the machine table.
    void OnAnsCoinIn(int32_t nCredit);
    void OnAnsSpinData(bool bGranted, const uint8_t* pBlock);
    void OnAnsSpinEnd(bool bOk);
    void OnAnsTicketOut(bool bValid);
    void OnAnsGameFin(bool bOk);

    int32_t GetJixGameType() const override { return m_nGameType; }
    int32_t GetJixMachineNo() const override { return m_nMachineNo; }
    bool IsStandalone() const override { return m_bDemo != 0; }
    bool IsStarted() const { return m_bFlag != 0; }
    int32_t GetSoundGroup() const override;
    void AddPlayCredit(int32_t n) override { m_nCreditPlayed = CXAddSat32(m_nCreditPlayed, n); }
    void AddTotalTicket(int32_t n) override { m_nTotalTicket += n; }
    CJixSender& GetJixSender() override { return m_pSender ? *m_pSender : m_NetSender; }
    uint32_t JixNow() override { return m_pClock ? m_pClock->Now() : m_PlatformClock.Now(); }
    CJixDrawSink* GetJixDrawSink() override { return m_pDrawSink; }
    // The seams (borrowed; null puts the program's back: the protocol client, the platform's
    // clock, the device's sprite batch). A test gives its own.
    void SetSender(CJixSender* pSender) { m_pSender = pSender; }
    void SetClock(CJixClock* pClock) { m_pClock = pClock; }
    void SetDrawSink(CJixDrawSink* pSink) { m_pDrawSink = pSink; }
    CDemo* GetEngine() const { return m_pEngine; }
    CX2DTarget* GetPortraitTarget() const { return m_pPortraitTarget; }

private:
    bool CreateTarget();

    CDemo* m_pEngine = nullptr;
    CX2DTarget* m_pPortraitTarget = nullptr;
    CX2DSprite* m_pPortraitSprite = nullptr;
    CJixNetSender m_NetSender{nullptr};
    CJixPlatformClock m_PlatformClock;
    CJixSender* m_pSender = nullptr;
    CJixClock* m_pClock = nullptr;
    CJixDrawSink* m_pDrawSink = nullptr;
};

// The game's creator, and its registration for game type 1 (the program's start and tests).
CGameBase* CreateJixGame(CGameDeck* pDeck, int32_t nMachineNo, bool bDemo);
void RegisterJixGameType();
