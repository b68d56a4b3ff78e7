#include "host/imageio/CGImageProperties.h"

#include <cstdio>

namespace {

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void appendEntry(std::string& text, const char* key, const std::string& value)
{
    text.append(key).append(" = ").append(value).append("; ");
}

}

std::string CGImageSourceProperties::description() const
{
    std::string text = "{";
    appendEntry(text, "FileSize", std::to_string(fileSize));
    if (gif) {
        std::string inner = "{";
        appendEntry(inner, "CanvasPixelHeight", std::to_string(gif->canvasPixelHeight));
        appendEntry(inner, "CanvasPixelWidth", std::to_string(gif->canvasPixelWidth));
        appendEntry(inner, "HasGlobalColorMap", gif->hasGlobalColorMap ? "1" : "0");
        if (gif->loopCount)
            appendEntry(inner, "LoopCount", std::to_string(*gif->loopCount));
        appendEntry(text, "\"{GIF}\"", inner.append("}"));
    }
    return text.append("}");
}

std::string CGImageProperties::description() const
{
    std::string text = "{";
    appendEntry(text, "PixelHeight", std::to_string(pixelHeight));
    appendEntry(text, "PixelWidth", std::to_string(pixelWidth));
    std::string inner = "{";
    if (delayTime)
        appendEntry(inner, "DelayTime", number(*delayTime));
    if (unclampedDelayTime)
        appendEntry(inner, "UnclampedDelayTime", number(*unclampedDelayTime));
    appendEntry(text, "\"{GIF}\"", inner.append("}"));
    return text.append("}");
}
