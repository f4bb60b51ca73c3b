#include "sheet/SheetLayout.h"

#include <algorithm>
#include <limits>

namespace divisheet {

quint16 cellExtent(int available, int count)
{
    if (count <= 0 || available <= 0)
        return 0;
    return quint16(std::min(available / count, int(std::numeric_limits<quint16>::max())));
}

CellSize sheetCellSize(QSize windowSize, int rows, int columns)
{
    return {cellExtent(windowSize.width() - kSheetLeftMargin, columns),
            cellExtent(windowSize.height() - kSheetTopMargin, rows)};
}

QSize clientSizeFor(QSize outer, QSize frame)
{
    return (outer - frame).expandedTo(QSize(0, 0));
}

int figureNumber(int row, int column, int columns)
{
    return (row - 1) * columns + column;
}

QString figureName(int number)
{
    return QStringLiteral("DynLongDivision") + QString::number(number);
}

} // namespace divisheet
