// The option editor's server as a user meets it, and under load.
//
// A user changes an option and waits for the new picture of the root page: the time from the
// request to the answer, for a value not drawn before (so no cached answer), is the editor's
// feel; its median has a target. Then eight clients at once ask for 500 pictures in all, each
// of a look of its own, as eight editors open on one machine would: p50 and p95 latency and the
// number of failed answers (none expected). The server's resident memory after all that is set
// against its memory before, and may grow by no more than its cache's bound.
//
// The server runs as `tamarind-sim serve --port 0`, in its own process, as a user starts it.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <httplib.h>
#include <mutex>
#include <nlohmann/json.hpp>
#include <poll.h>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Verdicts.h"

using nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kChanges = 25;
constexpr int kClients = 8;
constexpr int kLoadRenders = 500;
constexpr double kChangeTargetMs = 300;
// The render cache holds at most 64 MB; the rest of the server is threads and buffers.
constexpr double kGrowthLimitMb = 80;

struct Server {
    pid_t pid { -1 };
    int port { 0 };
};

Server startServer()
{
    int out[2];
    if (pipe(out))
        return {};
    Server server;
    server.pid = fork();
    if (server.pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        execl(TAM_SIM, TAM_SIM, "serve", "--port", "0", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    std::regex address("http://127\\.0\\.0\\.1:([0-9]+)/");
    auto deadline = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < deadline) {
        pollfd watched { out[0], POLLIN, 0 };
        if (poll(&watched, 1, 200) <= 0)
            continue;
        char buffer[1024];
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
        std::smatch found;
        if (std::regex_search(text, found, address)) {
            server.port = std::stoi(found[1]);
            break;
        }
    }
    close(out[0]);
    return server;
}

void stopServer(const Server& server)
{
    kill(server.pid, SIGTERM);
    waitpid(server.pid, nullptr, 0);
}

double residentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

// One render of the root page with the look; its time in milliseconds, or nothing on failure.
std::optional<double> renderRoot(httplib::Client& client, const json& look)
{
    json body { { "page", "root" }, { "style", "light" }, { "restyled", true }, { "options", look } };
    auto start = Clock::now();
    auto result = client.Post("/api/render", body.dump(), "application/json");
    double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!result || result->status != 200 || result->body.find("\"picture\"") == std::string::npos)
        return std::nullopt;
    return ms;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return values[index];
}

std::unique_ptr<httplib::Client> clientOf(const Server& server)
{
    auto client = std::make_unique<httplib::Client>("127.0.0.1", server.port);
    client->set_read_timeout(120);
    return client;
}

// The median time of a changed option to its picture: each change a value not drawn before.
std::optional<double> changeToPicture(const Server& server)
{
    auto client = clientOf(server);
    std::vector<double> times;
    for (int i = 0; i < kChanges; ++i) {
        json look { { "isTableViewCellHeightEnabled", true }, { "tableViewCellHeight", 50 + i } };
        auto ms = renderRoot(*client, look);
        if (!ms)
            return std::nullopt;
        times.push_back(*ms);
    }
    return percentile(times, 0.5);
}

struct Load {
    std::vector<double> times;
    int failures { 0 };
};

Load loadOf(const Server& server)
{
    Load load;
    std::mutex mutex;
    std::atomic<int> next { 0 };
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([&] {
            auto client = clientOf(server);
            for (int i; (i = next++) < kLoadRenders;) {
                json look { { "xOff", -200 + i }, { "isSmallTitle", i % 2 == 0 } };
                auto ms = renderRoot(*client, look);
                std::lock_guard lock(mutex);
                if (ms)
                    load.times.push_back(*ms);
                else
                    ++load.failures;
            }
        });
    for (auto& c : clients)
        c.join();
    return load;
}

// Benchmark filters of ./run bench that leave this program out.
bool filteredOut(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--benchmark_filter=", 0) == 0)
            return !std::regex_search(std::string("ServeEditor"), std::regex(a.substr(19)));
    }
    return false;
}

}

int main(int argc, char** argv)
{
    bench::Verdicts verdicts("serve-bench");
    std::optional<double> change, p50, p95, failures, growth;
    if (!filteredOut(argc, argv)) {
        Server server = startServer();
        if (server.port <= 0) {
            std::fprintf(stderr, "serve-bench: the server did not start\n");
            return 1;
        }
        auto warm = clientOf(server);
        renderRoot(*warm, json::object());
        double before = residentMegabytes(server.pid);
        change = changeToPicture(server);
        auto start = Clock::now();
        Load load = loadOf(server);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        double after = residentMegabytes(server.pid);
        stopServer(server);
        if (!load.times.empty()) {
            p50 = percentile(load.times, 0.5);
            p95 = percentile(load.times, 0.95);
        }
        failures = load.failures;
        growth = after - before;
        std::printf("serve-bench: %d renders by %d clients in %.1f s; server memory %.1f MB before, %.1f MB after\n",
            kLoadRenders, kClients, seconds, before, after);
    }
    verdicts.below("median option change to picture, root page", change, kChangeTargetMs, bench::kMilliseconds);
    verdicts.watch("8 clients, 500 renders: p50 latency", p50, bench::kMilliseconds);
    verdicts.watch("8 clients, 500 renders: p95 latency", p95, bench::kMilliseconds);
    verdicts.atMost("8 clients, 500 renders: failed answers", failures, 0, { 0, "" });
    verdicts.atMost("server memory growth after the load", growth, kGrowthLimitMb, { 1, " MB" });
    return 0;
}
