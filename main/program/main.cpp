// The client program: installs the protocol client's creator, then runs the start-up, main loop
// and shutdown sequence. It takes no arguments. Each game registers its creator here as it lands.
#include "AppStartup.h"
#include "CJix.h"
#include "CMorvane.h"
#include "CNetClient.h"
#include "CPelagorn.h"
#include "GameFactory.h"
#include "NetClientGlobal.h"

int main()
{
    SetNetClientCreator(CreateProgramNetClient);
    RegisterGameType(1, CreateJixGame);
    RegisterMorvaneGameTypes();
    RegisterPelagornGameType();
    return RunClient();
}
