#pragma once

// A small benchmark harness: named benchmarks register themselves, each reports timings
// (median of several runs) and ratios into one table that main() prints.

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace divisheet::bench {

struct Options
{
    int runs = 31;
};

struct Timing
{
    std::string label;
    double medianMs = 0;
    double minMs = 0;
    double maxMs = 0;
    int runs = 0;
};

struct Ratio
{
    std::string label;
    double value = 0;
};

class Report
{
public:
    void add(const Timing &timing) { m_timings.push_back(timing); }
    void addRatio(const std::string &label, double value) { m_ratios.push_back({label, value}); }
    void note(const std::string &text) { m_notes.push_back(text); }

    // The median of the timing with this label, 0 when there is none.
    double median(const std::string &label) const;
    // numerator / denominator of two medians already added.
    void addRatio(const std::string &label, const std::string &numerator, const std::string &denominator);

    void print(const std::string &title) const;

private:
    std::vector<Timing> m_timings;
    std::vector<Ratio> m_ratios;
    std::vector<std::string> m_notes;
};

using BenchmarkFunction = void (*)(Report &, const Options &);

struct Benchmark
{
    std::string name;
    std::string title;
    BenchmarkFunction run;
};

std::vector<Benchmark> &registry();

// Registers a benchmark from a static object in its source file.
struct Registration
{
    Registration(const char *name, const char *title, BenchmarkFunction run)
    {
        registry().push_back({name, title, run});
    }
};

// Peak resident memory of this process so far, in KiB (VmHWM), or -1 where unknown.
long peakRssKiB();

// Keeps the compiler from dropping work whose result nothing reads.
template<typename T>
inline void keep(const T &value)
{
    asm volatile("" : : "r,m"(value) : "memory");
}

Timing summarise(const std::string &label, std::vector<double> samplesMs);

// Times body() `runs` times; setup() runs before each, untimed.
template<typename Setup, typename Body>
Timing measure(const std::string &label, const Options &options, Setup &&setup, Body &&body)
{
    std::vector<double> samples;
    samples.reserve(std::size_t(options.runs));
    for (int i = 0; i < options.runs; ++i) {
        setup();
        const auto start = std::chrono::steady_clock::now();
        body();
        const auto stop = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    return summarise(label, std::move(samples));
}

template<typename Body>
Timing measure(const std::string &label, const Options &options, Body &&body)
{
    return measure(label, options, [] {}, std::forward<Body>(body));
}

} // namespace divisheet::bench
