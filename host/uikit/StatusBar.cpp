#include "host/uikit/StatusBar.h"

#include <algorithm>

#include "host/render/Canvas.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITraitCollection.h"

// The status bar at 9:41, full signal, Wi-Fi and a full battery, drawn in the label colour of the
// window's style, laid out as the device's kind of screen has it; and the home indicator below
// the content of a phone without a home button.

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

namespace {

// A notched phone keeps the clock in the left ear and the icons in the right one, around the
// sensor housing.
void drawNotchedStatusBar(Canvas& canvas, double width, double height, RGBAColor color)
{
    double centerY = height / 2 + 4;
    TextStyle time;
    time.size = 17;
    time.weight = 600;
    time.color = color;
    time.alignment = TextStyle::Alignment::Center;
    double earWidth = width * 0.3;
    canvas.drawText("9:41", time, CGRectMake(16, centerY - 11, earWidth - 16, 22));
    double right = width - 28;
    drawBattery(canvas, right - 27, centerY - 6, color);
    drawWifi(canvas, right - 43, centerY + 5, color);
    drawSignal(canvas, right - 73, centerY + 5.5, color);
}

// A phone with a home button has a low bar across the whole width: signal and Wi-Fi
// on the left, the clock in the middle, the battery on the right. The clock gets the middle third
// of the bar, room for "9:41 AM" at any width a phone has.
void drawFlatStatusBar(Canvas& canvas, double width, double height, RGBAColor color)
{
    double centerY = height / 2;
    TextStyle time;
    time.size = 12;
    time.weight = 600;
    time.color = color;
    time.alignment = TextStyle::Alignment::Center;
    canvas.drawText("9:41 AM", time, CGRectMake(width / 3, centerY - 8, width / 3, 16));
    drawSignal(canvas, 6, centerY + 4.5, color);
    drawWifi(canvas, 35, centerY + 4.5, color);
    drawBattery(canvas, width - 33, centerY - 5.75, color);
}

// An iPad's bar has no notch and no signal: the time and the date at the leading edge, Wi-Fi and
// the battery at the trailing one.
void drawPadStatusBar(Canvas& canvas, double width, double height, RGBAColor color)
{
    double centerY = height / 2;
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

void drawStatusBar(Canvas& canvas, double width, long style)
{
    double height = statusBarHeight();
    if (UIScreen::deviceIdiom() == UIUserInterfaceIdiomPad)
        drawPadStatusBar(canvas, width, height, ink(style));
    else if (height > 40)
        drawNotchedStatusBar(canvas, width, height, ink(style));
    else
        drawFlatStatusBar(canvas, width, height, ink(style));
}

void drawHomeIndicator(Canvas& canvas, double width, double height, long style)
{
    if (homeIndicatorHeight() < 30)
        return;
    canvas.fill(Path::roundedRect(CGRectMake(width / 2 - 67, height - 13, 134, 5), 2.5), ink(style));
}
