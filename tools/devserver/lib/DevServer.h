#pragma once
// The scripted stand-in for the game server. It listens on one loopback address, accepts one
// connection per run and walks that connection through a script, on a background thread
// (Start/Wait) or on the caller's (Run).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include "Script.h"

namespace devserver {

constexpr uint16_t kDefaultPort = 10912;

class DevServer {
public:
    // Binds and listens at once, so Port() is known before any run (port 0: an ephemeral port).
    // Throws std::invalid_argument for an address that is not a dotted IPv4 address in 127.0.0.0/8,
    // and boost::system::system_error when the address cannot be bound.
    explicit DevServer(const std::string& address = "127.0.0.1", uint16_t port = kDefaultPort);
    // Aborts a run in progress and joins its thread.
    ~DevServer();

    DevServer(const DevServer&) = delete;
    DevServer& operator=(const DevServer&) = delete;

    uint16_t Port() const { return m_port; }
    const std::string& Address() const { return m_address; }

    // Receives one line per event (connection, each frame in and out, the outcome); called on the
    // thread that runs the script. Set it before a run starts.
    void SetLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

    // Runs the script on a background thread; false (and nothing started) while a run is going.
    bool Start(Script script);
    // The outcome of the run begun by Start, once it ended; nullopt when it has not ended in time.
    std::optional<Outcome> Wait(Millis timeout);
    // Runs the script on the caller's thread.
    Outcome Run(const Script& script);
    // Ends the current run as soon as possible; it reports failure with "aborted".
    void Abort();

private:
    class Session;

    void Log(const std::string& line) const;
    // Marks a run as going; false when one already is.
    bool Claim();
    Outcome Execute(const Script& script);

    std::string m_address;
    uint16_t m_port = 0;
    boost::asio::io_context m_io;
    boost::asio::ip::tcp::acceptor m_acceptor;
    // The connection of the last run; kept open after a script that ends without closing it,
    // until the next run begins or the server goes.
    boost::asio::ip::tcp::socket m_socket;
    boost::asio::steady_timer m_timer;
    std::function<void(const std::string&)> m_log;

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_running = false;
    std::optional<Outcome> m_outcome;
    std::atomic<bool> m_abort{false};
};

}  // namespace devserver
