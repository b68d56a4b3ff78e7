#pragma once

#include <optional>
#include <string>

// What a script step does; the script runs each with its own code.
enum class StepAction {
    Open,
    Tap,
    Back,
    Advance,
    Style,
    MemoryWarning,
    Background,
    Foreground,
    Dump,
    Render,
    Scroll,
    PushRoot,
    Alert,
    DoubleTap,
    Type,
    Clear,
    Toolbar,
    Button,
    Menu,
    Keyboard,
};

// One step of a script as its line reads, checked for everything that can be checked before
// Settings runs it: the verb is known, it has the arguments it takes, and numbers and choices are
// in range. What names a page, a row or a button is checked when the step runs.
struct ScriptStep {
    std::string verb;
    StepAction action;
    // The argument of a step that takes one, as written; empty otherwise.
    std::string argument;
    // The argument of `advance` (seconds) or `scroll` (points) as a number.
    double amount { 0 };
};

// The step of one line. Nothing for a blank or comment line (`error` left empty) and for a line
// that is no step (`error` says why).
std::optional<ScriptStep> readScriptStep(const std::string& line, std::string& error);

// The steps as the usage lists them, its lines without their indentation.
std::string scriptStepsUsage();
