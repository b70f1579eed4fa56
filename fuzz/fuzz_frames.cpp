// libFuzzer target: the frame splitter. A raw peer on 127.0.0.1 writes the input as one byte stream
// and closes; the client must deliver exactly the frames a reference splitter finds, in order, and
// report one close.
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "HiNetworkClient.h"
#include "net_test_support.h"

namespace {

using net_test::Bytes;

class Collector : public HiNetworkClient
{
public:
    std::mutex mutex;
    std::vector<Bytes> frames;
    int nConnected = 0;
    int nClosed = 0;

protected:
    void OnConnect(bool bOk) override
    {
        std::lock_guard<std::mutex> g(mutex);
        nConnected += bOk ? 1 : 0;
    }
    void OnClose() override
    {
        std::lock_guard<std::mutex> g(mutex);
        ++nClosed;
    }
    void OnReceive(const char* p, int n) override
    {
        std::lock_guard<std::mutex> g(mutex);
        frames.emplace_back(p, p + n);
    }
};

std::vector<Bytes> ReferenceFrames(const uint8_t* data, size_t size)
{
    std::vector<Bytes> frames;
    size_t pos = 0;
    while (size - pos >= 2)
    {
        const size_t n = data[pos] | data[pos + 1] << 8;
        if (n < 1 || n > 8190 || size - pos - 2 < n)
            break;
        frames.emplace_back(data + pos + 2, data + pos + 2 + n);
        pos += 2 + n;
    }
    return frames;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 32768)
        return 0;
    static net_test::RawPeer peer;
    Collector client;
    if (!client.Connect("127.0.0.1", peer.Port()) || !peer.Accept())
        std::abort();
    peer.Write(Bytes(data, data + size));
    peer.Close();
    if (!net_test::WaitUntil([&] {
            std::lock_guard<std::mutex> g(client.mutex);
            return client.nClosed > 0;
        }, std::chrono::milliseconds(5000)))
        std::abort();
    client.Close();
    std::lock_guard<std::mutex> g(client.mutex);
    if (client.nConnected != 1 || client.nClosed != 1 || client.frames != ReferenceFrames(data, size))
        std::abort();
    return 0;
}
