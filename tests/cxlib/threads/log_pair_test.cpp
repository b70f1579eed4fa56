// The log's two-call record: SetLocation holds the log until WriteLine has written.

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

#include "CXLog.h"
#include "cxlib/threads/wait_for.h"
#include "platform/clock.h"
#include "platform/thread_name.h"
#include "support/temp_folder.h"

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(CXLogPair, HoldsTheLogFromLocationToLine)
{
    TempFolder folder("cxlog_pair");
    CXLog log((folder.String() + "/LOG/PAIR").c_str());
    ASSERT_TRUE(log.OpenLogFile("PG"));
    Deadline deadline(kTestDeadline, [&] {
        return "lock word " + std::to_string(log.GetLockWord()) + ", owner " +
               std::to_string(log.GetOwnerThreadID());
    });

    ::testing::internal::CaptureStderr();
    log.SetLocation("..\\..\\Source\\Base\\CXThread", "CXThread::Stop", 77);
    EXPECT_EQ(log.GetOwnerThreadID(), platform::CurrentThreadId()) << "held between the two calls";
    std::atomic<bool> wrote{false};
    std::thread other([&] {
        log.Write("other.cpp", "Other", 1, "other");
        wrote = true;
    });
    platform::SleepMs(30);
    EXPECT_FALSE(wrote.load()) << "another thread's record waits for the pair";
    log.WriteLine("stopped [%d]", 5);
    other.join();
    EXPECT_EQ(log.GetLockWord(), 0);

    // A null format releases the log and writes nothing; a WriteLine without a location writes
    // its record without one and leaves the lock as it was.
    log.SetLocation("x", "X", 2);
    log.WriteLine(nullptr);
    EXPECT_EQ(log.GetLockWord(), 0);
    log.WriteLine("loose %s", "line");
    EXPECT_EQ(log.GetLockWord(), 0);
    const std::string out = ::testing::internal::GetCapturedStderr();

    const std::string content = ReadAll(log.GetFileName());
    const std::string name = folder.String() + "/LOG/PAIR";
    const size_t pair = content.find("-[" + name + "]-[CXThread::Stop] : stopped [5]\r\n");
    const size_t second = content.find("-[" + name + "]-[Other] : other\r\n");
    ASSERT_NE(pair, std::string::npos) << content;
    ASSERT_NE(second, std::string::npos) << content;
    EXPECT_LT(pair, second);
    EXPECT_NE(content.find("-[" + name + "] : loose line\r\n"), std::string::npos) << content;
    EXPECT_EQ(content.find("[X]"), std::string::npos) << "the null format wrote nothing";
    EXPECT_EQ(out.rfind("..\\..\\Source\\Base\\CXThread(77) : [", 0), 0u) << out;
    EXPECT_EQ(out.find("DEAD_UNLOCK"), std::string::npos) << out;
}
