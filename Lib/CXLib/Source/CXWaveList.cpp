#include "CXWaveList.h"

#include "CXWaveFile.h"

std::unique_ptr<CXWaveList::sWAV> CXWaveList::Decode(const char* pszName, const uint8_t* pData,
                                                     uint32_t dwSize)
{
    CXWaveFile file;
    // An empty "data" chunk holds no sound.
    if (file.OpenFromMemory(pData, dwSize) != CXWaveFile::S_OK || file.GetSize() == 0)
        return nullptr;
    auto wav = std::make_unique<sWAV>();
    wav->strName = pszName ? pszName : "";
    wav->Format = file.GetFormat();
    wav->wExtraSize = file.GetExtraSize();
    // The sample data is bounded by the block, so this never allocates more than the file holds.
    wav->Data.resize(file.GetSize());
    uint32_t dwRead = 0;
    if (file.Read(wav->Data.data(), file.GetSize(), &dwRead) != CXWaveFile::S_OK)
        return nullptr;
    wav->dwSize = dwRead;
    return wav;
}
