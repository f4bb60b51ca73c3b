#include "sheet/PageLayout.h"

#include "sheet/FocusedCatalogue.h"
#include "sheet/PageHeader.h"
#include "sheet/ProblemCatalogue.h"
#include "figures/FrameFigureGeometry.h"

#include <algorithm>
#include <limits>

namespace divisheet {

static_assert(kNumberSize.height() < kNumberBand, "a number must not touch the figure under it");

namespace {

qint32 largestDivisor(const ProblemSettings &s)
{
    switch (s.divisor) {
    case DivisorClass::Fixed: return std::clamp(s.fixedDivisor, 1, 9);
    case DivisorClass::D1_9: return 9;
    case DivisorClass::D10_90: return 90;
    case DivisorClass::D11_99: return 99;
    case DivisorClass::D100_900: return 900;
    case DivisorClass::D101_909: return 909;
    case DivisorClass::D110_990: return 990;
    case DivisorClass::D111_999: return 999;
    case DivisorClass::D1000_9999: return 9999;
    }
    return 9999;
}

// The largest quotient of a class, and the most non-zero digits a quotient of it has:
// one working row per non-zero digit.
struct QuotientBound
{
    qint32 largest;
    int nonZeroDigits;
};

QuotientBound quotientBound(QuotientClass cls)
{
    switch (cls) {
    case QuotientClass::Q1_9: return {9, 1};
    case QuotientClass::Q10_90: return {90, 1};
    case QuotientClass::Q11_99: return {99, 2};
    case QuotientClass::Q100_900: return {900, 1};
    case QuotientClass::Q101_909: return {909, 2};
    case QuotientClass::Q110_990: return {990, 2}; // 100, 200 ... 900 too, never more
    case QuotientClass::Q111_999: return {999, 3};
    }
    return {999, 3};
}

} // namespace

FigureExtent worstFigureExtent(const ProblemSettings &s)
{
    // Every digit count of a figure grows with its numbers, so the largest divisor,
    // quotient and remainder bound them all at once, even where no one problem has all three.
    const qint32 divisor = largestDivisor(s);
    const QuotientBound quotient = quotientBound(s.quotient);
    const qint32 remainder = s.withRemainder ? divisor - 1 : 0;
    const qint32 dividend = divisor * quotient.largest + remainder;
    const int remainderColumns = remainder > 0 ? decimalLength(remainder) : 0;
    return {decimalLength(divisor) + decimalLength(dividend) + 2 + remainderColumns, quotient.nonZeroDigits};
}

QSize figureBoxSize(FigureExtent extent, int fontSize)
{
    // Each working row adds two lines; every line overlaps the one above by 2 pixels.
    const int m = std::max(extent.workingRows, 1);
    return {extent.columns * fontSize + 1, (2 * m + 2) * frameFigureHeight(fontSize) - 4 * m - 2};
}

QPoint PageLayout::cellTopLeft(int row, int column) const
{
    return {kSheetLeftMargin + int(cell.width) * (column - 1), top + int(cell.height) * (row - 1)};
}

QPoint cellTopLeft(CellSize cell, int row, int column)
{
    PageLayout layout;
    layout.cell = cell;
    return layout.cellTopLeft(row, column);
}

QRect PageLayout::cellRect(int row, int column) const
{
    return {cellTopLeft(row, column), QSize(cell.width, cell.height)};
}

QPoint PageLayout::figureTopLeft(int row, int column) const
{
    return cellTopLeft(row, column) + QPoint(0, numberBand);
}

QRect PageLayout::numberRect(int row, int column) const
{
    return numberBand > 0 ? QRect(cellTopLeft(row, column), kNumberSize) : QRect();
}

PageLayout standardPageLayout(const ProblemSettings &settings, const PageOptions &options, QSize windowSize)
{
    const SheetShape shape = sheetShape(settings);
    PageLayout layout;
    layout.rows = shape.rows;
    layout.columns = shape.columns;
    layout.top = sheetTop(options.hasTitle());
    layout.numberBand = options.numbered ? kNumberBand : 0;
    layout.cell = {cellExtent(windowSize.width() - kSheetLeftMargin, shape.columns),
                   cellExtent(sheetBottom(windowSize, !options.isDefault()) - layout.top, shape.rows)};
    return layout;
}

PageLayout morePageLayout(const ProblemSettings &settings, const PageOptions &options, QSize page)
{
    PageLayout best = standardPageLayout(settings, options, page);
    const int standardCount = best.problemCount();
    const qint64 catalogue = options.firstCodeMore ? std::numeric_limits<qint64>::max()
                           : settings.focus.isSet() ? focusedProblemTotal(settings)
                                                    : problemTotal(settings);
    if (standardCount == 0 || catalogue <= standardCount)
        return best;
    const int wanted = int(std::min<qint64>(catalogue, 2 * standardCount));

    const FigureExtent extent = worstFigureExtent(settings);
    const int width = page.width() - kSheetLeftMargin;
    const int height = sheetBottom(page, true) - best.top;
    // Sizes are tried from the largest down, so among sizes that hold the same number of
    // problems the largest wins.
    for (int fontSize = kStandardFontSize - 1; fontSize >= kMoreMinFontSize; --fontSize) {
        const QSize box = figureBoxSize(extent, fontSize);
        // Each cell holds its figure and a gap to its right and below, so the last figures
        // keep the same gap from the page's edge.
        const int gap = fontSize / 2;
        const int columns = width / (box.width() + gap);
        const int rows = height / (best.numberBand + box.height() + gap);
        if (rows * columns > best.problemCount()) {
            best.fontSize = fontSize;
            best.rows = rows;
            best.columns = columns;
        }
        if (best.problemCount() >= wanted)
            break;
    }
    // Fewer cells than fit, where the catalogue cannot fill them all, each of them larger.
    for (int columns = best.columns, maxRows = best.rows; catalogue < best.problemCount() && columns >= 1;
         --columns) {
        const int rows = int((catalogue + columns - 1) / columns);
        if (rows <= maxRows && rows * columns < best.problemCount()) {
            best.rows = rows;
            best.columns = columns;
        }
    }
    best.cell = {cellExtent(width, best.columns), cellExtent(height, best.rows)};
    return best;
}

PageLayout pageLayout(const ProblemSettings &settings, const PageOptions &options, QSize windowSize)
{
    return options.more ? morePageLayout(settings, options)
                        : standardPageLayout(settings, options, windowSize);
}

namespace {

PageOptions countedOptions(const PageOptions &options)
{
    PageOptions counted = options;
    if (counted.more && !counted.hasTitle())
        counted.title = QStringLiteral("-");
    return counted;
}

} // namespace

PageLayout sheetGrid(const ProblemSettings &settings, const PageOptions &options)
{
    return pageLayout(settings, countedOptions(options), kDesignPageSize);
}

int sheetProblemCount(const ProblemSettings &settings, const PageOptions &options)
{
    return sheetGrid(settings, options).problemCount();
}

int randomCatalogueCount(const ProblemSettings &settings, const PageOptions &options)
{
    if (!options.more || options.firstCodeMore)
        return randomCatalogueSize;
    return std::max(randomCatalogueSize, sheetProblemCount(settings, options));
}

PageLayout placedPageLayout(const PageOptions &options, int rows, int columns, QSize outer, QSize client)
{
    PageLayout layout;
    layout.rows = rows;
    layout.columns = columns;
    if (options.isDefault()) {
        layout.cell = sheetCellSize(outer, rows, columns);
        return layout;
    }
    layout.top = sheetTop(options.hasTitle());
    layout.numberBand = options.numbered ? kNumberBand : 0;
    layout.cell = {cellExtent(client.width() - kSheetLeftMargin, columns),
                   cellExtent(sheetBottom(client, true) - layout.top, rows)};
    return layout;
}

} // namespace divisheet
