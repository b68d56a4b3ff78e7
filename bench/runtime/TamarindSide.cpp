#include "bench/runtime/TamarindSide.h"

#include "host/platform/Substrate.h"

namespace bench {

namespace {

long xImp(rt::Object*, rt::SEL)
{
    return 1;
}
rt::Object* sameImp(rt::Object*, rt::SEL, rt::Object* other)
{
    return other;
}
long hookedImp(rt::Object*, rt::SEL)
{
    return 2;
}

// The saved slot, as the library keeps it: the replacement reaches the original only through it.
long (*savedHooked)(rt::Object*, rt::SEL) = nullptr;

long replacementHooked(rt::Object* self, rt::SEL cmd)
{
    return savedHooked(self, cmd) + 1;
}

// The key's address is what identifies the association, as with objc_setAssociatedObject.
const char associationKey = 0;

}

TamarindSubject setUpTamarind()
{
    rt::Class* cls = rt::ClassBuilder("BenchTarget", rt::rootClass())
                         .method("x", &xImp)
                         .method("same:", &sameImp)
                         .method("hooked", &hookedImp)
                         .registerClass();
    platform::hookMessage(cls, rt::sel("hooked"), &replacementHooked, &savedHooked);
    TamarindSubject subject { rt::newObject(cls), rt::newObject(rt::rootClass()) };
    rt::setAssociatedObject(subject.target.get(), &associationKey, subject.argument.get());
    // Warm the call sites so that every measured send takes the cached path from the start.
    tamCachedSend(subject.target.get());
    tamSendWithObject(subject.target.get(), subject.argument.get());
    tamHookedSend(subject.target.get());
    return subject;
}

[[gnu::noinline]] long tamCachedSend(rt::Object* target)
{
    return rt::send<long>(target, SELECTOR("x"));
}

[[gnu::noinline]] rt::Object* tamSendWithObject(rt::Object* target, rt::Object* argument)
{
    return rt::send<rt::Object*>(target, SELECTOR("same:"), argument);
}

[[gnu::noinline]] long tamNilSend(rt::Object* nothing)
{
    return rt::send<long>(nothing, SELECTOR("x"));
}

[[gnu::noinline]] long tamHookedSend(rt::Object* target)
{
    return rt::send<long>(target, SELECTOR("hooked"));
}

[[gnu::noinline]] rt::Class* tamClassLookup()
{
    return rt::getClass("BenchTarget");
}

[[gnu::noinline]] rt::Object* tamAssociatedRead(rt::Object* target)
{
    return rt::getAssociatedObject(target, &associationKey);
}

}
