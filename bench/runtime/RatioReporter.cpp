#include "bench/runtime/RatioReporter.h"

#include <algorithm>

namespace bench {

namespace {

double toNanoseconds(const benchmark::BenchmarkReporter::Run& run)
{
    return run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

std::string formatNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string formatNanoseconds(std::optional<double> ns)
{
    return ns ? formatNumber(*ns) : "-";
}

}

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (auto& run : runs) {
        if (run.error_occurred)
            continue;
        auto& samples = m_samples[run.run_name.function_name];
        if (run.run_type == Run::RT_Iteration)
            samples.iterations.push_back(toNanoseconds(run));
        else if (run.aggregate_name == "min")
            samples.minimum = toNanoseconds(run);
    }
}

std::optional<double> RatioReporter::nanoseconds(const std::string& name) const
{
    auto it = m_samples.find(name);
    if (it == m_samples.end())
        return std::nullopt;
    if (it->second.minimum)
        return it->second.minimum;
    auto& runs = it->second.iterations;
    if (runs.empty())
        return std::nullopt;
    return *std::min_element(runs.begin(), runs.end());
}

int RatioReporter::printRatios(
    const std::vector<Ratio>& ratios, const std::string& floor, std::FILE* out, Verdicts& verdicts) const
{
    int missed = 0;
    std::fprintf(out, "\n%-38s %8s %8s %7s %8s  %s\n", "ratio", "num ns", "den ns", "ratio", "target", "verdict");
    for (auto& r : ratios) {
        auto num = nanoseconds(r.numerator);
        auto den = r.denominator.empty() ? std::nullopt : nanoseconds(r.denominator);
        std::optional<double> value;
        if (num && den && *den > 0)
            value = *num / *den;
        std::string ratio = value ? formatNumber(*value) : "-", target = "-", verdict = r.note;
        if (value && r.target) {
            target = "<= " + formatNumber(*r.target);
            bool met = *value <= *r.target;
            missed += !met;
            verdict = met ? "met" : "MISSED";
        } else if (!value && verdict.empty()) {
            verdict = "not measured in this run";
        }
        if (r.target)
            verdicts.atMost(r.label, value, *r.target, kRatio);
        std::fprintf(out, "%-38s %8s %8s %7s %8s  %s\n", r.label.c_str(), formatNanoseconds(num).c_str(),
            formatNanoseconds(den).c_str(), ratio.c_str(), target.c_str(), verdict.c_str());
    }
    if (auto base = nanoseconds(floor))
        std::fprintf(
            out, "every figure includes the harness's own cost per iteration, %s: %.2f ns\n", floor.c_str(), *base);
    return missed;
}

}
