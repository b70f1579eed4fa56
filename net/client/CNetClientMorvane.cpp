// Answers of the Morvane game. Its game class is not part of this program yet: an answer whose
// machine a deck hosts is logged and dropped, and the lobby still does its own part of an answer
// (labels, error boxes). Enter answers need no screen; the others need the lobby.
#include "CGameBase.h"
#include "CNetClient.h"
#include "CWndGame.h"

namespace {

constexpr const char* kGame = "Morvane";

void MorvaneCoinInStep(CGameBase& game, int32_t)
{
    CNetClient::DropUnbuiltGameAnswer("CNetClient::OnMorvaneCoinIn", kGame, game.m_nGameType, game.m_nMachineNo);
}

}  // namespace

void CNetClient::OnMorvaneEnter(int32_t gameType, int32_t machineNo, const uint8_t*)
{
    if (FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnMorvaneEnter", kGame, gameType, machineNo);
}

void CNetClient::OnMorvaneCoinIn(int32_t result, int32_t gameType, int32_t machineNo)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsCoinIn(result, gameType, machineNo, MorvaneCoinInStep);
}

void CNetClient::OnMorvaneSpinData(int32_t gameType, int32_t machineNo, bool, const uint8_t*)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnMorvaneSpinData", kGame, gameType, machineNo);
}

void CNetClient::OnMorvaneSpinEnd(int32_t gameType, int32_t machineNo, bool)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnMorvaneSpinEnd", kGame, gameType, machineNo);
}

void CNetClient::OnMorvaneTicketOut(int32_t gameType, int32_t machineNo, int32_t)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (pScreen && pScreen->AnsTicketOut(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnMorvaneTicketOut", kGame, gameType, machineNo);
}

void CNetClient::OnMorvanePerformanceValue(int32_t gameType, int32_t machineNo, uint32_t, int32_t, int32_t, uint32_t)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnMorvanePerformanceValue", kGame, gameType, machineNo);
}

void CNetClient::OnMorvaneGameFin(int32_t gameType, int32_t machineNo, bool)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnMorvaneGameFin", kGame, gameType, machineNo);
}
