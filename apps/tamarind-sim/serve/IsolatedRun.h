#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Runs a program in a child process of its own, so that whatever it does (crash, hang, run out
// of memory) ends that run and nothing else. The child gets its own process group, a time limit
// on the wall clock and, where the build allows it, a limit on its address space.

struct RunLimits {
    double seconds { 10 };
    // Address space of the child in megabytes; 0 sets none. Sanitizer builds reserve terabytes of
    // address space for their shadow memory, so they run without this limit.
    std::size_t megabytes { 1024 };
};

struct RunOutcome {
    enum class End { Exited, Signalled, TimedOut, NotStarted };
    End end { End::NotStarted };
    int status { 0 }; // the exit code or the signal
    std::string out;
    std::string err;
    bool succeeded() const { return end == End::Exited && status == 0; }
    // One line for a person: what went wrong, with the last line the child wrote to standard
    // error when it wrote one.
    std::string failure() const;
};

// Runs `program` with `arguments` (argv[0] included) in `workFolder`, which receives the child's
// standard output and error as files, with this process's environment changed by `environment`.
// Must not be called with `workFolder` shared between concurrent runs.
RunOutcome runIsolated(const std::filesystem::path& program, const std::vector<std::string>& arguments,
    const std::filesystem::path& workFolder, const RunLimits&,
    const std::vector<std::pair<std::string, std::string>>& environment = {});

// Whether this build runs under a sanitizer, which rules out the address-space limit.
bool sanitizerBuild();
