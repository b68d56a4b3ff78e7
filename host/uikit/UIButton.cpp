#include "host/uikit/UIButton.h"

#include <algorithm>

#include "host/runtime/Bind.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIMenu.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

UIButton* button(Object* o)
{
    return static_cast<UIButton*>(o);
}

Object* stateValue(const std::map<unsigned long, rt::Ref<Object>>& values, unsigned long state)
{
    if (auto it = values.find(state); it != values.end() && it->second)
        return it->second.get();
    auto normal = values.find(0);
    return normal == values.end() ? nullptr : normal->second.get();
}

}

Class* UIButton::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIButton>("UIButton", UIControl::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIButton::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("buttonWithType:"), +[](Class* cls, SEL, long type) -> Object* {
            auto made = UIView::create(cls, CGRect {});
            if (auto* b = dynamicCast<UIButton>(made.get(), UIButton::classObject()))
                b->m_buttonType = type;
            return autorelease(std::move(made));
        });
    bindReadOnlyProperty<&UIButton::m_buttonType>(c, "buttonType");
    bind<&UIButton::setImage>(c, "setImage:forState:");
    bind<&UIButton::imageForState>(c, "imageForState:");
    bind<&UIButton::setTitle>(c, "setTitle:forState:");
    bind<&UIButton::titleForState>(c, "titleForState:");
    addMethod(
        c, sel("setTitleColor:forState:"), +[](Object* s, SEL, Object* color, unsigned long state) {
            button(s)->m_titleColors[state] = color;
            send(s, SELECTOR("setNeedsLayout"));
        });
    addMethod(
        c, sel("currentImage"), +[](Object* s, SEL) { return button(s)->imageForState(button(s)->state()); });
    addMethod(
        c, sel("currentTitle"), +[](Object* s, SEL) { return button(s)->titleForState(button(s)->state()); });
    addMethod(
        c, sel("imageView"), +[](Object* s, SEL) -> Object* { return button(s)->imageView(); });
    addMethod(
        c, sel("titleLabel"), +[](Object* s, SEL) -> Object* { return button(s)->titleLabel(); });
    bindGetter<&UIButton::m_menu>(c, "menu");
    addMethod(
        c, sel("setMenu:"),
        +[](Object* s, SEL, Object* m) { button(s)->m_menu = isKindOf(m, UIMenu::classObject()) ? m : nullptr; });
    bindProperty<&UIButton::m_showsMenuAsPrimaryAction>(c, "showsMenuAsPrimaryAction");
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UIButton::classObject(), SELECTOR("layoutSubviews"));
            button(s)->layoutButton();
        });
}

rt::Ref<UIButton> UIButton::create(long type)
{
    auto made = UIView::create(classObject(), CGRect {});
    auto* b = static_cast<UIButton*>(made.get());
    b->m_buttonType = type;
    return rt::Ref<UIButton>(b);
}

UIButton::UIButton()
{
    m_imageView = rt::adopt(static_cast<UIImageView*>(UIImageView::classObject()->allocate()));
    m_titleLabel = rt::adopt(static_cast<UILabel*>(UILabel::classObject()->allocate()));
    m_titleLabel->setFont(UIFont::create(17));
}

Object* UIButton::imageForState(unsigned long state) const
{
    return stateValue(m_images, state);
}

Object* UIButton::titleForState(unsigned long state) const
{
    return stateValue(m_titles, state);
}

void UIButton::setImage(Object* image, unsigned long state)
{
    m_images[state] = isImage(image) ? image : nullptr;
    refreshContent();
}

void UIButton::setTitle(Object* title, unsigned long state)
{
    m_titles[state] = title;
    refreshContent();
}

void UIButton::refreshContent()
{
    // The image view and label join the button once they have something to show, as in UIKit.
    Object* image = imageForState(state());
    rt::send(m_imageView.get(), SELECTOR("setImage:"), image);
    if (image && m_imageView->superview() != this)
        insertSubview(m_imageView.get(), 0);
    Object* title = titleForState(state());
    m_titleLabel->setText(title);
    if (title && m_titleLabel->superview() != this)
        addSubview(m_titleLabel.get());
    setNeedsLayout();
}

void UIButton::layoutButton()
{
    CGRect b = bounds();
    auto* image = m_imageView->image();
    CGSize imageSize = image ? image->size() : CGSize {};
    // Fill (3) stretches the image over the button; otherwise it keeps its size and is placed by
    // the alignment (0 centre, 1 top/left, 2 bottom/right).
    CGRect imageFrame { {}, imageSize };
    imageFrame.size.width = contentHorizontalAlignment() == 3 ? b.width() : std::min(imageSize.width, b.width());
    imageFrame.size.height = contentVerticalAlignment() == 3 ? b.height() : std::min(imageSize.height, b.height());
    CGSize titleSize = m_titleLabel->text().empty() ? CGSize {} : m_titleLabel->defaultIntrinsicContentSize();
    double contentWidth = imageFrame.size.width + titleSize.width;
    double x = contentHorizontalAlignment() == 1 || contentHorizontalAlignment() == 3 ? 0
        : contentHorizontalAlignment() == 2                                           ? b.width() - contentWidth
                                                                                      : (b.width() - contentWidth) / 2;
    auto placeY = [&](double h) {
        return contentVerticalAlignment() == 1 || contentVerticalAlignment() == 3 ? 0
            : contentVerticalAlignment() == 2                                     ? b.height() - h
                                                                                  : (b.height() - h) / 2;
    };
    imageFrame.origin = { x, placeY(imageFrame.size.height) };
    if (m_imageView->superview() == this)
        rt::send(m_imageView.get(), SELECTOR("setFrame:"), imageFrame);
    if (m_titleLabel->superview() == this) {
        if (auto* color = stateValue(m_titleColors, state()))
            m_titleLabel->setTextColor(isColor(color) ? static_cast<UIColor*>(color) : nullptr);
        else if (m_buttonType == UIButtonTypeSystem)
            m_titleLabel->setTextColor(tintColor());
        rt::send(m_titleLabel.get(), SELECTOR("setFrame:"),
            CGRect { { x + imageFrame.size.width, placeY(titleSize.height) }, titleSize });
    }
}

CGSize UIButton::defaultSizeThatFits(CGSize) const
{
    return defaultIntrinsicContentSize();
}

CGSize UIButton::defaultIntrinsicContentSize() const
{
    auto* image = m_imageView->image();
    CGSize imageSize = image ? image->size() : CGSize {};
    CGSize titleSize = m_titleLabel->text().empty() ? CGSize {} : m_titleLabel->defaultIntrinsicContentSize();
    return { imageSize.width + titleSize.width, std::max(imageSize.height, titleSize.height) };
}

void UIButton::simulateTap()
{
    if (!isEnabled() || isHidden())
        return;
    if (m_menu && m_showsMenuAsPrimaryAction) {
        m_openMenu = m_menu;
        return;
    }
    UIControl::simulateTap();
}
