#pragma once
// A recording sender and a recording game-side host for the Pelagorn server link, with a clock a
// test moves by hand.
#include <cstdint>
#include <string>
#include <vector>

#include "CPelagornLinkHost.h"
#include "CPelagornSender.h"

class RecordingPelagornSender : public CPelagornSender {
public:
    bool Send(PelagornRequest request, uint8_t kind, uint16_t machineNo,
              const CPelagornItemHit& hit) override
    {
        if (!accept)
            return false;
        sent.push_back(static_cast<int>(request));
        lastKind = kind;
        lastMachine = machineNo;
        lastHit = hit;
        return true;
    }
    int Count(PelagornRequest request) const
    {
        int n = 0;
        for (int id : sent)
            n += id == static_cast<int>(request);
        return n;
    }

    bool accept = true;
    std::vector<int> sent;
    uint8_t lastKind = 0;
    uint16_t lastMachine = 0;
    CPelagornItemHit lastHit;
};

class RecordingPelagornHost : public CPelagornLinkHost {
public:
    uint32_t GetTimeMs() const override { return now; }
    void ApplyEnterData(const CPelagornEnterRecord& r) override
    {
        calls.push_back("enter");
        enter = r;
    }
    void ApplyCoinInCredit(int32_t c) override { calls.push_back("coinin " + std::to_string(c)); }
    void ApplyCoinDrop(bool fromCredit) override
    {
        calls.push_back(fromCredit ? "drop credit" : "drop gift");
    }
    void ApplyMeters(int32_t c, int32_t g, int32_t s, bool withSpin) override
    {
        calls.push_back("meters " + std::to_string(c) + " " + std::to_string(g) +
                        (withSpin ? " " + std::to_string(s) : std::string()));
    }
    void RefreshSpin() override { calls.push_back("refresh spin"); }
    void ApplyItemHit(const CPelagornItemRecord& r) override
    {
        calls.push_back("item " + std::to_string(r.iKind));
    }
    void ApplySpinData(const CPelagornSpinRecord& r) override
    {
        calls.push_back("spin " + std::to_string(r.iCredit));
    }
    void ApplySpinResult(const CPelagornResultRecord& r) override
    {
        calls.push_back("result " + std::to_string(r.state.iTotalWin));
    }
    void ApplyTicketOut(bool ok, const CPelagornTicketOutRecord& r) override
    {
        calls.push_back(std::string(ok ? "ticket ok " : "ticket refused ") +
                        std::to_string(r.iCommGift));
    }
    void ApplyGameFin(const CPelagornGameFinRecord& r) override
    {
        calls.push_back("fin " + std::to_string(r.iCredit));
    }

    uint32_t now = 0;
    std::vector<std::string> calls;
    CPelagornEnterRecord enter;
};
