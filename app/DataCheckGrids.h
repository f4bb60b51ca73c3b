#pragma once

#include "sheet/ProblemCatalogue.h"
#include "platform/StringGrid.h"

#include <vector>


// The two grids of the data-check panel, which show the catalogue (StringGridList) and the
// sheet's problems (StringGridData) as text, one problem a column: its number, quotient,
// divisor, remainder and dividend in rows 0 to 4. The window keeps them in step with what
// it draws; a user may type into them and place what they hold.
namespace divisheet {

void beginCatalogue(TStringGrid *list, int expected);
// Inline: it runs once for each of up to 90,000 problems.
inline void writeCatalogueColumn(TStringGrid *list, int column, const Problem &problem)
{
    list->setCellNumber(column, 0, column);
    list->setCellNumber(column, 1, problem.quotient);
    list->setCellNumber(column, 2, problem.divisor);
    list->setCellNumber(column, 3, problem.remainder);
    list->setCellNumber(column, 4, problem.dividend);
}
void endCatalogue(TStringGrid *list, int count);

// The catalogue grid's row titles and problem numbers, with placeholders in its first hundred
// columns until the first catalogue replaces them.
void fillCatalogueGrid(TStringGrid *list);
// The sheet grid's row titles, `columns` columns, and numbers enough for any page.
void fillSheetGrid(TStringGrid *data, int columns);

// Shows the problems that make(sink) passes to its sink, as they are made, in columns 1 .. n,
// numbered, with the selection on the last; the grid is sized for `expected` beforehand.
// Returns n.
template <typename Make>
int showCatalogue(TStringGrid *list, int expected, Make &&make)
{
    beginCatalogue(list, expected);
    int column = 0;
    make([list, &column](const Problem &problem) { writeCatalogueColumn(list, ++column, problem); });
    endCatalogue(list, column);
    return column;
}
// Takes the drawn columns out of the catalogue grid, each position counted in the catalogue as
// it shrinks (see drawPositions()), and writes them into columns 1, 2 ... of the sheet grid.
void takeDrawnColumns(TStringGrid *list, TStringGrid *data, const std::vector<int> &positions);
// Empties the five rows of the first `count` columns.
void clearProblems(TStringGrid *grid, int count);

// The problems of columns 1 .. count: their divisors and dividends as numbers (EConvertError
// for a cell that is not one), with the quotients and remainders they give.
std::vector<Problem> gridProblems(const TStringGrid *data, int count);

} // namespace divisheet
