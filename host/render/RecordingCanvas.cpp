#include "host/render/RecordingCanvas.h"

#include <optional>

#include "host/imageio/CGImage.h"

void RecordingCanvas::record(Command command)
{
    m_commands.push_back(std::make_shared<const Command>(std::move(command)));
}

void RecordingCanvas::save()
{
    record([](Canvas& canvas) { canvas.save(); });
}

void RecordingCanvas::restore()
{
    record([](Canvas& canvas) { canvas.restore(); });
}

void RecordingCanvas::translate(double dx, double dy)
{
    record([=](Canvas& canvas) { canvas.translate(dx, dy); });
}

void RecordingCanvas::clip(const Path& path)
{
    record([path](Canvas& canvas) { canvas.clip(path); });
}

void RecordingCanvas::fill(const Path& path, RGBAColor color, FillRule rule)
{
    record([path, color, rule](Canvas& canvas) { canvas.fill(path, color, rule); });
}

void RecordingCanvas::stroke(const Path& path, double width, RGBAColor color)
{
    record([path, width, color](Canvas& canvas) { canvas.stroke(path, width, color); });
}

void RecordingCanvas::drawImage(const CGImage& image, const CGRect& destination, double alpha, const RGBAColor* tint)
{
    // The image is held, so that it is still there, unchanged, when the recording plays.
    rt::Ref<CGImage> held(const_cast<CGImage*>(&image));
    std::optional<RGBAColor> tintColor;
    if (tint)
        tintColor = *tint;
    record([held, destination, alpha, tintColor](
               Canvas& canvas) { canvas.drawImage(*held, destination, alpha, tintColor ? &*tintColor : nullptr); });
}

void RecordingCanvas::drawText(const std::string& text, const TextStyle& style, const CGRect& box)
{
    record([text, style, box](Canvas& canvas) { canvas.drawText(text, style, box); });
}

void RecordingCanvas::blurBehind(const CGRect& rect, double radius)
{
    record([rect, radius](Canvas& canvas) { canvas.blurBehind(rect, radius); });
}

void RecordingCanvas::beginGroup()
{
    record([](Canvas& canvas) { canvas.beginGroup(); });
}

void RecordingCanvas::endGroup(double alpha)
{
    record([alpha](Canvas& canvas) { canvas.endGroup(alpha); });
}

void RecordingCanvas::replay(Canvas& target) const
{
    for (const auto& command : m_commands)
        (*command)(target);
}
