#include "IsolatedRun.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// How much of the child's output is kept: enough for a picture's row map or an error message.
constexpr std::size_t kMaximumOutputBytes = std::size_t(4) << 20;

std::string readBounded(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string text(kMaximumOutputBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// Everything between fork and exec is limited to calls that are safe in a child of a threaded
// process: the argument vector and paths are prepared by the parent.
[[noreturn]] void becomeChild(const char* program, char* const* argv, char* const* envp, const char* folder,
    const char* outPath, const char* errPath, std::size_t megabytes)
{
    setpgid(0, 0);
    int out = open(outPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int err = open(errPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (out < 0 || err < 0 || in < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(folder) < 0)
        _exit(126);
    // The server's sockets and files stay with the server.
    close_range(3, ~0U, 0);
    if (megabytes) {
        rlimit limit { static_cast<rlim_t>(megabytes) << 20, static_cast<rlim_t>(megabytes) << 20 };
        setrlimit(RLIMIT_AS, &limit);
    }
    // Signals the server ignores or blocks would otherwise stay so in the child.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    execve(program, argv, envp);
    _exit(127);
}

// Waits for the child until the deadline; stops its whole group when the deadline passes.
RunOutcome reap(pid_t child, double seconds)
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    auto pause = std::chrono::microseconds(500);
    RunOutcome outcome;
    int status = 0;
    while (true) {
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (done < 0 && errno != EINTR) {
            outcome.end = RunOutcome::End::NotStarted;
            return outcome;
        }
        if (Clock::now() >= deadline) {
            kill(-child, SIGKILL);
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) { }
            outcome.end = RunOutcome::End::TimedOut;
            return outcome;
        }
        std::this_thread::sleep_for(pause);
        // Short renders are answered quickly; long ones are not polled a thousand times a second.
        pause = std::min(pause * 2, std::chrono::microseconds(8000));
    }
    // A child that left helpers behind takes them with it.
    kill(-child, SIGKILL);
    if (WIFSIGNALED(status)) {
        outcome.end = RunOutcome::End::Signalled;
        outcome.status = WTERMSIG(status);
    } else {
        outcome.end = RunOutcome::End::Exited;
        outcome.status = WEXITSTATUS(status);
    }
    return outcome;
}

std::string lastLine(const std::string& text)
{
    std::size_t end = text.find_last_not_of("\n");
    if (end == std::string::npos)
        return {};
    std::size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

}

bool sanitizerBuild()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

std::string RunOutcome::failure() const
{
    std::string what;
    switch (end) {
    case End::Exited:
        what = "the render failed (exit status " + std::to_string(status) + ")";
        break;
    case End::Signalled:
        what = std::string("the render crashed (") + strsignal(status) + ")";
        break;
    case End::TimedOut:
        return "the render took longer than its time limit and was stopped";
    case End::NotStarted:
        return "the render could not be started";
    }
    std::string line = lastLine(err);
    const std::string prefix = "tamarind-sim: ";
    if (line.starts_with(prefix))
        line.erase(0, prefix.size());
    return line.empty() ? what : what + ": " + line;
}

static std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& changes)
{
    std::vector<std::string> entries;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        bool replaced = false;
        for (auto& [name, value] : changes)
            replaced = replaced || entry.starts_with(name + "=");
        if (!replaced)
            entries.push_back(entry);
    }
    for (auto& [name, value] : changes)
        entries.push_back(name + "=" + value);
    return entries;
}

static std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (auto& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

RunOutcome runIsolated(const fs::path& program, const std::vector<std::string>& arguments, const fs::path& workFolder,
    const RunLimits& limits, const std::vector<std::pair<std::string, std::string>>& environment)
{
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv = pointersTo(copies);
    std::vector<std::string> entries = environmentWith(environment);
    std::vector<char*> envp = pointersTo(entries);
    std::string folder = workFolder.string(), outPath = (workFolder / "out").string(),
                errPath = (workFolder / "err").string(), programPath = program.string();
    std::size_t megabytes = sanitizerBuild() ? 0 : limits.megabytes;
    pid_t child = fork();
    if (child < 0)
        return {};
    if (child == 0)
        becomeChild(programPath.c_str(), argv.data(), envp.data(), folder.c_str(), outPath.c_str(), errPath.c_str(), megabytes);
    // The parent sets the group too, so that a kill sent before the child ran setpgid reaches it.
    setpgid(child, child);
    RunOutcome outcome = reap(child, limits.seconds);
    outcome.out = readBounded(workFolder / "out");
    outcome.err = readBounded(workFolder / "err");
    return outcome;
}
