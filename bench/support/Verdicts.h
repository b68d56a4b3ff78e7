#pragma once

#include <cstdio>
#include <optional>
#include <string>

// The targets of one benchmark program and whether this run met them. Each figure is printed
// here as it is recorded and, when the environment names a file in TAM_BENCH_VERDICTS (./run
// bench does), appended to it as one tab-separated line: program, what, measured, target,
// verdict. ./run bench prints those lines as one table once every program has run, so a figure
// reaches the table even when a later part of the same program fails.
//
// A figure without a value was not measured in this run (its benchmarks were filtered out or
// failed); it is still recorded, so the table shows every target whatever was asked for.

namespace bench {

// How a figure is written: the digits after the point and what follows the number ("×", " ms").
struct Unit {
    int decimals;
    const char* suffix;
};

inline constexpr Unit kRatio { 2, "×" };
inline constexpr Unit kMilliseconds { 2, " ms" };
inline constexpr Unit kMicroseconds { 1, " µs" };

enum class Echo { Printed, Silent };

class Verdicts {
public:
    // `echo` is Silent for a program that already prints each verdict in a table of its own.
    explicit Verdicts(std::string program, Echo echo = Echo::Printed);

    // Met when the value is at most `limit`.
    void atMost(const std::string& what, std::optional<double> value, double limit, Unit);
    // Met when the value is below `limit`.
    void below(const std::string& what, std::optional<double> value, double limit, Unit);
    // Met when the value lies between `low` and `high`, both included; `target` says it in words.
    void within(
        const std::string& what, std::optional<double> value, double low, double high, const std::string& target, Unit);
    // A figure to watch, with no target: it is never missed.
    void watch(const std::string& what, std::optional<double> value, Unit);

    int missed() const { return m_missed; }

private:
    // `limit`, when given, is the bound the value is set against.
    void record(const std::string& what, std::optional<double> value, Unit, const std::string& target, bool met,
        std::optional<double> limit = std::nullopt);

    std::string m_program;
    Echo m_echo;
    int m_missed { 0 };
};

std::string formatFigure(double value, Unit);

}
