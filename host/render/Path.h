#pragma once

#include <vector>

#include "host/foundation/Geometry.h"

// A vector outline in points, the shape UIBezierPath keeps and the canvas fills, strokes or clips
// to. Only the elements the host draws are offered: lines, cubic curves, rectangles, rounded
// rectangles (with a choice of corners) and ellipses.
class Path {
public:
    enum class Op { MoveTo, LineTo, CurveTo, Close };
    struct Element {
        Op op;
        CGPoint points[3];
    };
    enum Corner : unsigned { TopLeft = 1, TopRight = 2, BottomLeft = 4, BottomRight = 8, AllCorners = 15 };

    static Path rect(const CGRect&);
    static Path roundedRect(const CGRect&, double radius, unsigned corners = AllCorners);
    static Path ellipse(const CGRect&);

    void moveTo(CGPoint);
    void lineTo(CGPoint);
    void curveTo(CGPoint control1, CGPoint control2, CGPoint end);
    void close();
    void append(const Path&);
    void translate(double dx, double dy);

    bool isEmpty() const { return m_elements.empty(); }
    const std::vector<Element>& elements() const { return m_elements; }
    CGRect bounds() const;
    CGPoint currentPoint() const { return m_current; }

private:
    std::vector<Element> m_elements;
    CGPoint m_current;
};
