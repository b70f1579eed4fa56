#pragma once
// Doubles for the cabinet layer's tests: a game clock the test moves, and a serial port whose far
// end is a scripted board (it may answer each command written, and every poll of the line moves
// the clock on, so the layer's answer waits run in game time without real waiting).

#include <atomic>
#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CXCabinetGame.h"
#include "CXLog.h"
#include "platform/serial_port.h"
#include "support/temp_folder.h"

class FakeGame : public CXCabinetGame {
public:
    uint32_t GetTimeMs() const override { return m_dwNow.load(); }
    int SaveGameData() override
    {
        ++m_nSaves;
        return 1;
    }
    void Advance(uint32_t ms) { m_dwNow += ms; }

    std::atomic<uint32_t> m_dwNow{100000};
    std::atomic<int> m_nSaves{0};
};

// The line as the board sees it.
struct FakeLine {
    std::mutex mutex;
    std::string strToBoard;           // every byte the layer wrote
    std::vector<std::string> writes;  // each write call
    std::string strToLayer;           // bytes waiting for the layer to read
    // Called with each command the layer writes; returns the board's reply bytes.
    std::function<std::string(const std::string&)> answer;
    FakeGame* pClock = nullptr;
    uint32_t dwPollStepMs = 0;  // game time that passes per poll of the line
    bool bFailWrites = false;

    void Send(const std::string& bytes)
    {
        std::lock_guard<std::mutex> lock(mutex);
        strToLayer += bytes;
    }
    std::vector<std::string> Writes()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return writes;
    }
};

class FakePort : public platform::SerialPort {
public:
    explicit FakePort(std::shared_ptr<FakeLine> pLine) : m_pLine(std::move(pLine)) {}

    int64_t Write(const void* pData, size_t nSize) override
    {
        std::lock_guard<std::mutex> lock(m_pLine->mutex);
        if (m_pLine->bFailWrites)
            return -1;
        const std::string bytes(static_cast<const char*>(pData), nSize);
        m_pLine->strToBoard += bytes;
        m_pLine->writes.push_back(bytes);
        if (m_pLine->answer)
            m_pLine->strToLayer += m_pLine->answer(bytes);
        return int64_t(nSize);
    }
    int64_t BytesWaiting() override
    {
        std::lock_guard<std::mutex> lock(m_pLine->mutex);
        if (m_pLine->pClock)
            m_pLine->pClock->Advance(m_pLine->dwPollStepMs);
        return int64_t(m_pLine->strToLayer.size());
    }
    int64_t Read(void* pBuffer, size_t nSize) override
    {
        std::lock_guard<std::mutex> lock(m_pLine->mutex);
        const size_t n = std::min(nSize, m_pLine->strToLayer.size());
        std::memcpy(pBuffer, m_pLine->strToLayer.data(), n);
        m_pLine->strToLayer.erase(0, n);
        return int64_t(n);
    }

private:
    std::shared_ptr<FakeLine> m_pLine;
};

// Points one of the process-wide logs at a fresh file in a temporary folder.
class LogCapture {
public:
    explicit LogCapture(CXLog& log) : m_log(log)
    {
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder.Path());
        m_log.OpenLogFile("T");
        m_file = m_folder.Path() / m_log.GetFileName();
        std::filesystem::current_path(previous);
    }
    std::string Text() const
    {
        std::ifstream in(m_file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    CXLog& m_log;
    TempFolder m_folder{"pel_log"};
    std::filesystem::path m_file;
};
