#include "platform/StringGridModel.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

TStringGridModel::TStringGridModel(QObject *parent) : QAbstractTableModel(parent)
{
}

int TStringGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TStringGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_colCount;
}

QVariant TStringGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_store.cell(index.column(), index.row());
    case Qt::BackgroundRole:
        if (isFixed(index.column(), index.row()))
            return QGuiApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (isFixed(index.column(), index.row()))
            return QGuiApplication::palette().brush(QPalette::ButtonText);
        return {};
    default:
        return {};
    }
}

bool TStringGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return false;
    if (!(flags(index) & Qt::ItemIsEditable))
        return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    if (isFixed(index.column(), index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_editing)
        result |= Qt::ItemIsEditable;
    return result;
}

void TStringGridModel::setCount(Qt::Orientation axis, int count)
{
    const bool cols = axis == Qt::Horizontal;
    int &current = cols ? m_colCount : m_rowCount;
    count = std::max(count, 0);
    if (count > current) {
        cols ? beginInsertColumns({}, current, count - 1) : beginInsertRows({}, current, count - 1);
        current = count;
        cols ? endInsertColumns() : endInsertRows();
    } else if (count < current) {
        cols ? beginRemoveColumns({}, count, current - 1) : beginRemoveRows({}, count, current - 1);
        current = count;
        cols ? endRemoveColumns() : endRemoveRows();
    }
}

void TStringGridModel::setFixedCount(Qt::Orientation axis, int count)
{
    const bool cols = axis == Qt::Horizontal;
    int &fixed = cols ? m_fixedCols : m_fixedRows;
    count = std::max(count, 0);
    if (count == fixed)
        return;
    // The cells that change colour lie in the sections up to the larger of the two counts.
    const int changedUpTo = std::max(count, fixed) - 1;
    fixed = count;
    if (m_rowCount == 0 || m_colCount == 0)
        return;
    const int lastCol = cols ? std::min(changedUpTo, m_colCount - 1) : m_colCount - 1;
    const int lastRow = cols ? m_rowCount - 1 : std::min(changedUpTo, m_rowCount - 1);
    emit dataChanged(index(0, 0), index(lastRow, lastCol));
}

void TStringGridModel::setEditing(bool on)
{
    if (on == m_editing)
        return;
    // Only the flags change; views ask for them when an edit is about to start.
    m_editing = on;
}

void TStringGridModel::setCell(int col, int row, const QString &text)
{
    m_store.setCell(col, row, text);
    cellChanged(col, row);
}

void TStringGridModel::setCellNumber(int col, int row, qint32 value)
{
    m_store.setCellNumber(col, row, value);
    cellChanged(col, row);
}

void TStringGridModel::shiftColumnsLeft(int first, int last)
{
    m_store.shiftColumnsLeft(first, last);
    if (m_updateDepth > 0) {
        m_changedWhileUpdating = true;
        return;
    }
    const int from = std::max(first - 1, 0);
    const int to = std::min(last, m_colCount - 1);
    if (from <= to && m_rowCount > 0)
        emit dataChanged(index(0, from), index(m_rowCount - 1, to), {Qt::DisplayRole, Qt::EditRole});
}

void TStringGridModel::beginUpdate()
{
    ++m_updateDepth;
}

void TStringGridModel::endUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth > 0 || !m_changedWhileUpdating)
        return;
    m_changedWhileUpdating = false;
    if (m_rowCount > 0 && m_colCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, m_colCount - 1), {Qt::DisplayRole, Qt::EditRole});
}

void TStringGridModel::cellChanged(int col, int row)
{
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        return; // a cell outside the grid is not shown
    if (m_updateDepth > 0) {
        m_changedWhileUpdating = true;
        return;
    }
    const QModelIndex changed = index(row, col);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}
