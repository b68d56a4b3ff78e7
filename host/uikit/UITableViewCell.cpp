#include "host/uikit/UITableViewCell.h"

#include <algorithm>

#include "host/render/Canvas.h"
#include "host/runtime/Bind.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIScreen.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

// Settings' metrics on a phone: 16-point margins, 16 points between icon and title, the
// chevron 16 points from the trailing edge with 8 points before it.
constexpr double kCellMargin = 16;
constexpr double kImageGap = 16;
constexpr double kAccessoryGap = 8;
constexpr double kGroupCornerRadius = 10;

// _UISystemBackgroundView: the cell's background, rounded where its section's corners are.
class SystemBackgroundView final : public UIView {
public:
    void drawContent(Canvas& canvas, long style) const override
    {
        auto* cell = rt::dynamicCast<UITableViewCell>(superview(), UITableViewCell::classObject());
        if (!cell)
            return;
        UIColor* color = cell->backgroundColor();
        if (!color)
            color = UIColor::systemColor(
                cell->tableStyle() == 0 ? "systemBackgroundColor" : "tableCellGroupedBackgroundColor");
        RGBAColor fill = color->resolved(style);
        if ((cell->isSelected() || cell->isHighlighted()) && cell->selectionStyle() != 0)
            fill = UIColor::systemColor("systemGray4Color")->resolved(style);
        unsigned corners = 0;
        if (cell->tableStyle() == 2) {
            if (cell->groupPosition() == CellGroupPosition::First || cell->groupPosition() == CellGroupPosition::Only)
                corners |= Path::TopLeft | Path::TopRight;
            if (cell->groupPosition() == CellGroupPosition::Last || cell->groupPosition() == CellGroupPosition::Only)
                corners |= Path::BottomLeft | Path::BottomRight;
        }
        double own = cell->layer()->cornerRadius();
        double radius = own > 0 ? own : kGroupCornerRadius;
        if (own > 0)
            corners = Path::AllCorners;
        canvas.fill(Path::roundedRect(bounds(), corners ? radius : 0, corners), fill);
    }
    bool drawsOwnBackground() const override { return false; }
};

UITableViewCell* cell(Object* o)
{
    return static_cast<UITableViewCell*>(o);
}

rt::Ref<UILabel> makeLabel(double size, const char* color)
{
    auto label = rt::adopt(static_cast<UILabel*>(UILabel::classObject()->allocate()));
    label->setFont(UIFont::create(size));
    label->setTextColor(UIColor::systemColor(color));
    return label;
}

}

Class* UITableViewCell::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<UITableViewCell>("UITableViewCell", UIView::classObject());
        registerCellInitializers(c);
        registerCellContent(c);
        registerCellState(c);
        TAM_HOST_IVAR(c, UITableViewCell, m_textLabel, "_textLabel");
        TAM_HOST_IVAR(c, UITableViewCell, m_detailTextLabel, "_detailTextLabel");
        TAM_HOST_IVAR(c, UITableViewCell, m_imageView, "_imageView");
        TAM_HOST_IVAR(c, UITableViewCell, m_contentView, "_contentView");
        TAM_HOST_IVAR(c, UITableViewCell, m_accessoryView, "_accessoryView");
        TAM_HOST_IVAR(c, UITableViewCell, m_reuseIdentifier, "_reuseIdentifier");
        return c;
    }();
    return cls;
}

Class* UITableViewCell::contentViewClass()
{
    static Class* cls = rt::defineCppClass<UIView>("UITableViewCellContentView", UIView::classObject());
    return cls;
}

Class* UITableViewCell::separatorClass()
{
    static Class* cls = rt::defineCppClass<UIView>("_UITableViewCellSeparatorView", UIView::classObject());
    return cls;
}

Class* UITableViewCell::accessoryButtonClass()
{
    static Class* cls = rt::defineCppClass<UIButton>("_UITableCellAccessoryButton", UIButton::classObject());
    return cls;
}

Class* UITableViewCell::systemBackgroundClass()
{
    static Class* cls = rt::defineCppClass<SystemBackgroundView>("_UISystemBackgroundView", UIView::classObject());
    return cls;
}

