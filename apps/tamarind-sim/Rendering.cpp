#include "Rendering.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "host/foundation/RunLoop.h"
#include "host/preferences/SettingsApp.h"
#include "host/uikit/UIWindow.h"
#include "host/uikit/WindowRenderer.h"

namespace fs = std::filesystem;

namespace {

// The tallest image the renderer can make, in pixels (cairo's limit on a side).
constexpr double kTallestImagePixels = 32767;

void layOut(rt::Object* window)
{
    rt::send(window, SELECTOR("layoutIfNeeded"));
    RunLoop::main().runUntilIdle();
}

void setStyle(long style)
{
    rt::send(settings::window(), SELECTOR("setOverrideUserInterfaceStyle:"), style);
    RunLoop::main().runUntilIdle();
}

}

bool renderTopPage(const fs::path& out, std::string& error)
{
    RunLoop::main().runUntilIdle();
    return renderWindowToPNG(static_cast<UIWindow*>(settings::window()), out, error);
}

bool renderTopPageFull(const fs::path& out, std::string& error)
{
    RunLoop::main().runUntilIdle();
    rt::Object* window = settings::window();
    rt::Object* table = rt::send<rt::Object*>(settings::topPage(), SELECTOR("table"));
    if (!window || !table)
        return renderTopPage(out, error);
    rt::Ref<rt::Object> keep(table);
    CGRect screen = rt::send<CGRect>(window, SELECTOR("frame"));
    CGPoint offset = rt::send<CGPoint>(table, SELECTOR("contentOffset"));
    // The window grows until the whole scrolled content fits below the bars. Growing it moves
    // nothing but the bottom edge, so two rounds settle; more cover a footer that appears once
    // the last section is on screen. An image holds at most kTallestImagePixels rows: a longer
    // page is drawn as far as they reach.
    rt::Object* mainScreen = rt::send<rt::Object*>(rt::getClass("UIScreen"), SELECTOR("mainScreen"));
    double tallest = std::floor(kTallestImagePixels / rt::send<double>(mainScreen, SELECTOR("scale")));
    double height = screen.size.height, needed = height;
    for (int round = 0;; ++round) {
        rt::send(
            window, SELECTOR("setFrame:"), CGRectMake(screen.origin.x, screen.origin.y, screen.size.width, height));
        layOut(window);
        UIEdgeInsets inset = rt::send<UIEdgeInsets>(table, SELECTOR("adjustedContentInset"));
        rt::send(table, SELECTOR("setContentOffset:"), CGPoint { offset.x, -inset.top });
        layOut(window);
        CGSize content = rt::send<CGSize>(table, SELECTOR("contentSize"));
        CGRect tableFrame = rt::send<CGRect>(table, SELECTOR("frame"));
        needed = height - tableFrame.size.height + inset.top + content.height + inset.bottom;
        double next = std::min(std::ceil(needed), tallest);
        if (next <= height + 0.5 || round == 3)
            break;
        height = next;
    }
    if (needed > height + 0.5)
        std::fprintf(stderr, "tamarind-sim: warning: the whole page is %.0f points tall; %s shows its first %.0f\n",
            needed, out.filename().c_str(), height);
    bool written = renderWindowToPNG(static_cast<UIWindow*>(window), out, error);
    rt::send(window, SELECTOR("setFrame:"), screen);
    rt::send(table, SELECTOR("setContentOffset:"), offset);
    layOut(window);
    return written;
}

bool renderShots(Navigator& navigator, const fs::path& folder, PageExtent extent, const ShotsProgress& progress,
    std::vector<std::string>& drawn, std::string& error)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot make " + folder.string() + ": " + ec.message();
        return false;
    }
    size_t total = 0;
    while (Navigator::pageNames()[total])
        ++total;
    // Pictures of an earlier run would pass for pages this run cannot reach; only files of the
    // names this command writes are removed.
    for (size_t index = 0; index < total; ++index)
        for (const char* name : { "light", "dark" })
            fs::remove(folder / (std::string(Navigator::pageNames()[index]) + "-" + name + ".png"), ec);
    long original = rt::send<long>(settings::window(), SELECTOR("overrideUserInterfaceStyle"));
    for (size_t index = 0; index < total; ++index) {
        const char* page = Navigator::pageNames()[index];
        if (progress.pageStarts)
            progress.pageStarts(index + 1, total, page);
        std::string unreachable;
        if (!navigator.open(page, unreachable))
            continue;
        for (auto [style, name] : { std::pair { 1L, "light" }, std::pair { 2L, "dark" } }) {
            setStyle(style);
            fs::path file = folder / (std::string(page) + "-" + name + ".png");
            bool written = extent == PageExtent::Whole ? renderTopPageFull(file, error) : renderTopPage(file, error);
            if (!written)
                return false;
            std::cout << file.string() << "\n";
        }
        setStyle(original);
        drawn.push_back(page);
    }
    return true;
}
