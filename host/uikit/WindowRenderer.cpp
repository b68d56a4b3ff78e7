#include "host/uikit/WindowRenderer.h"

#include <algorithm>

#include "host/imageio/CGImage.h"
#include "host/render/Canvas.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/StatusBar.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UIViewController.h"
#include "host/uikit/UIWindow.h"

namespace {

Path layerShape(const UIView* view)
{
    CGRect local { {}, view->bounds().size };
    const CALayer* layer = view->layer();
    return Path::roundedRect(local, layer->cornerRadius(), static_cast<unsigned>(layer->maskedCorners()));
}

// The interface style a view draws in: its own override, its controller's, or its parent's.
long styleFor(const UIView* view, long parentStyle)
{
    if (view->overrideUserInterfaceStyle())
        return view->overrideUserInterfaceStyle();
    if (const UIViewController* controller = view->viewController();
        controller && controller->overrideUserInterfaceStyle())
        return controller->overrideUserInterfaceStyle();
    return parentStyle;
}

}

void WindowRenderer::renderWindow(UIWindow* window)
{
    if (!window)
        return;
    rt::Ref<UIWindow> keep(window);
    window->layoutAndDisplay();
    long style = styleFor(window, UIScreen::mainScreen()->userInterfaceStyle());
    CGRect b = window->bounds();
    // Behind everything a window is black, as the screen is.
    m_canvas.fill(Path::rect(b), { 0, 0, 0, 1 });
    m_canvas.save();
    m_canvas.translate(-window->frame().minX(), -window->frame().minY());
    renderView(window, style);
    m_canvas.restore();
    drawStatusBar(m_canvas, b.width(), style);
    drawHomeIndicator(m_canvas, b.width(), b.height(), style);
}

void WindowRenderer::renderView(const UIView* view, long parentStyle)
{
    const CALayer* layer = view->layer();
    double alpha = view->alpha() * layer->opacity();
    if (view->isHidden() || alpha <= 0.01)
        return;
    CGRect frame = view->frame();
    CGRect local { {}, frame.size };
    long style = styleFor(view, parentStyle);
    m_canvas.save();
    m_canvas.translate(frame.minX(), frame.minY());
    if (layer->masksToBounds() && !m_canvas.intersectsClip(local)) {
        m_canvas.restore();
        return;
    }
    bool grouped = alpha < 0.999;
    if (grouped)
        m_canvas.beginGroup();
    drawLayerBackground(view, style);
    m_canvas.save();
    if (layer->masksToBounds())
        m_canvas.clip(layerShape(view));
    m_canvas.translate(-view->bounds().minX(), -view->bounds().minY());
    drawContents(view);
    if (!view->drawsContentAboveSubviews())
        view->drawContent(m_canvas, style);
    for (auto& child : view->subviews())
        renderView(child.get(), style);
    if (view->drawsContentAboveSubviews())
        view->drawContent(m_canvas, style);
    m_canvas.restore();
    drawLayerBorder(view, style);
    if (grouped)
        m_canvas.endGroup(alpha);
    m_canvas.restore();
}

void WindowRenderer::drawLayerBackground(const UIView* view, long style)
{
    const CALayer* layer = view->layer();
    if (layer->shadowOpacity() > 0) {
        RGBAColor shadow
            = layer->shadowColor() ? resolveColorObject(layer->shadowColor(), style) : RGBAColor { 0, 0, 0, 1 };
        Path shape = layerShape(view);
        shape.translate(layer->shadowOffset().width, layer->shadowOffset().height);
        m_canvas.fill(shape, shadow.withAlpha(shadow.a * layer->shadowOpacity() * 0.5));
    }
    if (!view->drawsOwnBackground())
        return;
    RGBAColor fill;
    if (view->backgroundColor())
        fill = resolveColorObject(view->backgroundColor(), style);
    else if (layer->backgroundColor())
        fill = resolveColorObject(layer->backgroundColor(), style);
    if (fill.isVisible())
        m_canvas.fill(layerShape(view), fill);
}

void WindowRenderer::drawLayerBorder(const UIView* view, long style)
{
    const CALayer* layer = view->layer();
    if (layer->borderWidth() <= 0 || !layer->borderColor())
        return;
    double w = layer->borderWidth();
    CGSize size = view->bounds().size;
    // The border lies inside the bounds, as Core Animation draws it.
    CGRect inner = CGRectMake(w / 2, w / 2, std::max(0.0, size.width - w), std::max(0.0, size.height - w));
    Path path = Path::roundedRect(
        inner, std::max(0.0, layer->cornerRadius() - w / 2), static_cast<unsigned>(layer->maskedCorners()));
    m_canvas.stroke(path, w, resolveColorObject(layer->borderColor(), style));
}

void WindowRenderer::drawContents(const UIView* view)
{
    auto* contents = rt::dynamicCast<CGImage>(view->layer()->contents(), CGImage::runtimeClass());
    if (!contents)
        return;
    double scale = UIScreen::mainScreen()->scale();
    CGSize size { contents->width() / scale, contents->height() / scale };
    m_canvas.drawImage(*contents, imageRectForContentMode(view->bounds(), size, view->contentMode()), 1, nullptr);
}

rt::Ref<CGImage> renderWindowToImage(UIWindow* window)
{
    if (!window)
        return nullptr;
    auto canvas = BitmapCanvas::create(window->bounds().size, UIScreen::mainScreen()->scale());
    if (!canvas)
        return nullptr;
    WindowRenderer(*canvas).renderWindow(window);
    return canvas->makeImage();
}

bool renderWindowToPNG(UIWindow* window, const std::filesystem::path& path, std::string& error)
{
    if (!window) {
        error = "no window to render";
        return false;
    }
    auto canvas = BitmapCanvas::create(window->bounds().size, UIScreen::mainScreen()->scale());
    if (!canvas) {
        error = "cannot make a bitmap of the window's size";
        return false;
    }
    WindowRenderer(*canvas).renderWindow(window);
    return canvas->writePNG(path.string(), error);
}
