#include "PlayServer.h"

#include <deque>
#include <stdexcept>

#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

#include "Hex.h"
#include "MessageNames.h"

namespace devserver {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {

constexpr size_t kMaxBody = 8190;

asio::ip::address_v4 LoopbackAddress(const std::string& text)
{
    boost::system::error_code ec;
    const asio::ip::address_v4 address = asio::ip::make_address_v4(text, ec);
    if (ec || (address.to_uint() >> 24) != 127)
        throw std::invalid_argument("not a loopback address: " + text);
    return address;
}

uint16_t BodyId(const Bytes& body)
{
    return body.size() < 2 ? 0 : static_cast<uint16_t>(body[0] | body[1] << 8);
}

}  // namespace

// One client: reads frames, answers each from the table, writes the answers in order.
class PlayServer::Connection : public PlaySession, public std::enable_shared_from_this<Connection> {
public:
    Connection(PlayServer& server, tcp::socket socket, std::string name)
        : m_server(server), m_socket(std::move(socket)), m_name(std::move(name))
    {}

    void Start() { ReadHeader(); }

    void Send(Bytes body) override
    {
        Log("-> " + DescribeId(BodyId(body), Direction::FromServer) + ": " + ToHex(body, 40));
        const bool idle = m_out.empty();
        m_out.push_back(Frame(body));
        if (idle)
            WriteNext();
    }

    void Log(const std::string& line) override { m_server.Log("[" + m_name + "] " + line); }

private:
    void ReadHeader()
    {
        auto self = shared_from_this();
        asio::async_read(m_socket, asio::buffer(m_header),
                         [this, self](boost::system::error_code ec, size_t) {
                             if (ec)
                                 return Closed(ec);
                             const size_t length = m_header[0] | m_header[1] << 8;
                             if (length == 0 || length > kMaxBody) {
                                 Log("bad frame length " + std::to_string(length) + "; closing");
                                 m_socket.close();
                                 return;
                             }
                             m_body.assign(length, 0);
                             ReadBody();
                         });
    }

    void ReadBody()
    {
        auto self = shared_from_this();
        asio::async_read(m_socket, asio::buffer(m_body),
                         [this, self](boost::system::error_code ec, size_t) {
                             if (ec)
                                 return Closed(ec);
                             Log("<- " + DescribeId(BodyId(m_body), Direction::FromClient) + ": " +
                                 ToHex(m_body, 40));
                             if (!m_server.m_answers.Answer(*this, m_body))
                                 Log("no answer for " + std::to_string(BodyId(m_body)));
                             ReadHeader();
                         });
    }

    void WriteNext()
    {
        auto self = shared_from_this();
        asio::async_write(m_socket, asio::buffer(m_out.front()),
                          [this, self](boost::system::error_code ec, size_t) {
                              if (ec)
                                  return;
                              m_out.pop_front();
                              if (!m_out.empty())
                                  WriteNext();
                          });
    }

    void Closed(const boost::system::error_code& ec)
    {
        Log(ec == asio::error::eof ? "client closed" : "connection ended: " + ec.message());
    }

    PlayServer& m_server;
    tcp::socket m_socket;
    std::string m_name;
    uint8_t m_header[2] = {};
    Bytes m_body;
    std::deque<Bytes> m_out;
};

PlayServer::PlayServer(const std::vector<std::string>& addresses, uint16_t port,
                       PlayAnswers answers)
    : m_port(port), m_answers(std::move(answers))
{
    for (const std::string& text : addresses) {
        const tcp::endpoint endpoint(LoopbackAddress(text), m_port);
        auto acceptor = std::make_unique<tcp::acceptor>(m_io);
        acceptor->open(endpoint.protocol());
        acceptor->set_option(tcp::acceptor::reuse_address(true));
        acceptor->bind(endpoint);
        acceptor->listen();
        m_port = acceptor->local_endpoint().port();
        m_acceptors.push_back(std::move(acceptor));
    }
}

PlayServer::~PlayServer()
{
    Stop();
}

void PlayServer::Log(const std::string& line) const
{
    if (m_log)
        m_log(line);
}

void PlayServer::Accept(size_t index)
{
    tcp::acceptor& acceptor = *m_acceptors[index];
    acceptor.async_accept([this, index](boost::system::error_code ec, tcp::socket socket) {
        if (ec)
            return;
        boost::system::error_code ignored;
        const tcp::endpoint peer = socket.remote_endpoint(ignored);
        const std::string name = m_acceptors[index]->local_endpoint(ignored).address().to_string() +
                                 " " + peer.address().to_string() + ":" +
                                 std::to_string(peer.port());
        socket.set_option(tcp::no_delay(true), ignored);
        auto connection = std::make_shared<Connection>(*this, std::move(socket), name);
        connection->Log("connected");
        connection->Start();
        Accept(index);
    });
}

void PlayServer::Run()
{
    for (size_t i = 0; i < m_acceptors.size(); ++i)
        Accept(i);
    m_io.run();
}

void PlayServer::Start()
{
    m_thread = std::thread([this] { Run(); });
}

void PlayServer::Stop()
{
    m_io.stop();
    if (m_thread.joinable())
        m_thread.join();
}

}  // namespace devserver
