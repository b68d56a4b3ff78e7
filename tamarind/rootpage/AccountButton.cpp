#include "tamarind/rootpage/AccountButton.h"

// The account button is not built yet: until it is, there is no button to tint or place, and
// each step leaves the page as the host made it.

namespace tamarind {

void buildAccountButton(rt::Object*) { }
void tintAccountButton(long) { }
void placeAccountButton(double, double) { }

}
