#pragma once

#include <QString>

#include <unordered_map>
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
    // Rows 0 .. kNearRows - 1 of a column are held in the column itself, rows below in
    // m_text; the grids of this program use five rows.
    static constexpr int kNearRows = 5;
    enum Kind : quint8 { Empty, Number, Text };

    // One column's cells. A Text cell's string lives in m_text under (slot, row).
    struct Column {
        qint32 value[kNearRows] = {};
        quint8 kind[kNearRows] = {};
        qint32 farRows = 0; // one more than the highest far row ever written here
    };

    static quint64 key(qint32 slot, int row) { return (quint64(quint32(slot)) << 32) | quint32(row); }

    qint32 slotForWriting(int col);
    qint32 newSlot();
    void freeSlot(qint32 slot);
    void eraseText(qint32 slot);
    void copySlot(qint32 from, qint32 to);
    void eraseCell(int col, int row);

    std::vector<qint32> m_index;        // column -> slot in m_columns, -1 for none
    std::vector<Column> m_columns;      // slots, reused through m_free
    std::vector<qint32> m_free;
    std::unordered_map<quint64, QString> m_text; // text cells and every far-row cell
};
