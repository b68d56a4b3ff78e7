#include "host/uikit/UIGraphics.h"

namespace {

Canvas* g_current = nullptr;
// UIKit starts every context with black fill and stroke.
RGBAColor g_fill { 0, 0, 0, 1 };
RGBAColor g_stroke { 0, 0, 0, 1 };

}

Canvas* currentGraphicsCanvas()
{
    return g_current;
}
RGBAColor currentFillColor()
{
    return g_fill;
}
RGBAColor currentStrokeColor()
{
    return g_stroke;
}
void setCurrentFillColor(RGBAColor c)
{
    g_fill = c;
}
void setCurrentStrokeColor(RGBAColor c)
{
    g_stroke = c;
}

GraphicsCanvasScope::GraphicsCanvasScope(Canvas* canvas)
    : m_previous(g_current)
    , m_previousFill(g_fill)
    , m_previousStroke(g_stroke)
{
    g_current = canvas;
    g_fill = g_stroke = { 0, 0, 0, 1 };
}

GraphicsCanvasScope::~GraphicsCanvasScope()
{
    g_current = m_previous;
    g_fill = m_previousFill;
    g_stroke = m_previousStroke;
}
