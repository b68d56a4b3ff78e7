#pragma once

#include <filesystem>
#include <string>

#include "host/runtime/Object.h"

class BitmapCanvas;
class Canvas;
class CGImage;
class UIView;
class UIWindow;

// Draws a window's view tree as a person would see it: each view's layer (background, rounded
// corners, border, clipping, opacity, contents), its own content (text, images, controls) and
// its subviews in order, then the status bar and the home indicator, in the window's interface
// style at the screen's scale. The window is laid out and displayed first, as it would be on
// screen by the time it is seen.
class WindowRenderer {
public:
    explicit WindowRenderer(Canvas& canvas)
        : m_canvas(canvas)
    {
    }

    void renderWindow(UIWindow*);
    // One view and its subtree, with the view's frame origin at the canvas origin.
    void renderView(const UIView*, long parentStyle);

private:
    void drawLayerBackground(const UIView*, long style);
    void drawLayerBorder(const UIView*, long style);
    void drawContents(const UIView*);
    Canvas& m_canvas;
};

// Renders the window to a PNG file at the screen's scale. Returns false with one line in `error`
// when the window is missing or the file cannot be written.
bool renderWindowToPNG(UIWindow*, const std::filesystem::path&, std::string& error);
// Renders the window to an image (premultiplied RGBA, top row first); null for a missing window.
rt::Ref<CGImage> renderWindowToImage(UIWindow*);
