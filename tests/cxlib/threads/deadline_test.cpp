// The test deadline itself: a scope that outlives its limit ends the program with the test's name
// and the state it describes; a scope left in time ends quietly.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "cxlib/threads/wait_for.h"

TEST(TestDeadlineDeathTest, AHangEndsTheProgramNamingTheTestAndItsState)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            Deadline deadline(std::chrono::milliseconds(20),
                              [] { return std::string("waiting on the lock"); });
            std::this_thread::sleep_for(std::chrono::seconds(10));
        },
        "TestDeadlineDeathTest.AHangEndsTheProgramNamingTheTestAndItsState: FAILED, still running "
        "after 20 "
        "ms; state: waiting on the lock");
}

TEST(TestDeadline, AScopeLeftInTimeEndsQuietly)
{
    for (int i = 0; i < 20; ++i)
        Deadline deadline(std::chrono::milliseconds(50));
}
