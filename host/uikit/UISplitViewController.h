#pragma once

#include "host/foundation/Geometry.h"
#include "host/uikit/UIViewController.h"

class UIView;

// UISplitViewController as a regular-width iPad shows it: two columns side by side, always both
// visible (never collapsed). The primary column holds the list a person chooses from; the
// secondary column shows what was chosen, and showing another controller there replaces it. Each
// column's controller (usually a navigation controller) lays itself out inside its column, so a
// page in either column sees the column's width, not the screen's.
class UISplitViewController : public UIViewController {
public:
    static rt::Class* classObject();

    // Places the two columns and the hairline between them inside the controller's view.
    void layoutColumns();
    // The primary column's width for the view's current width: the preferred width, or Settings'
    // 320 points when none was set, never more than half of the view.
    double primaryColumnWidth() const;
    // UIKit's automatic dimension (-1) until set.
    double preferredPrimaryColumnWidth() const { return m_preferredPrimaryColumnWidth; }
    void setPreferredPrimaryColumnWidth(double);

    UIViewController* primary() const;
    UIViewController* secondary() const;
    // Replaces the secondary column's controller; a navigation controller there keeps its place and
    // takes the controller as the whole of its stack instead.
    void showDetail(rt::Object* controller);
    // Sets the two columns' controllers (an array of one or two).
    void setColumns(rt::Object* array);

private:
    void placeColumn(UIViewController*, CGRect frame);

    double m_preferredPrimaryColumnWidth { -1 };
    rt::Ref<UIView> m_separator;
};
