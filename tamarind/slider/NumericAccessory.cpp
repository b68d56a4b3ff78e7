#include "tamarind/slider/NumericAccessory.h"

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"

namespace tamarind {

namespace {

constexpr long kDefaultBarStyle = 0;
constexpr long kPlainItemStyle = 0;
constexpr long kFlexibleSpace = 5;

HostClass textFieldClass("UITextField");
HostClass toolbarClass("UIToolbar");

rt::Ref<rt::Object> allocate(rt::Class* cls)
{
    return rt::adopt(rt::send<rt::Object*>(cls, SELECTOR("alloc")));
}

}

void registerNumericAccessory()
{
    rt::Class* field = textFieldClass;
    if (!field)
        return;
    rt::addMethod(field, rt::sel("addNumericAccessory:"), &addNumericAccessory);
    rt::addMethod(field, rt::sel("plusMinusPressed"), &plusMinusPressed);
}

void addNumericAccessory(rt::Object* self, rt::SEL, bool withSignButton)
{
    rt::AutoreleasePool pool;
    auto toolbar = rt::newObject(toolbarClass);
    rt::send(toolbar.get(), SELECTOR("setBarStyle:"), kDefaultBarStyle);
    auto items = NSArray::createMutable();
    if (withSignButton) {
        auto sign = allocate(barButtonItemClass);
        rt::Object* made = rt::send<rt::Object*>(sign.leak(), SELECTOR("initWithTitle:style:target:action:"), ns("+/-"),
            kPlainItemStyle, self, rt::sel("plusMinusPressed"));
        items->add(rt::adopt(made).get());
        auto space = allocate(barButtonItemClass);
        made = rt::send<rt::Object*>(space.leak(), SELECTOR("initWithBarButtonSystemItem:target:action:"),
            kFlexibleSpace, static_cast<rt::Object*>(nullptr), static_cast<rt::SEL>(nullptr));
        items->add(rt::adopt(made).get());
    }
    rt::send(toolbar.get(), SELECTOR("setItems:"), items.get());
    rt::send(toolbar.get(), SELECTOR("sizeToFit"));
    rt::send(self, SELECTOR("setInputAccessoryView:"), toolbar.get());
}

void plusMinusPressed(rt::Object* self, rt::SEL)
{
    rt::Object* text = rt::send<rt::Object*>(self, SELECTOR("text"));
    if (!text)
        return;
    std::string current = toStdString(text);
    std::string changed = current.starts_with("-") ? current.substr(1) : "-" + current;
    rt::send(self, SELECTOR("setText:"), ns(changed));
}

}
