// The client program: installs the protocol client's creator and the games that exist, then runs
// the start-up, main loop and shutdown sequence. It takes no arguments.
#include "AppStartup.h"

int main()
{
    return RunClient();
}
