#include "tamarind/rootpage/SearchButton.h"

// The search button is not built yet: until it is, there is no button to tint or place, and
// each step leaves the page as the host made it.

namespace tamarind {

void buildSearchButton(rt::Object*) { }
void tintSearchButton(long) { }
void placeSearchButton(double, double) { }

}
