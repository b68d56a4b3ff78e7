#pragma once

class Canvas;

// The stack of drawing destinations that UIKit's drawing calls (-[UIImage drawInRect:],
// -[UIBezierPath fill], addClip, ...) draw into, as UIGraphicsPushContext keeps it. An image
// renderer pushes its canvas for the duration of its drawing block. Main thread only.
Canvas* currentGraphicsCanvas();

class GraphicsCanvasScope {
public:
    explicit GraphicsCanvasScope(Canvas*);
    ~GraphicsCanvasScope();
    GraphicsCanvasScope(const GraphicsCanvasScope&) = delete;
    GraphicsCanvasScope& operator=(const GraphicsCanvasScope&) = delete;

private:
    Canvas* m_previous;
};
