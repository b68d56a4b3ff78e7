#include "host/uikit/UITraitCollection.h"

#include "host/runtime/Bind.h"
#include "host/uikit/UIScreen.h"

using rt::Object;
using rt::SEL;

namespace {

rt::Ref<UITraitCollection>& currentSlot()
{
    static auto& slot = *new rt::Ref<UITraitCollection>;
    return slot;
}

void registerUITraitCollectionMethods(rt::Class* c)
{
    using namespace rt;
    bind<&UITraitCollection::userInterfaceStyle>(c, "userInterfaceStyle");
    bind<&UITraitCollection::displayScale>(c, "displayScale");
    bind<&UITraitCollection::userInterfaceIdiom>(c, "userInterfaceIdiom");
    addMethod(
        c, sel("isEqual:"), +[](Object* self, SEL, Object* other) {
            auto* a = static_cast<UITraitCollection*>(self);
            auto* b = dynamicCast<UITraitCollection>(other, UITraitCollection::classObject());
            return b && a->userInterfaceStyle() == b->userInterfaceStyle() && a->displayScale() == b->displayScale()
                && a->userInterfaceIdiom() == b->userInterfaceIdiom();
        });
    addClassMethod(
        c, sel("traitCollectionWithUserInterfaceStyle:"),
        +[](Class*, SEL, long style) -> Object* { return UITraitCollection::forStyle(style); });
    addClassMethod(
        c, sel("currentTraitCollection"), +[](Class*, SEL) -> Object* { return UITraitCollection::current(); });
    addClassMethod(
        c, sel("setCurrentTraitCollection:"), +[](Class*, SEL, Object* traits) {
            UITraitCollection::setCurrent(dynamicCast<UITraitCollection>(traits, UITraitCollection::classObject()));
        });
    addMethod(
        c, sel("performAsCurrentTraitCollection:"), +[](Object* self, SEL, BlockBase* actions) {
            CurrentTraitScope scope(static_cast<UITraitCollection*>(self));
            callBlock<void()>(actions);
        });
}

}

rt::Class* UITraitCollection::classObject()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<UITraitCollection>("UITraitCollection", rt::rootClass());
        registerUITraitCollectionMethods(c);
        return c;
    }();
    return cls;
}

UITraitCollection* UITraitCollection::forStyle(long style)
{
    if (style < UIUserInterfaceStyleUnspecified || style > UIUserInterfaceStyleDark)
        style = UIUserInterfaceStyleUnspecified;
    static auto* shared = new rt::Ref<UITraitCollection>[3];
    auto& slot = shared[style];
    if (!slot) {
        slot = rt::adopt(static_cast<UITraitCollection*>(classObject()->allocate()));
        slot->m_style = style;
        slot->m_scale = UIScreen::mainScreen()->scale();
        slot->m_idiom = UIScreen::deviceIdiom();
        slot->makeImmortal();
    }
    return slot.get();
}

UITraitCollection* UITraitCollection::current()
{
    if (auto& slot = currentSlot())
        return slot.get();
    return forStyle(UIScreen::mainScreen()->userInterfaceStyle());
}

void UITraitCollection::setCurrent(UITraitCollection* traits)
{
    currentSlot() = traits;
}

CurrentTraitScope::CurrentTraitScope(UITraitCollection* traits)
    : m_previous(currentSlot())
{
    currentSlot() = traits;
}

CurrentTraitScope::~CurrentTraitScope()
{
    currentSlot() = m_previous;
}
