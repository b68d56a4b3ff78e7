#pragma once

#include <spawn.h>
#include <string>
#include <vector>

// posix_spawn of device programs. The simulated device never runs a program of the machine it
// runs on: a spawn looks the program up in the device folder and, when it is there as a regular
// file with an execute permission, records the child (its device path and argument vector) in
// the device's process list and gives it a process identifier. Nothing is executed.

namespace platform {

// As the C library's posix_spawn: 0 on success with *pid set (when pid is not null); otherwise
// an error number (ENOENT for a missing program, EACCES for one that is not executable, EINVAL
// for a null path), with nothing recorded. File actions, attributes and the environment are
// accepted and not used.
int posix_spawn(pid_t* pid, const char* devicePath, const posix_spawn_file_actions_t* fileActions,
    const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]);

struct SpawnedProcess {
    pid_t pid;
    std::string path; // the device path, with every symbolic link followed
    std::vector<std::string> arguments;
};

// Every child spawned so far, in the order they were spawned.
std::vector<SpawnedProcess> spawnedProcesses();

}
