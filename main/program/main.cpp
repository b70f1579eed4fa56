// The client program: installs the protocol client's creator and registers each game (one call
// per game), then runs the start-up, main loop and shutdown sequence. It takes no arguments.
#include "AppStartup.h"
#include "CJix.h"
#include "CMorvane.h"
#include "CNetClient.h"
#include "CPelagorn.h"
#include "NetClientGlobal.h"

int main()
{
    SetNetClientCreator(CreateProgramNetClient);
    RegisterJixGameType();
    RegisterMorvaneGameType();
    RegisterPelagornGameType();
    return RunClient();
}
