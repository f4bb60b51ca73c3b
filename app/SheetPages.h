#pragma once

#include "app/UnitDivisheet.h"
#include "sheet/SheetCode.h"
#include "platform/WholeFile.h"

#include <QString>

#include <vector>

class TPageOutput;
class TPrinter;

namespace divisheet {

// The code at a sheet's foot: "#" and its symbols and, on a sheet of a class set, "k/N"
// beside it. Empty when the recipe cannot be coded.
QString sheetCodeText(const SheetRecipe &recipe);

// The suggested name of a sheet's PDF file: "わり算-<code without #>.pdf", or "わり算.pdf"
// for a sheet without a code.
QString pdfFileName(const QString &code);

// Sheets to put on paper, all of the settings, frame lines and answers of `base`.
struct SheetJob
{
    SheetRecipe base;
    std::vector<PaperSheet> sheets;
};

// Sheets 1 .. count of the class set of base's settings seeded with `setSeed`: every sheet
// different, no problem repeated while the catalogue lasts.
SheetJob classSetJob(const SheetRecipe &base, quint32 setSeed, int count);
// The one sheet of a code, with the settings it records.
SheetJob codeJob(const SheetRecipe &recipe);

// The job's pages, through a form that is never shown: every problems page, then, when
// the answers are included, every answers page in the same order.
void addJobPages(const SheetJob &job, TPageOutput &output);
// The job's pages as one PDF file, written whole or not at all (EFileError), replacing
// at its name what `existing` allows.
void writeJobPdf(const SheetJob &job, const QString &fileName, TWholeFile::Existing existing);
// The job on the printer as printing does it: one landscape job of the problems pages
// titled `caption` + "解答値なし", then one of the answers pages titled `caption` +
// "解答値あり".
void printJob(const SheetJob &job, TPrinter &printer, const QString &caption);

} // namespace divisheet
