#include "app/SheetPages.h"

#include "sheet/PageHeader.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/PdfFile.h"
#include "platform/Printer.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace divisheet {

namespace {

// The header labels of a page, as the window's form describes its own.
TLabel *addLabel(QWidget *page, const char *name, QPoint at, const QString &caption)
{
    auto *label = new TLabel(page);
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    label->setCaption(caption);
    return label;
}

// The page takes the window's 12-pixel face, and the header labels the window's form has.
TLabel *addHeader(QWidget *page)
{
    page->setFont(designFont(-12));
    TLabel *dateName = addLabel(page, "LabelGappiNamae", kDateNameLine.topLeft(), QString());
    QFont underlined;
    underlined.setFamilies({QStringLiteral("ＭＳ ゴシック")});
    underlined.setUnderline(true);
    dateName->setFont(underlined);
    dateName->setFontHeight(-kDateNameLine.height());
    dateName->setCaption(QStringLiteral("　月　日（　　）なまえ　　　　    　　"));
    addLabel(page, "LabelProjectName", {0, 8}, QStringLiteral("Divisheet")); // the window's title
    addLabel(page, "LabelSheetCode", {56, 8}, QString());
    return addLabel(page, "LabelHyoudai", {128, 8}, QString());
}

const std::pair<TTypeIntegerShow, QString> kPageKinds[] = {{isHide, QStringLiteral("解答値なし")},
                                                           {isShow, QStringLiteral("解答値あり")}};

// The pages of one kind: every problems page, or the answers page of every sheet that has one.
void addPagesOf(TSheetPage &page, const std::vector<Sheet> &sheets, TTypeIntegerShow show, TPageOutput &output,
                const PaperFormat &format)
{
    for (const Sheet &sheet : sheets) {
        if (show == isShow && !sheet.answersIncluded)
            continue;
        page.showSheet(sheet, show, format.settingsLine);
        output.addFormPage(&page);
        // Each new digit frame asks through the event queue to be polished, and no event loop
        // empties it here; every frame freed with its request pending searches the whole queue.
        // Delivered page by page, the queue stays short.
        QCoreApplication::sendPostedEvents();
    }
}

} // namespace

TSheetPage::TSheetPage(PaperSize size)
    : m_size(size), m_settingsLine(addHeader(this)), m_placer(this)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    resize(size.client);
}

void TSheetPage::showSheet(const Sheet &sheet, TTypeIntegerShow show, const QString &settingsLine)
{
    m_settingsLine->setCaption(settingsLine.isEmpty() ? divisheet::settingsLine(sheet) : settingsLine);
    m_placer.placeSheet(sheet, show, m_size.outer, m_size.client);
}

void addSheetPages(const std::vector<Sheet> &sheets, TPageOutput &output, const PaperFormat &format)
{
    TSheetPage page(format.size);
    for (const auto &[show, title] : kPageKinds)
        addPagesOf(page, sheets, show, output, format);
}

int pageCount(const std::vector<Sheet> &sheets)
{
    return int(sheets.size() + std::count_if(sheets.begin(), sheets.end(), [](const Sheet &s) { return s.answersIncluded; }));
}

void writeSheetsPdf(const std::vector<Sheet> &sheets, const QString &fileName, TWholeFile::Existing existing,
                    const PaperFormat &format)
{
    TPdfFile pdf(fileName, QFileInfo(fileName).completeBaseName(), existing);
    addSheetPages(sheets, pdf, format);
    pdf.commit();
}

void printSheets(const std::vector<Sheet> &sheets, TPrinter &printer, const QString &caption,
                 const PaperFormat &format)
{
    TSheetPage page(format.size);
    printer.setOrientation(QPageLayout::Landscape);
    for (const auto &[show, title] : kPageKinds) {
        if (show == isShow && pageCount(sheets) == int(sheets.size())) // no answers page
            break;
        printer.setTitle(caption + title);
        printer.setFileTag(title);
        printer.beginDoc();
        try {
            addPagesOf(page, sheets, show, printer, format);
        } catch (...) {
            printer.abortDoc();
            throw;
        }
        printer.endDoc();
    }
}

} // namespace divisheet
