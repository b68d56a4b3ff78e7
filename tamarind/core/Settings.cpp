#include "tamarind/core/Settings.h"

#include "host/foundation/String.h"

namespace tamarind {

FirstPassSettings firstPass;
SecondPassSettings secondPass;

namespace {

// The reader routines, one per kind: the default applies only when the key is absent; a value of
// another kind is converted by the suite's own typed getter.
bool isStored(rt::Object* suite, const OptionInfo& option)
{
    return rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(option.key));
}

void readOption(rt::Object* suite, const OptionInfo& option, bool& value)
{
    value = isStored(suite, option) ? rt::send<bool>(suite, SELECTOR("boolForKey:"), ns(option.key))
                                    : option.defaultValue != 0;
}

void readOption(rt::Object* suite, const OptionInfo& option, long& value)
{
    value = isStored(suite, option) ? rt::send<long>(suite, SELECTOR("integerForKey:"), ns(option.key))
                                    : static_cast<long>(option.defaultValue);
}

void readOption(rt::Object* suite, const OptionInfo& option, double& value)
{
    value = isStored(suite, option) ? rt::send<float>(suite, SELECTOR("floatForKey:"), ns(option.key))
                                    : option.defaultValue;
}

// A value of another kind than a string is treated as absent: every user of these settings
// sends it string messages.
void readOption(rt::Object* suite, const OptionInfo& option, rt::Object*& value)
{
    value = rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(option.key));
    if (!isString(value)) {
        value = nullptr;
        return;
    }
    value->retain();
}

void readOption(rt::Object* suite, const OptionInfo& option, int& value)
{
    rt::Object* stored = rt::send<rt::Object*>(suite, SELECTOR("objectForKey:"), ns(option.key));
    value = stored && rt::respondsTo(stored, rt::sel("intValue")) ? rt::send<int>(stored, SELECTOR("intValue")) : 0;
}

}

#define TAM_READ_FIELD(key) readOption(suite, optionInfo(Option::key), settings.key);

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
