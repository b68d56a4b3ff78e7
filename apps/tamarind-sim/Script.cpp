#include "Script.h"

#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

#include "AlertStep.h"
#include "ControlSteps.h"
#include "Navigator.h"
#include "PageDump.h"
#include "Rendering.h"
#include "TextInput.h"
#include "host/foundation/NotificationCenter.h"
#include "host/foundation/RunLoop.h"
#include "host/preferences/SettingsApp.h"

namespace {

constexpr std::string_view kSpace = " \t\r";

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string w; in >> w;)
        result.push_back(w);
    return result;
}

// A step that names a row or a button takes the rest of its line as one argument, since
// identifiers and titles may hold spaces ("tap Theos Example 1", "alert Go Back"); space around
// it is not part of it.
bool takesRestOfLine(const std::string& verb)
{
    return verb == "tap" || verb == "alert" || verb == "double-tap" || verb == "type" || verb == "toolbar"
        || verb == "menu";
}

std::vector<std::string> stepOf(const std::string& line)
{
    auto step = words(line);
    if (step.size() <= 2 || !takesRestOfLine(step[0]))
        return step;
    size_t start = line.find_first_not_of(kSpace, line.find(step[0]) + step[0].size());
    size_t end = line.find_last_not_of(kSpace);
    return { step[0], line.substr(start, end + 1 - start) };
}

// What a script run remembers between steps.
struct ScriptState {
    bool inBackground { false };
};

bool runStep(Navigator& navigator, ScriptState& state, const std::vector<std::string>& step, std::ostream& out,
    std::string& error)
{
    const std::string& verb = step[0];
    auto needs = [&](size_t n) {
        if (step.size() == n + 1)
            return true;
        error = verb + " takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s");
        return false;
    };
    if (verb == "open")
        return needs(1) && navigator.open(step[1], error);
    if (verb == "tap")
        return needs(1) && navigator.tap(step[1], error);
    if (verb == "alert")
        return needs(1) && pressAlertButton(step[1], error);
    if (verb == "double-tap")
        return needs(1) && navigator.doubleTap(step[1], error);
    if (verb == "type")
        return needs(1) && typeIntoFocusedField(step[1], error);
    if (verb == "clear")
        return needs(0) && clearFocusedField(error);
    if (verb == "toolbar")
        return needs(1) && pressToolbarButton(step[1], error);
    if (verb == "button")
        return needs(1) && tapRootButton(step[1], error);
    if (verb == "menu")
        return needs(1) && chooseMenuEntry(step[1], error);
    if (verb == "keyboard")
        return needs(1) && moveKeyboard(step[1], error);
    if (verb == "back") {
        navigator.back();
        return needs(0);
    }
    if (verb == "advance") {
        if (!needs(1))
            return false;
        std::string amount = step[1];
        if (amount.ends_with("s"))
            amount.pop_back();
        char* end = nullptr;
        double seconds = std::strtod(amount.c_str(), &end);
        if (amount.empty() || *end || seconds < 0 || seconds > 86400) {
            error = "advance expects a number of seconds between 0 and 86400";
            return false;
        }
        RunLoop::main().advance(seconds);
        return true;
    }
    if (verb == "memory-warning") {
        NotificationCenter::defaultCenter().post(UIApplicationDidReceiveMemoryWarningNotification);
        RunLoop::main().runUntilIdle();
        return needs(0);
    }
    // Settings leaving the screen for the home screen, and coming back.
    if (verb == "background" || verb == "foreground") {
        state.inBackground = verb == "background";
        NotificationCenter::defaultCenter().post(verb == "background" ? UIApplicationDidEnterBackgroundNotification
                                                                      : UIApplicationWillEnterForegroundNotification);
        RunLoop::main().runUntilIdle();
        return needs(0);
    }
    if (verb == "style") {
        if (!needs(1) || (step[1] != "light" && step[1] != "dark")) {
            error = "style expects light or dark";
            return false;
        }
        rt::send(settings::window(), SELECTOR("setOverrideUserInterfaceStyle:"), step[1] == "dark" ? 2L : 1L);
        RunLoop::main().runUntilIdle();
        return true;
    }
    if (verb == "scroll") {
        if (!needs(1))
            return false;
        char* end = nullptr;
        double dy = std::strtod(step[1].c_str(), &end);
        if (step[1].empty() || *end || !(dy >= -10000 && dy <= 10000)) {
            error = "scroll expects a number of points between -10000 and 10000";
            return false;
        }
        return navigator.scroll(dy, error);
    }
    if (verb == "push-root") {
        navigator.pushRootPage();
        return needs(0);
    }
    if (verb == "dump") {
        if (!needs(0))
            return false;
        out << jsonText(
            dumpPage(navigator.topPage(), navigator.pageName(), state.inBackground ? CellScan::Skip : CellScan::Scroll))
            << "\n";
        return true;
    }
    if (verb == "render")
        return needs(1) && renderTopPage(step[1], error);
    error = "unknown step \"" + verb + "\"";
    return false;
}

}

bool runScript(const std::string& text, long interfaceStyle, std::ostream& out, std::string& error)
{
    Navigator navigator;
    ScriptState state;
    navigator.launch(interfaceStyle, 0);
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        auto step = stepOf(line);
        if (step.empty() || step[0].starts_with("#"))
            continue;
        std::string stepError;
        if (!runStep(navigator, state, step, out, stepError)) {
            error = "line " + std::to_string(number) + ": " + stepError;
            return false;
        }
    }
    return true;
}
