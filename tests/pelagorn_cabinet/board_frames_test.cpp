// The board protocol: cutting frames, acting on them by their first letter, echoes, switch
// latches and answer pairing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CXAutoLock.h"
#include "CXBoardSerialComm.h"
#include "cabinet_fakes.h"

namespace {

std::vector<std::string> FramesOf(CXBoardSerialComm& comm)
{
    std::vector<std::string> out;
    CXAutoLock lock(comm.m_ReadQueue);
    for (auto* p = comm.m_ReadQueue.m_Data.m_pHead; p; p = p->m_pNext)
        out.emplace_back(p->m_pData->m_szBuffer, p->m_pData->m_dwLength);
    return out;
}

class BoardFramesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_comm.AttachPort(std::make_unique<FakePort>(m_pLine))); }
    void Receive(const std::string& bytes) { m_comm.OnReceive(bytes.data(), int(bytes.size())); }
    // Bytes arrive and a plain loop step acts on them.
    void Arrive(const std::string& bytes)
    {
        Receive(bytes);
        m_comm.OnProcess(1);
    }

    FakeGame m_game;
    std::shared_ptr<FakeLine> m_pLine = std::make_shared<FakeLine>();
    CXBoardSerialComm m_comm{&m_game};
};

TEST_F(BoardFramesTest, BillAndCoinFramesCreditOnceWithinHalfASecond)
{
    struct Step {
        uint32_t advance;
        const char* frame;
        int32_t credited;
    };
    const Step steps[] = {
        {0, "10\r", 1000},                      // first bill
        {300, "10\r", 0},                       // the same value 300 ms later: a repeat
        {300, "10\r", 1000},                    // 600 ms after the credited one
        {0, "20\r", 2000},                      // another value at once
        {0, "20\r", 0},                         // the same value in the same millisecond
        {501, "20\r", 2000}, {0, "5x\r", 500},  // digits up to the first non-digit
    };
    for (const Step& s : steps) {
        m_game.Advance(s.advance);
        Arrive(s.frame);
        EXPECT_EQ(m_comm.TakeCreditInput(), s.credited) << s.frame << " after " << s.advance;
    }
    EXPECT_TRUE(FramesOf(m_comm).empty());
    // Every bill frame is echoed, credited or not.
    EXPECT_EQ(m_pLine->Writes().size(), std::size(steps));
}

TEST_F(BoardFramesTest, BoardCreditHasNoRepeatRule)
{
    Arrive("a5\r");
    Arrive("a5\r");
    EXPECT_EQ(m_comm.TakeCreditInput(), 1000);
    EXPECT_EQ(m_pLine->Writes(), std::vector<std::string>({"a5\r", "a5\r"}));
}

TEST_F(BoardFramesTest, ErrorFrames)
{
    struct Case {
        const char* frame;
        uint8_t error;
        bool echoed;
    };
    const Case cases[] = {
        {"er12\r", 12, true}, {"er0\r", 0, true}, {"er\r", 10, true}, {"erx\r", 10, true},
        {"er00\r", 0, true},  {"e0\r", 0, false}, {"ex\r", 0, false}, {"er99\r", 99, true},
    };
    for (const Case& c : cases) {
        m_comm.m_byError = 77;
        m_comm.m_bNoAnswer = 1;
        const size_t writes = m_pLine->Writes().size();
        Arrive(c.frame);
        EXPECT_EQ(m_comm.m_byError.load(), c.error) << c.frame;
        EXPECT_EQ(m_pLine->Writes().size(), writes + (c.echoed ? 1 : 0)) << c.frame;
    }
    // "er123" is six bytes: a malformed frame.
    Arrive("er123\r");
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_FRAME);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 1);
}

TEST_F(BoardFramesTest, SwitchFramesSetStatesAndRisingEdgeLatches)
{
    Arrive("s5\r");
    EXPECT_EQ(m_comm.m_bySwitch[1].load(), 1);
    EXPECT_EQ(m_comm.m_bySwitch[2].load(), 0);
    EXPECT_EQ(m_comm.m_bySwitch[3].load(), 1);
    EXPECT_TRUE(m_comm.TakeSwitchLatch(1));
    EXPECT_FALSE(m_comm.TakeSwitchLatch(1));
    // Still held: switch 1's taken latch stays clear, switch 3's stays set.
    Arrive("s5\r");
    EXPECT_FALSE(m_comm.TakeSwitchLatch(1));
    EXPECT_EQ(m_comm.m_bySwitchLatch[3].load(), 1);
    // Switch 3 released, 2 pressed.
    Arrive("s3\r");
    EXPECT_EQ(m_comm.m_bySwitchLatch[3].load(), 0);
    EXPECT_TRUE(m_comm.TakeSwitchLatch(2));
    // s0: everything off and every latch clear; switch 0 and 9 follow.
    m_comm.m_bySwitch[0] = 1;
    Arrive("s0\r");
    for (int i = 0; i < CXBoardSerialComm::kSwitchCount; ++i) {
        EXPECT_EQ(m_comm.m_bySwitch[i].load(), 0) << i;
        EXPECT_FALSE(m_comm.TakeSwitchLatch(uint8_t(i))) << i;
    }
    // Bit 7 is switch 8; the value's low byte counts (256 + 128).
    Arrive("s384\r");
    EXPECT_EQ(m_comm.m_bySwitch[8].load(), 1);
    EXPECT_FALSE(m_comm.TakeSwitchLatch(10));
    EXPECT_FALSE(m_comm.TakeSwitchLatch(255));
}

