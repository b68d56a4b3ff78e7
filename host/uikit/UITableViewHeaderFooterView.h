#pragma once

#include "host/uikit/UIView.h"

class UILabel;

// UITableViewHeaderFooterView: a section's header or footer title. Headers of grouped tables
// show their title in small capitals above the section, footers below it.
class UITableViewHeaderFooterView : public UIView {
public:
    static rt::Class* classObject();

    // The title label, made on first use.
    UILabel* textLabel();
    // The title label if it was made, without making it.
    UILabel* madeTextLabel() const { return m_textLabel.get(); }
    void layoutHeaderFooter();

    // The table places the view: as a footer or a header, inset as the section's cells so that
    // the title lines up with their text. These store only; the table lays the view out after.
    void setFooter(bool footer) { m_isFooter = footer; }
    void setInsets(double leading, double trailing)
    {
        m_leadingInset = leading;
        m_trailingInset = trailing;
    }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<rt::Object> m_reuseIdentifier;
    rt::Ref<UILabel> m_textLabel;
    rt::Ref<UIView> m_contentView;
    bool m_isFooter { false };
    double m_leadingInset { 0 };
    double m_trailingInset { 0 };
};
