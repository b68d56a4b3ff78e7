#include "Verdicts.h"

#include <cstdlib>

namespace bench {

namespace {

// The table's columns are separated by tabs and its rows by newlines, so neither may appear in
// a field.
std::string field(std::string text)
{
    for (char& c : text)
        if (c == '\t' || c == '\n')
            c = ' ';
    return text;
}

void appendLine(const std::string& line)
{
    const char* path = std::getenv("TAM_BENCH_VERDICTS");
    if (!path || !*path)
        return;
    std::FILE* file = std::fopen(path, "a");
    if (!file) {
        std::fprintf(stderr, "cannot append to the verdict file %s\n", path);
        return;
    }
    std::fputs(line.c_str(), file);
    std::fclose(file);
}

// A limit as a person writes it: "1.5×", "100 ms", without the figure's trailing zeros.
std::string formatLimit(double limit, Unit unit)
{
    std::string text = formatFigure(limit, { unit.decimals, "" });
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text + unit.suffix;
}

}

std::string formatFigure(double value, Unit unit)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f%s", unit.decimals, value, unit.suffix);
    return text;
}

Verdicts::Verdicts(std::string program, Echo echo)
    : m_program(std::move(program))
    , m_echo(echo)
{
}

void Verdicts::atMost(const std::string& what, std::optional<double> value, double limit, Unit unit)
{
    record(what, value, unit, "≤ " + formatLimit(limit, unit), !value || *value <= limit, limit);
}

void Verdicts::below(const std::string& what, std::optional<double> value, double limit, Unit unit)
{
    record(what, value, unit, "< " + formatLimit(limit, unit), !value || *value < limit, limit);
}

void Verdicts::within(
    const std::string& what, std::optional<double> value, double low, double high, const std::string& target, Unit unit)
{
    record(what, value, unit, target, !value || (*value >= low && *value <= high));
}

void Verdicts::watch(const std::string& what, std::optional<double> value, Unit unit)
{
    record(what, value, unit, {}, true);
}

void Verdicts::record(const std::string& what, std::optional<double> value, Unit unit, const std::string& target,
    bool met, std::optional<double> limit)
{
    // A figure that rounds to its limit is written with more digits, so that "0.50×" never
    // stands beside "≤ 0.5×" as a miss.
    while (value && limit && *value != *limit && unit.decimals < 4
        && formatFigure(*value, unit) == formatFigure(*limit, unit))
        ++unit.decimals;
    std::string measured = value ? formatFigure(*value, unit) : "—";
    std::string verdict = !value ? "not measured" : target.empty() ? "—" : met ? "met" : "MISSED";
    m_missed += value && !met;
    if (m_echo == Echo::Printed && target.empty())
        std::printf("%s: %s (a figure to watch, no target)\n", what.c_str(), measured.c_str());
    else if (m_echo == Echo::Printed)
        std::printf("%s: %s (target %s): %s\n", what.c_str(), measured.c_str(), target.c_str(), verdict.c_str());
    std::fflush(stdout);
    appendLine(field(m_program) + "\t" + field(what) + "\t" + field(measured) + "\t"
        + field(target.empty() ? "—" : target) + "\t" + field(verdict) + "\n");
}

}
