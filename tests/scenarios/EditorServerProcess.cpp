#include "EditorServerProcess.h"

#include <chrono>
#include <csignal>
#include <httplib.h>
#include <poll.h>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

#include "SimHarness.h"

EditorServerProcess::EditorServerProcess(std::vector<std::string> extraArguments)
{
    int out[2];
    if (pipe(out))
        return;
    std::vector<std::string> args { simProgram(), "serve", "--port", "0" };
    args.insert(args.end(), extraArguments.begin(), extraArguments.end());
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], 1);
        dup2(out[1], 2);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    // The server reads the library's options before it listens: a minute covers a sanitizer build.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    std::regex address("http://127\\.0\\.0\\.1:([0-9]+)/");
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd watched { out[0], POLLIN, 0 };
        if (poll(&watched, 1, 200) <= 0)
            continue;
        char buffer[4096];
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_output.append(buffer, static_cast<size_t>(n));
        std::smatch found;
        if (std::regex_search(m_output, found, address)) {
            m_port = std::stoi(found[1]);
            break;
        }
    }
    // Later output is not read; the pipe is closed so the server never blocks on it.
    close(out[0]);
}

EditorServerProcess::~EditorServerProcess()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(m_pid, &status, WNOHANG) == 0; ++i)
        usleep(50000);
    if (waitpid(m_pid, &status, WNOHANG) == 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
    }
}

bool EditorServerProcess::alive() const
{
    return m_pid > 0 && kill(m_pid, 0) == 0 && waitpid(m_pid, nullptr, WNOHANG) == 0;
}

std::unique_ptr<httplib::Client> EditorServerProcess::client() const
{
    auto client = std::make_unique<httplib::Client>("127.0.0.1", m_port);
    client->set_read_timeout(300);
    client->set_write_timeout(60);
    client->set_connection_timeout(10);
    return client;
}
