#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CXLog.h"
#include "CXMemoryPoolBase.h"
#include "CXSourcePath.h"
#include "platform/clock.h"
#include "support/temp_folder.h"

namespace {

// Each run of digits becomes '#', so lines can be compared whatever the time and tick count.
std::string Mask(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            if (out.empty() || out.back() != '#')
                out += '#';
        } else {
            out += text[i];
        }
    }
    return out;
}

class LogFolder : public ::testing::Test {
protected:
    static std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempFolder m_folder{"cxlog"};
    const std::string m_root = m_folder.String();
};

}  // namespace

TEST_F(LogFolder, CreatesItsFolderAndNamesTheFile)
{
    const std::string name = m_root + "/LOG/SYSTEM";
    CXLog log(name.c_str());
    ASSERT_FALSE(std::filesystem::exists(m_root + "/LOG"));
    ASSERT_TRUE(log.OpenLogFile("PG"));

    const std::string file = log.GetFileName();
    EXPECT_EQ(Mask(file), Mask(name) + "_PG_#-#-#_#.LOG");
    platform::LocalTime now = platform::LocalTimeNow();
    char date[16];
    std::snprintf(date, sizeof(date), "_%04d-%02d-%02d_", now.nYear, now.nMonth, now.nDay);
    EXPECT_NE(file.find(date), std::string::npos) << file;
    EXPECT_TRUE(std::filesystem::exists(file));

    // A second open starts a new file with a new tick count.
    platform::SleepMs(3);
    ASSERT_TRUE(log.OpenLogFile("PG"));
    EXPECT_NE(log.GetFileName(), file);
    EXPECT_TRUE(log.OpenLogFile(nullptr)) << "a null tag keeps the open file";
}

TEST_F(LogFolder, WritesBothLineForms)
{
    CXLog log((m_root + "/LOG/ERROR").c_str());
    ASSERT_TRUE(log.OpenLogFile("PG"));
    log.Write("src/a.cpp", "CXFoo::Bar", 12, "Bar fail. [n=%d]", 7);
    log.Write("src/a.cpp", "", 13, "plain %s", "text");
    log.Write("src/a.cpp", nullptr, 14, "no function");

    const std::string content = ReadAll(log.GetFileName());
    const std::string logName = Mask(m_root + "/LOG/ERROR");
    EXPECT_EQ(Mask(content), "[#:#:#]-[" + logName +
                                 "]-[CXFoo::Bar] : Bar fail. [n=#]\r\n"
                                 "[#:#:#]-[" +
                                 logName +
                                 "] : plain text\r\n"
                                 "[#:#:#]-[" +
                                 logName + "] : no function\r\n");
    EXPECT_NE(content.find("[n=7]"), std::string::npos);
}

TEST_F(LogFolder, SendsTheLineToTheDebuggerOutputWithItsLocation)
{
    CXLog log("LOG/SYSTEM");
    ::testing::internal::CaptureStderr();
    log.Write("dir/file.cpp", "F", 42, "hello");
    const std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Mask(out), "dir/file.cpp(#) : [#:#:#]-[LOG/SYSTEM]-[F] : hello\r\n");
    EXPECT_EQ(out.substr(0, 17), "dir/file.cpp(42) ");
}

TEST_F(LogFolder, CutsLongNamesAndWritesLongMessagesWhole)
{
    const std::string longName = m_root + "/" + std::string(5000, 'n');
    CXLog log(longName.c_str());
    EXPECT_EQ(std::string(log.GetLogName()), longName.substr(0, CXLog::kMaxText));

    CXLog shortLog((m_root + "/LOG/X").c_str());
    ASSERT_TRUE(shortLog.OpenLogFile("T"));
    const std::string function(5000, 'f');
    const std::string message(200000, 'm');
    ::testing::internal::CaptureStderr();
    shortLog.Write("x.cpp", function.c_str(), 1, "%s", message.c_str());
    ::testing::internal::GetCapturedStderr();
    const std::string content = ReadAll(shortLog.GetFileName());
    EXPECT_NE(content.find("-[" + std::string(CXLog::kMaxText, 'f') + "] : "), std::string::npos);
    EXPECT_EQ(content.find(std::string(CXLog::kMaxText + 1, 'f')), std::string::npos);
    EXPECT_NE(content.find(message + "\r\n"), std::string::npos) << "the message is not cut";
}

