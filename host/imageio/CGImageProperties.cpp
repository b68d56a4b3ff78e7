#include "host/imageio/CGImageProperties.h"

#include <cstdio>

namespace {

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string entry(const char* key, const std::string& value)
{
    return std::string(key) + " = " + value + "; ";
}

}

std::string CGImageSourceProperties::description() const
{
    std::string text = "{" + entry("FileSize", std::to_string(fileSize));
    if (gif) {
        std::string inner = entry("CanvasPixelHeight", std::to_string(gif->canvasPixelHeight))
            + entry("CanvasPixelWidth", std::to_string(gif->canvasPixelWidth))
            + entry("HasGlobalColorMap", gif->hasGlobalColorMap ? "1" : "0");
        if (gif->loopCount)
            inner += entry("LoopCount", std::to_string(*gif->loopCount));
        text += entry("\"{GIF}\"", "{" + inner + "}");
    }
    return text + "}";
}

std::string CGImageProperties::description() const
{
    std::string inner;
    if (delayTime)
        inner += entry("DelayTime", number(*delayTime));
    if (unclampedDelayTime)
        inner += entry("UnclampedDelayTime", number(*unclampedDelayTime));
    return "{" + entry("PixelHeight", std::to_string(pixelHeight)) + entry("PixelWidth", std::to_string(pixelWidth))
        + entry("\"{GIF}\"", "{" + inner + "}") + "}";
}
