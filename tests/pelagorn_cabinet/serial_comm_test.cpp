// The command queue of the serial worker, driven step by step on the test's thread with a fake
// line and a game clock the test moves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CXAutoLock.h"
#include "CXBoardSerialComm.h"
#include "cabinet_fakes.h"

namespace {

struct Queued {
    std::string strCommand;
    int nAnswers;
    uint32_t dwDelay;
};

std::vector<Queued> QueueOf(CXSerialComm& comm)
{
    std::vector<Queued> out;
    CXAutoLock lock(comm.m_WriteQueue);
    for (auto* p = comm.m_WriteQueue.m_Data.m_pHead; p; p = p->m_pNext)
        out.push_back({p->m_pData->m_szBuffer, p->m_pData->m_iAnswers, p->m_pData->m_dwDelay});
    return out;
}

class SerialCommTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pLine->pClock = &m_game;
        ASSERT_TRUE(m_comm.AttachPort(std::make_unique<FakePort>(m_pLine)));
    }
    // The board echoes every command it is sent (not the layer's own echoes of board frames).
    void EchoCommands()
    {
        m_pLine->answer = [](const std::string& bytes) {
            return bytes.size() == 5 ? bytes : std::string();
        };
    }

    FakeGame m_game;
    std::shared_ptr<FakeLine> m_pLine = std::make_shared<FakeLine>();
    CXBoardSerialComm m_comm{&m_game};
};

TEST(SerialCommNoPort, QueuesNothingButGiftOutStillSetsTheMeter)
{
    FakeGame game;
    CXBoardSerialComm comm(&game);
    comm.SendCommand("L501\r");
    EXPECT_FALSE(comm.AddWriteBuffer("g001\r", 2, 500));
    comm.SendGiftOut(3);
    EXPECT_TRUE(QueueOf(comm).empty());
    EXPECT_EQ(comm.m_iGiftSendCount.load(), 3);
    EXPECT_EQ(game.m_nSaves.load(), 1);
    EXPECT_FALSE(comm.WritePort("x", 1));
    char buffer[CXSerialComm::kReadChunk + 1];
    EXPECT_EQ(comm.ReadPort(buffer), 0);
    EXPECT_EQ(comm.OnThreadLoop(), CXThread::LOOP_CONTINUE);
    EXPECT_FALSE(comm.StartThread());
}

TEST_F(SerialCommTest, CommandDelaysByHundredsAndDroppedLampCommands)
{
    struct Case {
        const char* command;
        bool queued;
        uint32_t delay;
    };
    const Case cases[] = {
        {"L101\r", false, 0},   {"L250\r", false, 0},   {"L499\r", false, 0},
        {"L500\r", true, 2000}, {"L501\r", true, 100},  {"L601\r", true, 100},
        {"L000\r", true, 100},  {"x200\r", true, 1600}, {"x300\r", true, 3000},
        {"x400\r", true, 5100}, {"x100\r", true, 100},  {"x900\r", true, 100},
        {"L1x0\r", false, 0},
    };
    for (const Case& c : cases) {
        // Far apart, so the spacing rule stays out of it.
        m_game.Advance(10000);
        {
            CXAutoLock lock(m_comm.m_WriteQueue);
            m_comm.m_WriteQueue.m_Data.RemoveAll(1);
        }
        m_comm.SendCommand(c.command);
        const auto queue = QueueOf(m_comm);
        ASSERT_EQ(queue.size(), c.queued ? 1u : 0u) << c.command;
        if (c.queued) {
            EXPECT_EQ(queue[0].dwDelay, c.delay) << c.command;
            EXPECT_EQ(queue[0].nAnswers, 1) << c.command;
        }
    }
}

TEST_F(SerialCommTest, ConsecutiveCommandsAreSpacedByThreeSeconds)
{
    // The first command after start is not held back; each later one within 3000 ms of the one
    // before waits 3000 ms, also when the commands are long past start-up.
    m_comm.SendCommand("L501\r");
    m_game.Advance(100);
    m_comm.SendCommand("L601\r");
    m_game.Advance(2899);
    m_comm.SendCommand("L701\r");
    m_game.Advance(3000);
    m_comm.SendCommand("L801\r");
    const auto queue = QueueOf(m_comm);
    ASSERT_EQ(queue.size(), 4u);
    EXPECT_EQ(queue[0].dwDelay, 100u);
    EXPECT_EQ(queue[1].dwDelay, 3000u);
    EXPECT_EQ(queue[2].dwDelay, 3000u);
    EXPECT_EQ(queue[3].dwDelay, 100u);

    // A stamp later than the clock (a clock that went back) counts as now.
    m_comm.m_dwCommandStamp = m_game.GetTimeMs() + 50000;
    m_comm.SendCommand("x001\r");
    EXPECT_EQ(QueueOf(m_comm).back().dwDelay, 3000u);
}

