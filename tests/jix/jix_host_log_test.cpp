// The host's target failures in the error log: the game's own file name and line numbers.
#include <gtest/gtest.h>

#include "CJix.h"
#include "CXGfxDevice.h"
#include "cxlib/error_log_capture.h"

namespace {

TEST(JixHostLog, AMissingTargetIsLoggedUnderTheGamesFileAndLine)
{
    ASSERT_EQ(g_pGfxDevice, nullptr) << "no graphics device: the landscape target cannot be made";
    ErrorLogCapture errors;
    testing::internal::CaptureStderr();
    CJix jix(nullptr, 1, true);
    const bool ok = jix.Initialize(nullptr, false);
    const std::string debug = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(ok);
    EXPECT_EQ(errors.Count("-[CJix::CreateTarget] : m_pTarget create fail.\r\n"), 1)
        << errors.Text();
    EXPECT_NE(debug.find("source_jix\\CJix(33) : "), std::string::npos) << debug;
    EXPECT_EQ(errors.Count("create fail."), 1) << "the first failure ends the routine";
}

}  // namespace
