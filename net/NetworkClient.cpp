#include "NetworkClient.h"

#include "MessageIds.h"

#include "NetLog.h"
#include "platform/clock.h"

NetworkClient::NetworkClient(CMachineTable& table)
    : m_table(table), m_dSecondsPerTick(1.0 / double(platform::PerformanceFrequency())),
      m_qwStartCounter(platform::PerformanceCounter())
{
    SetAsyncSend(false);
    for (int32_t i = 0; i < kInitialPoolSize; ++i)
        m_freePool.emplace_back(new HiLocalByteBuffer);
}

NetworkClient::~NetworkClient()
{
    // The notifications run on the I/O thread and use the queues: stop it while they exist.
    Close();
}

void NetworkClient::OnConnect(bool bOk)
{
    if (bOk) {
        m_bClosedEvent.store(false);
        m_bConnectedEvent.store(true);
    } else
        m_bConnectFailedEvent.store(true);
}

void NetworkClient::OnClose()
{
    m_bConnectedEvent.store(false);
    m_bConnectFailedEvent.store(false);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        while (!m_receiveQueue.empty()) {
            m_freePool.push_back(std::move(m_receiveQueue.front()));
            m_receiveQueue.pop_front();
        }
    }
    m_bClosedEvent.store(true);
}

void NetworkClient::OnReceive(const char* pBody, int nLength)
{
    bool bOverflow = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_receiveQueue.size() >= kMaxQueuedMessages)
            bOverflow = true;
        else {
            HiPointer<HiLocalByteBuffer> buffer;
            if (m_freePool.empty())
                buffer = HiPointer<HiLocalByteBuffer>(new HiLocalByteBuffer);
            else {
                buffer = std::move(m_freePool.front());
                m_freePool.pop_front();
            }
            if (buffer->Assign(pBody, nLength))
                m_receiveQueue.push_back(std::move(buffer));
            else
                m_freePool.push_back(std::move(buffer));
        }
    }
    if (bOverflow) {
        NetLogError("NetworkClient::OnReceive", "receive queue overflow, connection closed.");
        DropConnection();
    }
}

void NetworkClient::Process()
{
    if (m_bConnectedEvent.exchange(false)) {
        OnConnected();
        return;
    }
    if (m_bConnectFailedEvent.exchange(false)) {
        OnConnectFailed();
        return;
    }
    if (m_bClosedEvent.exchange(false)) {
        OnDisconnected();
        return;
    }
    // The batch is a member that trades its storage with the receive queue, so a frame makes no
    // allocation; a handler that runs Process again finds it busy and leaves the queue for later.
    if (m_bDispatching)
        return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_dispatchBatch.swap(m_receiveQueue);
    }
    if (m_dispatchBatch.empty())
        return;
    // Handlers run without the lock, so the I/O thread keeps receiving meanwhile.
    {
        struct Busy {
            bool& flag;
            explicit Busy(bool& f) : flag(f) { flag = true; }
            ~Busy() { flag = false; }
        } busy(m_bDispatching);
        for (HiPointer<HiLocalByteBuffer>& buffer : m_dispatchBatch)
            DispatchMessage(*buffer);
    }
    std::lock_guard<std::mutex> guard(m_lock);
    for (HiPointer<HiLocalByteBuffer>& buffer : m_dispatchBatch)
        m_freePool.push_back(std::move(buffer));
    m_dispatchBatch.clear();
}

size_t NetworkClient::GetQueuedCount()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_receiveQueue.size();
}

size_t NetworkClient::GetPoolCount()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_freePool.size();
}

bool NetworkClient::SendPacket(const void* pBody, int32_t nLength)
{
    if (!IsConnected())
        return false;
    HiPacketBuffer packet;
    if (!packet.SetBody(pBody, nLength))
        return false;
    return Send(packet) > 0;
}

bool NetworkClient::SendPing()
{
    const double dSeconds =
        double(platform::PerformanceCounter() - m_qwStartCounter) * m_dSecondsPerTick;
    uint8_t store[6];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(netmsg::MsgPing);
    body.WriteF32(float(dSeconds));
    return SendPacket(body.GetData(), body.GetSize());
}