TEST_F(SerialCommTest, FullQueueTakesNoMore)
{
    for (uint32_t i = 0; i < CXSerialComm::kMaxQueued; ++i)
        ASSERT_TRUE(m_comm.AddWriteBuffer("x001\r", 1, 0));
    EXPECT_FALSE(m_comm.AddWriteBuffer("x001\r", 1, 0));
    m_game.Advance(10000);
    m_comm.SendCommand("y001\r");
    EXPECT_EQ(QueueOf(m_comm).size(), CXSerialComm::kMaxQueued);
}

TEST_F(SerialCommTest, DueCommandsGoOutInLetterOrder)
{
    EchoCommands();
    ASSERT_TRUE(m_comm.AddWriteBuffer("L501\r", 1, 5000));
    ASSERT_TRUE(m_comm.AddWriteBuffer("L601\r", 1, 100));
    ASSERT_TRUE(m_comm.AddWriteBuffer("x001\r", 1, 100));
    m_game.Advance(101);
    // x001 is due and no other queued command shares its letter; L601 is due but an earlier L
    // command waits, so it must not overtake it.
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_pLine->Writes(), std::vector<std::string>({"x001\r"}));
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_pLine->Writes().size(), 1u);
    m_game.Advance(5000);
    m_comm.OnThreadLoop();
    m_game.Advance(101);
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_pLine->Writes(), std::vector<std::string>({"x001\r", "L501\r", "L601\r"}));
    EXPECT_TRUE(QueueOf(m_comm).empty());
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 0);
}

TEST_F(SerialCommTest, SendingRestartsTheDelayOfTheSameLetter)
{
    EchoCommands();
    ASSERT_TRUE(m_comm.AddWriteBuffer("L501\r", 1, 100));
    ASSERT_TRUE(m_comm.AddWriteBuffer("L601\r", 1, 1000));
    m_game.Advance(1500);
    m_comm.OnThreadLoop();
    ASSERT_EQ(m_pLine->Writes().size(), 1u);
    // L601 was due, but the L501 just sent stamped it again.
    m_game.Advance(900);
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_pLine->Writes().size(), 1u);
    m_game.Advance(200);
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_pLine->Writes().size(), 2u);
}

TEST_F(SerialCommTest, WhileTheBoardReportsAnErrorOnlyErrorAndUnansweredCommandsGoOut)
{
    // The board stays silent (an echo of "e001" would clear the error).
    m_pLine->dwPollStepMs = 50;
    m_comm.m_byError = 12;
    ASSERT_TRUE(m_comm.AddWriteBuffer("L501\r", 1, 0));
    ASSERT_TRUE(m_comm.AddWriteBuffer("g001\r", 2, 0));
    ASSERT_TRUE(m_comm.AddWriteBuffer("x001\r", 0, 0));
    ASSERT_TRUE(m_comm.AddWriteBuffer("e001\r", 1, 0));
    m_game.Advance(200);
    for (int i = 0; i < 4; ++i)
        m_comm.OnThreadLoop();
    EXPECT_EQ(m_pLine->Writes(), std::vector<std::string>({"x001\r", "e001\r"}));
    EXPECT_EQ(QueueOf(m_comm).size(), 2u);
}

TEST_F(SerialCommTest, UnansweredLampCommandIsDroppedWithTheNoAnswerFlag)
{
    m_pLine->dwPollStepMs = 50;
    ASSERT_TRUE(m_comm.AddWriteBuffer("L501\r", 1, 0));
    m_game.Advance(200);
    const uint32_t start = m_game.GetTimeMs();
    m_comm.OnThreadLoop();
    EXPECT_GT(m_game.GetTimeMs() - start, CXSerialComm::kAnswerWaitMs);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 1);
    EXPECT_TRUE(QueueOf(m_comm).empty());
}

TEST_F(SerialCommTest, FailedWriteDropsTheCommandWithLineError)
{
    m_pLine->bFailWrites = true;
    ASSERT_TRUE(m_comm.AddWriteBuffer("L501\r", 1, 0));
    m_game.Advance(200);
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_LINE);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 1);
    EXPECT_TRUE(QueueOf(m_comm).empty());
}

