#include "platform/PdfFile.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>

struct TPdfFile::Private
{
    Private(const QString &fileName, Existing existing) : file(fileName, existing), fileName(fileName) {}

    TWholeFile file;
    QString fileName;
    QString title;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    bool pageUsed = false;
};

TPdfFile::TPdfFile(const QString &fileName, const QString &title, Existing existing)
    : d(std::make_unique<Private>(fileName, existing))
{
    d->title = title;
}

// Not committed: the whole file removes what was written and the chosen name stays untouched.
TPdfFile::~TPdfFile()
{
    if (d->painter.isActive())
        d->painter.end();
}

QPageLayout TPdfFile::pageLayout()
{
    // What QPrinter gives a print to a PDF file: A4 with 10-point margins.
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point);
}

void TPdfFile::open()
{
    QIODevice *device = d->file.open();
    d->writer = std::make_unique<QPdfWriter>(device);
    d->writer->setResolution(1200);
    d->writer->setPageLayout(pageLayout());
    d->writer->setTitle(d->title);
    d->writer->setCreator(QCoreApplication::applicationName());
    if (!d->painter.begin(d->writer.get()))
        throw EFileError(d->fileName, QStringLiteral("PDF"));
}

void TPdfFile::addFormPage(QWidget *form)
{
    if (!d->writer)
        open();
    else if (d->pageUsed)
        d->writer->newPage();
    d->pageUsed = true;
    const QRect page = d->writer->pageLayout().paintRectPixels(d->writer->resolution());
    divisheet::paintFormImage(form, &d->painter, page.size());
}

void TPdfFile::commit()
{
    if (!d->writer)
        open(); // no page: an empty document, still written whole
    d->painter.end();
    d->file.commit();
}
