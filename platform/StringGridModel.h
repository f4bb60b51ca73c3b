#pragma once

#include "platform/StringGridStore.h"

#include <QAbstractTableModel>

// The item model of a string grid: model column c, row r is the grid's cell (c, r),
// fixed column 0 and fixed row 0 included; columnCount() is ColCount and rowCount()
// is RowCount.
class TStringGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TStringGridModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    TStringGridStore &store() { return m_store; }
    const TStringGridStore &store() const { return m_store; }

    // The counts change the model's shape only: cells stay where they are.
    int colCount() const { return m_colCount; }
    void setColCount(int count) { setCount(Qt::Horizontal, count); }
    int gridRowCount() const { return m_rowCount; }
    void setRowCount(int count) { setCount(Qt::Vertical, count); }
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int count) { setFixedCount(Qt::Horizontal, count); }
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int count) { setFixedCount(Qt::Vertical, count); }
    bool editing() const { return m_editing; }
    void setEditing(bool on);
    bool isFixed(int col, int row) const { return col < m_fixedCols || row < m_fixedRows; }

    // Cell writes that tell the views. Between beginUpdate() and endUpdate() (which
    // nest) they tell nothing, and endUpdate() reports one change of every cell.
    void setCell(int col, int row, const QString &text);
    void setCellNumber(int col, int row, qint32 value);
    void shiftColumnsLeft(int first, int last);
    void beginUpdate();
    void endUpdate();

private:
    // Columns (Qt::Horizontal) or rows (Qt::Vertical).
    void setCount(Qt::Orientation axis, int count);
    void setFixedCount(Qt::Orientation axis, int count);
    void cellChanged(int col, int row);

    TStringGridStore m_store;
    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    bool m_editing = false;
    int m_updateDepth = 0;
    bool m_changedWhileUpdating = false;
};
