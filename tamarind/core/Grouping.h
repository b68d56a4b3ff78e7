#pragma once

// The switches that regroup the root list, asked here by every feature that depends on them, so
// that none reads them raw: the master switch of the regrouping and one grouping switch for each
// module and list.

namespace tamarind {

// The modules of the regrouped root list: three module rows that open module pages and three list
// rows that open list pages.
enum class Module { None, Connectivity, Notifications, General, Tweaks, Apps, SystemApps };

// The master switch of the root list's regrouping ("isCustomTableCellCustomizabilityEnabled"):
// while it is off, the walk, the insertion filter, the module pages and the app-row moving leave
// the host's rows as they are.
bool regroupingEnabled();

// Whether the module's grouping switch is on (false for None). The switch alone: whether the
// master switch is on as well is the caller's question.
bool groupingOn(Module);

}
