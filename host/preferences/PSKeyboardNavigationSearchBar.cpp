#include "host/preferences/PSKeyboardNavigationSearchBar.h"

#include "host/uikit/UISearchBar.h"
#include "host/uikit/UISearchController.h"
#include "host/uikit/UITextField.h"

rt::Class* keyboardNavigationSearchBarClass()
{
    static rt::Class* cls
        = rt::defineCppClass<UISearchBar>("PSKeyboardNavigationSearchBar", UISearchBar::classObject());
    return cls;
}

rt::Ref<rt::Object> makeSpotlightSearchController()
{
    auto controller
        = rt::adopt(rt::send<rt::Object*>(rt::send<rt::Object*>(UISearchController::classObject(), SELECTOR("alloc")),
            SELECTOR("initWithSearchResultsController:"), static_cast<rt::Object*>(nullptr)));
    auto bar = UIView::create(keyboardNavigationSearchBarClass(), CGRectMake(0, 0, 390, 52));
    static_cast<UISearchController*>(controller.get())->setSearchBar(static_cast<UISearchBar*>(bar.get()));
    return controller;
}