rt::Ref<UITableViewCell> UITableViewCell::create(long style, Object* reuseIdentifier, Class* cls)
{
    if (!cls || !cls->isSubclassOf(classObject()))
        return nullptr;
    Object* made
        = rt::send<Object*>(cls->allocate(), SELECTOR("initWithStyle:reuseIdentifier:"), style, reuseIdentifier);
    return rt::adopt(static_cast<UITableViewCell*>(made));
}

void UITableViewCell::setUp(long style, Object* reuseIdentifier)
{
    // Initializers can be chained twice (initWithFrame: reaching initWithStyle:); build once.
    if (m_contentView)
        return;
    m_style = style >= 0 && style <= 3 ? style : UITableViewCellStyleDefault;
    m_reuseIdentifier = reuseIdentifier;
    m_systemBackground = UIView::create(systemBackgroundClass(), bounds());
    addSubview(m_systemBackground.get());
    m_contentView = UIView::create(contentViewClassForCell(), bounds());
    addSubview(m_contentView.get());
    m_imageView = rt::Ref<UIImageView>(static_cast<UIImageView*>(UIView::create(UIImageView::classObject()).get()));
    m_imageView->setContentMode(UIViewContentModeScaleAspectFit);
    m_textLabel = makeLabel(17, "labelColor");
    if (m_style == UITableViewCellStyleValue1)
        m_detailTextLabel = makeLabel(17, "secondaryLabelColor");
    else if (m_style == UITableViewCellStyleValue2)
        m_detailTextLabel = makeLabel(15, "labelColor");
    else if (m_style == UITableViewCellStyleSubtitle)
        m_detailTextLabel = makeLabel(12, "labelColor");
    // UIKit makes the labels before the image view, so the title is the content view's first
    // subview.
    m_contentView->addSubview(m_textLabel.get());
    if (m_detailTextLabel)
        m_contentView->addSubview(m_detailTextLabel.get());
    m_contentView->addSubview(m_imageView.get());
}

void UITableViewCell::setAccessoryType(long type)
{
    m_accessoryType = type >= 0 && type <= 4 ? type : UITableViewCellAccessoryNone;
    updateAccessory();
}

void UITableViewCell::setAccessoryView(Object* view)
{
    if (m_accessoryView && m_accessoryView->superview() == this)
        m_accessoryView->removeFromSuperview();
    m_accessoryView = isView(view) ? static_cast<UIView*>(view) : nullptr;
    updateAccessory();
}

void UITableViewCell::updateAccessory()
{
    // A custom accessory view replaces the accessory type's button.
    const char* symbol = m_accessoryType == UITableViewCellAccessoryCheckmark ? "checkmark"
        : m_accessoryType == UITableViewCellAccessoryNone                     ? nullptr
                                                                              : "chevron.right";
    if (m_accessoryView || !symbol) {
        if (m_accessoryButton && m_accessoryButton->superview() == this)
            m_accessoryButton->removeFromSuperview();
    } else {
        if (!m_accessoryButton)
            m_accessoryButton = UIView::create(accessoryButtonClass());
        auto* button = static_cast<UIButton*>(m_accessoryButton.get());
        button->setImage(UIImage::systemImage(symbol).get(), 0);
        button->imageView()->setTintColor(UIColor::systemColor(
            m_accessoryType == UITableViewCellAccessoryCheckmark ? "systemBlueColor" : "tertiaryLabelColor"));
        if (button->superview() != this)
            addSubview(button);
    }
    if (m_accessoryView && m_accessoryView->superview() != this)
        addSubview(m_accessoryView.get());
    setNeedsLayout();
}

bool UITableViewCell::drawsOwnBackground() const
{
    return m_systemBackground->superview() != this;
}

void UITableViewCell::setGroupPosition(
    CellGroupPosition position, long tableStyle, bool wantsSeparator, double separatorLeft)
{
    m_position = position;
    m_tableStyle = tableStyle;
    m_wantsSeparator = wantsSeparator;
    (void)separatorLeft;
    if (wantsSeparator && !m_separator) {
        // Made once per cell; a separator that somebody removed stays removed.
        m_separator = UIView::create(separatorClass());
        m_separator->setBackgroundColor(UIColor::systemColor("separatorColor"));
        addSubview(m_separator.get());
    }
    setNeedsLayout();
}

