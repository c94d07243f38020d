#pragma once
// Collects the benchmarks' times and prints one line per speed target:
//   ratio NAME = VALUE (target <= T)

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace orvane::bench {

struct Target {
    std::string name;
    std::string measured; // benchmark name
    std::string baseline; // benchmark name, or empty: `measured` in milliseconds is the value
    double limit;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints the ratio lines; false when a target is missed.
    bool PrintRatios(const std::vector<Target>& targets) const;

private:
    std::map<std::string, double> seconds_; // per iteration
};

} // namespace orvane::bench
