#pragma once
// The program's one protocol client. The application reaches it only as a NetworkClient; the
// login screen creates it through the creator the program installs (tests install their own).

#include "HiRefObject.h"
#include "NetworkClient.h"

extern HiPointer<NetworkClient> g_NetClient;

using NetClientCreator = NetworkClient* (*)();

// Installs the creator (null removes it); returns the one it replaces.
NetClientCreator SetNetClientCreator(NetClientCreator pCreator);
// g_NetClient, created through the creator when there is none yet; null without a creator or
// when it gives none.
NetworkClient* CreateNetClient();
// Closes the client (joining its I/O thread) and drops the reference.
void ReleaseNetClient();
