#pragma once

#include "host/uikit/UIView.h"

// UIScrollView: its bounds' origin is the content offset. The insets UIKit adds for the bars
// above it (adjustedContentInset) come from the safe area: the status bar and, inside a
// navigation controller, the navigation bar. Changing the offset sends scrollViewDidScroll: to
// the delegate. Two _UIScrollViewScrollIndicator views (each holding its bar) live on top, at
// rest invisible.
class UIScrollView : public UIView {
public:
    static rt::Class* classObject();
    static rt::Class* scrollIndicatorClass();

    UIScrollView();

    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint);
    CGSize contentSize() const { return m_contentSize; }
    void setContentSize(CGSize);
    UIEdgeInsets adjustedContentInset() const;
    // The top of the visible content area under the bars, relative to this view's frame.
    double safeAreaTop() const;
    double safeAreaBottom() const;
    // Keeps the indicators above every other subview.
    void raiseScrollIndicators();
    UIEdgeInsets contentInset() const { return m_contentInset; }
    UIView* verticalIndicator() const { return m_verticalIndicator.get(); }

protected:
    void scrollViewLayout();
    // Stores the delegate that hears of scrolling, for a subclass whose own delegate it is.
    void storeScrollDelegate(rt::Object* delegate) { m_delegate = delegate; }

private:
    static void registerMethods(rt::Class*);

    rt::Ref<UIView> m_verticalIndicator;
    rt::Ref<UIView> m_horizontalIndicator;
    UIEdgeInsets m_contentInset;
    long m_contentInsetAdjustmentBehavior { 0 };
    rt::Weak<rt::Object> m_delegate;
    bool m_scrollEnabled { true };
    bool m_showsVerticalIndicator { true };
    // Until the first layout in a window the offset rests at the top of the adjusted inset.
    bool m_offsetSettled { false };
    double m_lastAdjustedTop { 0 };
    CGSize m_contentSize;
};
