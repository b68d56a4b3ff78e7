#include "host/uikit/UISearchController.h"

#include "host/runtime/Bind.h"
#include "host/uikit/UISearchBar.h"

using rt::Class;
using rt::Object;
using rt::SEL;

Class* UISearchController::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UISearchController>("UISearchController", UIViewController::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UISearchController::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithSearchResultsController:"), +[](Object* s, SEL, Object* results) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithNibName:bundle:"), nullptr, nullptr);
            if (s)
                static_cast<UISearchController*>(s)->m_resultsController = results;
            return s;
        });
    bind<&UISearchController::searchBar>(c, "searchBar");
    bindReadOnlyProperty<&UISearchController::m_resultsController>(c, "searchResultsController");
    bindProperty<&UISearchController::m_updater>(c, "searchResultsUpdater");
    bindProperty<&UISearchController::m_active>(c, { "active", "isActive" });
    addMethod(
        c, sel("setObscuresBackgroundDuringPresentation:"), +[](Object*, SEL, bool) {});
    addMethod(
        c, sel("setHidesNavigationBarDuringPresentation:"), +[](Object*, SEL, bool) {});
}

UISearchBar* UISearchController::searchBar()
{
    if (!m_searchBar)
        m_searchBar = rt::Ref<UISearchBar>(
            static_cast<UISearchBar*>(UIView::create(UISearchBar::classObject(), CGRectMake(0, 0, 390, 52)).get()));
    return m_searchBar.get();
}

void UISearchController::setSearchBar(UISearchBar* bar)
{
    m_searchBar = bar;
}