TEST_F(SerialCommTest, GiftOutAnsweredByEchoAndDispenseNotice)
{
    m_pLine->answer = [](const std::string& bytes) {
        return bytes == "g001\r" ? std::string("g001\rd1\r") : std::string();
    };
    m_comm.SendGiftOut(2);
    EXPECT_EQ(m_comm.m_iGiftSendCount.load(), 2);
    m_game.Advance(501);
    m_comm.OnThreadLoop();
    m_game.Advance(501);
    m_comm.OnThreadLoop();
    m_comm.OnThreadLoop();  // the last frames leave the queue on a plain step
    EXPECT_EQ(m_comm.m_iGiftSendCount.load(), 0);
    EXPECT_TRUE(m_comm.TakeGiftSendCountChanged());
    EXPECT_EQ(m_comm.TakeGiftsDispensed(), 2);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 0);
    EXPECT_EQ(m_comm.m_byError.load(), 0);
    // Each dispense notice is echoed once.
    EXPECT_EQ(m_pLine->Writes(), std::vector<std::string>({"g001\r", "d1\r", "g001\r", "d1\r"}));
}

TEST_F(SerialCommTest, UnansweredGiftOutIsRequeuedAtTheHeadAndRetriesAreBounded)
{
    LogCapture log(CXLog::SystemLog());
    m_pLine->dwPollStepMs = 50;
    ASSERT_TRUE(m_comm.AddWriteBuffer("g001\r", 2, 0));
    m_game.Advance(200);
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_GIFT_UNANSWERED);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 0);
    ASSERT_EQ(QueueOf(m_comm).size(), 1u);
    EXPECT_EQ(QueueOf(m_comm)[0].strCommand, "g001\r");
    EXPECT_NE(log.Text().find("### ADD_PROTOCOL: g001"), std::string::npos) << log.Text();

    // The error holds the gift-out back until the board clears it.
    m_game.Advance(1000);
    m_comm.OnThreadLoop();
    EXPECT_EQ(m_pLine->Writes().size(), 1u);

    for (int retry = 1; retry <= CXSerialComm::kMaxGiftOutRetries; ++retry) {
        m_pLine->Send("e0\r");
        m_game.Advance(1000);
        m_comm.OnThreadLoop();
        EXPECT_EQ(m_pLine->Writes().size(), size_t(retry + 1)) << retry;
    }
    // The last retry went unanswered too: the command is given up.
    EXPECT_TRUE(QueueOf(m_comm).empty());
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 1);
    EXPECT_EQ(m_comm.m_byError.load(), CXSerialComm::ERROR_GIFT_UNANSWERED);
}

TEST_F(SerialCommTest, GiftOutWhoseDispenseNoticeNeverComesStopsWaiting)
{
    m_pLine->dwPollStepMs = 50;
    m_pLine->answer = [](const std::string& bytes) {
        return bytes == "g001\r" ? bytes : std::string();
    };
    ASSERT_TRUE(m_comm.AddWriteBuffer("g001\r", 2, 0));
    m_game.Advance(200);
    const uint32_t start = m_game.GetTimeMs();
    m_comm.OnThreadLoop();
    // The echo came, the notice never does: the wait starts again a bounded number of times.
    const uint32_t waited = m_game.GetTimeMs() - start;
    EXPECT_GT(waited, (CXSerialComm::kMaxGiftOutRetries + 1) * CXSerialComm::kAnswerWaitMs);
    EXPECT_LT(waited, (CXSerialComm::kMaxGiftOutRetries + 2) * CXSerialComm::kAnswerWaitMs);
    EXPECT_EQ(m_comm.m_bNoAnswer.load(), 1);
    EXPECT_TRUE(QueueOf(m_comm).empty());
}

TEST_F(SerialCommTest, HoldDiscardsQueuedCommandsAndRefusesWrites)
{
    ASSERT_TRUE(m_comm.AddWriteBuffer("L501\r", 1, 0));
    m_comm.m_bHold = 1;
    EXPECT_FALSE(m_comm.WritePort("x", 1));
    m_game.Advance(200);
    m_comm.OnThreadLoop();
    EXPECT_TRUE(QueueOf(m_comm).empty());
    EXPECT_TRUE(m_pLine->Writes().empty());
}

}  // namespace
