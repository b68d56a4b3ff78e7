#include "host/foundation/AssertionHandler.h"

#include "host/foundation/Log.h"
#include "host/foundation/String.h"

namespace {

void handleFailure(
    rt::Object*, rt::SEL, rt::SEL method, rt::Object* object, rt::Object* file, long line, rt::Object* description)
{
    std::string receiver = object ? object->isa()->name() : "nil";
    hostLog("*** Assertion failure in -[" + receiver + " " + (method ? rt::selName(method) : "?") + "], "
        + toStdString(file) + ":" + std::to_string(line));
    hostLog(toStdString(description));
}

}

rt::Class* NSAssertionHandler::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<NSAssertionHandler>("NSAssertionHandler", rt::rootClass());
        rt::addClassMethod(
            c, rt::sel("currentHandler"), +[](rt::Class*, rt::SEL) -> rt::Object* {
                static rt::Object* handler = classObject()->allocate();
                return handler;
            });
        rt::addMethod(c, rt::sel("handleFailureInMethod:object:file:lineNumber:description:"), &handleFailure);
        return c;
    }();
    return cls;
}
