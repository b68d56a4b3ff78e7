#include "host/foundation/NotificationCenter.h"

#include <cstring>

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

const char* const UIApplicationDidReceiveMemoryWarningNotification = "UIApplicationDidReceiveMemoryWarningNotification";
const char* const UIApplicationDidEnterBackgroundNotification = "UIApplicationDidEnterBackgroundNotification";
const char* const UIApplicationWillEnterForegroundNotification = "UIApplicationWillEnterForegroundNotification";
const char* const UIKeyboardDidShowNotification = "UIKeyboardDidShowNotification";

rt::Class* NSNotification::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<NSNotification>("NSNotification", rootClass());
        addMethod(c, sel("name"), +[](Object* n, SEL) { return static_cast<Object*>(ns(static_cast<NSNotification*>(n)->m_name)); });
        bindReadOnlyProperty<&NSNotification::m_object>(c, "object");
        return c;
    }();
    return cls;
}

rt::Ref<NSNotification> NSNotification::create(std::string name, rt::Object* object)
{
    auto note = rt::adopt(static_cast<NSNotification*>(classObject()->allocate()));
    note->m_name = std::move(name);
    note->m_object = object;
    return note;
}

rt::Class* NotificationCenter::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<Object>("NSNotificationCenter", rootClass());
        // One shared instance, never released; its messages all reach the default centre.
        addClassMethod(
            c, sel("defaultCenter"), +[](Class* self, SEL) {
                static Object* center = self->allocate();
                return center;
            });
        addMethod(
            c, sel("addObserver:selector:name:object:"),
            +[](Object*, SEL, Object* observer, SEL selector, Object* name, Object* object) {
                std::optional<std::string> key;
                if (name)
                    key = toStdString(name);
                defaultCenter().addObserver(observer, selector, std::move(key), object);
            });
        addMethod(
            c, sel("removeObserver:"),
            +[](Object*, SEL, Object* observer) { defaultCenter().removeObserver(observer); });
        addMethod(
            c, sel("postNotificationName:object:"), +[](Object*, SEL, Object* name, Object* object) {
                if (name)
                    defaultCenter().post(toStdString(name), object);
            });
        return c;
    }();
    return cls;
}

NotificationCenter& NotificationCenter::defaultCenter()
{
    static auto* center = new NotificationCenter;
    return *center;
}

void NotificationCenter::addObserver(
    rt::Object* observer, rt::SEL selector, std::optional<std::string> name, rt::Object* object)
{
    if (!observer)
        return;
    std::lock_guard guard(m_lock);
    m_observers.push_back({ observer, observer, selector, std::move(name), object, object == nullptr });
}

void NotificationCenter::removeObserver(rt::Object* observer)
{
    std::lock_guard guard(m_lock);
    std::erase_if(m_observers, [&](const Observer& o) { return o.identity == observer; });
}

void NotificationCenter::removeObserver(rt::Object* observer, const std::string& name)
{
    std::lock_guard guard(m_lock);
    std::erase_if(m_observers, [&](const Observer& o) { return o.identity == observer && o.name == name; });
}

void NotificationCenter::post(const std::string& name, rt::Object* object)
{
    auto note = NSNotification::create(name, object);
    std::vector<std::pair<rt::Ref<rt::Object>, rt::SEL>> targets;
    {
        std::lock_guard guard(m_lock);
        std::erase_if(m_observers, [](const Observer& o) { return !o.observer.load(); });
        for (auto& o : m_observers) {
            if (o.name && *o.name != name)
                continue;
            if (!o.anyObject && o.object.load().get() != object)
                continue;
            targets.emplace_back(o.observer.load(), o.selector);
        }
    }
    for (auto& [observer, selector] : targets) {
        // An action that names no argument ("applicationDidEnterBackground") is called without
        // the notification, which on a device it would simply never read.
        if (std::strchr(rt::selName(selector), ':'))
            rt::send(observer, selector, note.get());
        else
            rt::send(observer, selector);
    }
}
