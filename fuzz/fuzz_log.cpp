// The fuzz targets' error log: standard error instead of the foundation library's log files.
#include <cstdio>

#include "NetLog.h"

void NetLogError(const char* pszFunction, const char* pszText)
{
    std::fprintf(stderr, "[%s] %s\n", pszFunction, pszText);
}
