#include "host/platform/Substrate.h"
#include "tamarind/core/InstalledHooks.h"
#include "tamarind/core/Replacement.h"

namespace tamarind {

namespace {

bool install(const Replacement& row, rt::Class* cls)
{
    switch (row.kind) {
    case Replacement::Kind::Replace:
        return platform::hookMessageRaw(cls, rt::sel(row.selector), row.imp, row.types, row.saved);
    case Replacement::Kind::AddMethod:
        return cls && rt::addMethodRaw(cls, rt::sel(row.selector), row.imp, row.types, false);
    case Replacement::Kind::AddProperty:
        return addObjectProperty(cls, row.selector, row.propertyClass);
    }
    return false;
}

const char* kindName(Replacement::Kind kind)
{
    switch (kind) {
    case Replacement::Kind::Replace:
        return "replace";
    case Replacement::Kind::AddMethod:
        return "add";
    case Replacement::Kind::AddProperty:
        return "property";
    }
    return "";
}

}

void installGroup(const char* group, std::span<const Replacement> rows)
{
    // Each row looks its class up as it installs, so a class the host lacks disables its own rows only.
    for (const Replacement& row : rows) {
        if (install(row, rt::getClass(row.className)))
            recordInstalledHook({ group, kindName(row.kind), row.className, row.selector });
    }
}

}
