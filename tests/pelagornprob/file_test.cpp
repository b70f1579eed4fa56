// Play mode files in a temporary folder: main data checks, play chunks, bonus chunks, the
// amending of sign spins and the daily text log.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "cxlib/error_log_capture.h"
#include "main_data.h"
#include "prob_fixture.h"
#include "support/temp_folder.h"

namespace {

class ProbFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        prob.m_strDataFolder = (folder.String() + "/data").c_str();
        prob.m_strBackupFolder = (folder.String() + "/backup/").c_str();
        prob.m_strLogFolder = (folder.String() + "/log").c_str();
        std::filesystem::create_directories(folder.Path() / "data");
        std::filesystem::create_directories(folder.Path() / "backup");
        SetIdentityStrips(prob);
    }
    bool Exists(const std::string& name) const
    {
        return std::filesystem::exists(folder.Path() / name);
    }
    std::string TextLog() const
    {
        for (const auto& e : std::filesystem::directory_iterator(folder.Path() / "log"))
            return folder.Read("log/" + e.path().filename().string());
        return "";
    }

    ScriptedRandom random{4};
    RandomScope scope{&random};
    TempFolder folder{"prob_files"};
    CXProb prob;
};

TEST_F(ProbFiles, AMainDataFileFailingACheckIsRefusedAndKept)
{
    struct Case {
        const char* what;
        void (*spoil)(MainData&);
        size_t keep;  // bytes of the file kept; 0 = all
    };
    const Case cases[] = {
        {"magic", [](MainData& d) { d.dwMagic = 0x06042503; }, 0},
        {"count", [](MainData& d) { d.dwCount = 4; }, 0},
        {"length", [](MainData&) {}, 18 + 4 * 64 - 1},
        {"rate", [](MainData& d) { d.fRate = 1.5f; }, 0},
        {"check byte", [](MainData& d) { d.byCheck = 1; }, 0},
        {"mode byte", [](MainData& d) { d.byMode = 1; }, 0},
        {"header only", [](MainData&) {}, 18},
    };
    for (const Case& c : cases) {
        MainData data(3, 1, {});
        c.spoil(data);
        std::string file = data.Bytes();
        if (c.keep)
            file.resize(c.keep);
        folder.Write("data/data.0.paf", file);
        EXPECT_FALSE(prob.LoadMainData()) << c.what;
        EXPECT_FALSE(prob.IsMainLoaded()) << c.what;
        EXPECT_TRUE(folder.Read("data/data.0.paf") == file) << c.what;
    }
    folder.Write("data/data.0.paf", MainData(3, 1, {}).Bytes());
    EXPECT_TRUE(prob.LoadMainData());
    EXPECT_EQ(prob.GetMainCount(), 3u);
    EXPECT_EQ(prob.GetMainMakeNo(), 1u);
}

