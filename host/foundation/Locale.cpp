#include "host/foundation/Locale.h"

#include <algorithm>

#include "host/foundation/String.h"
#include "host/platform/Device.h"

using rt::Object;
using rt::SEL;

namespace {

struct KnownConventions {
    const char* prefix; // a language ("de") or a language and region ("de_CH")
    NumberConventions numbers;
};

// Regions are listed before their language, so the first prefix that matches is the closest.
const KnownConventions kConventions[] = {
    { "de_CH", { ".", "\u2019" } },
    { "en_ZA", { ",", "\u00A0" } },
    { "pt_PT", { ",", "\u00A0" } },
    { "en", { ".", "," } },
    { "de", { ",", "." } },
    { "fr", { ",", "\u202F" } },
    { "es", { ",", ".", 2 } },
    { "it", { ",", "." } },
    { "nl", { ",", "." } },
    { "pt", { ",", "." } },
    { "ru", { ",", "\u00A0" } },
    { "pl", { ",", "\u00A0", 2 } },
    { "sv", { ",", "\u00A0" } },
    { "ja", { ".", "," } },
    { "zh", { ".", "," } },
    { "ko", { ".", "," } },
};

std::string normalized(std::string identifier)
{
    std::replace(identifier.begin(), identifier.end(), '-', '_');
    return identifier;
}

bool matches(const std::string& identifier, const std::string& prefix)
{
    return identifier == prefix || (identifier.starts_with(prefix) && identifier[prefix.size()] == '_');
}

NSLocale* locale(Object* o)
{
    return static_cast<NSLocale*>(o);
}

void registerLocaleMethods(rt::Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("currentLocale"), +[](rt::Class*, SEL) -> Object* { return NSLocale::current(); });
    addClassMethod(
        c, sel("autoupdatingCurrentLocale"), +[](rt::Class*, SEL) -> Object* { return NSLocale::current(); });
    addClassMethod(
        c, sel("localeWithLocaleIdentifier:"), +[](rt::Class*, SEL, Object* identifier) -> Object* {
            return autorelease(NSLocale::create(toStdString(identifier)));
        });
    addMethod(
        c, sel("localeIdentifier"), +[](Object* s, SEL) -> Object* { return ns(locale(s)->identifier()); });
    addMethod(
        c, sel("decimalSeparator"),
        +[](Object* s, SEL) -> Object* { return ns(locale(s)->numbers().decimalSeparator); });
    addMethod(
        c, sel("groupingSeparator"),
        +[](Object* s, SEL) -> Object* { return ns(locale(s)->numbers().groupingSeparator); });
}

}

NumberConventions numberConventionsFor(const std::string& localeIdentifier)
{
    std::string identifier = normalized(localeIdentifier);
    for (auto& known : kConventions)
        if (matches(identifier, known.prefix))
            return known.numbers;
    return { ".", "," };
}

rt::Class* NSLocale::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSLocale>("NSLocale", rt::rootClass());
        registerLocaleMethods(c);
        return c;
    }();
    return cls;
}

rt::Ref<NSLocale> NSLocale::create(const std::string& identifier)
{
    auto made = rt::adopt(static_cast<NSLocale*>(classObject()->allocate()));
    made->m_identifier = normalized(identifier);
    made->m_numbers = numberConventionsFor(identifier);
    return made;
}

NSLocale* NSLocale::current()
{
    // The device is fixed for the life of the process, and so is its locale. Never destroyed, so
    // that nothing releases it after the runtime has gone at exit.
    static auto* current = new rt::Ref<NSLocale>(create(hasCurrentDevice() ? currentDevice().locale : "en_US"));
    return current->get();
}
