#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "host/runtime/Runtime.h"

// NSNotificationCenter's default centre. Observers are held weakly, as the modern Foundation
// does, so an observer that dies without removing itself is skipped and forgotten. Posting calls
// observers synchronously, on the posting thread, in the order they were added.
class NotificationCenter {
public:
    static NotificationCenter& defaultCenter();

    void addObserver(rt::Object* observer, rt::SEL selector, std::string name, rt::Object* object = nullptr);
    void removeObserver(rt::Object* observer);
    void removeObserver(rt::Object* observer, const std::string& name);
    // Sends `selector` with the notification (an NSNotification object) to each observer.
    void post(const std::string& name, rt::Object* object = nullptr);

private:
    struct Observer {
        rt::Weak<rt::Object> observer;
        rt::Object* identity;
        rt::SEL selector;
        std::string name;
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
    std::string m_name;
    rt::Ref<rt::Object> m_object;
};

extern const char* const UIApplicationDidReceiveMemoryWarningNotification;
extern const char* const UIApplicationDidEnterBackgroundNotification;
extern const char* const UIApplicationWillEnterForegroundNotification;
extern const char* const UIKeyboardDidShowNotification;
