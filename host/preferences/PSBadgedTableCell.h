#pragma once

#include "host/preferences/PSTableCell.h"

// The cell of a row that carries a badge, as Software Update does on the General page while an
// update waits: a red disc (an image view) with the count in white (a label) at the trailing
// end of the content view. The row's value is the count; a row without one shows no badge.
class PSBadgedTableCell : public PSTableCell {
public:
    static rt::Class* classObject();

    void showBadge(rt::Object* specifier);
    void layoutBadge();

private:
    rt::Ref<UIView> m_badgeView;
    rt::Ref<UIView> m_badgeLabel;
};
