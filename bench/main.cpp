// divisheet_bench [--runs N] [--list] [name ...]
// Runs every registered benchmark (or those named) and prints one table per benchmark
// with the median, fastest and slowest run, the ratios each benchmark asks for and the
// process's peak resident memory.

#include "Children.h"
#include "Harness.h"

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace divisheet::bench {

std::vector<Benchmark> &registry()
{
    static std::vector<Benchmark> benchmarks;
    return benchmarks;
}

long peakRssKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kib = -1;
            fields >> kib;
            return kib;
        }
    }
    return -1;
}

Timing summarise(const std::string &label, std::vector<double> samplesMs)
{
    Timing timing;
    timing.label = label;
    timing.runs = int(samplesMs.size());
    if (samplesMs.empty())
        return timing;
    std::sort(samplesMs.begin(), samplesMs.end());
    const std::size_t n = samplesMs.size();
    timing.medianMs = n % 2 ? samplesMs[n / 2] : (samplesMs[n / 2 - 1] + samplesMs[n / 2]) / 2;
    timing.minMs = samplesMs.front();
    timing.maxMs = samplesMs.back();
    return timing;
}

double Report::median(const std::string &label) const
{
    for (const Timing &t : m_timings) {
        if (t.label == label)
            return t.medianMs;
    }
    return 0;
}

void Report::addRatio(const std::string &label, const std::string &numerator, const std::string &denominator)
{
    const double below = median(denominator);
    addRatio(label, below > 0 ? median(numerator) / below : 0);
}

void Report::print(const std::string &title) const
{
    std::size_t width = 11;
    for (const Timing &t : m_timings)
        width = std::max(width, t.label.size());
    for (const Ratio &r : m_ratios)
        width = std::max(width, r.label.size());
    const int w = int(width);

    std::printf("\n== %s ==\n", title.c_str());
    std::printf("%-*s  %10s  %10s  %10s  %5s\n", w, "measurement", "median ms", "min ms", "max ms", "runs");
    std::printf("%s\n", std::string(width + 45, '-').c_str());
    for (const Timing &t : m_timings)
        std::printf("%-*s  %10.3f  %10.3f  %10.3f  %5d\n", w, t.label.c_str(), t.medianMs, t.minMs, t.maxMs, t.runs);
    if (!m_ratios.empty()) {
        std::printf("%s\n", std::string(width + 45, '-').c_str());
        for (const Ratio &r : m_ratios)
            std::printf("%-*s  %10.2fx\n", w, r.label.c_str(), r.value);
    }
    for (const std::string &note : m_notes)
        std::printf("  %s\n", note.c_str());
}

} // namespace divisheet::bench

int main(int argc, char *argv[])
{
    using namespace divisheet::bench;

    // Form-level benchmarks need an application object; none of them shows a window.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (const int status = runChildMode(argc, argv); status >= 0)
        return status;
    QApplication app(argc, argv);

    Options options;
    bool listOnly = false;
    std::vector<std::string> wanted;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--list") == 0) {
            listOnly = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("usage: %s [--runs N] [--list] [benchmark ...]\n", argv[0]);
            return 0;
        } else {
            wanted.emplace_back(argv[i]);
        }
    }

    auto &benchmarks = registry();
    std::sort(benchmarks.begin(), benchmarks.end(),
              [](const Benchmark &a, const Benchmark &b) { return a.name < b.name; });
    if (listOnly) {
        for (const Benchmark &b : benchmarks)
            std::printf("%-24s %s\n", b.name.c_str(), b.title.c_str());
        return 0;
    }

    int ran = 0;
    for (const Benchmark &b : benchmarks) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), b.name) == wanted.end())
            continue;
        Report report;
        b.run(report, options);
        report.print(b.name + ": " + b.title);
        std::printf("  peak RSS of the process so far: %.1f MiB\n", double(peakRssKiB()) / 1024.0);
        ++ran;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no benchmark matched; --list shows them\n");
        return 1;
    }
    return 0;
}
