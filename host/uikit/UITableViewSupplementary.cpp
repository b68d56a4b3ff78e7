#include <cctype>

#include "host/foundation/String.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewHeaderFooterView.h"

// Section headers and footers: the delegate's views, or title views made from the data source's
// titles, shown while their part of the table is on screen.

using rt::Object;

namespace {

std::string uppercased(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}

long UITableView::contentInsertionIndex() const
{
    long index = 0;
    for (const UIView* below : { m_backgroundView.get(), m_wrapperView.get() })
        if (below && below->superview() == this)
            ++index;
    return index;
}

void UITableView::showHeadersAndFooters(const CGRect& visible, const UIEdgeInsets& inset)
{
    for (long s = 0; s < long(m_sections.size()); ++s) {
        const Section& section = m_sections[s];
        CGRect sectionRect = rectForSection(s);
        for (bool footer : { false, true }) {
            double height = footer ? section.footerHeight : section.headerHeight;
            double top = footer ? sectionRect.maxY() - height : section.top;
            Key key { s, footer };
            bool onScreen = height > 0 && top + height > visible.minY() && top < visible.maxY();
            auto found = m_visibleSupplementary.find(key);
            if (!onScreen) {
                if (found != m_visibleSupplementary.end()) {
                    if (found->second.view->superview() == this)
                        found->second.view->removeFromSuperview();
                    m_visibleSupplementary.erase(found);
                }
                continue;
            }
            if (found == m_visibleSupplementary.end()) {
                auto view = makeSupplementaryView(s, footer);
                if (!view)
                    continue;
                found = m_visibleSupplementary.emplace(key, Visible { view, footer }).first;
            }
            placeSupplementaryView(found->second.view.get(), top, height, inset);
        }
    }
}

rt::Ref<UIView> UITableView::makeSupplementaryView(long s, bool footer)
{
    const Section& section = m_sections[s];
    rt::AutoreleasePool pool;
    if (footer ? section.hasFooterView : section.hasHeaderView) {
        auto delegate = m_tableDelegate.load();
        const rt::CallSite& site
            = footer ? SELECTOR("tableView:viewForFooterInSection:") : SELECTOR("tableView:viewForHeaderInSection:");
        Object* answer = rt::send<Object*>(delegate.get(), site, this, s);
        if (isView(answer))
            return rt::Ref<UIView>(static_cast<UIView*>(answer));
    }
    const std::string& title = footer ? section.footerTitle : section.headerTitle;
    if (title.empty())
        return nullptr;
    auto made = UIView::create(UITableViewHeaderFooterView::classObject());
    auto* view = static_cast<UITableViewHeaderFooterView*>(made.get());
    view->setFooter(footer);
    // Grouped tables show their header titles in capitals.
    view->textLabel()->setText(ns(footer || m_style == UITableViewStylePlain ? title : uppercased(title)));
    return made;
}

void UITableView::placeSupplementaryView(UIView* view, double top, double height, const UIEdgeInsets& inset)
{
    if (auto* titled = rt::dynamicCast<UITableViewHeaderFooterView>(view, UITableViewHeaderFooterView::classObject()))
        titled->setInsets(inset.left, inset.right);
    CGRect frame = CGRectMake(0, top, bounds().width(), height);
    if (view->frame() != frame)
        rt::send(view, SELECTOR("setFrame:"), frame);
    if (view->superview() != this)
        insertSubview(view, contentInsertionIndex());
}
