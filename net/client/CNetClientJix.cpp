// Answers of the Jix game: each finds the machine's game by its key, checks that it is a Jix game
// and hands the answer to it. Enter answers need no screen; the others need the lobby, which also
// does its own part of an answer (labels, error boxes). An answer for a machine no deck hosts as
// a Jix game is dropped.
#include "CDemo.h"
#include "CDemoLink.h"
#include "CJix.h"
#include "CNetClient.h"
#include "CWndGame.h"

namespace {

CJix* FindJix(int32_t gameType, int32_t machineNo)
{
    return dynamic_cast<CJix*>(CNetClient::FindGame(gameType, machineNo));
}

// The lobby's game screen is current and hosts the machine as a Jix game.
CJix* FindJixInLobby(int32_t gameType, int32_t machineNo)
{
    return CNetClient::CurrentScreen<CWndGame>() ? FindJix(gameType, machineNo) : nullptr;
}

void JixCoinInStep(CGameBase& game, int32_t nCredit)
{
    if (CJix* pJix = dynamic_cast<CJix*>(&game))
        pJix->OnAnsCoinIn(nCredit);
}

}  // namespace

void CNetClient::OnJixEnter(int32_t gameType, int32_t machineNo, const uint8_t* pBlock)
{
    if (CJix* pJix = FindJix(gameType, machineNo))
        pJix->OnAnsEnter(pBlock);
}

void CNetClient::OnJixCoinIn(int32_t result, int32_t gameType, int32_t machineNo)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsCoinIn(result, gameType, machineNo, JixCoinInStep);
}

void CNetClient::OnJixPlayStart(int32_t gameType, int32_t machineNo, bool bGranted,
                                uint32_t dwValue)
{
    if (CJix* pJix = FindJixInLobby(gameType, machineNo))
        if (CDemo* pEngine = pJix->GetEngine())
            pEngine->GetLink()->OnAnsPlayStart(bGranted, dwValue);
}

void CNetClient::OnJixBonus(int32_t gameType, int32_t machineNo, bool bGranted, uint32_t dwValue)
{
    if (CJix* pJix = FindJixInLobby(gameType, machineNo))
        if (CDemo* pEngine = pJix->GetEngine())
            pEngine->GetLink()->OnAnsBonus(bGranted, dwValue);
}

void CNetClient::OnJixSpinData(int32_t gameType, int32_t machineNo, bool bGranted,
                               const uint8_t* pBlock)
{
    if (CJix* pJix = FindJixInLobby(gameType, machineNo))
        pJix->OnAnsSpinData(bGranted, pBlock);
}

void CNetClient::OnJixSpinEnd(int32_t gameType, int32_t machineNo, bool bOk)
{
    if (CJix* pJix = FindJixInLobby(gameType, machineNo))
        pJix->OnAnsSpinEnd(bOk);
}

void CNetClient::OnJixTicketOut(int32_t gameType, int32_t machineNo, int32_t result)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen)
        return;
    if (CJix* pJix = dynamic_cast<CJix*>(pScreen->AnsTicketOut(gameType, machineNo)))
        pJix->OnAnsTicketOut(result != 0);
}

void CNetClient::OnJixGameFin(int32_t gameType, int32_t machineNo, bool bOk)
{
    if (CJix* pJix = FindJixInLobby(gameType, machineNo))
        pJix->OnAnsGameFin(bOk);
}
