#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

// Every figure is measured beside its reference: each benchmark iteration
// times both, in alternating order, so that the load of a shared machine
// weighs on both alike. The iteration time is the figure's wall time; the
// counters give the medians of both sides and of the per-pair ratios, for
// wall time and for CPU time (this process and the children it waited for).
namespace paired {

struct Times {
    double wall = 0;
    double cpu = 0;
};

inline double cpuSeconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        for (const timeval& time : {usage.ru_utime, usage.ru_stime})
            total += double(time.tv_sec) + double(time.tv_usec) * 1e-6;
    }
    return total;
}

inline Times measure(const std::function<void()>& work)
{
    const double cpuStart = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return {wall.count(), cpuSeconds() - cpuStart};
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

class Series {
public:
    void add(const Times& figure, const Times& reference)
    {
        m_wall.add(figure.wall, reference.wall);
        m_cpu.add(figure.cpu, reference.cpu);
    }
    void report(benchmark::State& state) const
    {
        m_wall.report(state, "");
        m_cpu.report(state, "cpu_");
    }

private:
    struct Pairs {
        std::vector<double> figures, references, ratios;
        void add(double figure, double reference)
        {
            figures.push_back(figure);
            references.push_back(reference);
            ratios.push_back(figure / reference);
        }
        void report(benchmark::State& state, const std::string& prefix) const
        {
            state.counters[prefix + "figure_ms"] = median(figures) * 1e3;
            state.counters[prefix + "reference_ms"] = median(references) * 1e3;
            state.counters[prefix + "ratio"] = median(ratios);
        }
    };
    Pairs m_wall;
    Pairs m_cpu;
};

// `prepare` runs untimed before each timed call of either side.
inline void run(
    benchmark::State& state, const std::function<void()>& figure,
    const std::function<void()>& reference, const std::function<void()>& prepare = [] {})
{
    Series series;
    bool referenceFirst = false;
    for (auto _ : state) {
        Times figureTimes;
        Times referenceTimes;
        for (int side = 0; side < 2; ++side) {
            prepare();
            if ((side == 0) == referenceFirst)
                referenceTimes = measure(reference);
            else
                figureTimes = measure(figure);
        }
        referenceFirst = !referenceFirst;
        state.SetIterationTime(figureTimes.wall);
        series.add(figureTimes, referenceTimes);
    }
    series.report(state);
}

}  // namespace paired
