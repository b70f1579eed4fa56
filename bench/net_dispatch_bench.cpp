// Decoding and dispatch of a mixed stream of answers, in messages per second.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "NetworkClient.h"

namespace {

// Counts the handler calls so that no dispatch can be optimised away.
class CountingClient : public NetworkClient {
public:
    using NetworkClient::NetworkClient;
    int64_t nCalls = 0;

protected:
    void OnChatLine(const char16_t*, const char16_t*, bool, bool, bool, bool) override { ++nCalls; }
    void OnJixSpinData(int32_t, int32_t, bool, const uint8_t*) override { ++nCalls; }
    void OnMorvaneSpinData(int32_t, int32_t, bool, const uint8_t*) override { ++nCalls; }
    void OnPelagornSpinData(int32_t, int32_t, bool, const CPelagornSpinData&) override { ++nCalls; }
    void OnUserInfo() override { ++nCalls; }
    void OnReserveInfoEntry(const CReserveInfoEntry&) override { ++nCalls; }
    void OnPrizeNoticeC(const CPrizeNotice&) override { ++nCalls; }
    void OnExchangeDone(uint32_t) override { ++nCalls; }
};

std::vector<uint8_t> Body(std::initializer_list<uint8_t> head, size_t size)
{
    std::vector<uint8_t> b(head);
    b.resize(size, 0x11);
    return b;
}

// Chat, spin data of the three games, user info with its machine table, a reservation, a prize
// notice and a small money answer: the mix of a busy lobby.
std::vector<std::vector<uint8_t>> MixedStream()
{
    return {
        {101, 0, 0, 0, 4, 0, 'K', 0, 'i', 0, 8, 0, 'H', 0, 'e', 0, 'l', 0, 'o', 0},
        Body({18, 0, 1, 7, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 1}, 18 + 180),
        Body({25, 0, 2, 8, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1}, 14 + 200),
        Body({38, 0, 3, 9, 0, 1}, 6 + 227),
        {9, 0, 0, 2, 0, 'A', 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 7,
         0, 1, 0, 0, 0, 2,   0, 0, 0, 3, 0, 0, 0, 0, 0, 0},
        {116, 0, 1, 0xea, 0x07, 12, 31, 23, 30, 25, 0, 5, 0, 3, 0, 0, 0, 0, 0, 0},
        {113, 0,    3,    9, 0, 2,    0, 'A',  0,    2, 1, 2, 3,
         4,   0x10, 0x27, 0, 0, 0xff, 5, 0x20, 0xa1, 7, 0, 1},
        {128, 0, 0x10, 0x27, 0, 0},
    };
}

void BM_DispatchMixedAnswers(benchmark::State& state)
{
    CMachineTable table;
    CountingClient client(table);
    const auto stream = MixedStream();
    for (auto _ : state)
        for (const auto& body : stream) {
            HiByteBuffer buffer(body.data(), int32_t(body.size()));
            client.DispatchMessage(buffer);
        }
    benchmark::DoNotOptimize(client.nCalls);
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
}
BENCHMARK(BM_DispatchMixedAnswers);

}  // namespace
