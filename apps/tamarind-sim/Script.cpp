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

// What a script run keeps between its steps.
struct ScriptRun {
    Navigator& navigator;
    std::ostream& out;
    bool inBackground { false };
};

void settleRunLoop()
{
    RunLoop::main().runUntilIdle();
}

// Settings leaving the screen for the home screen, and coming back.
void moveToBackground(ScriptRun& run, bool background)
{
    run.inBackground = background;
    NotificationCenter::defaultCenter().post(
        background ? UIApplicationDidEnterBackgroundNotification : UIApplicationWillEnterForegroundNotification);
    settleRunLoop();
}

void overrideStyle(const std::string& style)
{
    rt::send(settings::window(), SELECTOR("setOverrideUserInterfaceStyle:"), style == "dark" ? 2L : 1L);
    settleRunLoop();
}

void dumpTopPage(ScriptRun& run)
{
    Navigator& navigator = run.navigator;
    run.out << jsonText(
        dumpPage(navigator.topPage(), navigator.pageName(), run.inBackground ? CellScan::Skip : CellScan::Scroll))
            << "\n";
}

// Runs a step that reading accepted, so its arguments are there and in range.
bool runStep(ScriptRun& run, const ScriptStep& step, std::string& error)
{
    Navigator& navigator = run.navigator;
    const std::string& argument = step.argument;
    switch (step.action) {
    case StepAction::Open:
        return navigator.open(argument, error);
    case StepAction::Tap:
        return navigator.tap(argument, error);
    case StepAction::DoubleTap:
        return navigator.doubleTap(argument, error);
    case StepAction::Back:
        navigator.back();
        return true;
    case StepAction::Scroll:
        return navigator.scroll(step.amount, error);
    case StepAction::PushRoot:
        navigator.pushRootPage();
        return true;
    case StepAction::Advance:
        RunLoop::main().advance(step.amount);
        return true;
    case StepAction::Style:
        overrideStyle(argument);
        return true;
    case StepAction::MemoryWarning:
        NotificationCenter::defaultCenter().post(UIApplicationDidReceiveMemoryWarningNotification);
        settleRunLoop();
        return true;
    case StepAction::Background:
    case StepAction::Foreground:
        moveToBackground(run, step.action == StepAction::Background);
        return true;
    case StepAction::Dump:
        dumpTopPage(run);
        return true;
    case StepAction::Render:
        return renderTopPage(argument, error);
    case StepAction::Alert:
        return pressAlertButton(argument, error);
    case StepAction::Type:
        return typeIntoFocusedField(argument, error);
    case StepAction::Clear:
        return clearFocusedField(error);
    case StepAction::Toolbar:
        return pressToolbarButton(argument, error);
    case StepAction::Button:
        return tapRootButton(argument, error);
    case StepAction::Menu:
        return chooseMenuEntry(argument, error);
    case StepAction::Keyboard:
        return moveKeyboard(argument, error);
    }
    error = "unknown step \"" + step.verb + "\"";
    return false;
}

}

bool runScript(const std::string& text, long interfaceStyle, std::ostream& out, std::string& error)
{
    Navigator navigator;
    ScriptRun run { navigator, out };
    navigator.launch(interfaceStyle, 0);
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        std::string stepError;
        auto step = readScriptStep(line, stepError);
        if (!step && stepError.empty())
            continue;
        if (!step || !runStep(run, *step, stepError)) {
            error = "line " + std::to_string(number) + ": " + stepError;
            return false;
        }
    }
    return true;
}
