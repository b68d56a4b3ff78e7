#pragma once

#include "host/runtime/TypeEncoding.h"

// CoreGraphics and UIKit geometry, laid out and encoded as on a 64-bit device.

struct CGPoint {
    double x { 0 }, y { 0 };
    bool operator==(const CGPoint&) const = default;
};
struct CGSize {
    double width { 0 }, height { 0 };
    bool operator==(const CGSize&) const = default;
};
struct CGRect {
    CGPoint origin;
    CGSize size;
    bool operator==(const CGRect&) const = default;
    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    double width() const { return size.width; }
    double height() const { return size.height; }
};
struct UIEdgeInsets {
    double top { 0 }, left { 0 }, bottom { 0 }, right { 0 };
    bool operator==(const UIEdgeInsets&) const = default;
};
struct NSRange {
    unsigned long location { 0 }, length { 0 };
    bool operator==(const NSRange&) const = default;
};

inline CGRect CGRectMake(double x, double y, double w, double h) { return { { x, y }, { w, h } }; }
inline CGSize CGSizeMake(double w, double h) { return { w, h }; }
inline CGPoint CGPointMake(double x, double y) { return { x, y }; }

namespace rt {
TAM_ENCODING(CGPoint, "{CGPoint=dd}");
TAM_ENCODING(CGSize, "{CGSize=dd}");
TAM_ENCODING(CGRect, "{CGRect={CGPoint=dd}{CGSize=dd}}");
TAM_ENCODING(UIEdgeInsets, "{UIEdgeInsets=dddd}");
TAM_ENCODING(NSRange, "{_NSRange=QQ}");
}
