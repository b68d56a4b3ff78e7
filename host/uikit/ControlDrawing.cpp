#include "host/uikit/ControlDrawing.h"

#include "host/uikit/UIColor.h"

RGBAColor resolvedOrSystemColor(const UIColor* color, const char* fallbackName, long style)
{
    return (color ? color : UIColor::systemColor(fallbackName))->resolved(style);
}

void drawControlThumb(Canvas& canvas, CGRect r, RGBAColor color)
{
    CGRect shadow = r;
    shadow.origin.y += 1.5;
    canvas.fill(
        Path::ellipse(CGRectMake(shadow.minX() - 0.5, shadow.minY() - 0.5, shadow.width() + 1, shadow.height() + 1)),
        { 0, 0, 0, 0.08 });
    canvas.fill(Path::ellipse(shadow), { 0, 0, 0, 0.1 });
    canvas.fill(Path::ellipse(r), color);
}
