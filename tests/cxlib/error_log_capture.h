#pragma once
// Points the process-wide error log at a fresh file in a temporary folder, so a test can read
// back exactly the records written while it ran.

#include <filesystem>
#include <fstream>
#include <string>

#include "CXLog.h"
#include "support/temp_folder.h"

class ErrorLogCapture {
public:
    ErrorLogCapture()
    {
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(m_folder.Path());
        CXLog::ErrorLog().OpenLogFile("T");
        m_file = m_folder.Path() / CXLog::ErrorLog().GetFileName();
        std::filesystem::current_path(previous);
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
    TempFolder m_folder{"cxb_log"};
    std::filesystem::path m_file;
};
