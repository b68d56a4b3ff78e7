#include "tamarind/rootpage/ToolSpawn.h"

#include <unistd.h>

#include "host/platform/Spawn.h"

namespace {

// Starts the program with the argument vector (terminated by a null entry) and this process's
// environment. The child's identifier and the spawn's result are of no use to anybody: a failed
// spawn leaves Settings as it was.
template <size_t N> void spawnTool(const char* path, const char* const (&arguments)[N])
{
    char* argv[N + 1];
    for (size_t i = 0; i < N; ++i)
        argv[i] = const_cast<char*>(arguments[i]);
    argv[N] = nullptr;
    pid_t child = 0;
    (void)platform::posix_spawn(&child, path, nullptr, nullptr, argv, environ);
}

}

extern "C" void performRespring()
{
    spawnTool("/var/jb/usr/bin/sbreload", { "sbreload" });
}

extern "C" void performSafeMode()
{
    spawnTool("/var/jb/usr/bin/killall", { "killall", "-SEGV", "SpringBoard" });
}
