#pragma once
// The resource file registry: the paths the loading screen loads before the login, one file per
// LoadNext. Images go to the device's texture cache, sounds to the sound groups, other files are
// kept in memory here until the registry goes. While the register-only flag is set, the games'
// loaders only register the files they would load.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <memory>

#include "Base/CXPtrMapTempl.h"

class CXImagePrefetch;

class CXFileLoad {
public:
    enum Kind : int32_t { KIND_DATA = 0, KIND_IMAGE = 1, KIND_SOUND = 2 };

    struct sFILEPATH {
        std::string strPath;
        int32_t nKind = KIND_DATA;
        int32_t nValue = 0;  // sounds: the number of buffers
    };
    struct sDATAFILE {
        std::string strPath;
        std::vector<uint8_t> data;
    };

    CXFileLoad();
    virtual ~CXFileLoad();
    CXFileLoad(const CXFileLoad&) = delete;
    CXFileLoad& operator=(const CXFileLoad&) = delete;

    // True at once for a path already registered.
    bool Register(const char* path, int value);
    // By extension, ignoring case: .png .bmp .tga images, .wav sounds, anything else data.
    static int GetFileKind(const char* path);
    // 0: one file loaded; 1: finished, or the file at the position failed (it stays there).
    int LoadNext();
    // Loads one file by its kind; a failure is recorded in the failed map.
    bool LoadDataFile(const char* path, const uint8_t** data, uint32_t* size, int kind, int value);
    void AddFailed(const char* path, int kind);
    // The record of the path (existing or new); null without data.
    const sDATAFILE* AddDataFile(const char* path, std::vector<uint8_t> data);

    // Empties the registered and failed files and restarts the walk; data files stay.
    void ClearRegistered();

    bool IsStarted() const { return m_bStarted; }
    bool IsFinished() const { return m_bFinished; }
    int32_t GetLoadedCount() const { return m_nLoadedCount; }
    size_t GetRegisteredCount() const { return m_Registered.GetCount(); }
    size_t GetFailedCount() const { return m_Failed.GetCount(); }
    const CXPtrMapTempl<std::string, sFILEPATH>& GetRegistered() const { return m_Registered; }
    const CXPtrMapTempl<std::string, sFILEPATH>& GetFailed() const { return m_Failed; }
    const sDATAFILE* FindDataFile(const std::string& path) const { return m_DataFiles.Find(path); }

    bool IsRegisterOnly() const { return m_bRegisterOnly; }
    void SetRegisterOnly(bool on) { m_bRegisterOnly = on; }

private:
    bool m_bStarted = false;
    bool m_bFinished = false;
    int32_t m_nLoadedCount = 0;
    std::map<std::string, sFILEPATH*>::const_iterator m_Position;
    CXPtrMapTempl<std::string, sFILEPATH> m_Registered;
    CXPtrMapTempl<std::string, sFILEPATH> m_Failed;
    CXPtrMapTempl<std::string, sDATAFILE> m_DataFiles;
    bool m_bRegisterOnly = false;
    // While the walk runs: its images decoded ahead on worker threads, and the walk's index.
    std::unique_ptr<CXImagePrefetch> m_pPrefetch;
    size_t m_nPosition = 0;

    void StartPrefetch();
    // Logs the failed load and records it in the failed map.
    void FailLoad(const char* path, int kind);
    // Loads the image at walk index `index` from its prefetched pixels (the file itself when they
    // are missing); a failure is recorded as LoadDataFile records it.
    bool LoadWalkImage(const sFILEPATH& file, size_t index);
};

// The one registry, made first thing at start-up and deleted first at shutdown.
extern CXFileLoad* g_pFileLoad;
