#include "BannerCommand.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "BannerDump.h"
#include "GifWriter.h"
#include "Navigator.h"
#include "SimSupport.h"
#include "host/foundation/RunLoop.h"
#include "host/imageio/CGImage.h"
#include "host/preferences/SettingsApp.h"
#include "host/render/Canvas.h"
#include "host/uikit/CADisplayLink.h"
#include "host/uikit/UIView.h"
#include "host/uikit/UIWindow.h"
#include "host/uikit/WindowRenderer.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// The longest recording: an hour of frames at the screen's rate is already more than anyone
// wants to look at.
constexpr double kMaxSeconds = 3600;
constexpr double kScreenInterval = 1.0 / 60;

struct Shown {
    rt::Ref<rt::Object> contents; // the layer's contents: what is on screen
    double start;
    long frameIndex; // -1 for a still picture
    rt::Ref<CGImage> picture;
};

// What is on screen now: the window is laid out and displayed first, so the layer holds the
// frame the view last asked to paint.
rt::Object* shownContents(rt::Object* view)
{
    static_cast<UIWindow*>(settings::window())->layoutAndDisplay();
    return rt::send<rt::Object*>(rt::send<rt::Object*>(view, SELECTOR("layer")), SELECTOR("contents"));
}

// Draws the banner cell as the window shows it, writes it to `file` and returns the picture.
rt::Ref<CGImage> drawBanner(UIView* cell, const fs::path& file, std::string& error)
{
    auto canvas = BitmapCanvas::create(cell->bounds().size, 1);
    if (!canvas) {
        error = "cannot make a bitmap of the banner's size";
        return nullptr;
    }
    WindowRenderer(*canvas).renderView(cell, static_cast<UIWindow*>(settings::window())->effectiveUserInterfaceStyle());
    if (!canvas->writePNG(file.string(), error))
        return nullptr;
    return canvas->makeImage();
}

// The index of the frame on screen: the model's cached frame that is the view's current frame.
long shownFrameIndex(rt::Object* view)
{
    rt::Object* image = rt::send<rt::Object*>(view, SELECTOR("animatedImage"));
    rt::Object* current = rt::send<rt::Object*>(view, SELECTOR("currentFrame"));
    rt::Object* frames = rt::send<rt::Object*>(image, SELECTOR("cachedFramesForIndexes"));
    rt::Object* keys = rt::send<rt::Object*>(frames, SELECTOR("allKeys"));
    for (unsigned long i = 0, n = rt::send<unsigned long>(keys, SELECTOR("count")); i < n; ++i) {
        rt::Object* key = rt::send<rt::Object*>(keys, SELECTOR("objectAtIndex:"), i);
        if (rt::send<rt::Object*>(frames, SELECTOR("objectForKey:"), key) == current)
            return rt::send<long>(key, SELECTOR("integerValue"));
    }
    return -1;
}

unsigned long refreshesOf(rt::Object* view)
{
    auto* link = rt::dynamicCast<CADisplayLink>(
        rt::send<rt::Object*>(view, SELECTOR("displayLink")), CADisplayLink::classObject());
    return link ? link->fireCount() : 0;
}

double stepOf(rt::Object* view)
{
    auto* link = rt::dynamicCast<CADisplayLink>(
        rt::send<rt::Object*>(view, SELECTOR("displayLink")), CADisplayLink::classObject());
    return link && !link->isPaused() ? link->frameInterval() : kScreenInterval;
}

std::string frameName(size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%03zu.png", index);
    return name;
}

// Plays the banner for `seconds`, in steps of its display link's interval, and keeps a picture
// of each change of what is on screen.
bool record(rt::Object* view, UIView* cell, double seconds, const fs::path& folder, std::vector<Shown>& frames,
    std::string& error)
{
    double elapsed = 0;
    while (true) {
        rt::Object* contents = shownContents(view);
        if (frames.empty() || frames.back().contents.get() != contents) {
            auto picture = drawBanner(cell, folder / frameName(frames.size()), error);
            if (!picture)
                return false;
            frames.push_back({ contents, elapsed, shownFrameIndex(view), picture });
        }
        if (elapsed >= seconds)
            return true;
        double step = std::min(stepOf(view), seconds - elapsed);
        RunLoop::main().advance(step);
        elapsed += step;
    }
}

UIView* bannerCellOf(rt::Object* view)
{
    auto* cell = rt::dynamicCast<UIView>(view, UIView::classObject());
    while (cell && !rt::isKindOf(cell, rt::getClass("TMBannerCell")))
        cell = cell->superview();
    return cell;
}

}

int bannerCommand(const std::vector<std::string>& arguments, long interfaceStyle)
{
    std::vector<std::string> rest;
    std::string out;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--out" && i + 1 < arguments.size())
            out = arguments[++i];
        else
            rest.push_back(arguments[i]);
    }
    char* end = nullptr;
    double seconds = rest.size() == 1 ? std::strtod(rest[0].c_str(), &end) : -1;
    if (out.empty() || rest.size() != 1 || !end || *end || !(seconds > 0 && seconds <= kMaxSeconds))
        return fail("banner needs --out DIR and a number of SECONDS above 0 and at most " + decimal(kMaxSeconds));
    Navigator navigator;
    navigator.launch(interfaceStyle, kSettleSeconds);
    rt::AutoreleasePool pool;
    rt::Object* view = findBannerView(navigator.topPage());
    if (!view)
        return fail("the root list shows no banner (is isBannerEnabled on?)");
    UIView* cell = bannerCellOf(view);
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec)
        return fail("cannot make " + out + ": " + ec.message());
    std::vector<Shown> frames;
    std::string error;
    unsigned long refreshesBefore = refreshesOf(view);
    if (!cell || !record(view, cell, seconds, out, frames, error))
        return fail(error.empty() ? "the banner is not in its cell" : error);

    json list = json::array();
    std::vector<GifWriterFrame> gifFrames;
    for (size_t i = 0; i < frames.size(); ++i) {
        double until = i + 1 < frames.size() ? frames[i + 1].start : seconds;
        double duration = until - frames[i].start;
        gifFrames.push_back({ frames[i].picture, duration });
        list.push_back({ { "file", frameName(i) }, { "start", frames[i].start }, { "duration", duration },
            { "frameIndex", frames[i].frameIndex } });
    }
    fs::path gif = fs::path(out) / "banner.gif";
    if (!writeAnimatedGif(gif.string(), gifFrames, error))
        return fail(error);
    json summary { { "seconds", seconds }, { "banner", dumpBanner(navigator.topPage()) }, { "frames", list },
        { "refreshes", refreshesOf(view) - refreshesBefore }, { "gif", gif.string() } };
    std::cout << summary.dump(1) << "\n";
    return 0;
}
