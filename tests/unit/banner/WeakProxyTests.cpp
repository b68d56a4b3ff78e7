#include <gtest/gtest.h>

#include "GifModelSupport.h"
#include "host/foundation/Number.h"
#include "host/foundation/String.h"
#include "tamarind/banner/GifClasses.h"

namespace {

rt::Ref<rt::Object> proxyFor(rt::Object* target)
{
    tamarind::registerGifClasses();
    rt::AutoreleasePool pool;
    return rt::send<rt::Object*>(rt::getClass("FLWeakProxy"), SELECTOR("weakProxyForObject:"), target);
}

TEST(WeakProxy, PassesMessagesToALiveTarget)
{
    auto target = NSString::create("hello");
    auto proxy = proxyFor(target.get());
    rt::AutoreleasePool pool;
    EXPECT_EQ(rt::send<unsigned long>(proxy, SELECTOR("length")), 5u);
    EXPECT_EQ(rt::send<rt::Object*>(proxy, SELECTOR("target")), target.get());
    EXPECT_TRUE(rt::send<bool>(proxy, SELECTOR("respondsToSelector:"), rt::sel("length")));
    EXPECT_TRUE(rt::send<bool>(proxy, SELECTOR("isKindOfClass:"), NSString::classObject()));
    EXPECT_TRUE(rt::send<bool>(proxy, SELECTOR("isEqual:"), ns("hello")));
    EXPECT_EQ(toStdString(rt::send<rt::Object*>(proxy, SELECTOR("description"))), "hello");
}

TEST(WeakProxy, SwallowsEveryMessageOnceTheTargetIsGone)
{
    auto target = NSNumber::withDouble(2.5);
    auto proxy = proxyFor(target.get());
    target = nullptr;
    rt::AutoreleasePool pool;
    EXPECT_EQ(rt::send<rt::Object*>(proxy, SELECTOR("target")), nullptr);
    // Twice each, so that a call site's cache cannot answer the second time.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(rt::send<double>(proxy, SELECTOR("doubleValue")), 0.0);
        EXPECT_EQ(rt::send<long>(proxy, SELECTOR("integerValue")), 0);
        EXPECT_EQ(rt::send<rt::Object*>(proxy, SELECTOR("stringValue")), nullptr);
        EXPECT_EQ(rt::send<CGRect>(proxy, rt::sel("frameOfSomethingNobodyAnswers")), CGRect {});
        rt::send(proxy, rt::sel("setAnything:"), ns("ignored"));
        EXPECT_FALSE(rt::send<bool>(proxy, SELECTOR("respondsToSelector:"), rt::sel("doubleValue")));
        EXPECT_FALSE(rt::send<bool>(proxy, SELECTOR("isEqual:"), proxy));
    }
}

}
