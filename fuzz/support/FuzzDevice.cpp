#include "FuzzDevice.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

FuzzDevice::FuzzDevice(const std::string& copyOf)
{
    std::string pattern = (fs::temp_directory_path() / "tamarind-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    m_temporary = pattern;
    m_folder = m_temporary / "device";
    if (copyOf.empty())
        fs::create_directories(m_folder);
    else
        fs::copy(fs::path(TAM_SOURCE_DIR) / "devices" / copyOf, m_folder,
            fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    m_folder = fs::canonical(m_folder);
}

FuzzDevice::~FuzzDevice()
{
    std::error_code ec;
    fs::remove_all(m_temporary, ec);
}

fs::path FuzzDevice::file(const std::string& devicePath) const
{
    return m_folder / devicePath.substr(devicePath.find_first_not_of('/'));
}

void FuzzDevice::write(const std::string& devicePath, const std::uint8_t* data, std::size_t size) const
{
    fs::path path = file(devicePath);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
}

void FuzzDevice::write(const std::string& devicePath, const std::string& text) const
{
    write(devicePath, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void FuzzDevice::copyFromDefault(const std::string& devicePath) const
{
    fs::path from
        = fs::path(TAM_SOURCE_DIR) / "devices" / "default" / devicePath.substr(devicePath.find_first_not_of('/'));
    fs::path to = file(devicePath);
    fs::create_directories(to.parent_path());
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}
