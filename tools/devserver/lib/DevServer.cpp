#include "DevServer.h"

#include <stdexcept>

#include <boost/asio/post.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

#include "Hex.h"
#include "MessageNames.h"

namespace devserver {

namespace asio = boost::asio;
using boost::system::error_code;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t kMaxBody = 8190;
constexpr Millis kWriteTimeout{10000};

asio::ip::address_v4 LoopbackAddress(const std::string& text)
{
    error_code ec;
    const auto address = asio::ip::make_address_v4(text, ec);
    if (ec)
        throw std::invalid_argument("not a dotted IPv4 address: \"" + text + "\"");
    if ((address.to_uint() >> 24) != 127)
        throw std::invalid_argument(
            "the dev server listens on loopback addresses (127.0.0.0/8) only, not " + text);
    return address;
}

std::string Ms(Millis duration)
{
    return std::to_string(duration.count()) + " ms";
}

uint16_t BodyId(const Bytes& body)
{
    return body.size() < 2 ? 0 : static_cast<uint16_t>(body[0] | body[1] << 8);
}

bool IsPeerGone(const error_code& ec)
{
    return ec == asio::error::eof || ec == asio::error::connection_reset ||
           ec == asio::error::connection_aborted || ec == asio::error::broken_pipe;
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

}  // namespace

// One run of a script over one connection; every wait goes through Await, so a deadline or an
// abort from another thread can end it.
class DevServer::Session {
public:
    Session(DevServer& server, const Script& script) : m_server(server), m_script(script) {}

    Outcome Go();

private:
    enum class Read { Frame, Closed, TimedOut, Aborted, BadLength, Error };
    using Deadline = std::optional<Clock::time_point>;

    template <class Initiate>
    error_code Await(Initiate&& initiate, Deadline deadline);

    Read ReadRequest(Bytes& body, Deadline deadline, bool answerPings);
    bool ReadExact(uint8_t* data, size_t size, Deadline deadline, error_code& ec);
    bool Write(const Bytes& bytes);
    bool Fail(std::string message);
    // Turns a read that brought no request into the step's failure.
    bool FailRead(Read read, const std::string& waitingFor, Millis timeout);

    bool Do(const ExpectStep& step);
    bool Do(const SendStep& step);
    bool Do(const RawStep& step);
    bool Do(const ChunkStep& step);
    bool Do(const WaitStep& step);
    bool Do(const CloseStep& step);
    bool Do(const ResetStep& step);
    bool Do(const ExpectCloseStep& step);
    bool Do(const ServeStep& step);

