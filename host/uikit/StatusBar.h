#pragma once

class Canvas;

// The system's bars at the screen's edges on the simulated device: the status bar across the top
// and, on a phone without a home button, the home indicator along the bottom. Views lay out around
// their heights; the window compositor draws them over the window.

// The status bar's height (a notched phone has a taller one).
double statusBarHeight();
// The home indicator's height at the bottom of a notched phone; zero where there is none.
double homeIndicatorHeight();

// The status bar at 9:41 and the home indicator, in the ink of the interface style `style`, over a
// window of the given size.
void drawStatusBar(Canvas&, double width, long style);
void drawHomeIndicator(Canvas&, double width, double height, long style);
