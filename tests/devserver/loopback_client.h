#pragma once
// A plain TCP client for the dev server's own tests: every read is bounded in time.

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

namespace devserver_test {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

class LoopbackClient {
public:
    explicit LoopbackClient(uint16_t port, const char* address = "127.0.0.1") : m_socket(m_io)
    {
        m_socket.connect({boost::asio::ip::make_address(address), port});
    }

    void Send(const Bytes& bytes) { boost::asio::write(m_socket, boost::asio::buffer(bytes)); }

    // Exactly n bytes, or nullopt when they do not come in time or the connection ends.
    std::optional<Bytes> Read(size_t n, std::chrono::milliseconds timeout = 3000ms)
    {
        Bytes bytes(n);
        const auto ec = Await(
            [&](auto done) {
                boost::asio::async_read(m_socket, boost::asio::buffer(bytes),
                                        [done](auto e, size_t) { done(e); });
            },
            timeout);
        if (ec)
            return std::nullopt;
        return bytes;
    }

    // What one read returns: whatever has arrived (at least one byte); empty on timeout or error.
    Bytes ReadSome(std::chrono::milliseconds timeout = 3000ms)
    {
        Bytes bytes(65536);
        size_t got = 0;
        const auto ec = Await(
            [&](auto done) {
                m_socket.async_read_some(boost::asio::buffer(bytes),
                                         [done, &got](auto e, size_t n) {
                                             got = n;
                                             done(e);
                                         });
            },
            timeout);
        bytes.resize(ec ? 0 : got);
        return bytes;
    }

    // How the connection ends: eof after an orderly close, connection_reset after a reset,
    // timed_out when it does not end in time. Bytes that still arrive are skipped.
    boost::system::error_code WaitForEnd(std::chrono::milliseconds timeout = 3000ms)
    {
        for (;;) {
            Bytes bytes(4096);
            const auto ec = Await(
                [&](auto done) {
                    m_socket.async_read_some(boost::asio::buffer(bytes),
                                             [done](auto e, size_t) { done(e); });
                },
                timeout);
            if (ec)
                return ec;
        }
    }

    void Close()
    {
        boost::system::error_code ignored;
        m_socket.shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
        m_socket.close(ignored);
    }

private:
    template <class Initiate>
    boost::system::error_code Await(Initiate&& initiate, std::chrono::milliseconds timeout)
    {
        std::optional<boost::system::error_code> result;
        initiate([&result](const boost::system::error_code& ec) { result = ec; });
        m_io.restart();
        m_io.run_for(timeout);
        if (result)
            return *result;
        m_socket.cancel();
        m_io.restart();
        m_io.run();
        return boost::asio::error::timed_out;
    }

    boost::asio::io_context m_io;
    boost::asio::ip::tcp::socket m_socket;
};

}  // namespace devserver_test