CGRect UITableViewCell::layoutAccessory(CGRect b)
{
    UIView* accessory = m_accessoryView                               ? m_accessoryView.get()
        : m_accessoryButton && m_accessoryButton->superview() == this ? m_accessoryButton.get()
                                                                      : nullptr;
    if (!accessory)
        return CGRectMake(b.maxX(), 0, 0, 0);
    CGSize size = accessory->frame().size;
    if (accessory == m_accessoryButton.get() || size.width <= 0 || size.height <= 0)
        size = rt::send<CGSize>(accessory, SELECTOR("sizeThatFits:"), b.size);
    CGRect frame = CGRectMake(b.maxX() - kCellMargin - size.width, (b.height() - size.height) / 2, size.width, size.height);
    rt::send(accessory, SELECTOR("setFrame:"), frame);
    return frame;
}

void UITableViewCell::layoutCell()
{
    CGRect b = bounds();
    if (m_systemBackground->superview() == this)
        rt::send(m_systemBackground.get(), SELECTOR("setFrame:"), b);
    if (m_backgroundView && m_backgroundView->superview() == this)
        rt::send(m_backgroundView.get(), SELECTOR("setFrame:"), b);
    CGRect accessory = layoutAccessory(b);
    double contentWidth = accessory.width() > 0 ? accessory.minX() - kAccessoryGap : b.width();
    CGRect content = CGRectMake(0, 0, std::max(0.0, contentWidth), b.height());
    if (m_contentView->superview() == this)
        rt::send(m_contentView.get(), SELECTOR("setFrame:"), content);
    layoutLabels(CGRect { {}, content.size }, accessory.width() > 0);
    double separatorLeft = m_textLabel->frame().minX();
    if (m_separator && m_separator->superview() == this) {
        double hairline = 1 / UIScreen::mainScreen()->scale();
        m_separator->setHidden(!m_wantsSeparator);
        rt::send(m_separator.get(), SELECTOR("setFrame:"),
            CGRectMake(separatorLeft, b.height() - hairline, b.width() - separatorLeft, hairline));
    }
}

void UITableViewCell::layoutLabels(CGRect content, bool hasAccessory)
{
    double x = kCellMargin;
    if (auto* image = m_imageView->image()) {
        CGSize size = image->size();
        size.height = std::min(size.height, content.height());
        rt::send(m_imageView.get(), SELECTOR("setFrame:"),
            CGRectMake(x, (content.height() - size.height) / 2, size.width, size.height));
        x += size.width + kImageGap;
    } else {
        rt::send(m_imageView.get(), SELECTOR("setFrame:"), CGRectMake(x, content.height() / 2, 0, 0));
    }
    double trailing = content.maxX() - (hasAccessory ? 0 : kCellMargin);
    CGSize title = m_textLabel->defaultIntrinsicContentSize();
    if (m_style == UITableViewCellStyleSubtitle && m_detailTextLabel) {
        CGSize detail = m_detailTextLabel->defaultIntrinsicContentSize();
        double top = (content.height() - title.height - detail.height) / 2;
        rt::send(
            m_textLabel.get(), SELECTOR("setFrame:"), CGRectMake(x, top, std::max(0.0, trailing - x), title.height));
        rt::send(m_detailTextLabel.get(), SELECTOR("setFrame:"),
            CGRectMake(x, top + title.height, std::max(0.0, trailing - x), detail.height));
        return;
    }
    double titleRight = trailing;
    if (m_detailTextLabel && !m_detailTextLabel->text().empty()) {
        CGSize detail = m_detailTextLabel->defaultIntrinsicContentSize();
        double width = std::min(detail.width, std::max(0.0, (trailing - x) * 0.6));
        rt::send(m_detailTextLabel.get(), SELECTOR("setFrame:"),
            CGRectMake(trailing - width, (content.height() - detail.height) / 2, width, detail.height));
        titleRight = trailing - width - kAccessoryGap;
    } else if (m_detailTextLabel) {
        rt::send(m_detailTextLabel.get(), SELECTOR("setFrame:"), CGRectMake(trailing, content.height() / 2, 0, 0));
    }
    rt::send(m_textLabel.get(), SELECTOR("setFrame:"),
        CGRectMake(x, (content.height() - title.height) / 2, std::max(0.0, titleRight - x), title.height));
}

bool isTableViewCell(Object* o)
{
    return rt::isKindOf(o, UITableViewCell::classObject());
}

