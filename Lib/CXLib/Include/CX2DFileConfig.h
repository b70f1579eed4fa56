#pragma once
// The engine's key=value file: looked up by its normalised name in the engine packs first, then
// read from the disk. Files that name other files resolve them against the folder of the path as
// it was given, which the object keeps.

#include "CXFileConfig.h"
#include "CXString.h"

class CX2DFileConfig : public CXFileConfig {
public:
    CX2DFileConfig() = default;
    ~CX2DFileConfig() override = default;

    // The name is stored as given, then normalised (text after the first "//", trimmed,
    // upper-cased, a leading '/' dropped). A pack entry of that name is parsed from memory;
    // otherwise CXFileConfig::Load(normalised name, size, scrambled) reads the disk. False for a
    // missing file or a name that normalises to nothing.
    bool Load(const char* name, unsigned size = 0, int scrambled = 0);

    // The path as it was given to Load.
    const CXString& GetPath() const { return m_strPath; }

    CXString m_strPath;
};
