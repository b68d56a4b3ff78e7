#include <gtest/gtest.h>

#include "host/imageio/CGImage.h"
#include "host/render/Canvas.h"

// What a backdrop does to the pixels below it: a sharp edge becomes a smooth ramp over about the
// radius, areas of one colour keep it, and pixels outside the blurred rectangle are untouched.
TEST(Blur, SmoothsEdgesInsideItsRectangleOnly)
{
    auto canvas = BitmapCanvas::create({ 100, 20 }, 2);
    ASSERT_TRUE(canvas);
    canvas->fill(Path::rect(CGRectMake(0, 0, 50, 20)), { 0, 0, 0, 1 });
    canvas->fill(Path::rect(CGRectMake(50, 0, 50, 20)), { 1, 1, 1, 1 });
    canvas->blurBehind(CGRectMake(0, 0, 100, 10), 6);
    auto image = canvas->makeImage();
    auto red = [&](double x, double y) { return int(image->pixelAt(size_t(x * 2), size_t(y * 2)).r); };
    EXPECT_EQ(red(10, 5), 0) << "far from the edge the colour stays";
    EXPECT_EQ(red(90, 5), 255);
    EXPECT_NEAR(red(50, 5), 128, 20) << "the edge is half way";
    int previous = -1;
    for (double x = 40; x <= 60; x += 0.5) {
        EXPECT_GE(red(x, 5), previous) << "the ramp rises steadily at " << x;
        previous = red(x, 5);
    }
    EXPECT_GT(red(47, 5), 0);
    EXPECT_LT(red(53, 5), 255);
    EXPECT_EQ(red(49.5, 15), 0) << "below the rectangle the edge stays sharp";
    EXPECT_EQ(red(50.5, 15), 255);
}

TEST(Blur, RectanglesOffTheCanvasOrWithoutRadiusChangeNothing)
{
    auto canvas = BitmapCanvas::create({ 20, 20 }, 1);
    ASSERT_TRUE(canvas);
    canvas->fill(Path::rect(CGRectMake(0, 0, 10, 20)), { 1, 0, 0, 1 });
    canvas->blurBehind(CGRectMake(-500, -500, 100, 100), 10);
    canvas->blurBehind(CGRectMake(0, 0, 20, 20), 0);
    canvas->blurBehind(CGRectMake(0, 0, 20, 20), -3);
    canvas->translate(1e6, 1e6);
    canvas->blurBehind(CGRectMake(0, 0, 20, 20), 5);
    auto image = canvas->makeImage();
    EXPECT_EQ(image->pixelAt(9, 5).r, 255);
    EXPECT_EQ(image->pixelAt(10, 5).r, 0);
}
