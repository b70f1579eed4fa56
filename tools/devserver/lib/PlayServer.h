#pragma once
// The dev server's play mode: listens on one or more loopback addresses and answers every
// connection from the play answers (PlayAnswers.h) until the server stops. Runs on one background
// thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "PlayAnswers.h"

namespace devserver {

class PlayServer {
public:
    // Binds and listens on every address at once (port 0: one free port, the same for the rest).
    // Throws std::invalid_argument for an address outside 127.0.0.0/8 and
    // boost::system::system_error when an address cannot be bound.
    PlayServer(const std::vector<std::string>& addresses, uint16_t port, PlayAnswers answers);
    ~PlayServer();
    PlayServer(const PlayServer&) = delete;
    PlayServer& operator=(const PlayServer&) = delete;

    uint16_t Port() const { return m_port; }
    // One line per event (connection, each frame in and out); called on the server's thread. Set
    // it before Start.
    void SetLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }
    void Start();
    // Runs on the caller's thread until Stop.
    void Run();
    // Closes every listener and connection; joins the thread Start made.
    void Stop();

private:
    class Connection;
    void Accept(size_t index);
    void Log(const std::string& line) const;

    boost::asio::io_context m_io;
    std::vector<std::unique_ptr<boost::asio::ip::tcp::acceptor>> m_acceptors;
    uint16_t m_port = 0;
    PlayAnswers m_answers;
    std::function<void(const std::string&)> m_log;
    std::thread m_thread;
};

}  // namespace devserver
