#include "host/runtime/RootClass.h"

#include "host/runtime/Block.h"
#include "host/runtime/Messaging.h"

namespace rt {

namespace {

Object* allocImp(Class* self, SEL) { return self->allocate(); }
Object* newImp(Class* self, SEL)
{
    Object* obj = self->allocate();
    return send<Object*>(obj, SELECTOR("init"));
}
Object* initImp(Object* self, SEL) { return self; }
void deallocImp(Object* self, SEL) { destroyObject(self); }
Class* classImp(Object* self, SEL) { return self->isa(); }
Class* classOfClassImp(Class* self, SEL) { return self; }
Class* superclassImp(Object* self, SEL) { return self->isa()->superclass(); }
Class* superclassOfClassImp(Class* self, SEL) { return self->superclass(); }
Object* selfImp(Object* self, SEL) { return self; }
bool isKindOfClassImp(Object* self, SEL, Class* cls) { return isKindOf(self, cls); }
bool isMemberOfClassImp(Object* self, SEL, Class* cls) { return self->isa() == cls; }
bool respondsToSelectorImp(Object* self, SEL, SEL selector) { return respondsTo(self, selector); }
bool instancesRespondImp(Class* self, SEL, SEL selector) { return self->lookup(selector); }
Object* forwardingTargetImp(Object*, SEL, SEL) { return nullptr; }
bool isEqualImp(Object* self, SEL, Object* other) { return self == other; }
unsigned long hashImp(Object* self, SEL) { return reinterpret_cast<unsigned long>(self); }

}

Class* rootClass()
{
    static Class* cls = [] {
        Class* c = defineCppClass<Object>("NSObject", nullptr);
        addClassMethod(c, sel("alloc"), &allocImp);
        addClassMethod(c, sel("new"), &newImp);
        addClassMethod(c, sel("class"), &classOfClassImp);
        addClassMethod(c, sel("superclass"), &superclassOfClassImp);
        addClassMethod(c, sel("instancesRespondToSelector:"), &instancesRespondImp);
        addMethod(c, sel("init"), &initImp);
        addMethod(c, sel("dealloc"), &deallocImp);
        addMethod(c, sel("class"), &classImp);
        addMethod(c, sel("superclass"), &superclassImp);
        addMethod(c, sel("self"), &selfImp);
        addMethod(c, sel("isKindOfClass:"), &isKindOfClassImp);
        addMethod(c, sel("isMemberOfClass:"), &isMemberOfClassImp);
        addMethod(c, sel("respondsToSelector:"), &respondsToSelectorImp);
        addMethod(c, sel("forwardingTargetForSelector:"), &forwardingTargetImp);
        addMethod(c, sel("isEqual:"), &isEqualImp);
        addMethod(c, sel("hash"), &hashImp);
        return c;
    }();
    return cls;
}

Class* blockClass()
{
    static Class* cls = defineClass("NSBlock", rootClass(), sizeof(BlockBase), nullptr);
    return cls;
}

// The root class exists as soon as the runtime is loaded, so lookups by name find it.
[[gnu::constructor(101)]] static void registerRootClasses()
{
    rootClass();
    blockClass();
}

}
