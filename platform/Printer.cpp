#include "platform/Printer.h"

#include "platform/Errors.h"
#include "platform/PrintToFit.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QWidget>

#include <climits>

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
    if (d->inJob) {
        d->printer->abort();
        finishJob();
    }
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

namespace {

// Lines on screen are whole pixels: a 1-pixel dotted line is one pixel on, two off. On
// paper, one screen pixel becomes a dozen printer pixels, and Qt's pens do not follow: a
// cosmetic pen stays one printer pixel wide (a hairline, and its dots so fine that it
// reads as solid), and a 1-wide pen's square caps lengthen every dot into a dash. So thin
// pens are printed as what the screen shows: one screen pixel wide, patterns in screen
// pixels, dots without caps.
QPen printPen(QPen pen)
{
    if (pen.style() == Qt::NoPen)
        return pen;
    const bool thin = pen.isCosmetic() || pen.widthF() <= 1.0;
    if (pen.isCosmetic()) {
        pen.setCosmetic(false);
        pen.setWidthF(qMax(1.0, pen.widthF()));
    } else if (pen.widthF() <= 0.0) {
        pen.setWidthF(1.0);
    }
    if (thin && pen.style() != Qt::SolidLine)
        pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Fonts in points would be resolved against the printer's resolution and then scaled
// again; in pixels of the screen they are scaled once.
QFont printFont(QFont font, int dpi)
{
    if (font.pixelSize() <= 0 && font.pointSizeF() > 0)
        font.setPixelSize(qMax(1, qRound(font.pointSizeF() * dpi / 72.0)));
    return font;
}

// A paint engine that passes every drawing operation on to the printer's painter under
// the print-to-fit transform, with pens and fonts made fit for paper on the way.
class PrintForwardingEngine : public QPaintEngine
{
public:
    PrintForwardingEngine(QPainter *target, const QTransform &base, int dpi)
        : QPaintEngine(AllFeatures), m_target(target), m_base(base), m_dpi(dpi)
    {
    }

    bool begin(QPaintDevice *) override
    {
        m_target->save();
        m_target->setTransform(m_base);
        return true;
    }

    bool end() override
    {
        m_target->restore();
        return true;
    }

    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyTransform)
            m_target->setTransform(state.transform() * m_base);
        if (dirty & DirtyPen)
            m_target->setPen(printPen(state.pen()));
        if (dirty & DirtyBrush)
            m_target->setBrush(state.brush());
        if (dirty & DirtyBrushOrigin)
            m_target->setBrushOrigin(state.brushOrigin());
        if (dirty & DirtyFont)
            m_target->setFont(printFont(state.font(), m_dpi));
        if (dirty & DirtyBackground)
            m_target->setBackground(state.backgroundBrush());
        if (dirty & DirtyBackgroundMode)
            m_target->setBackgroundMode(state.backgroundMode());
        if (dirty & DirtyClipRegion)
            m_target->setClipRegion(state.clipRegion(), state.clipOperation());
        if (dirty & DirtyClipPath)
            m_target->setClipPath(state.clipPath(), state.clipOperation());
        if (dirty & DirtyClipEnabled)
            m_target->setClipping(state.isClipEnabled());
        if (dirty & DirtyHints) {
            m_target->setRenderHints(m_target->renderHints(), false);
            m_target->setRenderHints(state.renderHints(), true);
        }
        if (dirty & DirtyCompositionMode)
            m_target->setCompositionMode(state.compositionMode());
        if (dirty & DirtyOpacity)
            m_target->setOpacity(state.opacity());
    }

    void drawRects(const QRectF *rects, int count) override { m_target->drawRects(rects, count); }
    void drawLines(const QLineF *lines, int count) override { m_target->drawLines(lines, count); }
    void drawEllipse(const QRectF &rect) override { m_target->drawEllipse(rect); }
    void drawPath(const QPainterPath &path) override { m_target->drawPath(path); }
    void drawPoints(const QPointF *points, int count) override { m_target->drawPoints(points, count); }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode)
            m_target->drawPolyline(points, count);
        else
            m_target->drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }

    void drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) override
    {
        m_target->drawPixmap(rect, pixmap, source);
    }

    void drawTiledPixmap(const QRectF &rect, const QPixmap &pixmap, const QPointF &offset) override
    {
        m_target->drawTiledPixmap(rect, pixmap, offset);
    }

    void drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags) override
    {
        m_target->drawImage(rect, image, source, flags);
    }

    void drawTextItem(const QPointF &position, const QTextItem &item) override
    {
        QFont font = printFont(item.font(), m_dpi);
        font.setUnderline(item.renderFlags() & QTextItem::Underline);
        font.setOverline(item.renderFlags() & QTextItem::Overline);
        font.setStrikeOut(item.renderFlags() & QTextItem::StrikeOut);
        m_target->save();
        m_target->setFont(font);
        m_target->drawText(position, item.text());
        m_target->restore();
    }

