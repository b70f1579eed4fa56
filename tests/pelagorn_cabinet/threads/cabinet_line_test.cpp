// The cabinet layer on its own worker thread over a real line: a pseudo-terminal whose far end the
// test drives as the board.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "CXBoardSerialComm.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace {

class WallClockGame : public CXCabinetGame {
public:
    uint32_t GetTimeMs() const override { return platform::TickCount(); }
    int SaveGameData() override
    {
        ++m_nSaves;
        return 1;
    }
    std::atomic<int> m_nSaves{0};
};

// Reads from the board's end until the text has arrived or about ms milliseconds pass.
std::string ReadUntil(platform::SerialPort& board, std::string& received,
                      const std::string& expected, uint32_t ms = 5000)
{
    const uint32_t start = platform::TickCount();
    while (received.find(expected) == std::string::npos && platform::TickCount() - start < ms) {
        char buffer[256];
        const int64_t n = board.Read(buffer, sizeof buffer);
        if (n > 0)
            received.append(buffer, size_t(n));
        else
            platform::SleepMs(2);
    }
    return received;
}

template <class F>
bool WaitFor(F condition, uint32_t ms = 5000)
{
    const uint32_t start = platform::TickCount();
    while (!condition()) {
        if (platform::TickCount() - start >= ms)
            return false;
        platform::SleepMs(2);
    }
    return true;
}

TEST(CabinetLine, BoardOverAPseudoTerminal)
{
    auto pty = platform::OpenPseudoTerminal();
    ASSERT_TRUE(pty.has_value());
    platform::SerialPort& board = *pty->pFarEnd;

    WallClockGame game;
    CXBoardSerialComm comm(&game);
    ASSERT_TRUE(comm.OpenPort(pty->strLinePath.c_str(), 9600));
    ASSERT_TRUE(comm.StartThread());
    EXPECT_FALSE(comm.AttachPort(platform::OpenSerialPort(pty->strLinePath, 9600)))
        << "port swapped while running";

    std::string received;
    // A bill: credited once and echoed.
    ASSERT_EQ(board.Write("10\r", 3), 3);
    EXPECT_NE(ReadUntil(board, received, "10\r").find("10\r"), std::string::npos);
    int32_t credit = 0;
    EXPECT_TRUE(WaitFor([&] {
        credit += comm.TakeCreditInput();
        return credit == 1000;
    }));

    // A gift-out: the board echoes the command, then reports the gift dispensed.
    comm.SendGiftOut(1);
    EXPECT_EQ(game.m_nSaves.load(), 1);
    ReadUntil(board, received, "g001\r");
    ASSERT_NE(received.find("g001\r"), std::string::npos) << received;
    ASSERT_EQ(board.Write("g001\r", 5), 5);
    ASSERT_EQ(board.Write("d1\r", 3), 3);
    EXPECT_TRUE(WaitFor([&] { return comm.m_iGiftSendCount.load() == 0; }));
    ReadUntil(board, received, "d1\r");
    EXPECT_NE(received.find("d1\r"), std::string::npos) << received;
    int32_t gifts = 0;
    EXPECT_TRUE(WaitFor([&] {
        gifts += comm.TakeGiftsDispensed();
        return gifts == 1;
    }));
    EXPECT_EQ(comm.m_byError.load(), 0);
    EXPECT_EQ(comm.m_bNoAnswer.load(), 0);

    // Switches pressed on the board latch for the game.
    ASSERT_EQ(board.Write("s2\r", 3), 3);
    EXPECT_TRUE(WaitFor([&] { return comm.TakeSwitchLatch(2); }));

    // Stopping ends a wait for an answer at once rather than after the answer time-out.
    comm.SendCommand("L601\r");
    ReadUntil(board, received, "L601\r");
    const uint32_t start = platform::TickCount();
    comm.Stop();
    EXPECT_LT(platform::TickCount() - start, CXSerialComm::kAnswerWaitMs);
}

TEST(CabinetLine, SerialDeviceOpening)
{
    EXPECT_EQ(platform::OpenSerialPort("/dev/null", 9600), nullptr) << "not a terminal";
    EXPECT_EQ(platform::OpenSerialPort("/nonexistent/tty", 9600), nullptr);
    auto pty = platform::OpenPseudoTerminal();
    ASSERT_TRUE(pty.has_value());
    EXPECT_EQ(platform::OpenSerialPort(pty->strLinePath, 12345), nullptr) << "not a standard rate";
    auto line = platform::OpenSerialPort(pty->strLinePath, 115200);
    ASSERT_NE(line, nullptr);

    // Raw both ways: CR, NUL and bytes above 127 pass unchanged, nothing is echoed.
    const std::string bytes("a\r\n\0\xFF\x13", 6);
    ASSERT_EQ(line->Write(bytes.data(), bytes.size()), 6);
    std::string atBoard;
    ReadUntil(*pty->pFarEnd, atBoard, bytes);
    EXPECT_EQ(atBoard, bytes);
    ASSERT_EQ(pty->pFarEnd->Write(bytes.data(), bytes.size()), 6);
    EXPECT_TRUE(WaitFor([&] { return line->BytesWaiting() == 6; }));
    char in[16] = {};
    EXPECT_EQ(line->Read(in, 4), 4);
    EXPECT_EQ(line->Read(in + 4, sizeof in - 4), 2);
    EXPECT_EQ(std::string(in, 6), bytes);
    EXPECT_EQ(line->Read(in, sizeof in), 0) << "nothing waits: no blocking";
    platform::SleepMs(20);
    EXPECT_EQ(pty->pFarEnd->Read(in, sizeof in), 0) << "no echo";
}

}  // namespace
