#include <string>

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

namespace tamarind {

namespace {

rt::Object* getter(rt::Object* self, rt::SEL cmd)
{
    return rt::getAssociatedObject(self, cmd);
}

// setFoo: stores under the selector of its getter, foo.
void setter(rt::Object* self, rt::SEL cmd, rt::Object* value)
{
    std::string name = rt::selName(cmd);
    std::string key = name.substr(3, name.size() - 4);
    key[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[0])));
    rt::setAssociatedObject(self, rt::sel(key), value, rt::AssociationRetainNonatomic);
}

}

bool addObjectProperty(rt::Class* cls, const char* name, const char* className)
{
    if (!cls)
        return false;
    std::string attributes = "T@\"" + std::string(className) + "\",&,N";
    bool added = rt::addProperty(cls, name, attributes);
    std::string setterName = "set" + std::string(name) + ":";
    setterName[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(setterName[3])));
    rt::addMethod(cls, rt::sel(name), &getter);
    rt::addMethod(cls, rt::sel(setterName), &setter);
    return added;
}

}
