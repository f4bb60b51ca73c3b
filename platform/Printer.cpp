#include "platform/Printer.h"

#include "platform/Errors.h"
#include "platform/PrinterSettings.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QWidget>

namespace {

QString noPrinterMessage()
{
    return QStringLiteral("印刷できるプリンタがありません。プリンタを確認してください。");
}

QString unusablePrinterMessage(const QString &name)
{
    return QStringLiteral("プリンタ「%1」は使用できません。プリンタを確認してください。").arg(name);
}

} // namespace

struct TPrinter::Private
{
    std::unique_ptr<QPrinter> printer;
    QPainter painter;
    QString title;
    QString fileTag;
    // While a job writes a file of its own, the file name the user chose, put back when
    // the job ends so the next job's name derives from it too.
    QString chosenFileName;
    bool fileNameReplaced = false;
    bool inJob = false;
    bool pageUsed = false; // the job's current page has been drawn on

    QPrinter &qprinter()
    {
        // Made on first use: QPrinter needs the application object, and asking the
        // spooler for the default printer is not free.
        if (!printer)
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *printer;
    }
};

TPrinter::TPrinter()
    : d(std::make_unique<Private>())
{
}

TPrinter::~TPrinter()
{
    abortDoc();
}

namespace {
TPrinter *globalPrinter = nullptr;

// QPrinter must go before the application object does; a static's destructor runs later.
void releaseGlobalPrinter()
{
    delete globalPrinter;
    globalPrinter = nullptr;
}
} // namespace

TPrinter &TPrinter::global()
{
    if (!globalPrinter) {
        globalPrinter = new TPrinter;
        qAddPostRoutine(releaseGlobalPrinter);
    }
    return *globalPrinter;
}

QPageLayout::Orientation TPrinter::orientation() const
{
    return d->qprinter().pageLayout().orientation();
}

void TPrinter::setOrientation(QPageLayout::Orientation orientation)
{
    d->qprinter().setPageOrientation(orientation);
}

QString TPrinter::title() const
{
    return d->title;
}

void TPrinter::setTitle(const QString &title)
{
    d->title = title;
}

void TPrinter::setFileTag(const QString &tag)
{
    d->fileTag = tag;
}

// The printable area, not the sheet: the page's origin is the printable area's top-left
// corner, so nothing drawn from (0, 0) falls into the margin the printer cannot reach.
int TPrinter::pageWidth() const
{
    return d->qprinter().width();
}

int TPrinter::pageHeight() const
{
    return d->qprinter().height();
}

// Qt does not fail when it has no printer: it switches to PDF output with no file name,
// still answers isValid(), and QPainter::begin() then fails without a word. Catch every
// such case here, before a job starts, so that no job is reported done that went nowhere.
void TPrinter::checkUsable()
{
    QPrinter &printer = d->qprinter();
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (!printer.outputFileName().isEmpty())
            return; // the user chose to print to a file
        // A printer may have been installed since this one fell back to PDF.
        const QString fallback = QPrinterInfo::defaultPrinterName();
        if (!fallback.isEmpty())
            printer.setPrinterName(fallback);
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw EPrinterError(noPrinterMessage());
    }
    const QStringList available = QPrinterInfo::availablePrinterNames();
    if (available.isEmpty() || printer.printerName().isEmpty())
        throw EPrinterError(noPrinterMessage());
    if (!available.contains(printer.printerName()))
        throw EPrinterError(unusablePrinterMessage(printer.printerName()));
}

void TPrinter::beginDoc()
{
    if (d->inJob)
        throw EPrinterError(QStringLiteral("前の印刷がまだ終わっていません。"));
    checkUsable();

    QPrinter &printer = d->qprinter();
    printer.setDocName(d->title);
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile && !d->fileTag.isEmpty()) {
        d->chosenFileName = printer.outputFileName();
        d->fileNameReplaced = true;
        printer.setOutputFileName(divisheet::freeFileName(divisheet::jobFileName(d->chosenFileName, d->fileTag)));
    }
    if (!d->painter.begin(&printer)) {
        const QString message = toFile
            ? QStringLiteral("ファイル「%1」に印刷できません。保存先を確認してください。")
                  .arg(printer.outputFileName())
            : QStringLiteral("プリンタ「%1」で印刷を始められません。プリンタを確認してください。")
                  .arg(printer.printerName());
        finishJob();
        throw EPrinterError(message);
    }
    d->inJob = true;
    d->pageUsed = false;
}

void TPrinter::endDoc()
{
    if (!d->inJob)
        return;
    const bool sent = d->painter.end();
    const QString fileName = d->qprinter().outputFileName();
    const bool toFile = d->qprinter().outputFormat() == QPrinter::PdfFormat;
    finishJob();
    if (!sent) {
        throw EPrinterError(toFile
            ? QStringLiteral("ファイル「%1」に印刷できませんでした。").arg(fileName)
            : QStringLiteral("印刷できませんでした。プリンタを確認してください。"));
    }
}

// Whatever happened to the job: no painter left open and the chosen file name back.
void TPrinter::finishJob()
{
    if (d->painter.isActive())
        d->painter.end();
    d->inJob = false;
    if (d->fileNameReplaced) {
        d->qprinter().setOutputFileName(d->chosenFileName);
        d->fileNameReplaced = false;
    }
}

QPainter *TPrinter::canvas()
{
    Q_ASSERT_X(d->inJob, "TPrinter::canvas", "no job: call beginDoc() first");
    return &d->painter;
}

void TPrinter::abortDoc()
{
    if (!d->inJob)
        return;
    d->qprinter().abort();
    finishJob();
}

void TPrinter::addFormPage(QWidget *form)
{
    Q_ASSERT(form);
    Q_ASSERT_X(d->inJob, "TPrinter::addFormPage", "no job: call beginDoc() first");
    if (d->pageUsed && !d->qprinter().newPage())
        throw EPrinterError(QStringLiteral("印刷できませんでした。プリンタを確認してください。"));
    d->pageUsed = true;
    divisheet::paintFormImage(form, &d->painter, {pageWidth(), pageHeight()});
}

void TPrinter::printFormImage(QWidget *form)
{
    beginDoc();
    try {
        addFormPage(form);
    } catch (...) {
        abortDoc();
        throw;
    }
    endDoc();
}

bool TPrinter::execSetupDialog(QWidget *parent)
{
    const divisheet::PrinterSettings before(d->qprinter());
    QPrintDialog dialog(&d->qprinter(), parent);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    // Choosing a printer and its settings only: nothing here prints.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    if (dialog.exec() == QDialog::Accepted)
        return true;
    before.restore(d->qprinter());
    return false;
}

QPrinter *TPrinter::qprinter()
{
    return &d->qprinter();
}

namespace divisheet {

QString jobFileName(const QString &chosen, const QString &tag)
{
    if (tag.isEmpty())
        return chosen;
    QString safeTag = tag;
    safeTag.replace(u'/', u'_');
    const QString name = QFileInfo(chosen).fileName();
    const QString folder = chosen.left(chosen.size() - name.size());
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0)
        return folder + name + u'-' + safeTag;
    return folder + name.left(dot) + u'-' + safeTag + name.mid(dot);
}

QString freeFileName(const QString &wanted)
{
    // A dangling link counts as taken: writing through it would create its target.
    const auto taken = [](const QString &file) {
        const QFileInfo info(file);
        return info.exists() || info.isSymLink();
    };
    QString candidate = wanted;
    for (int n = 2; taken(candidate); ++n)
        candidate = jobFileName(wanted, QString::number(n));
    return candidate;
}

} // namespace divisheet
