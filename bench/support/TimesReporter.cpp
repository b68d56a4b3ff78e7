#include "TimesReporter.h"

namespace bench {

void TimesReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        double time = m_clock == Clock::Real ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
        double seconds = time / benchmark::GetTimeUnitMultiplier(run.time_unit);
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty())
            name += "/" + run.run_name.args;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            m_medians[name] = seconds;
        else if (run.run_type == Run::RT_Iteration && (!m_fastest.count(name) || seconds < m_fastest[name]))
            m_fastest[name] = seconds;
    }
}

std::optional<double> TimesReporter::seconds(const std::string& name) const
{
    if (auto it = m_medians.find(name); it != m_medians.end())
        return it->second;
    if (auto it = m_fastest.find(name); it != m_fastest.end())
        return it->second;
    return std::nullopt;
}

std::optional<double> ratio(std::optional<double> numerator, std::optional<double> denominator)
{
    if (!numerator || !denominator || *denominator <= 0)
        return std::nullopt;
    return *numerator / *denominator;
}

std::optional<double> scaled(std::optional<double> value, double factor)
{
    if (!value)
        return std::nullopt;
    return *value * factor;
}

}
