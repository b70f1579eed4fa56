#pragma once
// The lobby fixture with the program's protocol client installed: a client a test can hand bodies
// to as the I/O thread would, little-endian field builders for those bodies, and a bounded wait
// that lets the client process what a real peer sends.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "CNetClient.h"
#include "app/lobby_fixture.h"
#include "net/net_test_support.h"

namespace netclient_test {

using net_test::Bytes;

// The program's client with the I/O thread's notifications reachable, so that a test can queue
// events and bodies as the thread does and let Process deliver them.
class DeliveringNetClient : public CNetClient {
public:
    using NetworkClient::OnClose;
    using NetworkClient::OnConnect;

    void Deliver(const Bytes& body)
    {
        OnReceive(reinterpret_cast<const char*>(body.data()), static_cast<int>(body.size()));
        Process();
    }
};

inline NetworkClient* CreateDeliveringNetClient()
{
    return new DeliveringNetClient();
}

// Little-endian field builders.
inline void U8(Bytes& b, uint32_t v)
{
    b.push_back(uint8_t(v));
}
inline void U16(Bytes& b, uint32_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void U32(Bytes& b, uint32_t v)
{
    U16(b, v & 0xFFFF);
    U16(b, v >> 16);
}
inline void WStr(Bytes& b, const std::u16string& s)
{
    U16(b, uint32_t(s.size() * 2));
    for (char16_t c : s)
        U16(b, c);
}

// Chat answer 101 from "kim" with its flags (0x01: a whisper to "lee") and text.
inline Bytes ChatAnswer(uint8_t flags, const std::u16string& text)
{
    Bytes b = net_test::Hex("6500 00");
    U8(b, flags);
    WStr(b, u"kim");
    if (flags & 0x01)
        WStr(b, u"lee");
    WStr(b, text);
    return b;
}

// LobbyTest with a DeliveringNetClient as g_NetClient for the test; the previous creator comes
// back afterwards.
class NetClientLobbyTest : public LobbyTest {
protected:
    void SetUp() override
    {
        LobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        m_oldCreator = SetNetClientCreator(&CreateDeliveringNetClient);
        ASSERT_NE(CreateNetClient(), nullptr);
    }
    void TearDown() override
    {
        LobbyTest::TearDown();
        SetNetClientCreator(m_oldCreator);
    }
    static DeliveringNetClient& Client()
    {
        return *static_cast<DeliveringNetClient*>(g_NetClient.Get());
    }
    // Processes answers until the condition holds (false after the bound).
    static bool ProcessUntil(const std::function<bool()>& done)
    {
        return net_test::WaitUntil([&] {
            Client().Process();
            return done();
        });
    }

private:
    NetClientCreator m_oldCreator = nullptr;
};

}  // namespace netclient_test
