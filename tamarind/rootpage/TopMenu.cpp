#include "tamarind/rootpage/TopMenu.h"

#include "host/foundation/Geometry.h"
#include "host/foundation/String.h"
#include "tamarind/core/Colors.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Kept.h"
#include "tamarind/core/Settings.h"
#include "tamarind/rootpage/FloatingButton.h"
#include "tamarind/rootpage/ToolSpawn.h"

namespace tamarind {

namespace {

HostClass actionClass("UIAction");
HostClass menuClass("UIMenu");

constexpr long kAlertStyle = 1;
constexpr long kDefaultActionStyle = 0;
constexpr long kDestructiveActionStyle = 2;

Kept g_topMenuItem;

using Handler = void(rt::Object*);

// Only the button's tint is set, not its image view's.
rt::Object* gearButton()
{
    rt::Object* button = makeFloatingButton();
    rt::send(button, SELECTOR("setFrame:"), CGRectMake(0, 0, 26, 25));
    rt::send(button, SELECTOR("setImage:forState:"), templateSymbol("gear"), 0UL);
    fillWithContent(button);
    rt::Object* tint = firstPass.isCustomNavBarMenuColorEnabled
        ? pickedColor(ColorOption::colorNavBarMenu)
        : rt::send<rt::Object*>(colorClass.get(), SELECTOR("systemBlueColor"));
    rt::send(button, SELECTOR("setTintColor:"), tint);
    return button;
}

// A menu entry that sends `entry` to the page. The handler holds the page weakly: the menu lives
// as long as the process, the page perhaps not.
rt::Object* menuAction(const char* title, rt::Object* page, const rt::CallSite& entry)
{
    rt::Weak<rt::Object> weakPage(page);
    auto handler = rt::makeBlock<Handler>([weakPage, &entry](rt::Object*) {
        if (auto page = weakPage.load())
            rt::send(page.get(), entry);
    });
    return rt::send<rt::Object*>(actionClass.get(), SELECTOR("actionWithTitle:image:identifier:handler:"), ns(title),
        static_cast<rt::Object*>(nullptr), static_cast<rt::Object*>(nullptr),
        static_cast<rt::BlockBase*>(handler.get()));
}

rt::Object* alertAction(const char* title, long style, rt::BlockBase* handler)
{
    return rt::send<rt::Object*>(
        alertActionClass.get(), SELECTOR("actionWithTitle:style:handler:"), ns(title), style, handler);
}

// Runs the operation at once, or asks first in an alert whose "Continue" runs it.
void confirmThenRun(rt::Object* page, const char* title, void (*operation)())
{
    if (!firstPass.isTopMenuConfirmationEnabled) {
        operation();
        return;
    }
    rt::Object* alert = rt::send<rt::Object*>(alertControllerClass.get(),
        SELECTOR("alertControllerWithTitle:message:preferredStyle:"), ns(title), ns(""), kAlertStyle);
    rt::Object* cancel = alertAction("Cancel", kDefaultActionStyle, nullptr);
    rt::send(cancel, SELECTOR("setEnabled:"), true);
    rt::send(alert, SELECTOR("addAction:"), cancel);
    auto run = rt::makeBlock<Handler>([operation](rt::Object*) { operation(); });
    rt::send(alert, SELECTOR("addAction:"), alertAction("Continue", kDestructiveActionStyle, run.get()));
    rt::send(page, SELECTOR("presentViewController:animated:completion:"), alert, true,
        static_cast<rt::BlockBase*>(nullptr));
}

}

void initTopMenu(rt::Object* self, rt::SEL)
{
    rt::Object* button = gearButton();
    rt::Object* children = rt::send<rt::Object*>(rt::getClass("NSMutableArray"), SELECTOR("array"));
    rt::send(children, SELECTOR("addObject:"), menuAction("Respring", self, SELECTOR("topMenuRespringTapGesture")));
    rt::send(children, SELECTOR("addObject:"), menuAction("Safe Mode", self, SELECTOR("topMenuSafeModeTapGesture")));
    rt::Object* menu = rt::send<rt::Object*>(menuClass.get(), SELECTOR("menuWithTitle:children:"), ns(""), children);
    rt::send(button, SELECTOR("setMenu:"), menu);
    rt::send(button, SELECTOR("setShowsMenuAsPrimaryAction:"), true);

    auto item = rt::adopt(rt::send<rt::Object*>(
        rt::send<rt::Object*>(barButtonItemClass.get(), SELECTOR("alloc")), SELECTOR("initWithCustomView:"), button));
    g_topMenuItem.set(item.get());
    rt::send(rt::send<rt::Object*>(self, SELECTOR("navigationItem")), SELECTOR("setRightBarButtonItem:"), item.get());
}

void topMenuRespringTapGesture(rt::Object* self, rt::SEL)
{
    confirmThenRun(self, "Respring?", &performRespring);
}

void topMenuSafeModeTapGesture(rt::Object* self, rt::SEL)
{
    confirmThenRun(self, "Go to Safe Mode?", &performSafeMode);
}

void dismissTopMenu(rt::Object*, rt::SEL, rt::Object*) { }

rt::Object* topMenuItem()
{
    return g_topMenuItem.get();
}

}
