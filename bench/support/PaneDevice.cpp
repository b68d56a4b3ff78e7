#include "PaneDevice.h"

#include <chrono>
#include <fstream>

namespace fs = std::filesystem;

namespace bench {

namespace {

std::string entryPlist(int i, bool bundle)
{
    std::string label = "Tweak " + std::to_string(i);
    std::string entry = "<key>label</key><string>" + label + "</string><key>cell</key><string>PSLinkCell</string>";
    if (bundle)
        entry += "<key>bundle</key><string>B" + std::to_string(i) + "</string><key>detail</key><string>RLC"
            + std::to_string(i) + "</string><key>icon</key><string>icon.png</string>";
    else
        entry += "<key>icon</key><string>none.png</string>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>entry</key><dict>" + entry
        + "</dict><key>items</key><array/></dict></plist>";
}

}

fs::path entriesFolder(const fs::path& device)
{
    return device / "var/jb/Library/PreferenceLoader/Preferences";
}

void writeTextFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<fs::path> writeTweakPanes(const fs::path& device, int count, const fs::path& icon)
{
    std::vector<fs::path> files;
    fs::create_directories(entriesFolder(device));
    for (int i = 0; i < count; ++i) {
        bool bundle = i % 2 == 0;
        fs::path file
            = entriesFolder(device) / ("folder" + std::to_string(i % 10)) / ("Tweak" + std::to_string(i) + ".plist");
        writeTextFile(file, entryPlist(i, bundle));
        files.push_back(file);
        if (bundle) {
            fs::path folder = device / "var/jb/Library/PreferenceBundles" / ("B" + std::to_string(i) + ".bundle");
            fs::create_directories(folder);
            fs::copy_file(icon, folder / "icon@3x.png", fs::copy_options::overwrite_existing);
        }
    }
    return files;
}

void ageFolders(const fs::path& root)
{
    auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(root, anHourAgo);
    for (auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_directory() && !entry.is_symlink())
            fs::last_write_time(entry.path(), anHourAgo);
}

}
