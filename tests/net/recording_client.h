#pragma once
// A NetworkClient whose handlers record each call as one line of text, e.g.
// "OnLoginResult(3)" or "OnJixEnter(1,7,blk:01020304)" (the first four bytes of a block).

#include <cstdio>
#include <string>
#include <vector>

#include "NetworkClient.h"

class RecordingClient : public NetworkClient {
public:
    using NetworkClient::NetworkClient;
    // As every class derived from NetworkClient: stop the I/O thread before this part goes, so no
    // notification runs while the object is being taken apart.
    ~RecordingClient() override { Close(); }

    std::vector<std::string> calls;
    std::vector<uint8_t> lastBlock;  // a copy of the last block handed to a handler

    // Decodes one body as the UI thread would.
    void Dispatch(const std::vector<uint8_t>& body)
    {
        HiByteBuffer buffer(body.data(), int32_t(body.size()));
        DispatchMessage(buffer);
    }

    // The I/O thread's notifications, callable from a test.
    void InjectConnect(bool bOk) { OnConnect(bOk); }
    void InjectClose() { OnClose(); }
    void InjectReceive(const std::vector<uint8_t>& body)
    {
        OnReceive(reinterpret_cast<const char*>(body.data()), int(body.size()));
    }

    static std::string Text(const char16_t* psz)
    {
        std::string s;
        for (; psz && *psz; ++psz) {
            if (*psz >= 0x20 && *psz < 0x7F)
                s += char(*psz);
            else {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(*psz));
                s += esc;
            }
        }
        return "'" + s + "'";
    }

