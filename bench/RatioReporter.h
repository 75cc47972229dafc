#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zq6::bench
{
// Prints the usual console table, then a summary: each run's best CPU time over its repetitions and
// its ratio to a reference run from the same process, sorted by name, so ratios are read off one run on a busy machine.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // Names the reference for a run's function name and arguments, or returns "" for no ratio.
    using ReferenceOf = std::function<std::string(const std::string& function, const std::string& args)>;

    explicit RatioReporter(ReferenceOf referenceOf);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    ReferenceOf referenceOf;
    std::map<std::string, double> bestMsPerSecond;
    std::map<std::string, std::string> referenceName;
    std::map<std::string, std::string> skipped;
};
} // namespace zq6::bench
