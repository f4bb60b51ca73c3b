#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "app/ClassSetDialog.h"
#include "app/SheetPages.h"
#include "sheet/PageHeader.h"
#include "sheet/SheetLayout.h"
#include "figures/LongDivision.h"
#include "platform/Controls.h"
#include "platform/Conversions.h"
#include "platform/Fonts.h"
#include "platform/PdfFile.h"
#include "platform/Printer.h"
#include "platform/Random.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>

// Sheets beyond the print button: the code in the header that makes a sheet again, the
// sheet on screen saved as a PDF file, and class sets.

using namespace divisheet;

QString divisheet::choosePdfFile(QWidget *parent, const QString &caption, const QString &suggested)
{
    QFileDialog dialog(parent, caption, suggested, QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggested);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

namespace {

// Where a suggested PDF file goes: the documents folder, or the home folder without one.
QString suggestedPdfPath(const QString &code)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(pdfFileName(code));
}

} // namespace

void TFormDivisheet::setSaveFileChooser(SaveFileChooser chooser)
{
    m_chooseSaveFile = std::move(chooser);
}

// ---------------------------------------------------------------------------------------
// The sheet's code

std::optional<SheetRecipe> TFormDivisheet::sheetRecipe() const
{
    if (!m_recipe)
        return std::nullopt;
    SheetRecipe recipe = *m_recipe;
    recipe.framesShown = m_state.FrameShowSetting == fsShow;
    recipe.answersIncluded = ui->CheckBoxPrintAnswer->isChecked();
    return recipe;
}

// The regeneration has just filled the catalogue and drawn from it: its seeds make the
// sheet again.
void TFormDivisheet::recordSheetRecipe()
{
    SheetRecipe recipe;
    recipe.settings = m_catalogueSettings;
    recipe.seeds = m_seeds;
    recipe.page = m_sheetPageOptions;
    m_recipe = recipe;
}

void TFormDivisheet::forgetSheetCode()
{
    m_recipe.reset();
    showSheetCode();
}

void TFormDivisheet::showSheetCode()
{
    const std::optional<SheetRecipe> recipe = sheetRecipe();
    const QString text = recipe ? sheetCodeText(*recipe) : QString();
    if (text != ui->LabelSheetCode->caption()) { // a class set's pages set it once a page
        ui->LabelSheetCode->setCaption(text);
        placeSheetCodeLabel();
    }
}

// The code has a place of its own at the page's foot, right, large enough to be read back
// and typed in again; it follows the foot of the page as the window's size changes.
void TFormDivisheet::placeSheetCodeLabel()
{
    TLabel *code = ui->LabelSheetCode;
    const TextPlace place = sheetCodePlace(sheetClientSize());
    if (code->fontHeight() != place.pixelSize)
        code->setFontHeight(-place.pixelSize);
    code->move(place.rect.right() + 1 - code->width(), place.rect.bottom() + 1 - code->height());
}

// ---------------------------------------------------------------------------------------
// Sheets on paper

void TFormDivisheet::addScreenSheetPages(TPageOutput &output)
{
    const TTypeIntegerShow screenShow = m_state.IntegerShowSetting;
    // The data-check panel may have taken the figures off the screen.
    const bool figuresOnScreen = findChild<TLongDivision *>(QString(), Qt::FindDirectChildrenOnly);
    std::vector<QWidget *> hidden;
    const std::unique_ptr<QWidget> paper = openPaper(hidden);
    showSheetTitleLine(m_catalogueSettings, m_state.FrameShowSetting == fsShow);
    const auto screenBack = qScopeGuard([&] {
        closePaper(hidden);
        m_state.IntegerShowSetting = screenShow;
        ComponentSakujo(this);
        // A cell that cannot be placed has failed on paper already; that error is on its way.
        try {
            if (figuresOnScreen)
                ComponentByouga(this);
        } catch (...) {
        }
    });
    for (const TTypeIntegerShow show : {isHide, isShow}) {
        if (show == isShow && !ui->CheckBoxPrintAnswer->isChecked())
            break;
        ComponentSakujo(this);
        m_state.IntegerShowSetting = show;
        ComponentByouga(this);
        output.addFormPage(paper.get());
    }
}

