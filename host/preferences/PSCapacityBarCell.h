#pragma once

#include "host/preferences/PSTableCell.h"

// The cell that holds the usage bar. It gives the bar the device's storage figures when it is
// made, before it stands in any page, as Settings does.
class PSCapacityBarCell : public PSTableCell {
public:
    static rt::Class* classObject();

private:
    static rt::Object* initWithBar(rt::Object* self, rt::SEL, long style, rt::Object* reuse, rt::Object* specifier);
    static void layOutBar(rt::Object* self, rt::SEL);

    rt::Ref<UIView> m_bar; // PSCapacityBarView
};
