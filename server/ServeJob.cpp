#include "server/ServeJob.h"

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/SheetPages.h"
#include "platform/ErrorBoundary.h"
#include "platform/Errors.h"
#include "platform/PageOutput.h"
#include "platform/PrintToFit.h"

#include <QApplication>
#include <QPainter>

#include <cstdio>
#include <cstring>

namespace divisheet {

namespace {

void printCode(const Sheet &sheet)
{
    std::printf("%s\n", qPrintable(encodeSheetCode(*sheet.recipe)));
}

} // namespace

QImage previewImage(const Sheet &sheet, int width)
{
    TSheetPage page;
    page.showSheet(sheet, isHide);
    const QSize size = printToFitSize(page.size(), QSize(width, width * 4));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintFormImage(&page, &painter, size);
    return image;
}

int runServeJob(int argc, char *argv[])
{
    if (argc < 4 || (std::strcmp(argv[2], "pdf") != 0 && std::strcmp(argv[2], "png") != 0)) {
        std::fprintf(stderr, "divisheet: %s needs pdf or png and a file\n", kServeJobSwitch);
        return 2;
    }
    const bool pdf = std::strcmp(argv[2], "pdf") == 0;
    QList<QByteArray> arguments{argv[0], "--pdf", argv[3]};
    for (int i = 4; i < argc; ++i)
        arguments << argv[i];
    const CommandLineResult parsed = parseCommandLine(arguments);
    if (!parsed.ok()) {
        std::fprintf(stderr, "divisheet: %s\n", qPrintable(printableText(parsed.error)));
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1; // the options are ours, not Qt's (see runDivisheet)
    QApplication app(qtArgc, argv);
    prepareApplication(app);
    if (pdf)
        return writeSheetsFile(parsed.options, [](const std::vector<Sheet> &sheets) { printCode(sheets.front()); });
    try {
        const std::vector<Sheet> sheets = makeSheets(commandLineRequest(parsed.options));
        if (!previewImage(sheets.front(), kPreviewWidth).save(parsed.options.pdfFile, "PNG"))
            throw EDivisheetError(QStringLiteral("cannot write the preview"));
        printCode(sheets.front());
        return 0;
    } catch (...) {
        std::fprintf(stderr, "divisheet: %s\n", qPrintable(printableText(messageOf(std::current_exception()))));
        return 1;
    }
}

} // namespace divisheet
