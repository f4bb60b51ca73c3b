#include "app/DataCheckGrids.h"

#include "sheet/PageLayout.h"
#include "platform/Conversions.h"
#include "platform/StringGrid.h"

namespace divisheet {

void fillCatalogueGrid(TStringGrid *list)
{
    list->beginUpdate();
    list->setRowCount(5);
    list->setColCount(10001);
    list->setColWidth(0, 60);
    const QString titles[] = {QStringLiteral("残問題数"), QStringLiteral("答"), QStringLiteral("割る数"),
                              QStringLiteral("余"), QStringLiteral("割られる数")};
    for (int row = 0; row < 5; ++row)
        list->setCell(0, row, titles[row]);
    for (int n = 1; n <= 10000; ++n)
        list->setCellNumber(n, 0, n);
    for (int c = 1; c <= 100; ++c) {
        list->setCellNumber(c, 1, (c - 1) / 10);
        list->setCellNumber(c, 2, c);
    }
    list->endUpdate();
}

void fillSheetGrid(TStringGrid *data, int columns)
{
    data->beginUpdate();
    data->setColWidth(0, 60);
    const QString titles[] = {QStringLiteral("答"), QStringLiteral("割る数"), QStringLiteral("余り"),
                              QStringLiteral("割られる数")};
    for (int row = 1; row <= 4; ++row)
        data->setCell(0, row, titles[row - 1]);
    data->setColCount(columns + 1);
    data->setRowCount(5);
    for (int n = 1; n <= kMaxSheetProblems; ++n)
        data->setCellNumber(n, 0, n);
    data->endUpdate();
}

void beginCatalogue(TStringGrid *list, int expected)
{
    list->beginUpdate();
    list->setColCount(expected + 1);
}

void endCatalogue(TStringGrid *list, int count)
{
    list->setColCount(count + 1);
    list->endUpdate();
    list->setCol(count);
}

void takeDrawnColumns(TStringGrid *list, TStringGrid *data, const std::vector<int> &positions)
{
    list->beginUpdate();
    data->beginUpdate();
    int k = 0;
    for (const int j : positions) {
        ++k;
        const int problemsLeft = list->colCount() - 1;
        for (int row = 0; row <= 4; ++row)
            data->setCell(k, row, list->cell(j, row));
        list->shiftColumnsLeft(j + 1, problemsLeft);
        list->setColCount(problemsLeft);
    }
    data->endUpdate();
    list->endUpdate();
}

void clearProblems(TStringGrid *grid, int count)
{
    grid->beginUpdate();
    for (int column = 1; column <= count; ++column) {
        for (int row = 0; row <= 4; ++row)
            grid->setCell(column, row, QString());
    }
    grid->endUpdate();
}

std::vector<Problem> gridProblems(const TStringGrid *data, int count)
{
    std::vector<Problem> problems;
    for (int column = 1; column <= count; ++column) {
        const qint32 divisor = StrToInt(data->cell(column, 2));
        const qint32 dividend = StrToInt(data->cell(column, 4));
        // A typed divisor may be 0 or negative; the figure shows what it can of it.
        const bool divides = divisor > 0 && dividend >= 0;
        problems.push_back({divides ? dividend / divisor : 0, divisor, divides ? dividend % divisor : 0, dividend});
    }
    return problems;
}

} // namespace divisheet
