#include "RatioReporter.h"

#include <cstdio>

namespace orvane::bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs)
        if (run.iterations > 0 && run.run_type == Run::RT_Iteration)
            seconds_[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
    ConsoleReporter::ReportRuns(runs);
}

bool RatioReporter::PrintRatios(const std::vector<Target>& targets) const {
    bool ok = true;
    for (const Target& t : targets) {
        const auto m = seconds_.find(t.measured);
        const auto b = t.baseline.empty() ? seconds_.end() : seconds_.find(t.baseline);
        if (m == seconds_.end() || (!t.baseline.empty() && b == seconds_.end())) {
            std::printf("ratio %s = missing (target <= %g)\n", t.name.c_str(), t.limit);
            ok = false;
            continue;
        }
        const double value = t.baseline.empty() ? m->second * 1000.0 : m->second / b->second;
        std::printf("ratio %s = %.3f (target <= %g)\n", t.name.c_str(), value, t.limit);
        ok = ok && value <= t.limit;
    }
    return ok;
}

} // namespace orvane::bench
