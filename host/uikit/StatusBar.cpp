#include "host/uikit/StatusBar.h"

#include <algorithm>

#include "host/render/Canvas.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITraitCollection.h"

// The status bar of a notched phone at 9:41, full signal, Wi-Fi and a full battery, drawn in the
// label colour of the window's style; and the home indicator below the content.

namespace {

// Phones with a notch have a taller screen for their width.
bool isNotchedPhone()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    return screen.height() / std::max(1.0, screen.width()) > 2;
}

RGBAColor ink(long style)
{
    return style == UIUserInterfaceStyleDark ? RGBAColor { 1, 1, 1, 1 } : RGBAColor { 0, 0, 0, 1 };
}

void drawSignal(Canvas& canvas, double x, double baseline, RGBAColor color)
{
    for (int i = 0; i < 4; ++i) {
        double h = 4 + i * 2.2;
        canvas.fill(Path::roundedRect(CGRectMake(x + i * 4.5, baseline - h, 3, h), 1), color);
    }
}

void drawWifi(Canvas& canvas, double cx, double baseline, RGBAColor color)
{
    // Three arcs over a dot, as filled wedges of concentric circles.
    for (int i = 0; i < 3; ++i) {
        double r = 3.5 + i * 3.6;
        Path arc = Path::ellipse(CGRectMake(cx - r, baseline - r, r * 2, r * 2));
        canvas.save();
        Path wedge;
        wedge.moveTo({ cx, baseline });
        wedge.lineTo({ cx - r * 1.2, baseline - r * 1.1 });
        wedge.lineTo({ cx + r * 1.2, baseline - r * 1.1 });
        wedge.close();
        canvas.clip(wedge);
        double inner = r - 2.2;
        arc.append(Path::ellipse(CGRectMake(cx - inner, baseline - inner, inner * 2, inner * 2)));
        canvas.fill(arc, color, Canvas::FillRule::EvenOdd);
        canvas.restore();
    }
}

void drawBattery(Canvas& canvas, double x, double top, RGBAColor color)
{
    canvas.stroke(Path::roundedRect(CGRectMake(x, top, 24, 11.5), 3.5), 1, color.withAlpha(0.4));
    canvas.fill(Path::roundedRect(CGRectMake(x + 2, top + 2, 20, 7.5), 1.8), color);
    canvas.fill(Path::roundedRect(CGRectMake(x + 25, top + 3.8, 1.5, 4), 0.7), color.withAlpha(0.4));
}

// An iPad's bar has no notch and no signal: the time and the date at the leading edge, Wi-Fi and
// the battery at the trailing one.
void drawPadStatusBar(Canvas& canvas, double width, RGBAColor color)
{
    double centerY = statusBarHeight() / 2;
    TextStyle text;
    text.size = 14;
    text.weight = 600;
    text.color = color;
    canvas.drawText("9:41  Tue Jan 9", text, CGRectMake(20, centerY - 9, 160, 18));
    double right = width - 20;
    drawBattery(canvas, right - 27, centerY - 6, color);
    drawWifi(canvas, right - 43, centerY + 5, color);
}

}

double statusBarHeight()
{
    if (UIScreen::deviceIdiom() == UIUserInterfaceIdiomPad)
        return 24;
    return isNotchedPhone() ? 47 : 20;
}

double homeIndicatorHeight()
{
    if (UIScreen::deviceIdiom() == UIUserInterfaceIdiomPad)
        return 20;
    return isNotchedPhone() ? 34 : 0;
}

void drawStatusBar(Canvas& canvas, double width, long style)
{
    double height = statusBarHeight();
    RGBAColor color = ink(style);
    if (UIScreen::deviceIdiom() == UIUserInterfaceIdiomPad)
        return drawPadStatusBar(canvas, width, color);
    bool notched = height > 40;
    double centerY = notched ? height / 2 + 4 : height / 2;
    TextStyle time;
    time.size = 17;
    time.weight = 600;
    time.color = color;
    time.alignment = TextStyle::Alignment::Center;
    double earWidth = notched ? width * 0.3 : 54;
    canvas.drawText("9:41", time, CGRectMake(notched ? 16 : 6, centerY - 11, earWidth - 16, 22));
    double right = width - (notched ? 28 : 8);
    drawBattery(canvas, right - 27, centerY - 6, color);
    drawWifi(canvas, right - 43, centerY + 5, color);
    drawSignal(canvas, right - 73, centerY + 5.5, color);
}

void drawHomeIndicator(Canvas& canvas, double width, double height, long style)
{
    if (homeIndicatorHeight() < 30)
        return;
    canvas.fill(Path::roundedRect(CGRectMake(width / 2 - 67, height - 13, 134, 5), 2.5), ink(style));
}
