#include "GnuSide.h"

#include <objc/message.h>
#include <objc/runtime.h>

// The GNU runtime ships no Foundation, so the target is a root class of its own: an isa and
// nothing else, like our runtime's plain objects.
__attribute__((objc_root_class))
@interface BenchTarget {
    Class isa;
}
- (long)x;
- (id)same:(id)other;
- (long)hooked;
@end

@implementation BenchTarget
- (long)x
{
    return 1;
}
- (id)same:(id)other
{
    return other;
}
- (long)hooked
{
    return 2;
}
@end

typedef long (*LongImp)(id, SEL);

// The saved slot, as a tweak keeps it: the replacement reaches the original only through it.
static LongImp savedHooked;

static long replacementHooked(id self, SEL _cmd)
{
    return savedHooked(self, _cmd) + 1;
}

struct GnuSubject gnuSetUp(void)
{
    Class cls = objc_getClass("BenchTarget");
    struct GnuSubject subject = { class_createInstance(cls, 0), class_createInstance(cls, 0) };
    // The class owns -hooked, so replacing it is method_setImplementation on its own method:
    // what MSHookMessageEx does on the GNU runtime for a method the class defines itself.
    Method method = class_getInstanceMethod(cls, @selector(hooked));
    // IMP is variadic; casting through a plain function type says the change of type is meant.
    IMP previous = method_setImplementation(method, (IMP)(void (*)(void))replacementHooked);
    savedHooked = (LongImp)(void (*)(void))previous;
    return subject;
}

long gnuCachedSend(void* target)
{
    return [(id)target x];
}

void* gnuSendWithObject(void* target, void* argument)
{
    return [(id)target same:(id)argument];
}

long gnuNilSend(void* nothing)
{
    return [(id)nothing x];
}

long gnuHookedSend(void* target)
{
    return [(id)target hooked];
}

void* gnuClassLookup(void)
{
    return objc_getClass("BenchTarget");
}
