// Opening a file or address with the desktop's default program, through posix_spawn (no shell).
// Stands in for: ShellExecuteA with the default verb. Not here: verbs, show states, waiting.
#include "platform/launch.h"

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace platform {

namespace {

constexpr const char* kOpener = "xdg-open";

Spawner g_spawner = &SpawnDetached;

}  // namespace

bool SpawnDetached(const std::vector<std::string>& argv)
{
    if (argv.empty() || argv[0].empty())
        return false;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    // posix_spawnp reports a program that cannot be executed (glibc waits for the exec).
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return false;
    // Collected in the background, so a finished program leaves no zombie behind.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

bool OpenWithDesktop(const std::string& target)
{
    if (target.empty())
        return false;
    return g_spawner({kOpener, target});
}

Spawner SetLaunchSpawner(Spawner spawner)
{
    Spawner previous = g_spawner;
    g_spawner = spawner ? spawner : &SpawnDetached;
    return previous;
}

}  // namespace platform
