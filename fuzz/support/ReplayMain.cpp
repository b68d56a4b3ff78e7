// The main of a fuzz target built without libFuzzer: it runs the target once over every input it
// is given (files, or every file of a folder, in name order), as libFuzzer does with -runs=0. The
// test build's sanitizers check each run; an input that takes longer than the time limit or
// brings the process past the memory limit fails the replay, as it would fail a fuzz run.
//
//   Target [--seconds N] [--megabytes N] PATH...

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

// The input being run, for the time limit's message; a signal handler may only write it out.
char s_currentInput[4096];

void stopAtTimeLimit(int)
{
    const char prefix[] = "replay: the time limit ran out on ";
    (void)!write(STDERR_FILENO, prefix, sizeof prefix - 1);
    (void)!write(STDERR_FILENO, s_currentInput, std::strlen(s_currentInput));
    (void)!write(STDERR_FILENO, "\n", 1);
    _exit(70);
}

long peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

struct Limits {
    unsigned seconds = 5;
    long megabytes = 512;
};

bool readLimit(const char* text, long& value)
{
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || *end || parsed <= 0)
        return false;
    value = parsed;
    return true;
}

// Every regular file named, folders expanded to their files in name order.
std::vector<std::filesystem::path> inputsOf(const std::vector<std::string>& paths)
{
    std::vector<std::filesystem::path> inputs;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            inputs.emplace_back(path);
            continue;
        }
        std::vector<std::filesystem::path> folder;
        for (const auto& entry : std::filesystem::directory_iterator(path, error))
            if (entry.is_regular_file(error))
                folder.push_back(entry.path());
        std::sort(folder.begin(), folder.end());
        inputs.insert(inputs.end(), folder.begin(), folder.end());
    }
    return inputs;
}

}

int main(int argc, char** argv)
{
    Limits limits;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        long value = 0;
        std::string argument = argv[i];
        if ((argument == "--seconds" || argument == "--megabytes") && i + 1 < argc && readLimit(argv[i + 1], value)) {
            if (argument == "--seconds")
                limits.seconds = static_cast<unsigned>(value);
            else
                limits.megabytes = value;
            ++i;
        } else if (argument.starts_with("--")) {
            std::fprintf(stderr, "usage: %s [--seconds N] [--megabytes N] PATH...\n", argv[0]);
            return 2;
        } else {
            paths.push_back(argument);
        }
    }

    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::signal(SIGALRM, stopAtTimeLimit);

    std::vector<std::filesystem::path> inputs = inputsOf(paths);
    for (const std::filesystem::path& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "replay: cannot read %s\n", input.c_str());
            return 1;
        }
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::snprintf(s_currentInput, sizeof s_currentInput, "%s", input.c_str());

        // An empty input still gets a valid pointer, as libFuzzer gives it.
        static const std::uint8_t kNoBytes = 0;
        alarm(limits.seconds);
        LLVMFuzzerTestOneInput(bytes.empty() ? &kNoBytes : bytes.data(), bytes.size());
        alarm(0);

        if (peakMegabytes() > limits.megabytes) {
            std::fprintf(stderr, "replay: %s brought the process to %ld MB (the limit is %ld MB)\n",
                input.c_str(), peakMegabytes(), limits.megabytes);
            return 1;
        }
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
