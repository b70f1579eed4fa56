#pragma once

// Failure reports of the network library, written to the error log.
void NetLogError(const char* pszFunction, const char* pszText);
