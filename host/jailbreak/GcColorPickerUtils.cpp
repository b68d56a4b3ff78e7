#include "host/jailbreak/GcColorPickerUtils.h"

#include "host/foundation/String.h"
#include "host/foundation/UserDefaults.h"
#include "host/uikit/UIColor.h"

using rt::Class;
using rt::Object;
using rt::SEL;

Object* pickerStoredValue(const std::string& domain, const std::string& key)
{
    if (domain.empty() || key.empty())
        return nullptr;
    // A suite reads its file when it is created, which is what makes every call see the disk.
    auto suite = NSUserDefaults::create(domain);
    rt::Ref<Object> value = suite->object(key);
    return rt::autorelease(std::move(value));
}

namespace {

// The stored colour when the key holds a colour string, otherwise the colour the fallback
// denotes; both go through the one parser. A fallback that is no colour either answers nil,
// which every receiver treats as "no colour".
Object* colorFromDefaults(Class*, SEL, Object* domain, Object* key, Object* fallback)
{
    Object* stored = pickerStoredValue(toStdString(domain), toStdString(key));
    if (isString(stored)) {
        if (auto color = UIColor::fromHex(toStdString(stored)))
            return rt::autorelease(std::move(color));
    }
    if (!isString(fallback))
        return nullptr;
    return rt::autorelease(UIColor::fromHex(toStdString(fallback)));
}

}

Class* GcColorPickerUtils::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<Object>("GcColorPickerUtils", rt::rootClass());
        rt::addClassMethod(c, rt::sel("colorFromDefaults:withKey:fallback:"), &colorFromDefaults);
        return c;
    }();
    return cls;
}
