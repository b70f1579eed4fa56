#pragma once
// The Morvane game as a deck hosts it (game types 2 and 4, bets 100 and 200): an 800x600 render
// target with its sprite, the game state, and the fixed time base that turns the engine's frame
// time into whole logic steps of 1/60 s scaled by the kind's speed.

#include <cstdint>
#include <memory>

#include "CGameBase.h"
#include "CMorvaneIO.h"
#include "CMorvaneOwner.h"
#include "CMorvaneSender.h"

class CMorvaneMain;

class CMorvane : public CGameBase, public CMorvaneOwner {
public:
    static constexpr double kStepLength = 1.0 / 60.0;

    // kind: 2 or 4 (any other kind fails Initialize); demo: a standalone game that never talks to
    // the server.
    CMorvane(CGameDeck* pDeck, int32_t nMachineNo, int32_t nKind, bool bDemo);
    ~CMorvane() override;

    // hosted: sends the enter-machine request (not for the loading screen's registration pass).
    bool Initialize(HWND hWnd, bool bHosted) override;
    void Release() override;
    void SetCredit(int32_t nCredit) override;
    void Update() override;
    void OnDeviceLost() override {}
    void DrawDebugInfo() override;
    void OnDeviceReset() override;
    bool IsIdle() override;
    bool RequestCoinIn(bool bForce) override;
    bool CanPlay() override;
    bool SetAutoPlay(bool bOn) override { return CGameBase::SetAutoPlay(bOn); }
    bool IsOutOfCredit() override;
    // 1 while a double-up is offered, 2 while it runs.
    int32_t GetDoubleUpState() override;
    // 1: the first choice (DeckKeyRequest), 2: the second (DeckQuickEnd); taken only when the
    // game is standalone or its link waits for no answer.
    void OnDoubleUpChoice(int32_t nChoice) override;

    bool CreateTarget();
    // The time base without the engine: owed steps for a frame of `delta` seconds.
    int32_t AdvanceTime(double delta);
    // Runs the steps of one frame (the last one draws).
    void RunSteps(int32_t steps);

    CMorvaneMain* GetMain() const { return m_pMain; }
    // Replaces the clock, drawing and sound seam before Initialize (tests).
    void SetIO(CMorvaneIO* io) { m_pTestIO = io; }
    void SetSender(CMorvaneSender* sender) { m_pSender = sender; }

    // CMorvaneOwner
    int32_t GetMorvaneKind() const override { return m_nGameType; }
    int32_t GetMorvaneMachineNo() const override { return m_nMachineNo; }
    bool IsMorvaneStandalone() const override { return m_bDemo != 0; }
    void SetMorvaneActive() override { m_bFlag = 1; }
    void AddMorvaneTotals(int64_t bet, int64_t win) override;
    void AddMorvaneMoneyInserted(int64_t amount) override;
    void ClearMorvaneTotals() override;

private:
    // The application's side of the game's seam: the resource registry's registering pass and
    // the application font.
    class AppIO : public CMorvaneIO {
    public:
        bool RegisterPath(const char* path) override;
    };
    // Sends through the program's protocol client as it is at the time of sending.
    class GlobalSender : public CMorvaneSender {
    public:
        bool Send(MorvaneRequest request, uint8_t kind, uint16_t machineNo) override;
        bool SendPerformanceValue(uint8_t kind, uint16_t machineNo, uint32_t stage,
                                  uint8_t choice) override;
    };

    void FreeAll();

    CMorvaneMain* m_pMain = nullptr;
    AppIO m_AppIO;
    GlobalSender m_GlobalSender;
    CMorvaneIO* m_pTestIO = nullptr;
    CMorvaneSender* m_pSender = nullptr;
};

// Registers the game for both of its game types, 2 and 4, in the game creator table.
void RegisterMorvaneGameType();
