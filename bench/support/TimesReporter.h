#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// Prints every run as the console reporter does and keeps each benchmark's time per iteration,
// so that the program can set its figures against their targets once all have run.

namespace bench {

enum class Clock { Real, Processor };

class TimesReporter final : public benchmark::ConsoleReporter {
public:
    explicit TimesReporter(Clock clock)
        : m_clock(clock)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override;

    // Seconds per iteration of the benchmark named `name` (with its arguments, "Fetch/1"): the
    // median when repetitions give one, else the fastest run. Nothing when it did not run, was
    // filtered out or failed.
    std::optional<double> seconds(const std::string& name) const;

private:
    Clock m_clock;
    std::map<std::string, double> m_medians;
    std::map<std::string, double> m_fastest;
};

// numerator ÷ denominator when both were measured.
std::optional<double> ratio(std::optional<double> numerator, std::optional<double> denominator);
// value × factor when it was measured: seconds(...) scaled by 1e3 reads in milliseconds.
std::optional<double> scaled(std::optional<double> value, double factor);

}
