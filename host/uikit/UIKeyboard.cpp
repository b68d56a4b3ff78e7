#include "host/uikit/UIKeyboard.h"

#include <vector>

#include "host/foundation/Locale.h"
#include "host/render/Canvas.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UITextField.h"
#include "host/uikit/UIWindow.h"

namespace {

constexpr long kNumberPad = 4;
constexpr long kDecimalPad = 8;
constexpr double kPadHeight = 216;
constexpr double kLetterHeight = 226;
constexpr double kHomeIndicator = 34;
constexpr double kGap = 6;

// The view that holds the accessory view and the keys; one at a time. Never destroyed, so that
// nothing is released after the runtime has gone at exit.
rt::Ref<UIView>& shownHost()
{
    static auto* host = new rt::Ref<UIView>;
    return *host;
}

bool isPad(long type)
{
    return type == kNumberPad || type == kDecimalPad;
}

void drawKey(Canvas& canvas, const CGRect& box, const std::string& label, long style, double textSize)
{
    RGBAColor key = style == 2 ? RGBAColor { 0.42, 0.42, 0.42, 1 } : RGBAColor { 1, 1, 1, 1 };
    canvas.fill(Path::roundedRect(box, 5), key);
    TextStyle text = UIFont::create(textSize)->textStyle();
    text.color = UIColor::systemColor("labelColor")->resolved(style);
    text.alignment = TextStyle::Alignment::Center;
    CGSize size = measureText(label, text, box.width());
    canvas.drawText(label, text,
        CGRectMake(box.origin.x, box.origin.y + (box.height() - size.height) / 2, box.width(), size.height));
}

}

rt::Class* UIKeyboard::classObject()
{
    static rt::Class* cls = rt::defineCppClass<UIKeyboard>("UIKeyboard", UIView::classObject());
    return cls;
}

void UIKeyboard::show(UITextField* field)
{
    hide();
    UIWindow* window = field ? field->window() : nullptr;
    if (!window)
        return;
    CGRect bounds = window->bounds();
    double keysHeight = (isPad(field->keyboardType()) ? kPadHeight : kLetterHeight) + kHomeIndicator;
    auto* accessory = rt::dynamicCast<UIView>(field->inputAccessoryView(), UIView::classObject());
    double accessoryHeight = accessory ? accessory->frame().height() : 0;
    double height = keysHeight + accessoryHeight;
    auto host = UIView::create(UIView::classObject(), CGRectMake(0, bounds.height() - height, bounds.width(), height));
    host->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    if (accessory) {
        rt::send(accessory, SELECTOR("setFrame:"), CGRectMake(0, 0, bounds.width(), accessoryHeight));
        host->addSubview(accessory);
    }
    auto keys = UIView::create(classObject(), CGRectMake(0, accessoryHeight, bounds.width(), keysHeight));
    auto* keyboard = static_cast<UIKeyboard*>(keys.get());
    keyboard->m_keyboardType = field->keyboardType();
    keyboard->m_decimalSeparator = NSLocale::current()->numbers().decimalSeparator;
    host->addSubview(keys.get());
    window->addSubview(host.get());
    shownHost() = host;
    window->scheduleLayout();
}

void UIKeyboard::hide()
{
    rt::Ref<UIView> host = std::move(shownHost());
    if (!host)
        return;
    UIWindow* window = host->window();
    host->removeFromSuperview();
    if (window)
        window->scheduleLayout();
}

void UIKeyboard::drawContent(Canvas& canvas, long style) const
{
    CGRect b = bounds();
    canvas.fill(Path::rect(b), style == 2 ? RGBAColor { 0.17, 0.17, 0.17, 1 } : RGBAColor { 0.82, 0.83, 0.85, 1 });
    double width = b.width() - 2 * kGap;
    if (isPad(m_keyboardType)) {
        const std::string bottomLeft = m_keyboardType == kDecimalPad ? m_decimalSeparator : "";
        const std::vector<std::string> keys
            = { "1", "2", "3", "4", "5", "6", "7", "8", "9", bottomLeft, "0", "\u232B" };
        double keyWidth = (width - 2 * kGap) / 3, keyHeight = (kPadHeight - 5 * kGap) / 4;
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i].empty())
                continue;
            double x = kGap + (i % 3) * (keyWidth + kGap), y = kGap + (i / 3) * (keyHeight + kGap);
            drawKey(canvas, CGRectMake(x, y, keyWidth, keyHeight), keys[i], style, 25);
        }
        return;
    }
    const std::vector<std::string> rows = { "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM" };
    double keyWidth = (width - 9 * kGap) / 10, keyHeight = 42;
    for (size_t r = 0; r < rows.size(); ++r) {
        double rowWidth = rows[r].size() * keyWidth + (rows[r].size() - 1) * kGap;
        double x = (b.width() - rowWidth) / 2, y = kGap + r * (keyHeight + 12);
        for (char c : rows[r]) {
            drawKey(canvas, CGRectMake(x, y, keyWidth, keyHeight), std::string(1, c), style, 22);
            x += keyWidth + kGap;
        }
    }
    drawKey(
        canvas, CGRectMake(b.width() / 4, kGap + 3 * (keyHeight + 12), b.width() / 2, keyHeight), "space", style, 16);
}
