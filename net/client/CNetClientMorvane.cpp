// Answers of the Morvane game: each reaches the game found by its machine key, when that game is a
// CMorvane, through its server link. Enter answers need no screen; the others need the lobby, which
// also does its own part of an answer (labels, error boxes).
#include "CGameBase.h"
#include "CMorvane.h"
#include "CMorvaneLink.h"
#include "CMorvaneMain.h"
#include "CNetClient.h"
#include "CWndGame.h"

namespace {

CMorvaneLink* LinkOf(CGameBase* game)
{
    auto* morvane = dynamic_cast<CMorvane*>(game);
    return morvane && morvane->GetMain() ? &morvane->GetMain()->GetLink() : nullptr;
}

void CoinInStep(CGameBase& game, int32_t nCredit, bool accepted)
{
    if (CMorvaneLink* link = LinkOf(&game)) {
        link->OnAnsCoinIn(accepted);
        game.SetCredit(nCredit);
    }
}

// Only an accepted coin-in (code 0) counts 10000 into the money inserted.
void MorvaneCoinInAccepted(CGameBase& game, int32_t nCredit)
{
    CoinInStep(game, nCredit, true);
}
void MorvaneCoinInRefused(CGameBase& game, int32_t nCredit)
{
    CoinInStep(game, nCredit, false);
}

}  // namespace

void CNetClient::OnMorvaneEnter(int32_t gameType, int32_t machineNo, const uint8_t* record)
{
    if (CMorvaneLink* link = LinkOf(FindGame(gameType, machineNo)))
        link->OnAnsEnter(record, CMorvaneSpinData::kSize);
}

void CNetClient::OnMorvaneCoinIn(int32_t result, int32_t gameType, int32_t machineNo)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsCoinIn(result, gameType, machineNo,
                           result == 0 ? MorvaneCoinInAccepted : MorvaneCoinInRefused);
}

void CNetClient::OnMorvaneSpinData(int32_t gameType, int32_t machineNo, bool granted,
                                   const uint8_t* record)
{
    if (!CurrentScreen<CWndGame>())
        return;
    if (CMorvaneLink* link = LinkOf(FindGame(gameType, machineNo)))
        link->OnAnsSpinData(granted, record, CMorvaneSpinData::kSize);
}

void CNetClient::OnMorvaneSpinEnd(int32_t gameType, int32_t machineNo, bool ok)
{
    if (!CurrentScreen<CWndGame>())
        return;
    if (CMorvaneLink* link = LinkOf(FindGame(gameType, machineNo)))
        link->OnAnsSpinEnd(ok);
}

void CNetClient::OnMorvaneTicketOut(int32_t gameType, int32_t machineNo, int32_t result)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen)
        return;
    if (CMorvaneLink* link = LinkOf(pScreen->AnsTicketOut(gameType, machineNo)))
        link->OnAnsTicketOut(result != 0);
}

void CNetClient::OnMorvanePerformanceValue(int32_t gameType, int32_t machineNo, uint32_t index,
                                           int32_t value, int32_t flag, uint32_t amount)
{
    if (!CurrentScreen<CWndGame>())
        return;
    if (CMorvaneLink* link = LinkOf(FindGame(gameType, machineNo)))
        link->OnAnsPerformanceValue(index, value, flag, static_cast<int32_t>(amount));
}

void CNetClient::OnMorvanePerformanceRefused(int32_t gameType, int32_t machineNo)
{
    if (!CurrentScreen<CWndGame>())
        return;
    if (CMorvaneLink* link = LinkOf(FindGame(gameType, machineNo)))
        link->OnAnsPerformanceRefused();
}

void CNetClient::OnMorvaneGameFin(int32_t gameType, int32_t machineNo, bool ok)
{
    if (!CurrentScreen<CWndGame>())
        return;
    if (CMorvaneLink* link = LinkOf(FindGame(gameType, machineNo)))
        link->OnAnsGameFin(ok);
}
