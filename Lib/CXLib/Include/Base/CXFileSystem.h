#pragma once
// A pack file: one file holding many entries, found by name, whose bytes can be copied into
// memory or into a new file.
//
// Pack layout (little-endian): "CXFS", key byte, 3 reserved bytes, 32-bit entry count; then per
// entry five 32-bit fields (two location words, size, offset of the data in the pack, one further
// word), a 16-bit name length and the name bytes. Entry data is stored XOR-ed with the key byte
// (key 0 stores it plain).

#include <cstdint>

#include "CXFile.h"
#include "CXListExTmpl.h"
#include "CXLockFast.h"
#include "CXMemoryPoolTmpl.h"
#include "CXString.h"

class CXFileSystemObject : public CXLockFast {
public:
    CX_DECLARE_MEMORY_POOL(CXFileSystemObject)

    const CXString& GetName() const { return m_strName; }

    uint32_t m_dwLocation1 = 0;
    uint32_t m_dwLocation2 = 0;
    uint32_t m_dwSize = 0;    // bytes of the entry
    uint32_t m_dwOffset = 0;  // where its bytes start in the pack
    uint32_t m_dwExtra = 0;
    CXString m_strName;  // normalised: upper case, '\\' separators
};

struct CXFileSystemEntryInfo {
    uint32_t dwLocation1;
    uint32_t dwLocation2;
    uint32_t dwSize;
    uint32_t dwOffset;
    uint32_t dwExtra;
    CXString strName;
};

class CXFileSystem {
public:
    static constexpr uint32_t kBlockSize = 8192;

    CXFileSystem() = default;
    CXFileSystem(const CXFileSystem&) = delete;
    CXFileSystem& operator=(const CXFileSystem&) = delete;
    virtual ~CXFileSystem() = default;

    // Opens a pack and reads its index. False (nothing open) for a missing file or a malformed
    // index: entries must lie inside the file.
    bool Open(const char* pszPackPath);
    void Close();
    bool IsOpen() const { return m_File.IsOpen(); }
    uint32_t GetCount() const { return m_Entries.GetCount(); }

    // Entry names are compared trimmed, upper-cased, with '/' read as '\\' and runs of '\\' as one.
    static CXString NormalizeName(const char* pszName);

    // Copies the entry's fields into the record; false when absent or an argument is null.
    bool GetEntryInfo(const char* pszName, CXFileSystemEntryInfo* pInfo) const;

    // With nToFile, pTarget is a path: the entry's bytes are written into a new file there.
    // Otherwise pTarget is a buffer of dwSize bytes: the first min(dwSize, entry size) bytes of
    // the entry are copied into it. 1 on success, 0 otherwise (also for a short read or write).
    int ExtractFSData(const char* pszName, void* pTarget, uint32_t dwSize, int nToFile);

    // The pack's data scrambling: XOR with the key byte (its own inverse).
    static void Descramble(uint8_t* pData, uint32_t dwLength, uint8_t byKey);

private:
    bool ReadIndex();

    CXFile m_File;
    uint8_t m_byKey = 0;
    CXListExTmpl<CXFileSystemObject> m_Entries;
};
