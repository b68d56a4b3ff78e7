#include "Script.h"

#include <sstream>

#include "AlertStep.h"
#include "ControlSteps.h"
#include "Navigator.h"
#include "PageDump.h"
#include "Rendering.h"
#include "ScriptStep.h"
#include "TextInput.h"
#include "host/foundation/NotificationCenter.h"
#include "host/foundation/RunLoop.h"
#include "host/preferences/SettingsApp.h"

namespace {

// What a script run remembers between steps.
struct ScriptState {
    bool inBackground { false };
};

// Runs a step that reading accepted, so its verb is known and its arguments are there.
bool runStep(Navigator& navigator, ScriptState& state, const ScriptStep& step, std::ostream& out, std::string& error)
{
    const std::string& verb = step.verb;
    const std::string& argument = step.argument;
    if (verb == "open")
        return navigator.open(argument, error);
    if (verb == "tap")
        return navigator.tap(argument, error);
    if (verb == "alert")
        return pressAlertButton(argument, error);
    if (verb == "double-tap")
        return navigator.doubleTap(argument, error);
    if (verb == "type")
        return typeIntoFocusedField(argument, error);
    if (verb == "clear")
        return clearFocusedField(error);
    if (verb == "toolbar")
        return pressToolbarButton(argument, error);
    if (verb == "button")
        return tapRootButton(argument, error);
    if (verb == "menu")
        return chooseMenuEntry(argument, error);
    if (verb == "keyboard")
        return moveKeyboard(argument, error);
    if (verb == "back") {
        navigator.back();
        return true;
    }
    if (verb == "advance") {
        RunLoop::main().advance(step.amount);
        return true;
    }
    if (verb == "memory-warning") {
        NotificationCenter::defaultCenter().post(UIApplicationDidReceiveMemoryWarningNotification);
        RunLoop::main().runUntilIdle();
        return true;
    }
    // Settings leaving the screen for the home screen, and coming back.
    if (verb == "background" || verb == "foreground") {
        state.inBackground = verb == "background";
        NotificationCenter::defaultCenter().post(verb == "background" ? UIApplicationDidEnterBackgroundNotification
                                                                      : UIApplicationWillEnterForegroundNotification);
        RunLoop::main().runUntilIdle();
        return true;
    }
    if (verb == "style") {
        rt::send(settings::window(), SELECTOR("setOverrideUserInterfaceStyle:"), argument == "dark" ? 2L : 1L);
        RunLoop::main().runUntilIdle();
        return true;
    }
    if (verb == "scroll")
        return navigator.scroll(step.amount, error);
    if (verb == "push-root") {
        navigator.pushRootPage();
        return true;
    }
    if (verb == "dump") {
        out << jsonText(
            dumpPage(navigator.topPage(), navigator.pageName(), state.inBackground ? CellScan::Skip : CellScan::Scroll))
            << "\n";
        return true;
    }
    if (verb == "render")
        return renderTopPage(argument, error);
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
        std::string stepError;
        auto step = readScriptStep(line, stepError);
        if (!step && stepError.empty())
            continue;
        if (!step || !runStep(navigator, state, *step, out, stepError)) {
            error = "line " + std::to_string(number) + ": " + stepError;
            return false;
        }
    }
    return true;
}
