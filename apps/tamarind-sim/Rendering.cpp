#include "Rendering.h"

#include <iostream>

#include "host/foundation/RunLoop.h"
#include "host/preferences/SettingsApp.h"
#include "host/uikit/UIWindow.h"
#include "host/uikit/WindowRenderer.h"

namespace fs = std::filesystem;

namespace {

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

bool renderShots(Navigator& navigator, const fs::path& folder, std::string& error)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot make " + folder.string() + ": " + ec.message();
        return false;
    }
    long original = rt::send<long>(settings::window(), SELECTOR("overrideUserInterfaceStyle"));
    for (const char* const* page = Navigator::pageNames(); *page; ++page) {
        std::string unreachable;
        if (!navigator.open(*page, unreachable))
            continue;
        for (auto [style, name] : { std::pair { 1L, "light" }, std::pair { 2L, "dark" } }) {
            setStyle(style);
            fs::path file = folder / (std::string(*page) + "-" + name + ".png");
            if (!renderTopPage(file, error))
                return false;
            std::cout << file.string() << "\n";
        }
        setStyle(original);
    }
    return true;
}
