#include "host/uikit/UIAlertController.h"

#include <algorithm>

#include "host/foundation/Array.h"
#include "host/foundation/String.h"
#include "host/runtime/Bind.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITextField.h"
#include "host/uikit/UIView.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

constexpr double kAlertWidth = 270;
constexpr double kButtonHeight = 44;

UIAlertController* alert(Object* o)
{
    return static_cast<UIAlertController*>(o);
}

rt::Ref<UILabel> makeAlertLabel(Object* text, double size, double weight, const char* color)
{
    auto made = rt::Ref<UILabel>(static_cast<UILabel*>(UIView::create(UILabel::classObject()).get()));
    made->setText(text);
    made->setFont(UIFont::create(size, weight));
    made->setTextColor(UIColor::systemColor(color));
    made->setTextAlignment(1);
    made->setNumberOfLines(0);
    return made;
}

}

Class* UIAlertAction::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIAlertAction>("UIAlertAction", rt::rootClass());
        registerMethods(c);
        return c;
    }();
    return cls;
}

Class* UIAlertController::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UIAlertController>("UIAlertController", UIViewController::classObject());
        registerMethods(c);
        return c;
    }();
    return cls;
}

void UIAlertController::buildView()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto dim = UIView::create(UIView::classObject(), screen);
    dim->setBackgroundColor(UIColor::create({ 0, 0, 0, 0.2 }).get());
    setView(dim.get());
    auto box = UIView::create(UIView::classObject());
    box->setBackgroundColor(UIColor::createDynamic({ 0.96, 0.96, 0.96, 0.97 }, { 0.17, 0.17, 0.18, 0.97 }).get());
    box->layer()->setCornerRadius(14);
    box->setClipsToBounds(true);
    dim->addSubview(box.get());
    double y = 20;
    for (auto* text : { m_alertTitle.get(), m_message.get() }) {
        if (toStdString(text).empty())
            continue;
        bool isTitle = text == m_alertTitle.get();
        auto line = makeAlertLabel(text, isTitle ? 17 : 13, isTitle ? UIFontWeightSemibold : UIFontWeightRegular, "labelColor");
        CGSize size = line->defaultSizeThatFits({ kAlertWidth - 32, 0 });
        rt::send(line.get(), SELECTOR("setFrame:"), CGRectMake(16, y, kAlertWidth - 32, size.height));
        box->addSubview(line.get());
        y += size.height + 4;
    }
    for (auto& field : m_textFields) {
        field->setBackgroundColor(UIColor::systemColor("systemBackgroundColor"));
        field->layer()->setCornerRadius(4);
        field->setTextInset(6);
        rt::send(field.get(), SELECTOR("setFrame:"), CGRectMake(16, y + 8, kAlertWidth - 32, 28));
        box->addSubview(field.get());
        y += 36;
    }
    y += 16;
    // Two buttons share a row; more stack, as UIKit lays them out.
    bool sideBySide = m_actions.size() == 2;
    for (size_t i = 0; i < m_actions.size(); ++i) {
        auto& a = m_actions[i];
        auto separator = UIView::create(UIView::classObject());
        separator->setBackgroundColor(UIColor::systemColor("separatorColor"));
        double x = sideBySide ? i * kAlertWidth / 2 : 0, width = sideBySide ? kAlertWidth / 2 : kAlertWidth;
        double top = sideBySide ? y : y + i * kButtonHeight;
        rt::send(separator.get(), SELECTOR("setFrame:"), CGRectMake(x, top, width, 1.0 / 3));
        box->addSubview(separator.get());
        auto button = makeAlertLabel(a->title(), 17, a->style() == 1 ? UIFontWeightSemibold : UIFontWeightRegular,
            a->style() == 2 ? "systemRedColor" : "systemBlueColor");
        button->setNumberOfLines(1);
        rt::send(button.get(), SELECTOR("setFrame:"), CGRectMake(x, top, width, kButtonHeight));
        box->addSubview(button.get());
    }
    double height = y + (sideBySide ? kButtonHeight : kButtonHeight * m_actions.size());
    rt::send(box.get(), SELECTOR("setFrame:"),
        CGRectMake((screen.width() - kAlertWidth) / 2, (screen.height() - height) / 2, kAlertWidth, height));
}

