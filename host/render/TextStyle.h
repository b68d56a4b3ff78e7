#pragma once

#include <string>

#include "host/foundation/Geometry.h"
#include "host/render/Color.h"

// How a run of text is set: the font (size in points and a weight on the 100...900 scale), its
// colour, alignment inside its box, and how many lines it may take before the tail is cut with an
// ellipsis (0: as many as the box allows).
struct TextStyle {
    enum class Alignment { Left, Center, Right };

    double size { 17 };
    int weight { 400 };
    RGBAColor color { 0, 0, 0, 1 };
    Alignment alignment { Alignment::Left };
    int maxLines { 1 };
};

// The size the text takes when laid out in at most `maxWidth` points (no limit when 0 or less),
// in points rounded up to whole pixels of the main scale, as UILabel's sizeThatFits: reports.
CGSize measureText(const std::string&, const TextStyle&, double maxWidth);
// The distance from the top of a line to its baseline, for the style's font.
double textAscent(const TextStyle&);
