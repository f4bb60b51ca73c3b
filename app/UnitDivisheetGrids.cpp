#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "sheet/PageLayout.h"

// The main form's two grids, which hold the catalogue and the sheet's problems as text,
// and the data-check panel that shows them.

// The catalogue grid's row titles and problem numbers, with placeholders in its first
// hundred columns until the first catalogue replaces them.
void TFormDivisheet::fillListGrid()
{
    TStringGrid *list = ui->StringGridList;
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

// The sheet grid's row titles, one column per cell of the default sheet, and numbers.
void TFormDivisheet::fillDataGrid()
{
    TStringGrid *data = ui->StringGridData;
    data->beginUpdate();
    data->setColWidth(0, 60);
    const QString titles[] = {QStringLiteral("答"), QStringLiteral("割る数"), QStringLiteral("余り"),
                              QStringLiteral("割られる数")};
    for (int row = 1; row <= 4; ++row)
        data->setCell(0, row, titles[row - 1]);
    data->setColCount(m_state.FigureRows * m_state.FigureColumns + 1);
    data->setRowCount(5);
    // Enough numbers for the fullest page of any setting.
    for (int n = 1; n <= divisheet::kMaxSheetProblems; ++n)
        data->setCellNumber(n, 0, n);
    data->endUpdate();
}

void TFormDivisheet::CheckBoxDataKakuninClick(QObject *Sender)
{
    if (ui->CheckBoxDataKakunin->isChecked()) {
        ComponentSakujo(Sender);
        ui->PanelDataKakunin->show();
        ui->PanelDataKakunin->raise();
    } else {
        ui->PanelDataKakunin->hide();
        ComponentByouga(Sender);
    }
    keepPanelsInside();
    ui->StringGridList->setCol(ui->StringGridList->colCount() - 1);
}

void TFormDivisheet::StringGridListClear(QObject *)
{
    clearProblems(ui->StringGridList);
}

void TFormDivisheet::StringGridDataClear(QObject *)
{
    clearProblems(ui->StringGridData);
}

// Empties the five rows of the sheet's first ProblemCount columns.
void TFormDivisheet::clearProblems(TStringGrid *grid)
{
    grid->beginUpdate();
    for (int column = 1; column <= m_state.ProblemCount; ++column) {
        for (int row = 0; row <= 4; ++row)
            grid->setCell(column, row, QString());
    }
    grid->endUpdate();
}
