// Answers of the Jix game. Its game class is not part of this program yet: an answer whose
// machine a deck hosts is logged and dropped, and the lobby still does its own part of an answer
// (labels, error boxes). Enter answers need no screen; the others need the lobby.
#include "CGameBase.h"
#include "CNetClient.h"
#include "CWndGame.h"

namespace {

constexpr const char* kGame = "Jix";

void JixCoinInStep(CGameBase& game, int32_t)
{
    CNetClient::DropUnbuiltGameAnswer("CNetClient::OnJixCoinIn", kGame, game.m_nGameType, game.m_nMachineNo);
}

}  // namespace

void CNetClient::OnJixEnter(int32_t gameType, int32_t machineNo, const uint8_t*)
{
    if (FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnJixEnter", kGame, gameType, machineNo);
}

void CNetClient::OnJixCoinIn(int32_t result, int32_t gameType, int32_t machineNo)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsCoinIn(result, gameType, machineNo, JixCoinInStep);
}

void CNetClient::OnJixPlayStart(int32_t gameType, int32_t machineNo, bool, uint32_t)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnJixPlayStart", kGame, gameType, machineNo);
}

void CNetClient::OnJixBonus(int32_t gameType, int32_t machineNo, bool, uint32_t)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnJixBonus", kGame, gameType, machineNo);
}

void CNetClient::OnJixSpinData(int32_t gameType, int32_t machineNo, bool, const uint8_t*)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnJixSpinData", kGame, gameType, machineNo);
}

void CNetClient::OnJixSpinEnd(int32_t gameType, int32_t machineNo, bool)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnJixSpinEnd", kGame, gameType, machineNo);
}

void CNetClient::OnJixTicketOut(int32_t gameType, int32_t machineNo, int32_t)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (pScreen && pScreen->AnsTicketOut(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnJixTicketOut", kGame, gameType, machineNo);
}

void CNetClient::OnJixGameFin(int32_t gameType, int32_t machineNo, bool)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnJixGameFin", kGame, gameType, machineNo);
}
