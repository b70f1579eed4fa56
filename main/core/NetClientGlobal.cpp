#include "NetClientGlobal.h"

HiPointer<NetworkClient> g_NetClient;

namespace {
NetClientCreator g_pNetClientCreator = nullptr;
}

NetClientCreator SetNetClientCreator(NetClientCreator pCreator)
{
    NetClientCreator pOld = g_pNetClientCreator;
    g_pNetClientCreator = pCreator;
    return pOld;
}

NetworkClient* CreateNetClient()
{
    if (!g_NetClient && g_pNetClientCreator)
        g_NetClient = HiPointer<NetworkClient>(g_pNetClientCreator());
    return g_NetClient.Get();
}

void ReleaseNetClient()
{
    if (g_NetClient)
        g_NetClient->Close();
    g_NetClient = HiPointer<NetworkClient>();
}
