#include "ScriptStep.h"

#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kSpace = " \t\r";

enum class Argument { None, Word, RestOfLine, Seconds, Points, Style };

struct Verb {
    std::string_view name;
    Argument argument;
};

// A step that names a row or a button takes the rest of its line as one argument, since
// identifiers and titles may hold spaces ("tap Theos Example 1", "alert Go Back"); space around
// it is not part of it.
constexpr Verb kVerbs[] = {
    { "open", Argument::Word },
    { "tap", Argument::RestOfLine },
    { "alert", Argument::RestOfLine },
    { "double-tap", Argument::RestOfLine },
    { "type", Argument::RestOfLine },
    { "clear", Argument::None },
    { "toolbar", Argument::RestOfLine },
    { "button", Argument::Word },
    { "menu", Argument::RestOfLine },
    { "keyboard", Argument::Word },
    { "back", Argument::None },
    { "advance", Argument::Seconds },
    { "memory-warning", Argument::None },
    { "background", Argument::None },
    { "foreground", Argument::None },
    { "style", Argument::Style },
    { "scroll", Argument::Points },
    { "push-root", Argument::None },
    { "dump", Argument::None },
    { "render", Argument::Word },
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

std::vector<std::string> wordsOfStep(const std::string& line, const Verb* verb)
{
    auto step = words(line);
    if (step.size() <= 2 || !verb || verb->argument != Argument::RestOfLine)
        return step;
    size_t start = line.find_first_not_of(kSpace, line.find(step[0]) + step[0].size());
    size_t end = line.find_last_not_of(kSpace);
    return { step[0], line.substr(start, end + 1 - start) };
}

// The whole text as a number from `low` to `high`; nothing for anything else.
std::optional<double> number(const std::string& text, double low, double high)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (*end || !(value >= low && value <= high))
        return std::nullopt;
    return value;
}

bool readArgument(ScriptStep& step, Argument kind, std::string& error)
{
    switch (kind) {
    case Argument::Seconds: {
        std::string amount = step.argument;
        if (amount.ends_with("s"))
            amount.pop_back();
        auto seconds = number(amount, 0, 86400);
        if (!seconds)
            error = "advance expects a number of seconds between 0 and 86400";
        step.amount = seconds.value_or(0);
        return seconds.has_value();
    }
    case Argument::Points: {
        auto points = number(step.argument, -10000, 10000);
        if (!points)
            error = "scroll expects a number of points between -10000 and 10000";
        step.amount = points.value_or(0);
        return points.has_value();
    }
    case Argument::Style:
        if (step.argument != "light" && step.argument != "dark")
            error = "style expects light or dark";
        return error.empty();
    default:
        return true;
    }
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
    auto parts = wordsOfStep(line, verb);
    size_t arguments = verb->argument == Argument::None ? 0 : 1;
    if (parts.size() != arguments + 1) {
        error = verb->argument == Argument::Style
            ? "style expects light or dark"
            : parts[0] + " takes " + std::to_string(arguments) + " argument" + (arguments == 1 ? "" : "s");
        return std::nullopt;
    }
    ScriptStep step { parts[0], arguments ? parts[1] : std::string(), 0 };
    if (!readArgument(step, verb->argument, error))
        return std::nullopt;
    return step;
}
