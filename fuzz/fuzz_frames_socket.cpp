// libFuzzer target: the frame splitter through a real socket. A raw peer on 127.0.0.1 writes the
// input as one byte stream and closes; the client must deliver exactly the frames a reference
// splitter finds, in order, and report one close. One connection per input makes this slow (a few
// hundred inputs a second): fuzz_frames runs the same reader from memory.
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "HiNetworkClient.h"
#include "frame_streams.h"
#include "net_test_support.h"

namespace {

using net_test::Bytes;

class Collector : public HiNetworkClient {
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

}  // namespace

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
    if (!net_test::WaitUntil(
            [&] {
                std::lock_guard<std::mutex> g(client.mutex);
                return client.nClosed > 0;
            },
            std::chrono::milliseconds(5000)))
        std::abort();
    client.Close();
    std::lock_guard<std::mutex> g(client.mutex);
    if (client.nConnected != 1 || client.nClosed != 1 ||
        client.frames != ReferenceFrames(data, size).frames)
        std::abort();
    return 0;
}