    DevServer& m_server;
    const Script& m_script;
    tcp::socket& m_socket = m_server.m_socket;
    asio::steady_timer& m_timer = m_server.m_timer;
    Outcome m_outcome;
    int m_step = 0;
    size_t m_chunk = 0;
    Millis m_chunkGap{1};
    error_code m_lastError;
    size_t m_badLength = 0;
};

template <class Initiate>
error_code DevServer::Session::Await(Initiate&& initiate, Deadline deadline)
{
    std::optional<error_code> result;
    initiate([&result](const error_code& ec) { result = ec; });
    asio::io_context& io = m_server.m_io;
    io.restart();
    bool timedOut = false;
    while (!result) {
        const size_t ran = deadline ? io.run_one_until(*deadline) : io.run_one();
        if (ran == 0 && !result) {
            timedOut = true;
            error_code ignored;
            m_socket.cancel(ignored);
            m_server.m_acceptor.cancel(ignored);
            m_timer.cancel();
            io.restart();
            while (!result)
                io.run_one();
        }
    }
    if (m_server.m_abort && *result == asio::error::operation_aborted)
        return asio::error::operation_aborted;
    if (timedOut && *result == asio::error::operation_aborted)
        return asio::error::timed_out;
    return *result;
}

bool DevServer::Session::ReadExact(uint8_t* data, size_t size, Deadline deadline, error_code& ec)
{
    ec = Await(
        [&](auto done) {
            asio::async_read(m_socket, asio::buffer(data, size),
                             [done](const error_code& e, size_t) { done(e); });
        },
        deadline);
    return !ec;
}

DevServer::Session::Read DevServer::Session::ReadRequest(Bytes& body, Deadline deadline,
                                                         bool answerPings)
{
    for (;;) {
        uint8_t header[2];
        error_code ec;
        if (ReadExact(header, 2, deadline, ec)) {
            const size_t length = header[0] | header[1] << 8;
            if (length == 0 || length > kMaxBody) {
                m_badLength = length;
                return Read::BadLength;
            }
            body.assign(length, 0);
            ReadExact(body.data(), length, deadline, ec);
        }
        if (ec == asio::error::timed_out)
            return Read::TimedOut;
        if (ec == asio::error::operation_aborted)
            return Read::Aborted;
        if (IsPeerGone(ec))
            return Read::Closed;
        if (ec) {
            m_lastError = ec;
            return Read::Error;
        }

        m_outcome.received.push_back(body);
        m_server.Log("<- " + DescribeId(BodyId(body), Direction::FromClient) + ": " +
                     ToHex(body, 40));
        if (!answerPings || BodyId(body) != kPingId)
            return Read::Frame;

        // The echo carries the client's own four bytes back; a short ping echoes zeros.
        Bytes echo = ByteBuilder().U16(kPingId).Take();
        for (size_t i = 2; i < 6; ++i)
            echo.push_back(i < body.size() ? body[i] : 0);
        if (!Write(Frame(echo)))
            return Read::Error;
        ++m_outcome.pingsAnswered;
    }
}

bool DevServer::Session::Write(const Bytes& bytes)
{
    const size_t piece = m_chunk ? m_chunk : bytes.size();
    for (size_t at = 0; at < bytes.size(); at += piece) {
        if (at) {
            m_timer.expires_after(m_chunkGap);
            Await([&](auto done) { m_timer.async_wait(done); }, std::nullopt);
        }
        const size_t n = std::min(piece, bytes.size() - at);
        const error_code ec = Await(
            [&](auto done) {
                asio::async_write(m_socket, asio::buffer(bytes.data() + at, n),
                                  [done](const error_code& e, size_t) { done(e); });
            },
            Clock::now() + kWriteTimeout);
        if (ec) {
            m_lastError = ec;
            return false;
        }
    }
    return true;
}

bool DevServer::Session::Fail(std::string message)
{
    m_outcome.ok = false;
    m_outcome.failedStep = m_step;
    m_outcome.message = m_step ? "step " + std::to_string(m_step) + " (" +
                                     DescribeStep(m_script.steps[m_step - 1]) + "): " + message
                               : std::move(message);
    return false;
}

bool DevServer::Session::FailRead(Read read, const std::string& waitingFor, Millis timeout)
{
    switch (read) {
    case Read::Closed:
        return Fail("the client closed the connection while " + waitingFor);
    case Read::TimedOut:
        return Fail("nothing came within " + Ms(timeout) + " while " + waitingFor);
    case Read::Aborted:
        return Fail("aborted while " + waitingFor);
    case Read::BadLength:
        return Fail("the client sent a frame length of " + std::to_string(m_badLength) +
                    " (allowed 1.." + std::to_string(kMaxBody) + ") while " + waitingFor);
    case Read::Error:
    case Read::Frame:
        break;
    }
    return Fail("connection error while " + waitingFor + ": " + m_lastError.message());
}

bool DevServer::Session::Do(const ExpectStep& step)
{
    Bytes body;
    const Read read = ReadRequest(body, Clock::now() + step.timeout, m_script.answerPings);
    if (read != Read::Frame)
        return FailRead(read, "waiting for " + DescribeId(step.id, Direction::FromClient),
                        step.timeout);
    if (const auto mismatch = CheckRequest(step, body))
        return Fail(*mismatch);
    return true;
}

bool DevServer::Session::Do(const SendStep& step)
{
    Bytes bytes;
    for (const Bytes& body : step.bodies) {
        const Bytes frame = Frame(body);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
        m_server.Log("-> " + DescribeId(BodyId(body), Direction::FromServer) + ": " +
                     ToHex(body, 40));
    }
    return Write(bytes) || Fail("write failed: " + m_lastError.message());
}

bool DevServer::Session::Do(const RawStep& step)
{
    m_server.Log("-> raw: " + ToHex(step.bytes, 40));
    return Write(step.bytes) || Fail("write failed: " + m_lastError.message());
}

bool DevServer::Session::Do(const ChunkStep& step)
{
    m_chunk = step.size;
    m_chunkGap = step.gap;
    return true;
}

bool DevServer::Session::Do(const WaitStep& step)
{
    m_timer.expires_after(step.duration);
    const error_code ec = Await([&](auto done) { m_timer.async_wait(done); }, std::nullopt);
    return ec != asio::error::operation_aborted || Fail("aborted");
}

bool DevServer::Session::Do(const CloseStep&)
{
    error_code ignored;
    m_socket.shutdown(tcp::socket::shutdown_both, ignored);
    m_socket.close(ignored);
    m_server.Log("closed");
    return true;
}

bool DevServer::Session::Do(const ResetStep&)
{
    error_code ignored;
    m_socket.set_option(asio::socket_base::linger(true, 0), ignored);
    m_socket.close(ignored);
    m_server.Log("reset");
    return true;
}

bool DevServer::Session::Do(const ExpectCloseStep& step)
{
    Bytes body;
    const Read read = ReadRequest(body, Clock::now() + step.timeout, m_script.answerPings);
    if (read == Read::Closed)
        return true;
    if (read == Read::Frame)
        return Fail("expected the client to close, got " +
                    DescribeId(BodyId(body), Direction::FromClient) + ": " + ToHex(body));
    return FailRead(read, "waiting for the client to close", step.timeout);
}

bool DevServer::Session::Do(const ServeStep&)
{
    for (;;) {
        Bytes body;
        const Read read = ReadRequest(body, std::nullopt, true);
        if (read == Read::Closed)
            return true;
        if (read != Read::Frame)
            return FailRead(read, "serving", Millis{0});
    }
}

Outcome DevServer::Session::Go()
{
    error_code ignored;
    m_socket.close(ignored);

    const error_code ec =
        Await([&](auto done) { m_server.m_acceptor.async_accept(m_socket, done); },
              Clock::now() + m_script.acceptTimeout);
    if (ec == asio::error::timed_out) {
        Fail("no connection within " + Ms(m_script.acceptTimeout));
        return m_outcome;
    }
    if (ec) {
        Fail(ec == asio::error::operation_aborted ? "aborted" : "accept failed: " + ec.message());
        return m_outcome;
    }
    m_socket.set_option(tcp::no_delay(true), ignored);
    const auto peer = m_socket.remote_endpoint(ignored);
    m_server.Log("connection from " + peer.address().to_string() + ":" +
                 std::to_string(peer.port()));

    for (const Step& step : m_script.steps) {
        ++m_step;
        if (!std::visit([this](const auto& s) { return Do(s); }, step))
            return m_outcome;
    }
    m_step = 0;
    m_outcome.ok = true;
    return m_outcome;
}

DevServer::DevServer(const std::string& address, uint16_t port)
    : m_address(address), m_acceptor(m_io), m_socket(m_io), m_timer(m_io)
{
    const tcp::endpoint endpoint(LoopbackAddress(address), port);
    m_acceptor.open(endpoint.protocol());
    m_acceptor.set_option(tcp::acceptor::reuse_address(true));
    m_acceptor.bind(endpoint);
    m_acceptor.listen();
    m_port = m_acceptor.local_endpoint().port();
}

DevServer::~DevServer()
{
    Abort();
    if (m_thread.joinable())
        m_thread.join();
}

void DevServer::Log(const std::string& line) const
{
    if (m_log)
        m_log(line);
}

bool DevServer::Claim()
{
    std::lock_guard lock(m_mutex);
    if (m_running)
        return false;
    m_abort = false;
    m_running = true;
    m_outcome.reset();
    return true;
}

bool DevServer::Start(Script script)
{
    if (!Claim())
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_thread = std::thread([this, script = std::move(script)] { Execute(script); });
    return true;
}

std::optional<Outcome> DevServer::Wait(Millis timeout)
{
    std::unique_lock lock(m_mutex);
    m_done.wait_for(lock, timeout, [this] { return m_outcome.has_value(); });
    return m_outcome;
}

Outcome DevServer::Run(const Script& script)
{
    if (!Claim())
        return Outcome{false, 0, "a run is already going", {}, 0};
    return Execute(script);
}

Outcome DevServer::Execute(const Script& script)
{
    // An Abort that raced with the end of the previous run left its handler queued; it goes now.
    // An Abort of this run that it swallowed has set the flag first.
    m_io.restart();
    m_io.poll();
    Outcome outcome = m_abort ? Outcome{false, 0, "aborted", {}, 0} : Session(*this, script).Go();
    Log(outcome.ok ? "script done" : "script failed: " + outcome.message);

    std::lock_guard lock(m_mutex);
    m_running = false;
    m_outcome = outcome;
    m_done.notify_all();
    return outcome;
}

void DevServer::Abort()
{
    m_abort = true;
    std::lock_guard lock(m_mutex);
    if (!m_running)
        return;
    asio::post(m_io, [this] {
        error_code ignored;
        m_acceptor.cancel(ignored);
        m_socket.close(ignored);
        m_timer.cancel();
    });
}

}  // namespace devserver