bool UIAlertController::chooseAction(const std::string& title)
{
    for (auto& a : m_actions) {
        if (toStdString(a->title()) != title || !a->isEnabled())
            continue;
        rt::Ref<UIAlertController> keep(this);
        rt::Ref<UIAlertAction> chosen = a;
        dismissViewController(true, nullptr);
        rt::callBlock<void(Object*)>(chosen->handler(), chosen.get());
        return true;
    }
    return false;
}

void UIAlertAction::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("actionWithTitle:style:handler:"),
        +[](Class*, SEL, Object* title, long style, BlockBase* handler) -> Object* {
            auto a = adopt(static_cast<UIAlertAction*>(UIAlertAction::classObject()->allocate()));
            a->m_title = title;
            a->m_style = style;
            a->m_handler = handler;
            return autorelease(std::move(a));
        });
    bindReadOnlyProperty<&UIAlertAction::m_title>(c, "title");
    bindReadOnlyProperty<&UIAlertAction::m_style>(c, "style");
    bindProperty<&UIAlertAction::m_enabled>(c, { "enabled", "isEnabled" });
}

void UIAlertController::registerMethods(Class* c)
{
    using namespace rt;
    addClassMethod(
        c, sel("alertControllerWithTitle:message:preferredStyle:"),
        +[](Class* cls, SEL, Object* title, Object* message, long style) -> Object* {
            auto made = newObject(cls);
            auto* a = dynamicCast<UIAlertController>(made.get(), UIAlertController::classObject());
            if (!a)
                return nullptr;
            a->m_alertTitle = title;
            a->m_message = message;
            a->m_preferredStyle = style;
            return autorelease(std::move(made));
        });
    bindProperty<&UIAlertController::m_alertTitle>(c, "title");
    bindProperty<&UIAlertController::m_message>(c, "message");
    bindReadOnlyProperty<&UIAlertController::m_preferredStyle>(c, "preferredStyle");
    addMethod(
        c, sel("addAction:"), +[](Object* s, SEL, Object* a) {
            if (auto* added = dynamicCast<UIAlertAction>(a, UIAlertAction::classObject()))
                alert(s)->m_actions.emplace_back(added);
        });
    addMethod(
        c, sel("actions"), +[](Object* s, SEL) -> Object* {
            return autorelease(
                NSArray::create(std::vector<Ref<Object>>(alert(s)->m_actions.begin(), alert(s)->m_actions.end())));
        });
    bindProperty<&UIAlertController::m_preferredAction>(c, "preferredAction");
    addMethod(
        c, sel("addTextFieldWithConfigurationHandler:"), +[](Object* s, SEL, BlockBase* configure) {
            auto field = Ref<UITextField>(
                static_cast<UITextField*>(UIView::create(UITextField::classObject(), CGRectMake(0, 0, 238, 28)).get()));
            field->setFont(UIFont::create(13));
            alert(s)->m_textFields.push_back(field);
            callBlock<void(Object*)>(configure, field.get());
        });
    addMethod(
        c, sel("textFields"), +[](Object* s, SEL) -> Object* {
            auto& fields = alert(s)->m_textFields;
            return fields.empty()
                ? nullptr
                : autorelease(NSArray::create(std::vector<Ref<Object>>(fields.begin(), fields.end())));
        });
    addMethod(
        c, sel("loadView"), +[](Object* s, SEL) { alert(s)->buildView(); });
    // An alert with text fields shows the keyboard for the first of them, and takes it away
    // when it leaves.
    addMethod(
        c, sel("viewDidAppear:"), +[](Object* s, SEL, bool animated) {
            sendSuper(s, UIAlertController::classObject(), SELECTOR("viewDidAppear:"), animated);
            if (!alert(s)->m_textFields.empty())
                send<bool>(alert(s)->m_textFields.front().get(), SELECTOR("becomeFirstResponder"));
        });
    addMethod(
        c, sel("viewWillDisappear:"), +[](Object* s, SEL, bool animated) {
            sendSuper(s, UIAlertController::classObject(), SELECTOR("viewWillDisappear:"), animated);
            for (auto& field : alert(s)->m_textFields)
                send<bool>(field.get(), SELECTOR("resignFirstResponder"));
        });
}
