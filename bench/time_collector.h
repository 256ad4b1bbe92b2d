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
            cpuTimes_[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Run names carry their options ("name/min_time:2.000"): match the start.
    double Time(const std::string& name) const { return Find(times_, name); }
    // Processor time: steadier than wall time on a machine shared with
    // other work, for code that never waits.
    double CpuTime(const std::string& name) const { return Find(cpuTimes_, name); }

private:
    static double Find(const std::map<std::string, double>& times, const std::string& name) {
        for (const auto& [runName, time] : times)
            if (runName.compare(0, name.size(), name) == 0) return time;
        return 0.0;
    }

    std::map<std::string, double> times_;
    std::map<std::string, double> cpuTimes_;
};

#endif
