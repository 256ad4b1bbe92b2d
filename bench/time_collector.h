// A console reporter that also keeps each benchmark's time (the median when
// repetitions are asked for), so a program can print ratios between them.
#ifndef VELTRANO_BENCH_TIME_COLLECTOR_H
#define VELTRANO_BENCH_TIME_COLLECTOR_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TimeCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            times_[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Run names carry their options ("name/min_time:2.000"): match the start.
    double Time(const std::string& name) const {
        for (const auto& [runName, time] : times_)
            if (runName.compare(0, name.size(), name) == 0) return time;
        return 0.0;
    }

private:
    std::map<std::string, double> times_;
};

#endif
