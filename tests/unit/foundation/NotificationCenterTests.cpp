#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/foundation/NotificationCenter.h"
#include "host/foundation/String.h"

namespace {

// An observer that writes down the name of every notification it hears.
rt::Class* listenerClass()
{
    static rt::Class* cls = rt::ClassBuilder("TestNotificationListener", rt::rootClass())
                                .ivar<std::vector<std::string>*>("_heard")
                                .method(
                                    "heard:",
                                    +[](rt::Object* self, rt::SEL, rt::Object* note) {
                                        auto* heard = *rt::ivarPointer<std::vector<std::string>*>(
                                            self, rt::getInstanceVariable(self->isa(), "_heard"));
                                        heard->push_back(toStdString(rt::send<rt::Object*>(note, SELECTOR("name"))));
                                    })
                                .registerClass();
    return cls;
}

rt::Ref<rt::Object> listener(std::vector<std::string>& heard)
{
    auto object = rt::newObject(listenerClass());
    *rt::ivarPointer<std::vector<std::string>*>(object.get(), rt::getInstanceVariable(listenerClass(), "_heard"))
        = &heard;
    return object;
}

rt::Object* defaultCenter()
{
    return rt::send<rt::Object*>(rt::getClass("NSNotificationCenter"), SELECTOR("defaultCenter"));
}

void observe(rt::Object* observer, rt::Object* name)
{
    rt::send(defaultCenter(), SELECTOR("addObserver:selector:name:object:"), observer, rt::sel("heard:"), name,
        static_cast<rt::Object*>(nullptr));
}

void post(const char* name)
{
    rt::send(defaultCenter(), SELECTOR("postNotificationName:object:"), ns(name), static_cast<rt::Object*>(nullptr));
}

}

TEST(NotificationCenter, MessagesReachTheDefaultCentre)
{
    rt::AutoreleasePool pool;
    std::vector<std::string> named, everything;
    auto one = listener(named);
    auto all = listener(everything);
    observe(one, ns("TestDidChange"));
    observe(all, nullptr);
    EXPECT_EQ(defaultCenter(), defaultCenter());

    post("TestDidChange");
    NotificationCenter::defaultCenter().post("TestOther");
    EXPECT_EQ(named, (std::vector<std::string> { "TestDidChange" }));
    EXPECT_EQ(everything, (std::vector<std::string> { "TestDidChange", "TestOther" }))
        << "a nil name observes every notification";

    rt::send(defaultCenter(), SELECTOR("removeObserver:"), one.get());
    rt::send(defaultCenter(), SELECTOR("removeObserver:"), all.get());
    post("TestDidChange");
    EXPECT_EQ(named.size(), 1u);
    EXPECT_EQ(everything.size(), 2u);
}
