#include "host/uikit/CADisplayLink.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/NSIndexPath.h"
#include "host/uikit/NSLayoutConstraint.h"
#include "host/uikit/UIAlertController.h"
#include "host/uikit/UIApplication.h"
#include "host/uikit/UIBackdropView.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UIBezierPath.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIControl.h"
#include "host/uikit/UIDevice.h"
#include "host/uikit/UIFont.h"
#include "host/uikit/UIGestureRecognizer.h"
#include "host/uikit/UIGraphicsImageRenderer.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UIMenu.h"
#include "host/uikit/UINavigationBar.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UINavigationItem.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIScrollView.h"
#include "host/uikit/UISearchBar.h"
#include "host/uikit/UISearchController.h"
#include "host/uikit/UISlider.h"
#include "host/uikit/UISplitViewController.h"
#include "host/uikit/UISwitch.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewCell.h"
#include "host/uikit/UITableViewHeaderFooterView.h"
#include "host/uikit/UITextField.h"
#include "host/uikit/UITextView.h"
#include "host/uikit/UIToolbar.h"
#include "host/uikit/UITraitCollection.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

// UIKit's classes, public and private, exist as soon as the host is loaded, so lookups by name
// (NSClassFromString) find them before anything has used them.
[[gnu::constructor(103)]] static void registerUIKitClasses()
{
    UIResponder::classObject();
    UIView::classObject();
    CALayer::classObject();
    CGColor::classObject();
    UIColor::classObject();
    UIFont::classObject();
    UIImage::classObject();
    UIBezierPath::classObject();
    UIGraphicsImageRenderer::classObject();
    UIGraphicsImageRendererFormat::classObject();
    UIGraphicsImageRendererContext::classObject();
    UITraitCollection::classObject();
    NSLayoutConstraint::classObject();
    NSLayoutAnchor::xAxisClass();
    NSLayoutAnchor::yAxisClass();
    NSLayoutAnchor::dimensionClass();
    NSIndexPath::classObject();
    UILabel::classObject();
    UIImageView::classObject();
    UIControl::classObject();
    UISwitch::classObject();
    UISlider::classObject();
    UIButton::classObject();
    UITextField::classObject();
    UIMenu::classObject();
    UIAction::classObject();
    UIBarButtonItem::classObject();
    UINavigationItem::classObject();
    UIScrollView::classObject();
    UIScrollView::scrollIndicatorClass();
    UITableView::classObject();
    UITableView::wrapperViewClass();
    UITableViewCell::classObject();
    UITableViewCell::contentViewClass();
    UITableViewCell::separatorClass();
    UITableViewCell::accessoryButtonClass();
    UITableViewCell::systemBackgroundClass();
    UITableViewHeaderFooterView::classObject();
    UISearchBar::classObject();
    UISearchBar::searchFieldClass();
    UISearchBar::fieldBackgroundClass();
    UISearchController::classObject();
    UIViewController::classObject();
    UINavigationController::classObject();
    UISplitViewController::classObject();
    UINavigationBar::classObject();
    UINavigationBarAppearance::classObject();
    UINavigationBarLargeTitleView::classObject();
    UINavigationBarLargeTitleView::layoutClass();
    UIWindow::classObject();
    UIApplication::classObject();
    UIAlertController::classObject();
    UIAlertAction::classObject();
    UIGestureRecognizer::classObject();
    UIGestureRecognizer::tapClass();
    registerGestureRecognizerViewMethods();
    UIToolbar::classObject();
    UITextView::classObject();
    UIBackdropViewSettings::classObject();
    UIBackdropView::classObject();
    CADisplayLink::classObject();
    UIScreen::classObject();
    UIDevice::classObject();
}
