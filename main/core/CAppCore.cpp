#include "CAppCore.h"

CAppCore* g_pAppCore = nullptr;

CAppCore::CAppCore()
{
    g_pAppCore = this;
}

CAppCore::~CAppCore()
{
    if (g_pAppCore == this)
        g_pAppCore = nullptr;
}
