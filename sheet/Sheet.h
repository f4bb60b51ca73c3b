#pragma once

#include "sheet/PageLayout.h"
#include "sheet/PageOptions.h"
#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemClasses.h"
#include "sheet/SheetCode.h"

#include <QString>

#include <optional>
#include <vector>

// A worksheet as a value: everything a page shows of it, with no widget in sight. The window,
// the command line, class sets and sheet codes all make their pages from such values.
namespace divisheet {

struct Sheet
{
    ProblemSettings settings;
    PageOptions page;
    bool framesShown = true;
    bool answersIncluded = true;
    std::vector<Problem> problems; // in the order of the cells, row by row
    // What makes it again, as its code says; none for a sheet typed into the data-check panel.
    std::optional<SheetRecipe> recipe;

    // The grid and figure size of its page.
    PageLayout grid() const { return sheetGrid(settings, page); }
};

// What to make: the one sheet of a recipe (the window's seeds, or sheet k of a class set as its
// code records it), or, with newSetSize > 0, sheets 1 .. newSetSize of the class set that
// recipe.setSeed seeds, each of the recipe's settings, frame lines, answers and page.
struct SheetRequest
{
    SheetRecipe recipe;
    int newSetSize = 0;
};

// The one sheet of a code, under the page's own title (free text that no code carries).
SheetRequest codeRequest(const SheetRecipe &code, const QString &title);
// A new class set of `count` sheets seeded with `setSeed`, each of these settings, page,
// frame lines and answers.
SheetRequest classSetRequest(const ProblemSettings &settings, const PageOptions &page, bool framesShown,
                             bool answersIncluded, quint32 setSeed, int count);

// The sheets of a request, in order; each carries its recipe.
std::vector<Sheet> makeSheets(const SheetRequest &request);

// The settings line of a page: "枠線:表示 ,割る数:2で固定 ,答:1..9 ,余り:なし", and for a
// sheet with a practice focus " ,ねらい:" and the focus in words after it. The remainder's
// text is the settings panel's own item ("あり(&X)" with its accelerator).
QString settingsLine(const QString &frame, const QString &divisor, const QString &quotient,
                     const QString &remainder, const PracticeFocus &focus = {});
// The settings line that describes `sheet`.
QString settingsLine(const Sheet &sheet);

// Where a practice focus leaves fewer problems than the page holds, a note that says how many
// the sheet has; empty otherwise.
QString shortSheetNote(const Sheet &sheet);

// The code at a sheet's foot: "#" and its symbols and, on a sheet of a class set, "k/N"
// beside it. Empty for a sheet without a code.
QString sheetCodeText(const std::optional<SheetRecipe> &recipe);

// The suggested name of a sheet's PDF file: "わり算-<code without #>.pdf", or "わり算.pdf"
// for a sheet without a code.
QString pdfFileName(const QString &code);

} // namespace divisheet