void TFormDivisheet::addPaperPages(const std::vector<PaperSheet> &sheets, TTypeIntegerShow show, TPageOutput &output)
{
    std::vector<QWidget *> hidden;
    const std::unique_ptr<QWidget> paper = openPaper(hidden);
    const auto back = qScopeGuard([this, &hidden] { closePaper(hidden); });
    TStringGrid *data = ui->StringGridData;
    const PaperSheet *placed = nullptr; // the sheet whose figures stand on the paper
    for (const PaperSheet &sheet : sheets) {
        const PageLayout grid = sheetGrid(sheet.recipe.settings, sheet.recipe.page);
        const bool sameGrid = placed && placed->recipe.page == sheet.recipe.page
                              && placed->problems.size() == sheet.problems.size()
                              && m_state.FigureRows == grid.rows && m_state.FigureColumns == grid.columns
                              && m_state.FigureFontSize == grid.fontSize;
        m_sheetPageOptions = sheet.recipe.page;
        showSheetTitleLine(sheet.recipe.settings, sheet.recipe.framesShown);
        m_state.FigureRows = grid.rows;
        m_state.FigureColumns = grid.columns;
        m_state.FigureFontSize = quint8(grid.fontSize);
        m_state.ProblemCount = int(sheet.problems.size());
        data->beginUpdate();
        int column = 0;
        for (const Problem &problem : sheet.problems) {
            ++column;
            data->setCellNumber(column, 1, problem.quotient);
            data->setCellNumber(column, 2, problem.divisor);
            data->setCellNumber(column, 3, problem.remainder);
            data->setCellNumber(column, 4, problem.dividend);
        }
        data->endUpdate();
        m_recipe = sheet.recipe;
        // Every new widget posts itself a request to be polished, which only an event
        // loop delivers, and every widget deleted with such a request pending searches the
        // whole queue for it. A form that is never shown runs no loop, so the queue would
        // grow with the form's own widgets and every page's figures, and each page's many
        // short-lived figures would pay for it: the pending events go out first.
        QCoreApplication::sendPostedEvents();
        if (!sameGrid || !refillFigures()) {
            ComponentSakujo(this);
            m_state.IntegerShowSetting = show;
            ComponentByouga(this);
        }
        placed = &sheet;
        output.addFormPage(paper.get());
    }
}

// The sheets of a set share their grid, so from the second page on the figures stay where
// they are and take the page's problems: two writes lay each one out again, where placing
// it anew would build it five times over. False, and nothing written, when a figure is
// missing.
bool TFormDivisheet::refillFigures()
{
    std::vector<TLongDivision *> figures;
    for (int k = 1; k <= m_state.ProblemCount; ++k) {
        auto *figure = findComponent<TLongDivision>(this, figureName(k));
        if (!figure)
            return false;
        figures.push_back(figure);
    }
    showSheetCode();
    const TStringGrid *data = ui->StringGridData;
    for (int k = 1; k <= m_state.ProblemCount; ++k) {
        figures[k - 1]->setValueIntegerWarareru(StrToInt(data->cell(k, 4)));
        figures[k - 1]->setValueIntegerWaru(StrToInt(data->cell(k, 2)));
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// The buttons

void TFormDivisheet::ButtonSavePdfClick(QObject *)
{
    const std::optional<SheetRecipe> recipe = sheetRecipe();
    const QString file = m_chooseSaveFile(this, QStringLiteral("PDF保存"),
                                          suggestedPdfPath(recipe ? encodeSheetCode(*recipe) : QString()));
    if (file.isEmpty())
        return;
    // The file dialog has asked before a file of that name is replaced.
    TPdfFile pdf(file, QFileInfo(file).completeBaseName(), TPdfFile::Existing::Replace);
    addScreenSheetPages(pdf);
    pdf.commit();
}

void TFormDivisheet::ButtonClassSetClick(QObject *)
{
    TClassSetDialog dialog(this, m_chooseSaveFile, suggestedPdfPath(QString()),
                           ui->CheckBoxPrintAnswer->isChecked());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ClassSetRequest request = dialog.request();
    SheetJob job;
    if (request.code) {
        SheetRecipe recipe = *request.code;
        recipe.page.title = m_pageOptions.title; // free text, never part of a code
        job = codeJob(recipe);
    } else {
        SheetRecipe base;
        base.settings = currentSettings();
        base.page = m_pageOptions;
        base.framesShown = m_state.FrameShowSetting == fsShow;
        base.answersIncluded = request.answersIncluded;
        TRandom &random = TRandom::global();
        random.randomize();
        job = classSetJob(base, random.seed(), request.count);
    }
    if (request.fileName.isEmpty())
        printJob(job, TPrinter::global(), windowTitle());
    else
        writeJobPdf(job, request.fileName, TWholeFile::Existing::Replace); // the dialog has asked
    const int sheets = int(job.sheets.size());
    showClassSetDone(this, sheets, job.base.answersIncluded ? 2 * sheets : sheets, request.fileName);
}
