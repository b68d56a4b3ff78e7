#include "ScriptStep.h"

#include <algorithm>
#include <sstream>
#include <string_view>
#include <vector>

#include "SimSupport.h"

namespace {

constexpr std::string_view kSpace = " \t\r";

// How a step's argument is written: none, one word, or the rest of the line. A step that names
// a row or a button takes the rest of its line as one argument, since identifiers and titles may
// hold spaces ("tap Theos Example 1", "alert Go Back"); space around it is not part of it.
enum class Argument { None, Word, RestOfLine };

// What the argument may be beyond being there: anything, a number within the step's range, or
// one of the step's choices.
enum class Check { None, Number, Choice };

// Where the usage's list of steps breaks its line.
enum class UsageLine { Goes, Ends };

struct Verb {
    std::string_view name;
    StepAction action;
    Argument argument;
    // The argument as the usage names it: a placeholder ("PAGE"), or the choices ("light|dark").
    std::string_view placeholder {};
    Check check { Check::None };
    // For a number: its range, what it counts, and a unit it may end with ("2s").
    double low { 0 }, high { 0 };
    std::string_view counts {};
    std::string_view suffix {};
    // A miscounted argument is told the choices rather than the count.
    bool miscountNamesChoices { false };
    // What the step does, in brackets after it in the usage; empty for none.
    std::string_view note {};
    UsageLine usageLine { UsageLine::Goes };
};

// The steps in the order the usage lists them.
constexpr Verb kVerbs[] = {
    { .name = "open", .action = StepAction::Open, .argument = Argument::Word, .placeholder = "PAGE" },
    { .name = "tap", .action = StepAction::Tap, .argument = Argument::RestOfLine, .placeholder = "ROW-ID" },
    { .name = "back", .action = StepAction::Back, .argument = Argument::None },
    { .name = "advance", .action = StepAction::Advance, .argument = Argument::Word, .placeholder = "SECONDS",
        .check = Check::Number, .low = 0, .high = 86400, .counts = "seconds", .suffix = "s",
        .usageLine = UsageLine::Ends },
    { .name = "style", .action = StepAction::Style, .argument = Argument::Word, .placeholder = "light|dark",
        .check = Check::Choice, .miscountNamesChoices = true },
    { .name = "memory-warning", .action = StepAction::MemoryWarning, .argument = Argument::None },
    { .name = "background", .action = StepAction::Background, .argument = Argument::None },
    { .name = "foreground", .action = StepAction::Foreground, .argument = Argument::None,
        .usageLine = UsageLine::Ends },
    { .name = "dump", .action = StepAction::Dump, .argument = Argument::None },
    { .name = "render", .action = StepAction::Render, .argument = Argument::Word, .placeholder = "FILE.png",
        .usageLine = UsageLine::Ends },
    { .name = "scroll", .action = StepAction::Scroll, .argument = Argument::Word, .placeholder = "DY",
        .check = Check::Number, .low = -10000, .high = 10000, .counts = "points",
        .note = "points; negative pulls down past the top" },
    { .name = "push-root", .action = StepAction::PushRoot, .argument = Argument::None, .usageLine = UsageLine::Ends },
    { .name = "alert", .action = StepAction::Alert, .argument = Argument::RestOfLine, .placeholder = "TITLE",
        .note = "presses that button on the alert shown topmost", .usageLine = UsageLine::Ends },
    { .name = "double-tap", .action = StepAction::DoubleTap, .argument = Argument::RestOfLine, .placeholder = "ROW-ID" },
    { .name = "type", .action = StepAction::Type, .argument = Argument::RestOfLine, .placeholder = "TEXT",
        .note = "keys into the focused text field", .usageLine = UsageLine::Ends },
    { .name = "clear", .action = StepAction::Clear, .argument = Argument::None, .note = "empties the focused field" },
    { .name = "toolbar", .action = StepAction::Toolbar, .argument = Argument::RestOfLine, .placeholder = "TITLE",
        .note = "presses that button\nof the focused field's accessory bar, such as +/-", .usageLine = UsageLine::Ends },
    { .name = "button", .action = StepAction::Button, .argument = Argument::Word, .placeholder = "account|search|menu",
        .check = Check::Choice, .note = "taps a button of the root page", .usageLine = UsageLine::Ends },
    { .name = "menu", .action = StepAction::Menu, .argument = Argument::RestOfLine, .placeholder = "TITLE",
        .note = "chooses an entry of the menu a tap opened", .usageLine = UsageLine::Ends },
    { .name = "keyboard", .action = StepAction::Keyboard, .argument = Argument::Word, .placeholder = "show|hide",
        .check = Check::Choice },
};

const Verb* findVerb(const std::string& name)
{
    for (auto& verb : kVerbs)
        if (verb.name == name)
            return &verb;
    return nullptr;
}

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string w; in >> w;)
        result.push_back(w);
    return result;
}

