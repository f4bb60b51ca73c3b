#include "app/SheetPages.h"

#include "sheet/ClassSet.h"
#include "platform/PdfFile.h"
#include "platform/Printer.h"

#include <QFileInfo>

namespace divisheet {

QString sheetCodeText(const SheetRecipe &recipe)
{
    const QString code = encodeSheetCode(recipe);
    if (code.isEmpty() || recipe.kind != SheetRecipe::Kind::ClassSet)
        return code;
    return code + QStringLiteral("  %1/%2").arg(recipe.setIndex).arg(recipe.setSize);
}

QString pdfFileName(const QString &code)
{
    QString name = QStringLiteral("わり算");
    if (!code.isEmpty())
        name += u'-' + QString(code).remove(u'#');
    return name + QStringLiteral(".pdf");
}

SheetJob classSetJob(const SheetRecipe &base, quint32 setSeed, int count)
{
    SheetJob job{base, {}};
    const std::vector<std::vector<Problem>> sheets = classSetSheets(base.settings, setSeed, count, base.page);
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        SheetRecipe recipe = base;
        recipe.kind = SheetRecipe::Kind::ClassSet;
        recipe.setSeed = setSeed;
        recipe.setIndex = int(k) + 1;
        recipe.setSize = int(sheets.size());
        job.sheets.push_back({recipe, sheets[k]});
    }
    return job;
}

SheetJob codeJob(const SheetRecipe &recipe)
{
    return {recipe, {{recipe, recipeProblems(recipe)}}};
}

void addJobPages(const SheetJob &job, TPageOutput &output)
{
    TFormDivisheet form;
    form.applySheetSettings(job.base.settings, job.base.framesShown, job.base.answersIncluded);
    form.addPaperPages(job.sheets, isHide, output);
    if (job.base.answersIncluded)
        form.addPaperPages(job.sheets, isShow, output);
}

void writeJobPdf(const SheetJob &job, const QString &fileName, TWholeFile::Existing existing)
{
    TPdfFile pdf(fileName, QFileInfo(fileName).completeBaseName(), existing);
    addJobPages(job, pdf);
    pdf.commit();
}

void printJob(const SheetJob &job, TPrinter &printer, const QString &caption)
{
    TFormDivisheet form;
    form.applySheetSettings(job.base.settings, job.base.framesShown, job.base.answersIncluded);
    printer.setOrientation(QPageLayout::Landscape);
    const std::pair<TTypeIntegerShow, QString> pages[] = {{isHide, QStringLiteral("解答値なし")},
                                                          {isShow, QStringLiteral("解答値あり")}};
    for (const auto &[show, tag] : pages) {
        if (show == isShow && !job.base.answersIncluded)
            break;
        printer.setTitle(caption + tag);
        printer.setFileTag(tag);
        printer.beginDoc();
        try {
            form.addPaperPages(job.sheets, show, printer);
        } catch (...) {
            printer.abortDoc();
            throw;
        }
        printer.endDoc();
    }
}

} // namespace divisheet