protected:
    template <class... Args>
    void Record(const char* pszName, const Args&... args)
    {
        std::string line = pszName;
        line += '(';
        bool bFirst = true;
        ((line += (bFirst ? "" : ","), line += Str(args), bFirst = false), ...);
        line += ')';
        calls.push_back(line);
    }
    static std::string Str(const std::string& s) { return s; }
    static std::string Str(const char* s) { return s; }
    static std::string Str(bool b) { return b ? "true" : "false"; }
    static std::string Str(float f)
    {
        char t[32];
        std::snprintf(t, sizeof t, "%g", double(f));
        return t;
    }
    template <class T>
    static std::string Str(const T& v)
    {
        return std::to_string(v);
    }
    std::string Block(const uint8_t* p, int32_t n)
    {
        if (!p)
            return "none";
        lastBlock.assign(p, p + n);
        char t[32];
        std::snprintf(t, sizeof t, "blk:%02x%02x%02x%02x", p[0], p[1], p[2], p[3]);
        return t;
    }

    void OnConnected() override { Record("OnConnected"); }
    void OnConnectFailed() override { Record("OnConnectFailed"); }
    void OnDisconnected() override { Record("OnDisconnected"); }
    void OnPrizeNoticeA(const char16_t* n, int32_t t, int32_t m, int32_t s) override
    {
        Record("OnPrizeNoticeA", Text(n), t, m, s);
    }
    void OnPrizeNoticeB(const char16_t* n, int32_t t, int32_t m, int32_t s, uint32_t a) override
    {
        Record("OnPrizeNoticeB", Text(n), t, m, s, a);
    }
    void OnPrizeNoticeC(const CPrizeNotice& p) override
    {
        Record("OnPrizeNoticeC", p.m_nGameType, p.m_nMachineNo, Text(p.m_pszName),
               p.m_abySymbols[0], p.m_abySymbols[1], p.m_abySymbols[2], p.m_abySymbols[3],
               p.m_nLine, p.m_dwPrizeAmount, p.m_nValue, p.m_nJackpotKind, p.m_dwAnnouncedAmount);
    }
    void OnUserEnterLeave(bool e, const char16_t* n) override
    {
        Record("OnUserEnterLeave", e, Text(n));
    }
    void OnLoginResult(int32_t c) override { Record("OnLoginResult", c); }
    void OnVersionCheckResult(bool a) override { Record("OnVersionCheckResult", a); }
    void OnUserInfo() override { Record("OnUserInfo"); }
    void OnChannelInfoBegin(int32_t p, int32_t c) override { Record("OnChannelInfoBegin", p, c); }
    void OnChannelInfoEntry(int32_t p, int32_t m, int32_t s) override
    {
        Record("OnChannelInfoEntry", p, m, s);
    }
    void OnChannelInfoEnd() override { Record("OnChannelInfoEnd"); }
    void OnMachineSelectResult(int32_t c, int32_t d, int32_t t, int32_t m) override
    {
        Record("OnMachineSelectResult", c, d, t, m);
    }
    void OnCoinCharged(int32_t k) override { Record("OnCoinCharged", k); }
    void OnGiftTicketCount() override { Record("OnGiftTicketCount"); }
    void OnChargeRequestResult(int32_t c) override { Record("OnChargeRequestResult", c); }
    void OnExchangeRequestResult(int32_t c) override { Record("OnExchangeRequestResult", c); }
    void OnDeckSwap() override { Record("OnDeckSwap"); }
    void OnMachineRemove(int32_t c) override { Record("OnMachineRemove", c); }
    void OnGiftTicketInfo(float r, uint32_t a, uint32_t b) override
    {
        Record("OnGiftTicketInfo", r, a, b);
    }
    void OnGiftTicketExchanged(uint32_t c, uint32_t d) override
    {
        Record("OnGiftTicketExchanged", c, d);
    }
    void OnGiftTicketFailed(int32_t c) override { Record("OnGiftTicketFailed", c); }
    void OnReserveInfoEntry(const CReserveInfoEntry& e) override
    {
        Record("OnReserveInfoEntry", Text(e.m_szStart), Text(e.m_szEnd), e.m_awMachineNo[0],
               e.m_abyValue[0], e.m_awMachineNo[1], e.m_abyValue[1], e.m_awMachineNo[2],
               e.m_abyValue[2], e.m_awMachineNo[3], e.m_abyValue[3]);
    }
    void OnReserveInfoEnd() override { Record("OnReserveInfoEnd"); }
    void OnReserveStatus(int32_t h) override { Record("OnReserveStatus", h); }
    void OnReserveStatusList(int32_t m) override { Record("OnReserveStatusList", m); }
    void OnReserveResult(const CReserveResult& r) override
    {
        Record("OnReserveResult", r.m_bApproved, r.m_awMachineNo[0], r.m_abyValue[0],
               r.m_awMachineNo[1], r.m_abyValue[1], r.m_awMachineNo[2], r.m_abyValue[2],
               r.m_awMachineNo[3], r.m_abyValue[3], r.m_wHours);
    }
    void OnDeckLogEntry(const CMachineLogEntry& e) override
    {
        Record("OnDeckLogEntry", LogText(e));
    }
    void OnGameLogEntry(const CMachineLogEntry& e) override
    {
        Record("OnGameLogEntry", LogText(e));
    }
    void OnMachineLogEnd() override { Record("OnMachineLogEnd"); }
    void OnStaffCallResult(int32_t f) override { Record("OnStaffCallResult", f); }
    void OnMachineRelease(int32_t t, int32_t m) override { Record("OnMachineRelease", t, m); }
    void OnNotice(const char16_t* t) override { Record("OnNotice", Text(t)); }
    void OnNoticeListBegin() override { Record("OnNoticeListBegin"); }
    void OnNoticeListEntry(const char16_t* t) override { Record("OnNoticeListEntry", Text(t)); }
    void OnNoticeListEnd() override { Record("OnNoticeListEnd"); }
    void OnChatLine(const char16_t* n, const char16_t* t, bool b2, bool b7, bool b0,
                    bool b3) override
    {
        Record("OnChatLine", Text(n), Text(t), b2, b7, b0, b3);
    }
    void OnExchangeDone(uint32_t a) override { Record("OnExchangeDone", a); }
    void OnChargeRefused(uint32_t a) override { Record("OnChargeRefused", a); }
    void OnJixEnter(int32_t t, int32_t m, const uint8_t* b) override
    {
        Record("OnJixEnter", t, m, Block(b, kJixSpinDataSize));
    }
    void OnJixCoinIn(int32_t r, int32_t t, int32_t m) override { Record("OnJixCoinIn", r, t, m); }
    void OnJixPlayStart(int32_t t, int32_t m, bool g, uint32_t v) override
    {
        Record("OnJixPlayStart", t, m, g, v);
    }
    void OnJixBonus(int32_t t, int32_t m, bool g, uint32_t v) override
    {
        Record("OnJixBonus", t, m, g, v);
    }
    void OnJixSpinData(int32_t t, int32_t m, bool g, const uint8_t* b) override
    {
        Record("OnJixSpinData", t, m, g, Block(b, kJixSpinDataSize));
    }
    void OnJixSpinEnd(int32_t t, int32_t m, bool o) override { Record("OnJixSpinEnd", t, m, o); }
    void OnJixTicketOut(int32_t t, int32_t m, int32_t r) override
    {
        Record("OnJixTicketOut", t, m, r);
    }
    void OnJixGameFin(int32_t t, int32_t m, bool o) override { Record("OnJixGameFin", t, m, o); }
    void OnMorvaneEnter(int32_t t, int32_t m, const uint8_t* b) override
    {
        Record("OnMorvaneEnter", t, m, Block(b, kMorvaneSpinDataSize));
    }
    void OnMorvaneCoinIn(int32_t r, int32_t t, int32_t m) override
    {
        Record("OnMorvaneCoinIn", r, t, m);
    }
    void OnMorvaneSpinData(int32_t t, int32_t m, bool g, const uint8_t* b) override
    {
        Record("OnMorvaneSpinData", t, m, g, Block(b, kMorvaneSpinDataSize));
    }
    void OnMorvaneSpinEnd(int32_t t, int32_t m, bool o) override
    {
        Record("OnMorvaneSpinEnd", t, m, o);
    }
    void OnMorvaneTicketOut(int32_t t, int32_t m, int32_t r) override
    {
        Record("OnMorvaneTicketOut", t, m, r);
    }
    void OnMorvanePerformanceValue(int32_t t, int32_t m, uint32_t i, int32_t v, int32_t f,
                                   uint32_t a) override
    {
        Record("OnMorvanePerformanceValue", t, m, i, v, f, a);
    }
    void OnMorvanePerformanceRefused(int32_t t, int32_t m) override
    {
        Record("OnMorvanePerformanceRefused", t, m);
    }
    void OnMorvaneGameFin(int32_t t, int32_t m, bool o) override
    {
        Record("OnMorvaneGameFin", t, m, o);
    }
    void OnPelagornEnter(int32_t t, int32_t m, const CPelagornEnterData& r) override
    {
        Record("OnPelagornEnter", t, m, Block(r.m_abyData, r.kSize));
    }
    void OnPelagornCoinIn(int32_t r, int32_t t, int32_t m) override
    {
        Record("OnPelagornCoinIn", r, t, m);
    }
    void OnPelagorn36(int32_t t, int32_t m, bool o, const uint8_t* b) override
    {
        Record("OnPelagorn36", t, m, o, Block(b, kPelagornCoinDropSize));
    }
    void OnPelagorn37(int32_t t, int32_t m, bool o, const CPelagornData37& r) override
    {
        Record("OnPelagorn37", t, m, o, Block(r.m_abyData, r.kSize));
    }
    void OnPelagornSpinData(int32_t t, int32_t m, bool o, const CPelagornSpinData& r) override
    {
        Record("OnPelagornSpinData", t, m, o, Block(r.m_abyData, r.kSize));
    }
    void OnPelagorn39(int32_t t, int32_t m, bool o, const CPelagornData39* r) override
    {
        Record("OnPelagorn39", t, m, o, r ? Block(r->m_abyData, r->kSize) : std::string("none"));
    }
    void OnPelagornSpinEnd(int32_t t, int32_t m, bool o, const uint8_t* v) override
    {
        Record("OnPelagornSpinEnd", t, m, o, v ? std::to_string(*v) : std::string("none"));
    }
    void OnPelagornTicketOut(int32_t t, int32_t m, bool o, const CPelagornTicketOutData& r) override
    {
        Record("OnPelagornTicketOut", t, m, o, Block(r.m_abyData, r.kSize));
    }
    void OnPelagornGameFin(int32_t t, int32_t m, bool o, const uint8_t* b) override
    {
        Record("OnPelagornGameFin", t, m, o, Block(b, kPelagornGameFinSize));
    }

private:
    static std::string LogText(const CMachineLogEntry& e)
    {
        char t[128];
        std::snprintf(t, sizeof t, "%d,%d,%d,%d,%d,%d,%d,%u,%u", e.m_nGameType, e.m_nMachineNo,
                      e.m_nMonth, e.m_nDay, e.m_nHour, e.m_nMinute, e.m_nValue, e.m_dwA, e.m_dwB);
        return t;
    }
};
