#include "host/platform/Spawn.h"

#include <cerrno>
#include <filesystem>
#include <mutex>

#include "host/platform/DeviceRoot.h"

namespace platform {

namespace {

// The device's first process identifiers belong to the system; children count on from here.
constexpr pid_t kFirstChildPid = 1000;

// Children may be spawned from any thread, as on a device.
struct ProcessList {
    std::mutex lock;
    std::vector<SpawnedProcess> children;
};

ProcessList& processList()
{
    static auto* list = new ProcessList;
    return *list;
}

// A null-terminated argument vector as strings. The kernel caps an argument list's size; this
// does not, since the vectors come from code, not from a user.
std::vector<std::string> argumentsOf(char* const argv[])
{
    std::vector<std::string> arguments;
    for (size_t i = 0; argv && argv[i]; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

bool isExecutable(const std::filesystem::path& path)
{
    using std::filesystem::perms;
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    return !ec && (status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) != perms::none;
}

}

int posix_spawn(pid_t* pid, const char* devicePath, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
    char* const argv[], char* const[])
{
    if (!devicePath)
        return EINVAL;
    auto resolved = resolveDevicePath(devicePath);
    std::error_code ec;
    if (!resolved || !std::filesystem::exists(resolved->host, ec))
        return ENOENT;
    if (!std::filesystem::is_regular_file(resolved->host, ec) || !isExecutable(resolved->host))
        return EACCES;
    auto& list = processList();
    std::lock_guard guard(list.lock);
    pid_t child = kFirstChildPid + static_cast<pid_t>(list.children.size());
    list.children.push_back({ child, resolved->device, argumentsOf(argv) });
    if (pid)
        *pid = child;
    return 0;
}

std::vector<SpawnedProcess> spawnedProcesses()
{
    auto& list = processList();
    std::lock_guard guard(list.lock);
    return list.children;
}

}
