#include <gtest/gtest.h>

#include "SamplePage.h"
#include "host/imageio/CGImage.h"
#include "host/render/WindowRenderer.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UIWindow.h"

TEST(Render, WritesSamplePage)
{
    rt::AutoreleasePool pool;
    for (long style : { 1L, 2L }) {
        auto sample = makeSamplePage(sampleSections(40), style);
        std::string error;
        std::string path = style == 1 ? "/tmp/tam-render-light.png" : "/tmp/tam-render-dark.png";
        EXPECT_TRUE(renderWindowToPNG(sample.window.get(), path, error)) << error;
    }
}

#include <cstdio>
#include "host/uikit/UIView.h"
static void dumpTree(const UIView* v, int depth)
{
    CGRect f = v->frame();
    std::printf("%*s%s (%.1f %.1f %.1f %.1f)%s alpha=%.2f\n", depth * 2, "", v->isa()->name(), f.origin.x, f.origin.y, f.size.width, f.size.height,
        v->isHidden() ? " hidden" : "", v->alpha());
    if (depth > 6) return;
    for (auto& c : v->subviews())
        dumpTree(c.get(), depth + 1);
}
TEST(Render, DumpTree)
{
    rt::AutoreleasePool pool;
    auto sample = makeSamplePage(sampleSections(10), 1);
    sample.window->layoutAndDisplay();
    dumpTree(sample.window.get(), 0);
}
