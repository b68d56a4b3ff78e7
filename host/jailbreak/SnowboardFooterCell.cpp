#include "host/preferences/PSTableCell.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"

// The footer cell that the Snowboard package puts at the end of its preference pane: its credit
// line, centred, in the secondary colour. It is one of the cells other packages style themselves.

namespace {

rt::Class* footerCellClass()
{
    static rt::Class* cls = [] {
        auto* c = rt::defineCppClass<PSTableCell>("SnowboardFooterCell", PSTableCell::classObject());
        rt::addMethod(
            c, rt::sel("layoutSubviews"), +[](rt::Object* self, rt::SEL) {
                rt::sendSuper(self, rt::getClass("SnowboardFooterCell"), SELECTOR("layoutSubviews"));
                rt::send(static_cast<PSTableCell*>(self)->textLabel(), SELECTOR("setTextAlignment:"), 1L);
            });
        return c;
    }();
    return cls;
}

}

[[gnu::constructor(110)]] static void registerSnowboardFooterCell()
{
    footerCellClass();
}
