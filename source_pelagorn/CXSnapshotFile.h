#pragma once
// One kind of snapshot kept in three rotating files. A snapshot is text: "TIME=%d\n" (the low 32
// bits of the time in seconds since 1970), "TICK=%d\n" (a save counter), then the body's
// "KEY=%d\n" lines. The newest of the three files by (TIME, TICK) is the one read back.
//
// A save writes a temporary file and renames it over the oldest slot, so a crash leaves either the
// old or the new file whole, and the two other slots keep earlier snapshots.

#include <cstddef>
#include <cstdint>
#include <string>

#include "CXFileConfig.h"
#include "CXString.h"

class CXSnapshotFile {
public:
    static constexpr int kSlots = 3;
    // Files larger than this are not snapshots of this program and read as empty.
    static constexpr uint64_t kMaxFileSize = 64 * 1024;

    // The path of slot i is the format with i in place of its one "%d".
    explicit CXSnapshotFile(std::string strPathFormat);

    std::string SlotPath(int nSlot) const;

    // Writes TIME, TICK and the body unless the body equals the last one written. True when the
    // snapshot was written or unchanged; false when the write failed (the body then counts as not
    // written, and the next save tries again).
    bool Save(const CXString& strBody, int64_t nNowSeconds);

    // Reads the three files (a missing or unreadable one reads as empty, all its keys 0) and
    // fills pConfig from the newest: the first in slot order of those with the largest
    // (TIME, TICK). Returns that slot.
    int LoadNewest(CXFileConfig* pConfig);

    // A snapshot text into a configuration; false for empty or oversized text.
    static bool ReadSnapshot(const void* pData, size_t nSize, CXFileConfig* pConfig);
    // (TIME, TICK) as one number that orders snapshots: TIME (unsigned 32 bits) above TICK.
    static uint64_t SnapshotKey(CXFileConfig& config);

    int32_t m_iTick = 0;     // TICK of the next snapshot
    int32_t m_iSlot = 0;     // slot of the next snapshot
    CXString m_strLastBody;  // the body last written

private:
    bool LoadSlot(int nSlot, CXFileConfig* pConfig) const;
    // Before the first save: continue after the newest snapshot already on disk.
    void Resume();

    std::string m_strPathFormat;
    bool m_bResumed = false;
};
