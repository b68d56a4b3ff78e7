#include "DeviceInfoDump.h"

#include <algorithm>

#include "SimSupport.h"
#include "host/foundation/String.h"
#include "host/preferences/PSCapacityBarView.h"
#include "host/preferences/SettingsApp.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UIWindow.h"

using nlohmann::json;

namespace {

template <class T> T* firstOfKind(UIView* view, rt::Class* cls)
{
    if (rt::isKindOf(view, cls))
        return static_cast<T*>(view);
    for (auto& child : view->subviews())
        if (T* found = firstOfKind<T>(child.get(), cls))
            return found;
    return nullptr;
}

}

json dumpSectionFooter(rt::Object* page, long section)
{
    auto* table = static_cast<UITableView*>(rt::send<rt::Object*>(page, SELECTOR("table")));
    auto* window = static_cast<UIWindow*>(settings::window());
    if (!table || !window || !rt::isKindOf(table, UITableView::classObject()))
        return nullptr;
    CGPoint original = table->contentOffset();
    CGRect rect = table->rectForSection(section);
    table->setContentOffset({ 0, std::max(0.0, rect.origin.y + rect.size.height - table->bounds().height() / 2) });
    window->layoutAndDisplay();
    json result = nullptr;
    if (auto* footer = static_cast<UIView*>(rt::send<rt::Object*>(table, SELECTOR("footerViewForSection:"), section))) {
        result = { { "frame", frameOf(footer) }, { "line", nullptr }, { "icon", nullptr } };
        if (auto* label = firstOfKind<UILabel>(footer, UILabel::classObject()))
            result["line"] = { { "text", label->text() }, { "frame", frameOf(label) } };
        if (auto* imageView = firstOfKind<UIImageView>(footer, UIImageView::classObject())) {
            rt::Object* image = rt::send<rt::Object*>(imageView, SELECTOR("image"));
            result["icon"] = { { "image", image != nullptr }, { "frame", frameOf(imageView) } };
            if (image) {
                CGSize size = rt::send<CGSize>(image, SELECTOR("size"));
                result["icon"]["imageSize"] = { size.width, size.height };
            }
        }
    }
    table->setContentOffset(original);
    window->layoutAndDisplay();
    return result;
}

json dumpCapacityBar(rt::Object* page)
{
    auto* root = static_cast<UIView*>(rt::send<rt::Object*>(page, SELECTOR("viewIfLoaded")));
    auto* bar = root ? firstOfKind<PSCapacityBarView>(root, PSCapacityBarView::classObject()) : nullptr;
    if (!bar)
        return nullptr;
    rt::Object* data = rt::send<rt::Object*>(bar, SELECTOR("barData"));
    auto* label = firstOfKind<UILabel>(bar, UILabel::classObject());
    return { { "capacity", rt::send<long long>(data, SELECTOR("capacity")) },
        { "text", label ? json(label->text()) : json(nullptr) }, { "frame", frameOf(bar) } };
}
