#include "CXFileLoad.h"

#include <strings.h>

#include <cstring>

#include "Base/CXLog.h"
#include "CXGfxDevice.h"
#include "CXImagePrefetch.h"
#include "CXSoundMgr.h"
#include "platform/files.h"
#include "platform/heap.h"
#include "platform/image.h"

CXFileLoad* g_pFileLoad = nullptr;

CXFileLoad::CXFileLoad() = default;
CXFileLoad::~CXFileLoad() = default;

bool CXFileLoad::Register(const char* path, int value)
{
    if (!path)
        return false;
    if (m_Registered.Find(path))
        return true;
    auto* record = new sFILEPATH{path, GetFileKind(path), value};
    if (!m_Registered.Insert(record->strPath, record)) {
        delete record;
        return false;
    }
    return true;
}

int CXFileLoad::GetFileKind(const char* path)
{
    const char* dot = path ? std::strrchr(path, '.') : nullptr;
    if (!dot)
        return KIND_DATA;
    if (strcasecmp(dot, ".png") == 0 || strcasecmp(dot, ".bmp") == 0 ||
        strcasecmp(dot, ".tga") == 0)
        return KIND_IMAGE;
    if (strcasecmp(dot, ".wav") == 0)
        return KIND_SOUND;
    return KIND_DATA;
}

int CXFileLoad::LoadNext()
{
    if (m_bFinished)
        return 1;
    if (!m_bStarted) {
        m_Position = m_Registered.begin();
        m_nPosition = 0;
        m_bStarted = true;
        StartPrefetch();
    }
    if (m_Position == m_Registered.end()) {
        m_bFinished = true;
        m_pPrefetch.reset();
        // The decoded pictures of the walk were freed as their textures were made.
        platform::ReleaseFreeHeapMemory();
        return 1;
    }
    const sFILEPATH& file = *m_Position->second;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    const bool ok = file.nKind == KIND_IMAGE && m_pPrefetch
                        ? LoadWalkImage(file, m_nPosition)
                        : LoadDataFile(file.strPath.c_str(), &data, &size, file.nKind, file.nValue);
    if (!ok)
        return 1;
    ++m_nLoadedCount;
    ++m_Position;
    ++m_nPosition;
    return 0;
}

void CXFileLoad::StartPrefetch()
{
    std::vector<std::string> paths;
    std::vector<bool> images;
    paths.reserve(m_Registered.GetCount());
    images.reserve(m_Registered.GetCount());
    for (const auto& [path, file] : m_Registered) {
        paths.push_back(file->strPath);
        images.push_back(file->nKind == KIND_IMAGE);
    }
    // The UI thread makes the textures meanwhile; the machine's other cores decode.
    m_pPrefetch = std::make_unique<CXImagePrefetch>(std::move(paths), std::move(images),
                                                    CXImagePrefetch::WorkerCount());
}

bool CXFileLoad::LoadWalkImage(const sFILEPATH& file, size_t index)
{
    ImageData image;
    if (!g_pGfxDevice || !m_pPrefetch->Take(index, image))
        return LoadDataFile(file.strPath.c_str(), nullptr, nullptr, KIND_IMAGE, file.nValue);
    if (g_pGfxDevice->Texture_LoadDecoded(file.strPath.c_str(), image))
        return true;
    FailLoad(file.strPath.c_str(), KIND_IMAGE);
    return false;
}

bool CXFileLoad::LoadDataFile(const char* path, const uint8_t** data, uint32_t* size, int kind,
                              int value)
{
    bool ok = false;
    if (kind == KIND_IMAGE) {
        ok = g_pGfxDevice && g_pGfxDevice->Texture_Load(path) != nullptr;
    } else if (kind == KIND_SOUND) {
        CXSoundMgr* sounds = g_pGfxDevice ? g_pGfxDevice->GetSoundMgr() : nullptr;
        ok = sounds && sounds->LoadSound(path, value) != nullptr;
    } else {
        const sDATAFILE* record = m_DataFiles.Find(path);
        if (!record) {
            auto bytes = platform::ReadWholeFile(platform::ResolvePath(path));
            if (bytes)
                record = AddDataFile(path, std::move(*bytes));
        }
        if (record) {
            if (data)
                *data = record->data.data();
            if (size)
                *size = static_cast<uint32_t>(record->data.size());
            ok = true;
        }
    }
    if (!ok)
        FailLoad(path, kind);
    return ok;
}

void CXFileLoad::FailLoad(const char* path, int kind)
{
    CX_LOG_ERROR("CXFileLoad::LoadDataFile", "load fail. [%s]", path);
    AddFailed(path, kind);
}

void CXFileLoad::AddFailed(const char* path, int kind)
{
    if (!path || m_Failed.Find(path))
        return;
    auto* record = new sFILEPATH{path, kind, 1};
    if (!m_Failed.Insert(record->strPath, record))
        delete record;
}

const CXFileLoad::sDATAFILE* CXFileLoad::AddDataFile(const char* path, std::vector<uint8_t> data)
{
    if (!path || data.empty())
        return nullptr;
    if (const sDATAFILE* existing = m_DataFiles.Find(path))
        return existing;
    auto* record = new sDATAFILE{path, std::move(data)};
    if (!m_DataFiles.Insert(record->strPath, record)) {
        delete record;
        return nullptr;
    }
    return record;
}

void CXFileLoad::ClearRegistered()
{
    m_pPrefetch.reset();
    m_Failed.RemoveAll(true);
    m_Registered.RemoveAll(true);
    m_bStarted = false;
    m_bFinished = false;
    m_nLoadedCount = 0;
}
