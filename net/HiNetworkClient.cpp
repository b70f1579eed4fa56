#include "HiNetworkClient.h"

#include <exception>

#include <chrono>
#include <cstdio>
#include <deque>
#include <future>
#include <optional>
#include <thread>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>

#include "NetLog.h"

using boost::asio::ip::tcp;
using boost::system::error_code;

namespace {

// The client whose I/O thread this is; null on every other thread.
thread_local const HiNetworkClient* t_pIoThreadOwner = nullptr;

}  // namespace

struct HiNetworkClient::PendingSend {
    HiPacketBuffer packet;
    std::shared_ptr<std::promise<int>> result;  // null in asynchronous mode

    void Finish(int nWritten)
    {
        if (result)
            result->set_value(nWritten);
    }
};

struct HiNetworkClient::Impl {
    boost::asio::io_context ioContext;
    std::optional<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> work;
    tcp::socket socket{ioContext};
    boost::asio::steady_timer connectTimer{ioContext};
    std::thread ioThread;
    std::deque<PendingSend> sendQueue;  // I/O thread only; front = frame being written
};

HiNetworkClient::HiNetworkClient() : m_pImpl(std::make_unique<Impl>()) {}

HiNetworkClient::~HiNetworkClient()
{
    Close();
}

bool HiNetworkClient::Connect(const char* pszAddress, uint16_t nPort)
{
    error_code ec;
    const auto address = boost::asio::ip::make_address_v4(pszAddress ? pszAddress : "", ec);
    if (ec)
        return false;
    int32_t nExpected = STATE_CLOSED;
    if (!m_nState.compare_exchange_strong(nExpected, STATE_CONNECTING))
        return false;
    if (!m_bThreadRunning) {
        m_bThreadRunning = true;
        m_pImpl->ioContext.restart();
        m_pImpl->work.emplace(m_pImpl->ioContext.get_executor());
        m_pImpl->ioThread = std::thread([this] { RunIoLoop(); });
    }
    const uint32_t dwAddress = address.to_uint();
    const uint32_t dwTimeoutMs = m_dwConnectTimeoutMs;
    boost::asio::post(m_pImpl->ioContext, [this, dwAddress, nPort, dwTimeoutMs] {
        StartConnect(++m_dwGeneration, dwAddress, nPort, dwTimeoutMs);
    });
    return true;
}

bool HiNetworkClient::IsIoThread() const
{
    return t_pIoThreadOwner == this;
}

void HiNetworkClient::RunIoLoop()
{
    t_pIoThreadOwner = this;
    // A notification that throws must not end the I/O thread. It leaves its connection without an
    // outstanding read, so the connection is ended; the thread keeps serving.
    for (;;) {
        try {
            m_pImpl->ioContext.run();
            return;
        } catch (const std::exception& e) {
            NetLogError("HiNetworkClient::RunIoLoop", e.what());
        } catch (...) {
            NetLogError("HiNetworkClient::RunIoLoop", "unknown exception");
        }
        try {
            DropConnection();
        } catch (...) {
            NetLogError("HiNetworkClient::RunIoLoop", "exception in OnClose");
        }
    }
}

void HiNetworkClient::StartConnect(uint32_t dwGeneration, uint32_t dwAddress, uint16_t nPort,
                                   uint32_t dwTimeoutMs)
{
    m_pImpl->connectTimer.expires_after(std::chrono::milliseconds(dwTimeoutMs));
    m_pImpl->connectTimer.async_wait(
        [this, dwGeneration](const error_code& ec) { HandleConnectTimeout(dwGeneration, ec); });
    m_pImpl->socket.async_connect(
        tcp::endpoint(boost::asio::ip::address_v4(dwAddress), nPort),
        [this, dwGeneration](const error_code& ec) { HandleConnect(dwGeneration, ec); });
}

void HiNetworkClient::HandleConnectTimeout(uint32_t dwGeneration, const error_code& ec)
{
    // Closing the socket completes the pending connect with an error, which reports the failure.
    if (!ec && dwGeneration == m_dwGeneration && m_nState.load() == STATE_CONNECTING) {
        error_code ignored;
        m_pImpl->socket.close(ignored);
    }
}

void HiNetworkClient::HandleConnect(uint32_t dwGeneration, const error_code& ec)
{
    if (dwGeneration != m_dwGeneration)
        return;
    m_pImpl->connectTimer.cancel();
    if (ec || !m_pImpl->socket.is_open()) {
        CloseLink();
        OnConnect(false);
        return;
    }
    error_code ignored;
    m_pImpl->socket.set_option(tcp::no_delay(true), ignored);
    m_nState.store(STATE_CONNECTED);
    m_frameReader.Reset();
    OnConnect(true);
    if (dwGeneration == m_dwGeneration)
        ReadHeader(dwGeneration);
}

void HiNetworkClient::ReadHeader(uint32_t dwGeneration)
{
    boost::asio::async_read(
        m_pImpl->socket,
        boost::asio::buffer(m_frameReader.GetReadBuffer(), size_t(m_frameReader.GetReadSize())),
        [this, dwGeneration](const error_code& ec, std::size_t) {
            HandleReadHeader(dwGeneration, ec);
        });
}

