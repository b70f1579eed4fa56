#pragma once
// Helpers of the network tests: hex literals (the shared strict parser), a raw TCP peer on
// 127.0.0.1, bounded waits, and the client state the suite deadline reports.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/deadline.h"
#include "support/hex.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>

namespace net_test {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

// "0400 4142" -> {0x04, 0x00, 0x41, 0x42}; throws on anything but hex pairs and blanks.
using test_support::Hex;

inline std::string ToHex(const Bytes& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (uint8_t b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Frame = 16-bit little-endian length, then the body.
inline Bytes Frame(const Bytes& body)
{
    Bytes f{uint8_t(body.size()), uint8_t(body.size() >> 8)};
    f.insert(f.end(), body.begin(), body.end());
    return f;
}

// Polls until the condition holds or the time runs out. The default bound is generous (a loaded
// machine running sanitized builds in parallel is slow); a hang is the suite deadline's business.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = 10000ms)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A server end on 127.0.0.1 with an ephemeral port; every operation is bounded in time.
class RawPeer {
public:
    RawPeer() : m_acceptor(m_io, {boost::asio::ip::make_address_v4("127.0.0.1"), 0}), m_socket(m_io)
    {}

    uint16_t Port() const { return m_acceptor.local_endpoint().port(); }

    bool Accept(std::chrono::milliseconds timeout = 3000ms)
    {
        if (m_socket.is_open())
            m_socket.close();
        return Await(
            [&](auto done) { m_acceptor.async_accept(m_socket, [done](auto ec) { done(ec); }); },
            timeout);
    }

    bool Write(const Bytes& bytes)
    {
        boost::system::error_code ec;
        boost::asio::write(m_socket, boost::asio::buffer(bytes), ec);
        return !ec;
    }

    std::optional<Bytes> Read(size_t n, std::chrono::milliseconds timeout = 3000ms)
    {
        Bytes bytes(n);
        if (!Await(
                [&](auto done) {
                    boost::asio::async_read(m_socket, boost::asio::buffer(bytes),
                                            [done](auto ec, size_t) { done(ec); });
                },
                timeout))
            return std::nullopt;
        return bytes;
    }

    // One frame: its length field, then its body.
    std::optional<Bytes> ReadFrameBody(std::chrono::milliseconds timeout = 3000ms)
    {
        auto header = Read(2, timeout);
        if (!header)
            return std::nullopt;
        return Read(size_t((*header)[0] | (*header)[1] << 8), timeout);
    }

    void Close()
    {
        boost::system::error_code ec;
        m_socket.close(ec);
    }

    // Closes with a reset instead of an orderly end.
    void Reset()
    {
        boost::system::error_code ec;
        m_socket.set_option(boost::asio::socket_base::linger(true, 0), ec);
        m_socket.close(ec);
    }

private:
    bool Await(const std::function<void(std::function<void(boost::system::error_code)>)>& start,
               std::chrono::milliseconds timeout)
    {
        bool bDone = false;
        boost::system::error_code result = boost::asio::error::timed_out;
        m_io.restart();
        start([&](boost::system::error_code ec) {
            bDone = true;
            result = ec;
        });
        m_io.run_for(timeout);
        if (!bDone) {
            m_acceptor.cancel();
            boost::system::error_code ignored;
            m_socket.cancel(ignored);
            m_io.restart();
            m_io.run();
        }
        return bDone && !result;
    }

    boost::asio::io_context m_io;
    boost::asio::ip::tcp::acceptor m_acceptor;
    boost::asio::ip::tcp::socket m_socket;
};

// Connects the client to the peer over loopback and waits until the client sees the link up.
// Call it inside ASSERT_NO_FATAL_FAILURE.
template <class Client>
void ConnectToPeer(Client& client, RawPeer& peer)
{
    ASSERT_TRUE(client.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    ASSERT_TRUE(WaitUntil([&] { return client.IsConnected(); }));
}

// Runs frames until a handler is called. The I/O thread marks the link connected a moment before
// it posts the connected event, so one frame right after IsConnected() may still see nothing.
template <typename Client>
bool ProcessUntilCalled(Client& client)
{
    return WaitUntil([&] {
        client.Process();
        return !client.calls.empty();
    });
}

// Registers the client for the suite's deadline report: its connection state and the handler calls
// it has recorded. Keep the result alive for as long as the client: const auto watch =
// WatchClient(c);
template <typename Client>
test_support::WatchState WatchClient(Client& client)
{
    return test_support::WatchState([&client] {
        std::string s = "client state " + std::to_string(client.GetState()) + ", " +
                        std::to_string(client.calls.size()) + " handler calls";
        if (!client.calls.empty())
            s += ", last " + client.calls.back();
        return s;
    });
}

}  // namespace net_test
