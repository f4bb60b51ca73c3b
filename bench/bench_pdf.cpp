// The command line's PDF files: `divisheet --pdf` of one sheet with answers and of a class set
// of 100 sheets with answers (200 pages) of the largest catalogue (quotients 1..9 against
// divisors 1000..9999, no remainder), each in a fresh process as a user runs it: wall time,
// the process's peak memory and the file's size per page.

#include "Children.h"
#include "Harness.h"

#include "app/Application.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace divisheet::bench {

int pdfChild(int argc, char *argv[])
{
    // argv[1] is the child switch; the rest is the program's own command line.
    std::vector<char *> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    const int status = runDivisheet(int(arguments.size()), arguments.data());
    std::printf("%.1f\n", double(peakRssKiB()) / 1024.0);
    return status;
}

namespace {

void pdfBenchmark(Report &report, const Options &options)
{
    QTemporaryDir dir;
    Options fewer = options;
    fewer.runs = std::min(options.runs, 7);
    double peakMiB = 0;
    for (const int sheets : {1, 100}) {
        const QString file = dir.filePath(QStringLiteral("sheets-%1.pdf").arg(sheets));
        const std::string label = "divisheet --pdf, " + std::to_string(sheets) + (sheets == 1 ? " sheet" : " sheets")
            + " with answers (" + std::to_string(2 * sheets) + " pages)";
        report.add(measure(label, fewer, [&] {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--pdf-child"), QStringLiteral("--pdf"), file, QStringLiteral("--sheets"),
                         QString::number(sheets), QStringLiteral("--divisor"), QStringLiteral("1000..9999"),
                         QStringLiteral("--force")});
            if (!child.waitForFinished(60000) || child.exitCode() != 0)
                std::printf("  WARNING: the PDF child failed\n");
            peakMiB = std::max(peakMiB, child.readAllStandardOutput().trimmed().toDouble());
        }));
        report.note(label + ": " + std::to_string(QFileInfo(file).size() / 1024 / (2 * sheets)) + " KiB per page");
    }
    report.addRatio("100 sheets / 1 sheet", "divisheet --pdf, 100 sheets with answers (200 pages)",
                    "divisheet --pdf, 1 sheet with answers (2 pages)");
    report.note("peak memory of the PDF process: " + std::to_string(int(peakMiB)) + " MiB (target < 150 MiB)");
    report.note("targets: 100 sheets < 3000 ms and < 10x one sheet; < 40 KiB per page");
}

const Registration pdfRegistration("pdf", "divisheet --pdf: a class set of the largest catalogue", pdfBenchmark);

} // namespace
} // namespace divisheet::bench
