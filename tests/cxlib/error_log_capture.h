#pragma once
// Points the process-wide error log at a fresh file in a temporary folder, so a test can read
// back exactly the records written while it ran.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "CXLog.h"

class ErrorLogCapture
{
public:
    ErrorLogCapture()
    {
        static std::atomic<int> serial{0};
        m_folder = std::filesystem::temp_directory_path() /
                   ("cxb_log_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                    std::to_string(serial++) + "_" + std::to_string(std::hash<std::string>{}(
                        ::testing::UnitTest::GetInstance()->current_test_info()->name())));
        std::filesystem::create_directories(m_folder);
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder);
        CXLog::ErrorLog().OpenLogFile("T");
        m_file = m_folder / CXLog::ErrorLog().GetFileName();
        std::filesystem::current_path(previous);
    }
    ~ErrorLogCapture()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

    std::string Text() const
    {
        std::ifstream in(m_file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    int Count(const std::string& piece) const
    {
        const std::string text = Text();
        int n = 0;
        for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
            ++n;
        return n;
    }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_file;
};
