// Answers of the Pelagorn game: each reaches the game found by its machine key, when that game is
// a CPelagorn, through its server link, which writes the result into the game scene. Enter
// answers need no screen; the others need the lobby, which also does its own part of an answer
// (labels, error boxes). A record the body did not hold whole is handed on as a short one.
#include "CGameBase.h"
#include "CNetClient.h"
#include "CPelagorn.h"
#include "CPelagornProbClient.h"
#include "CWndGame.h"

namespace {

CPelagornProbClient* LinkOf(CGameBase* game)
{
    auto* pelagorn = dynamic_cast<CPelagorn*>(game);
    return pelagorn ? pelagorn->GetProbClient() : nullptr;
}

// The record's reader over the bytes the answer held (none for a short body: its defaults).
template <class Record, class Block>
Record Read(const Block& block)
{
    Record record;
    record.Read(block.m_abyData, block.m_bComplete ? Record::kSize : 0);
    return record;
}

template <class Record>
Record ReadRaw(const uint8_t* pBytes)
{
    Record record;
    record.Read(pBytes, pBytes ? Record::kSize : 0);
    return record;
}

void PelagornCoinInStep(CGameBase& game, int32_t nCredit)
{
    if (CPelagornProbClient* link = LinkOf(&game)) {
        link->OnCoinIn(nCredit);
        game.SetCredit(nCredit);
    }
}

CPelagornProbClient* LobbyLink(int32_t gameType, int32_t machineNo)
{
    if (!CNetClient::CurrentScreen<CWndGame>())
        return nullptr;
    return LinkOf(CNetClient::FindGame(gameType, machineNo));
}

}  // namespace

void CNetClient::OnPelagornEnter(int32_t gameType, int32_t machineNo,
                                 const CPelagornEnterData& data)
{
    if (CPelagornProbClient* link = LinkOf(FindGame(gameType, machineNo)))
        link->OnEnter(Read<CPelagornEnterRecord>(data));
}

void CNetClient::OnPelagornCoinIn(int32_t result, int32_t gameType, int32_t machineNo)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsCoinIn(result, gameType, machineNo, PelagornCoinInStep);
}

void CNetClient::OnPelagorn36(int32_t gameType, int32_t machineNo, bool ok, const uint8_t* block16)
{
    // The dispatcher hands on no block for a short body.
    if (CPelagornProbClient* link = LobbyLink(gameType, machineNo))
        link->OnCoinDrop(ok, ReadRaw<CPelagornCoinDropRecord>(block16));
}

void CNetClient::OnPelagorn37(int32_t gameType, int32_t machineNo, bool ok,
                              const CPelagornData37& data)
{
    if (CPelagornProbClient* link = LobbyLink(gameType, machineNo))
        link->OnItemHit(ok, Read<CPelagornItemRecord>(data));
}

void CNetClient::OnPelagornSpinData(int32_t gameType, int32_t machineNo, bool ok,
                                    const CPelagornSpinData& data)
{
    if (CPelagornProbClient* link = LobbyLink(gameType, machineNo))
        link->OnSpinData(ok, Read<CPelagornSpinRecord>(data));
}

void CNetClient::OnPelagorn39(int32_t gameType, int32_t machineNo, bool ok,
                              const CPelagornData39* record)
{
    CPelagornProbClient* link = LobbyLink(gameType, machineNo);
    if (!link)
        return;
    if (!record) {
        link->OnSpinResult(ok, nullptr);
        return;
    }
    const CPelagornResultRecord result = Read<CPelagornResultRecord>(*record);
    link->OnSpinResult(ok, &result);
}

void CNetClient::OnPelagornSpinEnd(int32_t gameType, int32_t machineNo, bool ok,
                                   const uint8_t* value)
{
    // The answer's one byte follows only when it was accepted.
    if (CPelagornProbClient* link = LobbyLink(gameType, machineNo))
        link->OnSpinEnd(ok && value);
}

void CNetClient::OnPelagornTicketOut(int32_t gameType, int32_t machineNo, bool ok,
                                     const CPelagornTicketOutData& data)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen)
        return;
    if (CPelagornProbClient* link = LinkOf(pScreen->AnsTicketOut(gameType, machineNo)))
        link->OnTicketOut(ok, Read<CPelagornTicketOutRecord>(data));
}

void CNetClient::OnPelagornGameFin(int32_t gameType, int32_t machineNo, bool ok,
                                   const uint8_t* block12)
{
    if (CPelagornProbClient* link = LobbyLink(gameType, machineNo))
        link->OnGameFin(ok, ReadRaw<CPelagornGameFinRecord>(block12));
}
