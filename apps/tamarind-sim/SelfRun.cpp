#include "SelfRun.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

bool runThisProgram(const std::vector<std::string>& args, const std::string& what, std::string& error)
{
    std::vector<std::string> copies = args;
    std::vector<char*> argv;
    for (auto& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // What this process printed so far comes before anything the child prints.
    std::fflush(stdout);
    pid_t child = 0;
    if (int failed = posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv.data(), environ)) {
        error = "cannot run a second simulator for " + what + ": " + std::strerror(failed);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = what + " could not be drawn";
        return false;
    }
    return true;
}
