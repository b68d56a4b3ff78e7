#include "host/platform/DynamicLoader.h"

#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <map>
#include <mutex>
#include <string>

#include "host/platform/DeviceRoot.h"

namespace platform {

namespace {

struct DeviceImage {
    std::string path;
};

struct LoadedImages {
    std::mutex lock;
    std::map<std::string, DeviceImage*> images;
};

LoadedImages& loaded()
{
    static auto* l = new LoadedImages;
    return *l;
}

bool isElf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    return in && std::memcmp(magic, "\x7f" "ELF", 4) == 0;
}

}

void* dlopenDevice(const char* devicePath, int mode)
{
    if (!devicePath)
        return nullptr;
    auto resolved = resolveDevicePath(devicePath);
    std::error_code ec;
    if (!resolved || !std::filesystem::is_regular_file(resolved->host, ec))
        return nullptr;
    if (isElf(resolved->host))
        return dlopen(resolved->host.c_str(), mode);
    auto& l = loaded();
    std::lock_guard guard(l.lock);
    auto& image = l.images[resolved->device];
    if (!image)
        image = new DeviceImage { resolved->device };
    return image;
}

}
