#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

// Where the figures of a sheet go: a grid of rows x columns cells that divides the
// window below the header line.
namespace divisheet {

inline constexpr int kSheetLeftMargin = 32;
inline constexpr int kSheetTopMargin = 48;   // room for the header line
inline constexpr int kFigureStartWidth = 148;  // a figure's size before its first layout
inline constexpr int kFigureStartHeight = 139;

struct CellSize
{
    quint16 width = 0;
    quint16 height = 0;
};

// One of `count` equal cells along `available` pixels: the quotient, 0 for no room or no
// cells, and never more than a 16-bit size holds.
quint16 cellExtent(int available, int count);

// (window width - 32) div columns by (window height - 48) div rows. A window too small
// for the margins gives cells of size 0 rather than a size wrapped around to a huge
// 16-bit value; so do zero rows or columns.
CellSize sheetCellSize(QSize windowSize, int rows, int columns);

// The client area a window of outer size `outer` leaves inside a frame that adds `frame`
// (both borders, caption bar included); never negative.
QSize clientSizeFor(QSize outer, QSize frame);


// Figures are numbered row by row from 1: (row - 1) x columns + column.
int figureNumber(int row, int column, int columns);
QString figureName(int number);

} // namespace divisheet
