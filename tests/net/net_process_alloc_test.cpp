// An idle frame's delivery makes no heap allocation once the client is running: the batch it
// dispatches trades its storage with the receive queue. Counted by replacing operator new for
// this test program (the count is kept per thread and only while a test asks for it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "net_test_support.h"
#include "recording_client.h"

namespace {
thread_local bool t_bCounting = false;
thread_local long t_nAllocations = 0;
}  // namespace

void* operator new(std::size_t size)
{
    if (t_bCounting)
        ++t_nAllocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

using namespace net_test;

TEST(NetworkClientFrameAllocations, IdleFramesAllocateNothingOnceRunning)
{
    CMachineTable table;
    RecordingClient client(table);
    const auto watch = WatchClient(client);
    const Bytes body{128, 0, 7, 0, 0, 0};
    client.InjectReceive(body);
    client.Process();  // the first delivery gives the batch its storage
    ASSERT_EQ(client.calls.size(), 1u);

    t_nAllocations = 0;
    t_bCounting = true;
    for (int frame = 0; frame < 3; ++frame)
        client.Process();
    t_bCounting = false;
    EXPECT_EQ(t_nAllocations, 0) << "idle frames";
}
