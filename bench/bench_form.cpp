// The form's own work on the largest catalogue (quotients 1..9 against divisors
// 1000..9999 without remainder: 90,000 problems, a sheet of 3 x 2): building the
// catalogue into its grid, choosing the sheet, placing the figures; the program's
// start-up to its first painted window; its peak memory; printing both pages to PDF.

#include "Children.h"
#include "Harness.h"

#include "app/Application.h"
#include "app/UnitDivisheet.h"
#include "platform/Buttons.h"
#include "platform/Printer.h"
#include "platform/RadioGroup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

namespace divisheet::bench {
namespace {

const char *const dataHassei = "DataHassei (90000 problems into the grid)";
const char *const suutiSentaku = "SuutiSentaku (6 of 90000)";
const char *const both = "DataHassei + SuutiSentaku";
const char *const regeneration = "DataHassei + SuutiSentaku + ComponentByouga";
const char *const bareLoop = "bare loop: 90000 problems into std::vector";

std::unique_ptr<TFormDivisheet> largestCatalogueForm()
{
    auto form = std::make_unique<TFormDivisheet>();
    form->findChild<TRadioButton *>(QStringLiteral("RadioButtonWaru1000_9999"))->setChecked(true);
    return form;
}

void formBenchmark(Report &report, const Options &options)
{
    const auto form = largestCatalogueForm();
    form->show();
    QCoreApplication::processEvents();

    report.add(measure(bareLoop, options, [] {
        std::vector<std::array<qint32, 4>> problems;
        problems.reserve(90000);
        for (qint32 d = 1000; d <= 9999; ++d)
            for (qint32 q = 0; q <= 9; ++q)
                problems.push_back({q, d, 0, d * q});
        keep(problems.data());
    }));
    report.add(measure(dataHassei, options, [&] { form->DataHassei(nullptr); }));
    report.add(measure(suutiSentaku, options, [&] { form->DataHassei(nullptr); },
                       [&] { form->SuutiSentaku(nullptr); }));
    report.add(measure(both, options, [&] {
        form->DataHassei(nullptr);
        form->SuutiSentaku(nullptr);
    }));
    report.add(measure(regeneration, options, [&] {
        form->DataHsseiSuutiSentakuComponentByouga(nullptr);
    }));
    report.addRatio("DataHassei + SuutiSentaku / bare loop", both, bareLoop);
    report.note("targets: DataHassei + SuutiSentaku < 15 ms, with ComponentByouga < 20 ms (medians)");
}

// Wall time from starting a fresh process to its form's first paint.
void startupBenchmark(Report &report, const Options &options)
{
    Options fewer = options;
    fewer.runs = std::min(options.runs, 15);
    report.add(measure("process start to first painted window", fewer, [] {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-child")});
        if (!child.waitForFinished(10000) || child.exitCode() != 0)
            std::printf("  WARNING: the start-up child failed\n");
    }));
    report.note("the child runs the program's own start-up (application, fonts, form, first");
    report.note("sheet, show) under the offscreen platform and exits at the form's first paint; target < 300 ms");
}

void memoryBenchmark(Report &report, const Options &)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory-child")});
    child.waitForFinished(60000);
    const QByteArray answer = child.readAllStandardOutput().trimmed();
    report.note("peak memory of a fresh program after 10 sheets of the 90000-problem catalogue: "
                + answer.toStdString() + " MiB (target < 100 MiB)");
}

void printBenchmark(Report &report, const Options &options)
{
    QTemporaryDir dir;
    const auto form = largestCatalogueForm();
    form->show();
    QCoreApplication::processEvents();
    QPrinter *printer = TPrinter::global().qprinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
    Options fewer = options;
    fewer.runs = std::min(options.runs, 11);
    report.add(measure("ButtonPrintOutClick: problems and answers pages to PDF", fewer, [&] {
        form->ButtonPrintOutClick(nullptr);
    }));
    report.note("target < 1000 ms");
}

// A fuller page of a setting whose catalogue is larger than either page: divisors 1..9,
// quotients 11..99 with remainder, 9 problems on the standard page and about twice that on
// the fuller one. Its regeneration should cost no more per problem than the standard one.
void morePageBenchmark(Report &report, const Options &options)
{
    auto form = std::make_unique<TFormDivisheet>();
    form->findChild<TRadioButton *>(QStringLiteral("RadioButtonWaru1_9"))->setChecked(true);
    form->findChild<TRadioButton *>(QStringLiteral("RadioButtonKotae11_99"))->setChecked(true);
    form->findChild<TRadioGroup *>(QStringLiteral("RadioGroupAmari"))->setItemIndex(1);
    form->show();
    QCoreApplication::processEvents();
    const char *const standard = "regeneration, standard page";
    const char *const more = "regeneration, fuller page";
    int counts[2] = {};
    for (const bool fuller : {false, true}) {
        PageOptions page;
        page.more = fuller;
        form->setPageOptions(page);
        // The event loop runs between sheets as it does for a user: without it the events
        // that every new figure posts pile up, and each deleted figure searches all of them.
        report.add(measure(fuller ? more : standard, options, [] { QCoreApplication::processEvents(); },
                           [&] { form->DataHsseiSuutiSentakuComponentByouga(nullptr); }));
        counts[fuller] = form->sheetState().ProblemCount;
    }
    report.addRatio("fuller / standard", more, standard);
    report.note("problems: " + std::to_string(counts[0]) + " standard, " + std::to_string(counts[1])
                + " fuller; target: the ratio no more than the ratio of the counts");
}

const Registration formRegistration("form", "the form's regeneration on the largest catalogue", formBenchmark);
const Registration startupRegistration("startup", "start-up of the program to its first paint", startupBenchmark);
const Registration memoryRegistration("memory", "peak memory with the largest catalogue", memoryBenchmark);
const Registration moreRegistration("more", "regeneration of a fuller page against the standard one", morePageBenchmark);
const Registration printRegistration("print", "printing both pages of a sheet to a PDF file", printBenchmark);

class FirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QCoreApplication::exit(0);
        return false;
    }
};

int startupChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    const auto form = createMainForm({});
    FirstPaint firstPaint;
    form->installEventFilter(&firstPaint);
    form->show();
    return QApplication::exec();
}

int memoryChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    const auto form = largestCatalogueForm();
    form->show();
    QCoreApplication::processEvents();
    for (int i = 0; i < 10; ++i) {
        form->ButtonKoushinClick(nullptr);
        QCoreApplication::processEvents();
    }
    std::printf("%.1f\n", double(peakRssKiB()) / 1024.0);
    return 0;
}

} // namespace

int runChildMode(int argc, char *argv[])
{
    if (argc < 2)
        return -1;
    if (std::strcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv);
    if (std::strcmp(argv[1], "--memory-child") == 0)
        return memoryChild(argc, argv);
    if (std::strcmp(argv[1], "--pdf-child") == 0)
        return pdfChild(argc, argv);
    return -1;
}

} // namespace divisheet::bench
