// Round trip of a keep-alive ping over loopback: the real client sends it synchronously, the dev
// server echoes it, and the client's frame step drains the echo.

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "DevServer.h"
#include "NetworkClient.h"

namespace {

using namespace std::chrono_literals;

template <class Condition>
bool SpinUntil(Condition condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition())
        if (std::chrono::steady_clock::now() > end)
            return false;
    return true;
}

void BM_PingRoundTrip(benchmark::State& state)
{
    devserver::DevServer server("127.0.0.1", 0);
    devserver::Script script;
    script.answerPings = true;
    server.Start(std::move(script.Serve()));

    CMachineTable table;
    NetworkClient client(table);
    client.SetAsyncSend(false);
    if (!client.Connect("127.0.0.1", server.Port()) ||
        !SpinUntil([&] { return client.IsConnected(); }, 5000ms)) {
        state.SkipWithError("no connection to the dev server");
        return;
    }
    client.Process();

    for (auto _ : state) {
        client.SendPing();
        if (!SpinUntil([&] { return client.GetQueuedCount() > 0; }, 2000ms)) {
            state.SkipWithError("no echo within 2 s");
            break;
        }
        client.Process();
    }
    client.Close();
    server.Wait(5000ms);
}

}  // namespace

BENCHMARK(BM_PingRoundTrip)->UseRealTime()->Unit(benchmark::kMicrosecond);
