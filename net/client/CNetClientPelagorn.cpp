// Answers of the Pelagorn game. Its game class is not part of this program yet: an answer whose
// machine a deck hosts is logged and dropped, and the lobby still does its own part of an answer
// (labels, error boxes). Enter answers need no screen; the others need the lobby.
#include "CGameBase.h"
#include "CNetClient.h"
#include "CWndGame.h"

namespace {

constexpr const char* kGame = "Pelagorn";

void PelagornCoinInStep(CGameBase& game, int32_t)
{
    CNetClient::DropUnbuiltGameAnswer("CNetClient::OnPelagornCoinIn", kGame, game.m_nGameType, game.m_nMachineNo);
}

}  // namespace

void CNetClient::OnPelagornEnter(int32_t gameType, int32_t machineNo, const CPelagornEnterData&)
{
    if (FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagornEnter", kGame, gameType, machineNo);
}

void CNetClient::OnPelagornCoinIn(int32_t result, int32_t gameType, int32_t machineNo)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsCoinIn(result, gameType, machineNo, PelagornCoinInStep);
}

void CNetClient::OnPelagorn36(int32_t gameType, int32_t machineNo, bool, const uint8_t*)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagorn36", kGame, gameType, machineNo);
}

void CNetClient::OnPelagorn37(int32_t gameType, int32_t machineNo, bool, const CPelagornData37&)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagorn37", kGame, gameType, machineNo);
}

void CNetClient::OnPelagornSpinData(int32_t gameType, int32_t machineNo, bool, const CPelagornSpinData&)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagornSpinData", kGame, gameType, machineNo);
}

void CNetClient::OnPelagorn39(int32_t gameType, int32_t machineNo, bool, const CPelagornData39*)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagorn39", kGame, gameType, machineNo);
}

void CNetClient::OnPelagornSpinEnd(int32_t gameType, int32_t machineNo, bool, const uint8_t*)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagornSpinEnd", kGame, gameType, machineNo);
}

void CNetClient::OnPelagornTicketOut(int32_t gameType, int32_t machineNo, bool, const CPelagornTicketOutData&)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (pScreen && pScreen->AnsTicketOut(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagornTicketOut", kGame, gameType, machineNo);
}

void CNetClient::OnPelagornGameFin(int32_t gameType, int32_t machineNo, bool, const uint8_t*)
{
    if (CurrentScreen<CWndGame>() && FindGame(gameType, machineNo))
        DropUnbuiltGameAnswer("CNetClient::OnPelagornGameFin", kGame, gameType, machineNo);
}