std::vector<std::string> wordsOfStep(const std::string& line, const Verb& verb)
{
    auto step = words(line);
    if (step.size() <= 2 || verb.argument != Argument::RestOfLine)
        return step;
    size_t start = line.find_first_not_of(kSpace, line.find(step[0]) + step[0].size());
    size_t end = line.find_last_not_of(kSpace);
    return { step[0], line.substr(start, end + 1 - start) };
}

std::vector<std::string_view> choicesOf(const Verb& verb)
{
    std::vector<std::string_view> choices;
    for (std::string_view rest = verb.placeholder;;) {
        size_t bar = rest.find('|');
        choices.push_back(rest.substr(0, bar));
        if (bar == std::string_view::npos)
            return choices;
        rest.remove_prefix(bar + 1);
    }
}

// "style expects light or dark", "button expects account, search or menu".
std::string choicesMessage(const Verb& verb)
{
    auto choices = choicesOf(verb);
    std::string message = std::string(verb.name) + " expects ";
    for (size_t i = 0; i < choices.size(); ++i)
        message += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + std::string(choices[i]);
    return message;
}

bool checkArgument(const Verb& verb, ScriptStep& step, std::string& error)
{
    switch (verb.check) {
    case Check::Number: {
        std::string text = step.argument;
        if (!verb.suffix.empty() && text.ends_with(verb.suffix))
            text.resize(text.size() - verb.suffix.size());
        auto amount = numberBetween(text, verb.low, verb.high);
        if (!amount) {
            error = std::string(verb.name) + " expects a number of " + std::string(verb.counts) + " between "
                + decimal(verb.low) + " and " + decimal(verb.high);
            return false;
        }
        step.amount = *amount;
        return true;
    }
    case Check::Choice:
        for (auto choice : choicesOf(verb))
            if (step.argument == choice)
                return true;
        error = choicesMessage(verb);
        return false;
    case Check::None:
        return true;
    }
    return true;
}

}

std::optional<ScriptStep> readScriptStep(const std::string& line, std::string& error)
{
    error.clear();
    auto first = words(line);
    if (first.empty() || first[0].starts_with("#"))
        return std::nullopt;
    const Verb* verb = findVerb(first[0]);
    if (!verb) {
        error = "unknown step \"" + first[0] + "\"";
        return std::nullopt;
    }
    auto parts = wordsOfStep(line, *verb);
    size_t arguments = verb->argument == Argument::None ? 0 : 1;
    if (parts.size() != arguments + 1) {
        error = verb->miscountNamesChoices
            ? choicesMessage(*verb)
            : parts[0] + " takes " + std::to_string(arguments) + " argument" + (arguments == 1 ? "" : "s");
        return std::nullopt;
    }
    ScriptStep step { parts[0], verb->action, arguments ? parts[1] : std::string(), 0 };
    if (!checkArgument(*verb, step, error))
        return std::nullopt;
    return step;
}

std::string scriptStepsUsage()
{
    std::string text;
    std::vector<std::string_view> restOfLine;
    for (auto& verb : kVerbs) {
        text += verb.name;
        if (!verb.placeholder.empty())
            text += " " + std::string(verb.placeholder);
        if (!verb.note.empty())
            text += " (" + std::string(verb.note) + ")";
        bool last = &verb == std::end(kVerbs) - 1;
        text += last ? "\n" : verb.usageLine == UsageLine::Ends ? " |\n" : " | ";
        if (verb.argument == Argument::RestOfLine
            && std::find(restOfLine.begin(), restOfLine.end(), verb.placeholder) == restOfLine.end())
            restOfLine.push_back(verb.placeholder);
    }
    text += "(";
    for (size_t i = 0; i < restOfLine.size(); ++i)
        text += (i == 0 ? "" : i + 1 == restOfLine.size() ? " and " : ", ") + std::string(restOfLine[i]);
    return text + " are the rest of the line and may hold spaces)";
}
