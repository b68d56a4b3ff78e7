#include "tamarind/regrouping/EntryReader.h"

#include <set>

#include "host/foundation/Dictionary.h"
#include "host/foundation/Geometry.h"
#include "host/foundation/Log.h"
#include "host/foundation/String.h"
#include "host/preferences/PreferencesConstants.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/RoundedIcon.h"
#include "tamarind/core/Rows.h"

namespace tamarind {

namespace {

HostClass dictionaryClass("NSDictionary");
HostClass bundleClass("NSBundle");
HostClass localizedListClass("PLLocalizedListController");

rt::Object* fileManager()
{
    return rt::send<rt::Object*>(fileManagerClass.get(), SELECTOR("defaultManager"));
}

bool exists(rt::Object* path, bool* isDirectory = nullptr)
{
    bool directory = false;
    bool found = rt::send<bool>(fileManager(), SELECTOR("fileExistsAtPath:isDirectory:"), path, &directory);
    if (isDirectory)
        *isDirectory = found && directory;
    return found;
}

// A value of the dictionary when it is of the wanted kind; entry files are outside input.
rt::Object* valueOf(rt::Object* dict, const char* key, bool (*isKind)(rt::Object*))
{
    if (!isDictionary(dict))
        return nullptr;
    rt::Object* value = rt::send<rt::Object*>(dict, SELECTOR("objectForKey:"), ns(key));
    return isKind(value) ? value : nullptr;
}

rt::Object* imageNamed(rt::Object* name, rt::Object* bundle)
{
    if (!name)
        return nullptr;
    return rt::send<rt::Object*>(imageClass.get(), SELECTOR("imageNamed:inBundle:compatibleWithTraitCollection:"), name,
        bundle, static_cast<rt::Object*>(nullptr));
}

rt::Object* makeEntryRow(rt::Object* label, rt::Object* target, rt::Class* detail)
{
    return rt::send<rt::Object*>(specifierClass.get(),
        SELECTOR("preferenceSpecifierNamed:target:set:get:detail:cell:edit:"), label, target,
        rt::sel("readPreferenceValue:"), rt::sel("setPreferenceValue:selector:"), detail, static_cast<long>(PSLinkCell),
        static_cast<rt::Class*>(nullptr));
}

void setProperty(rt::Object* row, const char* key, rt::Object* value)
{
    rt::send(row, SELECTOR("setProperty:forKey:"), value, ns(key));
}

rt::Object* bundlePaneRow(rt::Object* entry, rt::Object* label, rt::Object* bundlePath, rt::Object* target)
{
    rt::Object* detailName = valueOf(entry, "detail", &isString);
    rt::Class* detail = detailName ? rt::getClass(toStdString(detailName)) : nullptr;
    rt::Object* row = makeEntryRow(label, target, detail);
    if (const rt::Ivar* action = rt::getInstanceVariable(row->isa(), "_controllerLoadAction"))
        *rt::ivarPointer<rt::SEL>(row, action) = rt::sel("lazyLoadBundle:");
    rt::Object* bundle = rt::send<rt::Object*>(bundleClass.get(), SELECTOR("bundleWithPath:"), bundlePath);
    setProperty(row, PSLazilyLoadedBundleKey, bundlePath);
    setProperty(row, "pl_bundle", bundle);
    setProperty(row, "label", label);
    rt::Object* icon = imageNamed(valueOf(entry, "icon", &isString), bundle);
    setProperty(row, "iconImage", icon ? roundedIcon(icon) : iconCacheImage("Tweak"));
    return row;
}

rt::Object* simplePaneRow(
    rt::Object* file, rt::Object* entry, rt::Object* label, const std::string& directory, rt::Object* target)
{
    rt::Object* row = makeEntryRow(label, target, localizedListClass.get());
    rt::Object* bundle = rt::send<rt::Object*>(bundleClass.get(), SELECTOR("bundleWithPath:"), ns(directory));
    rt::Object* icon = valueOf(entry, "icon", &isString);
    setProperty(row, "items", valueOf(file, "items", [](rt::Object* o) { return o != nullptr; }));
    setProperty(row, "label", label);
    setProperty(row, "id", label);
    setProperty(row, "icon", icon);
    setProperty(row, "pl_bundle", bundle);
    setProperty(row, "iconImage", imageNamed(icon, bundle));
    return row;
}

void readEntryFile(rt::Object* path, const std::string& directory, rt::Object* rows, rt::Object* target)
{
    rt::Object* file = rt::send<rt::Object*>(dictionaryClass.get(), SELECTOR("dictionaryWithContentsOfFile:"), path);
    rt::Object* entry = valueOf(file, "entry", &isDictionary);
    rt::Object* bundlePath = valueOf(file, "bundlePath", &isString);
    // Whether the bundle path names something is asked once per path: the search below already
    // knows it of every path but the last one it tries.
    bool bundleFound = bundlePath && exists(bundlePath);
    if (!bundleFound) {
        std::string bundleName = entry ? toStdString(valueOf(entry, "bundle", &isString)) : std::string();
        if (bundleName.empty())
            bundleName = "(null)";
        bundlePath = ns("/var/jb/Library/PreferenceBundles/" + bundleName + ".bundle");
        bundleFound = exists(bundlePath);
        if (!bundleFound)
            bundlePath = ns("/var/jb/System/Library/PreferenceBundles/" + bundleName + ".bundle");
    }
    rt::Object* label = valueOf(entry, "label", &isString);
    // An entry without a label has no key to be stored under, so it gives no row.
    if (!label)
        return;
    rt::Object* row = bundleFound || exists(bundlePath) ? bundlePaneRow(entry, label, bundlePath, target)
                                                        : simplePaneRow(file, entry, label, directory, target);
    rt::send(rows, SELECTOR("setObject:forKey:"), row,
        rt::send<rt::Object*>(label, SELECTOR("stringByDeletingPathExtension")));
}

// A directory reached again through a symbolic link is not read twice, so a link that points
// back up the tree cannot make the reader loop.
void readDirectory(const std::string& directory, rt::Object* rows, rt::Object* target, std::set<std::string>& visited)
{
    rt::AutoreleasePool pool;
    rt::Object* dirPath = ns(directory);
    if (!visited.insert(toStdString(rt::send<rt::Object*>(dirPath, SELECTOR("stringByResolvingSymlinksInPath"))))
             .second)
        return;
    rt::Object* error = nullptr;
    rt::Object* names
        = rt::send<rt::Object*>(fileManager(), SELECTOR("contentsOfDirectoryAtPath:error:"), dirPath, &error);
    if (!names) {
        hostLog("Error reading directory " + directory + ": "
            + toStdString(rt::send<rt::Object*>(error, SELECTOR("description"))));
        return;
    }
    for (unsigned long i = 0, n = countOf(names); i < n; ++i) {
        rt::Object* name = objectAt(names, i);
        rt::Object* path = rt::send<rt::Object*>(dirPath, SELECTOR("stringByAppendingPathComponent:"), name);
        bool isDirectory = false;
        if (!exists(path, &isDirectory))
            continue;
        if (isDirectory) {
            readDirectory(toStdString(path), rows, target, visited);
            continue;
        }
        if (toStdString(rt::send<rt::Object*>(name, SELECTOR("pathExtension"))) != "plist")
            continue;
        readEntryFile(path, directory, rows, target);
    }
}

}

void readEntries(const std::string& directory, rt::Object* rows, rt::Object* target)
{
    std::set<std::string> visited;
    readDirectory(directory, rows, target, visited);
}

rt::Object* sortedTweakRows(rt::Object* target)
{
    auto rows = rt::newObject(mutableDictionaryClass.get());
    readEntries(kEntriesDirectory, rows, target);
    rt::Object* keys = rt::send<rt::Object*>(rt::send<rt::Object*>(rows, SELECTOR("allKeys")),
        SELECTOR("sortedArrayUsingSelector:"), rt::sel("caseInsensitiveCompare:"));
    rt::Object* sorted = newMutableArray();
    for (unsigned long i = 0, n = countOf(keys); i < n; ++i)
        append(sorted, rt::send<rt::Object*>(rows, SELECTOR("objectForKey:"), objectAt(keys, i)));
    return sorted;
}

}
