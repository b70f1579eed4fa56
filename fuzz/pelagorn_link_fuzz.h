#pragma once
// What the Pelagorn link fuzz target does with one input, shared with the test that replays its
// seed corpus: a stream of server answers (kind, accepted flag, body of any length) read through
// the answer records and handed to the link, mixed with the requests the game makes, on a clock
// that moves with the input. Aborts when the link breaks a rule of the spin cycle.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "CPelagornLinkHost.h"
#include "CPelagornProbClient.h"

namespace pelagorn_link_fuzz {

class Host : public CPelagornLinkHost {
public:
    uint32_t GetTimeMs() const override { return now; }
    void ApplyEnterData(const CPelagornEnterRecord&) override {}
    void ApplyCoinInCredit(int32_t) override {}
    void ApplyCoinDrop(bool) override {}
    void ApplyMeters(int32_t, int32_t, int32_t, bool) override {}
    void RefreshSpin() override {}
    void ApplyItemHit(const CPelagornItemRecord& r) override
    {
        if (!r.bComplete)
            std::abort();
    }
    void ApplySpinData(const CPelagornSpinRecord& r) override
    {
        if (!r.bComplete)
            std::abort();
    }
    void ApplySpinResult(const CPelagornResultRecord& r) override
    {
        if (!r.bComplete || r.byStatus != 0)
            std::abort();
    }
    void ApplyTicketOut(bool, const CPelagornTicketOutRecord&) override {}
    void ApplyGameFin(const CPelagornGameFinRecord&) override {}

    uint32_t now = 0;
};

// Checks each request against the link's state at the moment it goes out.
class Sender : public CPelagornSender {
public:
    bool Send(PelagornRequest request, uint8_t, uint16_t, const CPelagornItemHit&) override
    {
        if (!link)
            return true;
        switch (request) {
        case PelagornRequest::SpinData:
            if (link->m_bSpinDataHeld || link->m_bSpinDataPending)
                std::abort();
            spinEnds = gameFins = 0;
            break;
        case PelagornRequest::SpinEnd:
            // 40 of an open cycle whose end is not confirmed; the first only after a refused or
            // empty 39, then at most the bounded resends.
            if (!link->m_bSpinCycleOpen || link->m_bSpinEndConfirmed || link->m_bSpinEndGivenUp ||
                (!link->m_bSpinEndSent && !link->m_bResultFailed) ||
                (accept && ++spinEnds > 1 + CPelagornProbClient::kMaxResends))
                std::abort();
            break;
        case PelagornRequest::GameFin:
            if (!link->m_bSpinEndConfirmed || !link->m_bSpinDataHeld || link->m_bGameFinPending ||
                link->m_bGameFinGivenUp ||
                (accept && ++gameFins > 1 + CPelagornProbClient::kMaxResends))
                std::abort();
            break;
        case PelagornRequest::Result:
            if (link->m_bResultPending)
                std::abort();
            break;
        case PelagornRequest::ReelsStopped:
            if (link->m_bReelsStoppedSent)
                std::abort();
            break;
        default:
            break;
        }
        return accept;
    }

    CPelagornProbClient* link = nullptr;
    bool accept = true;
    // 40s and 43s that went out in this cycle.
    int spinEnds = 0;
    int gameFins = 0;
};

// An answer record read from a body of any length.
template <class Record>
Record ReadBody(const uint8_t* body, size_t n)
{
    Record r;
    r.Read(body, n);
    return r;
}

// Kinds 0..8: a server answer handed to the link. False for another kind.
inline bool Answer(CPelagornProbClient& link, int kind, bool ok, const uint8_t* body, size_t n)
{
    switch (kind) {
    case 0:
        link.OnEnter(ReadBody<CPelagornEnterRecord>(body, n));
        return true;
    case 1:
        link.OnCoinIn(n >= 1 ? body[0] : 0);
        return true;
    case 2:
        link.OnCoinDrop(ok, ReadBody<CPelagornCoinDropRecord>(body, n));
        return true;
    case 3:
        link.OnItemHit(ok, ReadBody<CPelagornItemRecord>(body, n));
        return true;
    case 4:
        link.OnSpinData(ok, ReadBody<CPelagornSpinRecord>(body, n));
        return true;
    case 5: {
        const auto r = ReadBody<CPelagornResultRecord>(body, n);
        link.OnSpinResult(ok, n ? &r : nullptr);
        return true;
    }
    case 6:
        link.OnSpinEnd(ok);
        return true;
    case 7:
        link.OnTicketOut(ok, ReadBody<CPelagornTicketOutRecord>(body, n));
        return true;
    case 8:
        link.OnGameFin(ok, ReadBody<CPelagornGameFinRecord>(body, n));
        return true;
    default:
        return false;
    }
}

// Kinds 9..15: a request the game makes. False for another kind.
inline bool Request(CPelagornProbClient& link, int kind, bool ok, const uint8_t* body, size_t n)
{
    switch (kind) {
    case 9:
        link.RequestSpinData();
        return true;
    case 10:
        link.RequestResult();
        return true;
    case 11:
        link.RequestReelsStopped();
        return true;
    case 12:
        link.RequestGameFin();
        return true;
    case 13:
        link.RequestTicketOut(n >= 1 ? body[0] : 0);
        return true;
    case 14:
        link.RequestCoinDrop();
        return true;
    case 15:
        link.RequestCoinIn(ok);
        return true;
    default:
        return false;
    }
}

// Each step of the input: an op byte (bit 7 the accepted flag, bit 6 a refusing sender, bits 0..5
// modulo 20 the kind, bits 0..3 also the clock's advance in 97 ms units), a length byte and that
// many body bytes (fewer at the end of the input). Kinds past the requests run the link's tick.
inline void Run(const uint8_t* data, size_t size)
{
    Host host;
    Sender sender;
    CPelagornProbClient link(&host, &sender);
    sender.link = &link;
    link.SetKey(3, 1);
    size_t at = 0;
    while (at + 2 <= size) {
        const uint8_t op = data[at];
        const uint8_t length = data[at + 1];
        at += 2;
        const size_t n = length < size - at ? length : size - at;
        const uint8_t* body = data + at;
        at += n;
        const bool ok = (op & 0x80) != 0;
        host.now += 97u * (op & 0x0F);
        sender.accept = (op & 0x40) == 0;
        const int kind = (op & 0x3F) % 20;
        if (!Answer(link, kind, ok, body, n) && !Request(link, kind, ok, body, n))
            link.Process();
    }
}

}  // namespace pelagorn_link_fuzz
