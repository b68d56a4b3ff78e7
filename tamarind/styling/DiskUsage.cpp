#include <cmath>
#include <cstdio>
#include <string>

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/RowIdentifiers.h"
#include "tamarind/core/Rows.h"
#include "tamarind/core/Settings.h"
#include "tamarind/styling/RowSubtitles.h"

// The General row's storage line: "<used> of <total> Used", in the host's own words.

namespace tamarind {

namespace {

HostClass diskMonitorClass("STStorageDiskMonitor");

constexpr char kPreferencesFramework[] = "/System/Library/PrivateFrameworks/Preferences.framework";
constexpr double kGigabyte = 1000000000.0;
constexpr long kFileCountStyle = 0;

std::string formatBytes(long long bytes)
{
    auto formatter = rt::newObject(rt::getClass("NSByteCountFormatter"));
    rt::send(formatter.get(), SELECTOR("setCountStyle:"), kFileCountStyle);
    return toStdString(rt::send<rt::Object*>(formatter.get(), SELECTOR("stringFromByteCount:"), bytes));
}

// The used figure always shows one decimal ("12.3 GB", "128.0 GB"); the unit, the formatter's
// last three characters, stays.
std::string usedText(long long usedBytes)
{
    std::string text = formatBytes(static_cast<long long>(static_cast<double>(usedBytes) / kGigabyte * kGigabyte));
    float leading = rt::send<float>(ns(text), SELECTOR("floatValue"));
    char number[32];
    std::snprintf(number, sizeof number, "%.1f", std::round(leading * 10.0f) / 10.0f);
    return number + (text.size() >= 3 ? text.substr(text.size() - 3) : text);
}

// Puts the arguments in place of the format's object placeholders, in order ("%@") or by
// position ("%1$@", "%2$@").
std::string formatTwo(const std::string& format, const std::string& first, const std::string& second)
{
    std::string out;
    int next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format.compare(i, 2, "%@") == 0) {
            out += next++ == 0 ? first : second;
            ++i;
        } else if (format.compare(i, 4, "%1$@") == 0 || format.compare(i, 4, "%2$@") == 0) {
            out += format[i + 1] == '1' ? first : second;
            i += 3;
        } else {
            out += format[i];
        }
    }
    return out;
}

}

void setDiskUsage(rt::Object* cell, rt::SEL)
{
    if (identifierOf(rt::send<rt::Object*>(cell, SELECTOR("specifier"))) != rowid::General)
        return;
    rt::AutoreleasePool pool;
    auto monitor = rt::newObject(diskMonitorClass.get());
    rt::send(monitor.get(), SELECTOR("updateDiskSpace"));
    rt::Object* space = rt::send<rt::Object*>(monitor.get(), SELECTOR("storageSpace"));
    double totalGigabytes = secondPass.isFakeStorageEnabled
        ? static_cast<double>(secondPass.storageValue)
        : static_cast<double>(rt::send<long long>(space, SELECTOR("deviceSize"))) / kGigabyte;
    rt::Object* bundle
        = rt::send<rt::Object*>(rt::getClass("NSBundle"), SELECTOR("bundleWithPath:"), ns(kPreferencesFramework));
    std::string format = toStdString(rt::send<rt::Object*>(bundle, SELECTOR("localizedStringForKey:value:table:"),
        ns("USED_OF_FMT"), ns(""), static_cast<rt::Object*>(nullptr)));
    std::string used = usedText(rt::send<long long>(space, SELECTOR("usedBytes")));
    std::string total = formatBytes(static_cast<long long>(totalGigabytes * kGigabyte));
    rt::Object* value = rt::getIvarObject(cell, rt::getInstanceVariable(cell->isa(), "_detailTextLabel"));
    rt::send(value, SELECTOR("setText:"), ns(formatTwo(format, used, total)));
    rt::send(rt::send<rt::Object*>(cell, SELECTOR("customDetailLabel")), SELECTOR("setText:"),
        ns(formatTwo(format, used, total)));
}

}
