#include "host/uikit/TargetAction.h"

bool sendAction(rt::Object* target, rt::SEL action, rt::Object* sender)
{
    if (!target || !action)
        return false;
    rt::Method* method = target->isa()->lookup(action);
    if (!method)
        return false;
    if (method->types == "v@:")
        rt::send(target, action);
    else if (method->types == "v@:@")
        rt::send(target, action, sender);
    else if (method->types == "v@:@@")
        rt::send(target, action, sender, static_cast<rt::Object*>(nullptr));
    else
        return false;
    return true;
}
