#include "host/foundation/MainThread.h"

#include <sys/syscall.h>
#include <unistd.h>

bool isMainThread()
{
    // The kernel gives the first thread of a process the process's own id. Asking it, rather than
    // remembering a thread at start-up, holds whichever thread loads the host or first runs the
    // run loop.
    return static_cast<pid_t>(syscall(SYS_gettid)) == getpid();
}
