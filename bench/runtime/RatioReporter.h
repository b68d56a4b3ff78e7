#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Verdicts.h"

// Prints every run as the console reporter does and keeps each benchmark's CPU time per
// iteration, so the program can set the shapes against one another once all have run.

namespace bench {

// One line of the ratio table: numerator ÷ denominator, expected to stay at or under `target`
// when a target is given. An empty denominator name marks a shape with no counterpart; `note`
// then says why.
struct Ratio {
    std::string label;
    std::string numerator;
    std::string denominator;
    std::optional<double> target;
    std::string note;
};

class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // Nanoseconds per iteration: the "min" statistic over repetitions when the benchmark
    // computes one, else the fastest run seen.
    std::optional<double> nanoseconds(const std::string& name) const;

    // Prints each ratio beside its target, then the floor: what the harness alone costs each
    // iteration, which every figure includes. Each ratio that has a target is also recorded in
    // `verdicts`. Returns the number of ratios that missed.
    int printRatios(const std::vector<Ratio>&, const std::string& floor, std::FILE*, Verdicts&) const;

private:
    struct Samples {
        std::vector<double> iterations;
        std::optional<double> minimum;
    };
    std::map<std::string, Samples> m_samples;
};

}
