#include "host/uikit/UIGraphics.h"

namespace {

Canvas* g_current = nullptr;

}

Canvas* currentGraphicsCanvas() { return g_current; }

GraphicsCanvasScope::GraphicsCanvasScope(Canvas* canvas)
    : m_previous(g_current)
{
    g_current = canvas;
}

GraphicsCanvasScope::~GraphicsCanvasScope() { g_current = m_previous; }
