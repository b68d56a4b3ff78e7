#include "DeviceSession.h"
#include "OptionCheck.h"
#include "PackageInstall.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

#include "host/foundation/Dictionary.h"
#include "host/foundation/Number.h"
#include "host/foundation/PropertyList.h"
#include "host/foundation/String.h"
#include "host/foundation/UserDefaults.h"
#include "host/platform/Device.h"
#include "host/platform/DeviceRoot.h"
#include "host/platform/InputFile.h"
#include "host/preferences/SettingsApp.h"
#include "tamarind/core/PreferencesDomain.h"

namespace fs = std::filesystem;

fs::path defaultDeviceFolder()
{
    if (const char* env = std::getenv("TAMARIND_DEVICE"))
        return env;
    return fs::path(TAM_SOURCE_DIR) / "devices" / "default";
}

DeviceSession::~DeviceSession()
{
    std::error_code ec;
    if (!m_temporary.empty())
        fs::remove_all(m_temporary, ec);
}

namespace {

// The device is copied whole, so what it holds is counted first: one sparse file can claim more
// than the disk has. Links count as links, not as what they name.
bool withinCopyLimit(const fs::path& folder, std::string& error)
{
    std::uintmax_t total = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!fs::is_regular_file(it->symlink_status(ec)))
            continue;
        total += it->file_size(ec);
        if (total > kMaximumDeviceBytes) {
            error = "the device folder " + folder.string() + " holds more than "
                + describeByteCount(kMaximumDeviceBytes) + " of files";
            return false;
        }
    }
    if (ec)
        error = "cannot read the device folder " + folder.string() + ": " + ec.message();
    return !ec;
}

}

bool DeviceSession::copyDevice(const fs::path& from, std::string& error)
{
    if (!withinCopyLimit(from, error))
        return false;
    std::string pattern = (fs::temp_directory_path() / "tamarind-sim-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error = std::string("cannot make a temporary folder: ") + std::strerror(errno);
        return false;
    }
    m_temporary = pattern;
    m_copy = m_temporary / "device";
    // Links inside the device are copied as links, so the copy resolves them as the device
    // would; the folder itself is copied through any link that names it, or the copy would be
    // a link back into the user's folder and changing the copy's domain would change theirs.
    std::error_code ec;
    fs::path folder = fs::canonical(from, ec);
    if (!ec)
        fs::copy(folder, m_copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) {
        error = "cannot copy the device folder " + from.string() + ": " + ec.message();
        return false;
    }
    return true;
}

bool DeviceSession::applyPreferences(const CommandLine& line, std::string& error)
{
    rt::AutoreleasePool pool;
    auto domain = NSUserDefaults::create(tamarind::kDomain);
    if (!line.prefs.empty()) {
        auto bytes = readInputFile(line.prefs, kMaximumPreferencesBytes, error);
        if (!bytes)
            return false;
        auto parsed = readPropertyList(*bytes);
        if (!isDictionary(parsed.value.get())) {
            error = line.prefs + " is not a property list dictionary"
                + (parsed.error.empty() ? std::string() : " (" + parsed.error + ")");
            return false;
        }
        for (auto& warning : preferenceWarnings(parsed.value.get()))
            std::fprintf(stderr, "tamarind-sim: warning: %s: %s\n", line.prefs.c_str(), warning.c_str());
        domain->replaceValues(static_cast<NSDictionary*>(parsed.value.get()), isBinaryPropertyList(*bytes));
    }
    for (auto& [key, text] : line.sets) {
        auto value = valueForSetting(key, text, error);
        if (!value)
            return false;
        domain->set(key, value.get());
    }
    if ((!line.prefs.empty() || !line.sets.empty()) && !domain->synchronize()) {
        error = "cannot write the preferences domain of the device copy";
        return false;
    }
    return true;
}

bool DeviceSession::loadLibrary(std::string& error)
{
    std::string path = TAM_LIBRARY_PATH;
    if (const char* env = std::getenv("TAMARIND_LIBRARY"))
        path = env;
    if (path.empty()) {
        error = "this build has no Tamarind library";
        return false;
    }
    if (!dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
        error = std::string("cannot load the Tamarind library: ") + dlerror();
        return false;
    }
    return true;
}

bool DeviceSession::start(const CommandLine& line, std::string& error)
{
    fs::path source = line.device.empty() ? defaultDeviceFolder() : fs::path(line.device);
    std::string loadError;
    if (!loadDevice(source, loadError)) {
        error = loadError;
        return false;
    }
    if (!copyDevice(source, error))
        return false;
    auto device = loadDevice(m_copy, error);
    if (!device)
        return false;
    if (!line.style.empty())
        device->interfaceStyle = line.style;
    m_style = device->interfaceStyle == "dark" ? 2 : 1;
    setCurrentDevice(std::move(*device));
    // Stock Settings runs without the library, so without what its package installs.
    if (!line.noTweak && !installPackage(packageFolder(), error))
        return false;
    if (!applyPreferences(line, error))
        return false;
    settings::registerAppClasses();
    return line.noTweak || loadLibrary(error);
}
