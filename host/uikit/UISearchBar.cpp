#include "host/uikit/UISearchBar.h"

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UITextField.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kFieldHeight = 36;
constexpr double kSearchBarMargin = 16;

UISearchBar* searchBar(Object* o)
{
    return static_cast<UISearchBar*>(o);
}

}

void UISearchBar::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithFrame:"), +[](Object* s, SEL, CGRect frame) -> Object* {
            s = sendSuper<Object*>(s, UISearchBar::classObject(), SELECTOR("initWithFrame:"), frame);
            // The field and its background are in the tree from the start, as UIKit builds them.
            if (s)
                searchBar(s)->searchField();
            return s;
        });
    addMethod(
        c, sel("searchTextField"), +[](Object* s, SEL) -> Object* { return searchBar(s)->searchField(); });
    addMethod(
        c, sel("text"), +[](Object* s, SEL) { return send<Object*>(searchBar(s)->searchField(), SELECTOR("text")); });
    addMethod(
        c, sel("setText:"),
        +[](Object* s, SEL, Object* t) { send(searchBar(s)->searchField(), SELECTOR("setText:"), t); });
    addMethod(
        c, sel("placeholder"),
        +[](Object* s, SEL) { return send<Object*>(searchBar(s)->searchField(), SELECTOR("placeholder")); });
    addMethod(
        c, sel("setPlaceholder:"),
        +[](Object* s, SEL, Object* t) { send(searchBar(s)->searchField(), SELECTOR("setPlaceholder:"), t); });
    bindProperty<&UISearchBar::m_delegate>(c, "delegate");
    bindProperty<&UISearchBar::m_searchBarStyle>(c, "searchBarStyle");
    addMethod(
        c, sel("sizeThatFits:"), +[](Object*, SEL, CGSize size) {
            return CGSize { size.width, 52 };
        });
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UISearchBar::classObject(), SELECTOR("layoutSubviews"));
            searchBar(s)->layoutSearchBar();
        });
}

Class* UISearchBar::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UISearchBar>("UISearchBar", UIView::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

Class* UISearchBar::searchFieldClass()
{
    static Class* cls = rt::defineCppClass<UITextField>("UISearchTextField", UITextField::classObject());
    return cls;
}

Class* UISearchBar::fieldBackgroundClass()
{
    static Class* cls = rt::defineCppClass<UIView>("_UISearchBarSearchFieldBackgroundView", UIView::classObject());
    return cls;
}

UITextField* UISearchBar::searchField()
{
    if (!m_field) {
        m_field = rt::Ref<UITextField>(static_cast<UITextField*>(UIView::create(searchFieldClass()).get()));
        m_field->setPlaceholder(ns("Search"));
        m_field->setTextInset(30);
        m_fieldBackground = UIView::create(fieldBackgroundClass());
        m_fieldBackground->setBackgroundColor(UIColor::systemColor("tertiarySystemFillColor"));
        m_fieldBackground->layer()->setCornerRadius(10);
        m_field->addSubview(m_fieldBackground.get());
        auto magnifier = UIView::create(UIImageView::classObject());
        rt::send(magnifier.get(), SELECTOR("setImage:"),
            static_cast<Object*>(UIImage::systemImage("magnifyingglass").get()));
        magnifier->setTintColor(UIColor::systemColor("secondaryLabelColor"));
        magnifier->setContentMode(1);
        m_magnifier = magnifier;
        m_field->addSubview(m_magnifier.get());
        addSubview(m_field.get());
    }
    return m_field.get();
}

void UISearchBar::layoutSearchBar()
{
    UITextField* field = searchField();
    CGRect b = bounds();
    CGRect frame
        = CGRectMake(kSearchBarMargin, (b.height() - kFieldHeight) / 2, std::max(0.0, b.width() - 2 * kSearchBarMargin), kFieldHeight);
    if (field->superview() == this)
        rt::send(field, SELECTOR("setFrame:"), frame);
    if (m_fieldBackground && m_fieldBackground->superview() == field)
        rt::send(m_fieldBackground.get(), SELECTOR("setFrame:"), CGRect { {}, frame.size });
    if (m_magnifier && m_magnifier->superview() == field)
        rt::send(m_magnifier.get(), SELECTOR("setFrame:"), CGRectMake(8, (kFieldHeight - 16) / 2, 16, 16));
}
