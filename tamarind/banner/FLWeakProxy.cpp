#include "tamarind/banner/FLWeakProxy.h"

#include "host/foundation/String.h"
#include "tamarind/banner/GifLog.h"

namespace tamarind {

namespace {

FLWeakProxy* proxy(rt::Object* o)
{
    return static_cast<FLWeakProxy*>(o);
}

// The target for one message. It is handed to the caller autoreleased, so that it stays alive
// for the message even if its last owner lets go of it on another thread meanwhile.
rt::Object* forwardingTarget(rt::Object* self, rt::SEL, rt::SEL)
{
    return rt::autorelease(proxy(self)->target());
}

// Reached only when the target is gone: the message is dropped and answers zero.
void discardUnrecognizedSelector(rt::Object*, rt::SEL, rt::SEL) { }

bool respondsToSelector(rt::Object* self, rt::SEL, rt::SEL selector)
{
    return rt::respondsTo(proxy(self)->target().get(), selector);
}

bool isKindOfClass(rt::Object* self, rt::SEL, rt::Class* cls)
{
    return rt::isKindOf(proxy(self)->target().get(), cls);
}

bool isMemberOfClass(rt::Object* self, rt::SEL, rt::Class* cls)
{
    auto target = proxy(self)->target();
    return target && target->isa() == cls;
}

bool isEqual(rt::Object* self, rt::SEL, rt::Object* other)
{
    return rt::send<bool>(proxy(self)->target(), SELECTOR("isEqual:"), other);
}

unsigned long hash(rt::Object* self, rt::SEL)
{
    return rt::send<unsigned long>(proxy(self)->target(), SELECTOR("hash"));
}

rt::Object* description(rt::Object* self, rt::SEL)
{
    auto target = proxy(self)->target();
    if (!target)
        return nullptr;
    return ns(describeObject(target.get()));
}

}

rt::Class* FLWeakProxy::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        Class* c = defineCppClass<FLWeakProxy>("FLWeakProxy", rootClass());
        addClassMethod(
            c, sel("weakProxyForObject:"),
            +[](Class*, SEL, Object* target) -> Object* { return autorelease(FLWeakProxy::create(target)); });
        addMethod(
            c, sel("target"), +[](Object* self, SEL) -> Object* { return autorelease(proxy(self)->target()); });
        addMethod(
            c, sel("setTarget:"), +[](Object* self, SEL, Object* target) { proxy(self)->setTarget(target); });
        replaceMethod(c, sel("forwardingTargetForSelector:"), &forwardingTarget);
        addMethod(c, sel("discardUnrecognizedSelector:"), &discardUnrecognizedSelector);
        replaceMethod(c, sel("respondsToSelector:"), &respondsToSelector);
        replaceMethod(c, sel("isKindOfClass:"), &isKindOfClass);
        replaceMethod(c, sel("isMemberOfClass:"), &isMemberOfClass);
        replaceMethod(c, sel("isEqual:"), &isEqual);
        replaceMethod(c, sel("hash"), &hash);
        addMethod(c, sel("description"), &description);
        return c;
    }();
    return cls;
}

rt::Ref<FLWeakProxy> FLWeakProxy::create(rt::Object* target)
{
    auto created = rt::adopt(static_cast<FLWeakProxy*>(classObject()->allocate()));
    created->setTarget(target);
    return created;
}

}