private:
    QPainter *m_target;
    QTransform m_base;
    int m_dpi;
};

// The surface that a recorded picture of the form is played onto: as big as the form
// and of the picture's own resolution, so playing neither moves nor scales anything.
class PrintForwardingDevice : public QPaintDevice
{
public:
    PrintForwardingDevice(QPainter *target, const QTransform &base, QSize size, int dpi)
        : m_engine(std::make_unique<PrintForwardingEngine>(target, base, dpi)), m_size(size), m_dpi(dpi)
    {
    }

    QPaintEngine *paintEngine() const override { return m_engine.get(); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / m_dpi);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / m_dpi);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    std::unique_ptr<PrintForwardingEngine> m_engine;
    QSize m_size;
    int m_dpi;
};

} // namespace

void TPrinter::printFormImage(QWidget *form)
{
    Q_ASSERT(form);
    beginDoc();
    try {
        const QSize image = form->size();
        const QSize target = divisheet::printToFitSize(image, {pageWidth(), pageHeight()});
        if (!target.isEmpty()) {
            // The widgets paint themselves into a picture, which is then played onto the
            // printer under the print-to-fit scale: text and lines stay vectors at the
            // printer's resolution instead of a stretched screen bitmap. (Rendered onto a
            // printer directly, QWidget::render goes through a bitmap of its own.)
            QPicture picture;
            {
                QPainter recorder(&picture);
                form->render(&recorder, QPoint(), QRegion(form->rect()),
                             QWidget::DrawWindowBackground | QWidget::DrawChildren);
            }
            const QTransform scale = QTransform::fromScale(qreal(target.width()) / image.width(),
                                                           qreal(target.height()) / image.height());
            PrintForwardingDevice paper(&d->painter, scale, image, picture.logicalDpiY());
            QPainter player(&paper);
            picture.play(&player);
        }
    } catch (...) {
        d->qprinter().abort();
        finishJob();
        throw;
    }
    endDoc();
}

namespace {

// What the setup dialog may change. Qt's dialog writes some choices (the printer, print
// to file) into the printer while it is still open, so a cancel has to put them back.
struct PrinterSettings
{
    QPrinter::OutputFormat format;
    QString printerName;
    QString fileName;
    QPageLayout layout;
    int copies;
    bool collate;
    QPrinter::ColorMode colorMode;
    QPrinter::DuplexMode duplex;
    QPrinter::PageOrder pageOrder;
    bool fullPage;
    QPrinter::PrintRange range;
    int fromPage;
    int toPage;

    explicit PrinterSettings(const QPrinter &printer)
        : format(printer.outputFormat()), printerName(printer.printerName()),
          fileName(printer.outputFileName()), layout(printer.pageLayout()),
          copies(printer.copyCount()), collate(printer.collateCopies()),
          colorMode(printer.colorMode()), duplex(printer.duplex()), pageOrder(printer.pageOrder()),
          fullPage(printer.fullPage()), range(printer.printRange()),
          fromPage(printer.fromPage()), toPage(printer.toPage())
    {
    }

    void restore(QPrinter &printer) const
    {
        if (format == QPrinter::NativeFormat) {
            printer.setOutputFileName(QString());
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(printerName);
        } else {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(fileName);
        }
        printer.setPageLayout(layout);
        printer.setCopyCount(copies);
        printer.setCollateCopies(collate);
        printer.setColorMode(colorMode);
        printer.setDuplex(duplex);
        printer.setPageOrder(pageOrder);
        printer.setFullPage(fullPage);
        printer.setPrintRange(range);
        printer.setFromTo(fromPage, toPage);
    }
};

} // namespace

bool TPrinter::execSetupDialog(QWidget *parent)
{
    const PrinterSettings before(d->qprinter());
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
