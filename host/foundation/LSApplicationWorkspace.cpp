#include "host/foundation/LSApplicationWorkspace.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/platform/Device.h"

using rt::Object;
using rt::SEL;

namespace {

LSApplicationProxy* proxy(Object* o)
{
    return static_cast<LSApplicationProxy*>(o);
}

// A new proxy per app and call, as the registry hands out.
Object* allInstalledApplications(Object*, SEL)
{
    auto apps = NSArray::createMutable();
    for (auto& app : currentDevice().installedApps) {
        apps->add(LSApplicationProxy::create(app.bundleID, app.name).get());
    }
    return rt::autorelease(std::move(apps));
}

}

rt::Class* LSApplicationWorkspace::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<LSApplicationWorkspace>("LSApplicationWorkspace", rootClass());
        addClassMethod(
            c, sel("defaultWorkspace"), +[](Class*, SEL) { return static_cast<Object*>(defaultWorkspace()); });
        addMethod(c, sel("allInstalledApplications"), &allInstalledApplications);
        return c;
    }();
    return cls;
}

LSApplicationWorkspace* LSApplicationWorkspace::defaultWorkspace()
{
    static LSApplicationWorkspace* workspace = [] {
        auto* w = static_cast<LSApplicationWorkspace*>(classObject()->allocate());
        w->makeImmortal();
        return w;
    }();
    return workspace;
}

rt::Class* LSApplicationProxy::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<LSApplicationProxy>("LSApplicationProxy", rootClass());
        addMethod(
            c, sel("applicationIdentifier"), +[](Object* self, SEL) -> Object* { return ns(proxy(self)->m_bundleID); });
        addMethod(
            c, sel("bundleIdentifier"), +[](Object* self, SEL) -> Object* { return ns(proxy(self)->m_bundleID); });
        addMethod(
            c, sel("localizedName"), +[](Object* self, SEL) -> Object* { return ns(proxy(self)->m_name); });
        return c;
    }();
    return cls;
}

rt::Ref<LSApplicationProxy> LSApplicationProxy::create(std::string bundleID, std::string name)
{
    auto p = rt::adopt(static_cast<LSApplicationProxy*>(classObject()->allocate()));
    p->m_bundleID = std::move(bundleID);
    p->m_name = std::move(name);
    return p;
}

std::string applicationIconPath(const std::string& bundleID)
{
    for (auto& app : currentDevice().installedApps)
        if (app.bundleID == bundleID)
            return app.icon;
    return {};
}
