#include "host/foundation/NSRunLoop.h"

#include "host/foundation/RunLoopModes.h"

const char* const NSDefaultRunLoopMode = "kCFRunLoopDefaultMode";
const char* const NSRunLoopCommonModes = "kCFRunLoopCommonModes";

rt::Class* NSRunLoop::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSRunLoop>("NSRunLoop", rt::rootClass());
        rt::addClassMethod(
            c, rt::sel("mainRunLoop"), +[](rt::Class*, rt::SEL) -> rt::Object* { return mainRunLoop(); });
        rt::addClassMethod(
            c, rt::sel("currentRunLoop"), +[](rt::Class*, rt::SEL) -> rt::Object* { return mainRunLoop(); });
        return c;
    }();
    return cls;
}

NSRunLoop* NSRunLoop::mainRunLoop()
{
    // Lives for the life of the process, as the main run loop does.
    static NSRunLoop* loop = static_cast<NSRunLoop*>(classObject()->allocate());
    return loop;
}
