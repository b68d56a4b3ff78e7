#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "SamplePage.h"
#include "host/imageio/CGImage.h"
#include "host/uikit/CALayer.h"
#include "host/uikit/UIColor.h"
#include "host/uikit/UIImage.h"
#include "host/uikit/UIImageView.h"
#include "host/uikit/UILabel.h"
#include "host/uikit/UINavigationController.h"
#include "host/uikit/UIScreen.h"
#include "host/uikit/UITableView.h"
#include "host/uikit/UITableViewCell.h"
#include "host/uikit/UIWindow.h"
#include "host/uikit/WindowRenderer.h"

namespace {

// The pixel at a point (in points) of a window image.
RGBA8 at(const CGImage& image, double x, double y)
{
    double scale = UIScreen::mainScreen()->scale();
    return image.pixelAt(static_cast<size_t>(x * scale), static_cast<size_t>(y * scale));
}

RGBA8 hex(unsigned value)
{
    return { uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value), 255 };
}

bool near(RGBA8 a, RGBA8 b, int tolerance = 3)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance
        && std::abs(a.a - b.a) <= tolerance;
}

::testing::AssertionResult pixelIs(const CGImage& image, double x, double y, RGBA8 expected, int tolerance = 3)
{
    RGBA8 got = at(image, x, y);
    if (near(got, expected, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel at (" << x << ", " << y << ") is " << int(got.r) << "," << int(got.g)
                                         << "," << int(got.b) << "," << int(got.a) << "; expected " << int(expected.r)
                                         << "," << int(expected.g) << "," << int(expected.b) << "," << int(expected.a);
}

rt::Ref<UIView> coloredView(CGRect frame, unsigned color)
{
    auto view = UIView::create(UIView::classObject(), frame);
    view->setBackgroundColor(UIColor::fromHex([&] {
        char text[8];
        std::snprintf(text, sizeof text, "%06x", color);
        return std::string(text);
    }())
                                 .get());
    return view;
}

}

TEST(Render, GroupedPageInLightAndDark)
{
    rt::AutoreleasePool pool;
    struct Expected {
        long style;
        unsigned background, cell;
    };
    for (Expected e : { Expected { 1, 0xF2F2F7, 0xFFFFFF }, Expected { 2, 0x000000, 0x1C1C1E } }) {
        auto sample = makeSamplePage(sampleSections(40), e.style);
        auto image = renderWindowToImage(sample.window.get());
        ASSERT_TRUE(image);
        UITableViewCell* cell = sample.table->cellForRow(0, 1);
        ASSERT_TRUE(cell);
        CGRect row = cell->convertRectToView(cell->bounds(), nullptr);
        // Between the screen edge and the inset section: the grouped background.
        EXPECT_TRUE(pixelIs(*image, 8, row.midY(), hex(e.background)));
        // Inside the row, right of its text: the cell's background.
        EXPECT_TRUE(pixelIs(*image, row.maxX() - 60, row.minY() + 4, hex(e.cell)));
        // The first row's outer corner is rounded off: the background shows through it.
        UITableViewCell* first = sample.table->cellForRow(0, 0);
        CGRect top = first->convertRectToView(first->bounds(), nullptr);
        EXPECT_TRUE(pixelIs(*image, top.minX() + 0.5, top.minY() + 0.5, hex(e.background), 12));
        // The icon is drawn where the image view is.
        CGRect icon = cell->imageView()->convertRectToView(cell->imageView()->bounds(), nullptr);
        EXPECT_TRUE(pixelIs(*image, icon.minX() + 3, icon.midY(), hex(0x007AFF)));
        // Text is drawn in the label colour somewhere along the title.
        CGRect title = cell->textLabel()->convertRectToView(cell->textLabel()->bounds(), nullptr);
        bool inked = false;
        for (double x = title.minX(); x < title.minX() + 40 && !inked; x += 1.0 / 3)
            inked = near(at(*image, x, title.midY()), hex(e.style == 2 ? 0xFFFFFF : 0x000000), 60);
        EXPECT_TRUE(inked);
    }
}

TEST(Render, LayersBordersClippingAndOpacity)
{
    rt::AutoreleasePool pool;
    auto window = UIWindow::create(UIScreen::mainScreen()->bounds());
    window->setOverrideUserInterfaceStyle(1);
    window->makeKeyAndVisible();
    window->addSubview(coloredView(window->bounds(), 0xFFFFFF).get());

    auto bordered = coloredView(CGRectMake(20, 100, 100, 100), 0x00FF00);
    rt::send(bordered->layer(), SELECTOR("setBorderWidth:"), 4.0);
    rt::send(bordered->layer(), SELECTOR("setBorderColor:"), CGColor::create({ 1, 0, 0, 1 }));
    rt::send(bordered->layer(), SELECTOR("setCornerRadius:"), 30.0);
    window->addSubview(bordered.get());

    auto clipping = coloredView(CGRectMake(200, 100, 50, 50), 0x0000FF);
    clipping->setClipsToBounds(true);
    clipping->addSubview(coloredView(CGRectMake(25, 25, 100, 100), 0xFF0000).get());
    window->addSubview(clipping.get());

    auto faded = coloredView(CGRectMake(20, 300, 50, 50), 0x000000);
    faded->setAlpha(0.5);
    window->addSubview(faded.get());
    auto hidden = coloredView(CGRectMake(100, 300, 50, 50), 0x000000);
    hidden->setHidden(true);
    window->addSubview(hidden.get());

    auto image = renderWindowToImage(window.get());
    ASSERT_TRUE(image);
    EXPECT_TRUE(pixelIs(*image, 70, 101, hex(0xFF0000), 10)) << "border along the top edge";
    EXPECT_TRUE(pixelIs(*image, 70, 150, hex(0x00FF00)));
    EXPECT_TRUE(pixelIs(*image, 21, 101, hex(0xFFFFFF))) << "outside the rounded corner";
    EXPECT_TRUE(pixelIs(*image, 240, 140, hex(0xFF0000))) << "the child inside the clip";
    EXPECT_TRUE(pixelIs(*image, 260, 140, hex(0xFFFFFF))) << "the child outside the clip is cut";
    EXPECT_TRUE(pixelIs(*image, 45, 325, hex(0x808080), 2)) << "half-transparent black over white";
    EXPECT_TRUE(pixelIs(*image, 125, 325, hex(0xFFFFFF)));
}

TEST(Render, TemplateImagesTakeTheTint)
{
    rt::AutoreleasePool pool;
    auto window = UIWindow::create(UIScreen::mainScreen()->bounds());
    window->makeKeyAndVisible();
    window->addSubview(coloredView(window->bounds(), 0xFFFFFF).get());
    auto black = UIImage::create(CGImage::create(1, 1, 4, CGImageAlphaInfo::PremultipliedLast, { 0, 0, 0, 255 }), 1,
        UIImageRenderingModeAlwaysTemplate);
    auto view = UIView::create(UIImageView::classObject(), CGRectMake(50, 50, 40, 40));
    rt::send(view.get(), SELECTOR("setImage:"), static_cast<rt::Object*>(black.get()));
    view->setTintColor(UIColor::systemColor("systemRedColor"));
    window->addSubview(view.get());
    auto image = renderWindowToImage(window.get());
    EXPECT_TRUE(pixelIs(*image, 70, 70, hex(0xFF3B30)));
}

TEST(Render, ReportsFilesItCannotWrite)
{
    rt::AutoreleasePool pool;
    auto window = UIWindow::create(CGRectMake(0, 0, 100, 100));
    std::string error;
    EXPECT_FALSE(renderWindowToPNG(window.get(), "/nonexistent-folder/shot.png", error));
    EXPECT_NE(error.find("/nonexistent-folder/shot.png"), std::string::npos);
    error.clear();
    EXPECT_FALSE(renderWindowToPNG(nullptr, "/tmp/x.png", error));
    EXPECT_FALSE(error.empty());
    auto path = std::filesystem::temp_directory_path() / "tam-render-test.png";
    EXPECT_TRUE(renderWindowToPNG(window.get(), path, error)) << error;
    EXPECT_GT(std::filesystem::file_size(path), 100u);
}