TEST_F(ProbFiles, PlayChunksRunFromBlockToBlockAndAreSaved)
{
    const MainData data(250, 7, {});
    folder.Write("data/data.0.paf", data.Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    CXProbDataInfo out;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_EQ(out.m_dwEventNo, 1u);
    EXPECT_EQ(prob.m_dwPlayCursor, 1u);
    EXPECT_TRUE(folder.Read("data/play.sav") == PlayChunk(data, 1, 100));

    prob.m_dwPlayCursor = 100;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_EQ(out.m_dwEventNo, 100u);
    prob.m_dwPlayCursor = 101;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_EQ(out.m_dwEventNo, 101u);
    EXPECT_TRUE(folder.Read("data/play.sav") == PlayChunk(data, 101, 200));

    // The last chunk runs to the main data's count.
    prob.m_dwPlayCursor = 201;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_TRUE(folder.Read("data/play.sav") == PlayChunk(data, 201, 250));
}

TEST_F(ProbFiles, TheEndOfTheMainDataRotatesToTheNextFile)
{
    const MainData first(150, 1, {}), next(120, 2, {});
    folder.Write("data/data.0.paf", first.Bytes());
    folder.Write("data/data.1.paf", next.Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    CXProbDataInfo out;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    prob.m_dwPlayCursor = 101;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_EQ(out.m_dwEventNo, 101u);
    prob.m_dwPlayCursor = 151;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_EQ(prob.GetMainMakeNo(), 2u);
    EXPECT_EQ(out.m_dwMakeNo, 2u);
    EXPECT_EQ(out.m_dwEventNo, 1u);
    EXPECT_FALSE(Exists("data/data.1.paf"));
    CXString date;
    date.FormatDate(0);
    EXPECT_TRUE(folder.Read(std::string("backup/backup.") + date.GetString() + ".1.paf") ==
                first.Bytes());
}

TEST_F(ProbFiles, AChunkOfASingleRecordIsRefused)
{
    ErrorLogCapture errors;
    folder.Write("data/data.0.paf", MainData(10, 1, {2}).Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    CXProbDataInfo out;
    EXPECT_FALSE(prob.GetEventData(&out, false));
    EXPECT_EQ(errors.Count("Create buffer fail. [dwSize=80]"), 1);
    EXPECT_EQ(errors.Count("GetPlayEventData fail."), 1);
    EXPECT_FALSE(Exists("data/play.sav"));
}

TEST_F(ProbFiles, ARecordOutsideTheChunkIsRefused)
{
    ErrorLogCapture errors;
    const MainData data(150, 1, {});
    folder.Write("data/data.0.paf", data.Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    // A chunk whose header claims more events than it holds.
    std::string chunk = PlayChunk(data, 1, 3);
    chunk[8] = 50;
    prob.m_strPlay.SetData(chunk.data(), unsigned(chunk.size()));
    prob.m_dwPlayCursor = 4;
    CXProbDataInfo out;
    EXPECT_FALSE(prob.GetEventData(&out, false));
    EXPECT_EQ(errors.Count("Invalid event data. [dwOffset=208]"), 1);
}

TEST_F(ProbFiles, ABonusHeaderFromTheFutureDeletesBothBonusFiles)
{
    folder.Write("data/data.0.paf", MainData(150, 1, {}).Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    const long long future = (long long)(std::time(nullptr)) + 100000;
    folder.Write("data/bonush_4_60.sav", "CTIME=" + std::to_string(future) + "\nDTIME=60\nKEY=4\n");
    folder.Write("data/bonusd_4_60.sav", PlayChunk(MainData(10, 1, {}), 1, 5));
    EXPECT_FALSE(prob.CheckBonusData());
    EXPECT_FALSE(Exists("data/bonush_4_60.sav"));
    EXPECT_FALSE(Exists("data/bonusd_4_60.sav"));
}

TEST_F(ProbFiles, ADueBonusChunkIsPlayedAndTheMainDataResumesAfterIt)
{
    const MainData data(250, 1, {});
    folder.Write("data/data.0.paf", data.Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    CXProbDataInfo out;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    prob.m_dwPlayCursor = 101;

    const MainData bonus(300, 9, {});
    const std::string chunk = PlayChunk(bonus, 201, 203);
    const long long past = (long long)(std::time(nullptr)) - 1000;
    folder.Write("data/bonush_2_0x10.sav", "x");
    folder.Write("data/bonush_2_16.sav", "CTIME=" + std::to_string(past) + "\nDTIME=0x10\nKEY=2\n");
    folder.Write("data/bonusd_2_16.sav", chunk);
    folder.Write("data/bonush_3_99999.sav",
                 "CTIME=" + std::to_string(past) + "\nDTIME=99999\nKEY=3\n");
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_EQ(prob.m_dwPlayCursor, 201u);
    EXPECT_EQ(out.m_dwMakeNo, 9u);
    EXPECT_EQ(out.m_dwEventNo, 201u);
    EXPECT_TRUE(folder.Read("data/play.sav") == chunk);
    EXPECT_TRUE(folder.Read("backup/bonusd_2_16.sav.backup") == chunk);
    EXPECT_FALSE(Exists("data/bonush_2_16.sav"));
    EXPECT_TRUE(Exists("data/bonush_3_99999.sav"));  // not due yet

    // Past the bonus chunk the main data goes on where it was left.
    prob.m_dwPlayCursor = 204;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    EXPECT_EQ(out.m_dwMakeNo, 1u);
    EXPECT_EQ(out.m_dwEventNo, 101u);
    EXPECT_EQ(prob.m_dwPlayCursor, 101u);
}

TEST_F(ProbFiles, TheTextLogOfAChunkFromEvent101StartsWithTheBlockHeader)
{
    folder.Write("data/data.0.paf", MainData(250, 7, {}).Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    CXProbDataInfo out;
    prob.m_strPlay.SetData(nullptr, 0);
    ASSERT_TRUE(prob.GetEventData(&out, false));
    std::filesystem::remove_all(folder.Path() / "log");
    prob.m_dwPlayCursor = 101;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    const std::string text = TextLog();
    ASSERT_EQ(text.rfind("\r\n[Make 7: ", 0), 0u) << text.substr(0, 80);
    EXPECT_NE(text.find("] ****************************** 100 events "
                        "******************************\r\n   ID     Line1"),
              std::string::npos);
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 103u);  // blank line, header, columns, 100 events
    EXPECT_NE(text.find(" 00101 "), std::string::npos);
    EXPECT_NE(text.find(" 00200 "), std::string::npos);
}

TEST(ProbTextLog, MakeEventLineWritesTheExactColumns)
{
    CXProb prob;
    SetIdentityStrips(prob);
    CXProbDataInfo r;
    r.m_dwMakeNo = 7;
    r.m_dwEventNo = 101;
    r.m_byType = CXProbDataInfo::TYPE_BASE;
    for (int k = 0; k < 4; ++k)
        r.m_byStop[k] = uint8_t(k);
    r.m_bySign = 3;
    r.m_byRai = 1;
    r.m_byThu = 2;
    r.m_byMO1 = 3;
    r.m_byMN1 = 4;
    r.m_byMO2 = 5;
    r.m_byMN2 = 6;
    r.m_byFOb = 7;
    r.m_byBGN = 8;
    r.m_wLineWin[1] = 400;
    r.m_wTotalWin = 400;
    CXString text;
    prob.FormatEventLine(text, r, "2026-01-02 03:04:05");
    EXPECT_STREQ(text.GetString(),
                 "\r\n[Make 7: 2026-01-02 03:04:05] ****************************** 100 events "
                 "******************************\r\n"
                 "   ID     Line1        Line2        Line3     Sn1 Sn2 Rai Thu MO1 MN1 MO2 MN2 "
                 "FOb Eff Whl Col "
                 "Ang BGN H S      B\r\n"
                 "*00101  0  1  2  3   1  2  3  4   2  3  4  5   1   1   1   2   03  04  05  06  "
                 "07  00  0   0   0"
                 "   8  0 0   400 (0 400 0)\r\n");

    struct Case {
        uint8_t type, reach, kind, table;
        const char* start;  // marker and H, S columns
        const char* hs;
    };
    const Case cases[] = {
        {0, 0, 0, 0, "-", "  0 0 "}, {2, 0, 0, 0, " ", "  0 0 "}, {7, 0, 0, 0, "$", "  0 0 "},
        {2, 3, 0, 0, "@", "  0 0 "}, {3, 0, 1, 6, "+", "  6 0 "}, {5, 0, 1, 6, "+", "  1 0 "},
        {3, 0, 2, 6, "+", "  1 6 "}, {6, 0, 2, 6, "+", "  1 1 "}, {9, 0, 0, 0, "-", "  0 0 "},
    };
    for (const Case& c : cases) {
        CXProbDataInfo e;
        e.m_dwEventNo = 5;
        e.m_byType = c.type;
        e.m_byReach = c.reach;
        e.m_byHighKind = c.kind;
        e.m_byHighTable = c.table;
        prob.FormatEventLine(text, e, "");
        const std::string line = text.GetString();
        EXPECT_EQ(line.substr(0, 6), std::string(c.start) + "00005") << int(c.type);
        EXPECT_NE(line.find(std::string(c.hs) + "  0 (0 0 0)\r\n"), std::string::npos) << line;
    }
}

TEST_F(ProbFiles, SignSpinsBeforeAHighEventMayBeAmended)
{
    FillTables(prob);
    MainData data(150, 1, {});
    for (uint32_t i = 1; i <= 150; ++i) {
        CXProbDataInfo& r = data.records[i - 1];
        r.m_byType = CXProbDataInfo::TYPE_LOSE;
        r.m_wLineWin[1] = r.m_wTotalWin = 0;
    }
    // Events 5..9 carry both signs before the high event 10; 7 and 8 won enough.
    for (uint32_t i = 5; i <= 9; ++i)
        data.records[i - 1].m_bySign = 3;
    data.records[6].m_wTotalWin = 500;
    data.records[7].m_wTotalWin = 100;
    data.records[9].m_byType = CXProbDataInfo::TYPE_HIGH_SIGN;
    data.records[10].m_bySign = 2;
    folder.Write("data/data.0.paf", data.Bytes());
    ASSERT_TRUE(prob.LoadMainData());
    prob.m_wAmendThreshold = 300;
    prob.m_byAmendPercent = 100;
    prob.m_AmendPrize.SetAt(0, 2000);
    CXProbDataInfo out;
    ASSERT_TRUE(prob.GetEventData(&out, false));
    for (uint32_t cursor = 5; cursor <= 9; ++cursor) {
        prob.m_dwPlayCursor = cursor;
        ASSERT_TRUE(prob.GetEventData(&out, false));
        EXPECT_EQ(out.m_dwEventNo, cursor);
        EXPECT_EQ(out.m_bySign, 3);
        if (cursor == 7) {
            EXPECT_EQ(out.m_byType, CXProbDataInfo::TYPE_AMENDED);
            EXPECT_EQ(out.m_wTotalWin, 2000);
        } else {
            EXPECT_EQ(out.m_byType, CXProbDataInfo::TYPE_LOSE) << cursor;
        }
    }
    EXPECT_NE(TextLog().find("$00007"), std::string::npos);
}

}  // namespace
