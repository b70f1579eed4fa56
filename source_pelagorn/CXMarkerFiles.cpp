#include "CXMarkerFiles.h"

#include <cstdio>

#include "platform/files.h"

std::string MachineMarkerName(int nMachineNumber)
{
    char szName[32];
    std::snprintf(szName, sizeof szName, "pg%04d.idx", nMachineNumber);
    return szName;
}

int DeleteMachineMarkers(const std::string& strFolder)
{
    int nDeleted = 0;
    for (const platform::FoundFile& found : platform::FindFiles(strFolder + "pg*.idx")) {
        if (found.bFolder || found.strName.empty() || found.strName[0] == '.')
            continue;
        if (platform::DeleteFile(strFolder + found.strName))
            ++nDeleted;
    }
    return nDeleted;
}

bool WriteMachineMarker(const std::string& strFolder, int nMachineNumber)
{
    if (nMachineNumber < 0 || nMachineNumber > 999)
        return false;
    DeleteMachineMarkers(strFolder);
    const std::string strName = MachineMarkerName(nMachineNumber);
    return platform::WriteFileAtomic(strFolder + strName, strName.data(), strName.size());
}
