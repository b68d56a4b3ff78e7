#include "tamarind/startup/OwnClasses.h"

#include "tamarind/banner/GifClasses.h"
#include "tamarind/banner/TMBannerCell.h"
#include "tamarind/regrouping/ListPages.h"
#include "tamarind/regrouping/ModulePages.h"
#include "tamarind/slider/NumericAccessory.h"

namespace tamarind {

void registerOwnClasses()
{
    registerGifClasses();
    registerBannerCell();
    registerListPages();
    registerModulePages();
    registerNumericAccessory();
}

}