TEST_F(BoardFramesTest, CuttingFrames)
{
    // A seven-byte frame is dropped with error 201; reading goes on after it.
    Receive("abcdef\rL");
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_FRAME);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 1);
    EXPECT_TRUE(FramesOf(m_comm).empty());
    // The rest is kept until its terminator comes; NULs vanish; two CRs make two frames.
    Receive(std::string("O\0K\r\r\r", 6));
    EXPECT_EQ(FramesOf(m_comm), std::vector<std::string>({"LOK\r", "\r", "\r"}));
    EXPECT_EQ(m_comm.m_dwReceiveCount, 0u);
    // Three to five bytes need two ASCII bytes first; one or two bytes pass as they are.
    m_comm.m_byError = 0;
    Receive("\x80\xFF\r");
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_FRAME);
    Receive("\x80\r");
    EXPECT_EQ(FramesOf(m_comm).back(), "\x80\r");
}

TEST_F(BoardFramesTest, ReceiveOverflowEmptiesTheBuffer)
{
    const std::string full(CXBoardSerialComm::kReceiveSize, 'x');
    Receive(full);
    EXPECT_EQ(m_comm.m_byError.load(), 0);
    EXPECT_EQ(m_comm.m_dwReceiveCount, CXBoardSerialComm::kReceiveSize);
    Receive("y");
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_LINE);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 1);
    EXPECT_EQ(m_comm.m_dwReceiveCount, 0u);
    EXPECT_EQ(m_comm.m_byReceive[0], 0);

    m_comm.m_byError = 0;
    const std::string over(CXBoardSerialComm::kReceiveSize + 1, 'x');
    Receive(over);
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_LINE);
    EXPECT_EQ(m_comm.m_dwReceiveCount, 0u);
}

TEST_F(BoardFramesTest, LampFramesEchoOnlyTheAcknowledge)
{
    Arrive("LOK\r");
    Arrive("LX\r");
    EXPECT_EQ(m_pLine->Writes(), std::vector<std::string>({"LOK\r"}));
    EXPECT_TRUE(FramesOf(m_comm).empty());
}

TEST_F(BoardFramesTest, AnswerPairing)
{
    struct Case {
        const char* frame;
        const char* command;
        bool answers;
    };
    const Case cases[] = {
        {"d1\r", "g001\r", true},   {"g001\r", "g001\r", true}, {"LOK\r", "L501\r", true},
        {"L501\r", "L501\r", true}, {"e0\r", "e001\r", true},   {"er5\r", "e001\r", true},
        {"d1\r", "L501\r", false},  {"x\r", "g001\r", false},   {"g002\r", "g001\r", false},
        {"LOK\r", "g001\r", false},
    };
    for (const Case& c : cases) {
        Receive(c.frame);
        m_comm.OnProcess(0);
        EXPECT_EQ(m_comm.OnResponse(c.command, 5), c.answers) << c.frame << " for " << c.command;
        EXPECT_TRUE(FramesOf(m_comm).empty()) << c.frame;
    }
    EXPECT_FALSE(m_comm.OnResponse("g001\r", 5));  // nothing received
    EXPECT_TRUE(m_comm.OnResponse(nullptr, 5));
    EXPECT_TRUE(m_comm.OnResponse("g001\r", 0));
}

TEST_F(BoardFramesTest, EchoedGiftOutLowersTheSendCountDownToZero)
{
    m_comm.m_iGiftSendCount = 1;
    for (int i = 0; i < 2; ++i) {
        Receive("g001\r");
        EXPECT_TRUE(m_comm.OnResponse("g001\r", 5));
    }
    EXPECT_EQ(m_comm.m_iGiftSendCount.load(), 0);
    EXPECT_TRUE(m_comm.TakeGiftSendCountChanged());
    EXPECT_FALSE(m_comm.TakeGiftSendCountChanged());
}

// A dispense notice that stays queued behind another frame during an answer wait was once acted
// on at every poll, paying one gift several times.
TEST_F(BoardFramesTest, DispenseNoticeCountsOnceWhileItWaitsForPairing)
{
    m_comm.m_byError = CXSerialComm::ERROR_GIFT_UNANSWERED;
    Receive("x\rd1\r");
    m_comm.OnProcess(0);
    m_comm.OnProcess(0);
    EXPECT_FALSE(m_comm.OnResponse("g001\r", 5));  // pairs with "x\r"
    m_comm.OnProcess(0);
    EXPECT_TRUE(m_comm.OnResponse("g001\r", 5));
    m_comm.OnProcess(1);
    EXPECT_EQ(m_comm.TakeGiftsDispensed(), 1);
    EXPECT_EQ(m_comm.m_byError.load(), 0);
    EXPECT_EQ(m_pLine->Writes(), std::vector<std::string>({"d1\r"}));

    // On a plain step the notice is acted on and leaves the queue at once.
    Arrive("d7\r");
    Arrive("");
    EXPECT_EQ(m_comm.TakeGiftsDispensed(), 1);
    EXPECT_TRUE(FramesOf(m_comm).empty());
}

TEST_F(BoardFramesTest, UnknownFramesWaitForPairingAndAreBounded)
{
    for (uint32_t i = 0; i < CXBoardSerialComm::kMaxReadQueue + 10; ++i)
        Arrive("x\r");
    EXPECT_EQ(FramesOf(m_comm).size(), CXBoardSerialComm::kMaxReadQueue);
    // A burst of unknown frames in one read never costs a bill frame among them its credit.
    std::string burst;
    for (uint32_t i = 0; i < 2 * CXBoardSerialComm::kMaxReadQueue; ++i)
        burst += i == 3 ? "10\r" : "y\r";
    Arrive(burst);
    EXPECT_EQ(m_comm.TakeCreditInput(), 1000);
    EXPECT_EQ(FramesOf(m_comm).size(), CXBoardSerialComm::kMaxReadQueue);
    EXPECT_EQ(FramesOf(m_comm).back(), "y\r");
}

}  // namespace
