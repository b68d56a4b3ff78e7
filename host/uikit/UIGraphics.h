#pragma once

#include "host/render/Color.h"

class Canvas;

// The stack of drawing destinations that UIKit's drawing calls (-[UIImage drawInRect:],
// -[UIBezierPath fill], addClip, ...) draw into, as UIGraphicsPushContext keeps it. An image
// renderer pushes its canvas for the duration of its drawing block. Main thread only.
Canvas* currentGraphicsCanvas();

// The colours -[UIColor setFill] and setStroke chose for the current destination.
RGBAColor currentFillColor();
RGBAColor currentStrokeColor();
void setCurrentFillColor(RGBAColor);
void setCurrentStrokeColor(RGBAColor);

class GraphicsCanvasScope {
public:
    explicit GraphicsCanvasScope(Canvas*);
    ~GraphicsCanvasScope();
    GraphicsCanvasScope(const GraphicsCanvasScope&) = delete;
    GraphicsCanvasScope& operator=(const GraphicsCanvasScope&) = delete;

private:
    Canvas* m_previous;
    RGBAColor m_previousFill;
    RGBAColor m_previousStroke;
};