void UITableViewCell::registerCellInitializers(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("initWithStyle:reuseIdentifier:"), +[](Object* s, SEL, long style, Object* identifier) -> Object* {
            s = sendSuper<Object*>(
                s, UITableViewCell::classObject(), SELECTOR("initWithFrame:"), CGRectMake(0, 0, 320, 44));
            if (s)
                cell(s)->setUp(style, identifier);
            return s;
        });
    addMethod(
        c, sel("initWithFrame:"), +[](Object* s, SEL, CGRect frame) -> Object* {
            s = send<Object*>(s, SELECTOR("initWithStyle:reuseIdentifier:"), 0L, nullptr);
            if (s)
                send(s, SELECTOR("setFrame:"), frame);
            return s;
        });
}

void UITableViewCell::registerCellContent(Class* c)
{
    using namespace rt;
    addMethod(
        c, sel("contentView"), +[](Object* s, SEL) -> Object* { return cell(s)->contentView(); });
    addMethod(
        c, sel("textLabel"), +[](Object* s, SEL) -> Object* { return cell(s)->textLabel(); });
    addMethod(
        c, sel("detailTextLabel"), +[](Object* s, SEL) -> Object* { return cell(s)->detailTextLabel(); });
    addMethod(
        c, sel("imageView"), +[](Object* s, SEL) -> Object* { return cell(s)->imageView(); });
    bindReadOnlyProperty<&UITableViewCell::m_reuseIdentifier>(c, "reuseIdentifier");
    bind<&UITableViewCell::accessoryType>(c, "accessoryType");
    bind<&UITableViewCell::setAccessoryType>(c, "setAccessoryType:");
    bindGetter<&UITableViewCell::m_accessoryView>(c, "accessoryView");
    bind<&UITableViewCell::setAccessoryView>(c, "setAccessoryView:");
    bindGetter<&UITableViewCell::m_backgroundView>(c, "backgroundView");
    addMethod(
        c, sel("setBackgroundView:"), +[](Object* s, SEL, Object* v) {
            if (cell(s)->m_backgroundView)
                cell(s)->m_backgroundView->removeFromSuperview();
            cell(s)->m_backgroundView = isView(v) ? static_cast<UIView*>(v) : nullptr;
            if (cell(s)->m_backgroundView)
                cell(s)->insertSubview(
                    cell(s)->m_backgroundView.get(), cell(s)->m_systemBackground->superview() == cell(s) ? 1 : 0);
            cell(s)->setNeedsLayout();
        });
    bindProperty<&UITableViewCell::m_selectedBackgroundView>(c, "selectedBackgroundView");
    addMethod(
        c, sel("separatorInset"), +[](Object* s, SEL) {
            return UIEdgeInsets { 0, cell(s)->m_separatorLeft, 0, 0 };
        });
    addMethod(
        c, sel("setSeparatorInset:"), +[](Object* s, SEL, UIEdgeInsets i) { cell(s)->m_separatorLeft = i.left; });
}

void UITableViewCell::registerCellState(Class* c)
{
    using namespace rt;
    bindProperty<&UITableViewCell::m_selectionStyle>(c, "selectionStyle");
    bindGetter<&UITableViewCell::m_selected>(c, "isSelected");
    bindGetter<&UITableViewCell::m_highlighted>(c, "isHighlighted");
    addMethod(
        c, sel("setSelected:"), +[](Object* s, SEL, bool v) { send(s, SELECTOR("setSelected:animated:"), v, false); });
    addMethod(
        c, sel("setHighlighted:"),
        +[](Object* s, SEL, bool v) { send(s, SELECTOR("setHighlighted:animated:"), v, false); });
    addMethod(
        c, sel("setSelected:animated:"), +[](Object* s, SEL, bool v, bool) { cell(s)->m_selected = v; });
    addMethod(
        c, sel("setHighlighted:animated:"), +[](Object* s, SEL, bool v, bool) { cell(s)->m_highlighted = v; });
    addMethod(
        c, sel("prepareForReuse"), +[](Object*, SEL) {});
    addMethod(
        c, sel("layoutSubviews"), +[](Object* s, SEL) {
            sendSuper(s, UITableViewCell::classObject(), SELECTOR("layoutSubviews"));
            cell(s)->layoutCell();
        });
}
