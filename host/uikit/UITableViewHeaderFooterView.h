#pragma once

#include "host/uikit/UIView.h"

class UILabel;

// UITableViewHeaderFooterView: a section's header or footer title. Headers of grouped tables
// show their title in small capitals above the section, footers below it.
class UITableViewHeaderFooterView : public UIView {
public:
    static rt::Class* classObject();

    UILabel* textLabel();
    void layoutHeaderFooter();

    rt::Ref<rt::Object> m_reuseIdentifier;
    rt::Ref<UILabel> m_textLabel;
    rt::Ref<UIView> m_contentView;
    bool m_isFooter { false };
    // The horizontal inset of the section's cells, so the title lines up with their text.
    double m_leadingInset { 0 };
    double m_trailingInset { 0 };
};
