// Opening a file or address with the desktop's default program.
// Stands in for: ShellExecuteA with the default verb ("open").
// Not here: other verbs, the show state (the opened program decides its own window), waiting for
//   the program, a shell: the target is handed over as one argument, never interpreted.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts a program (looked up on PATH when the name has no '/') with these arguments and does not
// wait for it; its exit is collected in the background. False when it cannot be started.
using Spawner = bool (*)(const std::vector<std::string>& argv);
bool SpawnDetached(const std::vector<std::string>& argv);

// Hands the target to the desktop's opener ("xdg-open target") through the spawner. False for
// an empty target or when the opener cannot be started.
bool OpenWithDesktop(const std::string& target);

// Test seam: the spawner platform::OpenWithDesktop uses; null puts SpawnDetached back. Returns the
// previous one.
Spawner SetLaunchSpawner(Spawner spawner);

}  // namespace platform
