#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "HiFrameReader.h"
#include "HiPacketBuffer.h"

namespace boost::system {
class error_code;
}

// The framed TCP connection: connects to one server, reads frames on its I/O thread and reports
// them through three virtual notifications, and writes frames.
//
// Every socket operation runs on the I/O thread; the caller's Connect, Send and Close post work to
// it. Each connection attempt gets a new generation number, and completions of an older generation
// are dropped, so a late completion can never touch a newer connection. An established connection
// reports exactly one OnClose, however it ends; a connection attempt reports exactly one
// OnConnect.
class HiNetworkClient {
public:
    static constexpr uint16_t kDefaultPort = 10912;
    // How long a connection attempt may wait for an answer before it fails.
    static constexpr uint32_t kDefaultConnectTimeoutMs = 20000;

    enum State : int32_t { STATE_CLOSED = 0, STATE_CONNECTING = 1, STATE_CONNECTED = 2 };

    HiNetworkClient();
    HiNetworkClient(const HiNetworkClient&) = delete;
    HiNetworkClient& operator=(const HiNetworkClient&) = delete;
    virtual ~HiNetworkClient();

    // Starts an asynchronous connect to a dotted IPv4 address. Refused (false) unless closed, or
    // when the address is malformed. The I/O thread starts on first use and stays until Close.
    bool Connect(const char* pszAddress, uint16_t nPort = kDefaultPort);
    // Ends the connection (one OnClose when it was established; an attempt in progress ends
    // without a notification), then stops and joins the I/O thread. Called from a notification it
    // only ends the connection; the thread stops at the next Close from another thread.
    void Close();
    // Writes one frame. Synchronous mode waits for the write and returns the frame size, or 0 when
    // the frame could not be written (the connection is then closed and reported closed).
    // Asynchronous mode, and any send from a notification, queues the frame and returns its size.
    // 0 unless connected.
    int Send(const HiPacketBuffer& packet);

    int32_t GetState() const { return m_nState.load(); }
    bool IsConnected() const { return m_nState.load() == STATE_CONNECTED; }
    void SetAsyncSend(bool bAsync) { m_bAsyncSend = bAsync; }
    // How long an attempt may wait for an answer before it fails (kDefaultConnectTimeoutMs until
    // set); an attempt already started keeps the value it started with.
    void SetConnectTimeout(uint32_t dwMilliseconds) { m_dwConnectTimeoutMs = dwMilliseconds; }
    uint32_t GetConnectTimeout() const { return m_dwConnectTimeoutMs; }

protected:
    // Notifications, all on the I/O thread.
    virtual void OnConnect(bool bOk);
    virtual void OnClose();
    virtual void OnReceive(const char* pBody, int nLength);

    // Ends the established connection from the I/O thread (inside a notification) and reports
    // OnClose once.
    void DropConnection();

private:
    // The asio objects (io_context, work guard, socket, connect timer), the I/O thread and the
    // send queue; kept out of this header so that its users need no asio.
    struct Impl;
    struct PendingSend;

    bool IsIoThread() const;
    void RunIoLoop();
    void StartConnect(uint32_t dwGeneration, uint32_t dwAddress, uint16_t nPort,
                      uint32_t dwTimeoutMs);
    void HandleConnect(uint32_t dwGeneration, const boost::system::error_code& ec);
    void HandleConnectTimeout(uint32_t dwGeneration, const boost::system::error_code& ec);
    void ReadHeader(uint32_t dwGeneration);
    void HandleReadHeader(uint32_t dwGeneration, const boost::system::error_code& ec);
    void ReadBody(uint32_t dwGeneration);
    void HandleReadBody(uint32_t dwGeneration, const boost::system::error_code& ec);
    void QueueSend(PendingSend& pending);
    void StartWrite();
    void HandleWrite(uint32_t dwGeneration, const boost::system::error_code& ec,
                     std::size_t nBytes);
    // Closes the socket, fails the queued sends and ends the generation; true when the link was
    // established (the caller then reports OnClose).
    bool CloseLink();

    std::unique_ptr<Impl> m_pImpl;
    bool m_bThreadRunning = false;
    HiFrameReader m_frameReader;  // I/O thread only
    std::atomic<int32_t> m_nState{STATE_CLOSED};
    uint32_t m_dwGeneration = 0;  // I/O thread only
    bool m_bAsyncSend = true;
    uint32_t m_dwConnectTimeoutMs =
        kDefaultConnectTimeoutMs;  // caller's thread; each attempt takes a copy
};
