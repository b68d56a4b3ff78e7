#pragma once

// A resolved colour in sRGB with straight (not premultiplied) alpha, components in 0...1. UIColor
// resolves to one of these for a given interface style; drawing only ever sees resolved colours.
struct RGBAColor {
    double r { 0 }, g { 0 }, b { 0 }, a { 0 };
    bool operator==(const RGBAColor&) const = default;
    bool isVisible() const { return a > 0; }
    RGBAColor withAlpha(double alpha) const { return { r, g, b, alpha }; }
};
