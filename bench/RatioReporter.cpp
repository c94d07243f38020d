#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>

namespace orvane::bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    // With repetitions, the fastest one: on a shared machine the slower ones measure the
    // neighbours, not our code, and a ratio of two noisy means swings past its target.
    auto keepLeast = [this](const std::string& name, double value) {
        const auto [it, fresh] = values_.try_emplace(name, value);
        if (!fresh) it->second = std::min(it->second, value);
    };
    for (const Run& run : runs) {
        if (run.iterations <= 0 || run.run_type != Run::RT_Iteration) continue;
        keepLeast(run.benchmark_name(),
                  1000.0 * run.real_accumulated_time / double(run.iterations));
        for (const auto& [counter, value] : run.counters)
            keepLeast(run.run_name.function_name + "/" + counter, value.value);
    }
    ConsoleReporter::ReportRuns(runs);
}

bool RatioReporter::PrintRatios(const std::vector<Target>& targets) const {
    bool ok = true;
    for (const Target& t : targets) {
        const auto m = values_.find(t.measured);
        const auto b = t.baseline.empty() ? values_.end() : values_.find(t.baseline);
        if (m == values_.end() || (!t.baseline.empty() && b == values_.end())) {
            std::printf("ratio %s = missing (target <= %g)\n", t.name.c_str(), t.limit);
            ok = false;
            continue;
        }
        const double value = t.baseline.empty() ? m->second : m->second / b->second;
        std::printf("ratio %s = %.3f (target <= %g)\n", t.name.c_str(), value, t.limit);
        ok = ok && value <= t.limit;
    }
    return ok;
}

} // namespace orvane::bench
