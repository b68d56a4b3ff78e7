#include "tamarind/startup/OwnClasses.h"

namespace tamarind {

void registerOwnClasses()
{
}

}
