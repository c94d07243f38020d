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
    // A benchmark's name (its time per iteration in milliseconds) or "function/counter" (the
    // value of a counter of the benchmark function, whatever options its name carries).
    std::string measured;
    std::string baseline; // the same kinds, or empty: `measured` itself is the value
    double limit;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints the ratio lines; false when a target is missed.
    bool PrintRatios(const std::vector<Target>& targets) const;

private:
    std::map<std::string, double> values_; // the least seen of each
};

} // namespace orvane::bench
