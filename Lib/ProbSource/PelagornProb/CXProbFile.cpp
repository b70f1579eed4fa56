// Play mode: the main data file, play chunks, timed bonus chunks, amending of sign spins and the
// daily text log.
#include <cstring>

#include "CXFileConfig.h"
#include "CXProb.h"
#include "CXProbLog.h"
#include "ProbRandom.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {

uint32_t Get32(const char* p)
{
    const auto* b = reinterpret_cast<const uint8_t*>(p);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

float GetFloat(const char* p)
{
    const uint32_t bits = Get32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

CXString DateText()
{
    CXString strDate;
    strDate.FormatDate(0);
    return strDate;
}

}  // namespace

bool CXProb::ReadBoundedFile(const CXString& strPath, uint64_t nMaxBytes, CXString* pOut)
{
    const std::optional<uint64_t> nSize = platform::FileSize(strPath.GetString());
    if (!nSize || *nSize > nMaxBytes)
        return false;
    return pOut->LoadFile(strPath.GetString());
}

bool CXProb::LoadMainData()
{
    const CXString strPath = MakePath(m_strDataFolder, "data.%d.paf", 0);
    m_bMainLoaded = false;
    m_dwMainCount = m_dwMainMakeNo = 0;
    bool bOk = ReadBoundedFile(strPath, kMaxMainDataBytes, &m_strMain);
    const uint64_t nLength = bOk ? m_strMain.GetDataSize() : 0;
    const char* p = m_strMain.GetString();
    bOk = bOk && nLength > kMainHeaderSize && Get32(p) == kMagic &&
          (nLength - kMainHeaderSize) / CXProbDataInfo::kSize == uint64_t(Get32(p + 4)) + 1 &&
          GetFloat(p + 12) == m_Setting.fRate && uint8_t(p[16]) == m_Setting.byCheck &&
          uint8_t(p[17]) == m_byMode;
    if (!bOk) {
        // A refused file stays on disk for whoever prepared it; only the buffer is dropped.
        m_strMain.SetData(nullptr, 0);
        return false;
    }
    m_dwMainCount = Get32(p + 4);
    m_dwMainMakeNo = Get32(p + 8);
    m_bMainLoaded = true;
    return true;
}

void CXProb::RotateMainData()
{
    const CXString strData0 = MakePath(m_strDataFolder, "data.%d.paf", 0);
    const CXString strData1 = MakePath(m_strDataFolder, "data.%d.paf", 1);
    const CXString strBackup =
        MakePath(m_strBackupFolder, "backup.%s.%d.paf", DateText().GetString(), m_dwMainMakeNo);
    platform::DeleteFile(strBackup.GetString());
    platform::RenameFile(strData0.GetString(), strBackup.GetString());
    platform::RenameFile(strData1.GetString(), strData0.GetString());
}

bool CXProb::ReadPlayHeader(uint32_t* pdwFirst, uint32_t* pdwLast, uint32_t* pdwMakeNo) const
{
    if (m_strPlay.GetDataSize() <= kPlayHeaderSize)
        return false;
    const char* p = m_strPlay.GetString();
    *pdwFirst = Get32(p + 4);
    *pdwLast = Get32(p + 8);
    *pdwMakeNo = Get32(p + 12);
    return true;
}

bool CXProb::GetPlayRecord(uint32_t i, CXProbDataInfo* pRecord) const
{
    const uint64_t nOffset = kPlayHeaderSize + uint64_t(i) * CXProbDataInfo::kSize;
    if (nOffset + CXProbDataInfo::kSize > m_strPlay.GetDataSize())
        return false;
    pRecord->Read(reinterpret_cast<const uint8_t*>(m_strPlay.GetString()) + nOffset);
    return true;
}

void CXProb::SetPlayRecord(uint32_t i, const CXProbDataInfo& record)
{
    const uint64_t nOffset = kPlayHeaderSize + uint64_t(i) * CXProbDataInfo::kSize;
    if (nOffset + CXProbDataInfo::kSize <= m_strPlay.GetDataSize())
        record.Write(reinterpret_cast<uint8_t*>(m_strPlay.GetBuffer()) + nOffset);
}

bool CXProb::GetPlayEventData()
{
    static const char* const kFunction = "CXProb::GetPlayEventData";
    if (!m_bMainLoaded) {
        PROB_LOG(kFunction, "Invalid Main event data.");
        return false;
    }
    if (CheckBonusData())
        return true;

    uint32_t dwFirst = 0, dwLast = 0, dwMakeNo = 0;
    if (m_dwPlayCursor != 0 && ReadPlayHeader(&dwFirst, &dwLast, &dwMakeNo) &&
        dwMakeNo == m_dwMainMakeNo) {
        if ((m_dwPlayCursor - 1) / 100 == (dwLast - 1) / 100)
            m_dwPlayCursor = dwLast + 1;
        else
            m_dwPlayCursor = (m_dwPlayCursor / 100) * 100 + 1;
    } else if (m_dwSavedCursor != 0 && m_dwSavedMakeNo == m_dwMainMakeNo) {
        // Back from a bonus chunk: the main data goes on where it was left.
        m_dwPlayCursor = m_dwSavedCursor;
        m_dwSavedCursor = m_dwSavedMakeNo = 0;
        const uint32_t dwCursor = m_dwPlayCursor;
        const bool bOk = CutPlayChunk();
        m_dwPlayCursor = dwCursor;
        return bOk;
    } else {
        m_dwPlayCursor = 1;
    }
    return CutPlayChunk();
}

bool CXProb::CutPlayChunk()
{
    static const char* const kFunction = "CXProb::GetPlayEventData";
    if (m_dwPlayCursor > m_dwMainCount ||
        m_strMain.GetDataSize() < uint64_t(m_dwPlayCursor) * CXProbDataInfo::kSize + 82) {
        RotateMainData();
        if (!LoadMainData()) {
            PROB_LOG(kFunction, "Main data load fail.");
            return false;
        }
        m_dwPlayCursor = 1;
    }

    // The chunk runs from the cursor up to the next record that starts a block.
    const auto* pMain = reinterpret_cast<const uint8_t*>(m_strMain.GetString());
    const uint64_t nRecords = (m_strMain.GetDataSize() - kMainHeaderSize) / CXProbDataInfo::kSize;
    const uint64_t nEnd = m_dwMainCount < nRecords ? m_dwMainCount : nRecords;  // last whole event
    uint64_t nStop = nEnd + 1;
    uint32_t dwLast = m_dwMainCount;
    bool bRefused = false;
    CXProbDataInfo record;
    for (uint64_t j = uint64_t(m_dwPlayCursor) + 1; j <= nEnd; ++j) {
        record.Read(pMain + kMainHeaderSize + (j - 1) * CXProbDataInfo::kSize);
        if (record.m_byBlockStart) {
            nStop = j;
            dwLast = record.m_dwEventNo - 1;
            bRefused = record.m_dwEventNo == 0;
            break;
        }
    }
    const uint64_t nChunk =
        nStop > m_dwPlayCursor ? (nStop - m_dwPlayCursor) * CXProbDataInfo::kSize : 0;
    if (nChunk <= CXProbDataInfo::kSize || bRefused || m_dwPlayCursor == 0) {
        PROB_LOG(kFunction, "Create buffer fail. [dwSize=%d]", int(nChunk + kPlayHeaderSize));
        return false;
    }

    CXString strChunk;
    if (!strChunk.AllocBuffer(unsigned(nChunk + kPlayHeaderSize))) {
        PROB_LOG(kFunction, "Create buffer fail. [dwSize=%d]", int(nChunk + kPlayHeaderSize));
        return false;
    }
    auto* pChunk = reinterpret_cast<uint8_t*>(strChunk.GetBuffer());
    Put32(pChunk, kMagic);
    Put32(pChunk + 4, m_dwPlayCursor);
    Put32(pChunk + 8, dwLast);
    Put32(pChunk + 12, m_dwMainMakeNo);
    std::memcpy(pChunk + kPlayHeaderSize,
                pMain + kMainHeaderSize + uint64_t(m_dwPlayCursor - 1) * CXProbDataInfo::kSize,
                nChunk);
    m_strPlay = strChunk;
    if (!m_strPlay.SaveFile(MakePath(m_strDataFolder, "play.sav").GetString())) {
        m_strPlay.SetData(nullptr, 0);
        PROB_LOG(kFunction, "Play data save fail.");
        return false;
    }
    if (!CheckEventData()) {
        PROB_LOG(kFunction, "CheckEventData fail.");
        return false;
    }
    MakeTextLog();
    return true;
}

bool CXProb::CheckBonusData()
{
    static const char* const kFunction = "CXProb::CheckBonusData";
    const int64_t nNow = platform::UnixTimeNow();
    for (const platform::FoundFile& found :
         platform::FindFiles(MakePath(m_strDataFolder, "bonush_*.sav").GetString())) {
        if (found.bFolder || found.strName.empty() || found.strName[0] == '.')
            continue;
        CXString strText;
        CXFileConfig header;
        if (ReadBoundedFile(MakePath(m_strDataFolder, "%s", found.strName.c_str()),
                            kMaxBonusHeaderBytes, &strText) &&
            strText.GetDataSize() > 0)
            header.Load(strText.GetString(), strText.GetDataSize());
        const int64_t nCreated = header.GetValue("CTIME").ToInteger();
        const int64_t nDelay = header.GetValue("DTIME").ToInteger();
        const int nKey = int(header.GetValue("KEY").ToInteger());
        const CXString strHeader = MakePath(m_strDataFolder, "bonush_%d_%d.sav", nKey, int(nDelay));
        const CXString strData = MakePath(m_strDataFolder, "bonusd_%d_%d.sav", nKey, int(nDelay));
        if (nCreated > nNow) {
            platform::DeleteFile(strHeader.GetString());
            platform::DeleteFile(strData.GetString());
            continue;
        }
        // now >= CTIME here; the difference is taken unsigned so no header value overflows it.
        if (nDelay > 0 && uint64_t(nNow) - uint64_t(nCreated) < uint64_t(nDelay))
            continue;
        if (!ReadBoundedFile(strData, kMaxMainDataBytes, &m_strPlay) ||
            m_strPlay.GetDataSize() <= kPlayHeaderSize) {
            platform::DeleteFile(strHeader.GetString());
            platform::DeleteFile(strData.GetString());
            m_strPlay.SetData(nullptr, 0);
            continue;
        }
        if (!m_strPlay.SaveFile(MakePath(m_strDataFolder, "play.sav").GetString())) {
            m_strPlay.SetData(nullptr, 0);
            PROB_LOG(kFunction, "Play data save fail.");
            return false;
        }
        if (m_bMainLoaded && m_dwSavedCursor == 0) {
            m_dwSavedMakeNo = m_dwMainMakeNo;
            m_dwSavedCursor = m_dwPlayCursor;
        }
        m_dwPlayCursor = Get32(m_strPlay.GetString() + 4);
        if (!CheckEventData()) {
            PROB_LOG(kFunction, "CheckEventData fail.");
            return false;
        }
        MakeTextLog();
        const CXString strHeaderBackup =
            MakePath(m_strBackupFolder, "bonush_%d_%d.sav.backup", nKey, int(nDelay));
        const CXString strDataBackup =
            MakePath(m_strBackupFolder, "bonusd_%d_%d.sav.backup", nKey, int(nDelay));
        platform::DeleteFile(strHeaderBackup.GetString());
        platform::DeleteFile(strDataBackup.GetString());
        platform::RenameFile(strHeader.GetString(), strHeaderBackup.GetString());
        platform::RenameFile(strData.GetString(), strDataBackup.GetString());
        return true;
    }
    return false;
}

bool CXProb::CheckEventData()
{
    static const char* const kFunction = "CXProb::CheckEventData";
    if (!m_wAmendThreshold || !m_byAmendPercent || m_AmendPrize.GetSize() == 0)
        return true;
    uint32_t dwFirst = 0, dwLast = 0, dwMakeNo = 0;
    if (!ReadPlayHeader(&dwFirst, &dwLast, &dwMakeNo) || dwLast < dwFirst)
        return true;
    const uint32_t dwEvents = dwLast - dwFirst + 1;
    CXProbDataInfo record;
    for (uint32_t i = 0; i < dwEvents; ++i) {
        if (!GetPlayRecord(i, &record)) {
            PROB_LOG(kFunction, "Invalid event data. [dwOffset=%d]",
                     int(kPlayHeaderSize + uint64_t(i) * 64));
            return false;
        }
        if (!record.IsHighType())
            continue;
        // The sign run before a high event: winning spins may become amended spins.
        CXProbDataInfo before;
        for (uint32_t j = i; j-- > 0 && GetPlayRecord(j, &before) && before.HasBothSigns();) {
            if (before.m_byType > CXProbDataInfo::TYPE_RANDOM ||
                before.m_wTotalWin < m_wAmendThreshold || !ProbChance(m_byAmendPercent, 100))
                continue;
            const uint16_t wPrize =
                *m_AmendPrize.GetAt(ProbRandomRange(0, m_AmendPrize.GetSize() - 1));
            CXProbDataInfo made;
            if (!BuildEventData(&made, wPrize)) {
                PROB_LOG(kFunction, "BuildEventData fail. [wPrize=%d]", wPrize);
                return false;
            }
            before.CopyResult(made);
            before.m_byType = CXProbDataInfo::TYPE_AMENDED;
            SetPlayRecord(j, before);
        }
        CXProbDataInfo next;
        while (i + 1 < dwEvents && GetPlayRecord(i + 1, &next) && next.HasSignOnlySecond())
            ++i;
    }
    return true;
}

bool CXProb::MakeTextLog()
{
    static const char* const kFunction = "CXProb::MakeTextLog";
    uint32_t dwFirst = 0, dwLast = 0, dwMakeNo = 0;
    if (!ReadPlayHeader(&dwFirst, &dwLast, &dwMakeNo)) {
        PROB_LOG(kFunction, "Invalid header data.");
        return false;
    }
    if (m_strLogFolder.GetLength())
        platform::CreateFolder(m_strLogFolder.GetString());
    const CXString strPath = MakePath(m_strLogFolder, "log.%s.txt", DateText().GetString());
    const int nFile = platform::OpenAppend(strPath.GetString());
    if (nFile < 0) {
        PROB_LOG(kFunction, "File create fail. [%s]", strPath.GetString());
        return false;
    }
    bool bOk = true;
    CXProbDataInfo record;
    for (uint64_t n = dwFirst; n <= dwLast && bOk; ++n) {
        const uint32_t i = uint32_t(n - dwFirst);
        if (!GetPlayRecord(i, &record)) {
            PROB_LOG(kFunction, "Invalid event data. [dwOffset=%d]",
                     int(kPlayHeaderSize + uint64_t(i) * 64));
            bOk = false;
        } else {
            bOk = MakeEventLine(nFile, record);
        }
    }
    platform::CloseDescriptor(nFile);
    return bOk;
}

bool CXProb::MakeEventLine(int nFile, const CXProbDataInfo& record)
{
    CXString strDateTime;
    strDateTime.FormatDateTime(0);
    CXString strLines;
    FormatEventLine(strLines, record, strDateTime.GetString());
    return platform::WriteDescriptor(nFile, strLines.GetString(), strLines.GetDataSize());
}

void CXProb::FormatEventLine(CXString& strOut, const CXProbDataInfo& record,
                             const char* pszDateTime) const
{
    strOut.SetData(nullptr, 0);
    if (record.m_byBlockStart || (record.m_dwEventNo - 1) % 100 == 0) {
        strOut.AppendFormat("\r\n[Make %d: %s] ****************************** %d events "
                            "******************************\r\n",
                            int(record.m_dwMakeNo), pszDateTime, 100);
        strOut.AppendFormat(
            "   ID     Line1        Line2        Line3     Sn1 Sn2 Rai Thu MO1 MN1 MO2 MN2 FOb "
            "Eff Whl Col Ang BGN H S      B\r\n");
    }
    char cMarker;
    if (record.m_byReach)
        cMarker = '@';
    else if (record.m_byType == CXProbDataInfo::TYPE_BASE)
        cMarker = '*';
    else if (record.m_byType == CXProbDataInfo::TYPE_RANDOM)
        cMarker = ' ';
    else if (record.IsHighType())
        cMarker = '+';
    else if (record.m_byType == CXProbDataInfo::TYPE_AMENDED)
        cMarker = '$';
    else
        cMarker = '-';

    int line[3][4];
    for (uint32_t row = 0; row < 3; ++row)
        for (uint32_t r = 0; r < 4; ++r)
            line[row][r] = GetSymbol(r, record.m_byStop[r], row);

    int h = 0, s = 0;
    if (record.IsHighType()) {
        const int n = record.m_byType == CXProbDataInfo::TYPE_HIGH_SIGN ? record.m_byHighTable : 1;
        if (record.m_byHighKind == 1)
            h = n;
        else if (record.m_byHighKind == 2)
            h = 1, s = n;
    }
    strOut.AppendFormat("%c%05d %2d %2d %2d %2d  %2d %2d %2d %2d  %2d %2d %2d %2d   %d   %d   %d   "
                        "%d   %02d  %02d  "
                        "%02d  %02d  %02d  %02d  %d   %d   %d   %d  %d %d   %d (%d %d %d)\r\n",
                        cMarker, int(record.m_dwEventNo), line[0][0], line[0][1], line[0][2],
                        line[0][3], line[1][0], line[1][1], line[1][2], line[1][3], line[2][0],
                        line[2][1], line[2][2], line[2][3], record.m_bySign & 1,
                        (record.m_bySign >> 1) & 1, record.m_byRai, record.m_byThu, record.m_byMO1,
                        record.m_byMN1, record.m_byMO2, record.m_byMN2, record.m_byFOb, 0, 0, 0, 0,
                        record.m_byBGN, h, s, record.m_wTotalWin, record.m_wLineWin[0],
                        record.m_wLineWin[1], record.m_wLineWin[2]);
}
