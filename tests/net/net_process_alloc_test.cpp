// An idle frame's delivery makes no heap allocation once the client is running: the batch it
// dispatches trades its storage with the receive queue. Counted by the test program's
// replaced operator new (net_alloc_count.cpp).
#include <gtest/gtest.h>

#include "net_test_support.h"
#include "recording_client.h"
#include "support/alloc_count.h"

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

    StartCountingAllocations();
    for (int frame = 0; frame < 3; ++frame)
        client.Process();
    EXPECT_EQ(StopCountingAllocations(), 0) << "idle frames";
}