TEST_F(LogFolder, NullFormatWritesNothingAndReleasesTheLock)
{
    CXLog log((m_root + "/LOG/N").c_str());
    ASSERT_TRUE(log.OpenLogFile("PG"));
    log.Write("x.cpp", "F", 1, nullptr);
    EXPECT_EQ(ReadAll(log.GetFileName()), "");
    EXPECT_EQ(log.GetLockWord(), 0);
    EXPECT_EQ(log.GetOwnerThreadID(), 0u);
}

TEST_F(LogFolder, AnUnwritableLogNeverFailsItsCaller)
{
    // The log's folder would have to be made inside a regular file.
    std::ofstream(m_root + "/plain") << "x";
    CXLog log((m_root + "/plain/LOG/ERROR").c_str());
    EXPECT_FALSE(log.OpenLogFile("PG"));
    EXPECT_FALSE(log.IsFileOpen());
    ::testing::internal::CaptureStderr();
    log.Write("x.cpp", "F", 1, "still %s", "reported");
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("still reported"), std::string::npos);
}

TEST(CXLogGlobals, TheTwoProcessLogs)
{
    EXPECT_STREQ(CXLog::SystemLog().GetLogName(), "LOG/SYSTEM");
    EXPECT_STREQ(CXLog::ErrorLog().GetLogName(), "LOG/ERROR");
    EXPECT_EQ(&CXLog::ErrorLog(), &CXLog::ErrorLog());
    ::testing::internal::CaptureStderr();
    CX_LOG_ERROR("CXTest::Macro", "value %d", 3);
    const std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.rfind("tests\\cxlib\\log_test(", 0), 0u) << out;
    EXPECT_NE(out.find("-[LOG/ERROR]-[CXTest::Macro] : value 3\r\n"), std::string::npos) << out;
}

TEST(CXLogSourcePath, EveryFileIsNamedInOneRelativeForm)
{
    // Worked out at compile time.
    static_assert(CXMakeSourcePath("Lib/CXLib/Source/Base/CXThread.cpp").sz[0] == '.');
    auto form = [](const auto& path) { return std::string(CXMakeSourcePath(path).sz); };
    // The library's files as seen from its build folder, whether the path is relative or not.
    EXPECT_EQ(form("Lib/CXLib/Source/Base/CXThread.cpp"), "..\\..\\Source\\Base\\CXThread");
    EXPECT_EQ(form("/home/build/tree/Lib/CXLib/Source/Memory/CXMemoryPoolBase.cpp"),
              "..\\..\\Source\\Memory\\CXMemoryPoolBase");
    EXPECT_EQ(form("Lib/CXLib/Source/CX2DAnimationLoad.cpp"), "..\\..\\Source\\CX2DAnimationLoad");
    EXPECT_EQ(form("/a/Lib/CXLib/b/Lib/CXLib/Source/x.cpp"), "..\\..\\Source\\x")
        << "the last match counts";
    // Other files by their path from the project's root.
    EXPECT_EQ(form("net/NetLog.cpp"), "net\\NetLog");
    EXPECT_EQ(form("MyLib/CXLib/Source/a.cpp"), "MyLib\\CXLib\\Source\\a")
        << "whole folder names only";
    EXPECT_EQ(form("Lib/CXLib/Source/v1.2/a"), "..\\..\\Source\\v1.2\\a")
        << "a dot in a folder is kept";
    EXPECT_EQ(form("README"), "README");

    // Real records of the library and of a caller outside it.
    CXMemoryPoolBase pool;
    pool.SetSize(8192, 8);
    ::testing::internal::CaptureStderr();
    pool.AllocateMemory(9);
    CXLog::ErrorLog().Write(CX_SOURCE_FILE, "F", 1, "here");
    const std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.rfind("..\\..\\Source\\Memory\\CXMemoryPoolBase(", 0), 0u) << out;
    EXPECT_NE(out.find("\r\ntests\\cxlib\\log_test(1) : "), std::string::npos) << out;
}
