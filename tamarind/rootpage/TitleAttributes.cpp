#include "tamarind/rootpage/TitleAttributes.h"

#include "host/foundation/String.h"
#include "host/uikit/UIKitConstants.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"

namespace tamarind {

namespace {

HostClass font("UIFont");

constexpr double kLargeTitleSize = 34.0;

}

rt::Object* navigationBarOf(rt::Object* page)
{
    return rt::send<rt::Object*>(
        rt::send<rt::Object*>(page, SELECTOR("navigationController")), SELECTOR("navigationBar"));
}

rt::Object* attributesWith(const char* key, rt::Object* value)
{
    rt::Object* attributes = rt::send<rt::Object*>(mutableDictionaryClass.get(), SELECTOR("dictionary"));
    if (value)
        rt::send(attributes, SELECTOR("setObject:forKey:"), value, ns(key));
    return attributes;
}

void setRegularLargeTitle(rt::Object* bar)
{
    rt::Object* regular = rt::send<rt::Object*>(font.get(), SELECTOR("systemFontOfSize:"), kLargeTitleSize);
    rt::send(bar, SELECTOR("setLargeTitleTextAttributes:"), attributesWith(NSFontAttributeName, regular));
}

}
