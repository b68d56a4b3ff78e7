#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/foundation/NotificationNames.h"
#include "host/runtime/Runtime.h"

// NSNotificationCenter's default centre. Observers are held weakly, as the modern Foundation
// does, so an observer that dies without removing itself is skipped and forgotten. Posting calls
// observers synchronously, on the posting thread, in the order they were added.
//
// The runtime class "NSNotificationCenter" reaches the same centre by message: +defaultCenter,
// -addObserver:selector:name:object: (a nil name observes every notification),
// -removeObserver: and -postNotificationName:object:.
class NotificationCenter {
public:
    static NotificationCenter& defaultCenter();
    static rt::Class* classObject();

    // An observer added without a name hears every notification (from `object`, when given).
    void addObserver(
        rt::Object* observer, rt::SEL selector, std::optional<std::string> name, rt::Object* object = nullptr);
    void removeObserver(rt::Object* observer);
    void removeObserver(rt::Object* observer, const std::string& name);
    // Sends `selector` with the notification (an NSNotification object) to each observer.
    void post(const std::string& name, rt::Object* object = nullptr);

private:
    struct Observer {
        rt::Weak<rt::Object> observer;
        rt::Object* identity;
        rt::SEL selector;
        std::optional<std::string> name;
        rt::Weak<rt::Object> object;
        bool anyObject;
    };
    std::mutex m_lock;
    std::vector<Observer> m_observers;
};

// The notification object handed to observers: name and object.
class NSNotification : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<NSNotification> create(std::string name, rt::Object* object);

private:
    std::string m_name;
    rt::Ref<rt::Object> m_object;
};
