#pragma once

#include "host/runtime/Runtime.h"

// The operations the library adds to PSTableCell to describe rows: on the root list a subtitle
// under each row's title, the title laid out anew and relocalised, the icon made sure of; on the
// About and Battery Health pages the user's replacement values; on the module pages a fixed
// title and hidden values. The cell styling runs them as the subtitle pass after every superview
// move and every refresh, so each pass starts from what the cell shows now.

namespace tamarind {

void loadSubtitle(rt::Object* cell, rt::SEL);
bool isVPNConnected(rt::Object* cell, rt::SEL);
void setIPAddress(rt::Object* cell, rt::SEL);
void setDiskUsage(rt::Object* cell, rt::SEL);

}
