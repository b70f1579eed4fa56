#include "NetLog.h"

#include "CXLog.h"

void NetLogError(const char* pszFunction, const char* pszText)
{
    CX_LOG_ERROR(pszFunction, "%s", pszText);
}
