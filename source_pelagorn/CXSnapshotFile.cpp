#include "CXSnapshotFile.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/files.h"

CXSnapshotFile::CXSnapshotFile(std::string strPathFormat)
    : m_strPathFormat(std::move(strPathFormat))
{}

std::string CXSnapshotFile::SlotPath(int nSlot) const
{
    std::string path = m_strPathFormat;
    const size_t at = path.find("%d");
    if (at != std::string::npos)
        path.replace(at, 2, std::to_string(nSlot));
    return path;
}

bool CXSnapshotFile::ReadSnapshot(const void* pData, size_t nSize, CXFileConfig* pConfig)
{
    if (!pData || nSize == 0 || nSize > kMaxFileSize || !pConfig)
        return false;
    return pConfig->Load(static_cast<const char*>(pData), unsigned(nSize));
}

uint64_t CXSnapshotFile::SnapshotKey(CXFileConfig& config)
{
    const auto dwTime = static_cast<uint32_t>(config.GetValue("TIME").ToInteger());
    const auto dwTick = static_cast<uint32_t>(config.GetValue("TICK").ToInteger());
    return (uint64_t(dwTime) << 32) | dwTick;
}

bool CXSnapshotFile::LoadSlot(int nSlot, CXFileConfig* pConfig) const
{
    const std::string path = SlotPath(nSlot);
    const std::optional<uint64_t> size = platform::FileSize(path);
    if (!size || *size == 0 || *size > kMaxFileSize)
        return false;
    const std::optional<std::vector<uint8_t>> bytes = platform::ReadWholeFile(path);
    return bytes && ReadSnapshot(bytes->data(), bytes->size(), pConfig);
}

int CXSnapshotFile::LoadNewest(CXFileConfig* pConfig)
{
    CXFileConfig configs[kSlots];
    uint64_t keys[kSlots];
    int nNewest = 0;
    for (int i = 0; i < kSlots; ++i) {
        LoadSlot(i, &configs[i]);
        keys[i] = SnapshotKey(configs[i]);
        if (keys[i] > keys[nNewest])
            nNewest = i;
    }
    if (pConfig)
        LoadSlot(nNewest, pConfig);
    return nNewest;
}

void CXSnapshotFile::Resume()
{
    m_bResumed = true;
    CXFileConfig newest;
    const int nSlot = LoadNewest(&newest);
    if (!newest.HasKey("TIME"))
        return;
    m_iSlot = (nSlot + 1) % kSlots;
    const auto iTick = static_cast<int32_t>(newest.GetValue("TICK").ToInteger());
    if (iTick >= m_iTick && iTick < INT32_MAX)
        m_iTick = iTick + 1;
}

bool CXSnapshotFile::Save(const CXString& strBody, int64_t nNowSeconds)
{
    if (m_strLastBody.GetDataSize() == strBody.GetDataSize() &&
        strBody.Compare(m_strLastBody.GetString()) == 0)
        return true;
    if (!m_bResumed)
        Resume();
    if (m_iSlot < 0 || m_iSlot >= kSlots)
        m_iSlot = 0;
    CXString strText;
    strText.Format("TIME=%d\nTICK=%d\n%s", static_cast<int32_t>(static_cast<uint32_t>(nNowSeconds)),
                   m_iTick, strBody.GetString());
    if (!platform::WriteFileAtomic(SlotPath(m_iSlot), strText.GetString(), strText.GetLength()))
        return false;
    m_strLastBody.Copy(strBody);
    ++m_iTick;
    m_iSlot = (m_iSlot + 1) % kSlots;
    return true;
}
