#pragma once

#include <QString>

#include <vector>

// The cells of a string grid: text addressed by column and row, stored sparsely. A cell
// may be written and read at any column and row, also beyond the grid's column and row
// counts; an unwritten cell reads as empty text. The counts are the grid's business,
// not the store's: changing them neither clears nor moves a cell.
//
// Whole-number cells are kept as numbers and turned into text when read, so that a
// catalogue of 90,000 problems (450,000 cells) is written in a few milliseconds.
// Columns are held through an index, so that taking one column out of the middle of
// tens of thousands moves a few hundred kilobytes, not every cell.
class TStringGridStore
{
public:
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    // The same as setCell(col, row, QString::number(value)), without making the text.
    void setCellNumber(int col, int row, qint32 value);

    // Copies the cells of every column from `first` to `last`, in ascending order, one
    // column to the left; column `last` keeps its cells. Rows are copied as far as
    // either column holds any.
    void shiftColumnsLeft(int first, int last);

    // Forgets every cell.
    void clear();

    // One more than the highest column that holds a cell.
    int columnExtent() const;

private:
    // The implementation decides the representation.
};
