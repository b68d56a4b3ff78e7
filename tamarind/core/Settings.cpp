#include "tamarind/core/Settings.h"

#include "host/foundation/String.h"

namespace tamarind {

FirstPassSettings firstPass;
SecondPassSettings secondPass;

namespace {

// The three reader routines: the default applies only when the key is absent; a value of
// another kind is converted by the suite's own typed getter.
bool readBool(rt::Object* suite, const char* key, bool fallback)
{
    if (!rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(key)))
        return fallback;
    return rt::send<bool>(suite, SELECTOR("boolForKey:"), ns(key));
}

long readInteger(rt::Object* suite, const char* key, long fallback)
{
    if (!rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(key)))
        return fallback;
    return rt::send<long>(suite, SELECTOR("integerForKey:"), ns(key));
}

double readFloat(rt::Object* suite, const char* key, double fallback)
{
    if (!rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(key)))
        return fallback;
    return rt::send<float>(suite, SELECTOR("floatForKey:"), ns(key));
}

// A value of another kind than a string is treated as absent: every user of these settings
// sends it string messages.
rt::Object* readString(rt::Object* suite, const char* key, int)
{
    rt::Object* value = rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(key));
    if (!isString(value))
        return nullptr;
    value->retain();
    return value;
}

int readIntValue(rt::Object* suite, const char* key, int)
{
    rt::Object* value = rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(key));
    return value && rt::respondsTo(value, rt::sel("intValue")) ? rt::send<int>(value, SELECTOR("intValue")) : 0;
}

}

#define TAM_READ_FIELD(kind, key, fallback) settings.key = read##kind(suite, #key, fallback);

void readFirstPass(rt::Object* suite)
{
    auto& settings = firstPass;
    TAM_FIRST_PASS_OPTIONS(TAM_READ_FIELD)
}

void readSecondPass(rt::Object* suite)
{
    auto& settings = secondPass;
    TAM_SECOND_PASS_OPTIONS(TAM_READ_FIELD)
}

#undef TAM_READ_FIELD

}
