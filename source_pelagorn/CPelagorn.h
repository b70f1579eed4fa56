#pragma once
// The Pelagorn game as a deck hosts it (game type 3): a 768x1280 render target, the server link,
// the title, game and accounts scenes and a small scene machine. Its clock is the engine's running
// time scaled by 1.1; a demo instance talks to nobody and takes its spins from a local engine.

#include <cstdint>
#include <string>

#include "CGameBase.h"
#include "CPelagornClock.h"
#include "CPelagornProbClient.h"
#include "CPelagornSender.h"
#include "CXSceneAccount.h"

class CX2DGDI;
class CX2DSceneObject;
class CX2DSprite;
class CXProb;
class CXSceneGAME;
class CXSceneLOGO;

class CPelagorn : public CGameBase, public CXSceneAccountHost {
public:
    static constexpr int kWidth = 768;
    static constexpr int kHeight = 1280;
    static constexpr double kTimeScale = 1.1;

    // The third argument is the deck factory's and is not used.
    CPelagorn(CGameDeck* pDeck, int32_t nMachineNo, int32_t nUnused, bool bDemo);
    ~CPelagorn() override;

    bool Initialize(HWND hWnd, bool bHosted) override;
    void Release() override;
    void SetCredit(int32_t nCredit) override;
    void Update() override;
    void OnDeviceLost() override {}
    void OnDeviceReset() override;
    bool IsIdle() override;
    bool RequestCoinIn(bool bForce) override;
    bool CanPlay() override { return true; }
    bool SetAutoPlay(bool bOn) override { return CGameBase::SetAutoPlay(bOn); }
    bool IsOutOfCredit() override;

    bool CreateTarget();
    bool Create();
    bool InitScenes();
    // Null means the previous scene; the current scene is not entered again.
    void ChangeScene(CX2DSceneObject* pScene);
    // The title's three seconds are over: the game scene takes over.
    void OnTitleDone();
    // Runs the current scene once (under the game scene's lock) with a frame of dt seconds of
    // wall time; Update calls it with the engine's frame time, between begin and end of the
    // target's scene.
    void RunScene(float dt);
    // Game milliseconds: the clock's seconds x 1.1 x 1000, kept in 64 bits, wrapping at 32.
    uint32_t GetTimeMs() const override;

    CPelagornProbClient* GetProbClient() const { return m_pProbClient; }
    CXSceneGAME* GetSceneGAME() const { return m_pSceneGAME; }
    CXSceneLOGO* GetSceneLOGO() const { return m_pSceneLOGO; }
    CXSceneAccount* GetSceneAccount() const { return m_pSceneAccount; }
    CX2DSceneObject* GetCurrentScene() const { return m_pCurrentScene; }
    CX2DSceneObject* GetPreviousScene() const { return m_pPreviousScene; }
    CXProb* GetProb() const { return m_pProb; }
    CX2DSprite* GetOverlaySprite() const { return m_pOverlaySprite; }
    CX2DGDI* GetOverlayText() const { return m_pOverlayText; }

    // Seams for tests, set before Initialize: the clock (the engine's running time and the
    // platform's wall time by default) and the request sender (the program's protocol client by
    // default).
    void SetClock(CPelagornClock* pClock) { m_pClock = pClock; }
    void SetSender(CPelagornSender* pSender);
    // The data folder the scenes load from while they are made ("./DATA_PELAGORN/", beside the
    // program); tests point it at a scratch folder. Ends in '/'.
    void SetDataFolder(const std::string& strFolder) { m_strDataFolder = strFolder; }

    // CXSceneAccountHost
    CXBoardSerialComm* GetCabinet() override;
    CXSceneGAME_LoadSave* GetSaveData() override;
    int SaveAccountsData() override;
    int32_t GetMachineNumber() const override { return m_iCabinetMachineNo; }
    void SetMachineNumber(int32_t iNumber) override { m_iCabinetMachineNo = iNumber; }
    void SetAccountsDisplay(int32_t iFlag) override { m_iAccountsDisplaySmall = iFlag; }
    void LeaveAccounts() override { ChangeScene(nullptr); }

    uint32_t m_dwStartStamp = 0;  // game time at construction
    int32_t m_iCabinetMachineNo = 0;
    int32_t m_iAccountsDisplaySmall = 1;

private:
    void FreeAll();

    CXSceneLOGO* m_pSceneLOGO = nullptr;
    CXSceneGAME* m_pSceneGAME = nullptr;
    CXSceneAccount* m_pSceneAccount = nullptr;
    // A text surface over the game and the GDI text drawn into it; made with the game, drawn by
    // nothing in this client.
    CX2DSprite* m_pOverlaySprite = nullptr;
    CX2DGDI* m_pOverlayText = nullptr;
    CPelagornProbClient* m_pProbClient = nullptr;
    CXProb* m_pProb = nullptr;
    CX2DSceneObject* m_pCurrentScene = nullptr;
    CX2DSceneObject* m_pPreviousScene = nullptr;
    CPelagornNetSender m_NetSender;
    CPelagornSender* m_pSender = &m_NetSender;
    CPelagornClock* m_pClock = nullptr;  // borrowed; null: the engine's
    std::string m_strDataFolder{"./DATA_PELAGORN/"};
};

// Installs the creator of game type 3 in the game creator table.
void RegisterPelagornGameType();
