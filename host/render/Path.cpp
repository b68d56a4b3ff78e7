#include "host/render/Path.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The control-point distance that makes a cubic Bézier curve follow a quarter circle.
constexpr double kCircleControl = 0.5522847498;

}

Path Path::rect(const CGRect& r)
{
    Path path;
    path.moveTo({ r.minX(), r.minY() });
    path.lineTo({ r.maxX(), r.minY() });
    path.lineTo({ r.maxX(), r.maxY() });
    path.lineTo({ r.minX(), r.maxY() });
    path.close();
    return path;
}

Path Path::roundedRect(const CGRect& r, double radius, unsigned corners)
{
    radius = std::clamp(radius, 0.0, std::min(r.width(), r.height()) / 2);
    if (radius <= 0 || !corners)
        return rect(r);
    auto rad = [&](Corner c) { return (corners & c) ? radius : 0.0; };
    double k = kCircleControl;
    Path path;
    double tl = rad(TopLeft), tr = rad(TopRight), br = rad(BottomRight), bl = rad(BottomLeft);
    path.moveTo({ r.minX() + tl, r.minY() });
    path.lineTo({ r.maxX() - tr, r.minY() });
    if (tr)
        path.curveTo(
            { r.maxX() - tr + tr * k, r.minY() }, { r.maxX(), r.minY() + tr - tr * k }, { r.maxX(), r.minY() + tr });
    path.lineTo({ r.maxX(), r.maxY() - br });
    if (br)
        path.curveTo(
            { r.maxX(), r.maxY() - br + br * k }, { r.maxX() - br + br * k, r.maxY() }, { r.maxX() - br, r.maxY() });
    path.lineTo({ r.minX() + bl, r.maxY() });
    if (bl)
        path.curveTo(
            { r.minX() + bl - bl * k, r.maxY() }, { r.minX(), r.maxY() - bl + bl * k }, { r.minX(), r.maxY() - bl });
    path.lineTo({ r.minX(), r.minY() + tl });
    if (tl)
        path.curveTo(
            { r.minX(), r.minY() + tl - tl * k }, { r.minX() + tl - tl * k, r.minY() }, { r.minX() + tl, r.minY() });
    path.close();
    return path;
}

Path Path::ellipse(const CGRect& r)
{
    double rx = r.width() / 2, ry = r.height() / 2, cx = r.midX(), cy = r.midY();
    double kx = rx * kCircleControl, ky = ry * kCircleControl;
    Path path;
    path.moveTo({ cx + rx, cy });
    path.curveTo({ cx + rx, cy + ky }, { cx + kx, cy + ry }, { cx, cy + ry });
    path.curveTo({ cx - kx, cy + ry }, { cx - rx, cy + ky }, { cx - rx, cy });
    path.curveTo({ cx - rx, cy - ky }, { cx - kx, cy - ry }, { cx, cy - ry });
    path.curveTo({ cx + kx, cy - ry }, { cx + rx, cy - ky }, { cx + rx, cy });
    path.close();
    return path;
}

void Path::moveTo(CGPoint p)
{
    m_elements.push_back({ Op::MoveTo, { p } });
    m_current = p;
}

void Path::lineTo(CGPoint p)
{
    if (m_elements.empty())
        return moveTo(p);
    m_elements.push_back({ Op::LineTo, { p } });
    m_current = p;
}

void Path::curveTo(CGPoint c1, CGPoint c2, CGPoint end)
{
    if (m_elements.empty())
        moveTo(c1);
    m_elements.push_back({ Op::CurveTo, { c1, c2, end } });
    m_current = end;
}

void Path::close()
{
    if (!m_elements.empty())
        m_elements.push_back({ Op::Close, {} });
}

void Path::append(const Path& other)
{
    m_elements.insert(m_elements.end(), other.m_elements.begin(), other.m_elements.end());
    m_current = other.m_current;
}

void Path::translate(double dx, double dy)
{
    for (auto& e : m_elements)
        for (auto& p : e.points) {
            p.x += dx;
            p.y += dy;
        }
    m_current.x += dx;
    m_current.y += dy;
}

CGRect Path::bounds() const
{
    if (m_elements.empty())
        return {};
    double inf = std::numeric_limits<double>::infinity();
    double minX = inf, minY = inf, maxX = -inf, maxY = -inf;
    for (auto& e : m_elements) {
        int n = e.op == Op::CurveTo ? 3 : e.op == Op::Close ? 0 : 1;
        for (int i = 0; i < n; ++i) {
            minX = std::min(minX, e.points[i].x);
            minY = std::min(minY, e.points[i].y);
            maxX = std::max(maxX, e.points[i].x);
            maxY = std::max(maxY, e.points[i].y);
        }
    }
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}
