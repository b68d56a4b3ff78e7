#include "tamarind/banner/GifClasses.h"

#include <cstring>

#include "tamarind/banner/FLAnimatedImage.h"
#include "tamarind/banner/FLAnimatedImageView.h"
#include "tamarind/banner/FLWeakProxy.h"

extern "C" bool isDataAGIF(NSData* data)
{
    return data && isData(data) && data->length() >= 3 && !std::memcmp(data->bytes(), "GIF", 3);
}

namespace tamarind {

void registerGifClasses()
{
    FLWeakProxy::classObject();
    FLAnimatedImage::classObject();
    registerAnimatedImageView();
}

}
