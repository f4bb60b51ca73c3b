#pragma once

#include "figures/FigureTypes.h"

#include <QString>

// The state one worksheet shares between the form's operations: the sheet's shape,
// the grid of the last placement, the settings every figure is placed with, and the
// pieces of the title line.
struct TSheetState
{
    int FigureRows = 0;
    int FigureColumns = 0;
    int ProblemCount = 0;
    int PlacedRows = 0;
    int PlacedColumns = 0;
    quint16 CellWidth = 0;
    quint16 CellHeight = 0;
    quint8 FigureFontSize = 0;
    divisheet::TTypeFrameShow FrameShowSetting = divisheet::fsShow;
    divisheet::TTypeIntegerShow IntegerShowSetting = divisheet::isShow;
    QString FixedDivisorText;
    QString DivisorCaption = QStringLiteral("2で固定");
    QString QuotientCaption = QStringLiteral("?");
    QString RemainderCaption = QStringLiteral("なし");
    QString FrameCaption = QStringLiteral("表示");
};
