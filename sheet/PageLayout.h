#pragma once

#include "sheet/PageOptions.h"
#include "sheet/ProblemClasses.h"
#include "sheet/SheetLayout.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The grid of figures on a page, for the standard count of the settings or for a fuller
// page at a smaller font size. A fuller page must hold whatever problem of the settings'
// catalogue lands in any cell, so it is laid out for the largest figure the settings can
// give, answers shown.
namespace divisheet {

// The page the window is designed at; a fuller page is always laid out on it, so that
// its count does not depend on how the window was resized.
inline constexpr QSize kDesignPageSize{1036, 766};
inline constexpr int kStandardFontSize = 30;
// Below this the boxes get too small to write digits into by hand.
inline constexpr int kMoreMinFontSize = 20;
// The most problems a page of any settings and options holds.
inline constexpr int kMaxSheetProblems = 40;

// A problem's number: small text above the top left of its figure.
inline constexpr int kNumberPixelSize = 12;
inline constexpr QSize kNumberSize{28, 14};
inline constexpr int kNumberBand = 16; // the number's height and a gap before the figure

// The largest figure of the settings, in digit columns (divisor, bracket, dividend,
// the empty column after it, and remainder mark and digits) and working rows.
struct FigureExtent
{
    int columns = 0;
    int workingRows = 0;
};
FigureExtent worstFigureExtent(const ProblemSettings &settings);
// A figure of that extent at `fontSize`: columns x F + 1 wide, as high as its rows.
QSize figureBoxSize(FigureExtent extent, int fontSize);

struct PageLayout
{
    int fontSize = kStandardFontSize;
    int rows = 0;
    int columns = 0;
    CellSize cell;
    int top = kSheetTopMargin;  // of the first row of cells
    int numberBand = 0;         // kept free above each figure for its number

    int problemCount() const { return rows * columns; }
    // Row and column counted from 1; cells left to right, then top to bottom.
    QPoint cellTopLeft(int row, int column) const;
    QRect cellRect(int row, int column) const;
    QPoint figureTopLeft(int row, int column) const;
    // Empty when the problems are not numbered.
    QRect numberRect(int row, int column) const;
};

// Top-left corner of the cell in `row` and `column`, both counted from 1, of a grid of
// `cell`s under the header, as a page with every option off has it.
QPoint cellTopLeft(CellSize cell, int row, int column);

// The settings' own rows and columns at font size 30 over the window. With every option
// off the cells are exactly sheetCellSize and cellTopLeft of `windowSize`.
PageLayout standardPageLayout(const ProblemSettings &settings, const PageOptions &options, QSize windowSize);

// The largest font size below 30, and no smaller than kMoreMinFontSize, at which the
// page holds twice the standard count, or the whole catalogue where it has fewer problems,
// with as many rows and columns as fit; where no such size reaches that, the size that
// holds the most. A grid larger than the catalogue keeps the fewest cells that hold it.
// Never fewer problems than the standard layout, and never smaller figures for the same
// problems: where a fuller page does not fit, or the catalogue fills no more than the
// standard page, the standard one is used. Figures keep half a digit column apart from
// each other and from the page's edges.
PageLayout morePageLayout(const ProblemSettings &settings, const PageOptions &options,
                          QSize page = kDesignPageSize);

// The layout the options ask for: standard over the window, or the fuller page.
PageLayout pageLayout(const ProblemSettings &settings, const PageOptions &options, QSize windowSize);

// The grid and font size of a sheet: the standard one, or a fuller page counted as if an
// own title took its lines, so that the title, which no sheet code carries, never changes
// which problems a code brings back (without a title the grid spreads over the taller band).
PageLayout sheetGrid(const ProblemSettings &settings, const PageOptions &options);
int sheetProblemCount(const ProblemSettings &settings, const PageOptions &options);

// How many problems a random catalogue draws for such a sheet: six, or as many as a fuller
// page holds.
int randomCatalogueCount(const ProblemSettings &settings, const PageOptions &options);

// Where a sheet of `rows` x `columns` goes on the window. With every option off it is
// exactly the cells of the window's outer size, as the window has always placed them.
// Otherwise the grid fills the band of the client area (the page that reaches paper)
// between the header, or the own title, and the page foot, or the foot line.
PageLayout placedPageLayout(const PageOptions &options, int rows, int columns, QSize outer, QSize client);

} // namespace divisheet
