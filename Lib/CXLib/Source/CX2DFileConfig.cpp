// Engine configuration files: the engine packs first, then the disk.

#include "CX2DFileConfig.h"

#include "CX2DPack.h"
#include "CX2DTexture.h"

bool CX2DFileConfig::Load(const char* name, unsigned size, int scrambled)
{
    m_strPath.SetString(name ? name : "");
    CXString normalised;
    // A name with nothing left after normalising would make the base class read the program's
    // own default file instead; it names no file, so it fails.
    if (!name || !CX2DNormalizeName(name, normalised))
        return false;
    CXString bytes;
    if (PackLookup(normalised.GetString(), bytes)) {
        // An empty entry is an empty file (a zero length would make the base read a path).
        if (bytes.GetDataSize() == 0) {
            if (scrambled)
                return false;
            m_Values.RemoveAll();
            return true;
        }
        return CXFileConfig::Load(bytes.GetString(), bytes.GetDataSize(), scrambled);
    }
    return CXFileConfig::Load(normalised.GetString(), size, scrambled);
}
