#pragma once

#include <string>
#include <vector>

// The record of what the library installed in the host, in installation order, for a person
// debugging a conflict with another library: which group installed it, whether it replaced or
// added, and on which class and selector. Only what took effect is recorded; a row whose class
// the host lacks, or whose selector nothing answers, is not.

namespace tamarind {

struct InstalledHook {
    std::string group;
    std::string kind; // "replace", "add" or "property"
    std::string className;
    std::string selector;
};

void recordInstalledHook(InstalledHook);
std::vector<InstalledHook> installedHooks();

}

// The record as a JSON array of {group, kind, class, selector}, for tools that find it by name.
// The text stays valid until the next call.
extern "C" const char* tamarindInstalledHooks();