void HiNetworkClient::HandleReadHeader(uint32_t dwGeneration, const error_code& ec)
{
    if (dwGeneration != m_dwGeneration)
        return;
    if (ec || m_frameReader.OnRead() != HiFrameReader::Step::ReadBody) {
        DropConnection();
        return;
    }
    ReadBody(dwGeneration);
}

void HiNetworkClient::ReadBody(uint32_t dwGeneration)
{
    boost::asio::async_read(
        m_pImpl->socket,
        boost::asio::buffer(m_frameReader.GetReadBuffer(), size_t(m_frameReader.GetReadSize())),
        [this, dwGeneration](const error_code& ec, std::size_t) {
            HandleReadBody(dwGeneration, ec);
        });
}

void HiNetworkClient::HandleReadBody(uint32_t dwGeneration, const error_code& ec)
{
    if (dwGeneration != m_dwGeneration)
        return;
    if (ec || m_frameReader.OnRead() != HiFrameReader::Step::Frame) {
        DropConnection();
        return;
    }
    OnReceive(m_frameReader.GetBody(), m_frameReader.GetBodyLength());
    if (dwGeneration == m_dwGeneration)  // OnReceive may have dropped the connection
        ReadHeader(dwGeneration);
}

int HiNetworkClient::Send(const HiPacketBuffer& packet)
{
    if (!IsConnected() || packet.GetBodyLength() < 1)
        return 0;
    auto pending = std::make_shared<PendingSend>(PendingSend{packet, nullptr});
    if (IsIoThread()) {
        // From a notification: the write cannot be waited for on the thread that performs it, so
        // it is queued; a failure is reported through OnClose.
        QueueSend(*pending);
        return packet.GetFrameSize();
    }
    std::future<int> written;
    if (!m_bAsyncSend) {
        pending->result = std::make_shared<std::promise<int>>();
        written = pending->result->get_future();
    }
    boost::asio::post(m_pImpl->ioContext, [this, pending] { QueueSend(*pending); });
    return m_bAsyncSend ? packet.GetFrameSize() : written.get();
}

void HiNetworkClient::QueueSend(PendingSend& pending)
{
    if (m_nState.load() != STATE_CONNECTED) {
        pending.Finish(0);
        return;
    }
    m_pImpl->sendQueue.push_back(std::move(pending));
    if (m_pImpl->sendQueue.size() == 1)
        StartWrite();
}

void HiNetworkClient::StartWrite()
{
    const HiPacketBuffer& packet = m_pImpl->sendQueue.front().packet;
    boost::asio::async_write(
        m_pImpl->socket, boost::asio::buffer(packet.GetFrame(), size_t(packet.GetFrameSize())),
        [this, dwGeneration = m_dwGeneration](const error_code& ec, std::size_t nBytes) {
            HandleWrite(dwGeneration, ec, nBytes);
        });
}

void HiNetworkClient::HandleWrite(uint32_t dwGeneration, const error_code& ec, std::size_t nBytes)
{
    if (dwGeneration != m_dwGeneration)
        return;
    PendingSend& front = m_pImpl->sendQueue.front();
    if (ec || nBytes != size_t(front.packet.GetFrameSize())) {
        DropConnection();
        return;
    }
    front.Finish(int(nBytes));
    m_pImpl->sendQueue.pop_front();
    if (!m_pImpl->sendQueue.empty())
        StartWrite();
}

void HiNetworkClient::DropConnection()
{
    if (CloseLink())
        OnClose();
}

bool HiNetworkClient::CloseLink()
{
    const bool bWasConnected = m_nState.exchange(STATE_CLOSED) == STATE_CONNECTED;
    ++m_dwGeneration;
    m_pImpl->connectTimer.cancel();
    error_code ignored;
    if (m_pImpl->socket.is_open()) {
        m_pImpl->socket.shutdown(tcp::socket::shutdown_both, ignored);
        m_pImpl->socket.close(ignored);
    }
    for (PendingSend& pending : m_pImpl->sendQueue)
        pending.Finish(0);
    m_pImpl->sendQueue.clear();
    return bWasConnected;
}

void HiNetworkClient::Close()
{
    if (IsIoThread()) {
        // From a notification the thread cannot join itself: end the link only.
        DropConnection();
        return;
    }
    if (!m_bThreadRunning) {
        m_nState.store(STATE_CLOSED);
        return;
    }
    boost::asio::post(m_pImpl->ioContext, [this] { DropConnection(); });
    // Without the work guard the run loop returns once the posted close and the aborted
    // operations' completions have run.
    m_pImpl->work.reset();
    if (m_pImpl->ioThread.joinable())
        m_pImpl->ioThread.join();
    m_bThreadRunning = false;
}

void HiNetworkClient::OnConnect(bool bOk)
{
    std::fputs(bOk ? "Server Connect Success.\n" : "Server Connect Failed.\n", stdout);
}

void HiNetworkClient::OnClose()
{
    std::fputs("onClose\n", stdout);
}

void HiNetworkClient::OnReceive(const char* pBody, int nLength)
{
    std::fputs("Receive : ", stdout);
    std::fwrite(pBody, 1, size_t(nLength), stdout);
    std::fputs("\n", stdout);
}
