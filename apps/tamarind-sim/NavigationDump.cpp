#include "NavigationDump.h"

#include <dlfcn.h>

#include "CellDump.h"

#include "host/foundation/String.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/PSUIPrefsListController.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UINavigationBar.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UIScrollView.h"
#include "host/uikit/UIViewController.h"

using nlohmann::json;

namespace {

UINavigationBar* barOf(rt::Object* page)
{
    auto* controller = rt::dynamicCast<UIViewController>(page, UIViewController::classObject());
    UINavigationController* nav = controller ? controller->navigationController() : nullptr;
    return nav ? nav->navigationBar() : nullptr;
}

// As the bar draws itself: clear at the scroll edge unless it has an edge appearance.
json backgroundInForce(UINavigationBar* bar, long style)
{
    UINavigationBarAppearance* appearance = bar->currentAppearance();
    if (appearance->isTransparent() || (bar->isAtScrollEdge() && !bar->scrollEdgeAppearance()))
        return nullptr;
    if (appearance->backgroundColor())
        return hexColor(appearance->backgroundColor(), style);
    return hexColor(UIColor::systemColor("systemChromeColor"), style);
}

json largeTitleOf(UINavigationBar* bar, long style)
{
    UINavigationBarLargeTitleView* view = bar->largeTitleView();
    UILabel* label = view && view->superview() == bar ? view->label() : nullptr;
    bool shown = label && !label->isHidden() && label->frame().height() > 0;
    json j { { "shown", shown } };
    if (label) {
        j["text"] = label->text();
        j["color"] = hexColor(label->textColor(), style);
        j["frame"] = frameOf(label);
    }
    return j;
}

json rowState(rt::Object* row)
{
    if (!row)
        return nullptr;
    auto* spec = static_cast<PSSpecifier*>(row);
    rt::Object* value = spec->property("value");
    return { { "id", spec->identifier() }, { "value", isString(value) ? json(toStdString(value)) : json(nullptr) } };
}

json presentedChain(rt::Object* page)
{
    json chain = json::array();
    auto* controller = rt::dynamicCast<UIViewController>(page, UIViewController::classObject());
    for (UIViewController* p = controller ? controller->presentedViewController() : nullptr; p;
         p = p->presentedViewController()) {
        chain.push_back({ { "class", p->isa()->name() },
            { "title", optionalText(rt::send<rt::Object*>(p, SELECTOR("title"))) } });
    }
    return chain;
}

}

json dumpNavigationBar(rt::Object* page)
{
    UINavigationBar* bar = barOf(page);
    if (!bar)
        return nullptr;
    rt::send(bar, SELECTOR("layoutIfNeeded"));
    long style = bar->effectiveUserInterfaceStyle();
    json j;
    UILabel* title = bar->titleLabel();
    j["title"] = title ? json(title->text()) : json(nullptr);
    j["titleColor"] = title ? hexColor(title->textColor(), style) : json(nullptr);
    j["titleHidden"] = !title || title->isHidden();
    j["largeTitle"] = largeTitleOf(bar, style);
    j["background"] = backgroundInForce(bar, style);
    j["frame"] = frameOf(bar);
    return j;
}

json dumpScrolling(rt::Object* page)
{
    auto* scroll
        = rt::dynamicCast<UIScrollView>(rt::send<rt::Object*>(page, SELECTOR("table")), UIScrollView::classObject());
    if (!scroll)
        return nullptr;
    UIEdgeInsets inset = scroll->contentInset();
    json indicator = json::array();
    if (UIView* vertical = scroll->verticalIndicator())
        for (auto& bar : vertical->subviews())
            indicator.push_back({ { "hidden", bar->isHidden() },
                { "color", hexColor(bar->backgroundColor(), bar->effectiveUserInterfaceStyle()) } });
    return { { "contentInset", { inset.top, inset.left, inset.bottom, inset.right } },
        { "contentOffset", scroll->contentOffset().y }, { "scrollIndicator", indicator } };
}

json dumpRootPageState(rt::Object* page)
{
    auto* root = rt::dynamicCast<PSUIPrefsListController>(page, PSUIPrefsListController::classObject());
    if (!root)
        return nullptr;
    // The library's exported root page, when the library is loaded.
    auto* kept = reinterpret_cast<rt::Object**>(dlsym(RTLD_DEFAULT, "rootListController"));
    json j;
    j["isRootListController"] = kept ? json(*kept == page) : json(nullptr);
    j["heldRows"] = { { "wallpaper", rowState(root->wallpaperSpecifier()) },
        { "exposureNotification", rowState(root->exposureNotificationSpecifier()) },
        { "videoSubscriber", rowState(root->videoSubscriberSpecifier()) } };
    j["presented"] = presentedChain(page);
    rt::Object* app = rt::send<rt::Object*>(rt::getClass("UIApplication"), SELECTOR("sharedApplication"));
    j["applicationIconBadgeNumber"] = rt::send<long>(app, SELECTOR("applicationIconBadgeNumber"));
    return j;
}
