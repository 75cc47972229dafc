#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace zq6::bench
{
RatioReporter::RatioReporter(ReferenceOf referenceOfRun) : referenceOf(std::move(referenceOfRun)) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs)
    {
        if (run.run_type != Run::RT_Iteration)
            continue;
        const auto name = run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
        const auto reference = referenceOf(run.run_name.function_name, run.run_name.args);
        if (reference.empty())
            continue;
        referenceName[name] = reference;
        if (run.error_occurred)
        {
            skipped[name] = run.error_message;
            continue;
        }
        // One iteration is one second of audio.
        const auto seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
        const auto ms = seconds * 1000.0;
        const auto found = bestMsPerSecond.find(name);
        bestMsPerSecond[name] = found == bestMsPerSecond.end() ? ms : std::min(found->second, ms);
    }
}

void RatioReporter::Finalize()
{
    benchmark::ConsoleReporter::Finalize();
    if (referenceName.empty())
        return;
    auto& out = GetOutputStream();
    out << "\nCPU ms per second of audio, best of the repetitions, and the ratio to the reference:\n";
    char line[256];
    for (const auto& [name, reference] : referenceName)
    {
        const auto own = bestMsPerSecond.find(name);
        const auto ref = bestMsPerSecond.find(reference);
        if (own == bestMsPerSecond.end())
            std::snprintf(line, sizeof line, "%-40s skipped: %s\n", name.c_str(), skipped.at(name).c_str());
        else if (ref == bestMsPerSecond.end())
            std::snprintf(line, sizeof line, "%-40s %8.2f  (no %s)\n", name.c_str(), own->second, reference.c_str());
        else
            std::snprintf(line, sizeof line, "%-40s %8.2f  %5.2fx %s\n", name.c_str(), own->second,
                          own->second / ref->second, reference.c_str());
        out << line;
    }
}
} // namespace zq6::bench
