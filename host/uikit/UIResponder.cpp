#include "host/uikit/UIResponder.h"

using rt::Object;
using rt::SEL;

rt::Class* UIResponder::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<UIResponder>("UIResponder", rt::rootClass());
        rt::addMethod(
            c, rt::sel("nextResponder"),
            +[](Object* self, SEL) -> Object* { return static_cast<UIResponder*>(self)->nextResponder(); });
        rt::addMethod(
            c, rt::sel("canBecomeFirstResponder"), +[](Object*, SEL) { return false; });
        rt::addMethod(
            c, rt::sel("becomeFirstResponder"), +[](Object*, SEL) { return false; });
        rt::addMethod(
            c, rt::sel("resignFirstResponder"), +[](Object*, SEL) { return true; });
        rt::addMethod(
            c, rt::sel("isFirstResponder"), +[](Object*, SEL) { return false; });
        return c;
    }();
    return cls;
}
